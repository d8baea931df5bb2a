// The main window's images, drawn once at run time and registered as the program's bitmap resources.
#include "mainwindow/Programimages.h"

#include "platform/classes/Streams.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Resources.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr TColor Transparent = clFuchsia;

TColor Rgb(int R, int G, int B) { return static_cast<TColor>(RGB(R, G, B)); }

// The bitmap's bytes as a BMP file, which the resource table keeps.
std::string Bytes(TBitmap& B) {
  TMemoryStream Out;
  B.SaveToStream(&Out);
  std::string Data(static_cast<std::size_t>(Out.Size()), '\0');
  Out.SetPosition(0);
  Out.ReadBuffer(Data.data(), Out.Size());
  return Data;
}

// Drawing helpers on one 16 x 16 cell whose left edge is X0.
class TCell {
public:
  TCell(TCanvas* Canvas, int X0) : C(Canvas), X(X0) {}
  void Box(int L, int T, int R, int B, TColor Fill, TColor Line) {
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(Line);
    C->Pen()->SetWidth(1);
    C->Rectangle(X + L, T, X + R, B);
  }
  void Disc(int L, int T, int R, int B, TColor Fill, TColor Line) {
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(Line);
    C->Pen()->SetWidth(1);
    C->Ellipse(X + L, T, X + R, B);
  }
  void Line(const std::vector<TPoint>& Points, TColor Color, int Width = 1) {
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(Width);
    C->MoveTo(X + Points.front().X, Points.front().Y);
    for (std::size_t I = 1; I < Points.size(); ++I) {
      C->LineTo(X + Points[I].X, Points[I].Y);
    }
    C->Pen()->SetWidth(1);
  }
  void Shape(std::vector<TPoint> Points, TColor Fill, TColor Line) {
    for (TPoint& P : Points) {
      P.X += X;
    }
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(Line);
    C->Polygon(Points);
  }
  void Text(const std::string& S, TColor Color, int Height = -10, bool Bold = true) {
    C->Font()->SetName("Arial");
    C->Font()->SetHeight(Height);
    C->Font()->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
    C->Font()->SetColor(Color);
    SetBkMode(C->Handle(), TRANSPARENT);
    const TSize Size = C->TextExtent(S);
    C->TextOut(X + 8 - Size.cx / 2, 8 - Size.cy / 2, S);
  }
  void Page(int L, int T, int R, int B) {
    Shape({{L, T}, {R - 4, T}, {R, T + 4}, {R, B}, {L, B}}, clWhite, Rgb(64, 64, 64));
    Line({{R - 4, T}, {R - 4, T + 4}, {R, T + 4}}, Rgb(64, 64, 64));
  }
  void Window(TColor Title = Rgb(0, 64, 160)) {
    Box(1, 2, 15, 14, clWhite, Rgb(64, 64, 64));
    Box(1, 2, 15, 5, Title, Title);
  }
  void Arrow(bool Right, int Y, TColor Color) {
    if (Right) {
      Shape({{3, Y - 2}, {9, Y - 2}, {9, Y - 5}, {14, Y}, {9, Y + 5}, {9, Y + 2}, {3, Y + 2}}, Color, Color);
    } else {
      Shape({{13, Y - 2}, {7, Y - 2}, {7, Y - 5}, {2, Y}, {7, Y + 5}, {7, Y + 2}, {13, Y + 2}}, Color, Color);
    }
  }
  void Floppy(int Dx, int Dy) {
    Box(1 + Dx, 1 + Dy, 13 + Dx, 13 + Dy, Rgb(0, 64, 160), Rgb(0, 32, 96));
    Box(4 + Dx, 1 + Dy, 10 + Dx, 6 + Dy, clWhite, clWhite);
    Box(3 + Dx, 9 + Dy, 11 + Dx, 13 + Dy, Rgb(192, 192, 192), Rgb(192, 192, 192));
  }
  void Lines(int L, int R) {
    for (int Y = 3; Y <= 12; Y += 3) {
      Line({{L, Y}, {R, Y}}, Rgb(64, 64, 64));
    }
  }
  void Globe() {
    Disc(1, 1, 15, 15, Rgb(96, 160, 240), Rgb(0, 64, 160));
    Shape({{4, 4}, {8, 3}, {9, 7}, {6, 9}, {4, 7}}, Rgb(0, 160, 64), Rgb(0, 128, 48));
    Shape({{10, 9}, {13, 8}, {12, 12}, {10, 12}}, Rgb(0, 160, 64), Rgb(0, 128, 48));
  }
  TCanvas* C;
  int X;
};

void DrawToolbarImage(TCell& D, int Index) {
  const TColor Dark = Rgb(64, 64, 64);
  const TColor Green = Rgb(0, 144, 48);
  const TColor Blue = Rgb(0, 64, 160);
  const TColor Red = Rgb(208, 32, 32);
  switch (Index) {
    case 0: D.Page(3, 1, 13, 15); break;
    case 1: D.Shape({{1, 4}, {6, 4}, {7, 6}, {14, 6}, {14, 14}, {1, 14}}, Rgb(240, 200, 64), Rgb(160, 120, 0)); break;
    case 2: D.Floppy(1, 1); break;
    case 3:
      D.Floppy(0, 0);
      D.Floppy(3, 3);
      break;
    case 4:
      D.Box(4, 1, 12, 7, clWhite, Dark);
      D.Box(1, 6, 15, 12, Rgb(192, 192, 192), Dark);
      D.Box(4, 10, 12, 15, clWhite, Dark);
      break;
    case 5:
    case 6: D.Arrow(Index == 6, 8, Blue); break;
    case 7:
      D.Line({{4, 1}, {10, 10}}, Dark, 2);
      D.Line({{12, 1}, {6, 10}}, Dark, 2);
      D.Disc(2, 9, 7, 15, clWhite, Red);
      D.Disc(9, 9, 14, 15, clWhite, Red);
      break;
    case 8:
      D.Page(1, 1, 10, 12);
      D.Page(6, 4, 15, 15);
      break;
    case 9:
      D.Box(2, 2, 13, 15, Rgb(176, 128, 64), Dark);
      D.Box(5, 1, 10, 4, Rgb(192, 192, 192), Dark);
      D.Page(7, 6, 15, 15);
      break;
    case 10:
    case 11:
      D.Disc(1, 1, 10, 10, Rgb(208, 232, 255), Dark);
      D.Line({{9, 9}, {14, 14}}, Dark, 3);
      if (Index == 11) {
        D.Line({{11, 2}, {15, 2}, {15, 6}}, Red, 2);
      }
      break;
    case 12:
      D.Text("abc", Blue, -8, false);
      D.Line({{6, 12}, {8, 14}, {14, 9}}, Green, 2);
      break;
    case 13:
      D.Disc(1, 1, 15, 15, Blue, Blue);
      D.Text("?", clWhite);
      break;
    case 14:
      D.Globe();
      D.Arrow(false, 12, Red);
      break;
    case 15:
    case 16:
      D.Lines(7, 15);
      D.Shape(Index == 15 ? std::vector<TPoint>{{5, 4}, {5, 12}, {1, 8}} : std::vector<TPoint>{{1, 4}, {1, 12}, {5, 8}},
              Blue, Blue);
      break;
    case 17:
      D.Window();
      D.Box(1, 5, 6, 14, Rgb(192, 192, 192), Dark);
      break;
    case 18:
      D.Window();
      D.Line({{8, 5}, {8, 14}}, Dark);
      break;
    case 19:
      D.Window();
      D.Line({{1, 9}, {15, 9}}, Dark);
      break;
    case 20: D.Line({{2, 8}, {6, 12}, {14, 3}}, Green, 3); break;
    case 21:
      D.Window();
      D.Line({{3, 7}, {3, 12}, {13, 12}, {13, 7}}, Red);
      break;
    case 22:
      D.Window(Green);
      D.Disc(5, 6, 12, 13, Rgb(96, 160, 240), Blue);
      break;
    case 23:
      D.Window();
      D.Arrow(true, 10, Green);
      break;
    case 24:
      D.Window();
      D.Box(1, 5, 4, 14, Rgb(192, 192, 192), Rgb(192, 192, 192));
      break;
    case 25: D.Text("12", Blue); break;
    case 26: D.Text("\xB6", Blue, -12); break;
    case 27:
      D.Line({{2, 4}, {12, 4}, {12, 11}, {5, 11}}, Blue, 2);
      D.Shape({{6, 8}, {6, 14}, {2, 11}}, Blue, Blue);
      break;
    case 28:
      D.Lines(2, 14);
      D.Box(1, 5, 15, 8, Rgb(255, 240, 96), Rgb(255, 240, 96));
      break;
    case 29:
      D.Line({{2, 3}, {2, 13}}, Blue, 2);
      D.Shape({{13, 3}, {13, 13}, {5, 8}}, Blue, Blue);
      break;
    case 30:
      D.Line({{13, 3}, {13, 13}}, Blue, 2);
      D.Shape({{2, 3}, {2, 13}, {10, 8}}, Blue, Blue);
      break;
    case 31:
    case 32: D.Arrow(Index == 32, 8, Green); break;
    case 33:
      D.Shape({{5, 1}, {10, 1}, {14, 5}, {14, 10}, {10, 14}, {5, 14}, {1, 10}, {1, 5}}, Red, Rgb(128, 0, 0));
      D.Line({{5, 5}, {10, 10}}, clWhite, 2);
      D.Line({{10, 5}, {5, 10}}, clWhite, 2);
      break;
    case 34:
      // A circle of arrows: most of a ring, its end pointing on.
      D.Line({{13, 6}, {11, 3}, {8, 2}, {5, 3}, {3, 5}, {2, 8}, {3, 11}, {5, 13}, {8, 14}, {11, 13}, {13, 11}}, Green,
             2);
      D.Shape({{10, 1}, {15, 1}, {15, 6}}, Green, Green);
      break;
    case 35: D.Text("<>", Blue); break;
    case 36:
      D.Page(1, 1, 11, 15);
      D.Disc(6, 6, 13, 13, Rgb(208, 232, 255), Dark);
      D.Line({{12, 12}, {15, 15}}, Dark, 2);
      break;
    default: break;
  }
}

// error, warning, message, comment, none on a square of Size pixels.
void DrawResultImage(TCanvas* C, int Size, int Kind, TColor Background) {
  C->Brush()->SetColor(Background);
  C->FillRect(Rect(0, 0, Size, Size));
  TCell D(C, 0);
  const int E = Size - 1;
  static const std::array<TColor, RESULT_IMAGE_COUNT> Fill = {Rgb(208, 32, 32), Rgb(240, 192, 0), Rgb(0, 96, 208),
                                                              Rgb(144, 144, 144), Rgb(0, 160, 64)};
  const TColor Color = Fill[static_cast<std::size_t>(Kind)];
  if (Size <= 8) {
    D.Disc(1, 1, E, E, Color, Color);
    return;
  }
  switch (Kind) {
    case 0:
      D.Disc(0, 0, Size, Size, Color, Color);
      D.Line({{3, 3}, {E - 2, E - 2}}, clWhite, 2);
      D.Line({{E - 3, 3}, {2, E - 2}}, clWhite, 2);
      break;
    case 1:
      D.Shape({{Size / 2, 0}, {E, E}, {0, E}}, Color, Rgb(128, 96, 0));
      D.Line({{Size / 2, 3}, {Size / 2, E - 4}}, clBlack, 1);
      D.Line({{Size / 2, E - 2}, {Size / 2, E - 1}}, clBlack, 1);
      break;
    case 2:
      D.Disc(0, 0, Size, Size, Color, Color);
      D.Line({{Size / 2, 2}, {Size / 2, 3}}, clWhite, 1);
      D.Line({{Size / 2, 5}, {Size / 2, E - 1}}, clWhite, 1);
      break;
    case 3:
      D.Shape({{0, 0}, {E, 0}, {E, E - 3}, {5, E - 3}, {2, E}, {2, E - 3}, {0, E - 3}}, Color, Rgb(96, 96, 96));
      break;
    default: D.Line({{1, Size / 2}, {4, E - 2}, {E - 1, 2}}, Color, 2); break;
  }
}

// Keeps the images' bytes for the process: the resource table refers to them.
struct TImages {
  std::string Strip;
  std::vector<std::string> Results;
  std::vector<std::string> Pages;
};

TImages DrawAll() {
  TImages Out;
  TBitmap Strip;
  Strip.SetSize(TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT, TOOLBAR_IMAGE_SIZE);
  TCanvas* C = Strip.Canvas();
  C->Brush()->SetColor(Transparent);
  C->FillRect(Rect(0, 0, TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT, TOOLBAR_IMAGE_SIZE));
  for (int I = 0; I < TOOLBAR_IMAGE_COUNT; ++I) {
    TCell Cell(C, I * TOOLBAR_IMAGE_SIZE);
    DrawToolbarImage(Cell, I);
  }
  Out.Strip = Bytes(Strip);
  for (int Kind = 0; Kind < RESULT_IMAGE_COUNT; ++Kind) {
    TBitmap Result;
    Result.SetSize(12, 12);
    DrawResultImage(Result.Canvas(), 12, Kind, clWhite);
    Out.Results.push_back(Bytes(Result));
    TBitmap Page;
    Page.SetSize(8, 8);
    DrawResultImage(Page.Canvas(), 8, Kind, clBtnFace);
    Out.Pages.push_back(Bytes(Page));
  }
  return Out;
}

}  // namespace

void RegisterProgramImages() {
  static const TImages Images = DrawAll();
  static const bool Registered = [] {
    RegisterResource(RT_BITMAP, TOOLBAR_IMAGES_RESOURCE, Images.Strip.data(), Images.Strip.size());
    for (int Kind = 0; Kind < RESULT_IMAGE_COUNT; ++Kind) {
      const auto K = static_cast<std::size_t>(Kind);
      const std::string Result = RESULT_IMAGES_RESOURCE + std::to_string(Kind);
      RegisterResource(RT_BITMAP, Result.c_str(), Images.Results[K].data(), Images.Results[K].size());
      const std::string Page = PAGE_IMAGES_RESOURCE + std::to_string(Kind);
      RegisterResource(RT_BITMAP, Page.c_str(), Images.Pages[K].data(), Images.Pages[K].size());
    }
    return true;
  }();
  (void)Registered;
}

void LoadToolbarImages(TCustomImageList* List) {
  if (List == nullptr) {
    return;
  }
  RegisterProgramImages();
  List->Clear();
  List->SetWidth(TOOLBAR_IMAGE_SIZE);
  List->SetHeight(TOOLBAR_IMAGE_SIZE);
  List->Masked = true;
  TBitmap Strip;
  Strip.LoadFromResourceName(0, TOOLBAR_IMAGES_RESOURCE);
  (void)List->AddMasked(&Strip, Transparent);  // the strip holds every image; its index is the first
}
