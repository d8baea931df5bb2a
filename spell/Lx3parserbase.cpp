// The string cursor of the spell checker.
#include "spell/Lx3parserbase.h"

#include <algorithm>

void TStringParser::Initialize(void* Control) {
  FText = static_cast<std::string*>(Control);
  FCursor = 1;
  FEnd = 0;
  FEndSet = false;
  FSelected = 0;
}

char TStringParser::GetChar() {
  if (!FText || FCursor < 1 || FCursor > static_cast<int>(FText->size())) {
    return 0;
  }
  return (*FText)[static_cast<std::size_t>(FCursor - 1)];
}

std::string TStringParser::GetLine() { return FText ? *FText : std::string(); }

bool TStringParser::MoveNext() {
  const int Before = FCursor;
  ++FCursor;
  const bool Within = FText && Before >= 1 && Before <= static_cast<int>(FText->size());
  return Within && (!FEndSet || FCursor <= FEnd);
}

bool TStringParser::MovePrevious() {
  if (FCursor > 1) {
    --FCursor;
    return true;
  }
  return false;
}

void TStringParser::SetPosition(int X, int, TPositionType Kind) {
  if (Kind == ptCurrent) {
    FCursor = std::max(1, X);
  } else {
    FEnd = X;
    FEndSet = true;
  }
}

void TStringParser::GetPosition(int& X, int& Y) {
  X = FCursor;
  Y = 0;
}

void TStringParser::SelectWord(int Length) {
  FSelected = std::max(0, Length);
  FCursor = std::max(1, FCursor - FSelected);
}

void TStringParser::ReplaceWord(const std::string& Text, int) {
  if (!FText) {
    return;
  }
  const auto Start = std::min(static_cast<std::size_t>(FCursor - 1), FText->size());
  const auto Count = std::min(static_cast<std::size_t>(FSelected), FText->size() - Start);
  if (FEndSet) {
    FEnd += static_cast<int>(Text.size()) - static_cast<int>(Count);
  }
  FText->replace(Start, Count, Text);
  FCursor = static_cast<int>(Start + Text.size()) + 1;
  FSelected = 0;
}

void TStringParser::IgnoreWord(int) { FCursor += FSelected; }

void TStringParser::GetCursorPosition(int& X, int& Y) {
  X = FCursor;
  Y = 0;
}

void TStringParser::GetSelectionPosition(int& StartX, int& StartY, int& EndX, int& EndY) {
  StartX = FCursor;
  StartY = 0;
  EndX = FCursor;
  EndY = 0;
}

void TStringParser::GetControlScreenPosition(RECT& Rect) { Rect = TRect{-1, -1, -1, -1}; }
void TStringParser::GetSelectionScreenPosition(RECT& Rect) { Rect = TRect{-1, -1, -1, -1}; }
