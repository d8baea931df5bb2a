// The shutdown against recording window stand-ins: what may cancel it, what it writes, and the window geometry.
#include "RecordingWindows.h"
#include "SettingsTestSupport.h"

#include "core/Batchwizclass.h"
#include "core/Ekregistryex.h"
#include "core/Enginedialogs.h"
#include "core/Shutdown.h"

#include "editor/Easyeditsource.h"
#include "editor/Easystrings.h"
#include "platform/win/DialogService.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using Strings = std::vector<std::string>;

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::ostringstream S;
  S << In.rdbuf();
  return S.str();
}

class ShutdownTest : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    ASSERT_EQ(prg->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE), 0);
    Harness::Start();
    Window.Main = TestSupport::Make<TForm>(Application);
    Window.Main->SetBounds(100, 50, 800, 600);
    ASSERT_TRUE(Wizard.CreateBatchWizardForm());
    Wizard.Calls.clear();
  }
  void TearDown() override {
    delete Window.Main;
    Window.Main = nullptr;
    SettingsTest::TearDown();
  }
  volatileclass& State() { return *prg->volatileState; }
  interfaceclass& Interface() { return *prg->interface; }

  static std::string Key(const char* Sub) { return std::string(SETTINGS_ROOT) + "\\" + Sub; }
  static bool KeyExists(const char* Sub) {
    EkRegistryEx Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    (void)Reg.OpenKeyReadOnlyEx(Key(Sub));  // an absent key leaves no current key
    return Reg.CurrentKey() != 0;
  }
  static void WriteList(const char* Sub, const Strings& Entries) {
    StringArrayStore List;
    for (const std::string& E : Entries) {
      ASSERT_EQ(List.addString(E.c_str(), ADDSTRING_AT_END), 1);
    }
    ASSERT_EQ(List.saveToRegistry(HKEY_CURRENT_USER, Key(Sub).c_str(), HISTORY_COUNT_STORED), 1);
  }
  // Count: HISTORY_COUNT_STORED for a list written with its count, else up to the default maximum.
  static Strings ReadList(const char* Sub, int Count = HISTORY_COUNT_STORED) {
    StringArrayStore List;
    (void)StringArrayStore::loadFromRegistry(&List, HKEY_CURRENT_USER, Key(Sub).c_str(), Count);
    Strings Out;
    for (int I = 0; I < List.getCount(); ++I) {
      Out.emplace_back(List.getString(I));
    }
    return Out;
  }

  TScriptedDialogs Dialogs;
  TScopedDialogService DialogScope{Dialogs};
  RecordingMainWindow Window;
  RecordingBatchWizard Wizard;
};

TEST_F(ShutdownTest, CollectsTheWindowStateAndWritesItInOrder) {
  Window.ResultsHeight = 210;
  Window.EditorFont.SetName("DejaVu Sans Mono");
  ASSERT_EQ(Interface().recentDocuments.addString("/tmp/recent.html", 0), 1);
  ASSERT_EQ(prg->batchWizard->recentLists.addString("/tmp/list.zbl", 0), 1);
  TForm* DragDrop = TestSupport::Make<TForm>(Application);
  DragDrop->SetBounds(33, 44, 88, 31);
  SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, DragDrop);
  Interface().flags.set(IF40::DragDropWindow, true);
  EXPECT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  SetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow, nullptr);
  delete DragDrop;
  EXPECT_EQ((std::vector<int>{Interface().dragDropWindowLeft, Interface().dragDropWindowTop}),
            (std::vector<int>{33, 44}));
  EXPECT_EQ(State().shuttingDown, 1);
  // The toolbar layout is saved first, and again by the inserters before their toolbars go.
  EXPECT_EQ(Window.Calls, (Strings{"closeall:1", "toolbars", "formbounds", "toolbars", "deleteoptions"}));
  EXPECT_EQ(Wizard.Calls, (Strings{"query:1", "refresh"}));
  EXPECT_EQ(Interface().resourceSortColumn, 2);
  EXPECT_EQ(Interface().horzSplit1, 210);
  EXPECT_EQ(prg->editorOptions->editorFont->Name(), "DejaVu Sans Mono");
  EXPECT_EQ((Strings{Interface().selectedFolder.text, Interface().selectedFolder2.text}), (Strings{"/srv/one", ""}));
  EXPECT_EQ(Interface().openDialogWidth, 611);
  EXPECT_EQ(Interface().saveDialogHeight, 422);
  EXPECT_FLOAT_EQ(Interface().structureSplit, 0.25f);
  EXPECT_FLOAT_EQ(Interface().scratchPadSplit, 0.5f);
  EXPECT_EQ((std::vector<int>{Interface().batchFormLeft, Interface().batchFormTop, Interface().batchFormWidth,
                              Interface().batchFormHeight}),
            (std::vector<int>{7, 8, 500, 300}));
  EXPECT_EQ(ReadList(RECENT_DOCUMENTS_KEY, HISTORY_COUNT_MAXIMUM), Strings{"/tmp/recent.html"});
  EXPECT_EQ(ReadList(RECENT_TARGET_LISTS_KEY, HISTORY_COUNT_MAXIMUM), Strings{"/tmp/list.zbl"});
  EXPECT_EQ(State().inserters->getCount(), 0);
  // The settings were written after the values above were collected.
  EkRegistryEx Reg;
  Reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_NE(Reg.OpenKeyReadOnlyEx(Key("Editor\\Interface")), 0);
  int Stored = 0;
  ASSERT_NE(Reg.ReadIntegerEx("HorzSplit1Position", Stored), 0);
  EXPECT_EQ(Stored, 210);

  // A second close query finds everything written: it may close at once.
  Window.Calls.clear();
  EXPECT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  EXPECT_TRUE(Window.Calls.empty());
}

TEST_F(ShutdownTest, CancelledQuestionsReturnZeroAndWriteNothing) {
  const std::string Before = Dump();
  Wizard.QueryResult = 1;
  EXPECT_EQ(ShutdownApplication(), SHUTDOWN_CANCELLED);
  EXPECT_TRUE(Window.Calls.empty());

  Wizard.QueryResult = 0;
  Window.CloseAllResult = 1;
  EXPECT_EQ(ShutdownApplication(), SHUTDOWN_CANCELLED);
  EXPECT_EQ(Window.Calls, Strings{"closeall:1"});
  EXPECT_EQ(State().shuttingDown, 0);
  EXPECT_EQ(Dump(), Before);
}

// A maximised or full-screen window keeps the bounds it had when it was last normal.
TEST_F(ShutdownTest, MainWindowBoundsByState) {
  const struct {
    const char* Name;
    TWindowState State;
    bool FullScreen;
    std::vector<int> Stored;
    bool Maximized;
  } Cases[] = {
      {"normal", wsNormal, false, {100, 50, 800, 600}, false},
      {"maximised", wsMaximized, false, {20, 30, 640, 480}, true},
      {"full screen", wsNormal, true, {20, 30, 640, 480}, false},
  };
  for (const auto& Case : Cases) {
    State().shuttingDown = 0;
    State().normalBoundsKnown = 1;
    State().normalLeft = 20;
    State().normalTop = 30;
    State().normalWidth = 640;
    State().normalHeight = 480;
    Window.Main->Show();
    Window.Main->SetWindowState(Case.State);
    Interface().flags.set(IF40::FullScreen, Case.FullScreen);
    Interface().flags.set(IF40::WasMaximized, !Case.Maximized);
    ASSERT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE) << Case.Name;
    EXPECT_EQ((std::vector<int>{Interface().mainFormLeft, Interface().mainFormTop, Interface().mainFormWidth,
                                Interface().mainFormHeight}),
              Case.Stored)
        << Case.Name;
    EXPECT_EQ(Interface().flags.has(IF40::WasMaximized), Case.Maximized) << Case.Name;
  }
}

TEST_F(ShutdownTest, LastOpenFilesAreWrittenOnlyWithTheReopenOption) {
  WriteList(LAST_OPEN_FILES_KEY, {"/tmp/old.html"});
  // Closing the documents fills the list again; what was in it before is dropped first.
  ASSERT_EQ(State().lastOpenFiles.addString("/tmp/stale.html", 0), 1);
  prg->editorOptions->flags.set(EOF40::ReopenDocuments, false);
  ASSERT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  EXPECT_EQ(ReadList(LAST_OPEN_FILES_KEY), Strings{"/tmp/old.html"});
  EXPECT_EQ(State().lastOpenFiles.getCount(), 0);

  prg->editorOptions->flags.set(EOF40::ReopenDocuments, true);
  State().shuttingDown = 0;
  ASSERT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  EXPECT_TRUE(ReadList(LAST_OPEN_FILES_KEY).empty());
}

TEST_F(ShutdownTest, PasswordSecurityDeletesOnlyThePasswords) {
  WriteList("Editor\\OpenFromWebUsernames", {"alice"});
  WriteList("Editor\\OpenFromWebPasswords", {"secret"});
  Interface().flags3.set(IF3::PasswordSecurity, false);
  ASSERT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  EXPECT_TRUE(KeyExists("Editor\\OpenFromWebPasswords"));

  Interface().flags3.set(IF3::PasswordSecurity, true);
  State().shuttingDown = 0;
  ASSERT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  EXPECT_FALSE(KeyExists("Editor\\OpenFromWebPasswords"));
  EXPECT_EQ(ReadList("Editor\\OpenFromWebUsernames"), Strings{"alice"});
}

// A scratch pad that cannot be written is named to the user, keeps its old file whole, and shutdown goes on.
TEST_F(ShutdownTest, ScratchPadSaveFailureIsNamedAndKeepsTheOldFile) {
  const std::string Pad1 = Dir + "/pad1.txt";
  const std::string Pad2 = Dir + "/pad2.txt";
  { std::ofstream(Pad1) << "old text"; }
  ASSERT_EQ(::chmod(Pad1.c_str(), 0444), 0);
  prg->editorOptions->scratchPad1File.assign(Pad1.c_str());
  prg->editorOptions->scratchPad2File.assign(Pad2.c_str());
  prg->editorOptions->flags.set(EOF40::ScratchPads, true);
  State().scratchPad1Source->Strings()->SetTextBuffer("new text 1", 10);
  State().scratchPad2Source->Strings()->SetTextBuffer("new text 2", 10);
  EXPECT_EQ(ShutdownApplication(), SHUTDOWN_MAY_CLOSE);
  EXPECT_EQ(ReadFile(Pad1), "old text");
  EXPECT_EQ(ReadFile(Pad2).rfind("new text 2", 0), 0u);
  ASSERT_EQ(Window.Boxes.size(), 1u);
  EXPECT_NE(Window.Boxes[0].Text.find(Pad1), std::string::npos);
  EXPECT_EQ(Window.Boxes[0].Flags & MSGBOX_ERROR, MSGBOX_ERROR);
  EXPECT_EQ(State().shuttingDown, 1);
}

}  // namespace
