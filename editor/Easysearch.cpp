// One search step of the search settings over a line store.
#include "editor/Easysettings.h"

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
  TEasyMatchFunc Matcher = OnGetGlobalFindRoutine ? OnGetGlobalFindRoutine(this) : nullptr;
  if (!Matcher) {
    throw EInvalidOperation("Pattern search is not available");
  }
  return SearchInStrings(TextToFind, Strings, Params, Delimiters, Pos, Len, Matcher);
}
