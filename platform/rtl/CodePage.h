// Code page 1252: the byte <-> Unicode table and the case tables behind the Ansi* string helpers.
#pragma once

// The Unicode code point of a 1252 byte. The five bytes 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) give the code point of the same value, so the mapping is one-to-one.
char32_t Cp1252ToUnicode(unsigned char B);
// The 1252 byte of a code point, or -1 when 1252 has no such character.
int UnicodeToCp1252(char32_t C);
// The 1252 upper- and lower-case forms of a byte; bytes without one are returned unchanged.
unsigned char Cp1252Upper(unsigned char B);
unsigned char Cp1252Lower(unsigned char B);
