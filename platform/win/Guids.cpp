// New identifiers from the system's random source and their text form.
#include "platform/win/Guids.h"

#include <cstdio>
#include <random>

HRESULT CoCreateGuid(GUID* Guid) {
  if (Guid == nullptr) {
    return E_INVALIDARG;
  }
  std::random_device Random;
  BYTE Bytes[16];
  for (BYTE& B : Bytes) {
    B = static_cast<BYTE>(Random());
  }
  Bytes[6] = static_cast<BYTE>((Bytes[6] & 0x0F) | 0x40);  // version 4
  Bytes[8] = static_cast<BYTE>((Bytes[8] & 0x3F) | 0x80);  // variant 1
  Guid->Data1 = static_cast<DWORD>(Bytes[0]) << 24 | static_cast<DWORD>(Bytes[1]) << 16 |
                static_cast<DWORD>(Bytes[2]) << 8 | Bytes[3];
  Guid->Data2 = static_cast<WORD>(Bytes[4] << 8 | Bytes[5]);
  Guid->Data3 = static_cast<WORD>(Bytes[6] << 8 | Bytes[7]);
  for (int I = 0; I < 8; ++I) {
    Guid->Data4[I] = Bytes[8 + I];
  }
  return S_OK;
}

std::string GUIDToString(REFGUID Guid) {
  char Text[40];
  std::snprintf(Text, sizeof Text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned>(Guid.Data1), Guid.Data2, Guid.Data3, Guid.Data4[0], Guid.Data4[1], Guid.Data4[2],
                Guid.Data4[3], Guid.Data4[4], Guid.Data4[5], Guid.Data4[6], Guid.Data4[7]);
  return Text;
}

int StringFromGUID2(REFGUID Guid, char* Buffer, int Max) {
  const std::string Text = GUIDToString(Guid);
  if (Buffer == nullptr || Max < static_cast<int>(Text.size()) + 1) {
    return 0;
  }
  Text.copy(Buffer, Text.size());
  Buffer[Text.size()] = '\0';
  return static_cast<int>(Text.size()) + 1;
}

namespace {
bool HexDigits(std::string_view Text, std::size_t Pos, std::size_t Count, unsigned long long& Value) {
  Value = 0;
  for (std::size_t I = Pos; I < Pos + Count; ++I) {
    const char C = Text[I];
    const int D = C >= '0' && C <= '9'   ? C - '0'
                  : C >= 'a' && C <= 'f' ? C - 'a' + 10
                  : C >= 'A' && C <= 'F' ? C - 'A' + 10
                                         : -1;
    if (D < 0) {
      return false;
    }
    Value = Value * 16 + static_cast<unsigned>(D);
  }
  return true;
}
}  // namespace

bool StringToGUID(std::string_view Text, GUID& Guid) {
  if (Text.size() != 38 || Text[0] != '{' || Text[37] != '}' || Text[9] != '-' || Text[14] != '-' || Text[19] != '-' ||
      Text[24] != '-') {
    return false;
  }
  unsigned long long V = 0;
  GUID G;
  if (!HexDigits(Text, 1, 8, V)) {
    return false;
  }
  G.Data1 = static_cast<DWORD>(V);
  if (!HexDigits(Text, 10, 4, V)) {
    return false;
  }
  G.Data2 = static_cast<WORD>(V);
  if (!HexDigits(Text, 15, 4, V)) {
    return false;
  }
  G.Data3 = static_cast<WORD>(V);
  static constexpr std::size_t Offsets[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int I = 0; I < 8; ++I) {
    if (!HexDigits(Text, Offsets[I], 2, V)) {
      return false;
    }
    G.Data4[I] = static_cast<BYTE>(V);
  }
  Guid = G;
  return true;
}
