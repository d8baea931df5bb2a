// Tool windows: client size and its limits in docks and floating, stored sizes, and resizing a docked edge.
#include "toolbars/Tb2toolwindow.h"

#include "platform/graphics/ImgList.h"
#include "toolbars/Tb2common.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TTBToolWindow, TTBCustomDockableWindow)
Z_IMPLEMENT_CLASS(TTBResizeableToolWindow, TTBToolWindow)

TTBToolWindow::TTBToolWindow(TComponent* AOwner) : TTBCustomDockableWindow(AOwner) {
  SetBounds(Left(), Top(), 32, 32);
}

int TTBToolWindow::ClientAreaWidth() { return Parent() ? ClientWidth() : Width(); }

int TTBToolWindow::ClientAreaHeight() { return Parent() ? ClientHeight() : Height(); }

void TTBToolWindow::SetClientAreaSize(int AWidth, int AHeight) {
  if (Parent()) {
    AWidth += Width() - ClientWidth();
    AHeight += Height() - ClientHeight();
  }
  SetBounds(Left(), Top(), AWidth, AHeight);
}

void TTBToolWindow::SizeChanging(int AWidth, int AHeight) {
  FStoredClientWidth = Parent() ? AWidth - (Width() - ClientWidth()) : AWidth;
  FStoredClientHeight = Parent() ? AHeight - (Height() - ClientHeight()) : AHeight;
}

TPoint TTBToolWindow::CalcSize(TTBDock* ADock) {
  TPoint Size = Point(FStoredClientWidth, FStoredClientHeight);
  if (ADock && (FullSize() || Stretch())) {
    if (ADock->IsVertical()) {
      Size.Y = MinClientHeight;
    } else {
      Size.X = MinClientWidth;
    }
  }
  return Size;
}

TPoint TTBToolWindow::DoArrange(bool, TTBDockType, bool, TTBDock* NewDock) { return CalcSize(NewDock); }

void TTBToolWindow::GetMinMaxSize(int& AMinClientWidth, int& AMinClientHeight, int& AMaxClientWidth,
                                  int& AMaxClientHeight) {
  AMinClientWidth = MinClientWidth;
  AMinClientHeight = MinClientHeight;
  AMaxClientWidth = MaxClientWidth;
  AMaxClientHeight = MaxClientHeight;
}

void TTBToolWindow::ReadPositionData(const TTBReadPositionData& Data) {
  if (!Resizable) {
    return;
  }
  int H = Data.ReadIntProc(Name(), "ClientHeight", FStoredClientHeight, Data.ExtraData);
  int W = Data.ReadIntProc(Name(), "ClientWidth", FStoredClientWidth, Data.ExtraData);
  // A stored size outside the window's limits (a damaged or foreign store) is brought within them.
  W = std::clamp(W, MinClientWidth, MaxClientWidth > 0 ? std::max(MaxClientWidth, MinClientWidth) : 32767);
  H = std::clamp(H, MinClientHeight, MaxClientHeight > 0 ? std::max(MaxClientHeight, MinClientHeight) : 32767);
  SetClientAreaSize(W, H);
}

void TTBToolWindow::WritePositionData(const TTBWritePositionData& Data) {
  Data.WriteIntProc(Name(), "ClientWidth", FStoredClientWidth, Data.ExtraData);
  Data.WriteIntProc(Name(), "ClientHeight", FStoredClientHeight, Data.ExtraData);
}

// ---- Resizing while docked ----

TTBResizeKind TTBResizeableToolWindow::GetResizeKind(int X, int Y) {
  TTBDock* D = CurrentDock();
  if (!D) {
    return rkNone;
  }
  TTBResizeKind Kind = rkNone;
  auto Within = [](int V, int Lo, int Hi) { return V >= Lo && V <= Hi; };
  if (Within(Y, -2, 2) && D->Position() == dpBottom) {
    Kind = rkTop;
  }
  if (Within(ClientAreaHeight() - Y, 0, 4) && D->Position() != dpBottom) {
    Kind = rkBottom;
  }
  if (Within(X, -2, 2) && D->Position() == dpRight) {
    Kind = rkLeft;
  }
  if (Within(ClientAreaWidth() - X, 0, 4) && D->Position() != dpRight) {
    Kind = rkRight;
  }
  if (FullSize() && Kind != rkNone && ((Kind == rkLeft || Kind == rkRight) != D->IsVertical())) {
    Kind = rkNone;
  }
  return Kind;
}

void TTBResizeableToolWindow::AdjustClientRect(TRect& Rect) {
  TTBToolWindow::AdjustClientRect(Rect);
  if (TTBDock* D = CurrentDock()) {
    Rect.Right -= 2;
    Rect.Bottom -= 2;
    if (D->Position() == dpBottom) {
      Rect.Top += 2;
      Rect.Bottom += 2;
    } else if (D->Position() == dpRight) {
      Rect.Left += 2;
      Rect.Right += 2;
    }
  }
}

bool TTBResizeableToolWindow::DockedSizingLoop(int X, int Y) {
  const TTBResizeKind Kind = GetResizeKind(X, Y);
  if (Kind == rkNone) {
    return false;
  }
  TTBDock* D = CurrentDock();
  const bool HeightResize = Kind == rkTop || Kind == rkBottom;
  const bool NearEdge = Kind == rkTop || Kind == rkLeft;
  const bool RowResize = HeightResize != D->IsVertical();
  std::vector<TTBToolWindow*> Row;
  if (RowResize) {
    for (int I = 0; I < D->GetToolbarCount(); ++I) {
      if (auto* T = dynamic_cast<TTBToolWindow*>(D->GetToolbars(I)); T && T->DockRow() == DockRow()) {
        Row.push_back(T);
      }
    }
  } else {
    Row.push_back(this);
  }
  // Limits of the client size in the direction of the drag.
  int Min = 0;
  int Max = 0;
  for (TTBToolWindow* T : Row) {
    int MinW = 0, MinH = 0, MaxW = 0, MaxH = 0;
    T->GetMinMaxSize(MinW, MinH, MaxW, MaxH);
    Min = std::max(Min, HeightResize ? MinH : MinW);
    const int M = HeightResize ? MaxH : MaxW;
    if (M > 0 && (Max == 0 || M < Max)) {
      Max = M;
    }
  }
  const int Frame = HeightResize ? Height() - ClientHeight() : Width() - ClientWidth();
  if (!RowResize) {
    const int ToFarEdge = (HeightResize ? D->ClientHeight() - Top() : D->ClientWidth() - Left()) - Frame;
    if (Max == 0 || Max > ToFarEdge) {
      Max = ToFarEdge;
    }
  }
  static const TTBSizeHandle Handles[] = {twshTop, twshTop, twshLeft, twshBottom, twshRight};
  ResizeBegin(Handles[Kind]);
  const HWND Wnd = Handle();
  ::SetCapture(Wnd);
  const TPoint Start = ClientToScreen(Point(X, Y));
  const int StartCoord = HeightResize ? Start.Y : Start.X;
  const int StartSize = HeightResize ? ClientHeight() : ClientWidth();
  auto Apply = [&](int NewSize) {
    D->BeginUpdate();
    try {
      for (TTBToolWindow* T : Row) {
        if (HeightResize) {
          T->SetClientAreaSize(T->ClientAreaWidth(), NewSize);
        } else {
          T->SetClientAreaSize(NewSize, T->ClientAreaHeight());
        }
      }
    } catch (...) {
      D->EndUpdate();
      throw;
    }
    D->EndUpdate();
    D->ArrangeToolbars();
  };
  struct TEnd {
    TTBResizeableToolWindow* W;
    ~TEnd() {
      if (GetCapture() == W->Handle()) {
        ReleaseCapture();
      }
      ClipCursor(nullptr);
      W->ResizeEnd();
    }
  } End{this};
  MSG Msg;
  TPoint Last = Start;
  while (TBNextCaptureMessage(Wnd, Msg)) {
    if (Msg.message == WM_KEYDOWN && Msg.wParam == VK_ESCAPE) {
      break;
    }
    if (Msg.message == WM_LBUTTONUP || Msg.message == WM_LBUTTONDOWN || Msg.message == WM_LBUTTONDBLCLK) {
      break;
    }
    if (Msg.message == WM_MOUSEMOVE) {
      const TPoint Pt = TBMessagePoint(Msg);
      if (Pt.X == Last.X && Pt.Y == Last.Y) {
        continue;
      }
      Last = Pt;
      const int Travel = (HeightResize ? Pt.Y : Pt.X) - StartCoord;
      int NewSize = StartSize + (NearEdge ? -Travel : Travel);
      NewSize = std::max(NewSize, Min);
      if (Max > 0) {
        NewSize = std::min(NewSize, Max);
      }
      Apply(NewSize);
      continue;
    }
    TBDispatchCaptureMessage(Msg);
  }
  return true;
}

void TTBResizeableToolWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
      const int X = static_cast<short>(LOWORD(Message.LParam));
      const int Y = static_cast<short>(HIWORD(Message.LParam));
      if (DockedSizingLoop(X, Y)) {
        Message.Result = 0;
        return;
      }
      break;
    }
    case WM_NCLBUTTONDOWN: {
      const TPoint P = ScreenToClient(Point(static_cast<short>(LOWORD(Message.LParam)),
                                            static_cast<short>(HIWORD(Message.LParam))));
      if (DockedSizingLoop(P.X, P.Y)) {
        Message.Result = 0;
        return;
      }
      break;
    }
    case WM_SETCURSOR: {
      TPoint P;
      GetCursorPos(&P);
      P = ScreenToClient(P);
      const TTBResizeKind Kind = GetResizeKind(P.X, P.Y);
      if (Kind != rkNone) {
        SetCursor(Screen->Cursors(Kind == rkTop || Kind == rkBottom ? crVSplit : crHSplit));
        Message.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TTBToolWindow::Dispatch(Message);
}
