// TPTSplitter: a container of exactly two framed panes (TPTPane) separated by a bar the user drags, side by side
// or one above the other. The position of the bar can follow the splitter's size proportionally, each pane has a
// minimum size, and the bar moves live or as an inverted line until the button is released.
#pragma once

#include "shell/Uptframes.h"

#include <functional>
#include <string>

enum TPTSplitterStyle { ptstVertical, ptstHorizontal };
Z_ENUM_TYPEINFO(TPTSplitterStyle, "ptstVertical", "ptstHorizontal")
enum TPTFullDragMode { ptfdOff, ptfdOn, ptfdUser };
Z_ENUM_TYPEINFO(TPTFullDragMode, "ptfdOff", "ptfdOn", "ptfdUser")

using TPTSplitterDragEvent = std::function<void(TObject* aSender, int aPosition)>;

class TPTSplitter;

// One pane of a splitter: a framed group that holds the pane's controls. Owned by its splitter.
class TPTPane : public TPTGroup {
  Z_CLASS(TPTPane, TPTGroup)
  friend class TPTSplitter;

public:
  explicit TPTPane(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  static void Publish(TMetaClass& Meta);

  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  // The pane's slot in its splitter (0 or 1).
  int Index() const { return FIndex; }
  void SetIndex(int Value) { FIndex = Value == 1 ? 1 : 0; }
  bool Active() const { return FActive; }
  TPTSplitter* Splitter() const;

protected:
  // A pane read from a layout takes its splitter's slot for its Index.
  void ReadState(TReader* Reader) override;
  void Paint() override;

private:
  int FMinSize = 20;
  int FIndex = 0;
  bool FActive = false;
};

class TPTSplitter : public TCustomControl {
  Z_CLASS(TPTSplitter, TCustomControl)
  friend class TPTPane;

public:
  explicit TPTSplitter(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  static void Publish(TMetaClass& Meta);

  TPTPane* GetPane(int Index) const { return Index == 0 || Index == 1 ? FPanes[Index] : nullptr; }
  // Creates both panes as children named after the splitter (name + "_pane1", "_pane2"), with empty captions.
  void CreatePanes();
  // Exchanges the two panes; with MirrorPosition the bar keeps its distance from the other edge.
  void SwapPanes(bool MirrorPosition);
  // Design time: marks the pane in slot Index active (and the other inactive) and repaints both.
  void SetActivePane(int Index);
  void SetName(const TComponentName& NewName) override;

  TPTSplitterStyle Style() const { return FStyle; }
  void SetStyle(TPTSplitterStyle Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value) { InternalSetPosition(Value, true); }
  int SplitterWidth() const { return FSplitterWidth; }
  void SetSplitterWidth(int Value);
  TPTFullDragMode FullDragMode() const { return FFullDragMode; }
  void SetFullDragMode(TPTFullDragMode Value) { FFullDragMode = Value; }
  bool Proportional() const { return FProportional; }
  void SetProportional(bool Value) { FProportional = Value; }
  // Position divided by the extent along the axis (width for the vertical style, height for the horizontal).
  float Proportion() const { return FProportion; }
  void SetProportion(float Value);

  TColor Pane1Color() const { return PaneColor(0); }
  void SetPane1Color(TColor Value) { SetPaneColor(0, Value); }
  TColor Pane2Color() const { return PaneColor(1); }
  void SetPane2Color(TColor Value) { SetPaneColor(1, Value); }
  TPTFrameStyle Pane1FrameStyle() const { return PaneFrameStyle(0); }
  void SetPane1FrameStyle(TPTFrameStyle Value) { SetPaneFrameStyle(0, Value); }
  TPTFrameStyle Pane2FrameStyle() const { return PaneFrameStyle(1); }
  void SetPane2FrameStyle(TPTFrameStyle Value) { SetPaneFrameStyle(1, Value); }
  int Pane1MinSize() const { return PaneMinSize(0); }
  void SetPane1MinSize(int Value) { SetPaneMinSize(0, Value); }
  int Pane2MinSize() const { return PaneMinSize(1); }
  void SetPane2MinSize(int Value) { SetPaneMinSize(1, Value); }

  bool Dragging() const { return FDragging; }
  // The pointer's coordinate along the axis while the line shows or the bar moves; -1 when none.
  int DragPosition() const { return FDragPos; }
  // Whether the bar moves live: FullDragMode, or for ptfdUser the desktop's setting.
  bool IsFullDrag() const;

  TNotifyEvent OnChange;
  TPTSplitterDragEvent OnSplitterDrag;
  TPTSplitterDragEvent OnSplitterDrop;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  TComponent* GetChildOwner() override { return this; }
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

  virtual void Change();
  // With Proportional (or Force) the position follows the extent; then OnResize and a new layout.
  virtual void InternalResize(bool Force);
  virtual void SplitterDrag(int Position);
  virtual void SplitterDrop(int Position);
  void InternalSetPosition(int Value, bool Fix);
  // Lays the panes out from Position (only with pane 0, a window, and not while loading).
  void InitPanePos();
  void BeginDrag(TPoint P);
  void ContinueDrag(TPoint P);
  void EndDrag();
  void SetDragPosition(int A);
  void PaintSizingLine(int A);

private:
  int Extent();
  int Along(TPoint P) const { return FStyle == ptstVertical ? P.X : P.Y; }
  // The drag position limited so that the bar keeps both panes at their minimum sizes.
  int LimitDrag(int A);
  void FixProportion();
  TColor PaneColor(int I) const { return FPanes[I] ? FPanes[I]->Color() : clBtnFace; }
  void SetPaneColor(int I, TColor Value);
  TPTFrameStyle PaneFrameStyle(int I) const { return FPanes[I] ? FPanes[I]->FrameStyle() : ptfsLowered; }
  void SetPaneFrameStyle(int I, TPTFrameStyle Value);
  int PaneMinSize(int I) const { return FPanes[I] ? FPanes[I]->MinSize() : 20; }
  void SetPaneMinSize(int I, int Value);
  void TakePane(TPTPane* Pane);
  void WMSetCursor(TMessage& Message);

  TPTPane* FPanes[2] = {nullptr, nullptr};
  TPTSplitterStyle FStyle = ptstVertical;
  int FPosition = 65;
  int FSplitterWidth = 3;
  TPTFullDragMode FFullDragMode = ptfdUser;
  bool FProportional = true;
  float FProportion = 65.0f / 200.0f;
  bool FDragging = false;
  TMouseButton FDragButton = mbLeft;
  int FDragPos = -1;
  int FDragOffset = 0;
};
