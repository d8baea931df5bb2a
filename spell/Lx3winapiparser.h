// A text cursor over an edit or rich-edit window, driven only by the window's edit messages.
#pragma once

#include "spell/Lx3parserbase.h"

#include <array>

class TWinControl;

enum TWinAPIControlType { actEdit, actRichEdit, actRichEdit2 };

// Walks the text of an edit window line by line; the current line is kept in a buffer with CR LF appended.
// It neither owns the control nor the window.
class TWinAPIControlParser : public TControlParser {
public:
  // Control is a TWinControl whose window is an edit window.
  void Initialize(void* Control) override;
  void InitializeFromHWND(HWND Wnd);
  char GetChar() override;
  std::string GetLine() override;
  bool MoveNext() override;
  bool MovePrevious() override;
  void SetPosition(int X, int Y, TPositionType Kind) override;
  void GetPosition(int& X, int& Y) override;
  void SelectWord(int Length) override;
  void ReplaceWord(const std::string& Text, int State) override;
  void IgnoreWord(int State) override;
  void CenterSelection() override;
  void GetCursorPosition(int& X, int& Y) override;
  void GetSelectionPosition(int& StartX, int& StartY, int& EndX, int& EndY) override;
  void GetControlScreenPosition(RECT& Rect) override;
  void GetSelectionScreenPosition(RECT& Rect) override;
  void UndoLast(int, int, int&) override {}

  TWinAPIControlType ControlType() const { return FType; }

private:
  static constexpr int BufferSize = 16384;
  static constexpr int MaxLineRead = 16374;
  bool EnsureLineCurrent();
  int LineHeight();
  void CharToPosition(int Index, int& X, int& Y);
  TPoint PosFromChar(int Index);

  TWinControl* FControl = nullptr;
  HWND FWnd = 0;
  TWinAPIControlType FType = actEdit;
  int FEndX = 0;
  int FEndY = 0;
  bool FEndSet = false;
  int FX = 0;
  int FY = 0;
  std::array<char, BufferSize> FBuffer{};
  int FLineLength = 0;
  int FBufferLine = -1;
  int FLineCount = 0;
  bool FReread = true;
  int FSelStart = 0;
  int FSelLength = 0;
};
