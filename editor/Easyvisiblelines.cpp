// The list of folded-away lines and the search that maps display rows to lines.
#include "editor/Easystrings.h"

Z_IMPLEMENT_CLASS(TEasyVisibleLinesList, TEasySortedList)

namespace {
void* AsItem(NativeInt Value) { return reinterpret_cast<void*>(Value); }
int Sign(NativeInt V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }
}  // namespace

int TEasyVisibleLinesList::Compare(void* Item1, void* Item2) {
  const NativeInt Entry = reinterpret_cast<NativeInt>(Item1);
  const NativeInt Key = reinterpret_cast<NativeInt>(Item2);
  if (!FVisibleMode) {
    return Sign(Entry - Key);
  }
  // The display row at which the probed hidden line would sit; a whole run of hidden lines maps to one row,
  // so a probe inside a run answers "less" until the run's last line.
  const int P = LastProbe;
  const NativeInt Row = Entry - P;
  if (Row == Key && P + 1 < Count() && this->Entry(P + 1) - P == Key + 1) {
    return -1;
  }
  return Sign(Row - Key);
}

int TEasyVisibleLinesList::FindNear(int Key, bool Visible, bool Strict) {
  if (Count() == 0) {
    return -1;
  }
  int P = 0;
  FVisibleMode = Visible;
  FindNearest(AsItem(Key), P);
  FVisibleMode = false;
  if (P < Count() - 1) {
    ++P;
  }
  auto Value = [&](int Position) { return Visible ? Entry(Position) - Position : Entry(Position); };
  while (P >= 0 && (Strict ? Value(P) >= Key : Value(P) > Key)) {
    --P;
  }
  return P;
}

void TEasyVisibleLinesList::LineChanged(int Line, int Delta) {
  if (Delta < 0) {
    const int At = IndexOfKey(Line);
    if (At >= 0) {
      Delete(At);
    }
  }
  Pointer* Items = List();
  for (int I = Count() - 1; I >= 0; --I) {
    const NativeInt Entry = reinterpret_cast<NativeInt>(Items[I]);
    if (Entry < Line || (Delta < 0 && Entry == Line)) {
      break;
    }
    Items[I] = AsItem(Entry + Delta);
  }
  LastFound = -1;
}
