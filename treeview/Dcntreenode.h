// ZEZTreeNode: one node of the owner-drawn tree view, with its text, data, images, check state, font and colour,
// its place in doubly linked sibling lists, the counts that map indexes to nodes and rows, and its geometry.
#pragma once

#include "treeview/Dcntreetypes.h"

#include "platform/classes/Persistent.h"
#include "platform/graphics/Graphics.h"

#include <string>

class TStream;

// A node belongs to one view and one collection for its whole life; the view creates it (CreateNode) and the
// collection links it. Deleting a node frees its subtree.
class ZEZTreeNode : public TPersistent {
  Z_CLASS(ZEZTreeNode, TPersistent)
  friend class ZEZTreeNodes;
  friend class ZEZCustomTreeView;

public:
  using TConstructorArg = ZEZTreeNodes*;
  explicit ZEZTreeNode(ZEZTreeNodes* AOwner);
  ~ZEZTreeNode() override;
  ZEZTreeNode(const ZEZTreeNode&) = delete;
  ZEZTreeNode& operator=(const ZEZTreeNode&) = delete;
  // Published: AllowGrayed, Color, Expanded, Font, HasChildren, ImageIndex, NodeType, OverlayIndex, ReadOnly,
  // ParentColor, ParentFont, SelectedIndex, State, StateIndex, Text, with their defaults and stored rules.
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;

  // ---- structure and navigation (null when there is no such node) ----
  ZEZTreeNode* GetFirstChild() const { return FFirstChild; }
  ZEZTreeNode* GetLastChild() const { return FLastChild; }
  ZEZTreeNode* GetNextSibling() const { return FNext; }
  ZEZTreeNode* GetPrevSibling() const { return FPrev; }
  ZEZTreeNode* GetNextChild(ZEZTreeNode* Child) const { return Child ? Child->FNext : nullptr; }
  ZEZTreeNode* GetPrevChild(ZEZTreeNode* Child) const { return Child ? Child->FPrev : nullptr; }
  ZEZTreeNode* GetNext() const;  // depth-first pre-order successor
  ZEZTreeNode* GetPrev() const;  // pre-order predecessor
  ZEZTreeNode* GetNextVisibleSimple() const;
  ZEZTreeNode* GetNextVisibleNonExpanded() const;
  ZEZTreeNode* GetPrevVisibleSimple() const;
  ZEZTreeNode* GetNextVisible() const;
  ZEZTreeNode* GetPrevVisible() const;
  virtual ZEZTreeNode* GetNextVisibleExternal() const { return GetNextVisibleSimple(); }
  virtual ZEZTreeNode* GetPrevVisibleExternal() const { return GetPrevVisibleSimple(); }
  bool GetIsVisible() const;  // every public ancestor is expanded
  bool HasAsParent(const ZEZTreeNode* Node) const;
  Integer GetLevel() const;
  Integer GetIndex() const;
  Integer IndexOf(const ZEZTreeNode* Child) const;
  ZEZTreeNode* GetItem(Integer Index) const;  // a bad index raises EListError
  void SetItem(Integer Index, ZEZTreeNode* Node);
  Integer GetCount() const { return FCount; }
  Integer GetExpandedCount() const;  // all descendants, whatever their expansion
  Integer GetAbsoluteIndex() const;
  Integer ItemCount() const { return FItemCount; }          // all descendants
  Integer VisibleCount() const { return FExpandedCount; }   // rows below this node while expanded
  void IncItemCount(Integer Delta);
  void IncExpandedCount(Integer Delta);
  ZEZTreeNode* Parent() const { return FParent; }
  ZEZTreeNode* InternalParent() const { return FInternalParent; }
  ZEZTreeNodes* Owner() const { return FOwner; }
  ZEZCustomTreeView* TreeView() const { return FTreeView; }
  bool HasDescendants() const { return FFirstChild != nullptr; }

  // ---- properties ----
  virtual std::string GetText() const { return FText; }
  void SetText(const std::string& S);
  void* Data() const { return FData; }
  void SetData(void* P);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(Integer Value);
  Integer OverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(Integer Value);
  Integer StateIndex() const { return FStateIndex; }
  void SetStateIndex(Integer Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FStates.Contains(nsParentColor); }
  void SetParentColor(bool Value);
  bool IsColorStored() const { return !GetParentColor(); }
  TFont* GetFont() const;           // the own font, made from the view's on first use
  TFont* GetInternalFont() const;   // the own font or the view's, making nothing
  void SetFont(TFont* F);
  bool GetParentFont() const { return FStates.Contains(nsParentFont); }
  void SetParentFont(bool Value);
  bool IsFontStored() const { return !GetParentFont(); }
  TColor GetFontColor() const { return GetInternalFont()->Color(); }
  void SetFontColor(TColor Value);
  TFontStyles GetFontStyle() const { return GetInternalFont()->Style(); }
  void SetFontStyle(TFontStyles Value);
  ZEZNodeType NodeType() const { return FNodeType; }
  void SetNodeType(ZEZNodeType Value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState NewState);
  bool GetChecked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  bool GetAllowGrayed() const { return FStates.Contains(nsAllowGrayed); }
  void SetAllowGrayed(bool Value);
  bool GetHasChildren() const { return FStates.Contains(nsHasChildren); }
  void SetHasChildren(bool Value);
  bool GetReadOnly() const { return FStates.Contains(nsReadOnly); }
  void SetReadOnly(bool Value);
  bool GetExpanded() const { return FStates.Contains(nsExpanded); }
  void SetExpanded(bool Value);
  bool GetSelected() const { return FStates.Contains(nsSelected); }
  void SetSelected(bool Value);
  void InternalSetSelected(bool Value);
  bool GetFocused() const { return FStates.Contains(nsFocused); }
  void SetFocused(bool Value);
  bool GetCut() const { return FStates.Contains(nsCut); }
  void SetCut(bool Value);
  bool GetDropTarget() const { return FStates.Contains(nsDropTarget); }
  void SetDropTarget(bool Value);
  bool GetDeleting() const { return FStates.Contains(nsDeleting); }
  TNodeState States() const { return FStates; }
  ZEZTreeNode* CheckedRadioChild() const { return FCheckedRadioChild; }

  // ---- operations ----
  void Delete();
  void DeleteChildren();
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void EnsureExpanded();
  virtual void MoveTo(ZEZTreeNode* Destination, TNodeAttachMode Mode, bool EnsureShown = false);
  virtual bool CustomSort(const TZEZTVCompare& SortProc, Integer Data);
  bool AlphaSort() { return CustomSort(nullptr, 0); }
  virtual void ReSortNode();
  void SwitchToNextState();
  void UpdateAutoCheck();
  void UpdateButton();
  void EditText();
  void EndEdit(bool Cancel);

  // ---- geometry ----
  virtual Integer GetHeight();
  virtual Integer GetTextWidth();
  Integer GetIndent() const;
  virtual Integer GetIndentInternal() const;
  virtual Integer GetCheckBoxWidth() const;
  bool GetShowCheckBox() const;
  virtual Integer GetStateImageWidth() const;
  virtual Integer GetImageWidth() const;
  Integer GetWidth();
  TRect GetButtonRect();
  static TRect GetSymbolRect(const TRect& ButtonRect);
  Integer GetPositionX() const;
  Integer GetPositionY();
  Integer GetPositionYSmart();
  virtual TPoint GetPosition();
  virtual TPoint GetPositionSmart();
  Integer GetAbsolutePointY();
  TPoint GetAbsolutePoint();
  virtual void GetNodeDispInfoByPos(TPoint Pos, ZEZNodeDispInfo& Info);
  virtual void GetNodeDispInfoEx(ZEZNodeDispInfo& Info, bool Smart);
  virtual void GetNodeDispInfo(ZEZNodeDispInfo& Info) { GetNodeDispInfoEx(Info, false); }
  virtual TRect DisplayRectPart(TNodePart From, TNodePart To, bool Smart);
  virtual TRect DisplayRect(bool TextOnly);
  bool InTreeView();
  bool InTreeViewVert();
  Integer GetVisibleIndex() const;
  virtual ZEZTreeNode* GetNextVisibleRect(bool Forward, const TRect& R);
  void MakeVisible();
  void MakeVisibleVert();
  void MakeVisibleHorz();
  bool AllowPaint() const;
  void Invalidate(TNodeParts Parts);
  void InvalidateInternal(TNodeParts Parts);
  void InvalidateChild(TNodeParts Parts);
  void InvalidateBelow(bool Including);
  void InvalidateToRight(TNodePart Part);
  void CalcMaxWidthInfo();
  void UpdateWidth();
  void NodeWidthChanged();
  ZEZTreeNode* WidestNode() const { return FWidestNode; }
  Integer WidestWidth() const { return FWidestWidth; }
  void WidestAfterInsert();
  void WidestAfterRemove();
  void WidestAfterExpand();
  void WidestAfterCollapse(ZEZTreeNode* FormerWidest);
  void RecomputeWidestLocal();
  static void RecomputeWidestUp(ZEZTreeNode* From, ZEZTreeNode* Gone);
  static void PromoteWidestUp(ZEZTreeNode* From, ZEZTreeNode* Node, Integer Width);
  virtual void DrawCheckBox(const TRect& R);
  virtual void DrawStateImage(const TRect& R);
  virtual void DrawImage(const TRect& R);

  // Subclasses append their own data to the node stream; nothing here.
  virtual void ReadCustomData(TStream* Stream) { (void)Stream; }
  virtual void WriteCustomData(TStream* Stream) { (void)Stream; }
  // Stores the text without any side effect.
  virtual void SetTextInternal(const std::string& S) { FText = S; }

protected:
  void OnFontChanged(TObject* Sender);
  TFont* CreateFont(TFont* From) const;
  // Repaints the parts unless the collection is locked or the view has no window.
  void Repaint(TNodeParts Parts) { Invalidate(Parts); }
  bool Locked() const;

private:
  void Unlink();  // out of its sibling list, its parent's ends and count fixed
  void LinkLast(ZEZTreeNode* NewParent);
  void LinkFirst(ZEZTreeNode* NewParent);
  void LinkBefore(ZEZTreeNode* Sibling);
  void SetCheckedRadioChild(ZEZTreeNode* Child);
  void PropagateStateDown(TCheckBoxState NewState);

  Integer FHeight = 0;
  Integer FTextWidth = 0;
  ZEZTreeNode* FWidestNode = nullptr;
  Integer FWidestWidth = 0;
  Integer FExpandedCount = 0;
  ZEZTreeNode* FFirstChild = nullptr;
  ZEZTreeNode* FLastChild = nullptr;
  Integer FItemCount = 0;
  Integer FCount = 0;
  TColor FColor = clWindow;
  void* FData = nullptr;
  mutable TFont* FFont = nullptr;
  Integer FImageIndex = 0;
  ZEZTreeNode* FNext = nullptr;
  ZEZTreeNode* FPrev = nullptr;
  Integer FOverlayIndex = -1;
  ZEZTreeNodes* FOwner = nullptr;
  ZEZTreeNode* FParent = nullptr;
  ZEZTreeNode* FCheckedRadioChild = nullptr;
  Integer FSelectedIndex = 0;
  Integer FStateIndex = -1;
  ZEZCustomTreeView* FTreeView = nullptr;
  TNodeState FStates{nsParentColor, nsParentFont};
  ZEZNodeType FNodeType = ntNone;
  TCheckBoxState FState = cbUnchecked;
  ZEZTreeNode* FInternalParent = nullptr;
  std::string FText;
};

// Registers TFont and ZEZTreeNode with the class registry (once), so that node streams can name classes.
void RegisterTreeNodeClasses();
