// The editor options window and the document-type window, shown from the main window's "Editor Options..."
// command and driven through the harness.
#include "MainFormFixture.h"

#include "core/Ekregistryex.h"
#include "core/Fileinfoclass.h"
#include "core/Parserclass.h"
#include "mainwindow/Editoroptionsfrm.h"
#include "mainwindow/Editparser.h"
#include "tests/support/ModalWindowDriver.h"

#include "platform/controls/Dialogs.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using TestSupport::TModalWindowDriver;

namespace {

struct TWords {
  std::uint32_t Editor, I40, I2, I3;
  bool operator==(const TWords&) const = default;
};

class EditorOptionsTest : public MainFormTest {
protected:
  void TearDown() override {
    SetShellExecuteRecording(false);
    RegistrySetReadOnly(HKEY_CURRENT_USER, false);
    MainFormTest::TearDown();
  }
  // Shows the window through the main window's command with Act run on it; whether it was driven.
  bool Show(const std::function<void(TEditorOptionsForm&)>& Act) {
    TModalWindowDriver Driver(EDITOR_OPTIONS_CAPTION, [&](TForm& F) { Act(dynamic_cast<TEditorOptionsForm&>(F)); });
    Driver.Arm();
    Form->OptionsEditorOptions->Click();
    Harness::RunUntilIdle();
    EXPECT_EQ(Driver.OwnerWindow(), Form->Handle());
    return Driver.Driven();
  }
  static TWords Settings() {
    return {prg->editorOptions->flags.bits, prg->interface->flags.bits, prg->interface->flags2.bits,
            prg->interface->flags3.bits};
  }
  static TWords Copies(TEditorOptionsForm& F) {
    return {F.Options->flags.bits, F.Flags40.bits, F.Flags2V45.bits, F.Flags3.bits};
  }
  static int Stored(const char* Key, const char* Value) {
    EkRegistryEx Reg(0);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKey(std::string(SETTINGS_ROOT) + "\\" + Key, false)) {
      return -12345;
    }
    return Reg.ReadInteger(Value);
  }
  static void Press(TEditorOptionsForm& F, const char* Button) { TModalWindowDriver::Press(F, Button); }
  // Toggles a check box as a click on it does.
  static void Toggle(TCheckBox* Box) { Box->SetChecked(!Box->Checked()); }
  parserclass* DocumentType(const char* Key) {
    return FindParser(prg->volatileState->documentTypes, FINDPARSER_BY_KEY, 0, Key);
  }
  TListItem* Row(TEditorOptionsForm& F, const std::string& Caption) {
    for (int I = 0; I < F.FileTypesListView->Items()->Count(); ++I) {
      if (F.FileTypesListView->Items()->Item(I)->Caption() == Caption) {
        return F.FileTypesListView->Items()->Item(I);
      }
    }
    return nullptr;
  }
};

TEST_F(EditorOptionsTest, EveryCheckBoxSetsExactlyItsBit) {
  const TWords Before = Settings();
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    for (int I = 0; I < OPTION_CHECK_BOX_COUNT; ++I) {
      const TOptionCheckBox& Box = OptionCheckBoxes[static_cast<std::size_t>(I)];
      TCheckBox* Check = F.OptionCheckBox(I);
      ASSERT_NE(Check, nullptr) << Box.Name;
      const TWords Was = Copies(F);
      Toggle(Check);
      TWords Expected = Was;
      std::uint32_t& Word = Box.Word == OptionWord::EditorOptions   ? Expected.Editor
                            : Box.Word == OptionWord::Interface40   ? Expected.I40
                            : Box.Word == OptionWord::Interface2V45 ? Expected.I2
                                                                    : Expected.I3;
      Word ^= Box.Bit;
      EXPECT_EQ(Copies(F), Expected) << Box.Name;
      EXPECT_EQ(Check->Checked(), (Word & Box.Bit) != 0) << Box.Name;
    }
    Press(F, "OKBtn");
  }));
  // Every bit of the table flipped, nothing else.
  TWords Flipped = Before;
  for (const TOptionCheckBox& Box : OptionCheckBoxes) {
    (Box.Word == OptionWord::EditorOptions   ? Flipped.Editor
     : Box.Word == OptionWord::Interface40   ? Flipped.I40
     : Box.Word == OptionWord::Interface2V45 ? Flipped.I2
                                             : Flipped.I3) ^= Box.Bit;
  }
  EXPECT_EQ(Settings(), Flipped);
}

TEST_F(EditorOptionsTest, CancelKeepsEverySettingAndOKAppliesAndSavesThemAtOnce) {
  const TWords Before = Settings();
  const int Margin = prg->editorOptions->rightMargin;
  auto Change = [](TEditorOptionsForm& F) {
    Toggle(dynamic_cast<TCheckBox*>(F.FindComponent("AutoIndentCheckBox")));
    TModalWindowDriver::Click(F, "AutoSaveBeforeViewingCheckBox");  // on the page shown, as the mouse gives it
    Harness::RunUntilIdle();
    Toggle(dynamic_cast<TCheckBox*>(F.FindComponent("AutoLinkCheckCheckBox")));
    Toggle(dynamic_cast<TCheckBox*>(F.FindComponent("LeaveTrailingSpacesCheckBox")));
    F.RightMarginEdit->SetText("72");
  };
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    Change(F);
    Press(F, "CancelBtn");
  }));
  EXPECT_EQ(Settings(), Before);
  EXPECT_EQ(prg->editorOptions->rightMargin, Margin);

  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    // The window starts from the settings again, not from what was cancelled.
    EXPECT_EQ(Copies(F), Before);
    EXPECT_EQ(F.PageControl->ActivePage(), F.GeneralSheet);
    Change(F);
    Press(F, "OKBtn");
  }));
  const TWords After{Before.Editor ^ 0x800, Before.I40 ^ 0x800000, Before.I2 ^ 0x800000, Before.I3 ^ 0x1};
  EXPECT_EQ(Settings(), After);
  EXPECT_EQ(prg->editorOptions->rightMargin, 72);
  EXPECT_EQ(static_cast<std::uint32_t>(Stored("Editor\\Options", "Flags40")), After.Editor);
  EXPECT_EQ(static_cast<std::uint32_t>(Stored("Editor\\Interface", "Flags40")), After.I40);
  EXPECT_EQ(static_cast<std::uint32_t>(Stored("Editor\\Interface", "Flags2V45")), After.I2);
  EXPECT_EQ(static_cast<std::uint32_t>(Stored("Editor\\Interface", "Flags3")), After.I3);
  EXPECT_EQ(Stored("Editor\\Interface", "RightMargin"), 72);
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(EditorOptionsTest, ARightMarginThatIsNotAbove1KeepsTheStoredMargin) {
  for (const char* Typed : {"1", "0", "abc", "-5", ""}) {
    prg->editorOptions->rightMargin = 80;
    ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
      EXPECT_EQ(F.RightMarginEdit->Text(), "80");
      F.RightMarginEdit->SetText(Typed);
      Press(F, "OKBtn");
    }));
    EXPECT_EQ(prg->editorOptions->rightMargin, 80) << Typed;
  }
}

TEST_F(EditorOptionsTest, RadioGroupsShowTheStoredValuesAndUnknownValuesStay) {
  struct TCase {
    int Format, Action;
    int FormatItem, ActionItem;
  };
  for (const TCase& C : {TCase{1, 1, 0, 0}, TCase{3, 2, 1, 1}, TCase{2, 3, 2, 2}, TCase{5, 0, -1, -1}}) {
    prg->editorOptions->saveFileFormat = C.Format;
    prg->editorOptions->docChangeAction = C.Action;
    ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
      EXPECT_EQ(F.SaveFileFormatRadioGroup->ItemIndex(), C.FormatItem) << C.Format;
      EXPECT_EQ(F.DocumentChangesRadioGroup->ItemIndex(), C.ActionItem) << C.Action;
      Press(F, "OKBtn");
    }));
    EXPECT_EQ(prg->editorOptions->saveFileFormat, C.Format);
    EXPECT_EQ(prg->editorOptions->docChangeAction, C.Action);
  }
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    F.SaveFileFormatRadioGroup->SetItemIndex(2);
    F.DocumentChangesRadioGroup->SetItemIndex(1);
    Press(F, "OKBtn");
  }));
  EXPECT_EQ(prg->editorOptions->saveFileFormat, 2);
  EXPECT_EQ(prg->editorOptions->docChangeAction, 2);
}

TEST_F(EditorOptionsTest, FontAndColourDialogsAnsweredByScript) {
  TDialogAnswer Font(IDOK);
  Font.Params = {{"Name", "DejaVu Sans Mono"}, {"Size", "13"}, {"Style", "fsBold,fsItalic"}};
  Dialogs.QueueAnswer(Font);
  TDialogAnswer Colour(IDOK);
  Colour.Params = {{"Color", std::to_string(0x123456)}};
  Dialogs.QueueAnswer(Colour);
  Colour.Params = {{"Color", std::to_string(0x00FFEE)}};
  Dialogs.QueueAnswer(Colour);
  Colour.Params = {{"Color", std::to_string(0x0000AA)}};
  Dialogs.QueueAnswer(Colour);
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    F.ChangeFontBtn->Click();
    F.ChangeColorBtn->Click();
    F.BackgroundColorBtn->Click();
    F.LineNumberColorBtn->Click();
    EXPECT_EQ(F.FontNameLabel->Caption(), "Font name: DejaVu Sans Mono");
    EXPECT_EQ(F.FontSizeLabel->Caption(), "Font size: 13");
    EXPECT_EQ(F.FontExampleLabel->Font()->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(F.FontExampleLabel->Font()->Color(), static_cast<TColor>(0x123456));
    EXPECT_EQ(F.FontExampleLabel->Color(), static_cast<TColor>(0x00FFEE));
    Press(F, "OKBtn");
  }));
  const std::vector<TDialogRequest> Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 4u);
  EXPECT_EQ(Shown[0].Kind, "FontDialog");
  EXPECT_EQ(Shown[0].Params.at("Name"), "Courier New");
  for (const char* Option : {"fdAnsiOnly", "fdFixedPitchOnly", "fdForceFontExist", "fdNoVectorFonts"}) {
    EXPECT_NE(Shown[0].Params.at("Options").find(Option), std::string::npos) << Option;
  }
  for (const char* Option : {"fdEffects", "fdShowHelp"}) {
    EXPECT_EQ(Shown[0].Params.at("Options").find(Option), std::string::npos) << Option;
  }
  EXPECT_EQ(Shown[1].Kind, "ColorDialog");
  EXPECT_EQ(Shown[1].Params.at("Color"), std::to_string(0x800000));  // the stored font colour
  EXPECT_NE(Shown[1].Params.at("Options").find("cdAnyColor"), std::string::npos);
  prgconfigclass& O = *prg->editorOptions;
  EXPECT_EQ(O.editorFont->Name(), "DejaVu Sans Mono");
  EXPECT_EQ(O.editorFont->Size(), 13);
  EXPECT_TRUE(O.editorFont->Style().Empty());  // plain whatever was chosen
  EXPECT_EQ(O.fontColor, static_cast<TColor>(0x123456));
  EXPECT_EQ(O.backgroundColor, static_cast<TColor>(0x00FFEE));
  EXPECT_EQ(O.lineNumberColor, static_cast<TColor>(0x0000AA));
}

TEST_F(EditorOptionsTest, TheNoExtensionComboSelectsByFileTypeKey) {
  prg->editorOptions->noExtensionFileType.assign("css");
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    TComboBox* Combo = F.NoExtensionFileTypeComboBox;
    EXPECT_EQ((*Combo->Items())[0], "Unrecognized");
    EXPECT_EQ((*Combo->Items())[Combo->ItemIndex()], "CSS");
    EXPECT_EQ(Combo->Items()->Count(), prg->volatileState->documentTypes->getCount() + 1);
    Combo->SetItemIndex(Combo->Items()->IndexOf("HTML"));
    Press(F, "OKBtn");
  }));
  EXPECT_STREQ(prg->editorOptions->noExtensionFileType.text, "HTML");

  prg->editorOptions->noExtensionFileType.assign("NOSUCHTYPE");
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    EXPECT_EQ(F.NoExtensionFileTypeComboBox->ItemIndex(), 0);
    Press(F, "OKBtn");
  }));
  EXPECT_STREQ(prg->editorOptions->noExtensionFileType.text, "");
}

TEST_F(EditorOptionsTest, OKDecidesTheKindOfOpenDocumentsAgain) {
  const std::string Plain = Dir + "/README";
  std::ofstream(Plain) << "<p>no extension</p>\n";
  ASSERT_EQ(Form->AddNewFileTab(nullptr, Plain.c_str(), 0, nullptr), 0);
  fileinfoclass* Document = Form->GetCurrentFile();
  ASSERT_NE(Document->GetFileType(0), FILETYPE_HTML);
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    TComboBox* Combo = F.NoExtensionFileTypeComboBox;
    Combo->SetItemIndex(Combo->Items()->IndexOf("HTML"));
    Press(F, "OKBtn");
  }));
  EXPECT_EQ(Document->GetFileType(0), FILETYPE_HTML);
}

TEST_F(EditorOptionsTest, ADocumentTypeEditedThenCancelledKeepsTheEdit) {
  parserclass* Css = DocumentType("CSS");
  ASSERT_NE(Css, nullptr);
  ASSERT_TRUE(Css->flags.has(PF::SyntaxHighlighting));
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    F.PageControl->SetActivePage(F.FileTypesSheet);
    EXPECT_EQ(F.FileTypesListView->Selected(), nullptr);
    TListItem* Item = Row(F, "CSS");
    ASSERT_NE(Item, nullptr);
    EXPECT_EQ(Item->SubItems()->Strings(0), "On");
    EXPECT_EQ(Item->SubItems()->Strings(1), "CSS");
    F.FileTypesListView->SetSelected(Item);
    TModalWindowDriver Edit("Edit Options for CSS Documents", [](TForm& E) {
      auto& Window = dynamic_cast<TEditParserForm&>(E);
      EXPECT_EQ(Window.FileExtEdit->Text(), "CSS");
      EXPECT_TRUE(Window.EnableParserCheckBox->Checked());
      EXPECT_FALSE(Window.LiveSpellCheckBox->Visible());
      Window.FileExtEdit->SetText(".css, *.less;CSS  scss");
      Window.DelimitersEdit->SetText("{};:");
      Window.EnableParserCheckBox->SetChecked(false);
      TModalWindowDriver::Press(E, "OKBtn");
    });
    Edit.Arm();
    F.EditRowBtn->Click();
    EXPECT_TRUE(Edit.Driven());
    EXPECT_EQ(Edit.OwnerWindow(), F.Handle());
    EXPECT_EQ(Item->SubItems()->Strings(0), "Off");
    EXPECT_EQ(Item->SubItems()->Strings(1), "CSS,LESS,SCSS");
    Press(F, "CancelBtn");
  }));
  EXPECT_STREQ(Css->extensions.text, "CSS,LESS,SCSS");
  EXPECT_STREQ(Css->delimiters.text, "{};:");
  EXPECT_FALSE(Css->flags.has(PF::SyntaxHighlighting));
  // The next showing starts without a selected row.
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    EXPECT_EQ(F.FileTypesListView->Selected(), nullptr);
    EXPECT_EQ(Row(F, "CSS")->SubItems()->Strings(0), "Off");
    Press(F, "CancelBtn");
  }));
}

TEST_F(EditorOptionsTest, EditingWithoutASelectedRowAsksForOne) {
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    F.PageControl->SetActivePage(F.FileTypesSheet);
    F.EditRowBtn->Click();
    Press(F, "CancelBtn");
  }));
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Select Row");
  EXPECT_EQ(Dialogs.Shown()[0].Text, "First select a row to edit.");
}

TEST_F(EditorOptionsTest, HelpOpensThePageOfTheActiveTab) {
  SetShellExecuteRecording(true);
  ClearShellExecuteRecords();
  const std::vector<std::pair<const char*, const char*>> Pages = {{"GeneralSheet", "editorgeneraltab.html"},
                                                                  {"GeneralSheet2", "editorgeneraltab.html"},
                                                                  {"EditorSheet", "editoreditortab.html"},
                                                                  {"Editor2Sheet", "editoreditortab.html"},
                                                                  {"HTMLSheet", "editorhtmltab.html"},
                                                                  {"FileTypesSheet", "editorfiletypestab.html"},
                                                                  {"FileOptionsSheet", "editorfileoptionstab.html"}};
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    EXPECT_EQ(F.PageControl->PageCount(), 7);
    for (int I = 0; I < F.PageControl->PageCount(); ++I) {
      EXPECT_EQ(F.PageControl->Pages(I)->Name(), Pages[static_cast<std::size_t>(I)].first);
      F.PageControl->SetActivePage(F.PageControl->Pages(I));
      F.HelpBtn->Click();
    }
    Press(F, "CancelBtn");
  }));
  const std::vector<TShellExecuteRecord> Opened = ShellExecuteRecords();
  ASSERT_EQ(Opened.size(), Pages.size());
  for (std::size_t I = 0; I < Pages.size(); ++I) {
    EXPECT_EQ(Opened[I].File, std::string(prg->volatileState->documentationFolder.text) + "/" + Pages[I].second);
  }
}

TEST_F(EditorOptionsTest, F4WhileTheWindowShowsBringsItForward) {
  int Loops = 0;
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    ++Loops;
    Form->OptionsEditorOptionsClick(nullptr);  // no second window, no second loop
    EXPECT_TRUE(F.Visible());
    EXPECT_EQ(GetForegroundWindow(), F.Handle());
    Press(F, "CancelBtn");
  }));
  EXPECT_EQ(Loops, 1);
  EXPECT_FALSE(EditorOptionsForm->Visible());
}

TEST_F(EditorOptionsTest, AFailedSaveAfterOKIsReported) {
  const bool Indent = prg->interface->flags.has(IF40::AutoIndent);
  ASSERT_TRUE(Show([&](TEditorOptionsForm& F) {
    Toggle(dynamic_cast<TCheckBox*>(F.FindComponent("AutoIndentCheckBox")));
    RegistrySetReadOnly(HKEY_CURRENT_USER, true);
    Press(F, "OKBtn");
  }));
  RegistrySetReadOnly(HKEY_CURRENT_USER, false);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Options Not Saved");
  EXPECT_NE(prg->interface->flags.has(IF40::AutoIndent), Indent);  // applied all the same
}

TEST(NormalizeExtensions, TypedExtensionsBecomeTheStoredForm) {
  struct TCase {
    const char* Typed;
    const char* Stored;
  };
  for (const TCase& C : {TCase{"htm,html", "HTM,HTML"}, TCase{" .Htm ; *.PHP3  txt ", "HTM,PHP3,TXT"},
                         TCase{"css,CSS,.css", "CSS"}, TCase{"", ""}, TCase{", ;*.", ""}}) {
    EXPECT_EQ(NormalizeExtensions(C.Typed), C.Stored) << C.Typed;
  }
}

}  // namespace
