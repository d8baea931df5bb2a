// The inserters from the main window: View > Inserters with the shipped tag inserter, its items inserting text
// (the "|" split, the XHTML endings), the edit and reload commands, the hover hint, the close button and the
// place of a floated toolbar across a restart.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"
#include "core/Inserterclass.h"

#include "editor/Easyeditsource.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

class MainFormInserters : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form->Show();
    Harness::RunUntilIdle();
    Form->SetActiveControl(Form->EasyEdit1);
  }
  inserterclass* Tag() { return FindInserter(prg->volatileState->inserters, IF2::TagInserter, 1); }
  inserterclass* User() { return FindInserter(prg->volatileState->inserters, IF2::UserInserter, 1); }
  TEasyEditSource* Source() { return Form->GetCurrentFile()->text; }
  void SetText(const std::string& S) { Source()->Strings()->SetTextBuffer(S.data(), S.size()); }
  std::string Line(int I) { return Source()->Strings()->Get(I); }
  // An item of our own on the inserter's toolbar (in its first submenu), tagged with Record.
  TTBItem* AddItem(inserterclass* Inserter, ticlass& Record) {
    auto* Item = new TTBItem(Form);
    Item->SetTag(reinterpret_cast<NativeInt>(&Record));
    Item->SetHint(Record.hint.text ? Record.hint.text : "");
    Inserter->toolbar->Items()->Items(0)->Add(Item);
    return Item;
  }
  std::vector<std::unique_ptr<ticlass>> Records;
  ticlass& Record(const char* Text, std::uint32_t Flags, int Command = 0) {
    Records.push_back(std::make_unique<ticlass>());
    ticlass& R = *Records.back();
    R.insertText.assign(Text);
    R.hint.assign("The item's hint");
    R.flags.bits = Flags;
    R.command = Command;
    return R;
  }
};

// The menu names of an inserter file, in the order they first appear.
std::vector<std::string> MenuNames(const std::string& File) {
  std::ifstream In(File);
  std::stringstream All;
  All << In.rdbuf();
  const std::string Text = All.str();
  std::vector<std::string> Names;
  for (std::size_t At = Text.find("menu=\""); At != std::string::npos; At = Text.find("menu=\"", At + 1)) {
    const std::size_t Start = At + 6;
    const std::string Name = Text.substr(Start, Text.find('"', Start) - Start);
    if (std::find(Names.begin(), Names.end(), Name) == Names.end()) {
      Names.push_back(Name);
    }
  }
  return Names;
}

TEST_F(MainFormInserters, ViewInsertersShowsTheShippedTagInserterAndKeepsItsToolbar) {
  ASSERT_NE(Tag(), nullptr);
  // Off first when it came up with the window, then on again.
  if (prg->interface->flags2.has(IF2::TagInserter)) {
    Form->ViewTagInserterClick(nullptr);
  }
  EXPECT_FALSE(Form->ViewTagInserter->Checked());
  Form->ViewTagInserterClick(nullptr);
  EXPECT_TRUE(prg->interface->flags2.has(IF2::TagInserter));
  EXPECT_TRUE(Form->ViewTagInserter->Checked());
  TTBToolbar* Bar = Tag()->toolbar;
  ASSERT_NE(Bar, nullptr);
  EXPECT_TRUE(Bar->Visible());
  std::vector<std::string> Submenus;
  for (int I = 0; I < Bar->Items()->Count(); ++I) {
    Submenus.push_back(Bar->Items()->Items(I)->Caption());
  }
  EXPECT_EQ(Submenus, MenuNames(Tag()->configFile.text));
  EXPECT_EQ(std::filesystem::path(Tag()->configFile.text).filename(), "taginsertercfg.txt");

  Form->ViewTagInserterClick(nullptr);
  EXPECT_FALSE(Bar->Visible());
  Form->ViewTagInserterClick(nullptr);
  EXPECT_EQ(Tag()->toolbar, Bar);
  EXPECT_TRUE(Bar->Visible());

  // The close button clears the bit.
  Bar->Close();
  EXPECT_FALSE(prg->interface->flags2.has(IF2::TagInserter));
  EXPECT_FALSE(Form->ViewTagInserter->Checked());
}

TEST_F(MainFormInserters, ItemsInsertTheirTexts) {
  if (!prg->interface->flags2.has(IF2::TagInserter)) {
    Form->ViewTagInserterClick(nullptr);
  }
  ASSERT_NE(Tag()->toolbar, nullptr);
  // "|" wraps the selection.
  TTBItem* P = AddItem(Tag(), Record("<p>|</p>", 0));
  SetText("a word here");
  Source()->SetCurrentPosition(TPoint{6, 0});
  Form->EasyEdit1->SetSelection(Rect(2, 0, 6, 0), slStream);
  Form->InserterItemClick(P);
  EXPECT_EQ(Line(0), "a <p>word</p> here");

  struct EndCase {
    const char* Text;
    bool Xhtml;
    const char* Expected;
  };
  for (const EndCase& C : {EndCase{"<br>", true, "<br />"}, EndCase{"<br>", false, "<br>"},
                           EndCase{"<img src=\"|\">", true, "<img src=\"\" />"},
                           EndCase{"<img src=\"|\" alt=\"\">", true, "<img src=\"\" alt=\"\" />"},
                           EndCase{"<a href=\">|", true, "<a href=\" />"}}) {
    SCOPED_TRACE(C.Text);
    TTBItem* Item = AddItem(Tag(), Record(C.Text, 0x40));
    SetText(C.Xhtml ? "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\r\n" : "<html>\r\n");
    Source()->Strings()->Add("");
    Source()->SetCurrentPosition(TPoint{0, 1});
    Form->InserterItemClick(Item);
    EXPECT_EQ(Line(1), C.Expected);
  }
  // The upper-case option: 0x20 keeps the case in XHTML documents, 0x2 in all.
  prg->editorOptions->flags.set(EOF40::UpperCaseTags, true);
  TTBItem* Keep = AddItem(Tag(), Record("<em>|</em>", 0x20));
  SetText("<html>\r\n");
  Source()->SetCurrentPosition(TPoint{0, 0});
  Form->InserterItemClick(Keep);
  EXPECT_EQ(Line(0), "<EM></EM><html>");
  SetText("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">\r\n");
  Source()->Strings()->Add("");
  Source()->SetCurrentPosition(TPoint{0, 1});
  Form->InserterItemClick(Keep);
  EXPECT_EQ(Line(1), "<em></em>");
  // A separator does nothing; flag 0x8 closes the inserter.
  SetText("x");
  Form->InserterItemClick(AddItem(Tag(), Record("<hr>", 0x4)));
  EXPECT_EQ(Line(0), "x");
  Form->InserterItemClick(AddItem(Tag(), Record("", 0x8)));
  EXPECT_FALSE(prg->interface->flags2.has(IF2::TagInserter));
  EXPECT_FALSE(Tag()->toolbar->Visible());
}

TEST_F(MainFormInserters, HoverHintInTheCaption) {
  if (!prg->interface->flags2.has(IF2::TagInserter)) {
    Form->ViewTagInserterClick(nullptr);
  }
  TTBToolbar* Bar = Tag()->toolbar;
  ASSERT_NE(Bar, nullptr);
  const std::string Caption = Bar->Caption();
  TTBItem* Item = AddItem(Tag(), Record("<b>|</b>", 0));
  Form->InserterItemSelect(Item, nullptr, true);
  EXPECT_EQ(Bar->Caption(), "The item's hint");
  Form->InserterItemSelect(Item, nullptr, false);
  EXPECT_EQ(Bar->Caption(), Caption);
  Form->InserterItemSelect(Item, nullptr, true);
  Form->InserterItemClick(Item);
  EXPECT_EQ(Bar->Caption(), Caption);
}

TEST_F(MainFormInserters, EditOpensTheFileAndReloadRebuildsOrClearsTheBit) {
  // The user inserter from a file of our own.
  const std::string File = Dir + "/userinsertercfg.txt";
  const auto Write = [&](const std::string& Items) {
    std::ofstream(File) << "<zubtaginserterconfiguration version=\"6.0\">\n"
                        << Items << "</zubtaginserterconfiguration>\n";
  };
  Write("<tag menu=\"Mine\" caption=\"one\" inserttext=\"1\" />\n");
  User()->configFile.assign(File.c_str());
  Form->ViewUserInserterClick(nullptr);
  ASSERT_NE(User()->toolbar, nullptr);
  EXPECT_EQ(User()->toolbar->Items()->Items(0)->Count(), 1);

  Form->OptionsUserInserterEditClick(nullptr);
  EXPECT_EQ(std::string(Form->GetCurrentFile()->name.text), File);

  Write(
      "<tag menu=\"Mine\" caption=\"one\" inserttext=\"1\" />\n<tag menu=\"Mine\" caption=\"two\" inserttext=\"2\" "
      "/>\n");
  Form->OptionsUserInserterReloadClick(nullptr);
  ASSERT_NE(User()->toolbar, nullptr);
  EXPECT_TRUE(User()->toolbar->Visible());
  EXPECT_EQ(User()->toolbar->Items()->Items(0)->Count(), 2);
  EXPECT_TRUE(prg->interface->flags2.has(IF2::UserInserter));

  // A file that now fails: no toolbar, the bit cleared, and the loader says so.
  std::ofstream(File) << "<not an inserter";
  const std::size_t Before = Dialogs.Shown().size();
  Form->OptionsUserInserterReloadClick(nullptr);
  EXPECT_EQ(User()->toolbar, nullptr);
  EXPECT_FALSE(prg->interface->flags2.has(IF2::UserInserter));
  EXPECT_FALSE(Form->ViewUserInserter->Checked());
  ASSERT_GT(Dialogs.Shown().size(), Before);
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Failed to Load Inserter Configuration");
}

TEST_F(MainFormInserters, AFloatedToolbarKeepsItsPlaceAcrossARestart) {
  if (!prg->interface->flags2.has(IF2::TagInserter)) {
    Form->ViewTagInserterClick(nullptr);
  }
  TTBToolbar* Bar = Tag()->toolbar;
  ASSERT_NE(Bar, nullptr);
  Bar->SetFloatingPosition(TPoint{333, 222});
  Bar->SetFloating(true);
  Harness::RunUntilIdle();
  ASSERT_TRUE(Bar->Floating());
  ASSERT_TRUE(CloseAndDestroy());
  MakeRootAndSettings();
  MakeForms();
  Form->Show();
  Harness::RunUntilIdle();
  TTBToolbar* Again = Tag()->toolbar;
  ASSERT_NE(Again, nullptr);
  EXPECT_TRUE(Again->Floating());
  EXPECT_EQ(Again->FloatingPosition().X, 333);
  EXPECT_EQ(Again->FloatingPosition().Y, 222);
}

}  // namespace
