// The status bar with its panels and the progress bar, both painted over the graphics layer.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <algorithm>
#include <cstring>

Z_IMPLEMENT_CLASS_PUBLISHED(TStatusPanel, TCollectionItem, TStatusPanel::Publish)
Z_IMPLEMENT_CLASS(TStatusPanels, TCollection)
Z_IMPLEMENT_CLASS_PUBLISHED(TStatusBar, TCustomControl, TStatusBar::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TProgressBar, TCustomControl, TProgressBar::Publish)

// ---- TStatusPanel -----------------------------------------------------------------------------------------------

void TStatusPanel::Publish(TMetaClass& Meta) {
  TPublisher<TStatusPanel> P(Meta);
  P.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
  P.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
  P.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText);
  P.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  P.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

void TStatusPanel::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TStatusPanel*>(Source)) {
    FAlignment = S->FAlignment;
    FBevel = S->FBevel;
    FStyle = S->FStyle;
    FText = S->FText;
    FWidth = S->FWidth;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment != Value) {
    FAlignment = Value;
    Changed(false);
  }
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (FBevel != Value) {
    FBevel = Value;
    Changed(false);
  }
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (FStyle != Value) {
    FStyle = Value;
    Changed(false);
  }
}

void TStatusPanel::SetText(const std::string& Value) {
  if (FText != Value) {
    FText = Value;
    Changed(false);
  }
}

void TStatusPanel::SetWidth(int Value) {
  if (FWidth != Value) {
    FWidth = Value;
    Changed(true);
  }
}

// ---- TStatusPanels ----------------------------------------------------------------------------------------------

TStatusPanels::TStatusPanels(TStatusBar* AStatusBar) : TCollection(TStatusPanel::StaticClass()), FStatusBar(AStatusBar) {
  SetPropName("Panels");
}

TPersistent* TStatusPanels::GetOwner() { return FStatusBar; }

void TStatusPanels::Update(TCollectionItem* Item) {
  (void)Item;
  FStatusBar->Invalidate();
}

// ---- TStatusBar -------------------------------------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  FAlign = alBottom;
  FWidth = 200;
  FHeight = 19;
  FColor = clBtnFace;
  FParentColor = false;
  ControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
}

void TStatusBar::Publish(TMetaClass& Meta) {
  TPublisher<TStatusBar> P(Meta);
  P.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
  P.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
  P.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  P.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
  P.Property("OnDrawPanel", &TStatusBar::OnDrawPanel, &TStatusBar::OnDrawPanel);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel != Value) {
    FSimplePanel = Value;
    Invalidate();
  }
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  if (FSimpleText != Value) {
    FSimpleText = Value;
    if (FSimplePanel) {
      Invalidate();
    }
  }
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip != Value) {
    FSizeGrip = Value;
    Invalidate();
  }
}

bool TStatusBar::ShowingSizeGrip() {
  if (!FSizeGrip) {
    return false;
  }
  auto* Form = dynamic_cast<TForm*>(GetParentForm(this));
  return Form && (Form->BorderStyle == bsSizeable || Form->BorderStyle == bsSizeToolWin);
}

TRect TStatusBar::SizeGripRect() {
  int Size = std::min(GetSystemMetrics(SM_CXVSCROLL), FHeight);
  return Rect(FWidth - Size, FHeight - Size, FWidth, FHeight);
}

TRect TStatusBar::PanelRect(int Index) {
  int Right = ShowingSizeGrip() ? SizeGripRect().Left : FWidth;
  if (FSimplePanel) {
    return Rect(0, 2, Right, FHeight);
  }
  if (Index < 0 || Index >= FPanels->Count()) {
    return TRect{};
  }
  int X = 0;
  for (int I = 0; I < Index; ++I) {
    X += FPanels->Items(I)->Width();
  }
  int End = Index == FPanels->Count() - 1 ? std::max(Right, X) : X + FPanels->Items(Index)->Width();
  return Rect(X, 2, End, FHeight);
}

void TStatusBar::DrawPanelText(const std::string& Text, TAlignment Alignment, TRect R) {
  TCanvas* C = Canvas();
  C->Font()->Assign(Font());
  C->Brush()->SetStyle(bsClear);
  int W = C->TextWidth(Text);
  int X = R.Left + 2;
  if (Alignment == taRightJustify) {
    X = R.Right - 2 - W;
  } else if (Alignment == taCenter) {
    X = R.Left + (R.Width() - W) / 2;
  }
  C->TextRect(R, X, R.Top + (R.Height() - C->TextHeight("Wg")) / 2, Text);
  C->Brush()->SetStyle(bsSolid);
}

void TStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect) {
  if (OnDrawPanel) {
    OnDrawPanel(this, Panel, Rect);
  }
}

void TStatusBar::Paint() {
  TCanvas* C = Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  if (FSimplePanel) {
    TRect R = PanelRect(0);
    R.Right -= 2;
    TRect Edge = R;
    DrawEdge(C->Handle(), &Edge, BDR_SUNKENOUTER, BF_RECT);
    DrawPanelText(FSimpleText, taLeftJustify, Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
  } else {
    for (int I = 0; I < FPanels->Count(); ++I) {
      TStatusPanel* Panel = FPanels->Items(I);
      TRect R = PanelRect(I);
      R.Right -= 2;  // the gap between panels
      if (R.Right <= R.Left) {
        continue;
      }
      if (Panel->Bevel() != pbNone) {
        TRect Edge = R;
        DrawEdge(C->Handle(), &Edge, Panel->Bevel() == pbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      }
      TRect Inner = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
      if (Panel->Style() == psOwnerDraw) {
        C->Brush()->SetColor(Color());
        C->Font()->Assign(Font());
        DrawPanel(Panel, Inner);
      } else {
        DrawPanelText(Panel->Text(), Panel->Alignment(), Inner);
      }
    }
  }
  if (ShowingSizeGrip()) {
    TRect Grip = SizeGripRect();
    DrawFrameControl(C->Handle(), &Grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
  TCustomControl::Paint();
}

void TStatusBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case SB_SETTEXT: {
      auto Index = static_cast<int>(Message.WParam & 0xFF);
      std::string Text = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      if (Index == static_cast<int>(SB_SIMPLEID)) {
        SetSimpleText(Text);
      } else if (Index < FPanels->Count()) {
        TStatusPanel* Panel = FPanels->Items(Index);
        Panel->SetText(Text);
        Panel->SetStyle((Message.WParam & SBT_OWNERDRAW) ? psOwnerDraw : psText);
        Panel->SetBevel((Message.WParam & SBT_NOBORDERS) ? pbNone : (Message.WParam & SBT_POPOUT) ? pbRaised : pbLowered);
      } else {
        Message.Result = 0;
        return;
      }
      Message.Result = 1;
      return;
    }
    case SB_GETTEXT:
    case SB_GETTEXTLENGTH: {
      auto Index = static_cast<int>(Message.WParam & 0xFF);
      std::string Text;
      if (FSimplePanel || Index == static_cast<int>(SB_SIMPLEID)) {
        Text = FSimpleText;
      } else if (Index < FPanels->Count()) {
        Text = FPanels->Items(Index)->Text();
      }
      if (Message.Msg == SB_GETTEXT && Message.LParam) {
        std::memcpy(reinterpret_cast<char*>(Message.LParam), Text.c_str(), Text.size() + 1);
      }
      Message.Result = static_cast<LRESULT>(Text.size());
      return;
    }
    case SB_SIMPLE:
      SetSimplePanel(Message.WParam != 0);
      Message.Result = 0;
      return;
    case SB_ISSIMPLE: Message.Result = FSimplePanel ? 1 : 0; return;
    case SB_GETRECT: {
      auto Index = static_cast<int>(Message.WParam);
      if (!Message.LParam || (!FSimplePanel && (Index < 0 || Index >= FPanels->Count()))) {
        Message.Result = 0;
        return;
      }
      *reinterpret_cast<TRect*>(Message.LParam) = PanelRect(Index);
      Message.Result = 1;
      return;
    }
    case SB_GETPARTS: {
      // The right edges of the panels (the last one -1: it runs to the end); returns the count.
      int Count = FPanels->Count();
      if (auto* Edges = reinterpret_cast<int*>(Message.LParam)) {
        int X = 0;
        for (int I = 0; I < Count && I < static_cast<int>(Message.WParam); ++I) {
          X += FPanels->Items(I)->Width();
          Edges[I] = I == Count - 1 ? -1 : X;
        }
      }
      Message.Result = Count;
      return;
    }
    case WM_NCHITTEST:
      if (ShowingSizeGrip()) {
        TPoint P = ScreenToClient(Point(static_cast<short>(LOWORD(Message.LParam)),
                                        static_cast<short>(HIWORD(Message.LParam))));
        TRect Grip = SizeGripRect();
        if (P.X >= Grip.Left && P.X < Grip.Right && P.Y >= Grip.Top && P.Y < Grip.Bottom) {
          Message.Result = HTBOTTOMRIGHT;
          return;
        }
      }
      break;
    case WM_NCLBUTTONDOWN:
      // A press on the grip sizes the form from its bottom-right corner, as the form's own border would.
      if (Message.WParam == HTBOTTOMRIGHT && ShowingSizeGrip()) {
        if (HWND Root = GetAncestor(Handle(), GA_ROOT)) {
          SendMessage(Root, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, Message.LParam);
        }
        return;
      }
      break;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

// ---- TProgressBar -----------------------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 150;
  FHeight = 16;
  FColor = clBtnFace;
  FParentColor = false;
}

void TProgressBar::Publish(TMetaClass& Meta) {
  TPublisher<TProgressBar> P(Meta);
  P.Property("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
  P.Property("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
  P.Property("Orientation", &TProgressBar::Orientation, &TProgressBar::SetOrientation).Default(pbHorizontal);
  P.Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
  P.Property("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth).Default(false);
  P.Property("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
}

void TProgressBar::SetRange(int AMin, int AMax) {
  if (AMax < AMin) {
    AMax = AMin;
  }
  FMin = AMin;
  FMax = AMax;
  FPosition = std::clamp(FPosition, FMin, FMax);
  Invalidate();
}

void TProgressBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value != FPosition) {
    FPosition = Value;
    Invalidate();
  }
}

void TProgressBar::StepIt() {
  int Next = FPosition + FStep;
  if (FMax > FMin && (Next > FMax || Next < FMin)) {
    int Span = FMax - FMin;
    Next = FMin + (((Next - FMin) % Span) + Span) % Span;
  }
  SetPosition(Next);
}

void TProgressBar::SetSmooth(bool Value) {
  FSmooth = Value;
  Invalidate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (FOrientation != Value) {
    FOrientation = Value;
    SetBounds(FLeft, FTop, FHeight, FWidth);
    Invalidate();
  }
}

TRect TProgressBar::BarRect() {
  TRect Inner = Rect(2, 2, FWidth - 2, FHeight - 2);
  if (FMax <= FMin || Inner.Width() <= 0 || Inner.Height() <= 0) {
    return Rect(Inner.Left, Inner.Top, Inner.Left, Inner.Top);
  }
  auto Part = [&](int Length) {
    return static_cast<int>(static_cast<long long>(Length) * (FPosition - FMin) / (FMax - FMin));
  };
  if (FOrientation == pbHorizontal) {
    return Rect(Inner.Left, Inner.Top, Inner.Left + Part(Inner.Width()), Inner.Bottom);
  }
  return Rect(Inner.Left, Inner.Bottom - Part(Inner.Height()), Inner.Right, Inner.Bottom);
}

void TProgressBar::Paint() {
  TCanvas* C = Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  TRect Frame = ClientRect();
  DrawEdge(C->Handle(), &Frame, BDR_SUNKENOUTER, BF_RECT);
  TRect Bar = BarRect();
  C->Brush()->SetColor(clHighlight);
  if (FSmooth) {
    C->FillRect(Bar);
  } else {
    // Blocks two thirds as long as the bar is thick, two pixels apart.
    bool Horizontal = FOrientation == pbHorizontal;
    int Thick = Horizontal ? Bar.Height() : Bar.Width();
    int Block = std::max(2, Thick * 2 / 3);
    if (Horizontal) {
      for (int X = Bar.Left; X < Bar.Right; X += Block + 2) {
        C->FillRect(Rect(X, Bar.Top, std::min(X + Block, Bar.Right), Bar.Bottom));
      }
    } else {
      for (int Y = Bar.Bottom; Y > Bar.Top; Y -= Block + 2) {
        C->FillRect(Rect(Bar.Left, std::max(Y - Block, Bar.Top), Bar.Right, Y));
      }
    }
  }
  TCustomControl::Paint();
}

void TProgressBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case PBM_SETRANGE: {
      LRESULT Old = MAKELONG(static_cast<WORD>(FMin), static_cast<WORD>(FMax));
      SetRange(LOWORD(Message.LParam), HIWORD(Message.LParam));
      Message.Result = Old;
      return;
    }
    case PBM_SETRANGE32: {
      LRESULT Old = MAKELONG(static_cast<WORD>(FMin), static_cast<WORD>(FMax));
      SetRange(static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
      Message.Result = Old;
      return;
    }
    case PBM_GETRANGE:
      Message.Result = Message.WParam ? FMin : FMax;
      return;
    case PBM_SETPOS:
      Message.Result = FPosition;
      SetPosition(static_cast<int>(Message.WParam));
      return;
    case PBM_DELTAPOS:
      Message.Result = FPosition;
      StepBy(static_cast<int>(Message.WParam));
      return;
    case PBM_SETSTEP:
      Message.Result = FStep;
      FStep = static_cast<int>(Message.WParam);
      return;
    case PBM_STEPIT:
      Message.Result = FPosition;
      StepIt();
      return;
    case PBM_GETPOS: Message.Result = FPosition; return;
    default: break;
  }
  TCustomControl::Dispatch(Message);
}
