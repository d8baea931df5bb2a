// The main window laid out whole from its layout, its set-up, idle processing, hot key, message boxes, status bar
// and title.
#include "MainFormFixture.h"
#include "MainFormNames.h"

#include "core/Fileinfoclass.h"
#include "core/Mainwindowservices.h"
#include "core/Errorreport.h"

#include "platform/classes/TypInfo.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RegistryStore.h"

namespace {

TEST_F(MainFormTest, EveryNamedComponentAndHandlerResolves) {
  for (const char* Name : MainFormComponentNames) {
    EXPECT_NE(Form->FindComponent(Name), nullptr) << Name;
  }
  for (const char* Name : MainFormHandlerNames) {
    EXPECT_NE(MethodAddress(TZUBQEForm::StaticClass(), Name), nullptr) << Name;
  }
  EXPECT_EQ(Form->ActiveControl(), Form->EasyEdit1);
  EXPECT_EQ(Form->StatusBar->Panels()->Count(), 4);
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Width(), 1600);
  EXPECT_EQ(Form->ResultsPageControl->PageCount(), 7);
  EXPECT_EQ(Form->ResourcePageControl->PageCount(), 5);
}

TEST_F(MainFormTest, RegistersItselfAsTheCoresMainWindowAndMessageBox) {
  EXPECT_TRUE(HasMainWindow());
  EXPECT_EQ(&MainWindow(), static_cast<MainWindowServices*>(Form));
  EXPECT_EQ(GetMainWindowMessageBox(), static_cast<MainWindowMessageBox*>(Form));
  delete Form;
  Form = nullptr;
  EXPECT_FALSE(HasMainWindow());
  EXPECT_EQ(GetMainWindowMessageBox(), nullptr);
}

TEST_F(MainFormTest, CreationSetsHintsBookmarksAndSpellConfiguration) {
  EXPECT_EQ(Form->TagsStartTag->Hint(), "Start tag.");
  EXPECT_EQ(Form->TagsHeadingsH3->Hint(), "Heading 3.");
  EXPECT_EQ(Form->OptionsTagInserterReload->Hint(),
            "Delete the Tag Inserter and recreate it to reread its configuration.");
  ASSERT_EQ(Form->EditorPopupToggleBookmark->Count(), 10);
  ASSERT_EQ(Form->EditorPopupGotoBookmark->Count(), 10);
  for (int I = 0; I < 10; ++I) {
    TTBCustomItem* Toggle = Form->EditorPopupToggleBookmark->Items(I);
    EXPECT_EQ(Toggle->Caption(), "Bookmark &" + std::to_string(I));
    EXPECT_EQ(Toggle->Tag(), I);
    EXPECT_EQ(Toggle->ShortCut(), ShortCut(static_cast<Word>('0' + I), TShiftState{ssCtrl, ssShift}));
    EXPECT_EQ(Form->EditorPopupGotoBookmark->Items(I)->ShortCut(), ShortCut(static_cast<Word>('0' + I), {ssCtrl}));
  }
  EXPECT_FALSE(Form->EditorPopupToggleBookmark->DropdownCombo());
  ASSERT_NE(Form->LexiSpell, nullptr);
  // The spell configuration lives under the program's own key.
  HKEY Key = 0;
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Palvane\\ZUB Quillon v4\\Dictionary", 0, KEY_READ, &Key),
            ERROR_SUCCESS);
  if (Key != 0) {
    RegCloseKey(Key);
  }
  EXPECT_TRUE(Form->TreeStructureTabSheet->TabVisible() == false);
  EXPECT_FALSE(Form->Editor2Panel->Visible());
  EXPECT_EQ(Form->CurrentEditor, Form->EasyEdit1);
}

// A stored split ratio out of range is corrected in the settings and used corrected.
class MainFormSplitRatio : public MainFormTest {
protected:
  void SetUp() override {
    PrepareFolders();
    Harness::Start();
    MakeRootAndSettings();
    prg->interface->structureSplit = 0.02f;
    prg->interface->scratchPadSplit = 0.99f;
    MakeForms();
  }
};

TEST_F(MainFormSplitRatio, OutOfRangeRatiosAreStoredAndUsedCorrected) {
  EXPECT_FLOAT_EQ(prg->interface->structureSplit, 0.1f);
  EXPECT_FLOAT_EQ(prg->interface->scratchPadSplit, 0.9f);
  EXPECT_EQ(Form->TagCountListView->Width(),
            std::max(50, static_cast<int>(static_cast<float>(Form->StructureSheet->Width()) * 0.1f)));
}

TEST_F(MainFormTest, MessageBoxFlagsGoThroughTheDialogService) {
  struct Case {
    int Flags;
    UINT Icon;
    bool Shown;
    bool OnStatusBar;
  };
  const Case Cases[] = {
      {MSG_ERROR, MB_ICONERROR, true, true},
      {MSG_INFORMATION, MB_ICONINFORMATION, true, true},
      {MSG_ERROR | MSG_INFORMATION, MB_ICONINFORMATION, true, true},
      {MSG_QUESTION, MB_ICONQUESTION, true, true},
      {MSG_ERROR | MSG_NOT_ON_STATUS_BAR, MB_ICONERROR, true, false},
      {MSG_STATUS_BAR_ONLY, 0, false, true},
      {MSG_STATUS_BAR_ONLY | MSG_NOT_ON_STATUS_BAR, 0, false, false},
  };
  for (const Case& C : Cases) {
    Form->StatusBar->Panels()->Items(3)->SetText("before");
    const std::size_t Before = Dialogs.Shown().size();
    if ((C.Flags & MSG_QUESTION) != 0) {
      Dialogs.QueueAnswer(IDNO);
    }
    const int Answer = Form->ShowMessageBox(StrStore("the text"), StrStore(""), C.Flags);
    const auto Shown = Dialogs.Shown();
    ASSERT_EQ(Shown.size(), Before + (C.Shown ? 1 : 0)) << C.Flags;
    if (C.Shown) {
      const TDialogRequest& R = Shown.back();
      EXPECT_EQ(R.Caption, "ZUB Quillon Pro") << C.Flags;
      EXPECT_EQ(R.Text, "the text");
      EXPECT_EQ(R.Flags & MB_ICONMASK, C.Icon) << C.Flags;
      EXPECT_NE(R.Flags & MB_SETFOREGROUND, 0u);
      EXPECT_EQ(R.Owner, Form->Handle());
    }
    EXPECT_EQ(Answer, (C.Flags & MSG_QUESTION) != 0 ? IDNO : 0) << C.Flags;
    EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), C.OnStatusBar ? "the text" : "before") << C.Flags;
  }
}

TEST_F(MainFormTest, TheInformationBoxesShowTheirTexts) {
  EXPECT_EQ(Form->ShowInfoKind(INFO_NO_MESSAGES), 0);
  EXPECT_EQ(Form->ShowInfoKind(INFO_NOT_IMPLEMENTED), 0);
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Text, "There are no messages available.");
  EXPECT_EQ(Shown[0].Caption, "Quillon: No Messages");
  EXPECT_EQ(Shown[1].Text, "This feature is not yet implemented.");
  EXPECT_EQ(Shown[1].Caption, "Quillon: Feature Not Available");
}

TEST_F(MainFormTest, StatusStateIsWrittenOnlyWhenItChanges) {
  TStatusPanel* State = Form->StatusBar->Panels()->Items(2);
  EXPECT_EQ(Form->UpdateStatusPanels(STATUS_CHANGED, 0, 0), 0);
  EXPECT_EQ(State->Text(), "CHANGED");
  State->SetText("untouched");
  EXPECT_EQ(Form->UpdateStatusPanels(STATUS_CHANGED, 0, 0), 0);
  EXPECT_EQ(State->Text(), "untouched");
  EXPECT_EQ(Form->UpdateStatusPanels(STATUS_BY_STATE, 0, 1), 0);
  EXPECT_EQ(State->Text(), "READ ONLY");
  EXPECT_EQ(Form->UpdateStatusPanels(STATUS_BY_STATE, 0, 0), 0);
  EXPECT_EQ(State->Text(), "UNCHANGED");
  EXPECT_EQ(Form->UpdateStatusPanels(STATUS_CLEAR_STATE, 0, 0), 0);
  EXPECT_EQ(State->Text(), "");
  EXPECT_EQ(Form->StatusBar->Tag(), 0);
  prg->volatileState->shuttingDown = 1;
  EXPECT_EQ(Form->UpdateStatusPanels(STATUS_CHANGED, 0, 0), 1);
  EXPECT_EQ(State->Text(), "");
  prg->volatileState->shuttingDown = 0;
}

TEST_F(MainFormTest, TitleNamesTheDocumentItsStateAndShutdown) {
  // The untitled document the window made at its creation, named and changed.
  fileinfoclass* Document = Form->GetCurrentFile();
  ASSERT_NE(Document, nullptr);
  Document->name = "/work/page.html";
  Document->text->Modified = true;
  Document->text->SetReadOnly(true);
  EXPECT_EQ(Form->GetTitleText(Form->TabControl1),
            "ZUB Quillon Pro v6.01 - " + std::string(Document->GetName(NAME_DISPLAY)) + "** - [READ-ONLY]");
  EXPECT_EQ(Application->Title, Form->GetTitleText(Form->TabControl1));
  prg->volatileState->shuttingDown = 1;
  Form->UpdateTitle(0);
  EXPECT_EQ(Form->Caption(), "[shutting down]");
  Form->UpdateTitle(TITLE_SKIP);
  EXPECT_EQ(Form->Caption(), "[shutting down]");
  prg->volatileState->shuttingDown = 0;
}

TEST_F(MainFormTest, FormBoundsAreRecordedOnlyInTheNormalState) {
  Form->Show();
  Form->SetBounds(30, 40, 700, 500);
  Form->SaveFormBounds();
  EXPECT_EQ(prg->volatileState->normalBoundsKnown, 1);
  EXPECT_EQ(prg->volatileState->normalLeft, 30);
  EXPECT_EQ(prg->volatileState->normalWidth, 700);
  Form->SetWindowState(wsMaximized);
  Form->SaveFormBounds();
  EXPECT_EQ(prg->volatileState->normalWidth, 700);
  Form->SetWindowState(wsNormal);
  prg->interface->flags.set(IF40::FullScreen, true);
  Form->SetBounds(0, 0, 900, 600);
  Form->SaveFormBounds();
  EXPECT_EQ(prg->volatileState->normalWidth, 700);
}

}  // namespace

namespace {

TEST_F(MainFormTest, AWindowDeletedBeforeTheRootTakesItsTabSetsAlong) {
  PointerArrayManager* Tabs = prg->volatileState->tabs;
  ASSERT_EQ(Tabs->getCount(), 2);
  delete Form;
  Form = nullptr;
  EXPECT_EQ(Tabs->getCount(), 0);
}

}  // namespace

namespace {

std::string RegistryText(HKEY Key, const char* Name) {
  char Buffer[256] = {};
  DWORD Size = sizeof(Buffer);
  DWORD Type = 0;
  if (RegQueryValueEx(Key, Name, nullptr, &Type, reinterpret_cast<BYTE*>(Buffer), &Size) != ERROR_SUCCESS) {
    return "<missing>";
  }
  return std::string(Buffer);
}

}  // namespace

// The spell checker keeps its configuration under the program's key, one subkey per user, with the options the
// window gave it; the window's end writes it.
TEST_F(MainFormTest, TheSpellConfigurationIsWrittenUnderTheProgramsKeyPerUser) {
  ASSERT_TRUE(Form->CloseQuery());
  Root.reset();
  delete MessageWindow;
  MessageWindow = nullptr;
  delete Form;
  Form = nullptr;
  HKEY Key = 0;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Palvane\\ZUB Quillon v4\\Dictionary", 0, KEY_READ, &Key),
            ERROR_SUCCESS);
  char User[256] = {};
  DWORD Length = sizeof(User);
  ASSERT_EQ(RegEnumKeyEx(Key, 0, User, &Length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_NE(std::string(User), "");
  EXPECT_EQ(std::string(User).find('%'), std::string::npos);  // the variable is expanded
  HKEY Config = 0;
  ASSERT_EQ(RegOpenKeyEx(Key, User, 0, KEY_READ, &Config), ERROR_SUCCESS);
  EXPECT_EQ(RegistryText(Config, "_FirstRun"), "+");
  for (const char* On : {"_soHTML", "_soInternet", "_soRepeated", "_soNumbers"}) {
    EXPECT_EQ(RegistryText(Config, On), "+") << On;
  }
  EXPECT_EQ(RegistryText(Config, "_soUpcase"), "-");
  EXPECT_NE(RegistryText(Config, "_Main_count"), "<missing>");
  RegCloseKey(Config);
  RegCloseKey(Key);
}
