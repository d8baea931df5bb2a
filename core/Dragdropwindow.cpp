// The drag-and-drop window.
#include "core/Dragdropwindow.h"

#include "core/Enginedialogs.h"
#include "core/Enginejobs.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Windowcontrol.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Clock.h"
#include "platform/win/Desktop.h"
#include "platform/win/MessageBox.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2itemcontainer.h"
#include "toolbars/Tb2popup.h"

#include <vector>

Z_IMPLEMENT_CLASS_PUBLISHED(TDragDropForm, TForm, TDragDropForm::Publish)

void TDragDropForm::Publish(TMetaClass& Meta) {
  TPublisher<TDragDropForm> P(Meta);
  using F = TDragDropForm;
  P.Field("QuillonIconImage", &F::QuillonIconImage);
  P.Field("DragDropPopupMenu", &F::DragDropPopupMenu);
  P.Field("RevalidateLastDocumentPopup", &F::RevalidateLastDocumentPopup);
  P.Field("HideDragDropWindowPopup", &F::HideDragDropWindowPopup);
  P.Field("DragDropUseToolPopup", &F::DragDropUseToolPopup);
  P.Field("DragDropUseValidatorPopup", &F::DragDropUseValidatorPopup);
  P.Field("DragDropOptionsPopup", &F::DragDropOptionsPopup);
  P.Field("DragDropValidatorEngineOptions", &F::DragDropValidatorEngineOptions);
  P.Field("DragDropHTMLConfigurationEditor", &F::DragDropHTMLConfigurationEditor);
  P.Field("DragDropBatchWizard", &F::DragDropBatchWizard);
  P.Method("FormCreate", &F::FormCreate);
  P.Method("FormDestroy", &F::FormDestroy);
  P.Method("FormMouseMove", &F::FormMouseMove);
  P.Method("FormMouseDown", &F::FormMouseDown);
  P.Method("FormMouseUp", &F::FormMouseUp);
  P.Method("QuillonIconImageMouseUp", &F::QuillonIconImageMouseUp);
  P.Method("QuillonIconImageDblClick", &F::QuillonIconImageDblClick);
  P.Method("DragPopupMenuPopup", &F::DragPopupMenuPopup);
  P.Method("RevalidateLastDocumentPopupClick", &F::RevalidateLastDocumentPopupClick);
  P.Method("HideDragDropWindowPopupClick", &F::HideDragDropWindowPopupClick);
  P.Method("DragDropUseToolPopupClick", &F::DragDropUseToolPopupClick);
  P.Method("DragDropUseValidatorPopupClick", &F::DragDropUseValidatorPopupClick);
  P.Method("DragDropOptionsPopupClick", &F::DragDropOptionsPopupClick);
  P.Method("DragDropValidatorEngineOptionsClick", &F::DragDropValidatorEngineOptionsClick);
  P.Method("DragDropHTMLConfigurationEditorClick", &F::DragDropHTMLConfigurationEditorClick);
  P.Method("DragDropBatchWizardClick", &F::DragDropBatchWizardClick);
}

namespace {

constexpr int ModalCancelled = 2;
// The engine's configuration flag word and bit that say to go on with the next dropped file at once.
constexpr int DropOptionsWord = 1003;
constexpr int DropNoPauseBit = 1;
// The engine's options window from the drag-and-drop window: its value and owner flags.
constexpr int EngineOptionsValue = 4;
constexpr int EngineEditorValue = 4;

const char ToolErrorCaption[] = "Quillon: Error Using Tool On Dropped File";
const char ValidatorErrorCaption[] = "Quillon: Error Using Validator On Dropped File";

void RegisterLayoutClasses() {
  TBRegisterItemClasses();
  RegisterClasses({TImage::StaticClass(), TTBPopupMenu::StaticClass()});
}

// The part of a path after its last folder separator.
std::string NameOf(const std::string& Path) {
  const std::size_t Slash = Path.find_last_of("/\\:");
  return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

prgconfigclass* Options() { return prg != nullptr ? prg->editorOptions : nullptr; }

bool OptionOn(TFlagBit<EditorOptionFlagsTag> Bit) { return Options() != nullptr && Options()->flags.has(Bit); }

// The path of dropped file Index, whatever its length.
std::string DroppedFile(HDROP Drop, UINT Index) {
  const UINT Length = DragQueryFile(Drop, Index, nullptr, 0);
  std::vector<char> Buffer(static_cast<std::size_t>(Length) + 1, '\0');
  const UINT Copied = DragQueryFile(Drop, Index, Buffer.data(), static_cast<UINT>(Buffer.size()));
  return std::string(Buffer.data(), Copied);
}

}  // namespace

TDragDropForm::TDragDropForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TDragDropForm::AfterConstruction() {
  TForm::AfterConstruction();
  SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, this);
}

void TDragDropForm::BeforeDestruction() {
  if (GetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow) == this) {
    SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, nullptr);
  }
  TForm::BeforeDestruction();
}

void TDragDropForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle &= ~WS_EX_APPWINDOW;
  Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = GetDesktopWindow();
}

void TDragDropForm::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DROPFILES) {
    HandleDroppedFiles(reinterpret_cast<HDROP>(Message.WParam));
    Message.Result = 0;
    return;
  }
  TForm::Dispatch(Message);
}

void TDragDropForm::FormCreate(TObject*) {
  SetBounds(Left(), Top(), DRAGDROP_WINDOW_WIDTH, DRAGDROP_WINDOW_HEIGHT);
  DragAcceptFiles(Handle(), TRUE);
  DrawPicture();
  if (auto* Images = dynamic_cast<TCustomImageList*>(MainFormComponent("EditorImageList"))) {
    DragDropPopupMenu->SetImages(Images);
    RevalidateLastDocumentPopup->SetImageIndex(DRAGDROP_REVALIDATE_IMAGE);
  }
}

void TDragDropForm::FormDestroy(TObject*) {}

void TDragDropForm::DrawPicture() {
  // The program's own picture: a quill over a page on the program's navy.
  TCanvas* C = QuillonIconImage->Canvas();
  const int W = DRAGDROP_WINDOW_WIDTH;
  const int H = DRAGDROP_WINDOW_HEIGHT;
  QuillonIconImage->Picture()->Bitmap()->SetSize(W, H);
  C->Brush()->SetColor(0x800000);
  C->FillRect(Rect(0, 0, W, H));
  C->Brush()->SetColor(0xFFFFFF);
  C->FillRect(Rect(6, 5, 22, 26));
  C->Pen()->SetColor(0x800000);
  for (int Y = 9; Y < 24; Y += 4) {
    C->MoveTo(9, Y);
    C->LineTo(19, Y);
  }
  C->Pen()->SetColor(0x00D7FF);
  C->Pen()->SetWidth(2);
  C->MoveTo(14, 24);
  C->LineTo(27, 4);
  C->Brush()->SetStyle(bsClear);
  C->Font()->SetColor(0xFFFFFF);
  C->Font()->SetName("Arial");
  C->Font()->SetSize(9);
  C->Font()->SetStyle(TFontStyles{fsBold});
  C->TextOut(31, 8, "Quillon");
}

void TDragDropForm::FormMouseMove(TObject*, TShiftState Shift, int, int) {
  if (Shift.Contains(ssLeft)) {
    ReleaseCapture();
    SendMessage(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
}

void TDragDropForm::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) {}

void TDragDropForm::FormMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}

void TDragDropForm::QuillonIconImageMouseUp(TObject*, TMouseButton, TShiftState, int, int) {}

void TDragDropForm::QuillonIconImageDblClick(TObject*) {
  (void)RevalidateLastDocument();  // always 0; the validation reports its own failures
}

void TDragDropForm::DragPopupMenuPopup(TObject*) {
  UpdateMenuChecks();
  RevalidateLastDocumentPopup->SetEnabled(prg != nullptr && prg->tools != nullptr &&
                                          prg->tools->lastValidatedToolFile.length > 0);
}

void TDragDropForm::UpdateMenuChecks() {
  DragDropUseToolPopup->SetChecked(OptionOn(EOF40::ToolOnDropped));
  DragDropUseValidatorPopup->SetChecked(OptionOn(EOF40::ValidateDropped));
}

void TDragDropForm::RevalidateLastDocumentPopupClick(TObject*) {
  (void)RevalidateLastDocument();  // always 0
}

void TDragDropForm::HideDragDropWindowPopupClick(TObject* Sender) { MainWindow().HideDragDropWindowClick(Sender); }

void TDragDropForm::DragDropUseToolPopupClick(TObject* Sender) { MainWindow().DragDropUseToolClick(Sender); }

void TDragDropForm::DragDropUseValidatorPopupClick(TObject* Sender) { MainWindow().DragDropUseValidatorClick(Sender); }

void TDragDropForm::DragDropOptionsPopupClick(TObject*) {
  (void)ShowDragDropToolDialog(DIALOG_OWNER_DRAG_DROP_WINDOW);  // the chooser keeps what the user chose
}

void TDragDropForm::DragDropValidatorEngineOptionsClick(TObject*) {
  (void)OpenValidatorOptions(EngineOptionsValue, DIALOG_OWNER_NONE);  // nothing here depends on the options
}

void TDragDropForm::DragDropHTMLConfigurationEditorClick(TObject*) {
  (void)OpenConfigurationEditor(EngineEditorValue, DIALOG_OWNER_DRAG_DROP_WINDOW);  // reported by the call
}

void TDragDropForm::DragDropBatchWizardClick(TObject* Sender) { MainWindow().ToolsBatchWizardClick(Sender); }

bool TDragDropForm::RunStep(bool Tool, const std::string& Path, int Index, int Count) {
  const int Result = Tool ? RunTool(prg->tools->defaultDragDropTool, TOOL_NAMED_FILE)
                          : ValidateDocument(nullptr, 0, VALIDATE_NAMED_FILE);
  if (Result == 0) {
    return true;
  }
  std::string Text = Tool ? "An error occurred attempting to use the tool on the document \""
                          : "An error occurred attempting to validate the document \"";
  Text += Path + "\"";
  const char* Caption = Tool ? ToolErrorCaption : ValidatorErrorCaption;
  if (Index + 1 == Count) {
    (void)MessageBox(Handle(), (Text + ".").c_str(), Caption, MB_OK | MB_ICONERROR);
    return false;
  }
  Text += ". Do you want to continue processing the rest of the dropped files?";
  return MessageBox(Handle(), Text.c_str(), Caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TDragDropForm::HandleDroppedFiles(HDROP Drop) {
  WindowControl Busy(WINCTRL_CONTROL_CURSOR, this, nullptr);
  Busy.setCursor(WindowControlHourGlass);
  SetForegroundWindow(Handle());
  const int Count = static_cast<int>(DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 0));
  const bool UseTool = OptionOn(EOF40::ToolOnDropped);
  const bool UseValidator = OptionOn(EOF40::ValidateDropped);
  if (!UseTool && !UseValidator) {
    (void)MessageBox(Handle(),
                     "You must first choose whether you want to use the dragged and dropped file(s) with the "
                     "validator, the default tool, or both. You can choose this from the Drag and Drop Menu.",
                     "Quillon: Drag And Drop Action Not Specified", MB_OK | MB_ICONINFORMATION);
    DragFinish(Drop);
    return;
  }
  if (UseTool && prg->tools->flags.has(TF40::ShowToolDialog) &&
      ShowDragDropToolDialog(DIALOG_OWNER_DRAG_DROP_WINDOW) == ModalCancelled) {
    DragFinish(Drop);
    return;
  }
  {
    WindowControl MainBusy(WINCTRL_SCREEN_CURSOR | WINCTRL_CONTROL_TEXT | WINCTRL_CONTROL_CURSOR,
                           MainWindow().MainForm(), nullptr);
    MainBusy.setCursor(WindowControlHourGlass);
    const bool Pause = UseValidator && GetFlag(prg->volatileState->configHandle, DropOptionsWord, DropNoPauseBit) == 0;
    for (int I = 0; I < Count; ++I) {
      // The whole name: a cut one would make the tool rewrite, or the validator check, another file.
      const std::string Path = DroppedFile(Drop, static_cast<UINT>(I));
      const std::string Progress = "[" + std::to_string(I + 1) + "<>" + std::to_string(Count) + "] " + NameOf(Path);
      MainWindow().SetDropProgressText(Progress.c_str());
      prg->volatileState->lastValidatedFile.assign(Path.c_str());
      if (UseTool && !RunStep(true, Path, I, Count)) {
        break;
      }
      if (UseValidator && !RunStep(false, Path, I, Count)) {
        break;
      }
      if (Pause && I + 1 < Count) {
        Clock().Sleep(DRAGDROP_PAUSE_MS);
      }
    }
  }
  DragFinish(Drop);
  MainWindow().CheckFileChangedOnDisk(0);
}
