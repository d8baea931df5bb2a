// The list of bookmarks or line styles and how it follows edits.
#include "editor/Easybookmarks.h"

Z_IMPLEMENT_CLASS(TEasyBookMarkList, TEasySortedList)

namespace {
int Sign(int A, int B) { return A < B ? -1 : (A > B ? 1 : 0); }
}  // namespace

TEasyBookMarkList::TEasyBookMarkList() { Duplicates = dupAccept; }

TEasyBookMarkList::~TEasyBookMarkList() { Clear(); }

int TEasyBookMarkList::Compare(void* Item1, void* Item2) {
  const auto* A = static_cast<const TEasyBookMark*>(Item1);
  const auto* B = static_cast<const TEasyBookMark*>(Item2);
  if (A->Line != B->Line) {
    return Sign(A->Line, B->Line);
  }
  if (A->Char != B->Char) {
    return Sign(A->Char, B->Char);
  }
  return Sign(A->Number, B->Number);
}

int TEasyBookMarkList::CompareByKey(void* Item, NativeInt Key) {
  return Sign(static_cast<const TEasyBookMark*>(Item)->Line, static_cast<int>(Key));
}

void TEasyBookMarkList::SetBookMark(const TPoint& Point, int Number) {
  if (!GetSorted()) {
    for (int I = 0; I < Count(); ++I) {
      if (Mark(I)->Char == Point.X && Mark(I)->Line == Point.Y && Mark(I)->Number == Number) {
        return;
      }
    }
    Add(new TEasyBookMark{Point.X, Point.Y, Number});
    return;
  }
  // The records are ordered by line: an identical one can only be among the records of the same line.
  int Index = 0;
  if (FindByKey(Point.Y, Index)) {
    for (int I = Index; I >= 0 && Mark(I)->Line == Point.Y; --I) {
      if (Mark(I)->Char == Point.X && Mark(I)->Number == Number) {
        return;
      }
    }
    for (int I = Index + 1; I < Count() && Mark(I)->Line == Point.Y; ++I) {
      if (Mark(I)->Char == Point.X && Mark(I)->Number == Number) {
        return;
      }
    }
  }
  Add(new TEasyBookMark{Point.X, Point.Y, Number});
}

int TEasyBookMarkList::GetLineBookMark(int Line) {
  int Index = 0;
  return FindByKey(Line, Index) ? Mark(Index)->Number : -1;
}

bool TEasyBookMarkList::FindBookMark(int Number, int& Index) const {
  for (Index = Count() - 1; Index >= 0; --Index) {
    if (Mark(Index)->Number == Number) {
      return true;
    }
  }
  return false;
}

void TEasyBookMarkList::DeleteMark(int Index) {
  delete Mark(Index);
  Delete(Index);
  LastFound = -1;
}

bool TEasyBookMarkList::ClearBookMark(int Number, int& Line) {
  int Index = 0;
  if (!FindBookMark(Number, Index)) {
    return false;
  }
  Line = Mark(Index)->Line;
  DeleteMark(Index);
  return true;
}

void TEasyBookMarkList::Clear() {
  for (int I = 0; I < Count(); ++I) {
    delete Mark(I);
  }
  TEasySortedList::Clear();
}

bool TEasyBookMarkList::UpdatePosition(int X, int Y, int DX, int DY) {
  if (Count() == 0 || (DX == 0 && DY == 0)) {
    return false;
  }
  int Start = 0;
  FindByKey(Y, Start);
  if (Start >= Count()) {
    Start = Count() - 1;
  }
  while (Start > 0 && Mark(Start)->Line >= Y) {
    --Start;
  }
  bool Moved = false;
  for (int I = Start; I < Count(); ++I) {
    TEasyBookMark* M = Mark(I);
    if (M->Line < Y) {
      continue;
    }
    if (DY == 0) {
      if (M->Line > Y) {
        break;
      }
      if ((DX >= 0 && M->Char >= X) || (DX < 0 && M->Char > X)) {
        M->Char += DX;
        Moved = true;
      }
      continue;
    }
    if (M->Line > Y || M->Char >= X) {
      if ((M->Line == Y && DY >= 0) || (M->Line == Y - DY && DY < 0)) {
        M->Char += DX;
      }
      M->Line += DY;
      Moved = true;
    }
  }
  if (Moved) {
    Sort();
  }
  return Moved;
}
