// Globally unique identifiers of the run-time library: new random ones (version 4) and their text form.
#pragma once

#include <cstdint>
#include <string>

struct TGUID {
  std::uint32_t D1 = 0;
  std::uint16_t D2 = 0;
  std::uint16_t D3 = 0;
  std::uint8_t D4[8] = {};
  friend bool operator==(const TGUID&, const TGUID&) = default;
};

// A new identifier from the system's random source: version 4, variant 1.
TGUID CreateGUID();
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": 38 characters, upper-case hexadecimal digits.
std::string GUIDToString(const TGUID& Guid);
