// Shared fixture of the editor control's windowed tests: a form with one or two editors shown offscreen, an
// HTML highlighter from the shipped rules and helpers that read back what was painted.
#pragma once

#include "editor/Easyeditor.h"
#include "editor/Easyeditorparser.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// The colour the layer shows for a TColor, as a saved picture holds it (0xFFRRGGBB).
inline std::uint32_t Argb(TColor C) {
  const COLORREF R = ColorToRGB(C);
  return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(R)) << 16) |
         (static_cast<std::uint32_t>(GetGValue(R)) << 8) | GetBValue(R);
}

class EditorWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(20, 20, 720, 520);
    Edit = NewEditor(0, 0, 600, 400);
    Form->Show();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    Form = nullptr;
    Harness::RunUntilIdle();
  }
  TEasyEdit* NewEditor(int X, int Y, int W, int H) {
    auto* E = new TEasyEdit(Form);
    E->SetParent(Form);
    E->SetBounds(X, Y, W, H);
    return E;
  }
  TEasyEditorParser* HtmlParser() {
    if (!Parser) {
      Parser = new TEasyEditorParser(Form);
      Parser->LoadRulesFromFile(std::string(ZUBQ_SOURCE_DIR) + "/data/ParserRules/html.xs");
    }
    return Parser;
  }
  // Paints whatever is invalid and reads the editor's window back.
  Harness::TSavedImage Snapshot(TCustomEasyEdit* E, const std::string& Name) {
    Harness::RunUntilIdle();
    const std::string File = (std::filesystem::temp_directory_path() / Name).string();
    EXPECT_TRUE(Harness::SaveWindowPng(E->Handle(), File));
    Harness::TSavedImage Image;
    EXPECT_TRUE(Harness::LoadPng(File, Image));
    return Image;
  }
  // The saved picture covers the window rectangle; client coordinates start inside the border.
  static TPoint ClientOrigin(TCustomEasyEdit* E) {
    TRect W{};
    GetWindowRect(E->Handle(), &W);
    TPoint P{0, 0};
    ClientToScreen(E->Handle(), &P);
    return TPoint{P.X - W.Left, P.Y - W.Top};
  }
  static bool CellHas(const Harness::TSavedImage& Image, TPoint Origin, const TRect& Cell, std::uint32_t Color) {
    for (int Y = Cell.Top; Y < Cell.Bottom; ++Y) {
      for (int X = Cell.Left; X < Cell.Right; ++X) {
        if (Image.At(Origin.X + X, Origin.Y + Y) == Color) {
          return true;
        }
      }
    }
    return false;
  }
  // Whether a pixel of the cell lies within Tolerance of Color in every channel (glyphs are antialiased).
  static bool CellHasNear(const Harness::TSavedImage& Image, TPoint Origin, const TRect& Cell, std::uint32_t Color,
                          int Tolerance) {
    auto Channel = [](std::uint32_t C, int Shift) { return static_cast<int>((C >> Shift) & 0xFF); };
    for (int Y = Cell.Top; Y < Cell.Bottom; ++Y) {
      for (int X = Cell.Left; X < Cell.Right; ++X) {
        const std::uint32_t P = Image.At(Origin.X + X, Origin.Y + Y);
        if (std::abs(Channel(P, 16) - Channel(Color, 16)) <= Tolerance &&
            std::abs(Channel(P, 8) - Channel(Color, 8)) <= Tolerance &&
            std::abs(Channel(P, 0) - Channel(Color, 0)) <= Tolerance) {
          return true;
        }
      }
    }
    return false;
  }
  TForm* Form = nullptr;
  TEasyEdit* Edit = nullptr;
  TEasyEditorParser* Parser = nullptr;
};
