// The default drag-and-drop tool chooser.
#include "mainwindow/Defaultdragdroptoolform.h"

#include "core/Mainwindowservices.h"
#include "core/Settings.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TDragDropToolForm, TForm, TDragDropToolForm::Publish)

void TDragDropToolForm::Publish(TMetaClass& Meta) {
  TPublisher<TDragDropToolForm> P(Meta);
  using F = TDragDropToolForm;
  P.Field("ToolSelectRadioGroup", &F::ToolSelectRadioGroup);
  P.Field("ShowDragDropToolDialogCheckBox", &F::ShowDragDropToolDialogCheckBox);
  P.Field("OKBtn", &F::OKBtn);
  P.Field("CancelBtn", &F::CancelBtn);
  P.Field("HelpBtn", &F::HelpBtn);
}

namespace {

constexpr int FirstTool = 1;
constexpr int LastTool = 5;

void RegisterLayoutClasses() {
  RegisterClasses({TRadioGroup::StaticClass(), TCheckBox::StaticClass(), TButton::StaticClass()});
}

HWND DialogParent() { return prg && prg->volatileState ? prg->volatileState->dialogParent : 0; }

}  // namespace

TDragDropToolForm::TDragDropToolForm(TComponent* AOwner)
    : TForm((RegisterLayoutClasses(), AOwner)), FParentWindow(DialogParent()) {}

void TDragDropToolForm::AfterConstruction() {
  TForm::AfterConstruction();
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OKBtn->OnClick = [this](TObject* Sender) { OKBtnClick(Sender); };
  ShowDragDropToolDialogCheckBox->OnClick = [this](TObject* Sender) { ShowDragDropToolDialogCheckBoxClick(Sender); };
  HelpBtn->OnClick = [this](TObject* Sender) { HelpBtnClick(Sender); };
}

void TDragDropToolForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (FParentWindow != 0 && IsWindow(FParentWindow)) {
    Params.WndParent = FParentWindow;
  }
}

void TDragDropToolForm::FormShow(TObject*) {
  if (prg && prg->tools) {
    Copy.lastToolFile = prg->tools->lastToolFile;
    Copy.lastValidatedToolFile = prg->tools->lastValidatedToolFile;
    Copy.defaultDragDropTool = prg->tools->defaultDragDropTool;
    Copy.flags = prg->tools->flags;
  }
  const int Tool = Copy.defaultDragDropTool;
  ToolSelectRadioGroup->SetItemIndex(Tool >= FirstTool && Tool <= LastTool ? Tool - FirstTool : -1);
  ShowDragDropToolDialogCheckBox->SetChecked(Copy.flags.has(TF40::ShowToolDialog));
}

void TDragDropToolForm::OKBtnClick(TObject*) {
  const int Item = ToolSelectRadioGroup->ItemIndex();
  Copy.defaultDragDropTool = Item >= 0 && Item <= LastTool - FirstTool ? Item + FirstTool : NO_DEFAULT_DRAG_DROP_TOOL;
  if (prg && prg->tools) {
    prg->tools->defaultDragDropTool = Copy.defaultDragDropTool;
    prg->tools->flags = Copy.flags;
    prg->tools->lastToolFile = Copy.lastToolFile;
    prg->tools->lastValidatedToolFile = Copy.lastValidatedToolFile;
  }
}

void TDragDropToolForm::ShowDragDropToolDialogCheckBoxClick(TObject*) {
  Copy.flags.set(TF40::ShowToolDialog, ShowDragDropToolDialogCheckBox->Checked());
}

void TDragDropToolForm::HelpBtnClick(TObject*) {
  const char* Folder = prg && prg->volatileState ? prg->volatileState->documentationFolder.text : "";
  DisplayHelpTopic(MainWindow().GetApplicationWindow(), DRAG_DROP_TOOL_HELP_PAGE, Folder);
}
