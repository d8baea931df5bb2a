// The class library's aligned splitter: a thin bar beside an aligned control that resizes it by dragging.
#pragma once

#include "platform/controls/Controls.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
Z_ENUM_TYPEINFO(TResizeStyle, "rsNone", "rsLine", "rsUpdate", "rsPattern")

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// Sits beside the control it resizes (to the right of an alLeft control, above an alBottom one...). A left
// press finds that control, a drag computes its new size within MinSize and what the other aligned controls
// leave, and the release applies it (rsLine / rsPattern draw an inverted line on the parent while dragging;
// rsUpdate resizes at every move; rsNone only at the release). OnCanResize may change or refuse a size; with
// AutoSnap a size at or below MinSize collapses the control to 0. OnMoved follows each applied change. Escape
// in the form's active control cancels a drag.
class TSplitter : public TGraphicControl {
  Z_CLASS(TSplitter, TGraphicControl)

public:
  explicit TSplitter(TComponent* AOwner);
  void BeforeDestruction() override;
  // Published: Align, AutoSnap, Beveled, Color, Cursor, MinSize, ResizeStyle, Visible, Width/Height, OnCanResize,
  // OnMoved and the control's common properties.
  static void Publish(TMetaClass& Meta);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  bool AutoSnap = true;
  bool Beveled = false;
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value < 1 ? 1 : Value; }
  TResizeStyle ResizeStyle = rsPattern;
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;

  // The control this splitter would resize now (visible and enabled, touching its outer side), or null.
  TControl* FindResizeControl();
  // True while a drag is under way.
  bool Sizing() const { return FControl != nullptr; }

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The splitter's one-dimensional test; the control's own two-dimensional one stays reachable.
  using TGraphicControl::CanResize;
  virtual bool CanResize(int& NewSize);

protected:
  // Fills the bar with its colour; a bevelled bar gets a raised edge along its length.
  void Paint() override;

private:
  bool DoCanResize(int& NewSize);
  void CalcSplitSize(int X, int Y, int& NewSize, int& Split);
  void UpdateControlSize();
  void DrawLine();
  void AllocateLineDC();
  void ReleaseLineDC();
  void StopSizing();
  void FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift);

  int FMinSize = 30;
  TControl* FControl = nullptr;
  TPoint FDownPos{};
  int FMaxSize = 0;
  int FNewSize = 0;
  int FSplit = 0;
  bool FLineVisible = false;
  HWND FLineWnd = 0;
  HDC FLineDC = 0;
  HBRUSH FBrush = 0;
  HGDIOBJ FPrevBrush = 0;
  TWinControl* FActiveControl = nullptr;
  TKeyEvent FOldKeyDown;
};
