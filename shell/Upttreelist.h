// The base tree and list controls of the shell controls: custom-draw wrappers in which event handlers set a font
// or brush per node or item, context menus per node or item (right click, the menu key, Shift+F10), and image
// indexes through overridable operations.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Menus.h"

#include <functional>
#include <memory>

enum TPTCustomDrawStage { ptcdsUnknown, ptcdsPrePaint, ptcdsPostPaint, ptcdsPreErase, ptcdsItemPrePaint,
                          ptcdsItemPostPaint, ptcdsItemPreErase, ptcdsItemPostErase };

// One custom-draw notification as handlers see it. Lives until the control's next notification.
class TPTCustomDraw : public TObject {
  Z_CLASS(TPTCustomDraw, TObject)
public:
  explicit TPTCustomDraw(TFont* ControlFont) : FControlFont(ControlFont) {}
  ~TPTCustomDraw() override;
  TPTCustomDraw(const TPTCustomDraw&) = delete;
  TPTCustomDraw& operator=(const TPTCustomDraw&) = delete;

  virtual void Reset(NMCUSTOMDRAW* Notification, LRESULT* Result);
  virtual void CreateFont();
  virtual void CreateBrush();
  virtual void Apply() = 0;

  DWORD GetRawDrawStage() const { return FRecord ? FRecord->dwDrawStage : 0; }
  TPTCustomDrawStage GetDrawStage() const;
  TRect GetRect() const { return FRecord ? FRecord->rc : TRect{}; }
  HDC GetHandle() const { return FRecord ? FRecord->hdc : 0; }
  bool GetIsItem() const { return (GetRawDrawStage() & CDDS_ITEM) != 0; }
  TCanvas* GetCanvas();
  TFont* GetFont();
  void SetFont(TFont* Value);
  TBrush* GetBrush();
  void SetBrush(TBrush* Value);
  LRESULT GetResult() const { return FResult ? *FResult : 0; }
  void SetResult(LRESULT Value);

  bool NotifyItemDraw = false;
  bool SkipDefault = false;
  bool ResultSet = false;

protected:
  void OnFontChange(TObject*) { FFontChanged = true; }
  void OnBrushChange(TObject*) { FBrushChanged = true; }
  // Font and brush into the record's colours (item prepaint).
  void ApplyItem(COLORREF& TextColour, COLORREF& BackColour);

  TFont* FControlFont;
  std::unique_ptr<TFont> FFont;
  bool FFontChanged = false;
  std::unique_ptr<TBrush> FBrush;
  bool FBrushChanged = false;
  NMCUSTOMDRAW* FRecord = nullptr;
  LRESULT* FResult = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};

class TPTTvCustomDraw : public TPTCustomDraw {
  Z_CLASS(TPTTvCustomDraw, TPTCustomDraw)
public:
  using TPTCustomDraw::TPTCustomDraw;
  NMTVCUSTOMDRAW* GetMpTvCd() const { return reinterpret_cast<NMTVCUSTOMDRAW*>(FRecord); }
  void Apply() override;
};

class TPTLvCustomDraw : public TPTCustomDraw {
  Z_CLASS(TPTLvCustomDraw, TPTCustomDraw)
public:
  using TPTCustomDraw::TPTCustomDraw;
  NMLVCUSTOMDRAW* GetMpLvCd() const { return reinterpret_cast<NMLVCUSTOMDRAW*>(FRecord); }
  void Apply() override;
};

class TPTCustomTreeView;
using TPTTvCustomDrawEvent = std::function<void(TObject* aSender, TPTCustomDraw* aCD, TTreeNode* aNode)>;
using TPTTvOnNodeContextMenuEvent =
    std::function<void(TObject* aSender, TTreeNode* aNode, TPoint aPos, TPopupMenu*& aMenu)>;

// The shell tree's base: the class library's tree view with custom-draw wrappers and node context menus.
class TPTCustomTreeView : public TCustomTreeView {
  Z_CLASS(TPTCustomTreeView, TCustomTreeView)
public:
  explicit TPTCustomTreeView(TComponent* AOwner);
  ~TPTCustomTreeView() override;
  void Dispatch(TMessage& Message) override;
  void BeforeDestruction() override;

  // Invalidates the node's row (TextOnly: its label).
  void InvalidateNode(TTreeNode* Node, bool TextOnly, bool Erase);

  TPTTvCustomDrawEvent OnPTCustomDraw;
  TPTTvCustomDrawEvent OnPTCustomDrawEx;
  TPTTvOnNodeContextMenuEvent OnNodeContextMenu;

  // Opens the node's context menu at a client point (the control's popup menu unless replaced).
  virtual void DoNodeContextMenu(TTreeNode* Node, TPoint Pt);
  // The menu key: the selected node's menu at the centre of its label, else the popup menu at the origin.
  virtual void DoPreNodeContextMenu();

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Answers a custom-draw notification; Result is the notification's answer.
  virtual void PTCustomDraw(NMTVCUSTOMDRAW* Notification, LRESULT& Result);
  virtual TPTCustomDraw* CreateCustomDraw(NMTVCUSTOMDRAW* Notification, LRESULT* Result);
  virtual void NodeContextMenu(TTreeNode* Node, TPoint Pt, TPopupMenu*& Menu);
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  TPTCustomDraw* CurrentCustomDraw() const { return FCustomDraw.get(); }
  void FreeCustomDraw() { FCustomDraw.reset(); }
  void SetCustomDraw(TPTCustomDraw* Value) { FCustomDraw.reset(Value); }

private:
  void ShowMenu(TPopupMenu* Menu, TPoint Client);
  std::unique_ptr<TPTCustomDraw> FCustomDraw;
  bool FRightClickHandled = false;
  bool FKeyMenuShown = false;
};

// Publishes the custom tree's properties only.
class TPTTreeView : public TPTCustomTreeView {
  Z_CLASS(TPTTreeView, TPTCustomTreeView)
public:
  using TPTCustomTreeView::TPTCustomTreeView;
};

// ---- The list ---------------------------------------------------------------------------------------------------------
enum TPTLvHeaderSortDisplayMode { ptlvNone, ptlvLeftAlign, ptlvRightOfText, ptlvRightAlign };
Z_ENUM_TYPEINFO(TPTLvHeaderSortDisplayMode, "ptlvNone", "ptlvLeftAlign", "ptlvRightOfText", "ptlvRightAlign")
enum TPTLvSortDirection { ptsdAsc, ptsdDesc };

using TPTLvCustomDrawEvent = std::function<void(TObject* aSender, TPTCustomDraw* aCD, TListItem* aItem)>;
using TPTLvOnItemContextMenuEvent =
    std::function<void(TObject* aSender, TListItem* aItem, TPoint aPos, TPopupMenu*& aMenu)>;

// The shell list's base: the class library's list view with custom-draw wrappers, item context menus and sort
// indicators in the column header (drawn by the control in three placements, or the header's own marks).
class TPTCustomListView : public TCustomListView {
  Z_CLASS(TPTCustomListView, TCustomListView)
public:
  explicit TPTCustomListView(TComponent* AOwner);
  ~TPTCustomListView() override;
  void Dispatch(TMessage& Message) override;

  HWND GetHeaderHandle();
  TViewStyle GetViewStyle() const { return ViewStyle(); }
  void SetViewStyle(TViewStyle Value);
  int HeaderSortColumn() const { return FSortColumn; }
  void SetHeaderSortColumn(int Column);
  TPTLvSortDirection HeaderSortDirection() const { return FSortDirection; }
  void SetHeaderSortDirection(TPTLvSortDirection Direction);
  TPTLvHeaderSortDisplayMode HeaderSortDisplayMode() const { return FDisplayMode; }
  void SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode Mode);
  bool HeaderDefaultDrawing = true;
  bool DragStarted() const { return FDragStarted; }

  // Header drawing (owner-drawn header items).
  virtual void DrawHeader(int Index, TRect R);
  virtual void DrawHeaderGlyphs(int Index, TRect Box);
  virtual void DefaultDrawHeader(int Index, TRect R);
  void SetHeaderODStyle();

  virtual void DoItemContextMenu(TPoint Pt);
  virtual void DoPreItemContextMenu(TPoint Pt);

  TPTLvCustomDrawEvent OnPTCustomDraw;
  TPTLvCustomDrawEvent OnPTCustomDrawEx;
  TPTLvOnItemContextMenuEvent OnItemContextMenu;

protected:
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  virtual void PTCustomDraw(NMLVCUSTOMDRAW* Notification, LRESULT& Result);
  virtual TPTCustomDraw* CreateCustomDraw(NMLVCUSTOMDRAW* Notification, LRESULT* Result);
  virtual void ItemContextMenu(TListItem* Item, TPoint Pt, TPopupMenu*& Menu);
  bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  TPTCustomDraw* CurrentCustomDraw() const { return FCustomDraw.get(); }
  void SetCustomDraw(TPTCustomDraw* Value) { FCustomDraw.reset(Value); }

private:
  void InvalidateHeaderItem(int Column);
  std::unique_ptr<TCanvas> FHeaderCanvas;
  std::unique_ptr<TPTCustomDraw> FCustomDraw;
  TPTLvHeaderSortDisplayMode FDisplayMode = ptlvRightOfText;
  int FSortColumn = -1;
  TPTLvSortDirection FSortDirection = ptsdAsc;
  bool FRightClickHandled = false;
  bool FKeyMenuShown = false;
  bool FDragStarted = false;
  int FStyling = 0;
};

class TPTListView : public TPTCustomListView {
  Z_CLASS(TPTListView, TPTCustomListView)
public:
  using TPTCustomListView::TPTCustomListView;
};

// The sort glyphs: a box of odd height at the rectangle's top left; a fill colour of clNone leaves it unfilled.
void DrawUpArrow(TCanvas* Canvas, TRect R, TColor Fill, TColor Light, TColor Shadow);
void DrawDownArrow(TCanvas* Canvas, TRect R, TColor Fill, TColor Light, TColor Shadow);
