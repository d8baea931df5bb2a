// Tooltips of the tree view: ZEZToolTip wraps one platform tooltip window and routes its messages to a virtual
// window procedure; ZEZTreeToolTip shows the full text of a cut node exactly over the node's text.
#pragma once

#include "treeview/Dcntreetypes.h"

#include "platform/controls/Controls.h"

class ZEZCustomTreeView;

class ZEZToolTip : public TComponent {
  Z_CLASS(ZEZToolTip, TComponent)
public:
  explicit ZEZToolTip(TComponent* AOwner);
  ~ZEZToolTip() override;

  TNotifyEvent OnHide;
  TNotifyEvent OnShow;
  TWinControl* Parent = nullptr;

  void CreateToolTipWindow();
  void DestroyToolTipWindow();
  bool HandleAllocated() const { return FHandle != 0; }
  HWND Handle() const { return FHandle; }
  bool Showing() const { return FShowing; }
  void Activate();
  void Deactivate();
  void AddToolTip(UINT_PTR Id, HWND Wnd, bool Subclass, const std::string& Text, const TRect& Rect);
  void UpdateToolTipInfo(UINT_PTR Id, HWND Wnd, bool Subclass, const std::string& Text, const TRect& Rect);
  void DeleteToolTip(UINT_PTR Id, HWND Wnd);
  void SetWidth(Integer W);
  void SetTime(WPARAM Which, Integer Ms);
  void SetInitialTime(Integer Ms) { SetTime(3, Ms); }
  void SetReShowTime(Integer Ms) { SetTime(1, Ms); }
  void SetAutoPopTime(Integer Ms) { SetTime(2, Ms); }

protected:
  virtual void DoHideToolTip();
  virtual void DoShowToolTip();
  virtual void WndProc(TMessage& Message);
  void DefaultProc(TMessage& Message);
  void RestoreHook();

private:
  static LRESULT HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  WNDPROC FPrevProc = nullptr;
  HWND FHandle = 0;
  bool FShowing = false;
  std::string FText;
};

class ZEZTreeToolTip : public ZEZToolTip {
  Z_CLASS(ZEZTreeToolTip, ZEZToolTip)
public:
  // The view keeps and frees its tip itself.
  explicit ZEZTreeToolTip(ZEZCustomTreeView* ATree);
  void SetNode(ZEZTreeNode* Node);
  ZEZTreeNode* Node() const { return FNode; }
  TRect TipRect() const { return FTipRect; }
  TRect TextRect() const { return FTextRect; }

protected:
  void DoHideToolTip() override;
  void WndProc(TMessage& Message) override;

private:
  ZEZCustomTreeView* Tree() const { return FTree; }
  ZEZCustomTreeView* FTree = nullptr;
  TRect FTipRect{0, 0, 0, 0};
  bool FToolAdded = false;
  ZEZTreeNode* FNode = nullptr;
  TRect FTextRect{0, 0, 0, 0};
};
