// New identifiers from the system's random source and their text form.
#include "platform/rtl/Guid.h"

#include <cstdio>
#include <random>

TGUID CreateGUID() {
  std::random_device Random;
  std::uint8_t Bytes[16];
  for (std::uint8_t& B : Bytes) {
    B = static_cast<std::uint8_t>(Random());
  }
  Bytes[6] = static_cast<std::uint8_t>((Bytes[6] & 0x0F) | 0x40);
  Bytes[8] = static_cast<std::uint8_t>((Bytes[8] & 0x3F) | 0x80);
  TGUID G;
  G.D1 = static_cast<std::uint32_t>(Bytes[0]) << 24 | static_cast<std::uint32_t>(Bytes[1]) << 16 |
         static_cast<std::uint32_t>(Bytes[2]) << 8 | Bytes[3];
  G.D2 = static_cast<std::uint16_t>(Bytes[4] << 8 | Bytes[5]);
  G.D3 = static_cast<std::uint16_t>(Bytes[6] << 8 | Bytes[7]);
  for (int I = 0; I < 8; ++I) {
    G.D4[I] = Bytes[8 + I];
  }
  return G;
}

std::string GUIDToString(const TGUID& Guid) {
  char Text[40];
  std::snprintf(Text, sizeof Text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned>(Guid.D1),
                static_cast<unsigned>(Guid.D2), static_cast<unsigned>(Guid.D3), Guid.D4[0], Guid.D4[1], Guid.D4[2],
                Guid.D4[3], Guid.D4[4], Guid.D4[5], Guid.D4[6], Guid.D4[7]);
  return Text;
}
