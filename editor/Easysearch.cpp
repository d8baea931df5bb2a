// One search step of the search settings over a line store.
#include "editor/Easysettings.h"

#include "editor/Easyregexpr.h"

#include "platform/rtl/Exceptions.h"

TGetGlobalFindRoutine OnGetGlobalFindRoutine;

bool TEasySearchSettings::Search(TEasyStrings* Strings, TPoint& Pos, int& Len, const TEasyCharSet& Delimiters) {
  if (!Strings || Strings->Count() == 0) {
    return false;
  }
  if (FirstSearch) {
    if (Origin == sgEntireScope) {
      if (Direction == srForward) {
        Pos = TPoint{1, 0};
      } else {
        Pos.Y = Strings->Count() - 1;
        Pos.X = static_cast<int>(Strings->Get(Pos.Y).size());
      }
    }
    FirstSearch = false;
  }
  TEasySearchParams Params;
  if (CaseSensitive) {
    Params.Include(srpCaseSensitive);
  }
  if (WholeWordsOnly) {
    Params.Include(srpWholeWords);
  }
  if (Direction == srForward) {
    Params.Include(srpForward);
  }
  if (!RegularExpr) {
    return SearchInStrings(TextToFind, Strings, Params, Delimiters, Pos, Len);
  }
  // A host's own pattern matcher takes the whole search.
  if (TEasyMatchFunc Matcher = OnGetGlobalFindRoutine ? OnGetGlobalFindRoutine(this) : nullptr) {
    return SearchInStrings(TextToFind, Strings, Params, Delimiters, Pos, Len, Matcher);
  }
  // The component's own matcher, for this one search; a bad pattern raises its error from here.
  TEasyRegExpr RegExpr(TextToFind, CaseSensitive);
  const bool Forward = Direction == srForward;
  if (RegExpr.EmptyLine()) {
    Pos.X += Forward ? 1 : -1;  // a line anchor must not be found again where the last search stopped
  }
  const TPoint Start = Pos;
  const bool Result = SearchInStrings(
      TextToFind, Strings, Params, Delimiters, Pos, Len,
      [&RegExpr](const std::string& Line, int& X, int& Length, bool Fwd) { return RegExpr.FindString(Line, X, Fwd, Length); });
  // An empty match where the search began moves the start on, so that repeating the search makes progress.
  if (Forward && Len == 0 && Pos == Start && Pos.Y >= 0 && Pos.Y < Strings->Count()) {
    if (static_cast<int>(Strings->Get(Pos.Y).size()) > Pos.X) {
      ++Pos.X;
    } else if (Pos.Y + 1 < Strings->Count()) {
      Pos = TPoint{0, Pos.Y + 1};
    }
  }
  return Result;
}
