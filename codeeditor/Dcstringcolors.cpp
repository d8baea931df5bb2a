// The memo source's colour cache: lazy, incremental parsing of the lines with the attached parser, colour data
// that follows the text, address marking, and the longest line.
#include "codeeditor/Dcstring.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Dcstring {

std::string cHotSpotChars = "-./:=?@~";
std::bitset<256> HotCharSet;
std::function<bool(const std::string& S)> OnHotString;

namespace {
bool StartsWithText(const std::string& S, const char* Prefix) {
  const std::size_t N = std::strlen(Prefix);
  return S.size() >= N && AnsiCompareText(S.substr(0, N), Prefix) == 0;
}

bool IsWWWString(const std::string& S) {
  if (S.empty()) {
    return false;
  }
  return StartsWithText(S, "WWW.") || StartsWithText(S, "HTTP://") || StartsWithText(S, "GOPHER://") ||
         StartsWithText(S, "FTP://");
}

bool IsEmailString(const std::string& S) {
  if (StartsWithText(S, "MAILTO:")) {
    return true;
  }
  const auto At = S.find('@');
  if (At == std::string::npos || S.find('@', At + 1) != std::string::npos || At + 1 >= S.size()) {
    return false;
  }
  if (S.find('.', At + 1) == std::string::npos) {
    return false;
  }
  const auto C = static_cast<unsigned char>(S[At + 1]);
  return std::isalnum(C) != 0 || C == '_';
}

bool IsWordChar(char C) {
  const auto U = static_cast<unsigned char>(C);
  return std::isalnum(U) != 0 || C == '_';
}
}  // namespace

bool IsStringHot(const std::string& S) {
  if (IsWWWString(S) || IsEmailString(S)) {
    return true;
  }
  return OnHotString ? OnHotString(S) : false;
}

bool TCustomMemoSource::StoreColorData() { return FSyntaxParser != nullptr && FSyntaxParser->StoreColorData(); }

bool TCustomMemoSource::IsSyntaxParser() {
  return FSyntaxParser != nullptr && AnsiCompareText(FSyntaxParser->ClassName(), "TSyntaxParser") == 0;
}

void TCustomMemoSource::AfterParse(Integer Index, std::string& S, std::string& ColorS) {
  if (OnAfterParse) {
    OnAfterParse(this, Index, S, ColorS);
  }
}

void TCustomMemoSource::GetLineHeight(Integer Index, TStringItem* Item) {
  if (OnGetLineHeight && Item != nullptr) {
    OnGetLineHeight(this, Index, Item);
  }
}

Integer TCustomMemoSource::ParseStrings(Integer From, Integer To, bool Force) {
  To = std::min(To, GetStrCount() - 1);
  Integer I = std::max(From, 0);
  if (To < I) {
    return ColorChangeMark;
  }
  if (FSyntaxParser != nullptr) {
    Integer St = I == 0 ? InitialParserState : GetStringItem(I - 1)->EndState;
    for (; I <= To; ++I) {
      TStringItem* Item = GetStringItem(I);
      if (Item->ItemState.Contains(isWasParsed) && Item->StartState == St) {
        St = Item->EndState;
        continue;
      }
      std::string Text = Item->Text;
      std::string Colour = Item->ColorData;
      FSyntaxParser->PrepareColorData(I, Text, Colour);
      Item->StartState = St;
      FSyntaxParser->UpdateLinePos(I);
      St = FSyntaxParser->ColorString(Text, St, Colour);
      Item->ItemState.Include(isWasParsed);
      AfterParse(I, Text, Colour);
      if (FHighlightUrls) {
        ParseUrl(I, Text, Colour);
      }
      Item->ColorData = std::move(Colour);
      if (St != Item->EndState) {
        ColorChangeMark = std::max(ColorChangeMark, I + 1);
        Item->EndState = St;
      }
      GetLineHeight(I, Item);
    }
  } else {
    if (!Force && !FHighlightUrls) {
      return ColorChangeMark;
    }
    for (; I <= To; ++I) {
      TStringItem* Item = GetStringItem(I);
      if (Item->ItemState.Contains(isWasParsed)) {
        continue;
      }
      Item->ItemState.Include(isWasParsed);
      if (!FHighlightUrls && !OnAfterParse) {
        Item->ColorData.clear();  // nothing to colour: the text is not copied
        GetLineHeight(I, Item);
        continue;
      }
      std::string Text = Item->Text;
      std::string Colour;
      if (FHighlightUrls) {
        Colour.assign(Text.size(), '\0');
        ParseUrl(I, Text, Colour);
      }
      AfterParse(I, Text, Colour);
      Item->ColorData = std::move(Colour);
      GetLineHeight(I, Item);
    }
  }
  ParsedCount = To + 1;
  return ColorChangeMark;
}

void TCustomMemoSource::ParseToString(Integer Index, bool Force) {
  if (Index < ParsedCount) {
    ParseStrings(Index, Index, Force);
    return;
  }
  const Integer To = Index < MaxInt - 100 ? Index + 100 : Index;
  ParseStrings(ParsedCount, To, Force);
}

std::string TCustomMemoSource::GetColorData(Integer Index) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr) {
    return {};
  }
  if (!Item->ItemState.Contains(isWasParsed) || Index >= ParsedCount) {
    ParseToString(Index, false);
  }
  return Item->ColorData;
}

void TCustomMemoSource::CheckColorData(const std::string& Text, std::string& Colour) const {
  if (Text.find('\t') == std::string::npos) {
    return;
  }
  std::string R;
  Integer Disp = 0;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const char Byte0 = I < Colour.size() ? Colour[I] : '\0';
    if (Text[I] == '\t') {
      const Integer W = TabWidthAt(Disp);
      R.append(static_cast<std::size_t>(W), Byte0);
      Disp += W;
    } else {
      if (I < Colour.size()) {
        R += Byte0;
      }
      ++Disp;
    }
  }
  Colour = std::move(R);
}

std::string TCustomMemoSource::GetStoredColorData(Integer Index) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr) {
    return {};
  }
  std::string Colour = GetColorData(Index);
  CheckColorData(Item->Text, Colour);
  return Colour;
}

void TCustomMemoSource::CheckStringItem(TStringItem* Item) {
  if (Item != nullptr) {
    Item->ColorData.resize(Item->Text.size(), '\0');
  }
}

void TCustomMemoSource::ColorDataChanged(const std::string& Old, Integer Line, Integer Index) {
  if (!FAllowUndo) {
    return;
  }
  if (TUndoRecord* R = CreateNewUndoRecord(soUpdateColorData)) {
    R->Value1 = Line;
    R->Value2 = Index;
    R->ColorText = Old;
  }
}

void TCustomMemoSource::MoveColorData(const std::string& NewSlice, std::string& Colour, Integer Index, Integer Line) {
  const auto Start = static_cast<std::size_t>(Index - 1);
  if (Index < 1 || Start + NewSlice.size() > Colour.size()) {
    return;
  }
  const std::string Old = Colour.substr(Start, NewSlice.size());
  if (Old == NewSlice) {
    return;
  }
  Colour.replace(Start, NewSlice.size(), NewSlice);
  ColorDataChanged(Old, Line, Index);
}

bool TCustomMemoSource::UpdateString(Integer Index) {
  TStringItem* Item = GetStringItem(Index);
  if ((ImportFlag && Index == GetStrCount() - 1) || Item == nullptr) {
    UpdateChangedLines(Index, Index);
    return false;
  }
  const Integer OldHeight = Item->LineHeight;
  const Integer OldEnd = Item->EndState;
  const Integer OldParsed = ParsedCount;
  UpdateChangedLines(Index, Index);
  ParseStrings(Index, Index, true);
  ParsedCount = OldParsed;
  const bool Result = Item->EndState != OldEnd && !StoreColorData();
  if (Item->LineHeight != OldHeight || Item->EndState != OldEnd) {
    UpdateChangedLines(Index, MaxInt);
  }
  return Result;
}

Byte TCustomMemoSource::GetAttr(const TPoint& P) {
  const TStringItem* Item = GetStringItem(P.Y);
  if (Item == nullptr || Item->ColorData.empty()) {
    return 0;
  }
  if (CurrentAttr >= 0) {
    return static_cast<Byte>(CurrentAttr);
  }
  std::string Aligned = Item->ColorData;
  CheckColorData(Item->Text, Aligned);
  if (Aligned.empty()) {
    return 0;
  }
  Integer C = std::min<Integer>(P.X, static_cast<Integer>(Aligned.size()));
  if (P.X <= 0) {
    C = 1;
  }
  auto At = [&](Integer K) { return static_cast<Byte>(Aligned[static_cast<std::size_t>(K - 1)]); };
  Byte B = At(C);
  while (B == 12 && C > 1) {
    --C;
    B = At(C);
  }
  return B == 12 ? 0 : B;
}

void TCustomMemoSource::ParseUrl(Integer Index, const std::string& Text, std::string& Colour) {
  if (FColorUndo || Text.size() != Colour.size()) {
    return;
  }
  std::bitset<256> StartSet = HotCharSet;
  std::bitset<256> RunSet = HotCharSet;
  for (int C = 0; C < 256; ++C) {
    if (IsWordChar(static_cast<char>(C))) {
      StartSet.set(static_cast<std::size_t>(C));
      RunSet.set(static_cast<std::size_t>(C));
    }
  }
  for (char C : cHotSpotChars) {
    RunSet.set(static_cast<Byte>(C));
  }
  const bool Stored = StoreColorData();
  std::size_t P = 0;
  while (P < Text.size()) {
    while (P < Text.size() && !StartSet[static_cast<Byte>(Text[P])]) {
      ++P;
    }
    if (P >= Text.size()) {
      break;
    }
    std::size_t E = P;
    while (E < Text.size() && RunSet[static_cast<Byte>(Text[E])]) {
      ++E;
    }
    std::string Run = Text.substr(P, E - P);
    if (E < Text.size()) {
      Run += Text[E];
    }
    if (IsStringHot(Run)) {
      const std::string Slice(E - P, static_cast<char>(12));
      if (Stored) {
        MoveColorData(Slice, Colour, static_cast<Integer>(P) + 1, Index);
      } else {
        Colour.replace(P, E - P, Slice);
      }
    }
    P = E + 1;
  }
}

Integer TCustomMemoSource::GetMaxLen(Integer Index) {
  TStringItem* Item = GetStringItem(Index);
  if (OnGetLineHeight && Item != nullptr) {
    if (!Item->ItemState.Contains(isWasParsed)) {
      ParseStrings(Index, Index, true);
    }
    if (Item->LineWidth != 0) {
      return Item->LineWidth;
    }
  }
  return DisplayLength(Index);
}

void TCustomMemoSource::ReCalculateMaxLine() {
  if (FMaxLineBatch) {
    FMaxLinePending = true;
    return;
  }
  MaxLineLength = 0;
  MaxLineIndex = -1;
  if (!FMaxLineTracking) {
    return;
  }
  if (OnGetLineHeight) {
    ParseStrings(0, GetStrCount() - 1, true);
  }
  for (Integer I = 0; I < GetStrCount(); ++I) {
    const Integer L = GetMaxLen(I);
    if (L >= MaxLineLength) {
      MaxLineLength = L;
      MaxLineIndex = I;
    }
  }
}

void TCustomMemoSource::UpdateMaxLine(bool Enable) {
  FMaxLineTracking = FMaxLineTracking || Enable;
  ReCalculateMaxLine();
}

void TCustomMemoSource::ParserChanged() {
  if (FDestroying) {
    return;
  }
  BeginUpdate(Reason::ParserChange);
  try {
    State.Include(msParserChanged);
    const bool Keep = StoreColorData();
    for (Integer I = 0; I < GetStrCount(); ++I) {
      TStringItem* Item = GetStringItem(I);
      Item->ItemState.Exclude(isWasParsed);
      if (!Keep) {
        Item->ColorData.clear();
      }
      Item->LineHeight = 0;
      Item->LineWidth = 0;
      Item->BaseLine = 0;
    }
    ParsedCount = 0;
    ReCalculateMaxLine();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomMemoSource::ParserOnChange(TObject* Sender, NativeInt, NativeInt) {
  if (Sender == FSyntaxParser && Sender != nullptr) {
    ParserChanged();
  }
}

void TCustomMemoSource::SetSyntaxParser(Dorazori::TSimpleParser* Value) {
  if (Value == FSyntaxParser) {
    return;
  }
  const auto Method = Dorazori::TNotifierProc::Of<&TCustomMemoSource::ParserOnChange>(this);
  if (FSyntaxParser != nullptr) {
    FSyntaxParser->UnRegisterNotifier(Method);
    FSyntaxParser->RemoveFreeNotification(this);
  }
  FSyntaxParser = Value;
  if (FSyntaxParser != nullptr) {
    FSyntaxParser->FreeNotification(this);
    FSyntaxParser->RegisterNotifier(Method);
  }
  ParserChanged();
}

void TCustomMemoSource::SetHighLightUrls(bool Value) {
  if (Value == FHighlightUrls) {
    return;
  }
  FHighlightUrls = Value;
  ParserChanged();
}

}  // namespace Dcstring
