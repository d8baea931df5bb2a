// The Edit and Search commands on the focused document editor, structure view or combo box, the go-to-line
// window with typed answers, opening the selected file name, the popups' enabled items and printing.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"

#include "editor/Easyeditsource.h"
#include "editor/Easyprintdlg.h"
#include "editor/Easysettings.h"
#include "mainwindow/Gotoline.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/Printers.h"
#include "platform/win/Clipboard.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

// Runs Action from inside the next modal loop: a message posted to a hidden window.
class TLater {
public:
  explicit TLater(std::function<void()> A) : Action(std::move(A)) {
    Wnd = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == WM_APP + 9) {
        Action();
      }
    });
    PostMessage(Wnd, WM_APP + 9, 0, 0);
  }
  ~TLater() { DeallocateHWnd(Wnd); }
  TLater(const TLater&) = delete;
  TLater& operator=(const TLater&) = delete;
  std::function<void()> Action;
  HWND Wnd = 0;
};

template <class T>
T* OpenForm() {
  for (int I = 0; I < Screen->FormCount(); ++I) {
    if (auto* F = dynamic_cast<T*>(Screen->Forms(I)); F && F->Visible()) {
      return F;
    }
  }
  return nullptr;
}

class MainFormEdit : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form->Show();
    Harness::RunUntilIdle();
  }
  TEasyEditSource* Text() { return Form->GetCurrentFile()->text; }
  void SetText(const std::string& S) { Text()->Strings()->SetTextBuffer(S.data(), S.size()); }
  std::string AllText() { return Text()->Strings()->Text(); }
  void Focus(TWinControl* Control) {
    Form->SetActiveControl(Control);
    ASSERT_EQ(Form->ActiveControl(), Control);
  }
  std::string MakeFile(const std::string& Name, const std::string& Content = "<p>x</p>\n") {
    const std::string Path = Dir + "/" + Name;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path());
    std::ofstream(Path) << Content;
    return Path;
  }
  // Runs the go-to-line command with the two entries typed and OK (or Cancel) pressed.
  void GoToLine(const std::string& Line, const std::string& Char, bool Ok = true) {
    std::string Label;
    TLater Answer([&] {
      TGoToLineForm* Window = OpenForm<TGoToLineForm>();
      ASSERT_NE(Window, nullptr);
      Label = Window->GoToLineLabel->Caption();
      Window->GoToLineEdit->SetText(Line);
      Window->GoToCharEdit->SetText(Char);
      Window->ModalResult = Ok ? mrOk : mrCancel;
    });
    Form->EditGoToLineClick(nullptr);
    LastLabel = Label;
  }
  std::string LastLabel;
  std::string LastCaption() { return Dialogs.Shown().empty() ? "" : Dialogs.Shown().back().Caption; }
};

TEST_F(MainFormEdit, CommandsOnTheDocumentEditor) {
  SetText("one two\r\nthree");
  Focus(Form->EasyEdit1);
  Form->EditSelectAllClick(nullptr);
  EXPECT_EQ(Form->EasyEdit1->GetSelText(), "one two\r\nthree");
  Form->EditCopyClick(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), "one two\r\nthree");
  Form->EditCutClick(nullptr);
  EXPECT_EQ(AllText(), "\r\n");
  Form->EditPasteClick(nullptr);
  EXPECT_EQ(AllText(), "one two\r\nthree\r\n");
  Form->EditUndoClick(nullptr);
  EXPECT_EQ(AllText(), "\r\n");
  Form->EditRedoClick(nullptr);
  EXPECT_EQ(AllText(), "one two\r\nthree\r\n");
  // Indenting works on the active editor's selection.
  Form->EasyEdit1->SetSelection(Rect(0, 0, 0, 1), slStream);
  Form->IndentBtnClick(nullptr);
  EXPECT_NE(Text()->Strings()->Get(0), "one two");
  Form->UnindentBtnClick(nullptr);
  EXPECT_EQ(Text()->Strings()->Get(0), "one two");
}

TEST_F(MainFormEdit, CommandsOnAReadOnlyStructureView) {
  Form->ResultsPageControl->SetActivePage(Form->StructureSheet);
  Form->ViewResultsClick(nullptr);
  Harness::RunUntilIdle();
  Focus(Form->StructureEdit);
  TCustomEasyEditSource* Structure = Form->StructureEdit->GetEditSource();
  Structure->Strings()->SetTextBuffer("<html>\r\n<body>", 14);
  const std::string Before = Structure->Strings()->Text();
  ASSERT_TRUE(Form->StructureEdit->GetReadOnly());
  Form->EditSelectAllClick(nullptr);
  Form->EditCopyClick(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), "<html>\r\n<body>");
  Form->EditCutClick(nullptr);
  Form->EditPasteClick(nullptr);
  EXPECT_EQ(Form->StructureEdit->GetEditSource()->Strings()->Text(), Before);
  Form->GenericMemoPopupPopup(nullptr);
  EXPECT_FALSE(Form->GenericMemoPopupCut->Enabled());
  EXPECT_FALSE(Form->GenericMemoPopupPaste->Enabled());
  EXPECT_TRUE(Form->GenericMemoPopupCopy->Enabled());
  EXPECT_TRUE(Form->GenericMemoPopupSelectAll->Enabled());
  Focus(Form->EasyEdit1);
  Form->GenericMemoPopupPopup(nullptr);
  EXPECT_TRUE(Form->GenericMemoPopupCut->Enabled());
}

TEST_F(MainFormEdit, CommandsOnAComboBox) {
  TComboBox* Combo = Form->ShellListFileFilterCombo;
  Focus(Combo);
  Combo->SetText("*.html");
  Form->EditSelectAllClick(nullptr);
  EXPECT_EQ(Combo->SelLength(), 6);
  Form->EditCopyClick(nullptr);
  EXPECT_EQ(Clipboard()->AsText(), "*.html");
  Form->EditCutClick(nullptr);
  EXPECT_EQ(Combo->Text(), "");
  Clipboard()->SetAsText("*.css\r\nsecond line");
  Form->EditPasteClick(nullptr);
  EXPECT_EQ(Combo->Text(), "*.css");
  // Undo undoes the combo's own edit; Redo does nothing there.
  Form->EditUndoClick(nullptr);
  const std::string Undone = Combo->Text();
  EXPECT_NE(Undone, "*.css");
  Form->EditRedoClick(nullptr);
  EXPECT_EQ(Combo->Text(), Undone);
  Form->EditSelectAllClick(nullptr);
  SendMessage(Combo->Handle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(Combo->Text(), "");
  // Search commands have nothing to do in a combo box.
  Form->SearchFindClick(nullptr);
  Form->SearchReplaceClick(nullptr);
  Form->SearchFindAgainClick(nullptr);
  EXPECT_EQ(Form->ActiveControl(), Combo);
}

TEST_F(MainFormEdit, GoToLineWithTypedEntries) {
  SetText("a\r\nb\r\nc\r\nd\r\ne");
  Focus(Form->EasyEdit1);
  const std::size_t Before = Dialogs.Shown().size();
  GoToLine("3", "");
  EXPECT_EQ(LastLabel, "Go to &line (1-5):");
  EXPECT_EQ(Text()->CurrentPosition.Y, 2);
  EXPECT_EQ(Dialogs.Shown().size(), Before);

  for (const char* Bad : {"0", "6", "abc", "-1", "2x"}) {
    SCOPED_TRACE(Bad);
    GoToLine(Bad, "");
    EXPECT_EQ(LastCaption(), "Quillon: Invalid Line Number");
    EXPECT_EQ(Text()->CurrentPosition.Y, 2);
  }
  // An empty line entry moves within the current line only.
  SetText("abcdef\r\nghijkl");
  Text()->SetCurrentPosition(TPoint{0, 1});
  GoToLine("", "4");
  EXPECT_EQ(Text()->CurrentPosition.Y, 1);
  EXPECT_EQ(Text()->CurrentPosition.X, 3);
  // An invalid line with a valid position: the position is applied, then the line is reported.
  GoToLine("9", "2");
  EXPECT_EQ(Text()->CurrentPosition.X, 1);
  EXPECT_EQ(LastCaption(), "Quillon: Invalid Line Number");
  GoToLine("1", "zero");
  EXPECT_EQ(Text()->CurrentPosition.Y, 0);
  EXPECT_EQ(LastCaption(), "Quillon: Invalid Character Position");
  // Cancel changes nothing.
  const std::size_t Shown = Dialogs.Shown().size();
  GoToLine("2", "1", false);
  EXPECT_EQ(Text()->CurrentPosition.Y, 0);
  EXPECT_EQ(Dialogs.Shown().size(), Shown);
}

TEST_F(MainFormEdit, GoToLineOnAnEmptyDocumentSaysSoWithoutTheWindow) {
  Text()->Strings()->Clear();
  bool WindowShown = false;
  TLater Watch([&] { WindowShown = OpenForm<TGoToLineForm>() != nullptr; });
  Form->EditGoToLineClick(nullptr);
  Harness::RunUntilIdle();
  EXPECT_FALSE(WindowShown);
  EXPECT_EQ(LastCaption(), "Quillon: Document Empty");
  EXPECT_EQ(Dialogs.Shown().back().Text, "This document is empty. Can't go to a line.");
}

TEST_F(MainFormEdit, OpenFileFromTheSelection) {
  const std::string Page = MakeFile("site/index.html", "<a href=\"sub/other.html\">x</a>\n");
  const std::string Other = MakeFile("site/sub/other.html");
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Page.c_str(), 0, nullptr), 0);
  // A selection over two lines opens the first line's text, relative to the document's folder.
  SetText("sub/other.html\r\nmore");
  Form->EasyEdit1->SetSelection(Rect(0, 0, 2, 1), slStream);
  Form->EditorPopupOpenFileClick(nullptr);
  ASSERT_NE(Form->GetCurrentFile(), nullptr);
  EXPECT_EQ(std::string(Form->GetCurrentFile()->name.text), Other);

  // An untitled document takes the text as it is.
  Form->FileNewClick(nullptr);
  SetText(Page);
  Form->EasyEdit1->SetSelection(Rect(0, 0, static_cast<int>(Page.size()), 0), slStream);
  Form->EditorPopupOpenFileClick(nullptr);
  EXPECT_EQ(std::string(Form->GetCurrentFile()->name.text), Page);
}

TEST_F(MainFormEdit, EditorPopupEnabledStates) {
  SetText("x");
  Clipboard()->SetAsText("clip");
  Form->EditorPopupMenuPopup(nullptr);
  EXPECT_TRUE(Form->EditorPopupPaste->Enabled());
  EXPECT_TRUE(Form->EditorPopupSelectAll->Enabled());
  EXPECT_TRUE(Form->EditorPopupValidate->Enabled());
  EXPECT_TRUE(Form->EditorPopupSave->Enabled());
  Text()->Modified = true;
  Form->EditorPopupMenuPopup(nullptr);
  EXPECT_TRUE(Form->EditorPopupSaveAll->Enabled());
  Text()->Modified = false;
  (void)Form->MarkDocumentSaved(Form->GetCurrentFile());
  Form->EditorPopupMenuPopup(nullptr);
  EXPECT_FALSE(Form->EditorPopupSaveAll->Enabled());
  // Bookmarks: the set one is checked and can be gone to.
  Text()->ToggleBookMark(3, TPoint{0, 0});
  Form->EditorPopupMenuPopup(nullptr);
  EXPECT_TRUE(Form->EditorPopupToggleBookmark->Items(3)->Checked());
  EXPECT_FALSE(Form->EditorPopupToggleBookmark->Items(4)->Checked());
  EXPECT_TRUE(Form->EditorPopupGotoBookmark->Items(3)->Enabled());
  EXPECT_FALSE(Form->EditorPopupGotoBookmark->Items(4)->Enabled());
  // A read-only document offers no paste even with text on the clipboard.
  Form->GetCurrentFile()->SetReadOnly(true);
  Form->EditorPopupMenuPopup(nullptr);
  EXPECT_FALSE(Form->EditorPopupPaste->Enabled());
  EXPECT_FALSE(Form->EditorPopupSave->Enabled());
  Form->GetCurrentFile()->SetReadOnly(false);
  // An empty text offers nothing that needs lines.
  Text()->Strings()->Clear();
  Form->EditorPopupMenuPopup(nullptr);
  EXPECT_FALSE(Form->EditorPopupSelectAll->Enabled());
  EXPECT_FALSE(Form->EditorPopupValidateWithWizard->Enabled());
}

TEST_F(MainFormEdit, PrintsToPdfPreviewsAndSetsUpThePrinter) {
  SettingsFileName() = Dir + "/temp/EasySettings.txt";
  TPrinter Pdf;
  Pdf.OutputFileName = Dir + "/out.pdf";
  TPrinter* Old = SetPrinter(&Pdf);
  SetText("A line to print\r\nand another");
  Focus(Form->EasyEdit1);
  {
    TLater Confirm([&] {
      TFrmPrintDlg* Dialog = OpenForm<TFrmPrintDlg>();
      ASSERT_NE(Dialog, nullptr);
      PostMessage(Dialog->OkBut->Handle(), BM_CLICK, 0, 0);
    });
    Form->FilePrintClick(nullptr);
  }
  EXPECT_TRUE(std::filesystem::exists(Pdf.OutputFileName));
  EXPECT_GT(std::filesystem::file_size(Pdf.OutputFileName), 0u);

  Form->FilePrintPreviewClick(nullptr);
  Harness::RunUntilIdle();
  TForm* Preview = nullptr;
  for (int I = 0; I < Screen->FormCount(); ++I) {
    if (Screen->Forms(I)->ClassName() == "TPreviewForm" && Screen->Forms(I)->Visible()) {
      Preview = dynamic_cast<TForm*>(Screen->Forms(I));
    }
  }
  ASSERT_NE(Preview, nullptr);
  Preview->Close();
  Harness::RunUntilIdle();

  const std::size_t Before = Dialogs.Shown().size();
  Form->FilePrinterSetupClick(nullptr);
  ASSERT_EQ(Dialogs.Shown().size(), Before + 1);
  EXPECT_EQ(Dialogs.Shown().back().Kind, "PrinterSetupDialog");
  EXPECT_EQ(Form->FindComponent("PrinterSetupDialog"), nullptr);
  SetPrinter(Old);
}

}  // namespace
