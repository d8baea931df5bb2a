// The file dialogs' button pictures.
#include "shell/Uptdlgglyphs.h"

#include "platform/controls/Buttons.h"
#include "platform/graphics/Graphics.h"

#include <memory>

namespace {

constexpr int Size = 16;
constexpr TColor Background = clOlive;  // shows through: the bottom-left pixel

void Folder(TCanvas* C) {
  C->Brush()->SetColor(clYellow);
  C->Pen()->SetColor(clBlack);
  C->Polygon({{1, 4}, {6, 4}, {7, 5}, {14, 5}, {14, 13}, {1, 13}});
}

void Draw(TCanvas* C, TPTDialogGlyph Kind) {
  C->Pen()->SetColor(clBlack);
  switch (Kind) {
    case TPTDialogGlyph::UpOneLevel:
      Folder(C);
      C->Brush()->SetColor(clBlack);
      C->Polygon({{9, 2}, {13, 6}, {10, 6}, {10, 10}, {8, 10}, {8, 6}, {5, 6}});
      break;
    case TPTDialogGlyph::Desktop:
      C->Brush()->SetColor(clTeal);
      C->Rectangle(1, 2, 15, 11);
      C->MoveTo(5, 13);
      C->LineTo(11, 13);
      C->MoveTo(8, 11);
      C->LineTo(8, 13);
      break;
    case TPTDialogGlyph::NewFolder:
      Folder(C);
      C->Pen()->SetColor(clRed);
      C->MoveTo(11, 0);
      C->LineTo(11, 5);
      C->MoveTo(9, 2);
      C->LineTo(14, 2);
      break;
    case TPTDialogGlyph::Tree:
      C->Brush()->SetColor(clWhite);
      C->Rectangle(1, 1, 6, 5);
      C->Rectangle(6, 6, 11, 10);
      C->Rectangle(6, 11, 11, 15);
      C->MoveTo(3, 5);
      C->LineTo(3, 13);
      C->LineTo(6, 13);
      C->MoveTo(3, 8);
      C->LineTo(6, 8);
      break;
    case TPTDialogGlyph::View:
      C->Brush()->SetColor(clWhite);
      for (int Y : {1, 8}) {
        for (int X : {1, 8}) {
          C->Rectangle(X, Y, X + 6, Y + 6);
        }
      }
      break;
    case TPTDialogGlyph::Delete:
      C->Pen()->SetColor(clRed);
      for (int D = 0; D < 2; ++D) {
        C->MoveTo(3 + D, 3);
        C->LineTo(13 + D, 13);
        C->MoveTo(12 + D, 3);
        C->LineTo(2 + D, 13);
      }
      break;
  }
}

}  // namespace

void PTSetDialogGlyph(TSpeedButton* Button, TPTDialogGlyph Kind) {
  if (!Button) {
    return;
  }
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetSize(Size, Size);
  TCanvas* C = Bitmap->Canvas();
  C->Brush()->SetColor(Background);
  C->FillRect(TRect{0, 0, Size, Size});
  Draw(C, Kind);
  Button->SetGlyph(Bitmap.get());
}
