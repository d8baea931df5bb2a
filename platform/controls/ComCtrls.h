// The class library's common controls, painted by the controls themselves over the graphics layer: the tab
// control and the page control with its sheets, the status bar with its panels, and the progress bar; with the
// platform's notification codes and messages they answer.
#pragma once

#include "platform/classes/StringList.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Messages.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// ---- Notification codes and messages ----------------------------------------------------------------------------
inline constexpr UINT NM_FIRST = 0;
inline constexpr UINT NM_CLICK = NM_FIRST - 2;
inline constexpr UINT NM_DBLCLK = NM_FIRST - 3;
inline constexpr UINT NM_RCLICK = NM_FIRST - 5;
inline constexpr UINT NM_CUSTOMDRAW = NM_FIRST - 12;
inline constexpr UINT TCN_FIRST = static_cast<UINT>(-550);
inline constexpr UINT TCN_SELCHANGE = TCN_FIRST - 1;
inline constexpr UINT TCN_SELCHANGING = TCN_FIRST - 2;

inline constexpr UINT TCM_FIRST = 0x1300;
inline constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
inline constexpr UINT TCM_GETITEMRECT = TCM_FIRST + 10;
inline constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
inline constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
inline constexpr UINT TCM_HITTEST = TCM_FIRST + 13;
inline constexpr UINT TCM_ADJUSTRECT = TCM_FIRST + 40;
inline constexpr UINT TCM_GETROWCOUNT = TCM_FIRST + 44;

inline constexpr WPARAM SB_SIMPLEID = 0xFF;
inline constexpr WPARAM SBT_OWNERDRAW = 0x1000;
inline constexpr WPARAM SBT_NOBORDERS = 0x0100;
inline constexpr WPARAM SBT_POPOUT = 0x0200;

inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;

// ---- Tabs -------------------------------------------------------------------------------------------------------
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
Z_ENUM_TYPEINFO(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// A row (or rows) of tabs over a display area. A left click on another tab asks the parent (WM_NOTIFY
// TCN_SELCHANGING, reflected back as CN_NOTIFY: CanChange and OnChanging may refuse), selects it, then tells
// TCN_SELCHANGE (Change and OnChange). Setting the index in code sends nothing. With MultiLine the tabs wrap into
// rows and the row of the selected tab moves next to the display area; without it they stay in one row (tabs
// past the edge are cut off). HotTrack draws the tab under the pointer highlighted. Children lie in the display
// area (AdjustClientRect).
class TCustomTabControl : public TCustomControl {
  Z_CLASS(TCustomTabControl, TCustomControl)

public:
  explicit TCustomTabControl(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  void AdjustClientRect(TRect& Rect) override;

  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

  // The tab's rectangle in client coordinates (empty for a tab out of range).
  TRect TabRect(int Index);
  // The tab under a client point, or -1.
  int IndexOfTabAt(int X, int Y);
  // The area under the tabs the children use.
  TRect DisplayRect();
  int RowCount();
  // The tab the pointer is over while HotTrack is on, or -1.
  int HotTab() const { return FHotTab; }

protected:
  virtual int TabCount() const = 0;
  virtual std::string TabCaption(int Index) const = 0;
  virtual int TabImageIndex(int Index) const { (void)Index; return -1; }
  virtual bool CanChange();
  virtual void Change();
  // The selected tab: the control's own index (tab control) or the active page's (page control).
  virtual int SelectedTab() const = 0;
  // A click chose the tab (after TCN_SELCHANGING was allowed, before TCN_SELCHANGE).
  virtual void SelectTab(int Index) = 0;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The tabs changed (count, captions, images, sizes): lay them out again and repaint, and realign the children
  // when the display area moved.
  void TabsChanged();
  // Lets the user pick a tab as a click does, with the notifications; false when refused.
  bool UserSelectTab(int Index);

private:
  void Layout();
  void PaintSideTab(int Index, const TRect& R);
  int RowHeight();
  TSize MeasureText(const std::string& Text);
  LRESULT NotifyParent(UINT Code);

  bool FHotTrack = false;
  bool FMultiLine = false;
  TTabPosition FTabPosition = tpTop;
  int FTabHeight = 0;
  int FTabWidth = 0;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageLink;
  int FHotTab = -1;
  bool FLayoutValid = false;
  std::vector<TRect> FTabRects;
  int FRows = 1;
  int FBand = 0;  // the depth of the tab rows
  TRect FLastDisplay{-1, -1, -1, -1};
};

// Tabs from a list of strings over one shared display area.
class TTabControl : public TCustomTabControl {
  Z_CLASS(TTabControl, TCustomTabControl)

public:
  explicit TTabControl(TComponent* AOwner);
  // Published: HotTrack, Images, MultiLine, TabHeight, TabIndex, TabPosition, Tabs, TabWidth, OnChange,
  // OnChanging and the common properties.
  static void Publish(TMetaClass& Meta);
  TStrings* Tabs() const { return FTabs.get(); }
  void SetTabs(TStrings* Value) { FTabs->Assign(Value); }
  int TabIndex() const { return FTabIndex; }
  // -1 selects nothing; an index out of range is ignored. Sends no notification.
  void SetTabIndex(int Value);

protected:
  int TabCount() const override;
  std::string TabCaption(int Index) const override;
  int TabImageIndex(int Index) const override;
  int SelectedTab() const override { return FTabIndex; }
  void SelectTab(int Index) override { SetTabIndex(Index); }

private:
  std::unique_ptr<TStringList> FTabs;
  int FTabIndex = -1;
};

class TPageControl;

// One page of a page control. Its caption is the tab's text; TabVisible false takes its tab away (the page
// stays in Pages). Only the active page is visible.
class TTabSheet : public TCustomControl {
  Z_CLASS(TTabSheet, TCustomControl)
  friend class TPageControl;

public:
  explicit TTabSheet(TComponent* AOwner);
  void BeforeDestruction() override;
  // Published: ImageIndex, PageIndex, TabVisible, OnShow, OnHide and the common properties.
  static void Publish(TMetaClass& Meta);
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  void SetParent(TWinControl* AParent) override;
  void SetText(const std::string& Value) override;
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The index among the visible tabs, or -1 when the tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  void ReadState(TReader* Reader) override;
  void Paint() override;

private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
  bool FSettingPageControl = false;
};

// Pages with a tab each; the active page fills the display area. Setting ActivePage in code sends no
// notification; a click, or SelectNextPage (Ctrl+Tab / Ctrl+Shift+Tab), asks OnChanging first and runs OnChange
// after.
class TPageControl : public TCustomTabControl {
  Z_CLASS(TPageControl, TCustomTabControl)
  friend class TTabSheet;

public:
  explicit TPageControl(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  // Published: ActivePage, HotTrack, Images, MultiLine, TabHeight, TabPosition, TabWidth, OnChange, OnChanging
  // and the common properties.
  static void Publish(TMetaClass& Meta);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const { return FPages.at(static_cast<std::size_t>(Index)); }
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  void SetActivePageIndex(int Value);
  // The next (or previous) page after CurPage, wrapping round; with CheckTabVisible only pages with a tab.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible);
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

protected:
  int TabCount() const override;
  std::string TabCaption(int Index) const override;
  int TabImageIndex(int Index) const override;
  int SelectedTab() const override { return FActivePage ? FActivePage->TabIndex() : -1; }
  void SelectTab(int Index) override;
  void Loaded() override;

private:
  TTabSheet* VisibleTab(int Index) const;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  // A page's tab went away: the active page moves to the tab at its place (or the last).
  void TabHidden(TTabSheet* Page, int OldTabIndex);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

// ---- Status bar -------------------------------------------------------------------------------------------------
enum TStatusPanelStyle { psText, psOwnerDraw };
Z_ENUM_TYPEINFO(TStatusPanelStyle, "psText", "psOwnerDraw")
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
Z_ENUM_TYPEINFO(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised")

class TStatusBar;

class TStatusPanel : public TCollectionItem {
  Z_CLASS(TStatusPanel, TCollectionItem)

public:
  explicit TStatusPanel(TCollection* ACollection) : TCollectionItem(ACollection) {}
  // Published: Alignment, Bevel, Style, Text, Width.
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);

protected:
  std::string GetDisplayName() override { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

private:
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
  std::string FText;
  int FWidth = 50;
};

class TStatusPanels : public TCollection {
  Z_CLASS(TStatusPanels, TCollection)

public:
  explicit TStatusPanels(TStatusBar* AStatusBar);
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }

protected:
  TPersistent* GetOwner() override;
  void Update(TCollectionItem* Item) override;

private:
  TStatusBar* FStatusBar;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

// A bar (aligned to the bottom) of panels side by side, each Width wide except the last, which takes the rest;
// or, with SimplePanel, one text across. The size grip sits at the right end while SizeGrip is on and the form
// can be resized. Owner-drawn panels are painted by OnDrawPanel on Canvas. Repaint paints at once, so a long
// task can show progress without running the loop.
class TStatusBar : public TCustomControl {
  Z_CLASS(TStatusBar, TCustomControl)
  friend class TStatusPanels;

public:
  explicit TStatusBar(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  // Published: Panels, SimplePanel, SimpleText, SizeGrip, OnDrawPanel and the common properties.
  static void Publish(TMetaClass& Meta);
  TStatusPanels* Panels() const { return FPanels.get(); }
  void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  TDrawPanelEvent OnDrawPanel;

  // A panel's rectangle in client coordinates (the simple panel's when SimplePanel is on).
  TRect PanelRect(int Index);
  // Whether the grip shows now: SizeGrip and a parent form with a sizeable border.
  bool ShowingSizeGrip();
  TRect SizeGripRect();

protected:
  void Paint() override;
  virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

private:
  void DrawPanelText(const std::string& Text, TAlignment Alignment, TRect R);
  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};

// ---- Progress bar -----------------------------------------------------------------------------------------------
enum TProgressBarOrientation { pbHorizontal, pbVertical };
Z_ENUM_TYPEINFO(TProgressBarOrientation, "pbHorizontal", "pbVertical")

// A bar filled in proportion to Position within Min..Max (in blocks, or smooth). Position is kept within the
// range; StepIt past Max starts again from Min, as the platform's control does. Answers the PBM_ messages.
class TProgressBar : public TCustomControl {
  Z_CLASS(TProgressBar, TCustomControl)

public:
  explicit TProgressBar(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  // Published: Max, Min, Orientation, Position, Smooth, Step and the common properties.
  static void Publish(TMetaClass& Meta);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetRange(Value, FMax < Value ? Value : FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetRange(FMin > Value ? Value : FMin, Value); }
  void SetRange(int AMin, int AMax);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Step() const { return FStep; }
  void SetStep(int Value) { FStep = Value; }
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value);
  TProgressBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation Value);
  void StepIt();
  void StepBy(int Delta) { SetPosition(FPosition + Delta); }
  // The filled part, in client coordinates.
  TRect BarRect();

protected:
  void Paint() override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};

// ---- Custom draw (shared by the tree and list views) -----------------------------------------------------------
inline constexpr DWORD CDDS_PREPAINT = 0x00000001;
inline constexpr DWORD CDDS_POSTPAINT = 0x00000002;
inline constexpr DWORD CDDS_ITEM = 0x00010000;
inline constexpr DWORD CDDS_ITEMPREPAINT = CDDS_ITEM | CDDS_PREPAINT;
inline constexpr DWORD CDDS_ITEMPOSTPAINT = CDDS_ITEM | CDDS_POSTPAINT;
inline constexpr DWORD CDDS_SUBITEM = 0x00020000;
inline constexpr LRESULT CDRF_DODEFAULT = 0x00;
inline constexpr LRESULT CDRF_NEWFONT = 0x02;
inline constexpr LRESULT CDRF_SKIPDEFAULT = 0x04;
inline constexpr LRESULT CDRF_NOTIFYPOSTPAINT = 0x10;
inline constexpr LRESULT CDRF_NOTIFYITEMDRAW = 0x20;
inline constexpr LRESULT CDRF_NOTIFYSUBITEMDRAW = 0x20;
inline constexpr UINT CDIS_SELECTED = 0x0001;
inline constexpr UINT CDIS_GRAYED = 0x0002;
inline constexpr UINT CDIS_DISABLED = 0x0004;
inline constexpr UINT CDIS_CHECKED = 0x0008;
inline constexpr UINT CDIS_FOCUS = 0x0010;
inline constexpr UINT CDIS_HOT = 0x0040;
inline constexpr UINT CDIS_MARKED = 0x0080;

struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  HDC hdc = 0;
  TRect rc{};
  DWORD_PTR dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};
using TNMCustomDraw = NMCUSTOMDRAW;

enum TCustomDrawStateItem { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked,
                            cdsIndeterminate };
using TCustomDrawState = TSet<TCustomDrawStateItem, cdsIndeterminate>;
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };

// ---- Tree view --------------------------------------------------------------------------------------------------
inline constexpr UINT TVN_FIRST = static_cast<UINT>(-400);
inline constexpr UINT TVN_SELCHANGING = TVN_FIRST - 1;
inline constexpr UINT TVN_SELCHANGED = TVN_FIRST - 2;
inline constexpr UINT TVN_GETDISPINFO = TVN_FIRST - 3;
inline constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 5;
inline constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 6;
inline constexpr UINT TVN_BEGINDRAG = TVN_FIRST - 7;
inline constexpr UINT TVN_BEGINRDRAG = TVN_FIRST - 8;
inline constexpr UINT TVN_DELETEITEM = TVN_FIRST - 9;
inline constexpr UINT TVN_BEGINLABELEDIT = TVN_FIRST - 10;
inline constexpr UINT TVN_ENDLABELEDIT = TVN_FIRST - 11;
inline constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;

inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
inline constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
inline constexpr DWORD TVS_TRACKSELECT = 0x0200;
inline constexpr DWORD TVS_FULLROWSELECT = 0x1000;

inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_SETTOOLTIPS = TV_FIRST + 24;
inline constexpr UINT TVM_GETTOOLTIPS = TV_FIRST + 25;

inline constexpr UINT TVE_COLLAPSE = 0x0001;
inline constexpr UINT TVE_EXPAND = 0x0002;
inline constexpr UINT TVE_TOGGLE = 0x0003;
inline constexpr UINT TVC_UNKNOWN = 0;
inline constexpr UINT TVC_BYMOUSE = 1;
inline constexpr UINT TVC_BYKEYBOARD = 2;

inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
inline constexpr UINT TVIF_CHILDREN = 0x0040;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_CUT = 0x0004;
inline constexpr UINT TVIS_DROPHILITED = 0x0008;
inline constexpr UINT TVIS_BOLD = 0x0010;
inline constexpr UINT TVIS_EXPANDED = 0x0020;

class TTreeNode;
using HTREEITEM = TTreeNode*;  // an item handle is the node itself

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;  // the node
};
struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  TPoint ptDrag{};
};
struct NMTVDISPINFO {
  NMHDR hdr;
  TVITEM item;
};
struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};
struct NMTVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = 0;
  COLORREF clrTextBk = 0;
  int iLevel = 0;
};

enum TSortType { stNone, stData, stText, stBoth };
Z_ENUM_TYPEINFO(TSortType, "stNone", "stData", "stText", "stBoth")
enum THitTest { htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel, htOnRight,
                htOnStateIcon, htToLeft, htToRight };
using THitTests = TSet<THitTest, htToRight>;
enum TNodeAttachMode { naAdd, naAddFirst, naAddChild, naAddChildFirst, naInsert };

class TCustomTreeView;
class TTreeNodes;

using TTVCompare = std::function<int(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data)>;

// One item of a tree. Its owner (TTreeNodes) frees it; a deleted node's children go first.
class TTreeNode : public TPersistent {
  Z_CLASS(TTreeNode, TPersistent)
  friend class TTreeNodes;
  friend class TCustomTreeView;

public:
  using TConstructorArg = TTreeNodes*;
  explicit TTreeNode(TTreeNodes* AOwner);
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;
  ~TTreeNode() override;

  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  void* Data = nullptr;
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int Value);
  int OverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int Value);
  bool Cut() const { return FCut; }
  void SetCut(bool Value);
  bool DropTarget() const { return FDropTarget; }
  void SetDropTarget(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const { return Selected(); }
  // A button shows without children (they come when the node expands).
  bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
  void SetHasChildren(bool Value);
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);

  TTreeNode* Parent() const;
  TTreeNode* getFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* getNextSibling() const;
  TTreeNode* getPrevSibling() const;
  TTreeNode* GetNextChild(TTreeNode* Value) const { return Value ? Value->getNextSibling() : nullptr; }
  // Depth first through every node.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  // Through the nodes whose parents are all expanded.
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* Item(int Index) const;
  int Index() const;
  int AbsoluteIndex() const;
  int Level() const;
  bool IsVisible() const;
  bool HasAsParent(TTreeNode* Value) const;

  // The node's row (TextOnly: the label) in the tree's client coordinates; empty when the node is not shown.
  TRect DisplayRect(bool TextOnly);
  bool EditText();
  void EndEdit(bool Cancel);
  void MakeVisible();
  void Delete();
  void DeleteChildren();
  bool AlphaSort(bool Recurse = false);
  bool CustomSort(const TTVCompare& SortProc, LPARAM Data, bool Recurse = false);

private:
  TTreeNode* FParentNode = nullptr;  // the owner's root holder for top-level nodes
  TTreeNodes* FOwner;
  std::vector<TTreeNode*> FChildren;
  std::string FText;
  int FImageIndex = 0;
  int FSelectedIndex = 0;
  int FStateIndex = -1;
  int FOverlayIndex = -1;
  bool FCut = false;
  bool FDropTarget = false;
  bool FHasChildren = false;
  bool FExpanded = false;
  bool FDeleting = false;
  // The node's position among its siblings (FParentNode->FChildren.size() when not there), with a hint.
  std::size_t PositionInParent() const;
  mutable std::size_t FPositionHint = 0;
};

// The nodes of a tree view, in a tree. Adding and deleting repaint the view unless between BeginUpdate and
// EndUpdate.
class TTreeNodes : public TPersistent {
  Z_CLASS(TTreeNodes, TPersistent)
  friend class TTreeNode;
  friend class TCustomTreeView;

public:
  using TConstructorArg = TCustomTreeView*;
  explicit TTreeNodes(TCustomTreeView* AOwner);
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;
  ~TTreeNodes() override;
  TCustomTreeView* Owner() const { return FOwner; }
  // All nodes, at every level.
  int Count() const { return FCount; }
  // The node at an absolute (depth-first) index; out of range raises EListError.
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const;
  // As the last sibling of Sibling (a top-level node when null).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& S) { return AddObject(Sibling, S, nullptr); }
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const std::string& S) { return AddObjectFirst(Sibling, S, nullptr); }
  TTreeNode* AddObjectFirst(TTreeNode* Sibling, const std::string& S, void* Ptr);
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const std::string& S) { return AddChildObjectFirst(Parent, S, nullptr); }
  TTreeNode* AddChildObjectFirst(TTreeNode* Parent, const std::string& S, void* Ptr);
  // Before Sibling (at the end of the top level when null).
  TTreeNode* Insert(TTreeNode* Sibling, const std::string& S) { return InsertObject(Sibling, S, nullptr); }
  TTreeNode* InsertObject(TTreeNode* Sibling, const std::string& S, void* Ptr);
  void Delete(TTreeNode* Node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }
  void Assign(TPersistent* Source) override;

protected:
  // Layouts keep the nodes as the binary property "Data": the count of top-level nodes, then each node (and
  // after it its children) as a size and a record of ImageIndex, SelectedIndex, StateIndex, OverlayIndex, a
  // 32-bit data slot, the child count and the text as a short string.
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  TTreeNode* InternalAdd(TTreeNode* Parent, int Position, const std::string& S, void* Ptr);
  TCustomTreeView* FOwner;
  TTreeNode FRoot;
  int FCount = 0;
  int FUpdateCount = 0;
};

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVCollapsingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
using TTVCompareEvent =
    std::function<void(TObject* Sender, TTreeNode* Node1, TTreeNode* Node2, int Data, int& Compare)>;
using TTVCustomDrawEvent = std::function<void(TCustomTreeView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TTVCustomDrawItemEvent =
    std::function<void(TCustomTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;

// A tree of nodes painted by the control itself. Every change the user or the program makes goes through the
// platform's notifications, sent to the parent as WM_NOTIFY and reflected back (CN_NOTIFY), in the platform's
// order: TVN_SELCHANGING (OnChanging may refuse) / TVN_SELCHANGED (OnChange); TVN_ITEMEXPANDING (OnExpanding /
// OnCollapsing may refuse) / TVN_ITEMEXPANDED (OnExpanded / OnCollapsed); TVN_DELETEITEM once per node, children
// first (Delete, then OnDeletion); TVN_BEGINLABELEDIT / TVN_ENDLABELEDIT (OnEditing / OnEdited); TVN_BEGINDRAG;
// TVN_KEYDOWN; NM_CLICK, NM_DBLCLK, NM_RCLICK; NM_CUSTOMDRAW with its stages (OnCustomDraw, OnCustomDrawItem).
class TCustomTreeView : public TCustomControl {
  Z_CLASS(TCustomTreeView, TCustomControl)
  friend class TTreeNode;
  friend class TTreeNodes;

public:
  explicit TCustomTreeView(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  // The tree's own handling of what nobody else took: the wheel scrolls (after DoMouseWheel and the parents).
  void DefaultHandler(TMessage& Message) override;

  TTreeNodes* Items() const { return FItems.get(); }
  void SetItems(TTreeNodes* Value) { FItems->Assign(Value); }
  TTreeNode* Selected() const { return FSelected; }
  // Selects through TVN_SELCHANGING / TVN_SELCHANGED (OnChanging may refuse), scrolling the node into view.
  void SetSelected(TTreeNode* Node);
  TTreeNode* TopItem();
  void SetTopItem(TTreeNode* Node);
  TTreeNode* DropTarget() const;
  void SetDropTarget(TTreeNode* Node);
  TTreeNode* GetNodeAt(int X, int Y);
  THitTests GetHitTestInfoAt(int X, int Y);
  bool IsEditing() const { return FEditWnd != 0; }
  TTreeNode* EditingNode() const { return FEditNode; }
  HWND EditHandle() const { return FEditWnd; }
  void FullExpand();
  void FullCollapse();
  bool AlphaSort(bool Recurse = true);
  bool CustomSort(const TTVCompare& SortProc, LPARAM Data, bool Recurse = true);
  int VisibleRowCount();
  int ItemHeight();

  bool ReadOnly = false;
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  bool RightClickSelect = false;
  // The window styles TVS_TRACKSELECT and TVS_NOTOOLTIPS (the window's style is what counts: a descendant may
  // add TVS_NOTOOLTIPS in CreateParams). HotTrack underlines the node under the pointer in the hot-track colour
  // and shows the hand over its label; ToolTips shows the whole text of a label cut off by the client edge in a
  // tip laid over it.
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  bool ToolTips() const { return FToolTips; }
  void SetToolTips(bool Value);
  // The node under the pointer while hot tracking, else null.
  TTreeNode* HotNode() const { return FHotNode; }
  // The tooltip window the tree uses (TVM_GETTOOLTIPS), 0 without one.
  HWND ToolTipHandle() const { return FToolTip; }
  // Milliseconds by which OnChange follows a selection change; a newer change within the delay restarts it, so
  // only the last one is reported. 0: at once.
  int ChangeDelay() const { return FChangeDelay; }
  void SetChangeDelay(int Value) { FChangeDelay = std::max(Value, 0); }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool AutoExpand = false;
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVExpandedEvent OnDeletion;
  TTVExpandedEvent OnGetImageIndex;
  TTVExpandedEvent OnGetSelectedIndex;
  TTVCompareEvent OnCompare;
  TTVCustomDrawEvent OnCustomDraw;
  TTVCustomDrawItemEvent OnCustomDrawItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Paint() override;
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);
  virtual bool CanExpand(TTreeNode* Node);
  virtual void Expand(TTreeNode* Node);
  virtual bool CanCollapse(TTreeNode* Node);
  virtual void Collapse(TTreeNode* Node);
  virtual bool CanEdit(TTreeNode* Node);
  virtual void Edit(TTreeNode* Node, std::string& S);
  // A node is going: descendants free what they keep in Data here (OnDeletion runs first).
  virtual void Delete(TTreeNode* Node);
  virtual void GetImageIndex(TTreeNode* Node);
  virtual void GetSelectedIndex(TTreeNode* Node);
  virtual int Compare(TTreeNode* Node1, TTreeNode* Node2, LPARAM Data);
  virtual bool CustomDraw(const TRect& ARect, TCustomDrawStage Stage);
  virtual bool CustomDrawItem(TTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage);

private:
  LRESULT Notify(NMHDR& Header, UINT Code);
  LRESULT NotifyTree(UINT Code, UINT Action, TTreeNode* OldNode, TTreeNode* NewNode, TPoint Pt = {});
  void CNNotify(TMessage& Message);
  // Changes the selection with the notifications; false when refused.
  bool DoSelect(TTreeNode* Node, UINT Action);
  bool DoExpand(TTreeNode* Node, bool Expand, UINT Action);
  void NodeGoing(TTreeNode* Node);
  void NodesChanged();
  void SortChildren(TTreeNode* Parent, const TTVCompare& Proc, LPARAM Data, bool Recurse);
  void AutoSort(TTreeNode* Parent);
  // The visible rows, top to bottom.
  std::vector<TTreeNode*> Rows();
  int RowOf(TTreeNode* Node);
  int IndentOf(TTreeNode* Node);
  TRect LabelRect(TTreeNode* Node, int Row);
  void UpdateScrollBar();
  void ScrollTo(int TopRow);
  void EnsureVisible(TTreeNode* Node);
  void EndEditing(bool Cancel);
  static LRESULT EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  int TextWidth(const std::string& Text);
  // Hot tracking, the label tips and the delayed change (ComCtrlsTreeViewHover.cpp).
  bool TrackingStyle() const;
  bool TipsStyle() const;
  void SetStyleBit(DWORD Bit, bool On);
  void MouseOver(UINT Msg, WPARAM WParam, LPARAM LParam);
  void SetHotNode(TTreeNode* Node);
  void InvalidateRow(TTreeNode* Node);
  bool SetCursorOverLabel();
  void CreateToolTip();
  void DestroyToolTip();
  HWND ReplaceToolTip(HWND Tip);
  void ClearTip();
  bool PlaceTip();
  void SelectionChanged(TTreeNode* Node);
  // The delayed change's timer: true when Id is its.
  bool ChangeTimerFired(UINT_PTR Id);

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  TTreeNode* FDropTarget = nullptr;
  TTreeNode* FEditNode = nullptr;
  TTreeNode* FDragNode = nullptr;
  TTreeNode* FRClickNode = nullptr;
  TPoint FDragStart{};
  HWND FEditWnd = 0;
  WNDPROC FEditOldProc = nullptr;
  int FTopRow = 0;
  int FWheelRest = 0;  // the part of wheel turns not scrolled yet (under WHEEL_DELTA)
  bool FHideSelection = true;
  bool FShowRoot = true;
  bool FShowLines = true;
  bool FShowButtons = true;
  int FIndent = 19;
  bool FRowSelect = false;
  TSortType FSortType = stNone;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  std::unique_ptr<TChangeLink> FImageLink;
  bool FDestroying = false;
  bool FInCustomDrawItem = false;
  TCustomDrawState FItemState;
  bool FHotTrack = false;
  bool FToolTips = true;
  TTreeNode* FHotNode = nullptr;
  HWND FToolTip = 0;
  bool FOwnToolTip = false;   // the tree made FToolTip and destroys it
  TTreeNode* FTipNode = nullptr;  // the node whose cut-off label the tip's tool covers
  int FChangeDelay = 0;
  bool FChangePending = false;
  TTreeNode* FChangeNode = nullptr;
};

class TTreeView : public TCustomTreeView {
  Z_CLASS(TTreeView, TCustomTreeView)

public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
  // Published: AutoExpand, ChangeDelay, HideSelection, HotTrack, Images, Indent, ReadOnly, RightClickSelect,
  // RowSelect, ShowButtons, ShowLines, ShowRoot, SortType, StateImages, ToolTips and the events.
  static void Publish(TMetaClass& Meta);
};

// ---- Header control (the list view's column header) -------------------------------------------------------------
inline constexpr UINT ODT_HEADER = 100;
inline constexpr UINT HDN_FIRST = static_cast<UINT>(-300);
inline constexpr UINT HDN_ITEMCHANGING = HDN_FIRST - 0;
inline constexpr UINT HDN_ITEMCHANGED = HDN_FIRST - 1;
inline constexpr UINT HDN_ITEMCLICKA = HDN_FIRST - 2;
inline constexpr UINT HDN_ITEMCLICKW = HDN_FIRST - 22;
inline constexpr UINT HDN_ITEMCLICK = HDN_ITEMCLICKA;
inline constexpr UINT HDN_BEGINTRACK = HDN_FIRST - 6;
inline constexpr UINT HDN_ENDTRACK = HDN_FIRST - 7;
inline constexpr UINT HDN_TRACK = HDN_FIRST - 8;
inline constexpr UINT HDM_FIRST = 0x1200;
inline constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0;
inline constexpr UINT HDM_GETITEM = HDM_FIRST + 3;
inline constexpr UINT HDM_SETITEM = HDM_FIRST + 4;
inline constexpr UINT HDM_GETITEMRECT = HDM_FIRST + 7;
inline constexpr UINT HDI_WIDTH = 0x0001;
inline constexpr UINT HDI_TEXT = 0x0002;
inline constexpr UINT HDI_FORMAT = 0x0004;
inline constexpr UINT HDI_LPARAM = 0x0008;
inline constexpr UINT HDI_IMAGE = 0x0020;
inline constexpr int HDF_LEFT = 0x0000;
inline constexpr int HDF_RIGHT = 0x0001;
inline constexpr int HDF_CENTER = 0x0002;
inline constexpr int HDF_JUSTIFYMASK = 0x0003;
inline constexpr int HDF_IMAGE = 0x0800;
inline constexpr int HDF_SORTDOWN = 0x0200;
inline constexpr int HDF_SORTUP = 0x0400;
inline constexpr int HDF_OWNERDRAW = 0x8000;
inline constexpr int HDF_STRING = 0x4000;

struct HDITEM {
  UINT mask = 0;
  int cxy = 0;
  char* pszText = nullptr;
  HBITMAP hbm = 0;
  int cchTextMax = 0;
  int fmt = 0;
  LPARAM lParam = 0;
  int iImage = 0;
  int iOrder = 0;
};
struct NMHEADER {
  NMHDR hdr;
  int iItem = 0;
  int iButton = 0;
  HDITEM* pitem = nullptr;
};

// ---- List view --------------------------------------------------------------------------------------------------
inline constexpr UINT LVN_FIRST = static_cast<UINT>(-100);
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_BEGINLABELEDIT = LVN_FIRST - 5;
inline constexpr UINT LVN_ENDLABELEDIT = LVN_FIRST - 6;
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
inline constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
inline constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
inline constexpr UINT LVN_GETDISPINFO = LVN_FIRST - 50;
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_CUT = 0x0004;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
};
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  TPoint ptAction{};
  LPARAM lParam = 0;
};
struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};
struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = 0;
  COLORREF clrTextBk = 0;
  int iSubItem = 0;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
Z_ENUM_TYPEINFO(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport")
enum TItemChange { ctText, ctImage, ctState };
enum TDisplayCode { drBounds, drIcon, drLabel, drSelectBounds };
enum TItemState { isNone, isCut, isDropHilited, isFocused, isSelected, isActivating };
// With HotTrack: the hand over items (htHandPoint), the other items underlined (htUnderlineCold), the hot item
// underlined (htUnderlineHot; without it the hot item is only drawn in the hot-track colour).
enum THotTrackStyle { htHandPoint, htUnderlineCold, htUnderlineHot };
Z_ENUM_TYPEINFO(THotTrackStyle, "htHandPoint", "htUnderlineCold", "htUnderlineHot")
using THotTrackStyles = TSet<THotTrackStyle, htUnderlineHot>;
using TItemStates = TSet<TItemState, isActivating>;

class TCustomListView;
class TListItems;
class TListColumns;

class TListColumn : public TCollectionItem {
  Z_CLASS(TListColumn, TCollectionItem)

public:
  explicit TListColumn(TCollection* ACollection) : TCollectionItem(ACollection) {}
  // Published: Alignment, AutoSize, Caption, ImageIndex, Width.
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // An AutoSize column takes what the others leave of the client width.
  int Width();
  void SetWidth(int Value);
  int WidthValue() const { return FWidth; }

protected:
  std::string GetDisplayName() override { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  std::string FCaption;
  int FImageIndex = -1;
  int FWidth = 50;
};

class TListColumns : public TCollection {
  Z_CLASS(TListColumns, TCollection)

public:
  explicit TListColumns(TCustomListView* AOwner);
  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
  TCustomListView* Owner() const { return FOwner; }

protected:
  TPersistent* GetOwner() override;
  void Update(TCollectionItem* Item) override;

private:
  TCustomListView* FOwner;
};

class TListItem : public TPersistent {
  Z_CLASS(TListItem, TPersistent)
  friend class TListItems;
  friend class TCustomListView;

public:
  using TConstructorArg = TListItems*;
  explicit TListItem(TListItems* AOwner);
  ~TListItem() override;
  TListItem(const TListItem&) = delete;
  TListItem& operator=(const TListItem&) = delete;

  TListItems* Owner() const { return FOwner; }
  TCustomListView* ListView() const;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  TStrings* SubItems() const { return FSubItems.get(); }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  // The image of a sub-item in the report view (-1: none; also for sub-items never given one).
  int SubItemImages(int Index) const;
  void SetSubItemImages(int Index, int Value);
  void* Data = nullptr;
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int StateIndex() const { return FStateIndex; }
  void SetStateIndex(int Value);
  int OverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int Value);
  bool Cut() const { return FCut; }
  void SetCut(bool Value);
  bool DropTarget() const { return FDropTarget; }
  void SetDropTarget(bool Value);
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  int Index() const { return FIndex; }
  // With TextCallback the view asks for the caption, the sub-item texts and the image (LVN_GETDISPINFO) each time
  // it shows the item; the stored ones are the default answer. Lists of many items use it to supply texts on
  // demand.
  bool TextCallback() const { return FTextCallback; }
  void SetTextCallback(bool Value);
  TRect DisplayRect(TDisplayCode Code);
  bool EditCaption();
  void CancelEdit();
  void MakeVisible(bool PartialOK);
  void Delete();
  void Update();

private:
  TListItems* FOwner;
  std::unique_ptr<TStringList> FSubItems;
  std::vector<int> FSubItemImages;
  std::string FCaption;
  int FImageIndex = -1;
  int FStateIndex = -1;
  int FOverlayIndex = -1;
  bool FCut = false;
  bool FDropTarget = false;
  bool FSelected = false;
  bool FChecked = false;
  bool FTextCallback = false;
  int FIndex = -1;
};

// The items of a list view. With OwnerData the list holds only a count; Item(i) is then a shared temporary the
// view fills through OnData.
class TListItems : public TPersistent {
  Z_CLASS(TListItems, TPersistent)
  friend class TListItem;
  friend class TCustomListView;

public:
  using TConstructorArg = TCustomListView*;
  explicit TListItems(TCustomListView* AOwner);
  ~TListItems() override;
  TListItems(const TListItems&) = delete;
  TListItems& operator=(const TListItems&) = delete;
  TCustomListView* Owner() const { return FOwner; }
  int Count() const;
  // Only with OwnerData: how many items the program will supply.
  void SetCount(int Value);
  TListItem* Item(int Index);
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  // Deletes the items at several indexes (each announced as Delete announces it) in one pass, so that taking
  // many items out of a long list costs time in proportion to the list, not to the list times the items taken.
  void DeleteSeveral(std::vector<int> Indexes);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  int IndexOf(TListItem* Value) const;
  // Room for that many items, so that adding a known number of them allocates once.
  void SetCapacity(int Value);
  void Assign(TPersistent* Source) override;

protected:
  // Layouts keep the items as the binary property "Data": the block's size and the item count, then per item
  // its ImageIndex, StateIndex, OverlayIndex, sub-item count, a 32-bit data slot, the caption and the sub-items
  // as short strings; after all items every sub-item's image, item by item.
  void DefineProperties(TFiler* Filer) override;

private:
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  void Reindex(int From);
  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FOwnerDataCount = 0;
  std::unique_ptr<TListItem> FTemp;
  int FUpdateCount = 0;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent =
    std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVOwnerDataEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVCustomDrawEvent = std::function<void(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw)>;
using TLVCustomDrawItemEvent =
    std::function<void(TCustomListView* Sender, TListItem* Item, TCustomDrawState State, bool& DefaultDraw)>;
using TLVCustomDrawSubItemEvent = std::function<void(TCustomListView* Sender, TListItem* Item, int SubItem,
                                                     TCustomDrawState State, bool& DefaultDraw)>;
using TLVCompare = std::function<int(TListItem* Item1, TListItem* Item2, LPARAM Data)>;

class TListViewHeader;

// Items in one of four views, painted by the control itself; in the report view a header window (HeaderHandle)
// carries the columns. Changes go through the platform's notifications to the parent and back (CN_NOTIFY):
// LVN_ITEMCHANGING (OnChanging may refuse) / LVN_ITEMCHANGED (OnChange, then OnSelectItem for a selection
// change), LVN_INSERTITEM (OnInsert), LVN_DELETEITEM (OnDeletion), LVN_COLUMNCLICK (OnColumnClick, from the
// header's HDN_ITEMCLICK), LVN_BEGINLABELEDIT / LVN_ENDLABELEDIT (OnEditing / OnEdited), LVN_BEGINDRAG /
// LVN_BEGINRDRAG, LVN_GETDISPINFO (OnData, only for the items being shown), NM_CLICK, NM_DBLCLK, NM_RCLICK and
// NM_CUSTOMDRAW (the control, each item, each sub-item).
class TCustomListView : public TCustomControl {
  Z_CLASS(TCustomListView, TCustomControl)
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  friend class TListColumns;
  friend class TListViewHeader;

public:
  explicit TCustomListView(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  // The list's own handling of what nobody else took: the wheel scrolls (after DoMouseWheel and the parents).
  void DefaultHandler(TMessage& Message) override;
  void AdjustClientRect(TRect& Rect) override;

  TListItems* Items() const { return FItems.get(); }
  void SetItems(TListItems* Value) { FItems->Assign(Value); }
  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool OwnerData() const { return FOwnerData; }
  void SetOwnerData(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool RowSelect = false;
  bool GridLines = false;
  bool Checkboxes = false;
  bool ReadOnly = false;
  bool HideSelection = true;
  bool ShowColumnHeaders = true;
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType Value);
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);

  // The first selected item (null when none); setting it selects only that one.
  TListItem* Selected();
  void SetSelected(TListItem* Item);
  TListItem* ItemFocused();
  void SetItemFocused(TListItem* Item);
  int SelCount();
  void ClearSelection();
  void SelectAll();
  TListItem* GetItemAt(int X, int Y);
  TListItem* TopItem();
  int VisibleRowCount();
  // Scrolls by pixels (the report and list views move by whole rows or columns).
  void Scroll(int DX, int DY);
  bool AlphaSort();
  bool CustomSort(const TLVCompare& SortProc, LPARAM Data);
  // Puts the items in the given order of their present indexes (a permutation of 0..Count-1), for callers that
  // sorted keys of their own; false with owner data or an order that is not a permutation.
  bool SortByOrder(const std::vector<int>& Order);
  bool IsEditing() const { return FEditWnd != 0; }
  HWND HeaderHandle();
  int ItemHeight();
  // LVS_EX_TRACKSELECT: the item under the pointer is hot, drawn in the hot-track colour as HotTrackStyles say.
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  THotTrackStyles HotTrackStyles() const { return FHotTrackStyles; }
  void SetHotTrackStyles(THotTrackStyles Value);
  // The item under the pointer while hot tracking, or -1.
  int HotItemIndex() const { return FHotIndex; }
  // The rows or cells the view shows now (report, list and small icons: items from TopItem on).
  std::vector<int> VisibleItems();
  // What the view shows of an item in a column: the stored text and image, or for a TextCallback item the answer
  // to LVN_GETDISPINFO. Image may be null when only the text is wanted.
  std::string DisplayText(TListItem* Item, int Column, int* Image);

  TLVSelectItemEvent OnSelectItem;
  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  TLVColumnClickEvent OnColumnClick;
  TLVCompareEvent OnCompare;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVOwnerDataEvent OnData;
  TLVDeletedEvent OnDeletion;
  TLVDeletedEvent OnInsert;
  TLVCustomDrawEvent OnCustomDraw;
  TLVCustomDrawItemEvent OnCustomDrawItem;
  TLVCustomDrawSubItemEvent OnCustomDrawSubItem;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  virtual bool CanChange(TListItem* Item, TItemChange Change);
  virtual void Change(TListItem* Item, TItemChange Change);
  virtual void DoSelectItem(TListItem* Item, bool Selected);
  virtual void ColClick(TListColumn* Column);
  virtual void Delete(TListItem* Item);
  virtual void InsertItem(TListItem* Item);
  virtual bool CanEdit(TListItem* Item);
  virtual void Edit(TListItem* Item, std::string& S);
  virtual bool OwnerDataFetch(TListItem* Item);

private:
  LRESULT Notify(NMHDR& Header, UINT Code);
  LRESULT NotifyItem(UINT Code, int Index, UINT Changed, UINT OldState, UINT NewState, TPoint Pt = {});
  void CNNotify(TMessage& Message);
  void HeaderNotify(TMessage& Message);
  // Sets or clears state bits of an item with LVN_ITEMCHANGING / LVN_ITEMCHANGED; false when refused.
  bool ChangeState(int Index, UINT Mask, UINT Value);
  bool ChangeText(TListItem* Item, TItemChange What, const std::function<void()>& Apply);
  UINT StateOf(int Index);
  TListItem* Fetch(int Index);
  void ItemsChanged();
  void UpdateScrollBars();
  TRect ItemRect(int Index, TDisplayCode Code);
  int HeaderHeight();
  int CellWidth();
  int CellHeight();
  int PerColumn();
  int PerRow();
  void EnsureVisible(int Index, bool PartialOK);
  void EndEditing(bool Cancel);
  static LRESULT EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  int TextWidth(const std::string& Text);
  void ClickItem(int Index, TShiftState Shift);
  void SortItems(const TLVCompare& Proc, LPARAM Data);
  void DeleteItemAt(int Index);
  void DeleteItemsAt(const std::vector<int>& Indexes);
  void SetHotIndex(int Index);
  void TrackHot(UINT Msg, LPARAM LParam);
  bool SetHotCursor();

  std::unique_ptr<TListItems> FItems;
  std::unique_ptr<TListColumns> FColumns;
  TListViewHeader* FHeader = nullptr;
  TViewStyle FViewStyle = vsIcon;
  bool FOwnerData = false;
  bool FMultiSelect = false;
  TSortType FSortType = stNone;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  int FTop = 0;         // the first row (report, small icons, icons) or column (list) shown
  int FWheelRest = 0;   // the part of wheel turns not scrolled yet (under WHEEL_DELTA)
  int FScrollX = 0;     // report view: pixels scrolled to the left
  int FFocusIndex = -1;
  int FAnchor = -1;
  std::vector<bool> FOwnerSelected;  // owner data: the selection by index
  HWND FEditWnd = 0;
  WNDPROC FEditOldProc = nullptr;
  int FEditIndex = -1;
  int FDragIndex = -1;
  TPoint FDragStart{};
  bool FDestroying = false;
  bool FHotTrack = false;
  THotTrackStyles FHotTrackStyles;
  int FHotIndex = -1;
  int FCellWidth = -1;  // list and small-icon cells; -1: measure again
};

class TListView : public TCustomListView {
  Z_CLASS(TListView, TCustomListView)

public:
  explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
  // Published: Checkboxes, Columns, GridLines, HideSelection, HotTrack, HotTrackStyles, Items, LargeImages,
  // MultiSelect, OwnerData, ReadOnly, RowSelect, ShowColumnHeaders, SmallImages, SortType, StateImages, ViewStyle
  // and the events.
  static void Publish(TMetaClass& Meta);
};

// ---- Date and time picker ---------------------------------------------------------------------------------------
enum TDateTimeKind { dtkDate, dtkTime };
Z_ENUM_TYPEINFO(TDateTimeKind, "dtkDate", "dtkTime")
enum TDTDateMode { dmComboBox, dmUpDown };
Z_ENUM_TYPEINFO(TDTDateMode, "dmComboBox", "dmUpDown")
enum TDTDateFormat { dfShort, dfLong };
Z_ENUM_TYPEINFO(TDTDateFormat, "dfShort", "dfLong")
enum TDTCalAlignment { dtaLeft, dtaRight };
Z_ENUM_TYPEINFO(TDTCalAlignment, "dtaLeft", "dtaRight")

namespace ComStrs {
inline constexpr const char* SDateTimeMax = "Date exceeds maximum of %s";
inline constexpr const char* SDateTimeMin = "Date is less than minimum of %s";
inline constexpr const char* SFailSetCalDateTime = "Failed to set calendar date or time";
}  // namespace ComStrs

Z_EXCEPTION(ECommonCalendarError, Exception)
Z_EXCEPTION(EDateTimeError, ECommonCalendarError)

// A date or a time over the platform's date and time picker ("SysDateTimePick32"). Kind, DateFormat, DateMode,
// CalAlignment and ShowCheckbox are window styles (changing one remakes the window). DateTime, Date and Time
// read the window's value; a value out of MinDate..MaxDate (0: no limit; dates only) raises EDateTimeError, as
// does a limit that would leave the current date or the other limit outside. With ShowCheckbox, Checked tells
// whether there is a value (DTM_SETSYSTEMTIME with GDT_NONE clears it). The window's notifications come back as
// CN_NOTIFY: DTN_DATETIMECHANGE (the value is taken, then Change and OnChange), DTN_DROPDOWN (DroppedDown,
// OnDropDown) and DTN_CLOSEUP (OnCloseUp). Setting values in code sends no notification.
class TDateTimePicker : public TWinControl {
  Z_CLASS(TDateTimePicker, TWinControl)

public:
  explicit TDateTimePicker(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  // Published: CalAlignment, Date, Time, ShowCheckbox, Checked, DateFormat, DateMode, Format, Kind, MaxDate,
  // MinDate, the events OnChange, OnCloseUp, OnDropDown and the common properties.
  static void Publish(TMetaClass& Meta);

  TDateTime DateTime();
  TDateTime DateTime() const { return const_cast<TDateTimePicker*>(this)->DateTime(); }
  void SetDateTime(TDateTime Value);
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  TDateTime MinDate() const { return FMinDate; }
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime Value);
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  TDTCalAlignment CalAlignment() const { return FCalAlignment; }
  void SetCalAlignment(TDTCalAlignment Value);
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  bool Checked() const;
  void SetChecked(bool Value);
  // A picture of the platform's picture language ("dd/MM/yyyy", "HH:mm"); empty: the kind's own.
  const std::string& Format() const { return FFormat; }
  void SetFormat(const std::string& Value);
  bool DroppedDown() const { return FDroppedDown; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();
  // Raises EDateTimeError when the date lies out of MinDate..MaxDate.
  void CheckValidDate(TDateTime Value) const;

private:
  void SendValue();
  void SendRange();
  void ReadWindow();

  TDateTime FDateTime = 0;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
  TDateTimeKind FKind = dtkDate;
  TDTDateFormat FDateFormat = dfShort;
  TDTDateMode FDateMode = dmComboBox;
  TDTCalAlignment FCalAlignment = dtaLeft;
  bool FShowCheckbox = false;
  bool FChecked = true;
  bool FDroppedDown = false;
  std::string FFormat;
};

// ---- Animation --------------------------------------------------------------------------------------------------
enum TCommonAVI {
  aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile, aviRecycleFile, aviEmptyRecycle,
  aviDeleteFile
};
Z_ENUM_TYPEINFO(TCommonAVI, "aviNone", "aviFindFolder", "aviFindFile", "aviFindComputer", "aviCopyFiles",
                "aviCopyFile", "aviRecycleFile", "aviEmptyRecycle", "aviDeleteFile")

// One of the platform's common animations (CommonAVI), drawn by the layer: a clip of a few frames, each
// FrameWidth x FrameHeight. Setting CommonAVI opens the clip (Open, OnOpen); with AutoSize the control takes the
// frame's size, else the frame is drawn centred (Center) or at the top left. Active plays StartFrame..StopFrame
// (1-based; StopFrame 0 is the last frame) Repetitions times (0: until stopped) on a timer once the control has
// its window (OnStart, OnStop); Seek shows one frame, Reset goes back to the first. Transparent lets the parent's
// colour show around the drawing.
class TAnimate : public TCustomControl {
  Z_CLASS(TAnimate, TCustomControl)

public:
  explicit TAnimate(TComponent* AOwner);
  void BeforeDestruction() override;
  void Dispatch(TMessage& Message) override;
  // Published: Active, AutoSize, Center, CommonAVI, Open, Repetitions, StartFrame, StopFrame, Timers,
  // Transparent, OnClose, OnOpen, OnStart, OnStop and the common properties.
  static void Publish(TMetaClass& Meta);

  TCommonAVI CommonAVI() const { return FCommonAVI; }
  void SetCommonAVI(TCommonAVI Value);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Open() const { return FOpen; }
  void SetOpen(bool Value);
  int Repetitions = 0;
  int StartFrame() const { return FStartFrame; }
  void SetStartFrame(int Value);
  int StopFrame() const { return FStopFrame; }
  void SetStopFrame(int Value);
  bool Timers = false;
  int FrameCount() const { return FFrameCount; }
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }
  // Plays frames FromFrame..ToFrame (1-based, clamped to the clip) Count times (0: until stopped).
  void Play(int FromFrame, int ToFrame, int Count);
  void Stop();
  void Seek(int Frame);
  void Reset();
  // The frame shown (1-based; 0 with no clip).
  int Frame() const { return FFrame; }

  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;
  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

protected:
  void CreateWnd() override;
  void Loaded() override;
  void Paint() override;

private:
  void OpenClip();
  void CloseClip();
  void StartTimer();
  void StopTimer();
  void Step();
  void AdjustSize();
  void DrawFrame(TCanvas* C, int Left, int Top, int Frame);

  TCommonAVI FCommonAVI = aviNone;
  bool FActive = false;
  bool FAutoSize = true;
  bool FCenter = true;
  bool FTransparent = true;
  bool FOpen = false;
  bool FPlaying = false;
  int FStartFrame = 1;
  int FStopFrame = 0;
  int FFrameCount = 0;
  int FFrameWidth = 0;
  int FFrameHeight = 0;
  int FFrame = 0;
  int FPlayFrom = 1;
  int FPlayTo = 1;
  int FPlayCount = 0;
  int FPlayed = 0;
};
