// The folder browser component, resource dialogs and RAR extraction.
#include "platform/controls/ResDialogs.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/MessageBox.h"
#include "platform/win/NativeControls.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Dcapi.h"
#include "suitebase/Pathdialog.h"
#include "suitebase/Resdialog.h"
#include "suitebase/Unrar.h"
#include "tests/suitebase/SuiteEnvironment.h"

#include <filesystem>

#include <unistd.h>

using namespace Dcapi;

namespace {

// ---- The folder browser ----------------------------------------------------------------------------------------

class PathDialogTest : public SuiteFolders {};

TEST_F(PathDialogTest, QueryDirOpensAtTheCurrentFolderOrTheGivenOne) {
  Scripted.QueueAnswer(IDCANCEL);
  std::string Dir;
  EXPECT_FALSE(QueryDir("Pick", Dir, 0));
  EXPECT_EQ(Dir, "");
  const std::string Given = Temp / "home";
  Scripted.QueueAnswer(IDOK, Temp / "temp");
  Dir = Given + "/";
  EXPECT_TRUE(QueryDir("Pick", Dir, 0));
  EXPECT_EQ(Dir, Temp / "temp");
  const auto Shown = Scripted.Shown();
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Kind, "BrowseForFolder");
  EXPECT_EQ(Shown[0].Caption, "Pick");
  EXPECT_EQ(Shown[0].Params.at("Selection"), std::filesystem::current_path().string());
  EXPECT_EQ(Shown[1].Params.at("Selection"), Given);
}

TEST_F(PathDialogTest, DefaultsAskForFileSystemFoldersOnlyAndTheRootKeepsItsSlash) {
  ZEZPathDialog D(nullptr);
  EXPECT_EQ(D.GetFlags(), BIF_RETURNONLYFSDIRS);
  D.SetSelectedItem("/");
  EXPECT_EQ(D.SelectedItem(), "/");
  Scripted.QueueAnswer(IDOK, "/");
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.SelectedItem(), "/");
  EXPECT_EQ(Scripted.Shown().back().Params.at("Flags"), "1");
  D.Flags = ZEZPathDialogFlags{pdfBrowseForComputer, pdfDontGoBelowDomain, pdfReturnfsAncestors};
  EXPECT_EQ(D.GetFlags(), 0x1000u + 2 + 8);
}

TEST_F(PathDialogTest, QueryCompOffersTheLocalMachineOnly) {
  Scripted.QueueAnswer(IDOK, LocalComputerName());
  std::string Computer;
  ASSERT_TRUE(QueryComp("Which computer", Computer, 0));
  EXPECT_EQ(Computer, LocalComputerName());
  EXPECT_EQ(Scripted.Shown().back().Params.at("Computers"), LocalComputerName());
  Scripted.QueueAnswer(IDOK, "elsewhere.example");
  EXPECT_FALSE(QueryComp("Which computer", Computer, 0));
  EXPECT_EQ(Computer, LocalComputerName());
}

// ---- Resource dialogs ------------------------------------------------------------------------------------------

// Builds a classic dialog template.
class TTemplateBuilder {
public:
  TTemplateBuilder(DWORD Style, const std::string& Title) { Header(Style, Title); }
  void Item(DWORD Style, WORD Id, WORD Atom, const std::string& Title, short X, short Y, short Cx, short Cy) {
    while (Bytes.size() % 4) {
      Bytes += '\0';
    }
    DWord(Style);
    DWord(0);
    for (short V : {X, Y, Cx, Cy}) {
      Word(static_cast<WORD>(V));
    }
    Word(Id);
    Word(0xFFFF);
    Word(Atom);
    Text(Title);
    Word(0);
    ++Count;
    Bytes[8] = static_cast<char>(Count);
  }
  std::string Bytes;

private:
  void Header(DWORD Style, const std::string& Title) {
    DWord(Style);
    DWord(0);
    Word(0);
    for (short V : {10, 10, 200, 100}) {
      Word(static_cast<WORD>(V));
    }
    Word(0);
    Word(0);
    Text(Title);
  }
  void Word(WORD W) {
    Bytes += static_cast<char>(W & 0xFF);
    Bytes += static_cast<char>(W >> 8);
  }
  void DWord(DWORD D) {
    Word(static_cast<WORD>(D & 0xFFFF));
    Word(static_cast<WORD>(D >> 16));
  }
  void Text(const std::string& S) {
    for (char C : S) {
      Word(static_cast<unsigned char>(C));
    }
    Word(0);
  }
  int Count = 0;
};

constexpr WORD DialogId = 4711;
constexpr WORD EditId = 100;

const std::string& DialogTemplateBytes() {
  static const std::string Bytes = [] {
    TTemplateBuilder B(WS_POPUP | WS_CAPTION, "Resource dialog");
    B.Item(WS_VISIBLE, 99, 0x82, "Name:", 5, 5, 40, 10);
    B.Item(WS_VISIBLE | WS_TABSTOP, EditId, 0x81, "", 50, 5, 100, 12);
    B.Item(WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 0x80, "OK", 50, 70, 40, 14);
    B.Item(WS_VISIBLE | WS_TABSTOP, IDCANCEL, 0x80, "Cancel", 100, 70, 40, 14);
    B.Item(WS_VISIBLE | WS_TABSTOP, 101, 0x83, "", 5, 25, 100, 40);
    return B.Bytes;
  }();
  return Bytes;
}

class TNameDialog : public TResDialog {
public:
  TNameDialog() : TResDialog(DialogId) {}
  int InitCalls = 0;
  std::string TextAtInit;

protected:
  void InitDialog() override {
    ++InitCalls;
    SetDlgItemText(Handle(), EditId, "initial");
    char Buffer[32] = {};
    GetDlgItemText(Handle(), EditId, Buffer, sizeof Buffer);
    TextAtInit = Buffer;
  }
};

class ResDialogTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Harness::Start();
    RegisterResource(MAKEINTRESOURCE(RT_DIALOG_ID), MAKEINTRESOURCE(DialogId), DialogTemplateBytes().data(),
                     DialogTemplateBytes().size());
  }
  static WPARAM Command(WORD Id, WORD Code) { return Id | (static_cast<WPARAM>(Code) << 16); }
};

TEST_F(ResDialogTest, TheTemplateIsReadWithItsItems) {
  TDialogTemplate T;
  ASSERT_TRUE(ReadDialogTemplate(DialogTemplateBytes().data(), DialogTemplateBytes().size(), T));
  EXPECT_EQ(T.Title, "Resource dialog");
  ASSERT_EQ(T.Items.size(), 5u);
  EXPECT_EQ(T.Items[0].ClassName, "STATIC");
  EXPECT_EQ(T.Items[1].ClassName, "EDIT");
  EXPECT_EQ(T.Items[2].ClassName, "BUTTON");
  EXPECT_EQ(T.Items[4].ClassName, "LISTBOX");
  EXPECT_EQ(T.Items[3].Title, "Cancel");
  // Every cut of the template is refused rather than read past its end.
  for (std::size_t N = 0; N < DialogTemplateBytes().size(); N += 3) {
    EXPECT_FALSE(ReadDialogTemplate(DialogTemplateBytes().data(), N, T)) << N;
  }
}

TEST_F(ResDialogTest, InitDialogRunsBeforeCreateReturnsAndCancelGivesFalse) {
  TNameDialog D;
  const HWND Dlg = D.Handle();
  EXPECT_EQ(D.InitCalls, 1);
  EXPECT_EQ(D.TextAtInit, "initial");
  EXPECT_EQ(GetWindowTextString(GetDlgItem(Dlg, 99)), "Name:");
  PostMessage(D.Handle(), WM_COMMAND, Command(IDCANCEL, 0), 0);
  EXPECT_FALSE(D.Execute());
}

TEST_F(ResDialogTest, ANotificationFromOkDoesNotFinishAndTheNextMessageIsKept) {
  TNameDialog D;
  PostMessage(D.Handle(), WM_COMMAND, Command(IDOK, 5), 0);
  PostMessage(D.Handle(), WM_COMMAND, Command(IDOK, 0), 0);
  PostMessage(0, WM_USER + 7, 1, 2);  // a message of the thread after the one that finishes
  EXPECT_TRUE(D.Execute());
  MSG M{};
  ASSERT_TRUE(PeekMessage(&M, 0, WM_USER + 7, WM_USER + 7, PM_REMOVE));
  EXPECT_EQ(M.wParam, 1u);
}

TEST_F(ResDialogTest, KeysOfTheDialogManager) {
  TNameDialog D;
  ShowWindow(D.Handle(), SW_SHOWNORMAL);
  const HWND Edit = GetDlgItem(D.Handle(), EditId);
  const HWND Ok = GetDlgItem(D.Handle(), IDOK);
  const HWND List = GetDlgItem(D.Handle(), 101);
  EXPECT_EQ(GetFocus(), Edit);
  MSG Tab{Edit, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessage(D.Handle(), &Tab));
  EXPECT_EQ(GetFocus(), Ok);
  EXPECT_EQ(GetNextDlgTabItem(D.Handle(), List, FALSE), Edit);  // wraps
  EXPECT_EQ(GetNextDlgTabItem(D.Handle(), Edit, TRUE), List);
  MSG Other{0, WM_USER, 0, 0, 0, {}};
  EXPECT_FALSE(IsDialogMessage(D.Handle(), &Other));
  // Escape gives IDCANCEL, Return the default button.
  SetFocus(Edit);
  PostMessage(Edit, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(D.Execute());
  TNameDialog D2;
  PostMessage(GetDlgItem(D2.Handle(), EditId), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(D2.Execute());
}

TEST_F(ResDialogTest, AMissingTemplateRaises) {
  TResDialog D(4712);
  EXPECT_THROW(D.Execute(), Exception);
  EXPECT_THROW(ExecuteDialog(4712), Exception);
}

// ---- RAR extraction --------------------------------------------------------------------------------------------

class UnrarTest : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Keep("ZUBQ_UNRAR_LOG", Temp / "unrar.log");
    LoadUnRARFromFile("zubqunrar.dll");
  }
  void TearDown() override {
    UnloadUnRAR();
    SuiteFolders::TearDown();
  }
  std::string Archive(const std::string& Lines) {
    const std::string Name = Temp / "archive.rar";
    WriteFile(Name, Lines);
    return Name;
  }
};

TEST_F(UnrarTest, WithoutTheLibraryEveryWrapperRaises) {
  UnloadUnRAR();
  TRARHeaderData H;
  EXPECT_THROW(RARReadHeader(nullptr, H), Exception);
  try {
    ExtractRARFile("x.rar", Temp / "out", {}, nullptr, nullptr, nullptr);
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), SCantLoadUnRAR);
  }
}

TEST_F(UnrarTest, AMissingArchiveGivesFalseWithoutACallback) {
  int Calls = 0;
  auto Callback = [&](const TRARHeaderData&, std::string&, std::string&) {
    ++Calls;
    return opExtract;
  };
  EXPECT_FALSE(ExtractRARFile(Temp / "none.rar", Temp / "out", Callback, nullptr, nullptr, nullptr));
  EXPECT_EQ(Calls, 0);
}

TEST_F(UnrarTest, FilesFoldersAndSystemFilesLandWhereTheyBelong) {
  const std::string Name = Archive("docs|16|\ndocs/deep/readme.txt|32|hello\nsub/zub.so|32|library\ntop.txt|32|top\n");
  const std::string Out = Temp / "out";
  TStringList System, Created, Extracted;
  System.Add("zub.so");
  std::filesystem::create_directories(SystemDirectory());
  std::vector<std::string> Seen;
  auto Callback = [&](const TRARHeaderData& H, std::string&, std::string&) {
    Seen.push_back(H.FileName);
    return opExtract;
  };
  ASSERT_TRUE(ExtractRARFile(Name, Out, Callback, &System, &Created, &Extracted));
  EXPECT_EQ(Seen.size(), 4u);
  EXPECT_EQ(ReadFile(Out + "/docs/deep/readme.txt"), "hello");
  EXPECT_EQ(ReadFile(Out + "/top.txt"), "top");
  const std::string SysFile = AddSlash(SystemDirectory()) + "zub.so";
  EXPECT_EQ(ReadFile(SysFile), "library");
  ASSERT_EQ(Created.Count(), 3);
  EXPECT_EQ(Created.Strings(0), Out);
  EXPECT_EQ(Created.Strings(1), Out + "/docs");
  EXPECT_EQ(Created.Strings(2), Out + "/docs/deep");
  ASSERT_EQ(Extracted.Count(), 3);
  EXPECT_EQ(Extracted.Strings(0), Out + "/docs/deep/readme.txt");
  EXPECT_EQ(Extracted.Strings(1), SysFile);
  EXPECT_EQ(Extracted.Strings(2), Out + "/top.txt");
}

TEST_F(UnrarTest, NamesThatLeaveTheTargetAreSkipped) {
  const std::string Escape = Temp / "escaped.txt";
  const std::string Name =
      Archive("../escaped.txt|32|bad\n" + Escape + "|32|bad\nok/../../escaped.txt|32|bad\nfine.txt|32|good\n");
  const std::string Out = Temp / "out";
  TStringList Created, Extracted;
  ASSERT_TRUE(ExtractRARFile(Name, Out, {}, nullptr, &Created, &Extracted));
  EXPECT_FALSE(std::filesystem::exists(Escape));
  EXPECT_FALSE(std::filesystem::exists(Temp / "ok"));
  EXPECT_EQ(ReadFile(Out + "/fine.txt"), "good");
  ASSERT_EQ(Extracted.Count(), 1);
  const std::string Log = ReadFile(Temp / "unrar.log");
  EXPECT_EQ(Log.find("0|(null)|(null)\n0|(null)|(null)\n0|(null)|(null)\n2|"), 0u) << Log;
}

}  // namespace
