// The application object's verbs and their editor, the verb-bound action, and the suite's property editors.
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "suitebase/Zodiractions.h"
#include "tests/support/Forms.h"

#include <filesystem>

using namespace Zodir;

namespace {

class TSpecialButton : public TButton {
  Z_CLASS(TSpecialButton, TButton)
public:
  using TButton::TButton;
};
Z_IMPLEMENT_CLASS(TSpecialButton, TButton)

class TFontHolder : public TComponent {
  Z_CLASS(TFontHolder, TComponent)
public:
  using TComponent::TComponent;
  std::string FFontName = "Courier New";
  std::string FFolder;
  std::string FComputer;
  int FSize = 10;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFontHolder> P(Meta);
    P.Property("FontName", &TFontHolder::FFontName, &TFontHolder::FFontName);
    P.Property("Folder", &TFontHolder::FFolder, &TFontHolder::FFolder);
    P.Property("ComputerName", &TFontHolder::FComputer, &TFontHolder::FComputer);
    P.Property("Size", &TFontHolder::FSize, &TFontHolder::FSize);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFontHolder, TComponent, TFontHolder::Publish)

class ActionsTest : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    Suite = std::make_unique<ZEZApplication>();
  }
  void TearDown() override {
    Suite.reset();
    TFormTest::TearDown();
  }
  std::unique_ptr<ZEZApplication> Suite;
};

TEST_F(ActionsTest, VerbsApplyToTheirClassItsDescendantsAndWithNoClassToAll) {
  std::vector<TComponent*> Ran;
  RegisterComponentAction("Everyone", nullptr, [&](TComponent* C) { Ran.push_back(C); });
  RegisterComponentAction("Buttons", TButton::StaticClass(), [&](TComponent* C) { Ran.push_back(C); });
  RegisterVisualProperty("Edit caption", TSpecialButton::StaticClass(), "Caption");
  TButton Plain(nullptr);
  TSpecialButton Special(nullptr);
  TEdit Edit(nullptr);
  TActionsList* L = App->GetActionList();
  EXPECT_EQ(L->GetVerbCount(&Edit), 1);
  EXPECT_EQ(L->GetVerbCount(&Plain), 2);
  EXPECT_EQ(L->GetVerbCount(&Special), 3);
  EXPECT_EQ(L->GetVerb(&Special, 2), "Edit caption");
  EXPECT_EQ(L->GetVerb(&Edit, 1), "");
  L->ExecuteVerb(&Plain, 1);
  L->ExecuteVerb(&Edit, 5);  // no such verb: nothing
  EXPECT_EQ(Ran, std::vector<TComponent*>{&Plain});
  TActionEditor Editor;
  Editor.Initialize(&Special, nullptr);
  EXPECT_EQ(Editor.GetVerbCount(), 3);
  EXPECT_EQ(Editor.GetVerb(0), "Everyone");
  Editor.ExecuteVerb(0);
  EXPECT_EQ(Ran.back(), &Special);
}

TEST_F(ActionsTest, AnActionWithAnUnknownVerbDoesNothingAndStaysUsable) {
  TDCIDEAction Action(nullptr);
  Action.SetVerbName("  NoSuchVerbAnywhere ");
  EXPECT_EQ(Action.VerbName(), "NoSuchVerbAnywhere");
  EXPECT_FALSE(Action.Execute());
  EXPECT_TRUE(Action.Visible());
  EXPECT_TRUE(Action.Enabled());

  static int Runs = 0;
  Dorazori::RegisterVerb(
      "ActionsTestVerb",
      [](Dorazori::TVerbStates& S) {
        S = Dorazori::TVerbStates{Dorazori::vsVisible, Dorazori::vsChecked};
      },
      [] { ++Runs; });
  Action.SetVerbName("ActionsTestVerb");
  EXPECT_FALSE(Action.Enabled());
  EXPECT_TRUE(Action.Checked());
  EXPECT_TRUE(Action.Execute());
  EXPECT_EQ(Runs, 1);
}

TEST_F(ActionsTest, TheSuitesPropertyEditors) {
  TScriptedDialogs Script;
  TScopedDialogService Scope(Script);
  const int Group = NewEditorGroup();
  RegisterPropertyEditor(TypeInfo<std::string>(), TFontHolder::StaticClass(), "FontName",
                         TMonoSpaceFontNamesProperty::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), TFontHolder::StaticClass(), "Folder",
                         TDirectoryProperty::StaticClass());
  RegisterPropertyEditor(TypeInfo<std::string>(), nullptr, "ComputerName", TComputerNameProperty::StaticClass());
  RegisterPropertyEditor(TypeInfo<int>(), TFontHolder::StaticClass(), "Size", TFontSizePropEdit::StaticClass());
  TFontHolder H(nullptr);
  std::map<std::string, std::unique_ptr<TPropertyEditor>> E;
  GetComponentProperties({&H}, tkAny, nullptr, [&](TPropertyEditor* P) { E[P->GetName()].reset(P); });

  std::vector<std::string> Sizes;
  E["Size"]->GetValues([&](const std::string& S) { Sizes.push_back(S); });
  EXPECT_EQ(Sizes.size(), 16u);
  EXPECT_EQ(Sizes.front(), "8");
  EXPECT_EQ(Sizes.back(), "72");
  EXPECT_TRUE(E["Size"]->GetAttributes().Contains(paValueList));

  std::vector<std::string> Fonts;
  E["FontName"]->GetValues([&](const std::string& S) { Fonts.push_back(S); });
  EXPECT_FALSE(Fonts.empty());
  try {
    E["FontName"]->SetValue("Liberation Sans");
    ADD_FAILURE() << "a proportional font was taken";
  } catch (const Exception& Error) {
    EXPECT_EQ(Error.Message(), "Only monospaced fonts can be used");
  }
  EXPECT_EQ(H.FFontName, "Courier New");
  E["FontName"]->SetValue(Fonts.front());
  EXPECT_EQ(H.FFontName, Fonts.front());

  const std::string Temp = std::filesystem::temp_directory_path().string();
  Script.QueueAnswer(IDOK, Temp);
  E["Folder"]->Edit();
  EXPECT_EQ(H.FFolder, Temp);
  EXPECT_EQ(Script.Shown().back().Caption, "Select Directory");
  EXPECT_TRUE(E["Folder"]->GetAttributes().Contains(paDialog));

  Script.QueueAnswer(IDCANCEL);
  E["ComputerName"]->Edit();
  EXPECT_EQ(H.FComputer, "");
  EXPECT_EQ(Script.Shown().back().Kind, "BrowseForFolder");
  FreeEditorGroup(Group);
}

}  // namespace
