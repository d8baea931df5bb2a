// Constants of the compiled main dictionary file (.adm) shared by its reader and the dictionary compiler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace AdmFormat {

// The banner at the start of every file: five lines ended by CR LF, the last one empty, 123 bytes in all.
inline constexpr std::string_view Banner =
    "ZUB Quillon main dictionary\r\n"
    "A compressed letter tree of words\r\n"
    "Little-endian words, code page bytes\r\n"
    "Rebuild, not edit\r\n"
    "\r\n";
inline constexpr std::size_t BannerSize = 123;
static_assert(Banner.size() == BannerSize, "the banner is 123 bytes");

inline constexpr std::size_t HeadSize = 1024;
inline constexpr int GroupCount = 9;           // node groups 0 .. 8, by tail length
inline constexpr std::uint32_t NoLink = 0xFFFFF;  // 20-bit link meaning "no children"
inline constexpr std::uint32_t MaxLink = 0xFFFFF;
inline constexpr std::size_t FirstLetterTableSize = 2048;
inline constexpr std::size_t CharTableSize = 1024;
// Below this node count child numbers are 2-byte little-endian; from it on big-endian 2 or 3 bytes.
inline constexpr std::uint32_t ShortNumberLimit = 0xFFFF;

}  // namespace AdmFormat
