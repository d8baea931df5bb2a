// Actions: the order in which Execute and Update look for a handler, check groups, action list shortcuts and
// suspension, targets on the active form, links following their action, and form files with action lists.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ActnList.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

TWMKey KeyMessage(WORD Vk, LONG KeyData) {
  TMessage M{KeyData & 0x20000000 ? WM_SYSKEYDOWN : WM_KEYDOWN, Vk, KeyData, 0};
  return MessageAs<TWMKey>(M);
}

// A root as a form is one: its children are the components it owns that have no parent of their own.
class TTestRoot : public TComponent {
  Z_CLASS(TTestRoot, TComponent)
public:
  using TComponent::TComponent;

protected:
  void GetChildren(TGetChildProc Proc, TComponent*) override {
    for (Integer I = 0; I < ComponentCount(); ++I) {
      if (!Components(I)->HasParent()) {
        Proc(Components(I));
      }
    }
  }
};
Z_IMPLEMENT_CLASS(TTestRoot, TComponent)

template <class T> T* Make(TComponent* Owner, const std::string& Name = {}) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  if (!Name.empty()) {
    C->SetName(Name);
  }
  return C;
}

// A link that records what its action pushes to it.
class TRecordingLink : public TActionLink {
public:
  using TActionLink::TActionLink;
  Strings Log;
  void SetCaption(const std::string& V) override { Log.push_back("Caption=" + V); }
  void SetChecked(bool V) override { Log.push_back(std::string("Checked=") + (V ? "1" : "0")); }
  void SetEnabled(bool V) override { Log.push_back(std::string("Enabled=") + (V ? "1" : "0")); }
  void Change() override {
    Log.push_back("Change");
    TActionLink::Change();
  }
};

TEST(Actions, ExecuteAsksTheListThenTheActionAndStopsAtTheFirstHandler) {
  TComponent Owner(nullptr);
  auto* List = Make<TActionList>(&Owner);
  auto* A = Make<TAction>(&Owner);
  A->SetActionList(List);
  Strings Log;
  bool ListHandles = true;
  List->OnExecute = [&](TBasicAction* Act, bool& Handled) {
    Log.push_back(std::string("list:") + (Act == A ? "A" : "?"));
    Handled = ListHandles;
  };
  A->SetOnExecute([&](TObject*) { Log.push_back("action"); });
  EXPECT_TRUE(A->Execute());
  ListHandles = false;
  EXPECT_TRUE(A->Execute());
  EXPECT_EQ(Log, (Strings{"list:A", "list:A", "action"}));

  // Disabled or suspended: nothing runs and Execute answers false.
  Log.clear();
  A->SetEnabled(false);
  EXPECT_FALSE(A->Execute());
  A->SetEnabled(true);
  List->SetState(asSuspended);
  EXPECT_FALSE(A->Execute());
  EXPECT_TRUE(Log.empty());
  // While suspended, Enabled keeps its value and takes the one set meanwhile on resuming.
  A->SetEnabled(false);
  EXPECT_TRUE(A->Enabled());
  List->SetState(asNormal);
  EXPECT_FALSE(A->Enabled());
  // Suspended-enabled enables every action of the list, and resuming gives back the earlier states.
  List->SetState(asSuspendedEnabled);
  EXPECT_TRUE(A->Enabled());
  EXPECT_FALSE(A->Execute());
  List->SetState(asNormal);
  EXPECT_FALSE(A->Enabled());
}

TEST(Actions, UpdateRunsOnUpdateBeforeExecuteAndNoHandlerDisablesAnActionWithoutOnExecute) {
  TComponent Owner(nullptr);
  auto* A = Make<TAction>(&Owner);
  Strings Log;
  A->OnUpdate = [&](TObject*) { Log.push_back("update"); };
  A->SetOnExecute([&](TObject*) { Log.push_back("execute"); });
  EXPECT_TRUE(A->Execute());
  EXPECT_EQ(Log, (Strings{"update", "execute"}));

  // No OnUpdate and nobody on the forms handles it: it stays enabled only because it has OnExecute.
  auto* Orphan = Make<TAction>(&Owner);
  EXPECT_FALSE(Orphan->Update());
  EXPECT_FALSE(Orphan->Enabled());
  auto* WithExecute = Make<TAction>(&Owner);
  WithExecute->SetOnExecute([](TObject*) {});
  EXPECT_FALSE(WithExecute->Update());
  EXPECT_TRUE(WithExecute->Enabled());
  auto* Kept = Make<TAction>(&Owner);
  Kept->DisableIfNoHandler = false;
  Kept->Update();
  EXPECT_TRUE(Kept->Enabled());
}

TEST(Actions, GroupsKeepOneCheckedAndAutoCheckToggles) {
  TComponent Owner(nullptr);
  auto* List = Make<TActionList>(&Owner);
  auto* Other = Make<TActionList>(&Owner);
  auto* A = Make<TAction>(&Owner);
  auto* B = Make<TAction>(&Owner);
  auto* C = Make<TAction>(&Owner);
  auto* Elsewhere = Make<TAction>(&Owner);
  for (auto* X : {A, B, C}) {
    X->SetActionList(List);
    X->SetGroupIndex(1);
    X->SetAutoCheck(true);
    X->SetOnExecute([](TObject*) {});
  }
  Elsewhere->SetActionList(Other);
  Elsewhere->SetGroupIndex(1);
  Elsewhere->SetChecked(true);
  A->SetChecked(true);
  B->SetChecked(true);
  EXPECT_FALSE(A->Checked());
  EXPECT_TRUE(B->Checked());
  EXPECT_TRUE(Elsewhere->Checked());  // another list's group is another group
  // Executing the checked member of a group keeps it checked; another member takes the check.
  B->Execute();
  EXPECT_TRUE(B->Checked());
  C->Execute();
  EXPECT_TRUE(C->Checked());
  EXPECT_FALSE(B->Checked());
  // Without a group, AutoCheck toggles both ways.
  auto* Toggle = Make<TAction>(&Owner);
  Toggle->SetAutoCheck(true);
  Toggle->SetOnExecute([](TObject*) {});
  Toggle->Execute();
  EXPECT_TRUE(Toggle->Checked());
  Toggle->Execute();
  EXPECT_FALSE(Toggle->Checked());
  // Joining a group while checked unchecks the group's checked member.
  Toggle->SetActionList(List);
  Toggle->SetChecked(true);
  Toggle->SetGroupIndex(1);
  EXPECT_FALSE(C->Checked());
}

TEST(Actions, SettersPushToLinksOnlyOnChange) {
  TComponent Owner(nullptr);
  auto* A = Make<TAction>(&Owner);
  {
    TRecordingLink Link(nullptr);
    Link.SetAction(A);
    EXPECT_EQ(A->ClientCount(), 1);
    A->SetCaption("&Open");
    A->SetCaption("&Open");
    A->SetEnabled(false);
    A->SetChecked(true);
    EXPECT_EQ(Link.Log, (Strings{"Caption=&Open", "Change", "Enabled=0", "Change", "Checked=1", "Change"}));
  }
  // A link that goes unregisters itself.
  EXPECT_EQ(A->ClientCount(), 0);
  auto* Link = new TRecordingLink(nullptr);
  Link->SetAction(A);
  delete A;
  EXPECT_EQ(Link->Action(), nullptr);
  delete Link;
}

TEST(Actions, ActionListShortcutsExecuteTheFirstMatchingAction) {
  TComponent Owner(nullptr);
  auto* List = Make<TActionList>(&Owner);
  Strings Log;
  auto Add = [&](const char* Name, TShortCut Key) {
    auto* A = Make<TAction>(&Owner, Name);
    A->SetShortCut(Key);
    A->SetActionList(List);
    A->SetOnExecute([&Log, Name](TObject*) { Log.push_back(Name); });
    return A;
  };
  Add("Refresh", VK_F5);
  auto* Second = Add("Again", VK_F5);
  auto* Find = Add("Find", TextToShortCut("Alt+F"));
  TWMKey F5 = KeyMessage(VK_F5, 0);
  EXPECT_TRUE(List->IsShortCut(F5));
  TWMKey AltF = KeyMessage('F', 0x20000000);
  EXPECT_TRUE(List->IsShortCut(AltF));
  TWMKey PlainF = KeyMessage('F', 0);
  EXPECT_FALSE(List->IsShortCut(PlainF));
  EXPECT_EQ(Log, (Strings{"Refresh", "Find"}));
  // A disabled action swallows nothing: the key goes on.
  Find->SetEnabled(false);
  EXPECT_FALSE(List->IsShortCut(AltF));
  (void)Second;
}

// An action that works on any control of the class TTargetPanel, as the standard edit actions do.
class TTargetPanel : public TCustomControl {
  Z_CLASS(TTargetPanel, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  int Executed = 0;
};
Z_IMPLEMENT_CLASS(TTargetPanel, TCustomControl)

class TPanelAction : public TAction {
public:
  using TAction::TAction;
  bool HandlesTarget(TObject* Target) override { return dynamic_cast<TTargetPanel*>(Target) != nullptr; }
  void ExecuteTarget(TObject* Target) override { ++static_cast<TTargetPanel*>(Target)->Executed; }
};

TEST(Actions, WithoutHandlersTheActiveFormsControlsAreTargets) {
  Harness::Start();
  auto* Form = Make<TForm>(Application);
  Form->SetBounds(10, 10, 200, 150);
  auto* Panel = Make<TTargetPanel>(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(5, 5, 50, 50);
  Form->Show();
  Harness::RunUntilIdle();
  auto* A = Make<TPanelAction>(Form);
  EXPECT_TRUE(A->Execute());
  EXPECT_EQ(Panel->Executed, 1);
  EXPECT_TRUE(A->Enabled());
  delete Form;
}

TEST(Actions, ActionListsAndTheirActionsComeFromFormFiles) {
  RegisterClasses({TActionList::StaticClass(), TAction::StaticClass()});
  const std::string Text =
      "object Root: TTestRoot\r\n"
      "  object ActionList1: TActionList\r\n"
      "    object FileSave: TAction\r\n"
      "      Category = 'File'\r\n"
      "      Caption = '&Save'\r\n"
      "      Hint = 'Save|Saves the document'\r\n"
      "      ShortCut = 16467\r\n"
      "    end\r\n"
      "    object ViewWrap: TAction\r\n"
      "      AutoCheck = True\r\n"
      "      Checked = True\r\n"
      "      GroupIndex = 2\r\n"
      "      ImageIndex = 4\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  TTestRoot Root(nullptr);
  Bin.ReadComponent(&Root);
  auto* List = dynamic_cast<TActionList*>(Root.FindComponent("ActionList1"));
  ASSERT_NE(List, nullptr);
  ASSERT_EQ(List->ActionCount(), 2);
  auto* Save = dynamic_cast<TAction*>(List->Actions(0));
  ASSERT_NE(Save, nullptr);
  EXPECT_EQ(Save->Owner(), &Root);
  EXPECT_EQ(Save->Name(), "FileSave");
  EXPECT_EQ(Save->Category, "File");
  EXPECT_EQ(Save->ShortCut(), TextToShortCut("Ctrl+S"));
  auto* Wrap = dynamic_cast<TAction*>(List->Actions(1));
  EXPECT_TRUE(Wrap->Checked() && Wrap->AutoCheck());
  EXPECT_EQ(Wrap->GroupIndex(), 2);
  EXPECT_EQ(Wrap->ImageIndex(), 4);

  // Written back, the actions are children of the list, with only the values that differ from the defaults.
  TMemoryStream Out;
  Out.WriteComponent(&Root);
  Out.SetPosition(0);
  TStringStream Back;
  ObjectBinaryToText(&Out, &Back);
  EXPECT_EQ(Back.DataString(), Text);
}

}  // namespace
