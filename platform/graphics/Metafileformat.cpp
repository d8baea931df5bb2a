// TMetafile's files: the enhanced metafile format and, with Enhanced false, the placeable Windows metafile.
// A picture is written as one device-independent bitmap copy of what its recording draws at the picture's own
// size (so a file shows exactly what drawing the metafile shows); reading takes the bitmap copies of either
// format back into a recording. Every size and offset is checked against the file before it is used.
#include "platform/classes/Streams.h"
#include "platform/graphics/Metafiles.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t EMR_HEADER = 1, EMR_EOF = 14, EMR_STRETCHDIBITS = 81;
constexpr std::uint32_t EmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::uint16_t META_EOF = 0x0000, META_SETWINDOWORG = 0x020B, META_SETWINDOWEXT = 0x020C,
                        META_STRETCHDIB = 0x0F43;
constexpr std::uint32_t RopSrcCopy = 0x00CC0020;
constexpr Integer ScreenDpi = 96;
constexpr std::size_t MaxRecords = 1 << 20;

[[noreturn]] void Invalid(const std::string& Why) { throw EInvalidGraphic("Invalid metafile: " + Why); }

template <class T>
void Put(std::string& Out, T V) {
  Out.append(reinterpret_cast<const char*>(&V), sizeof V);
}

template <class T>
void PutAt(std::string& Out, std::size_t At, T V) {
  std::memcpy(Out.data() + At, &V, sizeof V);
}

template <class T>
T Get(const std::string& In, std::size_t At) {
  if (At > In.size() || sizeof(T) > In.size() - At) {
    Invalid("it ends inside a record");
  }
  T V;
  std::memcpy(&V, In.data() + At, sizeof V);
  return V;
}

std::string ReadAll(TStream* Stream) {
  std::string S;
  char Buf[65536];
  for (LongInt N; (N = Stream->Read(Buf, sizeof Buf)) > 0;) {
    S.append(Buf, static_cast<std::size_t>(N));
  }
  return S;
}

// The picture's pixels as a packed bitmap: its information header and its rows (24 bits, bottom-up).
struct TDib {
  std::string Info;
  std::string Bits;
};

TDib RenderDib(TMetafile* Picture, Integer W, Integer H) {
  TBitmap B;
  B.SetPixelFormat(pf24bit);
  B.SetSize(W, H);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->FillRect(TRect{0, 0, W, H});
  B.Canvas()->StretchDraw(TRect{0, 0, W, H}, Picture);
  TMemoryStream S;
  B.SaveToStream(&S);
  const std::string File(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
  const std::uint32_t Offset = Get<std::uint32_t>(File, 10);
  return {File.substr(14, Offset - 14), File.substr(Offset)};
}

// A bitmap from a packed bitmap (information header, colour table, rows), read through the bitmap file reader.
void DecodeDib(const std::string& Info, const std::string& Bits, TBitmap& Bitmap) {
  if (Info.size() < 12) {
    Invalid("a bitmap header is too short");
  }
  std::string File = "BM";
  Put<std::uint32_t>(File, static_cast<std::uint32_t>(14 + Info.size() + Bits.size()));
  Put<std::uint32_t>(File, 0);
  Put<std::uint32_t>(File, static_cast<std::uint32_t>(14 + Info.size()));
  File += Info;
  File += Bits;
  TMemoryStream S;
  S.Write(File.data(), static_cast<LongInt>(File.size()));
  S.SetPosition(0);
  try {
    Bitmap.LoadFromStream(&S);
  } catch (const EInvalidGraphic&) {
    Invalid("a bitmap copy holds no valid bitmap");
  } catch (const std::exception&) {
    Invalid("a bitmap copy holds no valid bitmap");
  }
}

// Where the rows of a packed bitmap begin: after its header, its colour masks and its colour table.
std::size_t PackedRowsOffset(const std::string& Dib) {
  const std::uint32_t HeaderSize = Get<std::uint32_t>(Dib, 0);
  std::uint64_t Offset = HeaderSize;
  if (HeaderSize == 12) {
    const std::uint16_t BitCount = Get<std::uint16_t>(Dib, 10);
    Offset += BitCount <= 8 ? 3ull << BitCount : 0;
  } else if (HeaderSize >= 40) {
    const std::uint16_t BitCount = Get<std::uint16_t>(Dib, 14);
    const std::uint32_t Compression = Get<std::uint32_t>(Dib, 16);
    const std::uint32_t ClrUsed = Get<std::uint32_t>(Dib, 32);
    if (Compression == 3 && HeaderSize == 40) {
      Offset += 12;
    }
    if (BitCount <= 8) {
      Offset += 4ull * (ClrUsed != 0 ? ClrUsed : 1ull << BitCount);
    }
  } else {
    Invalid("a bitmap header is neither a core nor an information header");
  }
  if (Offset > Dib.size()) {
    Invalid("a bitmap's colour table does not fit its record");
  }
  return static_cast<std::size_t>(Offset);
}

std::string BytesOf(const std::string& In, std::size_t At, std::size_t Count) {
  if (At > In.size() || Count > In.size() - At) {
    Invalid("a bitmap copy points outside its record");
  }
  return In.substr(At, Count);
}

struct TCopy {
  TRect Dest;
  TBitmap* Bitmap;
};

}  // namespace

void TMetafile::SaveToStream(TStream* Stream) {
  const Integer W = std::max<Integer>(FWidth, 1), H = std::max<Integer>(FHeight, 1);
  const TDib Dib = RenderDib(this, W, H);
  std::string Out;
  if (Enhanced) {
    // The header: bounds in pixels, frame in hundredths of millimetres, a 96-dpi reference device.
    const auto Hundredths = [](Integer Px) { return static_cast<std::int32_t>(Px * 2540 / ScreenDpi); };
    Put<std::uint32_t>(Out, EMR_HEADER);
    Put<std::uint32_t>(Out, 88);
    for (std::int32_t V : {0, 0, W - 1, H - 1, 0, 0, Hundredths(W) - 1, Hundredths(H) - 1}) {
      Put<std::int32_t>(Out, V);
    }
    Put<std::uint32_t>(Out, EmfSignature);
    Put<std::uint32_t>(Out, 0x10000);
    Put<std::uint32_t>(Out, 0);  // whole size, filled in below
    Put<std::uint32_t>(Out, 3);  // records
    Put<std::uint16_t>(Out, 1);  // handles: the metafile itself
    Put<std::uint16_t>(Out, 0);
    Put<std::uint32_t>(Out, 0);  // no description
    Put<std::uint32_t>(Out, 0);
    Put<std::uint32_t>(Out, 0);  // no palette
    for (std::int32_t V : {1920, 1080, 1920 * 254 / (ScreenDpi * 10), 1080 * 254 / (ScreenDpi * 10)}) {
      Put<std::int32_t>(Out, V);
    }
    // The bitmap copy.
    const std::uint32_t Fixed = 80;
    const auto Size = static_cast<std::uint32_t>(Fixed + Dib.Info.size() + Dib.Bits.size());
    Put<std::uint32_t>(Out, EMR_STRETCHDIBITS);
    Put<std::uint32_t>(Out, Size);
    for (std::int32_t V : {0, 0, W - 1, H - 1, 0, 0, 0, 0, W, H}) {
      Put<std::int32_t>(Out, V);
    }
    Put<std::uint32_t>(Out, Fixed);
    Put<std::uint32_t>(Out, static_cast<std::uint32_t>(Dib.Info.size()));
    Put<std::uint32_t>(Out, static_cast<std::uint32_t>(Fixed + Dib.Info.size()));
    Put<std::uint32_t>(Out, static_cast<std::uint32_t>(Dib.Bits.size()));
    Put<std::uint32_t>(Out, 0);  // DIB_RGB_COLORS
    Put<std::uint32_t>(Out, RopSrcCopy);
    Put<std::int32_t>(Out, W);
    Put<std::int32_t>(Out, H);
    Out += Dib.Info;
    Out += Dib.Bits;
    // The end.
    for (std::uint32_t V : {EMR_EOF, 20u, 0u, 16u, 20u}) {
      Put<std::uint32_t>(Out, V);
    }
    PutAt<std::uint32_t>(Out, 48, static_cast<std::uint32_t>(Out.size()));
  } else {
    // The placeable header (96 units an inch, so one unit is one pixel) with its checksum.
    std::string Head;
    Put<std::uint32_t>(Head, PlaceableKey);
    Put<std::uint16_t>(Head, 0);
    for (std::int16_t V :
         {std::int16_t(0), std::int16_t(0), static_cast<std::int16_t>(W), static_cast<std::int16_t>(H)}) {
      Put<std::int16_t>(Head, V);
    }
    Put<std::uint16_t>(Head, static_cast<std::uint16_t>(ScreenDpi));
    Put<std::uint32_t>(Head, 0);
    std::uint16_t Sum = 0;
    for (std::size_t I = 0; I < 20; I += 2) {
      Sum ^= Get<std::uint16_t>(Head, I);
    }
    Put<std::uint16_t>(Head, Sum);
    // The metafile: header, window origin and extent, the bitmap copy, the end.
    std::string Body;
    Put<std::uint16_t>(Body, 1);
    Put<std::uint16_t>(Body, 9);
    Put<std::uint16_t>(Body, 0x300);
    Put<std::uint32_t>(Body, 0);  // size in words, below
    Put<std::uint16_t>(Body, 0);
    Put<std::uint32_t>(Body, 0);  // largest record, below
    Put<std::uint16_t>(Body, 0);
    const auto Record = [&Body](std::uint16_t Function, const std::string& Params) {
      Put<std::uint32_t>(Body, static_cast<std::uint32_t>(3 + Params.size() / 2));
      Put<std::uint16_t>(Body, Function);
      Body += Params;
      return static_cast<std::uint32_t>(3 + Params.size() / 2);
    };
    std::string P;
    Put<std::int16_t>(P, 0);
    Put<std::int16_t>(P, 0);
    Record(META_SETWINDOWORG, P);
    P.clear();
    Put<std::int16_t>(P, static_cast<std::int16_t>(H));
    Put<std::int16_t>(P, static_cast<std::int16_t>(W));
    Record(META_SETWINDOWEXT, P);
    P.clear();
    Put<std::uint32_t>(P, RopSrcCopy);
    Put<std::uint16_t>(P, 0);
    for (Integer V : {H, W, 0, 0, H, W, 0, 0}) {
      Put<std::int16_t>(P, static_cast<std::int16_t>(V));
    }
    P += Dib.Info;
    P += Dib.Bits;
    if (P.size() % 2 != 0) {
      P += '\0';
    }
    const std::uint32_t Largest = Record(META_STRETCHDIB, P);
    Record(META_EOF, {});
    PutAt<std::uint32_t>(Body, 6, static_cast<std::uint32_t>(Body.size() / 2));
    PutAt<std::uint32_t>(Body, 12, Largest);
    Out = Head + Body;
  }
  Stream->Write(Out.data(), static_cast<LongInt>(Out.size()));
}

void TMetafile::LoadFromStream(TStream* Stream) {
  const std::string In = ReadAll(Stream);
  std::vector<std::unique_ptr<TBitmap>> Bitmaps;
  std::vector<TCopy> Copies;
  Integer W = 0, H = 0;
  bool IsEnhanced = false;
  const auto AddCopy = [&](const TRect& Dest, const std::string& Info, const std::string& Bits) {
    auto B = std::make_unique<TBitmap>();
    DecodeDib(Info, Bits, *B);
    Copies.push_back({Dest, B.get()});
    Bitmaps.push_back(std::move(B));
  };
  if (In.size() >= 8 && Get<std::uint32_t>(In, 0) == EMR_HEADER && In.size() >= 88 &&
      Get<std::uint32_t>(In, 40) == EmfSignature) {
    IsEnhanced = true;
    const std::int32_t L = Get<std::int32_t>(In, 8), T = Get<std::int32_t>(In, 12);
    const std::int32_t R = Get<std::int32_t>(In, 16), B = Get<std::int32_t>(In, 20);
    if (R < L || B < T || static_cast<std::int64_t>(R) - L >= 32768 || static_cast<std::int64_t>(B) - T >= 32768) {
      Invalid("its bounds are empty or too large");
    }
    W = R - L + 1;
    H = B - T + 1;
    std::size_t At = 0;
    bool Ended = false;
    for (std::size_t Count = 0; At < In.size() && !Ended; ++Count) {
      const std::uint32_t Type = Get<std::uint32_t>(In, At);
      const std::uint32_t Size = Get<std::uint32_t>(In, At + 4);
      if (Size < 8 || Size % 4 != 0 || Size > In.size() - At || Count >= MaxRecords) {
        Invalid("a record's size does not fit the file");
      }
      if (Type == EMR_STRETCHDIBITS) {
        if (Size < 80) {
          Invalid("a bitmap copy is too short");
        }
        const std::string Rec = In.substr(At, Size);
        const std::int32_t X = Get<std::int32_t>(Rec, 24), Y = Get<std::int32_t>(Rec, 28);
        const std::int32_t Cx = Get<std::int32_t>(Rec, 72), Cy = Get<std::int32_t>(Rec, 76);
        AddCopy(TRect{X - L, Y - T, X - L + Cx, Y - T + Cy},
                BytesOf(Rec, Get<std::uint32_t>(Rec, 48), Get<std::uint32_t>(Rec, 52)),
                BytesOf(Rec, Get<std::uint32_t>(Rec, 56), Get<std::uint32_t>(Rec, 60)));
      } else if (Type == EMR_EOF) {
        Ended = true;
      }
      At += Size;
    }
  } else if (In.size() >= 22 && Get<std::uint32_t>(In, 0) == PlaceableKey) {
    const std::int16_t L = Get<std::int16_t>(In, 6), T = Get<std::int16_t>(In, 8);
    const std::int16_t R = Get<std::int16_t>(In, 10), B = Get<std::int16_t>(In, 12);
    const std::uint16_t Inch = Get<std::uint16_t>(In, 14);
    if (R <= L || B <= T || Inch == 0) {
      Invalid("its bounds are empty");
    }
    W = static_cast<Integer>((static_cast<std::int64_t>(R) - L) * ScreenDpi / Inch);
    H = static_cast<Integer>((static_cast<std::int64_t>(B) - T) * ScreenDpi / Inch);
    if (W <= 0 || H <= 0 || W >= 32768 || H >= 32768) {
      Invalid("its bounds are empty or too large");
    }
    const std::size_t Start = 22;
    if (Get<std::uint16_t>(In, Start + 2) != 9) {
      Invalid("its header is not a metafile header");
    }
    std::size_t At = Start + 18;
    bool Ended = false;
    for (std::size_t Count = 0; !Ended; ++Count) {
      const std::uint64_t Words = Get<std::uint32_t>(In, At);
      const std::uint16_t Function = Get<std::uint16_t>(In, At + 4);
      if (Words < 3 || Words * 2 > In.size() - At || Count >= MaxRecords) {
        Invalid("a record's size does not fit the file");
      }
      const std::size_t Size = static_cast<std::size_t>(Words * 2);
      if (Function == META_EOF) {
        Ended = true;
      } else if (Function == META_STRETCHDIB) {
        if (Size < 28 + 12) {
          Invalid("a bitmap copy is too short");
        }
        const std::string Rec = In.substr(At, Size);
        const auto V = [&Rec](std::size_t Pos) { return static_cast<Integer>(Get<std::int16_t>(Rec, Pos)); };
        const Integer DestH = V(20), DestW = V(22), Yd = V(24), Xd = V(26);
        const std::uint32_t InfoSize = Get<std::uint32_t>(Rec, 28);
        if (InfoSize < 12 || InfoSize > Size - 28) {
          Invalid("a bitmap copy's header does not fit its record");
        }
        const std::string Dib = Rec.substr(28);
        const std::size_t Rows = PackedRowsOffset(Dib);
        AddCopy(TRect{Xd, Yd, Xd + DestW, Yd + DestH}, Dib.substr(0, Rows), Dib.substr(Rows));
      }
      At += Size;
    }
  } else {
    Invalid("it is neither an enhanced nor a placeable metafile");
  }
  FWidth = W;
  FHeight = H;
  Enhanced = IsEnhanced;
  {
    TMetafileCanvas C(this, 0);
    for (const TCopy& Copy : Copies) {
      C.StretchDraw(Copy.Dest, Copy.Bitmap);
    }
  }
  Changed();
}
