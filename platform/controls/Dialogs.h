// The class library's dialogs: MessageDlg and ShowMessage, and the common dialogs (open, save, font, colour,
// print, printer setup, folder), all shown through the dialog service so that tests answer them by script.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/classes/Component.h"
#include "platform/classes/StringList.h"
#include "platform/rtl/Sets.h"
#include "platform/win/DialogService.h"

#include <memory>
#include <string>

class TFont;

// ---- Message dialogs --------------------------------------------------------------------------------------------
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn, mbHelp>;
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// Shows Msg with the type's caption ("Warning", "Error", "Information", "Confirm"; the application's title for
// mtCustom) and the buttons in the order of TMsgDlgBtn, and returns the modal result of the button chosen
// (mrYes, mrOk...). The default button is OK, else Yes, else Retry; closing the dialog answers mrCancel. The
// other windows of the thread are disabled while it is up.
//
// Through the dialog service the request has Kind "MessageDlg", Caption and Text as shown, Buttons the modal
// results in order (the Help button has none and is named only in Params), DefaultButton the default's result,
// Flags the message box icon of the type, Params "Type" (mtWarning...), "Captions" (the button captions joined by
// '|'), "HelpContext", and "X"/"Y" when positioned. An answer that is not one of the Buttons closes the dialog.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// As MessageDlg, placed with its top left corner at (X, Y) on the screen; negative: centred.
int MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X, int Y);
// An OK box with the application's title.
void ShowMessage(const std::string& Msg);
void ShowMessagePos(const std::string& Msg, int X, int Y);
// The button's caption ("&Yes", "OK", "N&o to All"...) and modal result (0 for Help).
std::string MsgDlgButtonCaption(TMsgDlgBtn Button);
int MsgDlgButtonResult(TMsgDlgBtn Button);

// ---- Common dialogs ---------------------------------------------------------------------------------------------

// A dialog component: Execute shows it and answers true when the user confirmed. OnShow runs before it is shown,
// OnClose after it closed. Requests carry the active form's window as Owner.
class TCommonDialog : public TComponent {
  Z_CLASS(TCommonDialog, TComponent)

public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
  int HelpContext = 0;
  bool Ctl3D = true;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

protected:
  // Runs a request through the dialog service between OnShow and OnClose, with the program's other windows
  // disabled.
  TDialogAnswer Run(TDialogRequest& Request);
};

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
  ofEnableIncludeNotify, ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
Z_ENUM_TYPEINFO(TOpenOption, "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                 "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist",
                 "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton",
                 "ofNoLongNames", "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify",
                 "ofEnableSizing", "ofDontAddToRecent", "ofForceShowHidden")
using TOpenOptions = TSet<TOpenOption, ofForceShowHidden>;
using TCanCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// The file open dialog. Filter is "Text files|*.txt|All files|*.*" (description and pattern pairs; patterns may
// list several masks with ';'), FilterIndex counts from 1.
//
// Request: Kind "OpenDialog" ("SaveDialog" for TSaveDialog), Caption the Title (empty: the platform's "Open" or
// "Save As"), Params "Filter", "FilterIndex", "InitialDir", "FileName", "DefaultExt", "Options" (the option
// names joined by ','). Answer: Result IDOK to confirm (anything else cancels), Value the file (or Values the
// files of a multiple selection), Params "FilterIndex" when the user changed the filter. The layer then checks
// the answer as the platform's dialog does unless the answer's Params hold "Validated": a name without extension
// gets DefaultExt; ofFileMustExist / ofPathMustExist reject a missing file or folder with a message box and ask
// again; ofCreatePrompt asks whether to create a missing file; ofOverwritePrompt (saving) asks whether to replace
// an existing one; OnCanClose can refuse. Each new question is a new request.
class TOpenDialog : public TCommonDialog {
  Z_CLASS(TOpenDialog, TCommonDialog)

public:
  explicit TOpenDialog(TComponent* AOwner);
  bool Execute() override;

  std::string DefaultExt;
  std::string FileName;
  TStrings* Files() const { return FFiles.get(); }
  std::string Filter;
  int FilterIndex = 1;
  std::string InitialDir;
  TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
  std::string Title;
  TCanCloseEvent OnCanClose;
  TNotifyEvent OnTypeChange;
  static void Publish(TMetaClass& Meta);

protected:
  virtual bool IsSave() const { return false; }

private:
  bool Accept(std::vector<std::string>& Chosen);
  std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
  Z_CLASS(TSaveDialog, TOpenDialog)

public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
  bool IsSave() const override { return true; }
};

enum TFontDialogOption {
  fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSelChange, fdNoOEMFonts,
  fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp, fdWysiwyg, fdLimitSize,
  fdScalableOnly, fdApplyButton
};
using TFontDialogOptions = TSet<TFontDialogOption, fdApplyButton>;
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };

// The font dialog. Request: Kind "FontDialog", Params "Name", "Size", "Style" (fsBold,fsItalic,...), "Color",
// "Options", "MinFontSize", "MaxFontSize". Answer: Result IDOK, Params with the chosen "Name", "Size", "Style"
// and (with fdEffects) "Color"; missing names keep the font's values. The options (fdFixedPitchOnly...) limit
// what the platform's dialog offers.
class TFontDialog : public TCommonDialog {
  Z_CLASS(TFontDialog, TCommonDialog)

public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  bool Execute() override;
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TFontDialogOptions Options{fdEffects};
  TFontDialogDevice Device = fdScreen;
  int MinFontSize = 0;
  int MaxFontSize = 0;

private:
  std::unique_ptr<TFont> FFont;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption, cdAnyColor>;

// The colour dialog. Request: Kind "ColorDialog", Params "Color" (decimal RGB as the class library keeps it,
// 0x00BBGGRR), "Options", "CustomColors" (the sixteen custom colours as "ColorA=RRGGBB" lines joined by ',',
// as the CustomColors list holds them). Answer: Result IDOK, Params "Color" and optionally "CustomColors".
class TColorDialog : public TCommonDialog {
  Z_CLASS(TColorDialog, TCommonDialog)

public:
  explicit TColorDialog(TComponent* AOwner);
  bool Execute() override;
  int Color = 0;
  TStrings* CustomColors() const { return FCustomColors.get(); }
  TColorDialogOptions Options;

private:
  std::unique_ptr<TStringList> FCustomColors;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption, poDisablePrintToFile>;

// The print dialog. Request: Kind "PrintDialog", Params "Copies", "Collate", "FromPage", "ToPage", "MinPage",
// "MaxPage", "PrintRange" (prAllPages...), "PrintToFile", "Options". Answer: Result IDOK and the same names for
// what the user changed. Page numbers outside MinPage..MaxPage are refused with a message and asked again, as
// the platform's dialog does.
class TPrintDialog : public TCommonDialog {
  Z_CLASS(TPrintDialog, TCommonDialog)

public:
  explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;
  bool Collate = false;
  int Copies = 0;
  int FromPage = 0;
  int ToPage = 0;
  int MinPage = 0;
  int MaxPage = 0;
  TPrintDialogOptions Options;
  TPrintRange PrintRange = prAllPages;
  bool PrintToFile = false;
};

// The printer setup dialog. Request: Kind "PrinterSetupDialog"; answer Result IDOK to confirm.
class TPrinterSetupDialog : public TCommonDialog {
  Z_CLASS(TPrinterSetupDialog, TCommonDialog)

public:
  explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;
};

// The folder chooser: true and Directory set when the user chose a folder. Request: Kind "FolderDialog", Caption,
// Params "Root" and "Directory" (the folder to start in). Answer: Result IDOK and Value the folder, which must
// exist (a missing one is refused with a message and asked again).
bool SelectDirectory(const std::string& Caption, const std::string& Root, std::string& Directory);
