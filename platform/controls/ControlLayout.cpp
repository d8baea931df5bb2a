// Size constraints and anchors of controls: limits applied to every new size, and distances to the parent's
// edges kept when the parent's client area changes.
#include "platform/controls/Controls.h"

#include <algorithm>

Z_IMPLEMENT_CLASS_PUBLISHED(TSizeConstraints, TPersistent, TSizeConstraints::Publish)

void TSizeConstraints::Publish(TMetaClass& Meta) {
  TPublisher<TSizeConstraints> P(Meta);
  P.Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
  P.Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
  P.Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
  P.Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
}

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TSizeConstraints*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FMaxHeight = S->FMaxHeight;
  FMaxWidth = S->FMaxWidth;
  FMinHeight = S->FMinHeight;
  FMinWidth = S->FMinWidth;
  Change();
}

void TSizeConstraints::SetMaxHeight(int Value) {
  if (FMaxHeight != Value) {
    FMaxHeight = std::max(Value, 0);
    Change();
  }
}

void TSizeConstraints::SetMaxWidth(int Value) {
  if (FMaxWidth != Value) {
    FMaxWidth = std::max(Value, 0);
    Change();
  }
}

void TSizeConstraints::SetMinHeight(int Value) {
  if (FMinHeight != Value) {
    FMinHeight = std::max(Value, 0);
    Change();
  }
}

void TSizeConstraints::SetMinWidth(int Value) {
  if (FMinWidth != Value) {
    FMinWidth = std::max(Value, 0);
    Change();
  }
}

void TSizeConstraints::Apply(int& Width, int& Height) const {
  if (FMaxWidth > 0 && Width > FMaxWidth) {
    Width = FMaxWidth;
  }
  if (FMinWidth > 0 && Width < FMinWidth) {
    Width = FMinWidth;
  }
  if (FMaxHeight > 0 && Height > FMaxHeight) {
    Height = FMaxHeight;
  }
  if (FMinHeight > 0 && Height < FMinHeight) {
    Height = FMinHeight;
  }
}

void TSizeConstraints::Change() {
  if (FControl && !FControl->ComponentState().Contains(csLoading)) {
    // The control's present size is brought within the new limits.
    FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
  }
  if (OnChange) {
    OnChange(this);
  }
}

void TControl::ConstrainSize(int& AWidth, int& AHeight) const {
  if (FConstraints) {
    FConstraints->Apply(AWidth, AHeight);
  }
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors != Value) {
    FAnchors = Value;
    UpdateAnchorRules();
  }
}

void TControl::UpdateAnchorRules() {
  if (FAnchoring || !FParent || ComponentState().Contains(csLoading)) {
    return;
  }
  TRect C = FParent->ClientRect();
  FAnchorBounds = BoundsRect();
  FAnchorParentWidth = C.Width();
  FAnchorParentHeight = C.Height();
}

void TControl::AnchorTo(int ParentWidth, int ParentHeight) {
  if (FAlign != alNone || ComponentState().Contains(csLoading) || FAnchorParentWidth < 0 ||
      FAnchors == TAnchors{akLeft, akTop}) {
    return;
  }
  // Each axis: both edges anchored stretches, the far edge alone moves, neither keeps the centre.
  auto Axis = [](bool Near, bool Far, int Pos, int Size, int Delta, int& NewPos, int& NewSize) {
    NewPos = Pos;
    NewSize = Size;
    if (Near && Far) {
      NewSize = Size + Delta;
    } else if (Far) {
      NewPos = Pos + Delta;
    } else if (!Near) {
      NewPos = Pos + Delta / 2;
    }
  };
  int L = 0, W = 0, T = 0, H = 0;
  const TRect& B = FAnchorBounds;
  Axis(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), B.Left, B.Width(), ParentWidth - FAnchorParentWidth, L, W);
  Axis(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), B.Top, B.Height(), ParentHeight - FAnchorParentHeight, T,
       H);
  FAnchoring = true;
  try {
    SetBounds(L, T, std::max(W, 0), std::max(H, 0));
  } catch (...) {
    FAnchoring = false;
    throw;
  }
  FAnchoring = false;
}
