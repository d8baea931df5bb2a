// The chooser of the default tool that the drag-and-drop window applies to dropped files.
#pragma once

#include "core/Prgclass.h"

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Made by the application core's ShowDragDropToolDialog with the application as owner and shown modally; its
// window is owned by the run-time state's dialog parent when one is named at construction, else by the
// application. It works on a copy of the tool settings: OK stores the copy back, Cancel changes nothing.
class TDragDropToolForm : public TForm {
  Z_CLASS(TDragDropToolForm, TForm)
public:
  explicit TDragDropToolForm(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TRadioGroup* ToolSelectRadioGroup = nullptr;
  TCheckBox* ShowDragDropToolDialogCheckBox = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* HelpBtn = nullptr;

  // Copies the tool settings and shows the stored tool (1 to 5; any other value selects nothing) and the bit.
  void FormShow(TObject* Sender);
  // Stores the chosen tool (-1 when none is chosen), the copied flag word and file names into the tool settings.
  void OKBtnClick(TObject* Sender);
  void ShowDragDropToolDialogCheckBoxClick(TObject* Sender);
  // The help page of the dialog through the engine's help display.
  void HelpBtnClick(TObject* Sender);

  // The settings being edited.
  toolsclass Copy;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  HWND FParentWindow = 0;
};

// The help page of the chooser, in the documentation folder.
inline constexpr const char DRAG_DROP_TOOL_HELP_PAGE[] = "draganddropdefaulttoolselectdialogbox.html";
// The tool number of "no tool chosen".
inline constexpr int NO_DEFAULT_DRAG_DROP_TOOL = -1;
