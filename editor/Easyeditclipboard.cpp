// The editor and the clipboard: copy, cut and paste (a block copied here pastes as a block), the one routine
// that inserts lines at the caret as a stream or a block, and moving or copying the selection to the caret.
#include "editor/Easyeditor.h"

#include "platform/graphics/Clipbrd.h"
#include "platform/win/Clipboard.h"

#include <algorithm>

namespace {

// Opens the clipboard for the scope; it is closed also when an exception passes.
class TClipboardScope {
public:
  TClipboardScope() { Clipboard()->Open(); }
  ~TClipboardScope() { Clipboard()->Close(); }
  TClipboardScope(const TClipboardScope&) = delete;
  TClipboardScope& operator=(const TClipboardScope&) = delete;
};

void CopyLines(TEasyStrings* From, TEasyStrings& To) {
  To.BeginUpdate();
  const int N = From->Count();
  for (int I = 0; I < N; ++I) {
    To.Add(From->Get(I));
  }
  To.EndUpdate();
}

}  // namespace


// ---- copy, cut, paste ----

void TCustomEasyEdit::CopyBlock() {
  if (SelType != slNone) {
    const int N = FSelStrings->Count();
    std::string Text;
    for (int I = 0; I < N; ++I) {
      if (I > 0) {
        Text += "\r\n";
      }
      Text += FSelStrings->Get(I);
    }
    {
      TClipboardScope Scope;
      Clipboard()->SetAsText(Text);
    }
    ClipboardSelType = SelType;
  } else if (FOptions.Contains(eoForceCutCopy)) {
    TClipboardScope Scope;
    Clipboard()->Clear();
  }
}

void TCustomEasyEdit::CutBlock() {
  if (SelType == slNone) {
    if (FOptions.Contains(eoForceCutCopy)) {
      TClipboardScope Scope;
      Clipboard()->Clear();
    }
    return;
  }
  CopyBlock();
  DeleteBlock();
}

bool TCustomEasyEdit::CanPaste() { return Clipboard()->HasFormat(CF_TEXT); }

void TCustomEasyEdit::FillStringsFromClipboard(TEasyStrings* Lines) {
  Lines->Clear();
  if (!Clipboard()->HasFormat(CF_TEXT)) {
    return;
  }
  const std::string Text = Clipboard()->AsText();
  Lines->SetTextBuffer(Text.data(), Text.size());
  if (!Text.empty() && (Text.back() == '\r' || Text.back() == '\n')) {
    Lines->Add(std::string());
  }
}

void TCustomEasyEdit::PasteBlock() {
  TCustomEasyEditSource* Source = GetEditSource();
  Source->Bracket(oprInsert, [&] {
    TEasyStrings Lines;
    if (!Source->NeedTabs()) {
      Lines.OnGetString = Source->Strings()->OnGetString;
    }
    if (NeedDeleteBlock()) {
      DeleteBlock();
    }
    // Text another program put on the clipboard knows nothing of blocks.
    if (GetClipboardOwner() != Clipboard()->Handle()) {
      ClipboardSelType = slStream;
    }
    FillStringsFromClipboard(&Lines);
    DoPaste(&Lines);
    PasteStrings(&Lines, ClipboardSelType);
    if (!FOptions.Contains(eoPersistentBlocks)) {
      SetSelType(slNone);
    }
  });
}

bool TCustomEasyEdit::WriteToClipboard(UINT Format, const void* Buffer, int Size) {
  TClipboardScope Scope;
  Clipboard()->SetBuffer(Format, Buffer, static_cast<std::size_t>(std::max(Size, 0)));
  return true;
}

int TCustomEasyEdit::ReadFromClipboard(UINT Format, TStream* Stream) {
  std::string Data;
  {
    TClipboardScope Scope;
    Data = Clipboard()->GetBuffer(Format);
  }
  if (!Data.empty()) {
    Stream->WriteBuffer(Data.data(), static_cast<LongInt>(Data.size()));
  }
  return static_cast<int>(Data.size());
}

// ---- inserting lines ----

void TCustomEasyEdit::PasteStrings(TEasyStrings* Lines, TEasySelType Kind) {
  const int N = Lines->Count();
  if (N == 0) {
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint Start = Source->CurrentPosition;
  const int X = Start.X;
  const int Y = Start.Y;
  ++SelectionHold;
  try {
    Source->Bracket(oprInsertBlock, [&] {
      Source->BeginBlockUpdate();
      try {
        if (N > 1 && Kind != slBlock) {
          Source->BreakString();
          Source->InsertString(Lines->Get(0));
          Source->JumpTo(0, Y + 1);
          const std::string LastLine = Lines->Get(N - 1);
          Source->InsertString(LastLine);
          for (int I = 1; I < N - 1; ++I) {
            Source->JumpTo(0, Y + I);
            Source->BreakString();
            Source->InsertString(Lines->Get(I));
          }
          const int EndX = Source->GetRealPos(Y + N - 1, static_cast<int>(LastLine.size()));
          Source->JumpTo(EndX, Y + N - 1);
          SetSelection(Rect(X, Y, EndX, Y + N - 1), slStream);
        } else if (N == 1) {
          const std::string Line = Lines->Get(0);
          const int Length = static_cast<int>(Line.size());
          const TPoint C = Source->GetCharacterPos();
          Source->InsertString(Line);
          const int EndX = Source->GetRealPos(Y, C.X + Length);
          SetSelection(Rect(X, Y, EndX, Y), slStream);
          if (Kind == slBlock) {
            WrapNavigate(0, 1);
          } else if (Source->NeedTabs()) {
            Source->JumpTo(EndX, Y);
          } else {
            WrapNavigate(Length, 0);
          }
        } else {
          const TEasySourceOptions Saved = Source->Options();
          TEasySourceOptions Beyond = Saved;
          Beyond.Include(srBeyondEof);
          Source->SetOptions(Beyond);
          try {
            WrapNavigate(0, N - 1);
            for (int I = N - 1; I >= 0; --I) {
              Source->InsertString(Lines->Get(I));
              if (I > 0) {
                WrapNavigate(0, -1);
              }
            }
            WrapNavigate(0, N - 1);
          } catch (...) {
            Source->SetOptions(Saved);
            throw;
          }
          Source->SetOptions(Saved);
          if (FWordWrap) {
            SetSelType(slNone);
          } else {
            SetSelection(Rect(X, Y, X + static_cast<int>(Lines->Get(0).size()) - 1, Y + N - 1), slBlock);
          }
        }
      } catch (...) {
        Source->EndBlockUpdate();
        throw;
      }
      Source->EndBlockUpdate();
    });
  } catch (...) {
    --SelectionHold;
    throw;
  }
  --SelectionHold;
}

bool TCustomEasyEdit::MoveBlock(bool Move) {
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint P = Source->CurrentPosition;
  if (SelType == slNone || InsideBlock(P.X, P.Y)) {
    return false;
  }
  TEasyStrings Copy;
  CopyLines(FSelStrings.get(), Copy);
  const TEasySelType Kind = SelType;
  Source->Bracket(oprOther, [&] {
    if (Move) {
      TPoint Target = P;
      TrackedPoint1 = &Target;
      try {
        DeleteBlock();
      } catch (...) {
        TrackedPoint1 = nullptr;
        throw;
      }
      TrackedPoint1 = nullptr;
      Source->JumpTo(Target.X, Target.Y);
    }
    PasteStrings(&Copy, Kind);
  });
  return true;
}
