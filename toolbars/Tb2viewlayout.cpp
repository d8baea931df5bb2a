// Views: the layout of the viewers (sizes, chevron hiding, lines and wrapping, alignment, scroll arrows).
#include "toolbars/Tb2view.h"

#include "platform/graphics/WinGdi.h"

#include <algorithm>

namespace {

bool IsSeparator(const TTBItemViewer* V) { return V->Item()->ItemStyle().Contains(tbisSeparator); }
bool IsControlItem(const TTBItemViewer* V) { return dynamic_cast<TTBControlItem*>(V->Item()) != nullptr; }

}  // namespace

// The positions worked out for one orientation: which viewers show, their sizes, then their places line by line.
// The phases run in the order CalculatePositions calls them; the view's viewers take the result only at the end.
struct TTBView::TLayoutPass {
  struct TTempPosition {
    TRect BoundsRect;
    bool Show = false;
    bool OffEdge = false;
    bool LineSep = false;
    bool Clipped = false;
  };

  TLayoutPass(TTBView& AView, TCanvas& ACanvas, TTBViewOrientation AOrientation, TPoint& ATotalSize, int& AWrappedLines)
      : View(AView),
        Canvas(ACanvas),
        Orientation(AOrientation),
        Vertical(AOrientation == tbvoVertical),
        N(AView.ViewerCount()),
        Pos(static_cast<std::size_t>(N)),
        Chevron(AView.GetChevronItem()),
        TotalSize(ATotalSize),
        WrappedLines(AWrappedLines) {
    WrappedLines = 1;
  }

  TTempPosition& P(int I) { return Pos[static_cast<std::size_t>(I)]; }
  TTBItemViewer* V(int I) const { return View.FViewers[static_cast<std::size_t>(I)]; }
  int SizeOf(int I) { return Vertical ? P(I).BoundsRect.Height() : P(I).BoundsRect.Width(); }

  void DecideVisibility();
  void HideTrailingSeparators(int& Length);
  void MeasureSizes(bool CanMoveControls, TPoint& ABaseSize);
  void HideBehindChevron(int AChevronOffset, int AChevronSize, TPoint& ABaseSize);
  void MeasureAcross(TPoint& ABaseSize);
  void PlaceInLines(const TRect& Margins);
  void FinishLine(int Last, bool IsLastLine);
  void MirrorVertical();
  void ScrollWithinMaxHeight();
  void MoveControls();
  void StretchLineSeparators();
  void PlaceChevron(bool CanMoveControls, int AChevronSize);

  TTBView& View;
  TCanvas& Canvas;
  const TTBViewOrientation Orientation;
  const bool Vertical;
  const int N;
  std::vector<TTempPosition> Pos;
  TTBCustomItem* Chevron;
  TPoint& TotalSize;
  int& WrappedLines;
  int WrapOffset = 0;

  // What the chevron phase decided.
  bool ChevronNeeded = false;
  bool ChevronHasItems = false;
  int AvailableLength = 0;

  // The line being placed.
  int LineStart = 0;
  int LineWidth = 0;
  int LineHeight = 0;
  int LineAcross = 0;
};

// Visibility: hidden items, items of the chevron's parent still on its bar, and separators at the start or after
// another separator are left out.
void TTBView::TLayoutPass::DecideVisibility() {
  bool PrevWasSep = true;
  for (int I = 0; I < N; ++I) {
    TTBCustomItem* Item = V(I)->Item();
    if (Chevron && Item == Chevron) {
      continue;
    }
    if (TTBView* ChevronParent = View.FChevronParentView) {
      if (IsControlItem(V(I))) {
        continue;
      }
      ChevronParent->ValidatePositions();
      const int J = I + ChevronParent->FInternalViewersAtFront;
      if (J >= ChevronParent->ViewerCount()) {
        continue;
      }
      if (!ChevronParent->Viewers(J)->OffEdge() && !IsSeparator(V(I))) {
        continue;
      }
    }
    if (auto* CI = dynamic_cast<TTBControlItem*>(Item)) {
      TControl* C = CI->Control();
      P(I).Show = C && C->Parent() == View.FWindow && (C->Visible() || C->ComponentState().Contains(csDesigning));
      PrevWasSep = false;
      continue;
    }
    if (Item->ItemStyle().Contains(tbisEmbeddedGroup) && !View.FCustomizing) {
      continue;
    }
    if (Item->Visible()) {
      const bool Sep = IsSeparator(V(I));
      P(I).Show = !(Sep && PrevWasSep);
      PrevWasSep = Sep;
    }
  }
}

// Hides the separators after the last shown item, taking their sizes off Length.
void TTBView::TLayoutPass::HideTrailingSeparators(int& Length) {
  for (int I = N - 1; I >= 0; --I) {
    if (!P(I).Show) {
      continue;
    }
    if (!IsSeparator(V(I))) {
      break;
    }
    P(I).Show = false;
    Length -= SizeOf(I);
  }
}

// Sizes: every shown item measured (a control by its own size), their sum along the orientation in ABaseSize.
void TTBView::TLayoutPass::MeasureSizes(bool CanMoveControls, TPoint& ABaseSize) {
  ABaseSize = TPoint{0, 0};
  for (int I = 0; I < N; ++I) {
    if (!P(I).Show) {
      continue;
    }
    int W = 0;
    int H = 0;
    if (auto* CI = dynamic_cast<TTBControlItem*>(V(I)->Item())) {
      W = CI->Control()->Width();
      H = CI->Control()->Height();
    } else {
      TTBItemViewer* Measured = V(I);
      std::unique_ptr<TTBItemViewer> Temp;
      if (Measured->Item()->NeedToRecreateViewer(Measured)) {
        if (CanMoveControls) {
          View.RecreateItemViewer(I);
          Measured = V(I);
        } else {
          Temp.reset(Measured->Item()->GetItemViewerClass(&View)(&View, Measured->Item()));
          Measured = Temp.get();
        }
      }
      const bool Bold = Measured->Item()->EffectiveOptions().Contains(tboDefault);
      if (Bold) {
        Canvas.Font()->SetStyle(Canvas.Font()->Style() + TFontStyles{fsBold});
      }
      Measured->CalcSize(&Canvas, W, H);
      if (Bold) {
        Canvas.Font()->SetStyle(Canvas.Font()->Style() - TFontStyles{fsBold});
      }
    }
    P(I).BoundsRect = Rect(0, 0, W, H);
    if (Vertical) {
      ABaseSize.Y += H;
    } else {
      ABaseSize.X += W;
    }
  }
}

// The chevron: the lowest-priority items leave the bar until the rest fits before the chevron.
void TTBView::TLayoutPass::HideBehindChevron(int AChevronOffset, int AChevronSize, TPoint& ABaseSize) {
  int& Length = Vertical ? ABaseSize.Y : ABaseSize.X;
  if (!Chevron || AChevronOffset <= 0 || Length <= AChevronOffset) {
    return;
  }
  ChevronNeeded = true;
  AvailableLength = AChevronOffset - AChevronSize;
  while (Length > AvailableLength) {
    int NonSeps = 0;
    int LastShown = -1;
    for (int I = 0; I < N; ++I) {
      if (P(I).Show) {
        LastShown = I;
        if (!IsSeparator(V(I))) {
          ++NonSeps;
        }
      }
    }
    if (NonSeps <= 1) {
      break;
    }
    if (LastShown >= 0 && IsSeparator(V(LastShown))) {
      P(LastShown).Show = false;
      Length -= SizeOf(LastShown);
    } else {
      int Victim = -1;
      if (View.FUsePriorityList) {
        for (auto It = View.FPriorityList.rbegin(); It != View.FPriorityList.rend(); ++It) {
          const int I = View.IndexOf(*It);
          if (I >= 0 && P(I).Show && !IsSeparator(V(I))) {
            Victim = I;
            break;
          }
        }
      } else {
        for (int I = N - 1; I >= 0; --I) {
          if (P(I).Show && !IsSeparator(V(I))) {
            Victim = I;
            break;
          }
        }
      }
      if (Victim < 0) {
        break;
      }
      P(Victim).Show = false;
      P(Victim).OffEdge = true;
      if (!IsControlItem(V(Victim))) {
        ChevronHasItems = true;
      }
      Length -= SizeOf(Victim);
    }
    bool Prev = true;
    for (int I = 0; I < N; ++I) {
      if (!P(I).Show) {
        continue;
      }
      const bool Sep = IsSeparator(V(I));
      if (Sep && Prev) {
        P(I).Show = false;
        Length -= SizeOf(I);
      } else {
        Prev = Sep;
      }
    }
  }
  HideTrailingSeparators(Length);
}

// The size across the orientation: the thickest shown item.
void TTBView::TLayoutPass::MeasureAcross(TPoint& ABaseSize) {
  for (int I = 0; I < N; ++I) {
    if (P(I).Show) {
      if (Vertical) {
        ABaseSize.X = std::max(ABaseSize.X, P(I).BoundsRect.Width());
      } else {
        ABaseSize.Y = std::max(ABaseSize.Y, P(I).BoundsRect.Height());
      }
    }
  }
}

// Ends the line from LineStart to Last: items centred across it (separators stretched over it) on toolbars,
// widened to it in menus, then the right-aligned items moved to where the line may end.
void TTBView::TLayoutPass::FinishLine(int Last, bool IsLastLine) {
  if (WrappedLines > 1 && !View.FChevronParentView) {
    if (Vertical) {
      TotalSize.Y = std::max(TotalSize.Y, WrapOffset);
    } else {
      TotalSize.X = std::max(TotalSize.X, WrapOffset);
    }
  }
  int Thickness = Vertical ? LineWidth : LineHeight;
  if (View.FIsToolbar) {
    if (IsLastLine && WrappedLines == 1 && Orientation != tbvoFloating) {
      Thickness = Vertical ? TotalSize.X : TotalSize.Y;
    }
    for (int I = LineStart; I <= Last; ++I) {
      if (!P(I).Show || P(I).LineSep) {
        continue;
      }
      TRect& R = P(I).BoundsRect;
      if (IsSeparator(V(I))) {
        if (Vertical) {
          R.Right = LineAcross + Thickness;
        } else {
          R.Bottom = LineAcross + Thickness;
        }
      } else if (Vertical) {
        MoveRect(R, LineAcross + (Thickness - R.Width()) / 2 - R.Left, 0);
      } else {
        MoveRect(R, 0, LineAcross + (Thickness - R.Height()) / 2 - R.Top);
      }
    }
  } else {
    for (int I = LineStart; I <= Last; ++I) {
      if (P(I).Show && !V(I)->IsToolbarSize()) {
        P(I).BoundsRect.Right = P(I).BoundsRect.Left + LineWidth;
      }
    }
  }
  // Right alignment: the items from the first right-aligned one end where the line may end.
  int First = -1;
  int LastShown = -1;
  for (int I = LineStart; I <= Last; ++I) {
    if (P(I).Show) {
      if (First < 0 && V(I)->Item()->ItemStyle().Contains(tbisRightAlign)) {
        First = I;
      }
      LastShown = I;
    }
  }
  if (First >= 0) {
    const int TotalAlong = Vertical ? TotalSize.Y : TotalSize.X;
    const int Limit = WrapOffset > 0 ? std::min(WrapOffset, TotalAlong) : TotalAlong;
    const int Distance = Limit - (Vertical ? P(LastShown).BoundsRect.Bottom : P(LastShown).BoundsRect.Right);
    if (Distance > 0) {
      for (int I = First; I <= Last; ++I) {
        if (P(I).Show) {
          MoveRect(P(I).BoundsRect, Vertical ? 0 : Distance, Vertical ? Distance : 0);
        }
      }
    }
  }
  LineWidth = 0;
  LineHeight = 0;
}

// Placement in lines: the shown items one after another from the margins, a new line where the next item (or a
// separator with the items up to the next one) would pass the wrap offset; a separator that breaks the line
// becomes the line separator between the two lines.
void TTBView::TLayoutPass::PlaceInLines(const TRect& Margins) {
  const int AlongMargin = Vertical ? Margins.Top : Margins.Left;
  TPoint Cur{Margins.Left, Margins.Top};
  LineStart = 0;
  LineWidth = 0;
  LineHeight = 0;
  LineAcross = Vertical ? Cur.X : Cur.Y;
  bool NewLine = false;
  bool PrevTBSize = false;
  auto Along = [this](const TPoint& Pt) -> int { return Vertical ? Pt.Y : Pt.X; };
  for (int I = 0; I < N; ++I) {
    if (!P(I).Show) {
      continue;
    }
    TTBItemViewer* Viewer = V(I);
    const bool IsTBSize = Viewer->IsToolbarSize();
    if (PrevTBSize && !IsTBSize) {
      Cur.X = Margins.Left;
      Cur.Y = TotalSize.Y;
    }
    PrevTBSize = IsTBSize;
    TRect R = P(I).BoundsRect;
    const int ItemLength = Vertical ? R.Height() : R.Width();
    bool StartedNewLine = false;
    if (WrapOffset > 0 && Along(Cur) > 0) {
      const int End = Along(Cur) + ItemLength;
      if (IsSeparator(Viewer)) {
        int Following = 0;
        for (int J = I + 1; J < N; ++J) {
          if (!P(J).Show) {
            continue;
          }
          if (IsSeparator(V(J))) {
            break;
          }
          Following += SizeOf(J);
        }
        if ((NewLine && !Viewer->Item()->ItemStyle().Contains(tbisNoLineBreak)) || End + Following > WrapOffset) {
          ++WrappedLines;
          const int Thickness = Vertical ? LineWidth : LineHeight;
          if (Vertical) {
            Cur.X += Thickness;
            Cur.Y = 0;
          } else {
            Cur.Y += Thickness;
            Cur.X = 0;
          }
          FinishLine(I - 1, false);
          LineStart = I + 1;
          R = Vertical ? Rect(0, 0, 6, 0) : Rect(0, 0, 0, 6);
          MoveRect(R, std::max(0, Cur.X), std::max(0, Cur.Y));
          P(I).BoundsRect = R;
          P(I).LineSep = true;
          TotalSize.X = std::max(TotalSize.X, R.Right);
          TotalSize.Y = std::max(TotalSize.Y, R.Bottom);
          if (Vertical) {
            Cur.Y = AlongMargin;
            Cur.X += 6;
          } else {
            Cur.X = AlongMargin;
            Cur.Y += 6;
          }
          LineAcross = Vertical ? Cur.X : Cur.Y;
          NewLine = false;
          continue;
        }
      } else if (End > WrapOffset) {
        ++WrappedLines;
        const int Thickness = Vertical ? LineWidth : LineHeight;
        if (Vertical) {
          Cur.Y = AlongMargin;
          Cur.X += Thickness;
        } else {
          Cur.X = AlongMargin;
          Cur.Y += Thickness;
        }
        StartedNewLine = true;
        FinishLine(I - 1, false);
        LineStart = I;
        LineAcross = Vertical ? Cur.X : Cur.Y;
      }
    }
    NewLine = StartedNewLine;
    LineWidth = std::max(LineWidth, R.Width());
    LineHeight = std::max(LineHeight, R.Height());
    MoveRect(R, std::max(0, Cur.X), std::max(0, Cur.Y));
    P(I).BoundsRect = R;
    if (IsTBSize && !Vertical) {
      Cur.X += R.Width();
    } else {
      Cur.Y += R.Height();
    }
    TotalSize.X = std::max(TotalSize.X, R.Right);
    TotalSize.Y = std::max(TotalSize.Y, R.Bottom);
  }
  FinishLine(N - 1, true);
  TotalSize.X += Margins.Right;
  TotalSize.Y += Margins.Bottom;
}

// Vertical views: the first column ends on the right.
void TTBView::TLayoutPass::MirrorVertical() {
  if (!Vertical) {
    return;
  }
  for (int I = 0; I < N; ++I) {
    if (P(I).Show) {
      TRect& R = P(I).BoundsRect;
      const int L = R.Left;
      R.Left = TotalSize.X - R.Right;
      R.Right = TotalSize.X - L;
    }
  }
}

// Popups taller than their maximum height scroll behind arrows; items under an arrow or past the edge are clipped.
void TTBView::TLayoutPass::ScrollWithinMaxHeight() {
  const int MaxHeight = View.FMaxHeight;
  if (MaxHeight > 0 && MaxHeight < TotalSize.Y) {
    const int Limit = TotalSize.Y - MaxHeight;
    View.FScrollOffset = std::max(0, std::min(View.FScrollOffset, Limit));
    View.FShowUpArrow = View.FScrollOffset > 0;
    View.FShowDownArrow = View.FScrollOffset < Limit;
    for (int I = 0; I < N; ++I) {
      TRect& R = P(I).BoundsRect;
      if (!RectEmpty(R)) {
        MoveRect(R, 0, -View.FScrollOffset);
      }
      if (P(I).Show &&
          ((R.Top < (View.FShowUpArrow ? 19 : 0)) || (R.Bottom > MaxHeight - (View.FShowDownArrow ? 19 : 0)))) {
        P(I).Show = false;
        P(I).Clipped = true;
      }
    }
    TotalSize.Y = MaxHeight;
  } else {
    View.FScrollOffset = 0;
    View.FShowUpArrow = false;
    View.FShowDownArrow = false;
  }
}

// Controls follow their items; hidden ones go just outside the visible area.
void TTBView::TLayoutPass::MoveControls() {
  for (int I = 0; I < N; ++I) {
    auto* CI = dynamic_cast<TTBControlItem*>(V(I)->Item());
    if (!CI || !CI->Control()) {
      continue;
    }
    TControl* C = CI->Control();
    if (P(I).Show) {
      const TRect& R = P(I).BoundsRect;
      if (C->BoundsRect() != R) {
        C->SetBounds(R.Left, R.Top, R.Width(), R.Height());
      }
    } else if ((P(I).OffEdge || P(I).Clipped) && View.FWindow) {
      C->SetBounds(View.FWindow->ClientWidth(), View.FWindow->ClientHeight(), C->Width(), C->Height());
    }
  }
}

// A toolbar's line separators reach across the whole bar.
void TTBView::TLayoutPass::StretchLineSeparators() {
  if (!View.FIsToolbar) {
    return;
  }
  for (int I = 0; I < N; ++I) {
    if (P(I).Show && P(I).LineSep) {
      if (Vertical) {
        P(I).BoundsRect.Bottom = TotalSize.Y;
      } else {
        P(I).BoundsRect.Right = TotalSize.X;
      }
    }
  }
}

// The chevron (the last viewer) after the room left for the items, enabled when it holds any.
void TTBView::TLayoutPass::PlaceChevron(bool CanMoveControls, int AChevronSize) {
  if (!ChevronNeeded || N <= 0) {
    return;
  }
  if (CanMoveControls) {
    Chevron->SetEnabled(ChevronHasItems);
  }
  TTempPosition& C = P(N - 1);
  C.Show = true;
  if (Vertical) {
    C.BoundsRect = Rect(0, 0, TotalSize.X, AChevronSize);
    MoveRect(C.BoundsRect, 0, std::max(AvailableLength, TotalSize.Y));
  } else {
    C.BoundsRect = Rect(0, 0, AChevronSize, TotalSize.Y);
    MoveRect(C.BoundsRect, std::max(AvailableLength, TotalSize.X), 0);
  }
}

bool TTBView::CalculatePositions(bool CanMoveControls, TTBViewOrientation AOrientation, int AWrapOffset,
                                 int AChevronOffset, int AChevronSize, TPoint& ABaseSize, TPoint& TotalSize,
                                 int& AWrappedLines) {
  // The orientation is switched without invalidating (the layout is being computed for it); it and the measuring
  // context are restored on every path.
  struct TLayoutGuard {
    TTBView* View;
    TTBViewOrientation Saved;
    HDC DC;
    ~TLayoutGuard() {
      View->FOrientation = Saved;
      ReleaseDC(0, DC);
    }
  } Guard{this, FOrientation, GetDC(0)};
  FOrientation = AOrientation;
  TCanvas Canvas;
  Canvas.SetHandle(Guard.DC);
  Canvas.Font()->Assign(GetFont());
  TLayoutPass Pass(*this, Canvas, AOrientation, TotalSize, AWrappedLines);
  const int N = Pass.N;

  Pass.DecideVisibility();
  int Dummy = 0;
  Pass.HideTrailingSeparators(Dummy);
  Pass.MeasureSizes(CanMoveControls, ABaseSize);
  Pass.HideBehindChevron(AChevronOffset, AChevronSize, ABaseSize);
  Pass.MeasureAcross(ABaseSize);

  const TRect Margins = GetMargins(AOrientation);
  if (AWrapOffset > 0) {
    AWrapOffset = std::max(1, AWrapOffset - Margins.Right);
  }
  Pass.WrapOffset = AWrapOffset;
  Pass.PlaceInLines(Margins);
  Pass.MirrorVertical();
  Pass.ScrollWithinMaxHeight();
  if (CanMoveControls) {
    Pass.MoveControls();
  }
  Pass.StretchLineSeparators();
  Pass.PlaceChevron(CanMoveControls, AChevronSize);

  // The viewers take the new positions.
  bool Changed = false;
  if (CanMoveControls) {
    for (int I = 0; I < N; ++I) {
      TTBItemViewer* Viewer = Pass.V(I);
      const TLayoutPass::TTempPosition& T = Pass.P(I);
      if (Viewer->FBoundsRect != T.BoundsRect || Viewer->FShow != T.Show ||
          Viewer->FState.Contains(tbisLineSep) != T.LineSep) {
        Changed = true;
      }
      Viewer->FBoundsRect = T.BoundsRect;
      Viewer->FShow = T.Show;
      Viewer->FOffEdge = T.OffEdge;
      Viewer->FClipped = T.Clipped;
      if (T.LineSep) {
        Viewer->FState.Include(tbisLineSep);
      } else {
        Viewer->FState.Exclude(tbisLineSep);
      }
    }
  }

  if (ABaseSize.X == 0 || ABaseSize.Y == 0) {
    ABaseSize = TPoint{23, 22};
    TotalSize.X = std::max(TotalSize.X, 23);
    TotalSize.Y = std::max(TotalSize.Y, 22);
  }
  return Changed;
}
