// The in-place editors of the tree view: a single-line one over TEdit and a multi-line one over TMemo. The view
// talks to them only through its private editor messages; they report Enter, Escape and focus loss back the same
// way, and grow with their text while the user types.
#pragma once

#include "treeview/Dcntreetypes.h"

#include "platform/controls/StdCtrls.h"

class ZEZCustomTreeSimpleEditor : public TEdit {
  Z_CLASS(ZEZCustomTreeSimpleEditor, TEdit)
public:
  explicit ZEZCustomTreeSimpleEditor(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  virtual void GetBaseRect(const std::string& Text, const TRect& R, TRect& B);
  virtual void GetEditorBounds(const TRect& R, TRect& B);
  void UpdateEditorBounds();
  TRect BaseRect() const { return FBaseRect; }

protected:
  Integer EditorHeight();
  Integer EditorWidth(const std::string& Text);
  void ParentSendMessage(unsigned Msg);
  TCanvas* FCanvas = nullptr;
  TControl* FParentControl = nullptr;
  TRect FBaseRect{0, 0, 0, 0};
};

class ZEZTreeSimpleEditor : public ZEZCustomTreeSimpleEditor {
  Z_CLASS(ZEZTreeSimpleEditor, ZEZCustomTreeSimpleEditor)
public:
  using ZEZCustomTreeSimpleEditor::ZEZCustomTreeSimpleEditor;
  void GetBaseRect(const std::string& Text, const TRect& R, TRect& B) override;
  void GetEditorBounds(const TRect& R, TRect& B) override;

protected:
  void Change() override;
};

class ZEZCustomTreeMemoEditor : public TMemo {
  Z_CLASS(ZEZCustomTreeMemoEditor, TMemo)
public:
  explicit ZEZCustomTreeMemoEditor(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  virtual void GetBaseRect(const std::string& Text, const TRect& R, TRect& B);
  virtual void GetEditorBounds(const TRect& R, TRect& B);
  void UpdateEditorBounds();

protected:
  void ParentSendMessage(unsigned Msg);
  TCanvas* FCanvas = nullptr;
  TControl* FParentControl = nullptr;
  TRect FBaseRect{0, 0, 0, 0};
  bool FWordWrapFlag = false;
};

class ZEZTreeMemoEditor : public ZEZCustomTreeMemoEditor {
  Z_CLASS(ZEZTreeMemoEditor, ZEZCustomTreeMemoEditor)
public:
  using ZEZCustomTreeMemoEditor::ZEZCustomTreeMemoEditor;
  void GetBaseRect(const std::string& Text, const TRect& R, TRect& B) override;
  void GetEditorBounds(const TRect& R, TRect& B) override;

protected:
  void Change() override;
};

// What DMShowEditor carries in LParam.
struct TDMShowInfo {
  TFont* Font = nullptr;
  TColor Color = clWindow;
  TColor SelectedColor = clHighlight;
  TColor SelectedFontColor = clHighlightText;
};
