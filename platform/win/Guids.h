// Globally unique identifiers: new random ones and their registry text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include "platform/win/Ole.h"

#include <string>
#include <string_view>

// A new random identifier (version 4, variant 1); S_OK.
HRESULT CoCreateGuid(GUID* Guid);
// Writes the text form with braces (38 characters and a NUL) into Buffer; returns the characters written
// with the NUL, 0 when Max is smaller than 39.
int StringFromGUID2(REFGUID Guid, char* Buffer, int Max);
std::string GUIDToString(REFGUID Guid);
// Reads the text form (braces required, hexadecimal digits of either case); false for anything else.
bool StringToGUID(std::string_view Text, GUID& Guid);
