// Basic integer, character and pointer-sized types with the class library's names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using DWORD = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;   // pointer-sized: tags, message parameters
using NativeUInt = std::uintptr_t;
using Extended = double;
using Currency = double;
using TDateTime = double;          // days since 1899-12-30, fraction is the time of day
using AnsiChar = char;
using PChar = char*;
using Pointer = void*;

// The class library's 8-bit string: code page 1252 text, byte for byte.
using AnsiString = std::string;
using String = std::string;
