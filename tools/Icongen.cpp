// zubq_icongen <out.ico> [--flat]: draws the program's icon (a page with a check mark) at 32 and 16 pixels and
// writes it as an icon file. Without --flat the edges are smoothed with partial transparency (the look of newer
// desktops); with it every pixel is either opaque or transparent, for desktops without alpha.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TImage {
  int Size = 0;
  std::vector<std::uint32_t> Argb;  // rows top-down
};

// Coverage of a pixel by a shape, sampled 4 x 4 times.
template <class TInside>
double Coverage(int X, int Y, double Scale, TInside Inside) {
  int Hits = 0;
  for (int Sy = 0; Sy < 4; ++Sy) {
    for (int Sx = 0; Sx < 4; ++Sx) {
      const double U = (X + (Sx + 0.5) / 4.0) / Scale;
      const double V = (Y + (Sy + 0.5) / 4.0) / Scale;
      Hits += Inside(U, V) ? 1 : 0;
    }
  }
  return Hits / 16.0;
}

double DistanceToSegment(double U, double V, double X1, double Y1, double X2, double Y2) {
  const double Dx = X2 - X1, Dy = Y2 - Y1;
  double T = ((U - X1) * Dx + (V - Y1) * Dy) / (Dx * Dx + Dy * Dy);
  T = T < 0 ? 0 : T > 1 ? 1 : T;
  return std::hypot(U - (X1 + T * Dx), V - (Y1 + T * Dy));
}

// Blends colour C (0xRRGGBB) with coverage A over the pixel.
void Over(std::uint32_t& Pixel, std::uint32_t C, double A) {
  if (A <= 0) {
    return;
  }
  const double Da = ((Pixel >> 24) & 0xFF) / 255.0;
  const double Oa = A + Da * (1 - A);
  auto Mix = [&](int Shift) {
    const double S = (C >> Shift) & 0xFF, D = (Pixel >> Shift) & 0xFF;
    return static_cast<std::uint32_t>(std::lround((S * A + D * Da * (1 - A)) / (Oa > 0 ? Oa : 1))) & 0xFF;
  };
  Pixel = (static_cast<std::uint32_t>(std::lround(Oa * 255)) << 24) | (Mix(16) << 16) | (Mix(8) << 8) | Mix(0);
}

// The design on a 32-unit square: a page with a folded corner, three text lines and a green check mark.
TImage Draw(int Size, bool Flat) {
  TImage Img;
  Img.Size = Size;
  Img.Argb.assign(static_cast<std::size_t>(Size * Size), 0);
  const double Scale = Size / 32.0;
  auto Page = [](double U, double V) {
    return U >= 5 && U <= 25 && V >= 2 && V <= 30 && !(U > 19 && V < 2 + (U - 19));
  };
  auto PageInner = [](double U, double V) {
    return U >= 6.5 && U <= 23.5 && V >= 3.5 && V <= 28.5 && !(U > 18 && V < 3.5 + (U - 18) + 1);
  };
  auto Line = [](double U, double V) {
    for (double Y : {9.0, 13.0, 17.0}) {
      if (V >= Y && V <= Y + 1.6 && U >= 9 && U <= 21) {
        return true;
      }
    }
    return false;
  };
  auto Check = [](double U, double V) {
    return DistanceToSegment(U, V, 11, 22, 16, 27) < 2.4 || DistanceToSegment(U, V, 16, 27, 29, 12) < 2.4;
  };
  for (int Y = 0; Y < Size; ++Y) {
    for (int X = 0; X < Size; ++X) {
      std::uint32_t& P = Img.Argb[static_cast<std::size_t>(Y * Size + X)];
      Over(P, 0x203880, Coverage(X, Y, Scale, Page));
      Over(P, 0xFFFFFF, Coverage(X, Y, Scale, PageInner));
      Over(P, 0x7088B0, Coverage(X, Y, Scale, Line));
      Over(P, 0x109030, Coverage(X, Y, Scale, Check));
      if (Flat) {
        P = ((P >> 24) & 0xFF) >= 128 ? (P | 0xFF000000u) : 0;
      }
    }
  }
  return Img;
}

void Put16(std::string& Out, unsigned V) {
  Out.push_back(static_cast<char>(V & 0xFF));
  Out.push_back(static_cast<char>((V >> 8) & 0xFF));
}
void Put32(std::string& Out, unsigned V) {
  Put16(Out, V & 0xFFFF);
  Put16(Out, V >> 16);
}

// One image of the file: the bitmap header (double height), BGRA rows bottom-up, then the AND mask.
std::string ImageData(const TImage& Img) {
  std::string Out;
  const int N = Img.Size;
  const int MaskStride = ((N + 31) / 32) * 4;
  Put32(Out, 40);
  Put32(Out, static_cast<unsigned>(N));
  Put32(Out, static_cast<unsigned>(2 * N));
  Put16(Out, 1);
  Put16(Out, 32);
  Put32(Out, 0);
  Put32(Out, static_cast<unsigned>(N * N * 4 + MaskStride * N));
  for (int I = 0; I < 4; ++I) {
    Put32(Out, 0);
  }
  for (int Y = N - 1; Y >= 0; --Y) {
    for (int X = 0; X < N; ++X) {
      Put32(Out, Img.Argb[static_cast<std::size_t>(Y * N + X)]);
    }
  }
  for (int Y = N - 1; Y >= 0; --Y) {
    std::vector<unsigned char> Row(static_cast<std::size_t>(MaskStride), 0);
    for (int X = 0; X < N; ++X) {
      if (((Img.Argb[static_cast<std::size_t>(Y * N + X)] >> 24) & 0xFF) == 0) {
        Row[static_cast<std::size_t>(X / 8)] |= static_cast<unsigned char>(0x80 >> (X % 8));
      }
    }
    Out.append(reinterpret_cast<const char*>(Row.data()), Row.size());
  }
  return Out;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc < 2) {
    std::fprintf(stderr, "usage: zubq_icongen <out.ico> [--flat]\n");
    return 2;
  }
  const bool Flat = Argc > 2 && std::strcmp(Argv[2], "--flat") == 0;
  const std::vector<std::string> Images = {ImageData(Draw(32, Flat)), ImageData(Draw(16, Flat))};
  std::string File;
  Put16(File, 0);
  Put16(File, 1);
  Put16(File, static_cast<unsigned>(Images.size()));
  unsigned Offset = 6 + 16 * static_cast<unsigned>(Images.size());
  const int Sizes[] = {32, 16};
  for (std::size_t I = 0; I < Images.size(); ++I) {
    File.push_back(static_cast<char>(Sizes[I]));
    File.push_back(static_cast<char>(Sizes[I]));
    File.push_back(0);
    File.push_back(0);
    Put16(File, 1);
    Put16(File, 32);
    Put32(File, static_cast<unsigned>(Images[I].size()));
    Put32(File, Offset);
    Offset += static_cast<unsigned>(Images[I].size());
  }
  for (const std::string& Image : Images) {
    File += Image;
  }
  FILE* Out = std::fopen(Argv[1], "wb");
  if (Out == nullptr || std::fwrite(File.data(), 1, File.size(), Out) != File.size() || std::fclose(Out) != 0) {
    std::fprintf(stderr, "zubq_icongen: cannot write %s\n", Argv[1]);
    return 1;
  }
  return 0;
}
