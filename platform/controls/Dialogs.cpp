// Message dialogs and the common dialogs over the dialog service.
#include "platform/controls/Dialogs.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"

#include <algorithm>


Z_IMPLEMENT_CLASS(TCommonDialog, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TOpenDialog, TCommonDialog, TOpenDialog::Publish)
Z_IMPLEMENT_CLASS(TSaveDialog, TOpenDialog)
Z_IMPLEMENT_CLASS(TFontDialog, TCommonDialog)
Z_IMPLEMENT_CLASS(TColorDialog, TCommonDialog)
Z_IMPLEMENT_CLASS(TPrintDialog, TCommonDialog)
Z_IMPLEMENT_CLASS(TPrinterSetupDialog, TCommonDialog)

namespace {

// Disables the thread's visible top-level windows while a modal dialog is up, as a modal form does.
class TDisabledWindows {
public:
  TDisabledWindows() {
    std::vector<HWND> Windows;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND W, LPARAM L) {
      if (IsWindowVisible(W) && IsWindowEnabled(W)) {
        reinterpret_cast<std::vector<HWND>*>(L)->push_back(W);
      }
      return TRUE;
    }, reinterpret_cast<LPARAM>(&Windows));
    for (HWND W : Windows) {
      EnableWindow(W, FALSE);
    }
    FWindows = std::move(Windows);
  }
  ~TDisabledWindows() {
    for (HWND W : FWindows) {
      if (IsWindow(W)) {
        EnableWindow(W, TRUE);
      }
    }
  }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
  std::vector<HWND> FWindows;
};

HWND DialogOwner() {
  if (TCustomForm* F = Screen->ActiveForm(); F && F->HandleAllocated()) {
    return F->Handle();
  }
  if (TCustomForm* M = Application->MainForm(); M && M->HandleAllocated()) {
    return M->Handle();
  }
  return 0;
}

template <class E, E Max> std::string SetNames(const TSet<E, Max>& Set, std::initializer_list<const char*> Names) {
  std::string Out;
  int I = 0;
  for (const char* N : Names) {
    if (Set.Contains(static_cast<E>(I))) {
      if (!Out.empty()) {
        Out += ',';
      }
      Out += N;
    }
    ++I;
  }
  return Out;
}

std::string ParamOr(const TDialogAnswer& A, const char* Name, const std::string& Default) {
  auto It = A.Params.find(Name);
  return It == A.Params.end() ? Default : It->second;
}

int IntParamOr(const TDialogAnswer& A, const char* Name, int Default) {
  auto It = A.Params.find(Name);
  return It == A.Params.end() ? Default : StrToIntDef(It->second, Default);
}

bool Confirmed(const TDialogAnswer& A) { return A.Result == IDOK; }

// A question the platform's dialog asks over itself (file exists, not found...); the answer's ID_ result.
int Ask(const std::string& Caption, const std::string& Text, UINT Flags) {
  return MessageBox(DialogOwner(), Text.c_str(), Caption.c_str(), Flags);
}

}  // namespace

// ---- Message dialogs --------------------------------------------------------------------------------------------

std::string MsgDlgButtonCaption(TMsgDlgBtn Button) {
  static const char* const Captions[] = {"&Yes", "&No", "OK", "Cancel", "&Abort", "&Retry", "&Ignore", "&All",
                                         "N&o to All", "Yes to &All", "&Help"};
  return Captions[Button];
}

int MsgDlgButtonResult(TMsgDlgBtn Button) {
  static const int Results[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll,
                                mrYesToAll, 0};
  return Results[Button];
}

int MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y) {
  static const char* const Captions[] = {"Warning", "Error", "Information", "Confirm"};
  static const char* const TypeNames[] = {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"};
  static const UINT Icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION, 0};
  TDialogRequest R;
  R.Kind = "MessageDlg";
  R.Owner = DialogOwner();
  R.Caption = DlgType == mtCustom ? Application->Title : Captions[DlgType];
  R.Text = Msg;
  R.Flags = Icons[DlgType];
  std::string ButtonCaptions;
  for (int B = mbYes; B <= mbHelp; ++B) {
    const auto Btn = static_cast<TMsgDlgBtn>(B);
    if (!Buttons.Contains(Btn)) {
      continue;
    }
    if (!ButtonCaptions.empty()) {
      ButtonCaptions += '|';
    }
    ButtonCaptions += MsgDlgButtonCaption(Btn);
    if (Btn != mbHelp) {
      R.Buttons.push_back(MsgDlgButtonResult(Btn));
    }
  }
  R.DefaultButton = Buttons.Contains(mbOK) ? mrOk : Buttons.Contains(mbYes) ? mrYes : mrRetry;
  if (std::find(R.Buttons.begin(), R.Buttons.end(), R.DefaultButton) == R.Buttons.end()) {
    R.DefaultButton = R.Buttons.empty() ? mrCancel : R.Buttons.front();
  }
  R.Params["Type"] = TypeNames[DlgType];
  R.Params["Captions"] = ButtonCaptions;
  R.Params["HelpContext"] = std::to_string(HelpCtx);
  R.Params["Cancel"] = std::to_string(Buttons.Contains(mbCancel) ? mrCancel : Buttons.Contains(mbNo) ? mrNo : mrOk);
  if (X >= 0 && Y >= 0) {
    R.Params["X"] = std::to_string(X);
    R.Params["Y"] = std::to_string(Y);
  }
  TDialogAnswer A;
  {
    TDisabledWindows Disabled;
    A = DialogService().Run(R);
  }
  if (std::find(R.Buttons.begin(), R.Buttons.end(), A.Result) == R.Buttons.end()) {
    return mrCancel;  // closed without a button
  }
  return A.Result;
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx) {
  return MessageDlgPos(Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

void ShowMessagePos(const std::string& Msg, int X, int Y) {
  MessageDlgPos(Msg, mtCustom, TMsgDlgButtons{mbOK}, 0, X, Y);
}

void ShowMessage(const std::string& Msg) { ShowMessagePos(Msg, -1, -1); }

// ---- TCommonDialog ----------------------------------------------------------------------------------------------

TDialogAnswer TCommonDialog::Run(TDialogRequest& Request) {
  Request.Owner = DialogOwner();
  if (OnShow) {
    OnShow(this);
  }
  TDialogAnswer A;
  try {
    TDisabledWindows Disabled;
    A = DialogService().Run(Request);
  } catch (...) {
    if (OnClose) {
      OnClose(this);
    }
    throw;
  }
  if (OnClose) {
    OnClose(this);
  }
  return A;
}

// ---- TOpenDialog ------------------------------------------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

namespace {
const std::initializer_list<const char*> OpenOptionNames = {
    "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
    "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
    "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
    "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
    "ofForceShowHidden"};
}  // namespace

// Checks the chosen files as the platform's dialog does before it closes; false sends the user back.
bool TOpenDialog::Accept(std::vector<std::string>& Chosen) {
  const std::string Caption = Title.empty() ? (IsSave() ? "Save As" : "Open") : Title;
  for (auto& F : Chosen) {
    if (!DefaultExt.empty() && ExtractFileExt(ExtractFileName(F)).empty()) {
      F += "." + DefaultExt;
    }
  }
  for (const auto& F : Chosen) {
    const std::string Dir = ExtractFilePath(F);
    if (Options.Contains(ofPathMustExist) || Options.Contains(ofFileMustExist)) {
      if (!Dir.empty() && !DirectoryExists(Dir)) {
        Ask(Caption, F + "\nPath does not exist.\nCheck the path and try again.", MB_OK | MB_ICONWARNING);
        return false;
      }
    }
    const bool Exists = FileExists(F);
    if (!Exists && Options.Contains(ofFileMustExist)) {
      Ask(Caption, F + "\nFile not found.\nPlease verify the correct file name was given.", MB_OK | MB_ICONWARNING);
      return false;
    }
    if (!Exists && Options.Contains(ofCreatePrompt) &&
        Ask(Caption, F + "\nThis file does not exist.\nDo you want to create it?", MB_YESNO | MB_ICONQUESTION) !=
            IDYES) {
      return false;
    }
    if (Exists && IsSave() && Options.Contains(ofOverwritePrompt) &&
        Ask(Caption, F + " already exists.\nDo you want to replace it?", MB_YESNO | MB_ICONWARNING) != IDYES) {
      return false;
    }
  }
  return true;
}

bool TOpenDialog::Execute() {
  TDialogRequest R;
  R.Kind = IsSave() ? "SaveDialog" : "OpenDialog";
  R.Caption = Title;
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDCANCEL;
  std::string Current = FileName;
  int Index = FilterIndex;
  while (true) {
    R.Params["Filter"] = Filter;
    R.Params["FilterIndex"] = std::to_string(Index);
    R.Params["InitialDir"] = InitialDir;
    R.Params["FileName"] = Current;
    R.Params["DefaultExt"] = DefaultExt;
    R.Params["Options"] = SetNames(Options, OpenOptionNames);
    TDialogAnswer A = Run(R);
    if (!Confirmed(A)) {
      return false;
    }
    std::vector<std::string> Chosen = A.Values;
    if (Chosen.empty() && !A.Value.empty()) {
      Chosen.push_back(A.Value);
    }
    if (Chosen.empty()) {
      continue;  // OK with no name: the platform's dialog stays open
    }
    if (!Options.Contains(ofAllowMultiSelect)) {
      Chosen.resize(1);
    }
    const int NewIndex = IntParamOr(A, "FilterIndex", Index);
    if (NewIndex != Index) {
      Index = NewIndex;
      FilterIndex = Index;
      if (OnTypeChange) {
        OnTypeChange(this);
      }
    }
    Current = Chosen.front();
    if (A.Params.count("Validated") == 0 && !Options.Contains(ofNoValidate) && !Accept(Chosen)) {
      continue;
    }
    const std::string OldName = FileName;
    FileName = Chosen.front();
    bool CanClose = true;
    if (OnCanClose) {
      OnCanClose(this, CanClose);
    }
    if (!CanClose) {
      FileName = OldName;
      continue;
    }
    FFiles->Clear();
    for (const auto& F : Chosen) {
      FFiles->Add(F);
    }
    FilterIndex = Index;
    return true;
  }
}

void TOpenDialog::Publish(TMetaClass& Meta) {
  TPublisher<TOpenDialog> P(Meta);
  P.Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::DefaultExt);
  P.Property("FileName", &TOpenDialog::FileName, &TOpenDialog::FileName);
  P.Property("Filter", &TOpenDialog::Filter, &TOpenDialog::Filter);
  P.Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::FilterIndex).Default(1);
  P.Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::InitialDir);
  P.Property("Options", &TOpenDialog::Options, &TOpenDialog::Options)
      .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing});
  P.Property("Title", &TOpenDialog::Title, &TOpenDialog::Title);
  P.Property("OnCanClose", &TOpenDialog::OnCanClose, &TOpenDialog::OnCanClose);
  P.Property("OnClose", &TOpenDialog::OnClose, &TOpenDialog::OnClose);
  P.Property("OnShow", &TOpenDialog::OnShow, &TOpenDialog::OnShow);
  P.Property("OnTypeChange", &TOpenDialog::OnTypeChange, &TOpenDialog::OnTypeChange);
}

// ---- TFontDialog ------------------------------------------------------------------------------------------------

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}
TFontDialog::~TFontDialog() = default;

void TFontDialog::SetFont(TFont* Value) { FFont->Assign(Value); }

bool TFontDialog::Execute() {
  static const std::initializer_list<const char*> StyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
  TDialogRequest R;
  R.Kind = "FontDialog";
  R.Caption = "Font";
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDCANCEL;
  R.Params["Name"] = FFont->Name();
  R.Params["Size"] = std::to_string(FFont->Size());
  R.Params["Style"] = SetNames(FFont->Style(), StyleNames);
  R.Params["Color"] = std::to_string(static_cast<long long>(FFont->Color()));
  R.Params["Options"] = SetNames(Options, {"fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly",
                                           "fdForceFontExist", "fdNoFaceSelChange", "fdNoOEMFonts",
                                           "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel", "fdNoVectorFonts",
                                           "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly",
                                           "fdApplyButton"});
  R.Params["MinFontSize"] = std::to_string(MinFontSize);
  R.Params["MaxFontSize"] = std::to_string(MaxFontSize);
  TDialogAnswer A = Run(R);
  if (!Confirmed(A)) {
    return false;
  }
  FFont->SetName(ParamOr(A, "Name", FFont->Name()));
  int Size = IntParamOr(A, "Size", FFont->Size());
  if (Options.Contains(fdLimitSize) && MaxFontSize > 0) {
    Size = std::clamp(Size, MinFontSize, MaxFontSize);
  }
  FFont->SetSize(Size);
  if (A.Params.count("Style")) {
    TFontStyles Style;
    const std::string S = A.Params.at("Style");
    int I = 0;
    for (const char* N : StyleNames) {
      if (("," + S + ",").find(std::string(",") + N + ",") != std::string::npos) {
        Style.Include(static_cast<TFontStyle>(I));
      }
      ++I;
    }
    FFont->SetStyle(Style);
  }
  if (Options.Contains(fdEffects) && A.Params.count("Color")) {
    FFont->SetColor(static_cast<TColor>(StrToIntDef(A.Params.at("Color"), static_cast<int>(FFont->Color()))));
  }
  return true;
}

// ---- TColorDialog -----------------------------------------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

bool TColorDialog::Execute() {
  TDialogRequest R;
  R.Kind = "ColorDialog";
  R.Caption = "Color";
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDCANCEL;
  R.Params["Color"] = std::to_string(Color);
  R.Params["Options"] = SetNames(Options, {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor",
                                           "cdAnyColor"});
  R.Params["CustomColors"] = FCustomColors->CommaText();
  TDialogAnswer A = Run(R);
  if (!Confirmed(A)) {
    return false;
  }
  Color = IntParamOr(A, "Color", Color);
  if (A.Params.count("CustomColors")) {
    FCustomColors->SetCommaText(A.Params.at("CustomColors"));
  }
  return true;
}

// ---- Printing ---------------------------------------------------------------------------------------------------

bool TPrintDialog::Execute() {
  static const char* const Ranges[] = {"prAllPages", "prSelection", "prPageNums"};
  TDialogRequest R;
  R.Kind = "PrintDialog";
  R.Caption = "Print";
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDCANCEL;
  int From = FromPage;
  int To = ToPage;
  while (true) {
    R.Params["Copies"] = std::to_string(Copies);
    R.Params["Collate"] = Collate ? "1" : "0";
    R.Params["FromPage"] = std::to_string(From);
    R.Params["ToPage"] = std::to_string(To);
    R.Params["MinPage"] = std::to_string(MinPage);
    R.Params["MaxPage"] = std::to_string(MaxPage);
    R.Params["PrintRange"] = Ranges[PrintRange];
    R.Params["PrintToFile"] = PrintToFile ? "1" : "0";
    R.Params["Options"] = SetNames(Options, {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp",
                                             "poDisablePrintToFile"});
    TDialogAnswer A = Run(R);
    if (!Confirmed(A)) {
      return false;
    }
    TPrintRange Range = PrintRange;
    const std::string RangeName = ParamOr(A, "PrintRange", Ranges[PrintRange]);
    for (int I = 0; I < 3; ++I) {
      if (RangeName == Ranges[I]) {
        Range = static_cast<TPrintRange>(I);
      }
    }
    From = IntParamOr(A, "FromPage", From);
    To = IntParamOr(A, "ToPage", To);
    if (Range == prPageNums && (From > To || (MaxPage > 0 && (From < MinPage || To > MaxPage)))) {
      Ask("Print", "This value is not in the range " + std::to_string(MinPage) + " to " + std::to_string(MaxPage) +
                       ".", MB_OK | MB_ICONWARNING);
      continue;
    }
    PrintRange = Range;
    FromPage = From;
    ToPage = To;
    Copies = IntParamOr(A, "Copies", Copies);
    Collate = IntParamOr(A, "Collate", Collate ? 1 : 0) != 0;
    PrintToFile = IntParamOr(A, "PrintToFile", PrintToFile ? 1 : 0) != 0;
    return true;
  }
}

bool TPrinterSetupDialog::Execute() {
  TDialogRequest R;
  R.Kind = "PrinterSetupDialog";
  R.Caption = "Print Setup";
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDCANCEL;
  return Confirmed(Run(R));
}

// ---- The folder chooser -----------------------------------------------------------------------------------------

bool SelectDirectory(const std::string& Caption, const std::string& Root, std::string& Directory) {
  TDialogRequest R;
  R.Kind = "FolderDialog";
  R.Owner = DialogOwner();
  R.Caption = Caption;
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDCANCEL;
  R.Params["Root"] = Root;
  R.Params["Directory"] = Directory;
  while (true) {
    TDialogAnswer A;
    {
      TDisabledWindows Disabled;
      A = DialogService().Run(R);
    }
    if (!Confirmed(A)) {
      return false;
    }
    if (!A.Value.empty() && DirectoryExists(A.Value)) {
      Directory = A.Value;
      return true;
    }
    Ask(Caption, (A.Value.empty() ? std::string("The folder") : A.Value) + "\nThis folder does not exist.",
        MB_OK | MB_ICONWARNING);
  }
}
