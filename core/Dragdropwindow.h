// The drag-and-drop window: a tiny borderless window on top of all others that runs the default tool, the
// validator or both on files dropped on it, with a popup menu for its two options and the related dialogs.
#pragma once

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/win/Desktop.h"

#include <string>

class TTBItem;
class TTBPopupMenu;

// The window's size.
inline constexpr int DRAGDROP_WINDOW_WIDTH = 88;
inline constexpr int DRAGDROP_WINDOW_HEIGHT = 31;
// The pause between two validated files when the engine does not say to go on at once.
inline constexpr unsigned DRAGDROP_PAUSE_MS = 1500;
// The main window's editor image that marks the revalidate item.
inline constexpr int DRAGDROP_REVALIDATE_IMAGE = 20;

// Made by the start-up with the application as owner, it lives until shutdown; while it exists it is the engine
// dialogs' drag-and-drop owner. Laid out by its form resource.
class TDragDropForm : public TForm {
  Z_CLASS(TDragDropForm, TForm)
public:
  explicit TDragDropForm(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);

  TImage* QuillonIconImage = nullptr;
  TTBPopupMenu* DragDropPopupMenu = nullptr;
  TTBItem* RevalidateLastDocumentPopup = nullptr;
  TTBItem* HideDragDropWindowPopup = nullptr;
  TTBItem* DragDropUseToolPopup = nullptr;
  TTBItem* DragDropUseValidatorPopup = nullptr;
  TTBItem* DragDropOptionsPopup = nullptr;
  TTBItem* DragDropValidatorEngineOptions = nullptr;
  TTBItem* DragDropHTMLConfigurationEditor = nullptr;
  TTBItem* DragDropBatchWizard = nullptr;

  // Size, dropped files accepted, the picture and the revalidate item's image.
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  // With the left button held the window is moved as by its caption.
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void QuillonIconImageMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void QuillonIconImageDblClick(TObject* Sender);
  // The two options' checks, and the revalidate item enabled only when there is a file to revalidate.
  void DragPopupMenuPopup(TObject* Sender);
  void UpdateMenuChecks();
  void RevalidateLastDocumentPopupClick(TObject* Sender);
  void HideDragDropWindowPopupClick(TObject* Sender);
  void DragDropUseToolPopupClick(TObject* Sender);
  void DragDropUseValidatorPopupClick(TObject* Sender);
  void DragDropOptionsPopupClick(TObject* Sender);
  void DragDropValidatorEngineOptionsClick(TObject* Sender);
  void DragDropHTMLConfigurationEditorClick(TObject* Sender);
  void DragDropBatchWizardClick(TObject* Sender);
  // Runs the tool and the validator on each dropped file, as the two options say; always finishes the drop.
  void HandleDroppedFiles(HDROP Drop);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

private:
  void DrawPicture();
  // Runs the tool (Tool true) or the validator on file Index of Count; false when the rest is to be left alone.
  bool RunStep(bool Tool, const std::string& Path, int Index, int Count);
};
