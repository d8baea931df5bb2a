// ZEZCustomTreeView: editing a node's text in place: choosing and making the editor, starting an edit, and
// ending it by commit (with validation) or cancel.
#include "treeview/Dcntree.h"
#include "treeview/Dcntreeeditor.h"

#include "platform/rtl/Exceptions.h"

TClass ZEZCustomTreeView::GetEditorClass(ZEZTreeNode* Node, Integer Column) {
  (void)Column;
  TClass Class = MultiLineNodes() ? ZEZTreeMemoEditor::StaticClass() : ZEZTreeSimpleEditor::StaticClass();
  DoGetEditorClass(Node, Class);
  return Class;
}

void ZEZCustomTreeView::DoGetEditorClass(ZEZTreeNode* Node, TClass& Class) {
  if (OnGetEditorClass) OnGetEditorClass(this, Node, Class);
}

TControl* ZEZCustomTreeView::FindEditor(TClass Class) const {
  for (TControl* E : FEditors) {
    if (E->ClassType() == Class) {
      return E;
    }
  }
  return nullptr;
}

TControl* ZEZCustomTreeView::GetEditor(ZEZTreeNode* Node, Integer Column) {
  const TClass Class = GetEditorClass(Node, Column);
  if (TControl* E = FindEditor(Class)) {
    return E;
  }
  if (!FMakingEditor || !Class) {
    return nullptr;
  }
  auto* E = dynamic_cast<TControl*>(Class->NewInstance(this));
  if (!E) {
    return nullptr;
  }
  E->Perform(DMSetCanvas, reinterpret_cast<WPARAM>(FCanvas.get()), 0);
  E->Hide();
  E->SetParent(this);
  FEditors.push_back(E);
  return E;
}

TControl* ZEZCustomTreeView::GetNodeEditor(ZEZTreeNode* Node) {
  FMakingEditor = true;
  TControl* E = nullptr;
  try {
    E = GetEditor(Node, 0);
  } catch (...) {
    FMakingEditor = false;
    throw;
  }
  FMakingEditor = false;
  return E;
}

bool ZEZCustomTreeView::CanEdit(ZEZTreeNode* Node) {
  bool Allow = !ReadOnly && !Node->GetReadOnly();
  if (OnEditing) OnEditing(this, Node, Allow);
  return Allow;
}

void ZEZCustomTreeView::DoEdit(ZEZTreeNode* Node, std::string& Text) {
  if (OnEdited) OnEdited(this, Node, Text);
}

void ZEZCustomTreeView::DoValidateEditText(ZEZTreeNode* Node, std::string& Text, ZEZValidateCode& Code) {
  if (OnValidateEditText) OnValidateEditText(this, Node, Text, Code);
}

void ZEZCustomTreeView::DoAfterEditing(ZEZTreeNode* Node, bool Cancelled) {
  if (OnAfterEditing) OnAfterEditing(this, Node, Cancelled);
}

void ZEZCustomTreeView::SetEditorRectAndText(ZEZTreeNode* Node) {
  FCanvas->Font()->Assign(Node->GetInternalFont());
  FCanvas->Brush()->SetColor(Node->Color());
  const TRect R = Node->DisplayRect(true);
  FEditor->Perform(DMSetRect, reinterpret_cast<WPARAM>(&R), 1);
  const std::string Text = GetTextForEditor(Node);
  FEditor->Perform(DMSetText, reinterpret_cast<WPARAM>(Text.c_str()), 1);
}

void ZEZCustomTreeView::ShowEditor() {
  TDMShowInfo Info{FCanvas->Font(), FCanvas->Brush()->Color(), ActiveSelectedColor(), ActiveSelectedFontColor()};
  FEditor->Perform(DMShowEditor, 1, reinterpret_cast<LPARAM>(&Info));
}

bool ZEZCustomTreeView::EditNode(ZEZTreeNode* Node) {
  KillEditTimer();
  if (Dragging()) {
    EndDrag(false);
  }
  if (!Node || !Visible() || !HandleAllocated() || FRubberBand || !CanEdit(Node)) {
    return false;
  }
  HideToolTip();
  SetSelected(Node);
  if (FEditNode && FEditNode != Node) {
    FEditNode->EndEdit(false);
  }
  MakeEditNodeVisible(Node);
  FEditor = GetNodeEditor(Node);
  if (!FEditor) {
    return false;
  }
  if (OnAssignEditorProps) OnAssignEditorProps(this, Node, FEditor);
  FEditNode = Node;
  bool WordWrapFlag = IsWordWrap();
  FEditor->Perform(DMSetOtherInfo, reinterpret_cast<WPARAM>(&WordWrapFlag), 0);
  FEditor->Perform(DMSetParent, reinterpret_cast<WPARAM>(this), 0);
  SetEditorRectAndText(Node);
  FEditing = true;
  Node->Invalidate({npText});
  ShowEditor();
  return true;
}

void ZEZCustomTreeView::CloseEditor() {
  if (HandleAllocated()) {
    FEditing = false;
    if (FInKillFocus) {
      PostMessage(Handle(), DMHideEditor, 0, 0);
    } else {
      Perform(DMHideEditor, 0, 0);
    }
    if (Visible() && !FInKillFocus && CanFocus()) {
      SetFocus();
    }
  }
  FEditing = false;
}

void ZEZCustomTreeView::EndEditNode(bool Cancel) {
  if (FEndingEdit || !FEditor || !FEditNode) {
    return;
  }
  FEndingEdit = true;
  std::string Text;
  try {
    if (!Cancel) {
      FEditor->Perform(DMSaveChanges, reinterpret_cast<WPARAM>(&Text), 0);
      const std::string Copy = Text;
      ZEZValidateCode Code = vcOk;
      DoValidateEditText(FEditNode, Text, Code);
      if (Destroying()) {
        Code = vcCancel;
      }
      if (Code == vcCancel) {
        Cancel = true;
      } else if (Code == vcContinueEditing) {
        if (Text != Copy) {
          FEditor->SetText(Text);
        }
        FEndingEdit = false;
        Abort();
      }
    }
  } catch (...) {
    FEndingEdit = false;
    throw;
  }
  ZEZTreeNode* Node = FEditNode;
  FEditNode = nullptr;
  try {
    if (Cancel) {
      FEditor->Perform(DMCancelChanges, 0, 0);
      CancelEdit();
    } else if (FEditor->Perform(DMGetModified, 0, 0) != 0) {
      DoEdit(Node, Text);
      Edit(Node, Text);
    } else {
      CancelEdit();
    }
    DoAfterEditing(Node, Cancel);
  } catch (...) {
    CloseEditor();
    FEndingEdit = false;
    Node->Invalidate({npText});
    UpdateToolTip();
    throw;
  }
  CloseEditor();
  FEndingEdit = false;
  Node->Invalidate({npText});
  UpdateToolTip();
}

bool ZEZCustomTreeView::EditorMessage(TMessage& Message) {
  switch (Message.Msg) {
    case DMSaveChanges: EndEditNode(false); return true;
    case DMCancelChanges: EndEditNode(true); return true;
    case DMKillFocus:
      InvalidateSelected();
      FInKillFocus = true;
      try {
        EndEditNode(false);
      } catch (...) {
        FInKillFocus = false;
        throw;
      }
      FInKillFocus = false;
      return true;
    case DMHideEditor:
      if (FEditor && !FEditing) {
        FEditor->Perform(DMHideEditor, 0, 0);
        FEditor = nullptr;
      }
      return true;
    default: return false;
  }
}
