// Binding the editor to an edit source and reacting to the source's notifications: the pre-operation records
// (caret moves, shifted positions, dirty lines) and the state set reported when an update ends.
#include "editor/Easyeditor.h"

#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {
constexpr int MaxInt = EasyMaxInt;
}

void TCustomEasyEdit::SetEditSource(TCustomEasyEditSource* Value) {
  if (Value != nullptr && !Value->InheritsFrom(FOwnSource->ClassType())) {
    throw Exception(Format(EasyConsts::sWrongEditSource, {std::string(FOwnSource->ClassName())}));
  }
  if (Value == AttachedSource) {
    return;
  }
  if (AttachedSource) {
    AttachedSource->UnRegisterNotifier(Notifier());
    AttachedSource->SetUsePages(false);
    if (AttachedSource->ActiveEditor == this) {
      AttachedSource->ActiveEditor = nullptr;
    }
    AttachedSource->RemoveFreeNotification(this);
  }
  AttachedSource = Value;
  if (Value) {
    Value->RegisterNotifier(Notifier());
    Value->SetUsePages(FPageType != ptNormal);
    if (Value->ActiveEditor == nullptr) {
      Value->ActiveEditor = this;
    }
    Value->FreeNotification(this);
    UpdateInvisibleLines();
  }
  EditSourceChanged();
}

void TCustomEasyEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == AttachedSource) {
    SetEditSource(nullptr);
  }
}

void TCustomEasyEdit::EditSourceChanged() {
  UpdateWordWrap(0, MaxInt, true);
  UpdateLineNumbers(false);
  FPages->RemoveExtraPages(LineCount());
  EnsureCaretVisible();
  UpdateCaret();
  if (FHideScrollBars) {
    UpdateMaxLine();
    UpdateScrollBars();
  }
  SetSelType(slNone);
  SearchRect = TRect{0, 0, 0, 0};
  FPainter->FontChanged(this);
  ScrollHeightCache = 0;
  DirtyFirstLine = 0;
  DirtyLastLine = MaxInt;
  UpdateScrollBars();
  Invalidate();
}

void TCustomEasyEdit::HandleEvents(TObject* Sender, NativeInt Data) {
  (void)Sender;
  TCustomEasyEditSource* Source = GetEditSource();
  if (FDestroying) {
    return;
  }
  if (Data != 0) {
    auto* N = reinterpret_cast<TEasySourceNotification*>(Data);
    switch (N->Operation) {
      case oprNavigate:
        if (FWordWrap && Source->ActiveEditor == this) {
          BeforeNavigate(N->Position);
        }
        break;
      case oprUpdateBlock: {
        const auto* R = reinterpret_cast<const TRect*>(N->Info);
        UpdateBlock(R->Left, R->Top, R->Right, R->Bottom);
        break;
      }
      case oprUpdateLines: UpdateLines(N->Position.X, N->Position.Y); break;
      default: break;
    }
    return;
  }
  // Only the shown source's updates concern this editor; the own source of an editor that shows another
  // one still reports its own changes here.
  if (Sender != nullptr && Sender != Source) {
    return;
  }
  const TEasyEditSourceStates S = Source->State;
  const int L1 = Source->FirstChangedLine;
  int L2 = Source->LastChangedLine;
  const TPoint P = Source->CurrentPosition;
  const TPoint P0 = Source->OldPosition;
  const bool Active = Source->ActiveEditor == this;
  if (S.Contains(csCountChanged)) {
    CheckWindowLine(true);
    ScrollHeightCache = 0;
    UpdateScrollBars();
  }
  if (S.Contains(csEdit) || S.Contains(csParagraphChanged)) {
    BlockAnchor = TPoint{-1, -1};
    WrapColumnValid = false;
    FPages->RemoveExtraPages(LineCount());
    if (UpdateWordWrap(L1, L2, true)) {
      L2 = MaxInt;
    } else if (NeedPages() && L2 == MaxInt) {
      PageChanged(GetPageAt(TPoint{0, std::max(L1, 0)}, true));
    }
    if (S.Contains(csCountChanged)) {
      L2 = MaxInt;  // the lines below moved
    }
    InvalidateEditor(L1, L2);
  } else if (S.Contains(csBookMarkChanged) || S.Contains(csLineStyleChanged)) {
    InvalidateEditor(L1, L2);
  }
  if (S.Contains(csUndo)) {
    SetSelType(slNone);
  }
  if ((S.Contains(csPositionChanged) && Active) || S.Contains(csEdit)) {
    if (FLineDivider->Options().Contains(ldHighlightCurrentLine)) {
      InvalidateEditor(P0.Y, P0.Y);
      InvalidateEditor(P.Y, P.Y);
    }
    CheckIncrementalSearch();
    // Only a vertical move keeps the remembered column; a jump anywhere else starts a new series.
    if (!WrapNavigating) {
      WrapColumnValid = false;
    }
    if (SelectionHold == 0 && !FOptions.Contains(eoPersistentBlocks)) {
      SetSelType(slNone);
    }
    if (SearchRectHold == 0) {
      SetSearchRect(TRect{0, 0, 0, 0});
    }
    if (NavigateCount == 0) {
      CaretAtRowEnd = false;
    }
    if (Active) {
      if (Source->GoingToBookmark && FOptions.Contains(eoCenterOnBookmark)) {
        CenterCurrentLine(true);
      } else {
        EnsureCaretVisible();
      }
      UpdateCaretMode();
      UpdateCaret();
    }
    if (UpdateLineNumbers(false)) {
      Invalidate();
    }
  }
  if (S.Contains(csReadOnlyChanged) && FOptions.Contains(eoUseReadOnlyColor)) {
    Invalidate();
  }
  if (S.Contains(csParserChanged)) {
    if (NeedStoreInfo()) {
      UpdateWordWrap(0, MaxInt, true);
    }
    TCustomEasyParser* Parser = Source->Parser();
    if (Parser && Parser->GetDefaultColor() != -1) {
      if (Color() != Parser->GetDefaultColor()) {
        SetColor(Parser->GetDefaultColor());
      }
      FPainter->FontChanged(this);
      UpdateColors();
    } else {
      FPainter->FontChanged(this);
    }
    Invalidate();
  }
  if (S.Contains(csVisibleChanged)) {
    UpdateScrollBars();
    UpdateScrollPos();
    Invalidate();
  }
  if (Source->Parser() || Source->NeedSpell()) {
    const int First = TopLine();
    const int Upto = First + 100;
    if (L1 != L2 || Upto >= Source->ParsedUpTo()) {
      Source->ParseToString(Upto);
    }
  }
  SourceChanged(S);
  if (S.Contains(csPositionChanged) || S.Contains(csEdit)) {
    SelectionChanged();
  }
}

void TCustomEasyEdit::SourceChanged(TEasyEditSourceStates State) {
  if (OnSourceChanged) {
    OnSourceChanged(this, State);
  }
}

void TCustomEasyEdit::SelectionChanged() {
  if (FOptions.Contains(eoHighlightBrackets)) {
    HighlightBrackets();
  }
  UpdateRulers();
  if (OnSelectionChanged) {
    OnSelectionChanged(this);
  }
}

void TCustomEasyEdit::BeforeNavigate(TPoint& Offset) {
  if (WrapNavigating) {
    return;
  }
  const TPoint P = GetCurrentPosition();
  const TPoint Target{P.X + Offset.X, P.Y + Offset.Y};
  // Inside a row that is not its line's last the move stands.
  const int I = FWrapList->IndexFromPoint(Target, CaretAtRowEnd);
  if (I >= 0 && FWrapList->Row(I).EndChar != MaxInt) {
    return;
  }
  // Beyond a line's end the caret may go as far as the wrap width reaches.
  int Limit = 0;
  if (FOptions.Contains(eoBreakWordsAtMargin)) {
    Limit = std::max(FMargin->Position(), 1) * FPainter->GetDefaultCharWidth();
  } else if (PageLayout()) {
    const TRect R = GetPageAtPoint(Target, CaretAtRowEnd)->PageRect();
    Limit = R.Right - R.Left;
  } else {
    Limit = ClientWidth() - GetLeftIndent();
  }
  if (FPainter->TextToPixelPoint(Target, TPoint{0, 0}, true, CaretAtRowEnd).X <= Limit) {
    return;
  }
  // A move past the wrap width goes on to the start of the next line; on the last line it stays.
  if (Target.Y >= LineCount() - 1) {
    Offset.X = 0;
  } else {
    Offset = TPoint{-P.X, Offset.Y + 1};
  }
}

void TCustomEasyEdit::UpdateBlock(int X, int Y, int DX, int DY) {
  auto Move = [&](int& PX, int& PY) {
    if (DY != 0) {
      if (PY < Y || (PY == Y && PX < X)) {
        return;
      }
      if ((PY == Y && DY >= 0) || (DY < 0 && PY + DY == Y)) {
        if (PX != MaxInt) {
          PX = std::max(PX + DX, 0);
        }
      }
      if (PY != MaxInt) {
        PY = std::max(PY + DY, 0);
      }
      return;
    }
    if (PY == Y && PX != MaxInt && ((PX >= X && DX >= 0) || (PX > X && DX < 0))) {
      PX = std::max(PX + DX, 0);
    }
  };
  if (TrackedPoint1) {
    Move(TrackedPoint1->X, TrackedPoint1->Y);
  }
  if (TrackedPoint2) {
    Move(TrackedPoint2->X, TrackedPoint2->Y);
  }
  if (SelType != slStream) {
    return;
  }
  TRect R = SelRect;
  Move(R.Left, R.Top);
  Move(R.Right, R.Bottom);
  if (GetEditSource()->UpdateCount() > 0) {
    SelRect = R;
  } else {
    SetSelRect(R);
  }
}
