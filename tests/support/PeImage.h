// Small program module images of the platform's portable executable format, made for tests: headers, a code
// section, optionally resources (laid out by the layer's resource writer) and a section after them.
#pragma once

#include "platform/win/PeResources.h"
#include "platform/win/Resources.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace TestSupport {

struct TPeImageOptions {
  bool Pe32Plus = false;
  std::vector<TPeResource> Resources;
  bool SectionAfterResources = false;  // a ".reloc" section placed after the resource section
  std::size_t CodeSize = 0x200;        // bytes of the code section (a multiple of 0x200)
};

inline void PutLE(std::string& S, std::size_t At, std::uint64_t V, int Bytes) {
  for (int I = 0; I < Bytes; ++I) {
    S[At + static_cast<std::size_t>(I)] = static_cast<char>(V >> (8 * I) & 0xFF);
  }
}

// Appends a section header and its raw data to an image made by MakePeImage.
inline void AppendPeSection(std::string& Image, const char* Name, const std::string& Data) {
  const std::uint32_t Nt = 0x40;
  const std::uint16_t Count = static_cast<std::uint16_t>(static_cast<unsigned char>(Image[Nt + 6]) |
                                                         static_cast<unsigned char>(Image[Nt + 7]) << 8);
  const std::uint16_t OptSize = static_cast<std::uint16_t>(static_cast<unsigned char>(Image[Nt + 20]) |
                                                           static_cast<unsigned char>(Image[Nt + 21]) << 8);
  const std::size_t Table = Nt + 24 + OptSize;
  std::uint32_t EndVa = 0;
  for (std::uint16_t I = 0; I < Count; ++I) {
    std::uint32_t Va = 0, Vs = 0;
    for (int B = 3; B >= 0; --B) {
      Va = Va << 8 | static_cast<unsigned char>(Image[Table + I * 40 + 12 + B]);
      Vs = Vs << 8 | static_cast<unsigned char>(Image[Table + I * 40 + 8 + B]);
    }
    EndVa = std::max(EndVa, (Va + Vs + 0xFFF) / 0x1000 * 0x1000);
  }
  const std::size_t Header = Table + Count * 40u;
  const std::uint32_t Raw = static_cast<std::uint32_t>((Image.size() + 0x1FF) / 0x200 * 0x200);
  const std::uint32_t RawSize = static_cast<std::uint32_t>((Data.size() + 0x1FF) / 0x200 * 0x200);
  std::copy(Name, Name + std::min<std::size_t>(8, std::char_traits<char>::length(Name)), Image.begin() + Header);
  PutLE(Image, Header + 8, Data.size(), 4);
  PutLE(Image, Header + 12, EndVa, 4);
  PutLE(Image, Header + 16, RawSize, 4);
  PutLE(Image, Header + 20, Raw, 4);
  PutLE(Image, Header + 36, 0x42000040, 4);
  PutLE(Image, Nt + 6, Count + 1u, 2);
  PutLE(Image, Nt + 24 + 56, EndVa + (Data.size() + 0xFFF) / 0x1000 * 0x1000, 4);
  Image.resize(Raw, '\0');
  Image += Data;
  Image.resize(Raw + RawSize, '\0');
}

inline std::string MakePeImage(const TPeImageOptions& O = {}) {
  const std::uint32_t Nt = 0x40;
  const std::uint16_t OptSize = O.Pe32Plus ? 240 : 224;
  std::string Image(0x400, '\0');
  Image[0] = 'M';
  Image[1] = 'Z';
  PutLE(Image, 60, Nt, 4);
  Image.replace(Nt, 4, std::string("PE\0\0", 4));
  PutLE(Image, Nt + 4, O.Pe32Plus ? 0x8664 : 0x14C, 2);
  PutLE(Image, Nt + 20, OptSize, 2);
  PutLE(Image, Nt + 22, 0x0102, 2);
  const std::size_t Opt = Nt + 24;
  PutLE(Image, Opt, O.Pe32Plus ? 0x20B : 0x10B, 2);
  PutLE(Image, Opt + 16, 0x1000, 4);  // entry point
  PutLE(Image, Opt + 32, 0x1000, 4);  // section alignment
  PutLE(Image, Opt + 36, 0x200, 4);   // file alignment
  PutLE(Image, Opt + 40, 4, 2);       // operating system version
  PutLE(Image, Opt + 48, 4, 2);       // subsystem version
  PutLE(Image, Opt + 60, 0x400, 4);   // size of headers
  PutLE(Image, Opt + 68, 2, 2);       // subsystem: GUI
  if (O.Pe32Plus) {
    PutLE(Image, Opt + 24, 0x140000000ull, 8);  // image base
    PutLE(Image, Opt + 108, 16, 4);
  } else {
    PutLE(Image, Opt + 28, 0x400000, 4);  // image base
    PutLE(Image, Opt + 92, 16, 4);
  }
  PutLE(Image, Nt + 6, 0, 2);
  PutLE(Image, Opt + 56, 0x1000, 4);
  AppendPeSection(Image, ".text", std::string(O.CodeSize, '\xC3'));
  if (!O.Resources.empty()) {
    std::string WithResources;
    std::string Error;
    if (WritePeResources(Image, O.Resources, WithResources, Error)) {
      Image = WithResources;
    }
  }
  if (O.SectionAfterResources) {
    AppendPeSection(Image, ".reloc", std::string(0x40, '\0'));
  }
  return Image;
}

inline TPeResource PeResource(LPCSTR Type, LPCSTR Name, const std::string& Data, WORD Language = 0) {
  TPeResource R;
  R.Type = TPeResKey::From(Type);
  R.Name = TPeResKey::From(Name);
  R.Language = Language;
  R.Data = Data;
  return R;
}

}  // namespace TestSupport
