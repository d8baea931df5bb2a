// Shared fixture of the editor's input tests: one focused editor on a shown form, driven by the harness's
// scripted keys and mouse, with helpers that set the text and read it back.
#pragma once

#include "tests/editor/EditorWindowSupport.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/VirtualKeys.h"

#include <string>

class EditorInputTest : public EditorWindowTest {
protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    EditOverwrite = false;
    Edit->SetFocus();
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    EditOverwrite = false;
    EditorWindowTest::TearDown();
  }
  void SetText(const std::string& Text) {
    Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
    Harness::RunUntilIdle();
  }
  std::string Text() const {
    std::string S;
    TEasyStrings* L = Edit->GetLines();
    for (int I = 0; I < L->Count(); ++I) {
      S += (I ? "\n" : "") + L->Get(I);
    }
    return S;
  }
  std::string Line(int I) const { return Edit->GetLines()->Get(I); }
  void Caret(int X, int Y) {
    Edit->GetEditSource()->JumpTo(X, Y);
    Harness::RunUntilIdle();
  }
  TPoint Pos() const { return Edit->GetCurrentPosition(); }
  void Key(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }
  void Type(const std::string& S) {
    Harness::TypeText(S);
    Harness::RunUntilIdle();
  }
  // The client point of the middle of a character cell.
  TPoint CellPoint(int X, int Y) {
    const TPoint P = Edit->TextToPixelPoint(TPoint{X, Y}, false);
    return TPoint{P.X + Edit->Painter()->GetDefaultCharWidth() / 2, P.Y + Edit->Painter()->GetDefaultLineHeight() / 2};
  }
  static Harness::TMods Ctrl() { return Harness::TMods{false, true, false}; }
  static Harness::TMods Shift() { return Harness::TMods{true, false, false}; }
  static Harness::TMods CtrlShift() { return Harness::TMods{true, true, false}; }
};

inline bool SamePoint(const TPoint& A, int X, int Y) { return A.X == X && A.Y == Y; }
