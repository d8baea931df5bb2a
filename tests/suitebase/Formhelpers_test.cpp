// Form helpers and window positions, and the small control, menu, tab, address and dropped-file helpers.
#include "platform/win/Desktop.h"
#include "platform/win/GlobalMemory.h"
#include "platform/win/SystemParams.h"
#include "platform/win/WindowPlacement.h"
#include "suitebase/Formhelpers.h"
#include "suitebase/Regstore.h"
#include "suitebase/Smallhelpers.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

#include <cstring>
#include <filesystem>

using namespace Dccommon;

namespace {

class PositionTest : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    Form = TestSupport::Make<TForm>(Application);
  }
  void TearDown() override {
    delete Form;
    SuiteFolders::TearDown();
  }
  TForm* Form = nullptr;
};

TEST_F(PositionTest, PositionsGoToTheRegistryAndComeBack) {
  WriteWinPosToReg(Form, "Editor");
  EXPECT_FALSE(Dorazori::RegValueExists("Forms\\Editor\\WinPos"));  // no window yet: nothing written
  Form->SetBounds(30, 40, 300, 200);
  Form->Show();
  WriteWinPosToReg(Form, "Editor");
  EXPECT_EQ(Dorazori::GetRegBufSize("Forms\\Editor\\WinPos"), 44);
  Form->SetBounds(0, 0, 100, 100);
  ReadWinPosFromReg(Form, "Editor");
  EXPECT_EQ(Form->BoundsRect(), (TRect{30, 40, 330, 240}));
  EXPECT_EQ(Form->WindowState(), wsNormal);
  ReadWinPosFromReg(Form, "Never written");
  EXPECT_EQ(Form->BoundsRect(), (TRect{30, 40, 330, 240}));
}

TEST_F(PositionTest, AStoredValueThatIsNoPlacementIsNotApplied) {
  Form->SetBounds(10, 10, 200, 150);
  WINDOWPLACEMENT P;
  P.rcNormalPosition = TRect{1, 2, 500, 400};
  std::string Long(reinterpret_cast<const char*>(&P), sizeof P);
  Long += "trailing";
  Dorazori::WriteBufToRegistry("Forms\\Bad\\WinPos", Long.data(), static_cast<Integer>(Long.size()));
  ReadWinPosFromReg(Form, "Bad");
  EXPECT_EQ(Form->BoundsRect(), (TRect{10, 10, 210, 160}));
  P.length = 40;
  Dorazori::WriteBufToRegistry("Forms\\Bad\\WinPos", &P, sizeof P);
  ReadWinPosFromReg(Form, "Bad");
  EXPECT_EQ(Form->BoundsRect(), (TRect{10, 10, 210, 160}));
}

TEST_F(PositionTest, PositionsGoToAnIniFileAndComeBack) {
  const std::string Ini = Temp / "pos.ini";
  WriteWinPosToIni(Form, "", Ini, "Main");
  EXPECT_FALSE(std::filesystem::exists(Ini));
  Form->SetBounds(50, 60, 320, 240);
  Form->Show();
  WriteWinPosToIni(Form, "", Ini, "Main");
  EXPECT_NE(ReadFile(Ini).find("[MainWinPos]"), std::string::npos);
  Form->SetBounds(0, 0, 100, 100);
  ReadWinPosFromIni(Form, "", Ini, "Main");
  EXPECT_EQ(Form->BoundsRect(), (TRect{50, 60, 370, 300}));
}

TEST_F(PositionTest, EditorWindowsMaximiseBelowTheMainWindowWhenThereIsRoom) {
  TRect Work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0);
  const int Cx = GetSystemMetrics(SM_CXFRAME);
  const int Cy = GetSystemMetrics(SM_CYFRAME);
  Form->SetBounds(0, 0, 400, 100);
  MINMAXINFO Info{};
  TMessage M;
  M.Msg = WM_GETMINMAXINFO;
  M.LParam = reinterpret_cast<LPARAM>(&Info);
  CalcEditorMinMaxInfo(M, Form, false);
  EXPECT_EQ(Info.ptMaxPosition.Y, 100);
  EXPECT_EQ(Info.ptMaxSize.Y, Cy + Work.Height() - 100);
  EXPECT_EQ(Info.ptMaxPosition.X, Work.Left - Cx);
  EXPECT_EQ(Info.ptMinTrackSize, (TPoint{320, 240}));
  CalcEditorMinMaxInfo(M, Form, true);
  EXPECT_EQ(Info.ptMaxPosition.Y, Work.Top - Cy);
  EXPECT_EQ(Info.ptMaxSize, (TPoint{Work.Width() + 2 * Cx, Work.Height() + 2 * Cy}));
  Form->SetBounds(0, Work.Height() / 2, 400, Work.Height() / 2);  // no room below
  CalcEditorMinMaxInfo(M, Form, false);
  EXPECT_EQ(Info.ptMaxPosition.Y, Work.Top - Cy);
}

TEST_F(PositionTest, GlobalFindObjectLooksInFormsThenDataModules) {
  Form->SetName("EditorForm");
  auto* Module = TestSupport::Make<TDataModule>(nullptr);
  Module->SetName("Data");
  auto* Item = new TComponent(Module);
  Item->SetName("Table1");
  EXPECT_EQ(GlobalFindObject("data.table1"), Item);
  EXPECT_EQ(GlobalFindObject("Data"), Module);
  EXPECT_EQ(GlobalFindObject("editorform"), Form);
  EXPECT_EQ(GlobalFindObject("Data.Missing"), nullptr);
  EXPECT_EQ(GlobalFindObject("Nothing.Table1"), nullptr);
  delete Module;
  EXPECT_EQ(GlobalFindObject("Data"), nullptr);
}

TEST_F(PositionTest, FormIsActiveOnlyForTheTopmostOrdinaryVisibleForm) {
  EXPECT_FALSE(FormIsActive(Form));  // hidden
  Form->Show();
  EXPECT_TRUE(FormIsActive(Form));
  auto* Other = TestSupport::Make<TForm>(Application);
  Other->Show();
  EXPECT_FALSE(FormIsActive(Form));
  FMainForm = Other;
  EXPECT_TRUE(FormIsActive(Form));
  FMainForm = nullptr;
  delete Other;
}

class TPageOne : public TForm {
  Z_CLASS(TPageOne, TForm)
public:
  using TForm::TForm;
};
Z_IMPLEMENT_CLASS(TPageOne, TForm)
class TPageTwo : public TForm {
  Z_CLASS(TPageTwo, TForm)
public:
  using TForm::TForm;
};
Z_IMPLEMENT_CLASS(TPageTwo, TForm)

TEST(OptionForms, TwoOfOneOrderKeepTheFirstButListBothCaptions) {
  RegisterOptionsFormOrder(TPageOne::StaticClass(), 5, "One");
  RegisterOptionsFormOrder(TPageTwo::StaticClass(), 5, "Two");
  RegisterOptionsForm(TForm::StaticClass(), "First of all");
  ASSERT_EQ(OptionFormClasses().size(), 2u);
  EXPECT_EQ(OptionFormClass(0), TForm::StaticClass());
  EXPECT_EQ(OptionFormClass(1), TPageOne::StaticClass());
  EXPECT_EQ(OptionFormCaptions()->Count(), 3);
  EXPECT_EQ(GetOptionsFormCaption(TPageTwo::StaticClass()), "Two");
  UnregisterOptionsForm(TPageOne::StaticClass());
  EXPECT_EQ(GetOptionsFormCaption(TPageOne::StaticClass()), "");
  EXPECT_EQ(OptionFormClasses().size(), 1u);
}

// ---- Small helpers -----------------------------------------------------------------------------------------------

struct TAddressCase {
  const char* Name;
  std::string Text;
  bool Email;
  bool Web;
};
class Addresses : public ::testing::TestWithParam<TAddressCase> {};
TEST_P(Addresses, AreRecognised) {
  EXPECT_EQ(IsEmailString(GetParam().Text), GetParam().Email);
  EXPECT_EQ(IsWWWString(GetParam().Text), GetParam().Web);
  EXPECT_EQ(IsStringHot(GetParam().Text), GetParam().Email || GetParam().Web);
}
INSTANTIATE_TEST_SUITE_P(Hot, Addresses,
                         ::testing::Values(TAddressCase{"NoDotAfterAt", "a@b", false, false},
                                           TAddressCase{"DotRightAfterAt", "a@.b", false, false},
                                           TAddressCase{"TwoAts", "a@b@c.d", false, false},
                                           TAddressCase{"Shortest", "a@b.c", true, false},
                                           TAddressCase{"AtLast", "ab.c@", false, false},
                                           TAddressCase{"MailtoAnyCase", "mAiLtO:x", true, false},
                                           TAddressCase{"Www", "www.example.org", false, true},
                                           TAddressCase{"Http", "HTTP://x", false, true},
                                           TAddressCase{"Gopher", "gopher://x", false, true},
                                           TAddressCase{"FtpWithoutSlashes", "ftp:x", false, false},
                                           TAddressCase{"Empty", "", false, false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(SmallHelpers, SeparatorsAreRemovedFromTheEdgesAndRuns) {
  TMenuItem Menu(nullptr);
  for (const char* C : {"-", "Open", "-", "-", "Save", "-"}) {
    auto* I = new TMenuItem(nullptr);
    I->SetCaption(C);
    Menu.Add(I);
  }
  RemoveExtraMenuSeparators(&Menu);
  ASSERT_EQ(Menu.Count(), 3);
  EXPECT_EQ(Menu.Items(0)->Caption(), "Open");
  EXPECT_TRUE(Menu.Items(1)->IsLine());
  EXPECT_EQ(Menu.Items(2)->Caption(), "Save");
  TMenuItem Lines(nullptr);
  for (int I = 0; I < 3; ++I) {
    auto* L = new TMenuItem(nullptr);
    L->SetCaption("-");
    Lines.Add(L);
  }
  RemoveExtraMenuSeparators(&Lines);
  EXPECT_EQ(Lines.Count(), 0);
  ClearMenuSubItems(&Menu, true);
  EXPECT_EQ(Menu.Count(), 0);
  EXPECT_FALSE(Menu.Enabled());
}

class TabTest : public TestSupport::TFormTest {};
TEST_F(TabTest, ChangeTabWrapsAndAddNewTabSelectsOrAdds) {
  auto* Tabs = TestSupport::Make<TTabControl>(Form, Form, TRect{0, 0, 200, 100});
  Tabs->Tabs()->Add("One");
  Tabs->Tabs()->Add("Two");
  Tabs->SetTabIndex(1);
  ChangeTab(Tabs, true);
  EXPECT_EQ(Tabs->TabIndex(), 0);
  ChangeTab(Tabs, false);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  AddNewTab(Tabs, "one");
  EXPECT_EQ(Tabs->TabIndex(), 0);
  AddNewTab(Tabs, "Three");
  EXPECT_EQ(Tabs->TabIndex(), 2);
  EXPECT_EQ(Tabs->Tabs()->Count(), 3);
}

// A drop handle as the desktop makes it: a DROPFILES block with the names.
HDROP MakeDrop(const std::vector<std::string>& Names) {
  std::string Block(sizeof(DROPFILES), '\0');
  for (const std::string& N : Names) {
    Block += N;
    Block += '\0';
  }
  Block += '\0';
  DROPFILES Header;
  Header.pFiles = sizeof(DROPFILES);
  std::memcpy(Block.data(), &Header, sizeof Header);
  const HGLOBAL G = GlobalAlloc(GHND, Block.size());
  std::memcpy(GlobalLock(G), Block.data(), Block.size());
  GlobalUnlock(G);
  return reinterpret_cast<HDROP>(G);
}

TEST(SmallHelpers, DropFilesTakesWholeNamesAndFoldersForFiles) {
  TestSupport::TTempFolder Temp{"zubq-dropfiles"};
  const std::string Folder = Temp / std::string(300, 'd').substr(0, 200);
  std::filesystem::create_directories(Folder);
  const std::string File = Folder + "/" + std::string(120, 'f') + ".txt";
  WriteFile(File, "x");
  TMessage M;
  M.WParam = static_cast<WPARAM>(MakeDrop({File, Folder}));
  std::string S;
  DropFiles(true, true, ";", S, M);
  EXPECT_EQ(S, Folder + "/;" + Folder);  // longer than 255 characters, whole
  M.WParam = static_cast<WPARAM>(MakeDrop({File, Folder}));
  DropFiles(false, false, ";", S, M);
  EXPECT_EQ(S, File);
  EXPECT_EQ(M.Result, 0);
}

}  // namespace
