// The validation and tool commands of the main window with the real engine: Validate All, the batch wizard
// hand-over, the quick tools and the undo of the last major change.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "platform/win/MessageBox.h"

#include "core/Validatorlib.h"
#include "shell/Uptopendlg.h"

#include <fstream>

namespace {

// Records what the window hands to the batch wizard.
class RecordingWizard : public BatchWizardServices {
public:
  TForm* Window = nullptr;  // any window: the hand-over only asks whether the wizard has one
  std::vector<fileinfoclass*> Handed;
  int Shown = 0;
  TForm* BatchWizardForm() override { return Window; }
  int ShowBatchWizard(TObject*, int) override {
    ++Shown;
    return 0;
  }
  int ProcessTargets(TObject*, PointerArrayManager* Documents, int Flags) override {
    EXPECT_EQ(Flags, PROCESS_DOCUMENTS);
    for (int I = 0; I < Documents->getCount(); ++I) {
      Handed.push_back(static_cast<fileinfoclass*>(Documents->getPointer(I)));
    }
    return 0;
  }
};

}  // namespace

class ValidateCommandsTest : public MainFormTest {
protected:
  fileinfoclass* OpenText(const std::string& Name, const std::string& Text) {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path, std::ios::binary) << Text;
    EXPECT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0) << Path;
    return Form->GetCurrentFile();
  }
  std::string Text(fileinfoclass* D) {
    std::string T;
    for (int I = 0; I < D->text->Strings()->Count(); ++I) {
      T += D->text->Strings()->Strings(I) + "\n";
    }
    return T;
  }
  int Boxes(const std::string& Caption) {
    int N = 0;
    for (const TDialogRequest& R : Dialogs.Shown()) {
      N += R.Caption == Caption ? 1 : 0;
    }
    return N;
  }
};

TEST_F(ValidateCommandsTest, ValidateAllValidatesTheStyleSheetAloneAndMarksTheRun) {
  fileinfoclass* Css = OpenText("a.css", "p { colr: red; }\n");
  fileinfoclass* Text = OpenText("b.txt", "plain text\n");
  (void)ZUBCalls.ZUBSetInteger3(ZUB_VALIDATE_ALL_DONE, 0);
  Form->ToolsValidateAllClick(nullptr);
  EXPECT_GE(Css->resultHandle, 0);
  EXPECT_LT(Text->resultHandle, 0);
  EXPECT_EQ(ZUBCalls.ZUBGetInteger3EZ(ZUB_VALIDATE_ALL_DONE), 1);
}

TEST_F(ValidateCommandsTest, BatchWizardGetsTheCurrentDocumentOrEveryCheckableOne) {
  RecordingWizard Wizard;
  Wizard.Window = Form;
  SetBatchWizardServices(&Wizard);
  fileinfoclass* Text = OpenText("notes.txt", "plain\n");
  Form->ToolsValidateWithBatchWizardClick(nullptr);
  EXPECT_EQ(Wizard.Handed, std::vector<fileinfoclass*>{Text});
  Wizard.Handed.clear();
  // Nothing checkable among the open documents: the user is told, nothing is handed over.
  Form->ToolsValidateAllWithBatchWizardClick(nullptr);
  EXPECT_TRUE(Wizard.Handed.empty());
  EXPECT_EQ(Boxes("Quillon: No Checkable Document Types"), 1);
  fileinfoclass* Page = OpenText("page.html", "<html><body><p>x</p></body></html>\n");
  Form->ToolsValidateAllWithBatchWizardClick(nullptr);
  EXPECT_EQ(Wizard.Handed, std::vector<fileinfoclass*>{Page});
  EXPECT_EQ(prg->volatileState->batchHandOver->getCount(), 1);
  SetBatchWizardServices(nullptr);
}

TEST_F(ValidateCommandsTest, QuickToolThenUndoLastMajorChangeAsksWhenChangedAndRestoresTheText) {
  fileinfoclass* D = OpenText("tool.html", "<P CLASS=\"x\">Text</P>\n");
  const std::string Before = Text(D);
  Form->ToolsLowercaseClick(nullptr);
  fileinfoclass* Lowered = Form->GetCurrentFile();
  ASSERT_NE(Lowered, nullptr);
  EXPECT_EQ(Text(Lowered), "<p class=\"x\">Text</p>\n");
  ASSERT_GE(Lowered->undoCopyIndex1, 0);
  // Changed since: the question comes, and No keeps everything.
  Lowered->text->Modified = true;
  Dialogs.QueueAnswer(IDNO);
  Form->EditUndoLastMajorChangeClick(nullptr);
  EXPECT_EQ(Boxes("Quillon: Undo?"), 1);
  EXPECT_EQ(Form->GetCurrentFile(), Lowered);
  Dialogs.QueueAnswer(IDYES);
  Form->EditUndoLastMajorChangeClick(nullptr);
  fileinfoclass* Restored = Form->GetCurrentFile();
  EXPECT_EQ(Text(Restored), Before);
  EXPECT_EQ(Restored->undoCopyIndex1, -1);
  EXPECT_TRUE(Restored->text->Modified);
  // Nothing left to undo: no question.
  Form->EditUndoLastMajorChangeClick(nullptr);
  EXPECT_EQ(Boxes("Quillon: Undo?"), 2);
  // The restored document takes another tool with its own undo copy.
  Form->ToolsLowercaseClick(nullptr);
  EXPECT_GE(Form->GetCurrentFile()->undoCopyIndex1, 0);
  EXPECT_EQ(Text(Form->GetCurrentFile()), "<p class=\"x\">Text</p>\n");
}

// When the document array refuses the copy, the copy goes back to its slot and the document stays as it was.
TEST_F(ValidateCommandsTest, UndoThatCannotPlaceTheCopyKeepsBothDocuments) {
  fileinfoclass* D = OpenText("keep.html", "<P>Text</P>\n");
  Form->ToolsLowercaseClick(nullptr);
  fileinfoclass* Lowered = Form->GetCurrentFile();
  ASSERT_NE(Lowered, D);
  EXPECT_EQ(Lowered->documentArray->getPointer(Lowered->documentArray->findPointer(Lowered)), Lowered);
  PointerArrayManager* Undo = Lowered->undoArray;
  const int Slot = Lowered->undoCopyIndex1;
  void* Copy = Undo->getPointer(Slot);
  ASSERT_NE(Copy, nullptr);
  Form->PlaceUndoCopy = [](PointerArrayManager*, fileinfoclass*, int) { return PAM_FAILED; };
  Form->EditUndoLastMajorChangeClick(nullptr);
  Form->PlaceUndoCopy = nullptr;
  EXPECT_EQ(Boxes("ZUB Quillon Error"), 1);

  EXPECT_EQ(Form->GetCurrentFile(), Lowered);
  EXPECT_EQ(Undo->getPointer(Slot), Copy);
  EXPECT_EQ(Lowered->undoCopyIndex1, Slot);
}

// Convert asks for one file with its own title and hands the chosen file to the engine's text-format tool.
TEST_F(ValidateCommandsTest, ConvertAsksForOneFileAndRunsTheToolOnIt) {
  const std::string Path = Dir + "/convert.txt";
  std::ofstream(Path, std::ios::binary) << "one\r\ntwo\r\n";
  TPTOpenDlg* Dialog = Form->PTOpenDialog;
  TPTOpenOptions Options = Dialog->Options();
  Options.Include(ptofAllowMultiselect);
  Dialog->SetOptions(Options);
  std::string Title;
  bool Multiselect = true;
  const TNotifyEvent Before = Dialog->OnFormShow;
  Dialog->OnFormShow = [&](TObject*) {
    Title = Dialog->Title;
    Multiselect = Dialog->Options().Contains(ptofAllowMultiselect);
    Dialog->Form()->SetFilename(Path);
    Dialog->Form()->ModalResult = mrOk;
  };
  Form->ToolsConvertClick(nullptr);
  Dialog->OnFormShow = Before;
  EXPECT_EQ(Title, "Select File to Convert");
  EXPECT_FALSE(Multiselect);
  EXPECT_TRUE(Dialog->Options().Contains(ptofAllowMultiselect));  // restored
  EXPECT_STREQ(prg->volatileState->lastValidatedFile.text, Path.c_str());
  EXPECT_STREQ(prg->tools->lastToolFile.text, Path.c_str());
}
