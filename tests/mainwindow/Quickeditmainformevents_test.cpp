// The main window's idle processing, hot key, hidden message window and splash.
#include "MainFormFixture.h"

#include "core/Commandqueue.h"
#include "core/Splashstatus.h"
#include "mainwindow/Splashform.h"

#include "platform/controls/TestHarnessDesktop.h"
#include "platform/win/Atoms.h"
#include "platform/win/Desktop.h"

#include <cstdio>

namespace {

int F2HotKeys(HWND Wnd) {
  int Count = 0;
  for (const THotKey& Key : RegisteredHotKeys()) {
    if (Key.Wnd == Wnd && Key.Vk == VK_F2) {
      ++Count;
    }
  }
  return Count;
}

void RunIdle(TZUBQEForm* Form) {
  bool Done = true;
  Form->ApplicationIdle(Application, Done);
}

TEST_F(MainFormTest, IdleWithTheFocusInTheResultsListEnablesTheEditCommands) {
  Form->Show();
  Form->ResultsListView->SetVisible(true);
  // An empty read-only document editor would disable all of them.
  Form->EasyEdit1->GetEditSource()->SetReadOnly(true);
  for (TTBCustomItem* Item : {Form->EditCut, Form->EditCopy, Form->EditPaste, Form->EditSelectAll, Form->EditUndo}) {
    Item->SetEnabled(false);
  }
  Form->SetActiveControl(Form->ResultsListView);
  RunIdle(Form);
  for (TTBCustomItem* Item : {Form->EditCut, Form->EditCopy, Form->EditPaste, Form->EditSelectAll, Form->EditUndo}) {
    EXPECT_TRUE(Item->Enabled()) << Item->Name();
  }
  // In the empty read-only editor itself they follow the editor.
  Form->SetActiveControl(Form->EasyEdit1);
  RunIdle(Form);
  for (TTBCustomItem* Item : {Form->EditCut, Form->EditPaste, Form->EditSelectAll, Form->SearchReplace}) {
    EXPECT_FALSE(Item->Enabled()) << Item->Name();
  }
  EXPECT_EQ(prg->volatileState->idleReached, 1);
}

TEST_F(MainFormTest, FirstIdleFreesTheSplash) {
  auto* Splash = new TSplashForm(nullptr);
  Splash->AfterConstruction();
  ASSERT_EQ(GetSplashWindow(), Splash);
  EXPECT_EQ(SplashStatus("Reading registry..."), 0);
  EXPECT_EQ(Splash->StatusLabel->Caption(), "Reading registry...");
  EXPECT_EQ(Form->SplashForm(), Splash);
  RunIdle(Form);
  EXPECT_EQ(GetSplashWindow(), nullptr);
  EXPECT_EQ(Form->SplashForm(), nullptr);
  EXPECT_EQ(SplashStatus("after"), 0);  // no splash: nothing to write to
}

TEST_F(MainFormTest, SplashHasNoTaskbarEntryAndIsNotTopmost) {
  auto* Splash = new TSplashForm(nullptr);
  Splash->AfterConstruction();
  const HWND Wnd = Splash->Handle();
  EXPECT_EQ(GetWindowLongPtr(Wnd, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_TOPMOST), 0);
  EXPECT_EQ(static_cast<HWND>(GetWindowLongPtr(Wnd, GWLP_HWNDPARENT)), GetDesktopWindow());
  Splash->ShowStatus("Loading...");
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_FALSE(Harness::HasTaskbarEntry(Wnd));
  EXPECT_TRUE(Harness::HasTaskbarEntry(Form->Handle()));
  CloseSplash();
}

TEST_F(MainFormTest, TheSplashMovesWithTheMouse) {
  auto* Splash = new TSplashForm(nullptr);
  Splash->AfterConstruction();
  Splash->SetBounds(100, 100, Splash->Width(), Splash->Height());
  Splash->ShowStatus("Loading...");
  Harness::RunUntilIdle();
  const HWND Wnd = Splash->Handle();
  // A press on the panel and a drag: the window follows the pointer until the button goes up.
  Harness::MouseDown(Wnd, TPoint{40, 40});
  Harness::MouseMove(Wnd, TPoint{50, 45});
  Harness::MouseMove(Wnd, TPoint{90, 70});
  Harness::MouseUp(Wnd, TPoint{90, 70});
  Harness::RunUntilIdle();
  EXPECT_GT(Splash->Left(), 100);
  EXPECT_GT(Splash->Top(), 100);
  CloseSplash();
}

TEST_F(MainFormTest, TheTitleNamesTheFileOpenedAtStart) {
  const std::string Path = Dir + "/start.html";
  FILE* F = fopen(Path.c_str(), "w");
  ASSERT_NE(F, nullptr);
  fputs("<p>start</p>\n", F);
  fclose(F);
  // As the start hands the command line over: queued, opened by the first idle.
  ASSERT_EQ(ProcessCommandLine(Form->Handle(), ("\"" + Path + "\"").c_str()), COMMANDLINE_QUEUED);
  Form->Show();
  RunIdle(Form);
  EXPECT_EQ(Form->Caption(), "ZUB Quillon Pro v6.01 - " + Path);
  EXPECT_EQ(Application->Title, Form->Caption());
}

TEST_F(MainFormTest, HotKeyIsRegisteredExactlyWhileTheApplicationIsInTheBackground) {
  prg->interface->flags.set(IF40::HotKey, true);
  const HWND Wnd = Form->Handle();
  for (int Round = 0; Round < 3; ++Round) {
    Form->ApplicationDeactivate(Application);
    EXPECT_EQ(F2HotKeys(Wnd), 1) << Round;
    Form->ApplicationActivate(Application);
    EXPECT_EQ(F2HotKeys(Wnd), 0) << Round;
  }
  Form->ApplicationDeactivate(Application);
  Form->ApplicationDeactivate(Application);
  EXPECT_EQ(F2HotKeys(Wnd), 1);
  Form->ApplicationActivate(Application);
  // Without the option nothing is registered.
  prg->interface->flags.set(IF40::HotKey, false);
  Form->ApplicationDeactivate(Application);
  EXPECT_EQ(F2HotKeys(Wnd), 0);
}

TEST_F(MainFormTest, TheDesktopsActivationChangesRegisterTheHotKeyOnlyInTheBackground) {
  prg->interface->flags.set(IF40::HotKey, true);
  Form->Show();
  SetActiveWindow(Form->Handle());
  const HWND Wnd = Form->Handle();
  for (int Round = 0; Round < 3; ++Round) {
    Harness::OtherProgramTakesFocus();
    EXPECT_EQ(F2HotKeys(Wnd), 1) << Round;
    Harness::DesktopActivates(Wnd);
    EXPECT_EQ(F2HotKeys(Wnd), 0) << Round;
  }
}

TEST_F(MainFormTest, AWindowIconifiedOnTheDesktopComesBackWhenTheDesktopRestoresIt) {
  Form->Show();
  Form->SetWindowState(wsMinimized);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Harness::IconifiedOnDesktop(Form->Handle()));
  Harness::DesktopRestores(Form->Handle());
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->WindowState(), wsNormal);
  EXPECT_FALSE(Harness::IconifiedOnDesktop(Form->Handle()));
}

TEST_F(MainFormTest, HotKeyRestoresAMinimisedWindow) {
  Form->Show();
  Form->SetWindowState(wsMinimized);
  ASSERT_EQ(Form->WindowState(), wsMinimized);
  SendMessage(Form->Handle(), WM_HOTKEY, 0, MAKELONG(0, VK_F2));
  EXPECT_NE(Form->WindowState(), wsMinimized);
}

TEST_F(MainFormTest, RemoteCommandAtomsAreAlwaysDeletedAndAtomZeroIgnored) {
  const std::size_t Before = static_cast<std::size_t>(prg->volatileState->commandQueue.getCount());
  const ATOM Atom = GlobalAddAtom("-BringToFront");
  ASSERT_NE(Atom, 0);
  SendMessage(MessageWindow->Handle(), WM_ZUB_REMOTE_COMMAND, 0, Atom);
  EXPECT_EQ(GlobalFindAtom("-BringToFront"), 0);
  ASSERT_EQ(static_cast<std::size_t>(prg->volatileState->commandQueue.getCount()), Before + 1);
  EXPECT_STREQ(prg->volatileState->commandQueue.getString(static_cast<int>(Before)), "-BringToFront");
  SendMessage(MessageWindow->Handle(), WM_ZUB_REMOTE_COMMAND, 0, 0);
  EXPECT_EQ(static_cast<std::size_t>(prg->volatileState->commandQueue.getCount()), Before + 1);
  prg->volatileState->shuttingDown = 1;
  const ATOM Late = GlobalAddAtom("-o late.html");
  SendMessage(MessageWindow->Handle(), WM_ZUB_REMOTE_COMMAND, 0, Late);
  EXPECT_EQ(GlobalFindAtom("-o late.html"), 0);
  EXPECT_EQ(static_cast<std::size_t>(prg->volatileState->commandQueue.getCount()), Before + 1);
  prg->volatileState->shuttingDown = 0;
}

TEST_F(MainFormTest, MessageWindowIsFoundByClassAndCaption) {
  EXPECT_EQ(FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION), MessageWindow->Handle());
  EXPECT_FALSE(MessageWindow->Visible());
}

}  // namespace
