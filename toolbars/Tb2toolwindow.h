// Tool windows: dockable windows whose client area holds ordinary controls, with client size limits; and the
// resizable kind whose docked edge can be dragged.
#pragma once

#include "toolbars/Tb2dockable.h"

enum TTBResizeKind { rkNone, rkTop, rkLeft, rkBottom, rkRight };

// A dockable pane of controls. Its wanted client size is kept in StoredClientWidth/Height.
class TTBToolWindow : public TTBCustomDockableWindow {
  Z_CLASS(TTBToolWindow, TTBCustomDockableWindow)

public:
  explicit TTBToolWindow(TComponent* AOwner);
  int ClientAreaWidth();
  int ClientAreaHeight();
  void SetClientAreaWidth(int Value) { SetClientAreaSize(Value, ClientAreaHeight()); }
  void SetClientAreaHeight(int Value) { SetClientAreaSize(ClientAreaWidth(), Value); }
  void SetClientAreaSize(int AWidth, int AHeight);
  int MinClientWidth = 32;
  int MinClientHeight = 32;
  int MaxClientWidth = 0;  // 0: no maximum
  int MaxClientHeight = 0;
  int StoredClientWidth() const { return FStoredClientWidth; }
  int StoredClientHeight() const { return FStoredClientHeight; }

  TPoint DoArrange(bool CanMoveControls, TTBDockType PreviousDockType, bool NewFloating, TTBDock* NewDock) override;
  void GetBaseSize(TPoint& ASize) override { ASize = CalcSize(CurrentDock()); }
  void GetMinMaxSize(int& AMinClientWidth, int& AMinClientHeight, int& AMaxClientWidth,
                     int& AMaxClientHeight) override;
  void SizeChanging(int AWidth, int AHeight) override;
  void ReadPositionData(const TTBReadPositionData& Data) override;
  void WritePositionData(const TTBWritePositionData& Data) override;

protected:
  TPoint CalcSize(TTBDock* ADock);

private:
  int FStoredClientWidth = 0;
  int FStoredClientHeight = 0;
};

// A tool window whose inner edge can be dragged while docked: across the dock it sizes the whole row, along the
// dock the window alone.
class TTBResizeableToolWindow : public TTBToolWindow {
  Z_CLASS(TTBResizeableToolWindow, TTBToolWindow)

public:
  using TTBToolWindow::TTBToolWindow;
  TTBResizeKind GetResizeKind(int X, int Y);
  void AdjustClientRect(TRect& Rect) override;
  // Runs the docked sizing loop when (X, Y) lies on a resizing edge; true when it did.
  bool DockedSizingLoop(int X, int Y);

protected:
  void Dispatch(TMessage& Message) override;
};
