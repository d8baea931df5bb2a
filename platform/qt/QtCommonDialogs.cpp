// Real dialogs and popup menus for the dialog service's kinds beyond the message box: the class library's
// message dialog, file, folder, font, colour and print dialogs, and TrackPopupMenu's menu. Each is shown with
// open()/popup() and waited for in the layer's loop; without a screen (offscreen) the default answer is given
// at once.
#include "platform/qt/QtHost.h"
#include "platform/qt/QtNativeControl.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinMenu.h"

#include <QAction>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <functional>
#include <map>

namespace {

bool NoScreen() {
  return !TQtBackend::Instance() || (QGuiApplication::platformName() == "offscreen" && !ShowRealDialogs());
}

QWidget* ParentOf(HWND Owner) {
  auto* B = TQtBackend::Instance();
  QWidget* H = B && Owner ? B->HostOf(Owner) : nullptr;
  return H ? H->window() : nullptr;
}

// Runs the layer's loop until Done answers true; a WM_QUIT ends the wait (and is put back for the caller's loop).
void WaitFor(const std::function<bool()>& Done, const std::function<void()>& Abandon) {
  auto* B = TQtBackend::Instance();
  while (!Done()) {
    MSG M;
    if (PeekMessage(&M, 0, 0, 0, PM_REMOVE)) {
      if (M.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(M.wParam));
        Abandon();
        break;
      }
      TranslateMessage(&M);
      DispatchMessage(&M);
    } else {
      B->WaitForEvents(50);
    }
  }
}

// Shows a dialog with open() and waits for it to finish; the dialog's result code.
int RunDialog(QDialog& D) {
  bool Finished = false;
  int Code = QDialog::Rejected;
  QObject::connect(&D, &QDialog::finished, [&](int R) {
    Finished = true;
    Code = R;
  });
  D.open();
  WaitFor([&] { return Finished; }, [&] { D.reject(); });
  return Code;
}

std::string Param(const TDialogRequest& R, const char* Name) {
  auto It = R.Params.find(Name);
  return It == R.Params.end() ? std::string() : It->second;
}

int IntParam(const TDialogRequest& R, const char* Name, int Default = 0) {
  const std::string S = Param(R, Name);
  try {
    return S.empty() ? Default : std::stoi(S);
  } catch (...) {
    return Default;
  }
}

bool HasOption(const TDialogRequest& R, const char* Option) {
  return ("," + Param(R, "Options") + ",").find(std::string(",") + Option + ",") != std::string::npos;
}

QStringList Split(const std::string& S, char Sep) {
  QStringList Out;
  std::string Cur;
  for (char C : S) {
    if (C == Sep) {
      Out << AnsiToQString(Cur);
      Cur.clear();
    } else {
      Cur += C;
    }
  }
  Out << AnsiToQString(Cur);
  return Out;
}

// A service for one kind, from a function.
class TKindService final : public TDialogService {
public:
  explicit TKindService(std::function<TDialogAnswer(const TDialogRequest&)> F) : FRun(std::move(F)) {}
  TDialogAnswer Run(const TDialogRequest& R) override {
    if (NoScreen()) {
      return TDialogAnswer(R.DefaultButton);
    }
    return FRun(R);
  }

private:
  std::function<TDialogAnswer(const TDialogRequest&)> FRun;
};

// ---- Popup menus ------------------------------------------------------------------------------------------------

class TMenuShow {
public:
  TMenuShow(const TDialogRequest& R) : FOwner(R.Owner), FNotify(!(R.Flags & TPM_NONOTIFY)) {}

  void Fill(QMenu* Menu, HMENU H) {
    Menu->clear();
    const int Count = GetMenuItemCount(H);
    for (int I = 0; I < Count; ++I) {
      char Buf[512];
      MENUITEMINFO Info;
      Info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
      Info.dwTypeData = Buf;
      Info.cch = sizeof(Buf);
      if (!GetMenuItemInfo(H, static_cast<UINT>(I), TRUE, &Info)) {
        continue;
      }
      if (Info.fType & MFT_SEPARATOR) {
        Menu->addSeparator();
        continue;
      }
      const QString Text = AnsiToQString(Info.cch ? std::string(Buf, Info.cch) : std::string());
      QAction* A = nullptr;
      if (Info.hSubMenu) {
        QMenu* Sub = Menu->addMenu(Text);
        A = Sub->menuAction();
        const HMENU SubH = Info.hSubMenu;
        QObject::connect(Sub, &QMenu::aboutToShow, [this, Sub, SubH, I] {
          if (FNotify) {
            SendMessage(FOwner, WM_INITMENUPOPUP, static_cast<WPARAM>(SubH), static_cast<LPARAM>(I));
          }
          Fill(Sub, SubH);
        });
        Fill(Sub, SubH);
      } else {
        A = Menu->addAction(Text);
        const UINT Id = Info.wID;
        QObject::connect(A, &QAction::triggered, [this, Id] { FChosen = Id; });
      }
      A->setEnabled(!(Info.fState & MFS_GRAYED));
      if (Info.fState & MFS_CHECKED) {
        A->setCheckable(true);
        A->setChecked(true);
      }
      if (Info.fState & MFS_DEFAULT) {
        QFont F = A->font();
        F.setBold(true);
        A->setFont(F);
      }
      const WORD Item = Info.hSubMenu ? static_cast<WORD>(I) : static_cast<WORD>(Info.wID);
      const WORD Flags = static_cast<WORD>((Info.hSubMenu ? MF_POPUP : 0) | MF_HILITE |
                                           (Info.fState & (MFS_GRAYED | MFS_CHECKED)));
      QObject::connect(A, &QAction::hovered, [this, Item, Flags, H] {
        if (FNotify) {
          SendMessage(FOwner, WM_MENUSELECT, static_cast<WPARAM>(Item) | (static_cast<WPARAM>(Flags) << 16),
                      static_cast<LPARAM>(H));
        }
      });
    }
  }

  TDialogAnswer Show(const TDialogRequest& R) {
    QMenu Menu(ParentOf(R.Owner));
    Fill(&Menu, static_cast<HMENU>(std::stoull(Param(R, "Menu"))));
    QPoint At(IntParam(R, "X"), IntParam(R, "Y"));
    const QSize Size = Menu.sizeHint();
    if (R.Flags & TPM_RIGHTALIGN) {
      At.rx() -= Size.width();
    } else if (R.Flags & TPM_CENTERALIGN) {
      At.rx() -= Size.width() / 2;
    }
    if (R.Flags & TPM_BOTTOMALIGN) {
      At.ry() -= Size.height();
    } else if (R.Flags & TPM_VCENTERALIGN) {
      At.ry() -= Size.height() / 2;
    }
    bool Closed = false;
    QObject::connect(&Menu, &QMenu::aboutToHide, [&] { Closed = true; });
    Menu.popup(At);
    // Hiding comes before the triggered signal; one more pass of Qt's events delivers it.
    WaitFor([&] { return Closed; }, [&] { Menu.hide(); });
    TQtBackend::Instance()->ProcessEvents();
    TDialogAnswer A(static_cast<int>(FChosen));
    A.Params["Notified"] = "1";
    return A;
  }

private:
  HWND FOwner;
  bool FNotify;
  UINT FChosen = 0;
};

// ---- Message dialogs --------------------------------------------------------------------------------------------

TDialogAnswer ShowMessageDlg(const TDialogRequest& R) {
  QMessageBox Box(ParentOf(R.Owner));
  Box.setWindowTitle(AnsiToQString(R.Caption));
  Box.setText(AnsiToQString(R.Text));
  switch (R.Flags & MB_ICONMASK) {
    case MB_ICONHAND: Box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: Box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: Box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: Box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  const QStringList Captions = Split(Param(R, "Captions"), '|');
  const int Cancel = IntParam(R, "Cancel", 2);
  std::map<QAbstractButton*, int> Results;
  for (std::size_t I = 0; I < R.Buttons.size() && static_cast<int>(I) < Captions.size(); ++I) {
    const int Result = R.Buttons[I];
    QPushButton* B = Box.addButton(Captions[static_cast<int>(I)], Result == Cancel ? QMessageBox::RejectRole
                                                                                  : QMessageBox::AcceptRole);
    Results[B] = Result;
    if (Result == R.DefaultButton) {
      Box.setDefaultButton(B);
    }
    if (Result == Cancel) {
      Box.setEscapeButton(B);
    }
  }
  if (R.Params.count("X")) {
    Box.move(IntParam(R, "X"), IntParam(R, "Y"));
  }
  RunDialog(Box);
  auto It = Results.find(Box.clickedButton());
  return TDialogAnswer(It == Results.end() ? 0 : It->second);
}

// ---- File and folder dialogs ------------------------------------------------------------------------------------

// "Text|*.txt;*.text|All|*.*" as Qt's name filters: "Text (*.txt *.text)", "All (*.*)".
QStringList NameFilters(const std::string& Filter) {
  const QStringList Parts = Split(Filter, '|');
  QStringList Out;
  for (int I = 0; I + 1 < Parts.size(); I += 2) {
    QString Patterns = Parts[I + 1];
    Patterns.replace(';', ' ');
    Out << Parts[I] + " (" + Patterns + ")";
  }
  return Out;
}

TDialogAnswer ShowFileDialog(const TDialogRequest& R, bool Save) {
  QFileDialog D(ParentOf(R.Owner), AnsiToQString(R.Caption));
  D.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (Save) {
    D.setFileMode(QFileDialog::AnyFile);
  } else if (HasOption(R, "ofAllowMultiSelect")) {
    D.setFileMode(QFileDialog::ExistingFiles);
  } else {
    // The layer reports a missing file itself (the toolkit's dialog would run a nested loop of its own for it).
    D.setFileMode(QFileDialog::AnyFile);
  }
  // The layer asks about replacing and creating files itself, as the platform's dialog would.
  D.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (ShowRealDialogs()) {
    D.setOption(QFileDialog::DontUseNativeDialog, true);  // a dialog a test can drive
  }
  if (HasOption(R, "ofForceShowHidden")) {
    D.setFilter(D.filter() | QDir::Hidden);
  }
  const QStringList Filters = NameFilters(Param(R, "Filter"));
  if (!Filters.isEmpty()) {
    D.setNameFilters(Filters);
    const int Index = IntParam(R, "FilterIndex", 1);
    if (Index >= 1 && Index <= Filters.size()) {
      D.selectNameFilter(Filters[Index - 1]);
    }
  }
  if (!Param(R, "InitialDir").empty()) {
    D.setDirectory(FileNameToQString(Param(R, "InitialDir")));
  }
  if (!Param(R, "FileName").empty()) {
    D.selectFile(FileNameToQString(Param(R, "FileName")));
  }
  if (!Param(R, "DefaultExt").empty()) {
    D.setDefaultSuffix(AnsiToQString(Param(R, "DefaultExt")));
  }
  if (RunDialog(D) != QDialog::Accepted) {
    return TDialogAnswer(IDCANCEL);
  }
  TDialogAnswer A(IDOK);
  for (const QString& F : D.selectedFiles()) {
    A.Values.push_back(QStringToFileName(F));
  }
  if (!A.Values.empty()) {
    A.Value = A.Values.front();
  }
  A.Params["FilterIndex"] = std::to_string(Filters.indexOf(D.selectedNameFilter()) + 1);
  if (A.Params["FilterIndex"] == "0") {
    A.Params.erase("FilterIndex");
  }
  return A;
}

TDialogAnswer ShowFolderDialog(const TDialogRequest& R) {
  QFileDialog D(ParentOf(R.Owner), AnsiToQString(R.Caption));
  D.setFileMode(QFileDialog::Directory);
  if (ShowRealDialogs()) {
    D.setOption(QFileDialog::DontUseNativeDialog, true);
  }
  D.setOption(QFileDialog::ShowDirsOnly, true);
  const std::string Start = Param(R, "Directory").empty() ? Param(R, "Root") : Param(R, "Directory");
  if (!Start.empty()) {
    D.setDirectory(FileNameToQString(Start));
  }
  if (RunDialog(D) != QDialog::Accepted || D.selectedFiles().isEmpty()) {
    return TDialogAnswer(IDCANCEL);
  }
  return TDialogAnswer(IDOK, QStringToFileName(D.selectedFiles().front()));
}

// The shell's folder browser: a folder chooser opened at the selection (else the root), or, when computers are
// browsed, a choice among the computers offered.
TDialogAnswer ShowBrowseForFolder(const TDialogRequest& R) {
  if (!Param(R, "Computers").empty()) {
    QInputDialog D(ParentOf(R.Owner));
    D.setWindowTitle(AnsiToQString(R.Caption));
    D.setLabelText(AnsiToQString(R.Caption));
    D.setComboBoxItems({AnsiToQString(Param(R, "Computers"))});
    D.setComboBoxEditable(false);
    if (RunDialog(D) != QDialog::Accepted) {
      return TDialogAnswer(IDCANCEL);
    }
    return TDialogAnswer(IDOK, QStringToAnsi(D.textValue()));
  }
  QFileDialog D(ParentOf(R.Owner), AnsiToQString(R.Caption));
  D.setFileMode(QFileDialog::Directory);
  if (ShowRealDialogs()) {
    D.setOption(QFileDialog::DontUseNativeDialog, true);
  }
  D.setOption(QFileDialog::ShowDirsOnly, true);
  const std::string Start = Param(R, "Selection").empty() ? Param(R, "Root") : Param(R, "Selection");
  if (!Start.empty()) {
    D.setDirectory(FileNameToQString(Start));
  }
  if (RunDialog(D) != QDialog::Accepted || D.selectedFiles().isEmpty()) {
    return TDialogAnswer(IDCANCEL);
  }
  return TDialogAnswer(IDOK, QStringToFileName(D.selectedFiles().front()));
}

// ---- Font, colour, print ----------------------------------------------------------------------------------------

TDialogAnswer ShowFontDialog(const TDialogRequest& R) {
  QFont Initial(AnsiToQString(Param(R, "Name")), IntParam(R, "Size", 8));
  const std::string Style = "," + Param(R, "Style") + ",";
  Initial.setBold(Style.find(",fsBold,") != std::string::npos);
  Initial.setItalic(Style.find(",fsItalic,") != std::string::npos);
  Initial.setUnderline(Style.find(",fsUnderline,") != std::string::npos);
  Initial.setStrikeOut(Style.find(",fsStrikeOut,") != std::string::npos);
  QFontDialog D(Initial, ParentOf(R.Owner));
  if (ShowRealDialogs()) {
    D.setOption(QFontDialog::DontUseNativeDialog, true);
  }
  D.setWindowTitle(AnsiToQString(R.Caption));
  if (HasOption(R, "fdFixedPitchOnly")) {
    D.setOption(QFontDialog::MonospacedFonts, true);
  }
  if (HasOption(R, "fdScalableOnly") || HasOption(R, "fdTrueTypeOnly")) {
    D.setOption(QFontDialog::ScalableFonts, true);
  }
  if (RunDialog(D) != QDialog::Accepted) {
    return TDialogAnswer(IDCANCEL);
  }
  const QFont F = D.selectedFont();
  TDialogAnswer A(IDOK);
  A.Params["Name"] = QStringToAnsi(F.family());
  A.Params["Size"] = std::to_string(F.pointSize() > 0 ? F.pointSize() : IntParam(R, "Size", 8));
  std::string S;
  for (auto [On, Name] : {std::pair{F.bold(), "fsBold"}, std::pair{F.italic(), "fsItalic"},
                          std::pair{F.underline(), "fsUnderline"}, std::pair{F.strikeOut(), "fsStrikeOut"}}) {
    if (On) {
      S += (S.empty() ? "" : ",") + std::string(Name);
    }
  }
  A.Params["Style"] = S;
  return A;
}

TDialogAnswer ShowColorDialog(const TDialogRequest& R) {
  const int C = IntParam(R, "Color");
  QColorDialog D(QColor(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF), ParentOf(R.Owner));
  if (ShowRealDialogs()) {
    D.setOption(QColorDialog::DontUseNativeDialog, true);
  }
  D.setWindowTitle(AnsiToQString(R.Caption));
  if (RunDialog(D) != QDialog::Accepted) {
    return TDialogAnswer(IDCANCEL);
  }
  const QColor Q = D.selectedColor();
  TDialogAnswer A(IDOK);
  A.Params["Color"] = std::to_string(Q.red() | (Q.green() << 8) | (Q.blue() << 16));
  return A;
}

TDialogAnswer ShowPrintDialog(const TDialogRequest& R) {
  QPrinter Printer;
  Printer.setCopyCount(std::max(1, IntParam(R, "Copies", 1)));
  Printer.setCollateCopies(Param(R, "Collate") == "1");
  QPrintDialog D(&Printer, ParentOf(R.Owner));
  D.setWindowTitle(AnsiToQString(R.Caption));
  QAbstractPrintDialog::PrintDialogOptions Options = QAbstractPrintDialog::PrintShowPageSize;
  if (HasOption(R, "poPageNums")) Options |= QAbstractPrintDialog::PrintPageRange;
  if (HasOption(R, "poSelection")) Options |= QAbstractPrintDialog::PrintSelection;
  if (HasOption(R, "poPrintToFile") && !HasOption(R, "poDisablePrintToFile")) {
    Options |= QAbstractPrintDialog::PrintToFile;
  }
  Options |= QAbstractPrintDialog::PrintCollateCopies;
  D.setOptions(Options);
  if (IntParam(R, "MaxPage") > 0) {
    D.setMinMax(IntParam(R, "MinPage"), IntParam(R, "MaxPage"));
  }
  if (Param(R, "PrintRange") == "prPageNums") {
    D.setPrintRange(QAbstractPrintDialog::PageRange);
    D.setFromTo(IntParam(R, "FromPage"), IntParam(R, "ToPage"));
  } else if (Param(R, "PrintRange") == "prSelection") {
    D.setPrintRange(QAbstractPrintDialog::Selection);
  }
  if (RunDialog(D) != QDialog::Accepted) {
    return TDialogAnswer(IDCANCEL);
  }
  TDialogAnswer A(IDOK);
  switch (D.printRange()) {
    case QAbstractPrintDialog::PageRange: A.Params["PrintRange"] = "prPageNums"; break;
    case QAbstractPrintDialog::Selection: A.Params["PrintRange"] = "prSelection"; break;
    default: A.Params["PrintRange"] = "prAllPages"; break;
  }
  A.Params["FromPage"] = std::to_string(D.fromPage());
  A.Params["ToPage"] = std::to_string(D.toPage());
  A.Params["Copies"] = std::to_string(Printer.copyCount());
  A.Params["Collate"] = Printer.collateCopies() ? "1" : "0";
  A.Params["PrintToFile"] = Printer.outputFileName().isEmpty() ? "0" : "1";
  return A;
}

TDialogAnswer ShowPrinterSetup(const TDialogRequest& R) {
  QPrinter Printer;
  QPageSetupDialog D(&Printer, ParentOf(R.Owner));
  D.setWindowTitle(AnsiToQString(R.Caption));
  return TDialogAnswer(RunDialog(D) == QDialog::Accepted ? IDOK : IDCANCEL);
}

struct TRegistration {
  TRegistration() {
    auto Register = [](const char* Kind, std::function<TDialogAnswer(const TDialogRequest&)> F) {
      static std::vector<std::unique_ptr<TKindService>> Services;
      Services.push_back(std::make_unique<TKindService>(std::move(F)));
      RegisterPlatformDialogKind(Kind, Services.back().get());
    };
    Register("PopupMenu", [](const TDialogRequest& R) { return TMenuShow(R).Show(R); });
    Register("MessageDlg", ShowMessageDlg);
    Register("OpenDialog", [](const TDialogRequest& R) { return ShowFileDialog(R, false); });
    Register("SaveDialog", [](const TDialogRequest& R) { return ShowFileDialog(R, true); });
    Register("FolderDialog", ShowFolderDialog);
    Register("BrowseForFolder", ShowBrowseForFolder);
    Register("FontDialog", ShowFontDialog);
    Register("ColorDialog", ShowColorDialog);
    Register("PrintDialog", ShowPrintDialog);
    Register("PrinterSetupDialog", ShowPrinterSetup);
  }
} Registration;

}  // namespace
