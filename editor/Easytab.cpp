// Tab stops and the conversion between characters and display columns.
#include "editor/Easytab.h"

#include "editor/Easyconsts.h"
#include "platform/rtl/Exceptions.h"

#include <climits>
#include <cstring>

Z_IMPLEMENT_CLASS(TTabStopList, TObject)

namespace {
// Splits a comma text: items are separated by commas or blanks; a double-quoted item may hold either.
std::vector<std::string> SplitCommaText(std::string_view Text) {
  std::vector<std::string> Items;
  std::size_t I = 0;
  const std::size_t N = Text.size();
  auto SkipBlanks = [&] {
    while (I < N && static_cast<unsigned char>(Text[I]) <= ' ') {
      ++I;
    }
  };
  SkipBlanks();
  while (I < N) {
    std::string Item;
    if (Text[I] == '"') {
      ++I;
      while (I < N) {
        if (Text[I] == '"') {
          if (I + 1 < N && Text[I + 1] == '"') {
            Item += '"';
            I += 2;
            continue;
          }
          ++I;
          break;
        }
        Item += Text[I++];
      }
    } else {
      while (I < N && Text[I] != ',' && static_cast<unsigned char>(Text[I]) > ' ') {
        Item += Text[I++];
      }
    }
    Items.push_back(Item);
    SkipBlanks();
    if (I < N && Text[I] == ',') {
      ++I;
      SkipBlanks();
      if (I == N) {
        Items.emplace_back();
      }
    }
  }
  return Items;
}

constexpr int CacheLimit = 1 << 16;
}  // namespace

void TTabStopList::SetTabStops(std::string_view Text) {
  if (Text == FTabStops) {
    return;
  }
  std::vector<int> Stops;
  for (const std::string& Item : SplitCommaText(Text)) {
    const int Value = StrToInt(Item);
    if (Value <= 0 || (!Stops.empty() && Value <= Stops.back())) {
      throw Exception(EasyConsts::SInvalidTabError);
    }
    Stops.push_back(Value);
  }
  if (Stops.empty()) {
    Stops.push_back(8);
  }
  FStops = std::move(Stops);
  FCache.clear();
  FTabStops = std::string(Text);
}

int TTabStopList::GetStop(int Column) const {
  const int Last = FStops.back();
  if (Column < Last) {
    for (int Stop : FStops) {
      if (Stop > Column) {
        return Stop;
      }
    }
  }
  const int Step = FStops.size() == 1 ? Last : Last - FStops[FStops.size() - 2];
  return Last + Step * ((Column - Last) / Step + 1);
}

int TTabStopList::Get(int Column) {
  if (Column == INT_MAX) {
    return INT_MAX;
  }
  if (Column < 0 || Column >= CacheLimit) {
    return GetStop(Column);
  }
  while (static_cast<int>(FCache.size()) <= Column) {
    FCache.push_back(GetStop(static_cast<int>(FCache.size())));
  }
  return FCache[static_cast<std::size_t>(Column)];
}

int TTabStopList::GetPrev(int Column) {
  if (Column <= 0) {
    return 0;
  }
  const int Next = Get(Column - 1);
  // The stop before Next: an explicit one, or one step back along the continuation.
  const int Last = FStops.back();
  if (Next <= Last) {
    int Prev = 0;
    for (int Stop : FStops) {
      if (Stop >= Next) {
        break;
      }
      Prev = Stop;
    }
    return Prev;
  }
  const int Step = FStops.size() == 1 ? Last : Last - FStops[FStops.size() - 2];
  return Next - Step;
}

std::string TTabStopList::GetRealString(std::string_view Line) {
  if (std::memchr(Line.data(), '\t', Line.size()) == nullptr) {
    return std::string(Line);
  }
  std::string Result;
  Result.reserve(Line.size() + 16);
  // The text between tabs is copied a run at a time.
  std::size_t From = 0;
  for (;;) {
    const void* Tab = std::memchr(Line.data() + From, '\t', Line.size() - From);
    const std::size_t To = Tab ? static_cast<std::size_t>(static_cast<const char*>(Tab) - Line.data()) : Line.size();
    Result.append(Line.data() + From, To - From);
    if (!Tab) {
      return Result;
    }
    const int Column = static_cast<int>(Result.size());
    Result.append(static_cast<std::size_t>(Get(Column) - Column), ' ');
    From = To + 1;
  }
}

int TTabStopList::RealPosToPos(std::string_view Line, int Index) {
  int Result = Index;
  int Extra = 0;
  const int Limit = Index < static_cast<int>(Line.size()) ? Index : static_cast<int>(Line.size());
  // Only tabs before the character shift it; a tab's own column is where its expansion starts.
  for (int Q = 0; Q < Limit; ++Q) {
    if (Line[static_cast<std::size_t>(Q)] == '\t') {
      const int P = Q + 1;
      const int Stop = Get(P + Extra - 1);
      Result += Stop - P - Extra;
      Extra = Stop - P;
    }
  }
  return Result;
}

int TTabStopList::PosToRealPos(std::string_view Line, int Column, int& InTab, int& TabWidth) {
  InTab = 0;
  TabWidth = 0;
  const char* Base = Line.data();
  const void* FirstTab = std::memchr(Base, '\t', Line.size());
  if (!FirstTab || static_cast<const char*>(FirstTab) - Base + 1 > Column) {
    return Column;
  }
  int Extra = 0;  // extra width of the tabs walked
  int Width = 0;
  for (std::size_t Q = static_cast<std::size_t>(static_cast<const char*>(FirstTab) - Base); Q < Line.size(); ++Q) {
    if (Line[Q] != '\t') {
      continue;
    }
    const int A = static_cast<int>(Q) + 1 + Extra;  // the tab's 1-based display position
    if (A > Column) {
      break;
    }
    Width = Get(A - 1) - A;
    TabWidth = Width;
    Extra += Width;
    if (Column < A + Width) {
      InTab = Column - A + 1 > 0 ? Column - A + 1 : 0;
      break;
    }
  }
  int Result = Column - Extra;
  if (InTab > 0) {
    Result += Width - InTab;
  }
  return Result;
}
