// ZEZCustomTreeView and ZEZTree: the owner-drawn tree control on its own node model, with its published
// properties, events, lifecycle, layout and scrolling, painting and sorting. Mouse and keyboard, in-place
// editing, tooltips, drag and drop, printing and the rubber band come in through the virtual hooks below.
#pragma once

#include "treeview/Dcntreedraw.h"
#include "treeview/Dcntreenode.h"
#include "treeview/Dcntreenodes.h"
#include "treeview/Dcntreeprint.h"
#include "treeview/Dcntreetypes.h"

#include "platform/controls/Controls.h"
#include "platform/graphics/ImgList.h"

#include <memory>
#include <string>
#include <vector>

class ZEZCustomTreeView : public TWinControl {
  Z_CLASS(ZEZCustomTreeView, TWinControl)
  friend class ZEZTreeNode;
  friend class ZEZTreeNodes;

public:
  explicit ZEZCustomTreeView(TComponent* AOwner);
  ~ZEZCustomTreeView() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);
  void Dispatch(TMessage& Message) override;

  // ---- properties (Dcntree.cpp; the sort properties in Dcntreesort.cpp) ----
  ZEZTreeNodes* Items() const { return FItems.get(); }
  void SetItems(ZEZTreeNodes* Value) { FItems->Assign(Value); }
  TColor ActiveSelectedColor() const { return FActiveSelectedColor; }
  void SetActiveSelectedColor(TColor Value);
  TColor ActiveSelectedFontColor() const { return FActiveSelectedFontColor; }
  void SetActiveSelectedFontColor(TColor Value);
  TColor InactiveSelectedColor() const { return FInactiveSelectedColor; }
  void SetInactiveSelectedColor(TColor Value);
  TColor InactiveSelectedFontColor() const { return FInactiveSelectedFontColor; }
  void SetInactiveSelectedFontColor(TColor Value);
  TColor LinesColor() const { return FLinesColor; }
  void SetLinesColor(TColor Value);
  bool AllowMultiDrag = false;
  TSet<TMouseButton, mbMiddle> DragButtons{mbLeft};
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value);
  bool AutoExpand = false;
  bool AutoScroll = true;
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  Integer ChangeDelay() const { return FChangeDelay; }
  void SetChangeDelay(Integer Value);
  ZEZCheckBoxesType CheckBoxesType() const { return FCheckBoxesType; }
  void SetCheckBoxesType(ZEZCheckBoxesType Value);
  Integer DragExpandDelay() const { return FDragExpandDelay; }
  void SetDragExpandDelay(Integer Value);
  ZEZDropTargetKind DropTargetKind() const { return FDropTargetKind; }
  void SetDropTargetKind(ZEZDropTargetKind Value);
  bool ExpandOnDrag = true;
  bool FlatBorder() const { return FFlatBorder; }
  void SetFlatBorder(bool Value);
  bool FlatChecks() const { return FFlatChecks; }
  void SetFlatChecks(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  Integer Indent() const { return FIndent; }
  void SetIndent(Integer Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);
  bool MultiLineNodes() const { return FMultiLineNodes; }
  void SetMultiLineNodes(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ReadOnly = false;
  bool RightClickSelect = false;
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  ZEZRowSelectType RowSelectType() const { return FRowSelectType; }
  void SetRowSelectType(ZEZRowSelectType Value);
  TScrollBarStyle ScrollBarsStyle() const { return FScrollBarsStyle; }
  void SetScrollBarsStyle(TScrollBarStyle Value);
  bool SelectOnlySiblings() const { return FSelectOnlySiblings; }
  void SetSelectOnlySiblings(bool Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  ZEZSortOrder SortOrder() const { return FSortOrder; }
  void SetSortOrder(ZEZSortOrder Value);
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool IsWordWrap() const { return FMultiLineNodes || FWordWrap; }
  virtual bool IsColumnWordWrap(Integer Column) const { (void)Column; return IsWordWrap(); }

  // ---- events ----
  TZEZTVChangingEvent OnChanging;
  TZEZTVChangedEvent OnChange;
  TZEZTVChangedEvent OnSelectionChanged;
  TZEZTVExpandingEvent OnExpanding;
  TZEZTVCollapsingEvent OnCollapsing;
  TZEZTVExpandedEvent OnExpanded;
  TZEZTVExpandedEvent OnCollapsed;
  TZEZTVChangedEvent OnCheckClick;
  TZEZTVStateChangingEvent OnStateChanging;
  TZEZTVChangedEvent OnStateChanged;
  TDTVCompareEvent OnCompare;
  TZEZTVExpandedEvent OnDeletion;
  TZEZTVExpandedEvent OnAfterInsert;
  TZEZTVExpandedEvent OnGetImageIndex;
  TZEZTVExpandedEvent OnGetSelectedIndex;
  TZEZTVGetToolTipInfoEvent OnGetToolTipInfo;
  TZEZTVRightClickNodeEvent OnRightClickNode;
  TZEZTVEditingEvent OnEditing;
  TZEZTVEditedEvent OnEdited;
  TZEZTVValidateEditTextEvent OnValidateEditText;
  TZEZTVAfterEditingEvent OnAfterEditing;
  TCreateNodeEvent OnCreateNodeClass;

  // ---- selection (Dcntree.cpp; dragging in Dcntreedrag.cpp) ----
  ZEZTreeNode* Selected() const;
  void SetSelected(ZEZTreeNode* Node);
  Integer SelectedCount() const { return static_cast<Integer>(FSelection.size()); }
  ZEZTreeNode* SelectedItems(Integer Index) const { return FSelection.at(static_cast<std::size_t>(Index)); }
  void DeselectPrevious(ZEZTreeNode* Keep);
  ZEZTreeNode* Focused() const { return FFocused; }
  ZEZTreeNode* DropTarget() const { return FDropTarget ? FDropTarget : FLastDropNode; }
  void SetDropTarget(ZEZTreeNode* Node);
  void UpdateDropTarget(Integer X, Integer Y);
  void ProcessCancelDrag();
  // The dragged node's image while a drag this view started carries one, else null.
  TDragImageList* GetDragImages() override;
  // Hide and show nest; the outermost pair acts on the image of a drag over the view, else on the own image.
  void HideDragImage();
  void ShowDragImage();
  void SetKeyboardHook();
  void RemoveKeyboardHook();
  bool IsFocused();
  bool IsEditing() const { return FEditing; }

  // ---- layout and scrolling (Dcntreelayout.cpp) ----
  ZEZTreeNode* TopItem() const { return FTopItem; }
  void SetTopItem(ZEZTreeNode* Node);
  void SetTopItemInternal(ZEZTreeNode* Node);
  virtual ZEZTreeNode* GetNewTopItem(ZEZTreeNode* Node, Integer& Delta);
  void TopItemChanged();
  Integer ScrollDelta(ZEZTreeNode* From, ZEZTreeNode* To);
  void ScrollAbs(Integer DX, Integer DY);
  void ScrollByLines(Integer N);
  void Scroll(ZEZScrollMode Mode);
  void ProcessHScroll(Integer Pos);
  ZEZTreeNode* PageUpItem(ZEZTreeNode* Node);
  ZEZTreeNode* PageDownItem(ZEZTreeNode* Node);
  virtual ZEZTreeNode* GetFirstVisibleNode() const;
  virtual ZEZTreeNode* GetLastVisibleNode() const;
  virtual ZEZTreeNode* GetVisibleItem(Integer Index) const;
  virtual Integer GetMaxWidth() const;
  TPoint GetTopItemAbsPt();
  void InvalidateRect(const TRect& Rect);
  void RecalcAll();
  Integer RecalcExpandedCount(ZEZTreeNode* Node);
  void RecalcHorzInfo(bool Full);
  void ResetCache();
  void ResetTextCache();
  void WordWrapTree();
  void UpdateScroll(bool UpdateHorz, bool UpdateTop);
  Integer CalcVertPage(TSize Size);
  virtual TSize GetPageSize();
  TSize GetRealPageSize();
  virtual TRect GetDrawRect();
  virtual TRect GetHitTestRect() { return GetDrawRect(); }
  virtual TRect GetScrollRect(Integer DX, Integer DY) { (void)DX; (void)DY; return GetDrawRect(); }
  Integer HorzPos() const { return FHorzPos; }
  Integer HorzRange() const { return FHorzRange; }
  Integer TopIndex() const { return FTopIndex; }
  bool TopIndexValid() const { return FTopIndexValid; }
  virtual Integer NodeHeight(ZEZTreeNode* Node, Integer Column);
  virtual Integer NodeWidth(ZEZTreeNode* Node, Integer Column);
  Integer GetEditorHeight(ZEZTreeNode* Node, const std::string& Text, Integer Column);
  Integer GetEditorWidth(ZEZTreeNode* Node, const std::string& Text, Integer Column);
  Integer GetDefaultEditorHeight(ZEZTreeNode* Node, const std::string& Text, Integer Column);
  Integer GetDefaultEditorWidth(ZEZTreeNode* Node, const std::string& Text, Integer Column);
  virtual TRect GetNodeWordWrapRect(ZEZTreeNode* Node, Integer Column);
  bool Printing() const { return FPrinting; }

  // ---- printing (Dcntreeprint.cpp) ----
  ZEZTreePrintOptions* PrintOptions() const { return FPrintOptions.get(); }
  // Takes the given options' values (the view keeps its own object).
  void SetPrintOptions(ZEZTreePrintOptions* Value) { FPrintOptions->Assign(Value); }
  // Prints the tree on the current printer as it looks on screen, cut into page-sized tiles: with All every node
  // whether expanded or not, else the rows the tree shows. Raises EPrinter when the printer cannot print.
  void Print(bool All);
  // Asks for the header, footer and progress options first; prints on OK. True when it printed.
  bool PrintWithDialog(bool All);
  // The widest row over every node, expanded or not, measured in the print font.
  virtual Integer GetPrintWidth();
  // The font of the nodes that take the tree's font: the print font while printing, else the tree's.
  TFont* NodeParentFont();

  // Shows the view in a sizeable popup window at (X, Y) of its parent's client area; true when accepted.
  bool Popup(Integer X, Integer Y);

  // ---- expansion, sorting, persistence (Dcntree.cpp, Dcntreesort.cpp, Dcntreestream.cpp) ----
  virtual void FullExpand();
  void FullCollapse();
  virtual bool IsSorted() const;
  bool IsSortLocked() const;
  bool AlphaSort() { return CustomSort(nullptr, 0); }
  bool CustomSort(const TZEZTVCompare& SortProc, Integer Data);
  virtual Integer DoCompare(ZEZTreeNode* Node1, ZEZTreeNode* Node2);
  Integer DefaultNodeCompare(ZEZTreeNode* Node1, ZEZTreeNode* Node2, Integer Data);
  void LoadFromFile(const std::string& Name);
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const std::string& Name);
  void SaveToStream(TStream* Stream);
  virtual ZEZTreeNode* CreateNode();
  virtual ZEZTreeNode* CreateRootNode();
  void SetDefaultNodeClass(ZEZTreeNodeClass Value);
  ZEZTreeNodeClass DefaultNodeClass() const { return FDefaultNodeClass; }
  ZEZTreeNodeClass StandardNodeClass() const { return FStandardNodeClass; }
  virtual void Delete(ZEZTreeNode* Node);
  ZEZTreeNode* Root() const { return FRoot; }
  ZEZCanvas* Canvas() const { return FCanvas.get(); }

  // A hook for views that make children on demand; nothing here.
  virtual void DoExpandNode(ZEZTreeNode* Node) { (void)Node; }
  // How many times the whole window was invalidated at the end of an update (for tests).
  Integer FullRedrawCount() const { return FFullRedrawCount; }

  // ---- editing, tooltips, hot tracking, rubber band (filled by the input, editing and tooltip code) ----
  virtual bool EditNode(ZEZTreeNode* Node);
  virtual void EndEditNode(bool Cancel);
  // The editor of the class a node's text is edited with; made on first need by an edit, found afterwards.
  virtual TControl* GetEditor(ZEZTreeNode* Node, Integer Column);
  virtual TClass GetEditorClass(ZEZTreeNode* Node, Integer Column);
  TControl* GetNodeEditor(ZEZTreeNode* Node);
  TControl* FindEditor(TClass Class) const;
  TControl* Editor() const { return FEditor; }
  ZEZTreeNode* EditingNode() const { return FEditNode; }
  bool EditTimerRunning() const { return FEditTimerOn; }
  std::function<void(TObject* Sender, ZEZTreeNode* Node, TClass& ControlClass)> OnGetEditorClass;
  std::function<void(TObject* Sender, ZEZTreeNode* Node, TControl* Editor)> OnAssignEditorProps;
  virtual void UpdateToolTip();
  virtual void UpdateHotTrack();
  virtual void HideToolTip();
  class ZEZTreeToolTip* ToolTip() const { return FToolTip; }
  virtual void MouseSelectUpdate(ZEZTreeNode* Node);
  virtual void EraseSelectFrame();
  virtual void StopEditTimer() { KillEditTimer(); }
  virtual void CancelEdit() {}
  virtual std::string GetTextForEditor(ZEZTreeNode* Node) { return Node->GetText(); }
  virtual void MakeEditNodeVisible(ZEZTreeNode* Node) { Node->MakeVisible(); }
  virtual void DoValidateEditText(ZEZTreeNode* Node, std::string& Text, ZEZValidateCode& Code);
  virtual void DoAfterEditing(ZEZTreeNode* Node, bool Cancelled);
  virtual void DoGetEditorClass(ZEZTreeNode* Node, TClass& Class);
  virtual void SetEditorRectAndText(ZEZTreeNode* Node);
  virtual bool CanEdit(ZEZTreeNode* Node);
  virtual void DoEdit(ZEZTreeNode* Node, std::string& Text);
  virtual void Edit(ZEZTreeNode* Node, const std::string& Text) { Node->SetText(Text); }
  virtual void MultiSelectChanged() {}

  // ---- hit testing, mouse and keyboard (Dcntreeinput.cpp) ----
  struct ZEZHitInfo {
    ZEZHitTests HitTests;
    ZEZTreeNode* Node = nullptr;
  };
  virtual ZEZHitInfo GetHitTest(Integer X, Integer Y);
  ZEZHitInfo GetHitTestAtCursor();
  // The hit information in the class library's terms (the check-box hit has none there).
  THitTests GetHitTestInfoAt(Integer X, Integer Y);
  THitTests GetHitTestInfoAtCursor();
  virtual ZEZHitTests GetAnotherHitTest(TPoint Point, const ZEZNodeDispInfo& Rects) {
    (void)Point;
    (void)Rects;
    return {};
  }
  ZEZTreeNode* GetNodeAt(Integer X, Integer Y);
  ZEZTreeNode* GetNodeAtCursor();
  virtual bool IsOnItem(Integer X, Integer Y);
  TPoint GetCursorPos();
  void ProcessQuickSearch(char Ch);
  const std::string& SearchText() const { return FSearchText; }
  ZEZTreeNode* HotNode() const { return FHotNode; }
  ZEZTreeNode* Highlighted() const { return FHighlighted; }
  bool UpdateCursorAt(Integer X, Integer Y);
  void RemoveHotTrackNode();

  // ---- selection model and rubber band (Dcntreeselect.cpp) ----
  void SetSelectedKey(ZEZTreeNode* Node) {
    if (Node) SetSelected(Node);
  }
  ZEZTreeNode* ShiftAnchor() const { return FShiftAnchor; }
  void ProcessShiftSelect(ZEZTreeNode* Target);
  void RemoveFromMultiSelect(ZEZTreeNode* Node);
  void DeleteSelectedItems();
  void InvalidateSelected();
  void UpdateSelected();
  void LockSelectionChanged() { ++FSelectLock; }
  void UnlockSelectionChanged();
  void FlushDelayedSelection();
  bool RubberBandRunning() const { return FRubberBand; }
  void MouseSelectBegin(Integer X, Integer Y);
  void MouseSelectProcess();
  void MouseSelectCancel();
  void GetItemsInAbsRect(std::vector<ZEZTreeNode*>& List, const TRect& R);
  static TRect NormalizeRect(const TRect& R);
  // The band's rectangle in client coordinates (empty when no band runs).
  TRect RubberBandRect();

  // ---- painting (Dcntreepaint.cpp, Dcntreedraw.cpp, with the geometry in Dcntreegeometry.cpp) ----
  virtual void DrawTreeView(const TRect& Rect);
  virtual void DrawNode(ZEZTreeNode* Node, const TRect& Rect);
  virtual void InternalDrawNode(ZEZTreeNode* Node, const ZEZNodeDispInfo& Info, const TRect& Clip);
  virtual void DrawNodeLines(ZEZTreeNode* Node, const TRect& Rect);
  virtual void DrawNodeLineSection(ZEZTreeNode* Ancestor, ZEZTreeNode* Node, const TRect& R);
  virtual void DrawNodeButton(ZEZTreeNode* Node, const TRect& R);
  virtual void DrawNodeText(ZEZTreeNode* Node, const TRect& R);
  virtual void DrawEditor(ZEZTreeNode* Node, const std::string& Text, Integer Column, const TRect& R);
  virtual void DrawBackground(ZEZTreeNode* Node, const TRect& R);
  void FillRectExclude(ZEZTreeNode* Node, const TRect& Outer, const TRect& Inner);
  virtual TColor GetDefaultNodeBrushColor(ZEZTreeNode* Node) { return Node->Color(); }
  virtual TColor GetNodeBrushColor(ZEZTreeNode* Node, TColor Default);
  virtual TColor GetNodeFontColor(ZEZTreeNode* Node, TColor Default);
  virtual TColor GetNodeBackgroundColor(ZEZTreeNode* Node) { return GetSelectedColor(Node, Color()); }
  TColor GetSelectedColor(ZEZTreeNode* Node, TColor Default);
  virtual TRect GetNodeFocusRect(ZEZTreeNode* Node);
  TRect GetFocusRect() { return GetNodeFocusRect(FFocused); }
  TColor GetFocusPenColor() const;
  TColor GetFocusBrushColor() const;
  virtual bool AllowDrawText(ZEZTreeNode* Node) const { return Node != FEditNode || FPrinting; }
  virtual bool AllowDrawFocusRect(ZEZTreeNode* Node);
  virtual bool IsRowSelect() const { return FRowSelect; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Events raised through these operations.
  virtual bool CanChange(ZEZTreeNode* Node);
  virtual void Change(ZEZTreeNode* Node);
  virtual bool CanExpand(ZEZTreeNode* Node);
  virtual bool CanCollapse(ZEZTreeNode* Node);
  virtual void DoExpanded(ZEZTreeNode* Node);
  virtual void DoCollapsed(ZEZTreeNode* Node);
  virtual void DoDeletion(ZEZTreeNode* Node);
  virtual void DoAfterInsert(ZEZTreeNode* Node);
  virtual void DoGetImageIndex(ZEZTreeNode* Node);
  virtual void DoGetSelectedIndex(ZEZTreeNode* Node);
  void DoStateChanging(ZEZTreeNode* Node, TCheckBoxState& NewState);
  void DoStateChanged(ZEZTreeNode* Node);
  void DoBeforeDelete1(ZEZTreeNode* Node);
  void DoBeforeDelete2(ZEZTreeNode* Node);
  virtual void NodeSelectionChanged(ZEZTreeNode* Node);
  virtual void SelectionChanged();
  void DoSelectionChanged();
  virtual void ImagesChanged(TObject* Sender);
  virtual void OnFontChanged();
  virtual void OnColorChanged();
  virtual void BeforeScrollUpdate();
  virtual void AfterScrollUpdate();
  virtual void BeforeSetTopItem(ZEZTreeNode* Node) { (void)Node; }
  virtual void AfterSetTopItem(ZEZTreeNode* Node) { (void)Node; }
  virtual void BeforeUpdateScrollBars() {}
  virtual void AfterUpdateScrollBars();

  // Input handling.
  void KeyDown(Word& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void CMDragMessage(TMessage& Message);
  void ProcessDragScroll();
  void KeyPress(char& Key) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  virtual void OnTimer(Integer Id);
  virtual void ProcessScrollTimer();
  virtual void TryEditNode();
  virtual bool IsDownAndUpEqual(Integer X, Integer Y);
  bool IsSameAsPrev() const { return FMouseDownNode && FMouseDownNode == FPrevFocused; }
  virtual void DoRightClickNode(ZEZTreeNode* Node, TRightClickAction& Action);
  virtual void OnEscapeKey() { MouseSelectCancel(); }
  // No tip during a rubber band, a drag this view started or one over it, or an edit.
  virtual bool AllowShowToolTip() { return !FRubberBand && !FDragOver && !Dragging() && !FEditing; }
  void HighlightNode();
  void UnHighlightNode();
  void DoUnHighlightNode();
  void StartTimer(Integer Id, Integer Interval, bool& Flag);
  void StopTimer(Integer Id, bool& Flag);
  void KillEditTimer();
  void KillScrollTimer() { StopTimer(2, FScrollTimerOn); }
  void CreateScrollTimer() { StartTimer(2, 100, FScrollTimerOn); }
  void DoCancelMode();
  void PaintSelectFrame();
  bool InputMessage(TMessage& Message);
  bool EditorMessage(TMessage& Message);
  void ShowEditor();
  void CloseEditor();
  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  // Runs the left-press actions on a hit (also for the second press of a double click elsewhere).
  void LeftPressActions(const ZEZHitInfo& Hit, WPARAM Keys, Integer X, Integer Y);
  void SelectRange(ZEZTreeNode* From, ZEZTreeNode* To);
  // The visible-order comparison: -1 when A comes first, 1 when B does, 0 for the same node.
  static Integer CompareVisibleOrder(ZEZTreeNode* A, ZEZTreeNode* B);
  bool IsNodeShown(const ZEZTreeNode* Node) const;
  bool Destroying() const { return ComponentState().Contains(csDestroying); }

  void WMPaint(TMessage& Message);
  void WMVScroll(TMessage& Message);
  void WMHScroll(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMSize(TMessage& Message);
  void SetVertScrollInfo(Integer Page, Integer Range);
  void SetHorzScrollInfo(Integer Page, Integer Range);
  Integer GetScrollPosition(int Bar, bool Track);
  void SetScrollPosition(int Bar, Integer Pos);
  void UpdateBorder();

  // State (pointers to nodes do not own them).
  bool FFlatScrollBars = false;
  Integer FParentCheckLock = 0;
  Integer FChildCheckLock = 0;
  bool FRubberBand = false;
  ZEZTreeNodeClass FDefaultNodeClass = nullptr;
  ZEZTreeNode* FHighlighted = nullptr;
  ZEZTreeNode* FHotNode = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  std::unique_ptr<TChangeLink> FStateChangeLink;
  bool FEditing = false;
  ZEZTreeNode* FDropNode = nullptr;
  ZEZTreeNode* FLastDropNode = nullptr;
  ZEZTreeNode* FPendingSelected = nullptr;
  ZEZTreeNode* FPendingMakeVisible = nullptr;
  bool FNeedRecalc = false;
  bool FSelectPending = false;
  ZEZTreeNode* FRoot = nullptr;
  Integer FSavedHorzPos = 0;
  Integer FHorzRange = 0;
  Integer FScrollSumX = 0;
  Integer FScrollSumY = 0;
  Integer FSelectLock = 0;
  ZEZTreeNode* FShiftAnchor = nullptr;
  ZEZTreeNode* FTopItem = nullptr;
  Integer FTopIndex = 0;
  Integer FTrackIndex = -1;
  bool FTopIndexValid = false;
  Integer FWheelRest = 0;
  ZEZTreeNodeClass FStandardNodeClass = nullptr;
  std::unique_ptr<ZEZCanvas> FCanvas;
  ZEZTreeNode* FDropTarget = nullptr;
  ZEZTreeNode* FEditNode = nullptr;
  ZEZTreeNode* FFocused = nullptr;
  bool FPrinting = false;
  Integer FHorzPos = 0;
  std::vector<ZEZTreeNode*> FSelection;
  Integer FLockCount = 0;
  Integer FKeyboardRow = -1;
  Integer FFullRedrawCount = 0;
  // Input state.
  TPoint FMouseDownPoint{0, 0};
  ZEZTreeNode* FMouseDownNode = nullptr;
  ZEZTreeNode* FPrevFocused = nullptr;
  bool FDragPending = false;
  bool FDragOver = false;
  bool FWasUnfocused = false;
  bool FChangeTimerOn = false;
  bool FScrollTimerOn = false;
  bool FExpandTimerOn = false;
  bool FEditTimerOn = false;
  DWORD FSearchTick = 0;
  std::string FSearchText;
  TPoint FHighlightPoint{0, 0};
  TPoint FRubberAnchor{0, 0};
  TPoint FRubberCorner{0, 0};
  bool FFrameHidden = true;
  bool FPaintingFrame = false;
  Integer FScrollDistance = 0;
  std::vector<TControl*> FEditors;
  TControl* FEditor = nullptr;
  bool FEndingEdit = false;
  bool FInKillFocus = false;
  bool FMakingEditor = false;
  class ZEZTreeToolTip* FToolTip = nullptr;
  ZEZTreeNode* FDragExpandNode = nullptr;
  TDragObject* FDragObject = nullptr;
  std::unique_ptr<TDragImageList> FDragImages;
  Integer FDragImageHide = 0;
  std::unique_ptr<ZEZTreePrintOptions> FPrintOptions;
  void CreateToolTipWindow();
  void DestroyToolTipWindowOfView();

private:
  void SelectionNodeGone(ZEZTreeNode* Node);
  void MakeDragImage();
  struct TPrintJob;
  void PrintPages(TPrintJob& Job);
  void PrintPage(TPrintJob& Job, Integer Across, Integer Down);
  void SelectNodeFont(ZEZTreeNode* Node);
  void ForEachNode(ZEZTreeNode* From, const std::function<void(ZEZTreeNode*)>& Proc);

  std::unique_ptr<ZEZTreeNodes> FItems;
  TColor FActiveSelectedColor = clHighlight;
  TColor FActiveSelectedFontColor = clHighlightText;
  TColor FInactiveSelectedColor = clBtnFace;
  TColor FInactiveSelectedFontColor = clBtnText;
  TColor FLinesColor = clBtnShadow;
  bool FAutoCheck = false;
  TBorderStyle FBorderStyle = bsSingle;
  Integer FChangeDelay = 0;
  ZEZCheckBoxesType FCheckBoxesType = ctNone;
  Integer FDragExpandDelay = 100;
  ZEZDropTargetKind FDropTargetKind = tkStandard;
  bool FFlatBorder = false;
  bool FFlatChecks = false;
  bool FHideSelection = true;
  bool FHotTrack = false;
  Integer FIndent = 19;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  bool FMultiLineNodes = false;
  bool FMultiSelect = false;
  bool FRowSelect = false;
  ZEZRowSelectType FRowSelectType = rtPartial;
  TScrollBarStyle FScrollBarsStyle = ssRegular;
  bool FSelectOnlySiblings = false;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
  ZEZSortOrder FSortOrder = soAscending;
  TSortType FSortType = stNone;
  bool FToolTips = true;
  bool FWordWrap = false;
};

// The class placed on windows: publishes the view's properties and events.
class ZEZTree : public ZEZCustomTreeView {
  Z_CLASS(ZEZTree, ZEZCustomTreeView)
public:
  using ZEZCustomTreeView::ZEZCustomTreeView;
};
