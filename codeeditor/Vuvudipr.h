// The code editor's print dialog (unit Vuvudipr): what to print and how, the left margin and the printer set-up.
#pragma once

#include "codeeditor/Vuvudi.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

namespace Vuvudipr {

inline constexpr const char* SPrintCaption = "Print";
inline constexpr const char* SPrintSelection = "Print Selection";
inline constexpr const char* SFileToPrint = "File To Print:";
inline constexpr const char* SPrintSelectedBlock = "&Print selected block";
inline constexpr const char* SPrintOptions = "Options:";
inline constexpr const char* SHeaderPageNumber = "Header/page &number";
inline constexpr const char* SLineNumbers = "&Line numbers";
inline constexpr const char* SSyntaxPrint = "&Syntax print";
inline constexpr const char* SUseColor = "Use &color";
inline constexpr const char* SShowPrintProgress = "Show print &progress";
inline constexpr const char* SWrapLines = "&Wrap lines";
inline constexpr const char* SLeftMargin = "Left &margin:";
inline constexpr const char* SSetup = "Se&tup...";
inline constexpr const char* SUnknownDocument = "<Unknown>";
inline constexpr const char* SSelectedBlock = "<Selected block>";

// Shown modally by the control's PrintWithDialog; OK rebuilds Options from the check boxes.
class TMemoPrintForm : public TForm {
  Z_CLASS(TMemoPrintForm, TForm)
public:
  explicit TMemoPrintForm(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void OkButClick(TObject* Sender);
  void SetupButClick(TObject* Sender);
  void PrintSelCheckChange(TObject* Sender);

  TGroupBox* gbxPrintDestination = nullptr;
  TLabel* lblFileName = nullptr;
  TCheckBox* PrintSelCheck = nullptr;
  TGroupBox* gbxOptions = nullptr;
  TCheckBox* HeaderCheck = nullptr;
  TCheckBox* LineNumbersCheck = nullptr;
  TCheckBox* SyntaxPrintCheck = nullptr;
  TCheckBox* UseColorCheck = nullptr;
  TCheckBox* WrapLinesCheck = nullptr;
  TCheckBox* ShowPrintProgress = nullptr;
  TLabel* lblLeftMargin = nullptr;
  TEdit* LeftMarginEdit = nullptr;
  TButton* SetupBut = nullptr;
  TButton* OkBut = nullptr;
  TButton* CancelBut = nullptr;
  TButton* HelpBut = nullptr;
  TPrinterSetupDialog* PrinterSetup = nullptr;

  Vuvudi::ZEZPrintOptions Options;
};

}  // namespace Vuvudipr
