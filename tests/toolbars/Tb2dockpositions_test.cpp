// The position store: a form's layout saved and restored into a new form, through the registry, an ini file and
// in-memory callbacks; sections that do not fit are handled without moving anything.
#include "tests/toolbars/ToolbarTestHost.h"
#include "tests/support/TempFolder.h"

#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/RegistryStore.h"
#include "toolbars/Tb2dockpositions.h"
#include "toolbars/Tb2toolbar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

using namespace TBTest;

namespace {

// A form with a top, a bottom and a non-draggable left dock and three toolbars in the top dock.
struct TLayoutForm {
  TForm* Form = nullptr;
  TTBDock* Top = nullptr;
  TTBDock* Bottom = nullptr;
  TTBDock* Fixed = nullptr;
  TTBToolbar* Bars[3] = {};

  TLayoutForm() {
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 400, 300);
    Form->Show();
    Top = Dock(dpTop, "TopDock");
    Bottom = Dock(dpBottom, "BottomDock");
    Fixed = Dock(dpLeft, "FixedDock");
    Fixed->SetAllowDrag(false);
    const char* Names[] = {"Standard", "Format", "Tools"};
    for (int I = 0; I < 3; ++I) {
      Bars[I] = Make<TTBToolbar>(Form, Names[I]);
      AddItem(Form, Bars[I]->Items(), std::string("Item") + Names[I]);
      Bars[I]->SetDockPos(I * 100);
      Bars[I]->SetCurrentDock(Top);
    }
  }
  ~TLayoutForm() { delete Form; }
  TTBDock* Dock(TTBDockPosition P, const std::string& Name) {
    auto* D = Make<TTBDock>(Form, Name);
    D->SetPosition(P);
    D->SetParent(Form);
    return D;
  }
  // Where each toolbar is: dock name or "+" or "form", row, position, visibility.
  std::string Where() const {
    std::string S;
    for (TTBToolbar* B : Bars) {
      S += B->Name() + "=" + (B->Floating() ? "+" : B->Docked() ? B->CurrentDock()->Name() : "form") + "/" +
           std::to_string(B->DockRow()) + "/" + std::to_string(B->DockPos()) + (B->Visible() ? "" : "/hidden") +
           " ";
    }
    return S;
  }
};

using TValues = std::map<std::string, std::string>;

void SaveTo(TValues& Store, TComponent* Owner) {
  TBCustomSavePositions(
      Owner,
      [&Store](const std::string& W, const std::string& V, int Data, void*) {
        Store[W + "." + V] = std::to_string(Data);
      },
      [&Store](const std::string& W, const std::string& V, const std::string& Data, void*) { Store[W + "." + V] = Data; },
      nullptr);
}

void LoadFrom(TValues& Store, TComponent* Owner, const std::function<void()>& OnRead = {}) {
  TBCustomLoadPositions(
      Owner,
      [&](const std::string& W, const std::string& V, int Default, void*) {
        if (OnRead) {
          OnRead();
        }
        auto It = Store.find(W + "." + V);
        return It == Store.end() ? Default : std::atoi(It->second.c_str());
      },
      [&](const std::string& W, const std::string& V, const std::string& Default, void*) {
        auto It = Store.find(W + "." + V);
        return It == Store.end() ? Default : It->second;
      },
      nullptr);
}

class Tb2dockpositions : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    RegistryResetForTests();
  }
  void TearDown() override {
    RegistryResetForTests();
  }
  TestSupport::TTempFolder Temp{"zubq-positions"};
  std::string Dir;
};

TEST_F(Tb2dockpositions, NewFormRestoresTheSavedLayoutThroughTheRegistry) {
  std::string Saved;
  {
    TLayoutForm A;
    A.Bars[0]->SetDockRow(1);
    A.Bars[1]->SetCurrentDock(A.Bottom);
    A.Bars[1]->SetDockPos(30);
    A.Bars[2]->SetFloatingPosition(Point(120, 90));
    A.Bars[2]->SetFloating(true);
    A.Bars[2]->SetFloatingWidth(60);
    A.Bars[0]->Hide();
    Saved = A.Where();
    TBRegSavePositions(A.Form, HKEY_CURRENT_USER, "Software\\ZUB\\Layout");
  }
  {
    TRegIniFile Ini("Software\\ZUB\\Layout");
    EXPECT_EQ("2000", Ini.ReadString("Standard", "Rev", ""));
    EXPECT_EQ("BottomDock", Ini.ReadString("Format", "DockedTo", ""));
    EXPECT_EQ("+", Ini.ReadString("Tools", "DockedTo", ""));
    EXPECT_EQ("TopDock", Ini.ReadString("Tools", "LastDock", ""));
    EXPECT_EQ("60", Ini.ReadString("Tools", "FloatRightX", ""));
  }
  TLayoutForm B;
  TBRegLoadPositions(B.Form, HKEY_CURRENT_USER, "Software\\ZUB\\Layout");
  EXPECT_EQ(Saved, B.Where());
  EXPECT_EQ(Point(120, 90), B.Bars[2]->FloatingPosition());
  EXPECT_EQ(60, B.Bars[2]->FloatingWidth());
  EXPECT_EQ(B.Top, B.Bars[2]->LastDock());
}

TEST_F(Tb2dockpositions, IniFileRoundTripUsesThePrefix) {
  const std::string File = Dir + "/layout.ini";
  std::string Saved;
  {
    TLayoutForm A;
    A.Bars[1]->SetDockRow(2);
    A.Bars[2]->SetCurrentDock(A.Bottom);
    Saved = A.Where();
    TBIniSavePositions(A.Form, File, "Bar.");
  }
  TIniFile Ini(File);
  EXPECT_EQ(2000, Ini.ReadInteger("Bar.Format", "Rev", 0));
  TLayoutForm B;
  TBIniLoadPositions(B.Form, File, "Bar.");
  EXPECT_EQ(Saved, B.Where());
}

TEST_F(Tb2dockpositions, WindowsOnTheirFormAreNotWritten) {
  TLayoutForm A;
  A.Bars[0]->SetCurrentDock(nullptr);
  TValues Store;
  SaveTo(Store, A.Form);
  EXPECT_EQ(0u, Store.count("Standard.Rev"));
  EXPECT_EQ("2000", Store["Format.Rev"]);
}

TEST_F(Tb2dockpositions, SectionsThatDoNotFitLeaveTheWindowWhereItsFormPutIt) {
  TLayoutForm A;
  A.Bars[0]->SetDockRow(3);
  A.Bars[1]->SetDockRow(3);
  A.Bars[2]->SetDockRow(3);
  TValues Store;
  SaveTo(Store, A.Form);
  for (auto& [Key, Value] : Store) {
    if (Key.ends_with(".DockedTo")) {
      Value = "BottomDock";
    }
  }
  Store["Standard.Rev"] = "1999";           // another revision
  Store["Format.DockedTo"] = "RenamedDock";  // no such dock
  Store["Tools.DockedTo"] = "FixedDock";     // not draggable
  TLayoutForm B;
  const std::string Before = B.Where();
  LoadFrom(Store, B.Form);
  EXPECT_EQ(Before, B.Where());
}

TEST_F(Tb2dockpositions, DockNamesMatchWithoutCaseAndNegativePositionsComeFirst) {
  TLayoutForm A;
  TValues Store;
  SaveTo(Store, A.Form);
  Store["Tools.DockedTo"] = "topdock";
  Store["Tools.DockPos"] = "-5";
  TLayoutForm B;
  LoadFrom(Store, B.Form);
  EXPECT_EQ(B.Top, B.Bars[2]->CurrentDock());
  EXPECT_EQ(0, B.Bars[2]->EffectiveDockRow());
  EXPECT_EQ(0, B.Bars[2]->EffectiveDockPos());
  EXPECT_GT(B.Bars[0]->EffectiveDockPos(), 0);
}

TEST_F(Tb2dockpositions, FloatingWindowFullyOffTheScreenComesIntoTheWorkArea) {
  TLayoutForm A;
  TValues Store;
  SaveTo(Store, A.Form);
  const TRect Work = Screen->WorkAreaRect();
  Store["Tools.DockedTo"] = "+";
  Store["Tools.FloatLeft"] = std::to_string(Work.Right + 400);
  Store["Tools.FloatTop"] = "-900";
  TLayoutForm B;
  LoadFrom(Store, B.Form);
  TTBFloatingWindowParent* Frame = B.Bars[2]->FloatingParent();
  ASSERT_NE(nullptr, Frame);
  EXPECT_EQ(Work.Right, Frame->Left() + Frame->Width());
  EXPECT_EQ(Work.Top, Frame->Top());
}

TEST_F(Tb2dockpositions, DocksStaySuspendedUntilEveryWindowIsRead) {
  TLayoutForm A;
  A.Bars[0]->SetCurrentDock(A.Bottom);
  A.Bars[1]->SetCurrentDock(A.Bottom);
  A.Bars[2]->SetCurrentDock(A.Bottom);
  TValues Store;
  SaveTo(Store, A.Form);
  TLayoutForm B;
  const int BottomBefore = B.Bottom->Height();
  bool LaidOutEarly = false;
  LoadFrom(Store, B.Form, [&] { LaidOutEarly = LaidOutEarly || B.Bottom->Height() != BottomBefore; });
  EXPECT_FALSE(LaidOutEarly);
  EXPECT_GT(B.Bottom->Height(), 0);
  EXPECT_EQ(0, B.Top->Height());
}

TEST_F(Tb2dockpositions, NamelessWindowsAndDocksRaise) {
  TLayoutForm A;
  A.Top->SetName("");
  TValues Store;
  EXPECT_THROW(SaveTo(Store, A.Form), Exception);
  A.Top->SetName("TopDock");
  A.Bars[1]->SetName("");
  EXPECT_THROW(SaveTo(Store, A.Form), Exception);
  EXPECT_THROW(LoadFrom(Store, A.Form), Exception);
}

}  // namespace

namespace {

TEST_F(Tb2dockpositions, DamagedNumbersAreKeptWithinCoordinates) {
  TLayoutForm A;
  TValues Store;
  SaveTo(Store, A.Form);
  Store["Standard.DockRow"] = "-3";
  Store["Format.DockPos"] = "2147483647";
  Store["Tools.DockedTo"] = "+";
  Store["Tools.FloatLeft"] = "2147483647";
  Store["Tools.FloatRightX"] = "-50";
  TLayoutForm B;
  LoadFrom(Store, B.Form);
  EXPECT_EQ(0, B.Bars[0]->DockRow());
  EXPECT_EQ(32767, B.Bars[1]->DockPos());
  EXPECT_LE(B.Bars[1]->Left() + B.Bars[1]->Width(), B.Top->Width());
  EXPECT_EQ(0, B.Bars[2]->FloatingWidth());
  const TRect Work = Screen->WorkAreaRect();
  EXPECT_LE(B.Bars[2]->FloatingParent()->Left() + B.Bars[2]->FloatingParent()->Width(), Work.Right);
}

}  // namespace
