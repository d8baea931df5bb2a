// The inserters' toolbars: built from the shipped files in the main form's menu-bar dock, shown, hidden, saved,
// deleted and put back in their place at the next start. A plain form stands for the main window.
#include "SettingsTestSupport.h"

#include "core/Inserterclass.h"
#include "core/Settings.h"

#include "platform/classes/TypInfo.h"
#include "tests/support/Forms.h"
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2dockpositions.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2toolbar.h"
#include "toolbars/Tbskins.h"

#include <set>
#include <string>
#include <vector>

using TestSupport::Make;

namespace {

const char PositionsKey[] = "Software\\Palvane\\ZUB Quillon v4\\Editor\\Interface";

class TInserterMainForm : public TForm {
  Z_CLASS(TInserterMainForm, TForm)
public:
  explicit TInserterMainForm(TComponent* AOwner) : TForm(AOwner) {}
  static void Publish(TMetaClass& Meta) {
    TPublisher<TInserterMainForm> P(Meta);
    P.Method("InserterItemClick", &TInserterMainForm::InserterItemClick);
    P.Method("InserterItemSelect", &TInserterMainForm::InserterItemSelect);
    P.Method("InserterToolbarVisibleChanged", &TInserterMainForm::InserterToolbarVisibleChanged);
  }
  void InserterItemClick(TObject* Sender) { Clicked.push_back(static_cast<TComponent*>(Sender)->Tag()); }
  void InserterItemSelect(TTBCustomItem*, TTBItemViewer*, bool) {}
  void InserterToolbarVisibleChanged(TObject*) { ++Closed; }
  std::vector<NativeInt> Clicked;
  int Closed = 0;
};
Z_IMPLEMENT_CLASS_PUBLISHED(TInserterMainForm, TForm, TInserterMainForm::Publish)

// The main window's side of the inserters: the form, and the toolbar positions kept in the registry as the main
// window keeps them.
class InserterMainWindow : public MainWindowServices {
public:
  TForm* Form = nullptr;
  int MenuChecks = 0;
  TForm* MainForm() override { return Form; }
  void SaveToolbarPositions() override {
    if (Form != nullptr) {
      TBRegSavePositions(Form, HKEY_CURRENT_USER, PositionsKey);
    }
  }
  void LoadToolbarPositions() override {
    if (Form != nullptr) {
      TBRegLoadPositions(Form, HKEY_CURRENT_USER, PositionsKey);
    }
  }
  void UpdateMenuChecks() override { ++MenuChecks; }
};

class InserterToolbars : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    Harness::Start();
    SetMainWindowServices(&Window);
    MakeMainForm();
    MakeRoot();
    ASSERT_EQ(LoadSettings(), 1);
    Array = prg->volatileState->inserters;
  }
  void TearDown() override {
    Root.reset();
    delete Main;
    SetMainWindowServices(nullptr);
    SettingsTest::TearDown();
  }
  void MakeMainForm() {
    Main = Make<TInserterMainForm>(Application);
    Main->SetBounds(0, 0, 640, 480);
    Dock = Make<TTBDock>(Main);
    Dock->SetName("EditorMenuBarDock");
    Dock->SetParent(Main);
    Make<TTBSkin>(Main)->SetName("TBSkin");
    Main->Show();
    Window.Form = Main;
  }
  inserterclass* Inserter(int Index) { return static_cast<inserterclass*>(Array->getPointer(Index)); }

  InserterMainWindow Window;
  TInserterMainForm* Main = nullptr;
  TTBDock* Dock = nullptr;
  PointerArrayManager* Array = nullptr;
};

TEST_F(InserterToolbars, ShowingBuildsTheToolbarFromTheShippedFile) {
  inserterclass* Tag = Inserter(0);
  ASSERT_EQ(Tag->UpdateToolbar(INSERTER_TOOLBAR_SHOW), 0);
  TTBToolbar* Bar = Tag->toolbar;
  ASSERT_NE(Bar, nullptr);
  EXPECT_EQ(Bar->Name(), "TagInserterMenu");
  EXPECT_EQ(Bar->Caption(), "Tag Inserter");
  EXPECT_EQ(Bar->Owner(), Main);
  EXPECT_EQ(Bar->CurrentDock(), Dock);
  EXPECT_EQ(Bar->DefaultDock(), Dock);
  EXPECT_EQ(Bar->Skin(), Main->FindComponent("TBSkin"));
  EXPECT_EQ(Bar->DockRow(), INSERTER_DOCK_ROW);
  EXPECT_EQ(Bar->Tag(), reinterpret_cast<NativeInt>(Tag));
  EXPECT_TRUE(Bar->Visible());
  EXPECT_FALSE(Bar->MenuBar());
  EXPECT_TRUE(Bar->CloseButton);
  EXPECT_TRUE(Bar->HideWhenInactive);
  EXPECT_FALSE(Bar->ProcessShortCuts());

  // One submenu per menu name, in the order the file first names them; every item tagged with its record.
  std::vector<std::string> Expected;
  for (int I = 0; I < Tag->items->getCount(); ++I) {
    const std::string Menu = static_cast<ticlass*>(Tag->items->getPointer(I))->menu.text;
    if (std::find(Expected.begin(), Expected.end(), Menu) == Expected.end()) {
      Expected.push_back(Menu);
    }
  }
  std::vector<std::string> Menus;
  int Items = 0;
  for (int I = 0; I < Bar->Items()->Count(); ++I) {
    TTBCustomItem* Sub = Bar->Items()->Items(I);
    Menus.push_back(Sub->Caption());
    for (int J = 0; J < Sub->Count(); ++J) {
      const auto* Record = reinterpret_cast<ticlass*>(Sub->Items(J)->Tag());
      ASSERT_NE(Record, nullptr);
      EXPECT_EQ(Sub->Items(J)->Caption(), Record->caption.text);
      EXPECT_EQ(Sub->Caption(), Record->menu.text);
      ++Items;
    }
  }
  EXPECT_EQ(Menus, Expected);
  EXPECT_EQ(Items, Tag->items->getCount());

  TTBCustomItem* First = Bar->Items()->Items(0)->Items(0);
  First->Click();
  EXPECT_EQ(Main->Clicked, std::vector<NativeInt>{First->Tag()});
  ASSERT_TRUE(Bar->OnClose);
  Bar->OnClose(Bar);
  EXPECT_EQ(Main->Closed, 1);
}

TEST_F(InserterToolbars, HidingShowingAndDestroyingKeepTheToolbarItsPlaceAndTheBit) {
  inserterclass* Tag = Inserter(0);
  inserterclass* Css = Inserter(1);
  Css->configFile.assign((Dir + "/missing.txt").c_str());
  EXPECT_EQ(UpdateInserters(Array, INSERTERS_SHOW), 0);
  TTBToolbar* Bar = Tag->toolbar;
  ASSERT_NE(Bar, nullptr);
  EXPECT_EQ(Inserter(2)->toolbar, nullptr);  // the user inserter is not visible by default

  // The CSS file is missing: said once, its bit cleared, the menus refreshed.
  EXPECT_EQ(Css->toolbar, nullptr);
  EXPECT_FALSE(prg->interface->flags2.has(IF2::CSSInserter));
  EXPECT_EQ(Window.MenuChecks, 1);
  ASSERT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(Dialogs.Shown()[0].Caption, "Quillon: Failed to Load Inserter Configuration");

  const TRect Place = Bar->BoundsRect();
  EXPECT_EQ(UpdateInserters(Array, INSERTERS_HIDE), 0);
  EXPECT_FALSE(Bar->Visible());
  EXPECT_EQ(UpdateInserters(Array, INSERTERS_SHOW), 0);
  EXPECT_EQ(Tag->toolbar, Bar);
  EXPECT_TRUE(Bar->Visible());
  EXPECT_EQ(Bar->BoundsRect(), Place);
  EXPECT_EQ(Dialogs.Shown().size(), 1u);

  // Saving neither shows nor hides.
  Bar->Hide();
  EXPECT_EQ(UpdateInserters(Array, INSERTERS_SAVE | INSERTERS_SHOW), 0);
  EXPECT_FALSE(Bar->Visible());

  EXPECT_EQ(Tag->UpdateToolbar(INSERTERS_DESTROY), 0);
  EXPECT_EQ(Tag->toolbar, nullptr);
  EXPECT_EQ(Main->FindComponent("TagInserterMenu"), nullptr);
  EXPECT_TRUE(prg->interface->flags2.has(IF2::TagInserter));
}

TEST_F(InserterToolbars, AFloatedToolbarKeepsItsPlaceAcrossARestart) {
  ASSERT_EQ(Inserter(0)->UpdateToolbar(INSERTER_TOOLBAR_SHOW), 0);
  TTBToolbar* Bar = Inserter(0)->toolbar;
  Bar->SetFloatingPosition({300, 200});
  Bar->SetFloating(true);
  ASSERT_TRUE(Bar->Floating());
  // Shutdown: positions saved and the inserters deleted with the root; then the form goes.
  EXPECT_EQ(UpdateInserters(Array, INSERTERS_SAVE), 0);
  Root.reset();
  delete Main;
  MakeMainForm();
  MakeRoot();
  ASSERT_EQ(LoadSettings(), 1);
  Array = prg->volatileState->inserters;
  ASSERT_EQ(Inserter(0)->UpdateToolbar(INSERTER_TOOLBAR_SHOW), 0);
  Bar = Inserter(0)->toolbar;
  EXPECT_TRUE(Bar->Floating());
  EXPECT_EQ(Bar->FloatingPosition(), (TPoint{300, 200}));
}

TEST_F(InserterToolbars, AToolbarFreedWithTheMainFormIsNotFreedAgain) {
  ASSERT_EQ(Inserter(0)->UpdateToolbar(INSERTER_TOOLBAR_SHOW), 0);
  delete Main;
  Main = nullptr;
  Window.Form = nullptr;
  EXPECT_EQ(Inserter(0)->toolbar, nullptr);
  EXPECT_EQ(Inserter(0)->UpdateToolbar(INSERTER_TOOLBAR_SHOW), -1);  // no main form to build it on
}

TEST_F(InserterToolbars, ItemsOfOneMenuShareTheFirstSubmenuOfThatCaption) {
  PointerArrayManager* Items = nullptr;
  const char Text[] =
      "<zubtaginserterconfiguration>\n"
      "<tag menu=\"Text\" caption=\"Bold\" inserttext=\"&lt;b&gt;|&lt;/b&gt;\">\n"
      "<tag menu=\"Lists\" caption=\"Item\" inserttext=\"&lt;li&gt;\">\n"
      "<tag menu=\"Text\" flags=\"4\">\n"
      "<tag menu=\"Text\" caption=\"Italic\" inserttext=\"&lt;i&gt;|&lt;/i&gt;\">\n"
      "</zubtaginserterconfiguration>\n";
  ASSERT_EQ(LoadInserterConfigurationText(Items, Text, static_cast<int>(sizeof Text - 1), 0), INSCFG_OK);
  auto* Bar = Make<TTBToolbar>(Main);
  EXPECT_EQ(BuildInserterMenu(Bar, Items), INSMENU_OK);
  ASSERT_EQ(Bar->Items()->Count(), 2);
  TTBCustomItem* TextMenu = Bar->Items()->Items(0);
  EXPECT_EQ(TextMenu->Caption(), "Text");
  ASSERT_EQ(TextMenu->Count(), 3);
  EXPECT_EQ(TextMenu->Items(0)->Caption(), "Bold");
  EXPECT_NE(dynamic_cast<TTBSeparatorItem*>(TextMenu->Items(1)), nullptr);
  EXPECT_EQ(TextMenu->Items(2)->Caption(), "Italic");
  EXPECT_EQ(TextMenu->Items(2)->Hint(), "Italic");
  EXPECT_EQ(Bar->Items()->Items(1)->Count(), 1);
  // Building again replaces the menus.
  EXPECT_EQ(BuildInserterMenu(Bar, Items), INSMENU_OK);
  EXPECT_EQ(Bar->Items()->Count(), 2);
  EXPECT_EQ(BuildInserterMenu(nullptr, Items), INSMENU_NOTHING);
  EXPECT_EQ(BuildInserterMenu(Bar, nullptr), INSMENU_NOTHING);
  delete Items;
}

// Notes whether the engine was still loaded when the watched component went.
class EngineAtFree : public TComponent {
public:
  EngineAtFree() : TComponent(nullptr) {}
  bool Freed = false;
  bool EngineLoaded = false;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
      Freed = true;
      EngineLoaded = EngineOwnerState() != nullptr;
    }
  }
};

TEST_F(InserterToolbars, DeletingTheRootFreesTheToolbarsBeforeTheEngine) {
  ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
  ASSERT_EQ(Inserter(0)->UpdateToolbar(INSERTER_TOOLBAR_SHOW), 0);
  EngineAtFree Watch;
  Inserter(0)->toolbar->FreeNotification(&Watch);
  Root.reset();
  EXPECT_TRUE(Watch.Freed);
  EXPECT_TRUE(Watch.EngineLoaded);
  EXPECT_EQ(EngineOwnerState(), nullptr);
}

}  // namespace
