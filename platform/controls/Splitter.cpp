// TSplitter: finding the control beside the bar, the drag with its inverted line, and applying the new size.
#include "platform/controls/Splitter.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TSplitter, TGraphicControl, TSplitter::Publish)

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FAlign = alLeft;
  FWidth = 3;
  FHeight = 100;
  Cursor = crHSplit;
  FColor = clBtnFace;
}

void TSplitter::BeforeDestruction() {
  StopSizing();
  TGraphicControl::BeforeDestruction();
}

void TSplitter::Publish(TMetaClass& Meta) {
  TPublisher<TSplitter> P(Meta);
  P.Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::AutoSnap).Default(true);
  P.Property("Beveled", &TSplitter::Beveled, &TSplitter::Beveled).Default(false);
  P.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
  P.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::ResizeStyle).Default(rsPattern);
  P.Property("OnCanResize", &TSplitter::OnCanResize, &TSplitter::OnCanResize);
  P.Property("OnMoved", &TSplitter::OnMoved, &TSplitter::OnMoved);
}

void TSplitter::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  // The bar's own cursor follows its direction (a cursor the program chose stays).
  if (Cursor == crHSplit || Cursor == crVSplit) {
    Cursor = (FAlign == alTop || FAlign == alBottom) ? crVSplit : crHSplit;
  }
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

TControl* TSplitter::FindResizeControl() {
  if (!FParent) {
    return nullptr;
  }
  TPoint P{FLeft, FTop};
  switch (FAlign) {
    case alLeft: --P.X; break;
    case alRight: P.X += FWidth; break;
    case alTop: --P.Y; break;
    case alBottom: P.Y += FHeight; break;
    default: return nullptr;
  }
  bool Leading = FAlign == alLeft || FAlign == alTop;
  for (int I = 0; I < FParent->ControlCount(); ++I) {
    TControl* C = FParent->Controls(I);
    if (C == this || !C->Visible() || !C->Enabled()) {
      continue;
    }
    TRect R = C->BoundsRect();
    // A control collapsed to nothing still counts when it lies right beside the bar.
    if (R.Width() == 0) {
      Leading ? --R.Left : ++R.Right;
    }
    if (R.Height() == 0) {
      Leading ? --R.Top : ++R.Bottom;
    }
    if (P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) {
      return C;
    }
  }
  return nullptr;
}

bool TSplitter::CanResize(int& NewSize) {
  bool Accept = true;
  if (OnCanResize) {
    OnCanResize(this, NewSize, Accept);
  }
  return Accept;
}

bool TSplitter::DoCanResize(int& NewSize) {
  bool Result = CanResize(NewSize);
  if (Result && NewSize <= FMinSize && AutoSnap) {
    NewSize = 0;
  }
  return Result;
}

void TSplitter::CalcSplitSize(int X, int Y, int& NewSize, int& Split) {
  bool Horizontal = FAlign == alLeft || FAlign == alRight;
  Split = Horizontal ? X - FDownPos.X : Y - FDownPos.Y;
  int S = 0;
  switch (FAlign) {
    case alLeft: S = FControl->Width() + Split; break;
    case alRight: S = FControl->Width() - Split; break;
    case alTop: S = FControl->Height() + Split; break;
    case alBottom: S = FControl->Height() - Split; break;
    default: break;
  }
  NewSize = S < FMinSize ? FMinSize : (S > FMaxSize ? FMaxSize : S);
  if (S != NewSize) {
    // Keep the line where the clamped size puts the edge.
    Split += (FAlign == alRight || FAlign == alBottom) ? S - NewSize : NewSize - S;
  }
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || FControl) {
    return;
  }
  FControl = FindResizeControl();
  if (!FControl) {
    return;
  }
  FreeNotification(FControl);
  FDownPos = Point(X, Y);
  // The most the control may take: what the other controls aligned the same way leave, keeping MinSize for
  // the rest.
  bool Horizontal = FAlign == alLeft || FAlign == alRight;
  FMaxSize = (Horizontal ? FParent->ClientWidth() : FParent->ClientHeight()) - FMinSize;
  for (int I = 0; I < FParent->ControlCount(); ++I) {
    TControl* C = FParent->Controls(I);
    if (!C->Visible()) {
      continue;
    }
    if (Horizontal && (C->Align() == alLeft || C->Align() == alRight)) {
      FMaxSize -= C->Width();
    } else if (!Horizontal && (C->Align() == alTop || C->Align() == alBottom)) {
      FMaxSize -= C->Height();
    }
  }
  FMaxSize += Horizontal ? FControl->Width() : FControl->Height();
  CalcSplitSize(X, Y, FNewSize, FSplit);
  AllocateLineDC();
  if (auto* Form = GetParentForm(this)) {
    if (TWinControl* Active = Form->ActiveControl()) {
      FActiveControl = Active;
      FreeNotification(Active);
      FOldKeyDown = Active->OnKeyDown;
      Active->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState S) { FocusKeyDown(Sender, Key, S); };
    }
  }
  if (ResizeStyle == rsLine || ResizeStyle == rsPattern) {
    DrawLine();
  }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FControl) {
    return;
  }
  int NewSize = 0, Split = 0;
  CalcSplitSize(X, Y, NewSize, Split);
  if (!DoCanResize(NewSize)) {
    return;
  }
  bool Line = ResizeStyle == rsLine || ResizeStyle == rsPattern;
  if (Line) {
    DrawLine();
  }
  FNewSize = NewSize;
  FSplit = Split;
  if (ResizeStyle == rsUpdate) {
    UpdateControlSize();
  }
  if (Line) {
    DrawLine();
  }
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FControl) {
    return;
  }
  if (FLineVisible) {
    DrawLine();
  }
  UpdateControlSize();
  StopSizing();
}

// Applies the size the drag reached. Compared with the control's size now (not with the last drag's), so a
// size changed elsewhere in between is still put right and a drag that changes nothing reports no move.
void TSplitter::UpdateControlSize() {
  bool Horizontal = FAlign == alLeft || FAlign == alRight;
  int Old = Horizontal ? FControl->Width() : FControl->Height();
  if (FNewSize == Old) {
    return;
  }
  switch (FAlign) {
    case alLeft: FControl->SetWidth(FNewSize); break;
    case alTop: FControl->SetHeight(FNewSize); break;
    case alRight:
      FParent->DisableAlign();
      FControl->SetBounds(FControl->Left() + FControl->Width() - FNewSize, FControl->Top(), FNewSize,
                          FControl->Height());
      FParent->EnableAlign();
      break;
    case alBottom:
      FParent->DisableAlign();
      FControl->SetBounds(FControl->Left(), FControl->Top() + FControl->Height() - FNewSize, FControl->Width(),
                          FNewSize);
      FParent->EnableAlign();
      break;
    default: break;
  }
  FParent->Update();
  if (OnMoved) {
    OnMoved(this);
  }
}

void TSplitter::AllocateLineDC() {
  if (ResizeStyle != rsLine && ResizeStyle != rsPattern) {
    return;
  }
  FLineWnd = FParent->Handle();
  FLineDC = GetDCEx(FLineWnd, 0, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
  if (ResizeStyle == rsPattern) {
    // A halftone: every other pixel, shifted by one on each row.
    static const WORD Bits[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP Pattern = CreateBitmap(8, 8, 1, 1, Bits);
    FBrush = CreatePatternBrush(Pattern);
    DeleteObject(Pattern);
    FPrevBrush = SelectObject(FLineDC, FBrush);
  } else {
    FPrevBrush = SelectObject(FLineDC, GetStockObject(WHITE_BRUSH));
  }
}

void TSplitter::ReleaseLineDC() {
  if (!FLineDC) {
    return;
  }
  SelectObject(FLineDC, FPrevBrush);
  ReleaseDC(FLineWnd, FLineDC);
  FLineDC = 0;
  FLineWnd = 0;
  if (FBrush) {
    DeleteObject(FBrush);
    FBrush = 0;
  }
}

void TSplitter::DrawLine() {
  if (!FLineDC) {
    return;
  }
  FLineVisible = !FLineVisible;
  TPoint P{FLeft, FTop};
  if (FAlign == alLeft || FAlign == alRight) {
    P.X = FLeft + FSplit;
  } else {
    P.Y = FTop + FSplit;
  }
  PatBlt(FLineDC, P.X, P.Y, FWidth, FHeight, PATINVERT);
}

void TSplitter::StopSizing() {
  if (!FControl) {
    return;
  }
  if (FLineVisible) {
    DrawLine();
  }
  TControl* Control = FControl;
  FControl = nullptr;
  if (Control != FActiveControl) {
    RemoveFreeNotification(Control);
  }
  ReleaseLineDC();
  if (FActiveControl) {
    FActiveControl->OnKeyDown = std::move(FOldKeyDown);
    FOldKeyDown = nullptr;
    RemoveFreeNotification(FActiveControl);
    FActiveControl = nullptr;
  }
}

void TSplitter::FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE) {
    StopSizing();
  } else if (FOldKeyDown) {
    FOldKeyDown(Sender, Key, Shift);
  }
}

void TSplitter::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation != opRemove) {
    return;
  }
  if (AComponent == FActiveControl) {
    FActiveControl = nullptr;  // its handler goes with it
    FOldKeyDown = nullptr;
  }
  if (AComponent == FControl) {
    if (FLineVisible) {
      DrawLine();
    }
    FControl = nullptr;
    ReleaseLineDC();
    if (FActiveControl) {
      FActiveControl->OnKeyDown = std::move(FOldKeyDown);
      FOldKeyDown = nullptr;
      RemoveFreeNotification(FActiveControl);
      FActiveControl = nullptr;
    }
  }
}

void TSplitter::Paint() {
  TRect R = ClientRect();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(R);
  if (Beveled) {
    DrawEdge(Canvas()->Handle(), &R, BDR_RAISEDINNER, BF_RECT);
  }
}
