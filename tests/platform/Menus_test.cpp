// Menus: shortcut text, the platform's menu handles and popup menu loop (answered by script), menu items over
// them, popup menus clicking their items, shortcuts through the parents, action links and form files.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/UtilWindow.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

template <class T> T* Make(TComponent* Owner, const std::string& Name = {}) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  if (!Name.empty()) {
    C->SetName(Name);
  }
  return C;
}

TMenuItem* Item(TMenuItem* Parent, const std::string& Caption, Strings* Log = nullptr) {
  auto* I = new TMenuItem(nullptr);
  I->SetCaption(Caption);
  if (Log) {
    I->SetOnClick([Log, Caption](TObject*) { Log->push_back(Caption); });
  }
  Parent->Add(I);
  return I;
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

TWMKey KeyMessage(WORD Vk, LONG KeyData) {
  TMessage M{KeyData & 0x20000000 ? WM_SYSKEYDOWN : WM_KEYDOWN, Vk, KeyData, 0};
  return MessageAs<TWMKey>(M);
}

struct TShortCutCase {
  TShortCut Code;
  const char* Text;
};

TEST(ShortCuts, TextBothWays) {
  const TShortCutCase Cases[] = {
      {scCtrl | 'S', "Ctrl+S"},
      {scShift | scCtrl | VK_F5, "Shift+Ctrl+F5"},
      {scAlt | VK_BACK, "Alt+BkSp"},
      {VK_DELETE, "Del"},
      {VK_INSERT, "Ins"},
      {VK_NEXT, "PgDn"},
      {scCtrl | VK_RETURN, "Ctrl+Enter"},
      {VK_ESCAPE, "Esc"},
      {VK_F12, "F12"},
      {scCtrl | '0', "Ctrl+0"},
      {scCtrl | VK_OEM_PLUS, "Ctrl+="},
      {VK_ADD, "Num +"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(ShortCutToText(C.Code), C.Text);
    EXPECT_EQ(TextToShortCut(C.Text), C.Code) << C.Text;
  }
  // Number-pad digits read as digits; their text gives back the main keyboard's digit.
  EXPECT_EQ(ShortCutToText(VK_NUMPAD0 + 7), "7");
  EXPECT_EQ(TextToShortCut("7"), '7');
  // Modifiers in any order and case; "^" is Ctrl.
  EXPECT_EQ(TextToShortCut("ctrl+shift+x"), scShift | scCtrl | 'X');
  EXPECT_EQ(TextToShortCut("^A"), scCtrl | 'A');
  for (const char* Bad : {"", "Ctrl+", "Bogus", "Ctrl+Bogus"}) {
    EXPECT_EQ(TextToShortCut(Bad), scNone) << Bad;
  }
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(scCtrl | 0xFF), "");
}

TEST(ShortCuts, HotkeysAndHints) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Save && E&xit"), "Save & Exit");
  EXPECT_EQ(GetHotkey("E&xit"), 'X');
  EXPECT_EQ(GetHotkey("Save && Exit"), 0);
  EXPECT_EQ(GetShortHint("Save|Saves the file"), "Save");
  EXPECT_EQ(GetLongHint("Save|Saves the file"), "Saves the file");
  EXPECT_EQ(GetLongHint("Plain"), "Plain");
}

TEST(PlatformMenus, ItemsStatesAndHandles) {
  HMENU Menu = CreatePopupMenu();
  HMENU Sub = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(Sub, MF_STRING, 30, "&Deep"));
  ASSERT_TRUE(AppendMenu(Menu, MF_STRING, 10, "&Open\tCtrl+O"));
  ASSERT_TRUE(AppendMenu(Menu, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenu(Menu, MF_POPUP, Sub, "&More"));
  ASSERT_TRUE(InsertMenu(Menu, 0, MF_BYPOSITION | MF_STRING | MF_CHECKED, 5, "&First"));
  EXPECT_EQ(GetMenuItemCount(Menu), 4);
  EXPECT_EQ(GetMenuItemID(Menu, 0), 5u);
  EXPECT_EQ(GetMenuItemID(Menu, 3), static_cast<UINT>(-1));  // a submenu
  EXPECT_EQ(GetSubMenu(Menu, 3), Sub);
  EXPECT_EQ(GetMenuState(Menu, 5, MF_BYCOMMAND), MF_CHECKED);
  EXPECT_EQ(GetMenuState(Menu, 3, MF_BYPOSITION), MF_POPUP | (1u << 8));
  EXPECT_EQ(GetMenuState(Menu, 2, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
  // By command the search reaches into submenus.
  EXPECT_EQ(CheckMenuItem(Menu, 30, MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(CheckMenuItem(Menu, 30, MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(EnableMenuItem(Menu, 10, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(Menu, 10, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(CheckMenuItem(Menu, 99, MF_CHECKED), static_cast<DWORD>(-1));

  char Buf[8];
  MENUITEMINFO Info;
  Info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
  Info.dwTypeData = Buf;
  Info.cch = sizeof(Buf);
  ASSERT_TRUE(GetMenuItemInfo(Menu, 10, FALSE, &Info));
  EXPECT_STREQ(Buf, "&Open\tC");  // cut to the buffer
  EXPECT_EQ(Info.cch, 7u);
  EXPECT_EQ(Info.fState, MFS_GRAYED);
  Info = MENUITEMINFO{};
  Info.fMask = MIIM_STRING;
  ASSERT_TRUE(GetMenuItemInfo(Menu, 10, FALSE, &Info));
  EXPECT_EQ(Info.cch, 12u);  // no buffer: the length
  Info = MENUITEMINFO{};
  Info.fMask = MIIM_STATE | MIIM_FTYPE;
  Info.fType = MFT_RADIOCHECK;
  Info.fState = MFS_CHECKED | MFS_DEFAULT;
  ASSERT_TRUE(SetMenuItemInfo(Menu, 0, TRUE, &Info));
  EXPECT_EQ(GetMenuDefaultItem(Menu, FALSE, 0), 5u);

  // RemoveMenu leaves the submenu to the caller; DeleteMenu destroys it.
  ASSERT_TRUE(RemoveMenu(Menu, 3, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(Sub));
  ASSERT_TRUE(InsertMenu(Menu, 10, MF_BYCOMMAND | MF_POPUP, Sub, "&More"));
  EXPECT_EQ(GetSubMenu(Menu, 1), Sub);  // inserted before the item with command 10
  ASSERT_TRUE(DeleteMenu(Menu, 1, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(Sub));
  EXPECT_FALSE(DeleteMenu(Menu, 77, MF_BYCOMMAND));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));

  ASSERT_TRUE(DestroyMenu(Menu));
  EXPECT_EQ(GetMenuItemCount(Menu), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_FALSE(AppendMenu(Menu, MF_STRING, 1, "x"));
}

// A hidden window that records the menu loop's messages.
struct TMenuOwner {
  Strings Log;
  std::function<LRESULT(TMessage&)> OnMenuChar;
  HWND Wnd = AllocateHWnd([this](TMessage& M) {
    switch (M.Msg) {
      case WM_ENTERMENULOOP: Log.push_back("ENTERMENULOOP"); break;
      case WM_EXITMENULOOP: Log.push_back("EXITMENULOOP"); break;
      case WM_INITMENU: Log.push_back("INITMENU"); break;
      case WM_INITMENUPOPUP: Log.push_back("INITMENUPOPUP " + std::to_string(LOWORD(M.LParam))); break;
      case WM_MENUSELECT:
        if (HIWORD(M.WParam) == 0xFFFF && M.LParam == 0) {
          Log.push_back("MENUSELECT close");
          break;
        }
        Log.push_back("MENUSELECT " + std::to_string(LOWORD(M.WParam)) + " " +
                      std::to_string(HIWORD(M.WParam) & MF_POPUP ? 1 : 0));
        break;
      case WM_MEASUREITEM: {
        auto* S = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
        Log.push_back("MEASUREITEM " + std::to_string(S->itemID) + " data " + std::to_string(S->itemData));
        break;
      }
      case WM_MENUCHAR:
        Log.push_back(std::string("MENUCHAR ") + static_cast<char>(LOWORD(M.WParam)));
        M.Result = OnMenuChar ? OnMenuChar(M) : 0;
        return;
      case WM_COMMAND: Log.push_back("COMMAND " + std::to_string(LOWORD(M.WParam))); break;
      default: break;
    }
    M.Result = DefWindowProc(Wnd, M.Msg, M.WParam, M.LParam);
  });
  ~TMenuOwner() { DeallocateHWnd(Wnd); }
};

TEST(PlatformMenus, TrackPopupMenuTakesTheScriptedChoice) {
  Harness::Start();
  HMENU Menu = CreatePopupMenu();
  HMENU Sub = CreatePopupMenu();
  AppendMenu(Sub, MF_STRING, 30, "&Deep");
  AppendMenu(Sub, MF_STRING | MF_GRAYED, 31, "&Gray");
  AppendMenu(Menu, MF_STRING, 10, "&Open");
  AppendMenu(Menu, MF_OWNERDRAW, 11, reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(77)));
  AppendMenu(Menu, MF_POPUP, Sub, "&More");
  TMenuOwner Owner;
  TScriptedDialogs Script;
  TScopedDialogService Scope(Script);

  Script.QueueAnswer(30);
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD, 100, 120, 0, Owner.Wnd, nullptr), 30);
  EXPECT_EQ(Owner.Log, (Strings{"ENTERMENULOOP", "INITMENU", "INITMENUPOPUP 0", "MEASUREITEM 11 data 77",
                                "MENUSELECT 2 1", "INITMENUPOPUP 2", "MENUSELECT 30 0", "MENUSELECT close",
                                "EXITMENULOOP"}));
  auto Shown = Script.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Kind, "PopupMenu");
  EXPECT_EQ(Shown[0].Owner, Owner.Wnd);
  EXPECT_EQ(Shown[0].Params["X"], "100");
  EXPECT_EQ(Shown[0].Params["Y"], "120");
  EXPECT_EQ(Shown[0].Buttons, (std::vector<int>{10, 11, 30}));  // the grayed item cannot be chosen
  EXPECT_EQ(Shown[0].Text, "&Open\t10\n\t11 ownerdraw\n&More\n  &Deep\t30\n  &Gray\t31 grayed\n");

  // Without TPM_RETURNCMD the command is posted; a grayed or unknown choice, or none, dismisses the menu.
  Owner.Log.clear();
  Script.QueueAnswer(10);
  EXPECT_TRUE(TrackPopupMenu(Menu, TPM_NONOTIFY, 0, 0, 0, Owner.Wnd, nullptr));
  EXPECT_TRUE(Owner.Log.empty());
  Harness::RunUntilIdle();
  EXPECT_EQ(Owner.Log, (Strings{"COMMAND 10"}));
  for (int Answer : {31, 999, 0}) {
    Script.QueueAnswer(Answer);
    EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, 0, Owner.Wnd, nullptr), 0) << Answer;
  }

  // A typed key chooses the item whose mnemonic it is, else the owner's WM_MENUCHAR answer decides.
  Script.QueueAnswer(TDialogAnswer(0, "o"));
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, 0, Owner.Wnd, nullptr), 10);
  Owner.OnMenuChar = [](TMessage&) { return static_cast<LRESULT>(MAKELONG(1, MNC_EXECUTE)); };
  Owner.Log.clear();
  Script.QueueAnswer(TDialogAnswer(0, "z"));
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD, 0, 0, 0, Owner.Wnd, nullptr), 11);
  EXPECT_NE(std::find(Owner.Log.begin(), Owner.Log.end(), "MENUCHAR z"), Owner.Log.end());
  Owner.OnMenuChar = [](TMessage&) { return static_cast<LRESULT>(MAKELONG(0, MNC_CLOSE)); };
  Script.QueueAnswer(TDialogAnswer(0, "z"));
  EXPECT_EQ(TrackPopupMenu(Menu, TPM_RETURNCMD, 0, 0, 0, Owner.Wnd, nullptr), 0);

  EXPECT_FALSE(TrackPopupMenu(Menu, 0, 0, 0, 0, 0, nullptr));
  DestroyMenu(Menu);
}

TEST(MenuItems, BuildThePlatformMenuAndFollowChanges) {
  TComponent Owner(nullptr);
  auto* Menu = Make<TPopupMenu>(&Owner);
  TMenuItem* Root = Menu->Items();
  auto* Open = Item(Root, "&Open");
  Open->SetShortCut(scCtrl | 'O');
  Item(Root, "-");
  auto* Hidden = Item(Root, "Hidden");
  Hidden->SetVisible(false);
  auto* More = Item(Root, "&More");
  auto* Deep = Item(More, "&Deep");
  Deep->SetEnabled(false);
  auto* Wrap = Item(Root, "&Wrap");
  Wrap->SetChecked(true);
  Wrap->SetDefault(true);
  HMENU H = Menu->Handle();
  auto Id = [](TMenuItem* I) { return std::to_string(I->Command()); };
  EXPECT_EQ(TrackMenuDump(H), "&Open\tCtrl+O\t" + Id(Open) + "\n-\n&More\n  &Deep\t" + Id(Deep) +
                                  " grayed\n&Wrap\t" + Id(Wrap) + " checked default\n");
  // Changes after the handle exists rebuild it.
  Hidden->SetVisible(true);
  Deep->SetEnabled(true);
  Open->SetCaption("&Open...");
  EXPECT_EQ(TrackMenuDump(H), "&Open...\tCtrl+O\t" + Id(Open) + "\n-\nHidden\t" + Id(Hidden) +
                                  "\n&More\n  &Deep\t" + Id(Deep) + "\n&Wrap\t" + Id(Wrap) + " checked default\n");
  // Its last subitem gone, an item is a plain entry again.
  delete Deep;
  EXPECT_EQ(More->Count(), 0);
  EXPECT_FALSE(More->HandleAllocated());
  EXPECT_NE(TrackMenuDump(H).find("&More\t" + Id(More) + "\n"), std::string::npos);

  EXPECT_EQ(Menu->FindItem(Open->Command(), fkCommand), Open);
  EXPECT_EQ(Root->Find("open..."), Open);
  EXPECT_THROW(Root->Add(Open), EMenuError);
  EXPECT_THROW(Root->Items(Root->Count()), EMenuError);
  EXPECT_THROW(Root->Insert(Root->Count() + 1, new TMenuItem(Menu)), EMenuError);
}

TEST(MenuItems, RadioItemsOfAGroupUncheckTheirSiblings) {
  TComponent Owner(nullptr);
  auto* Menu = Make<TPopupMenu>(&Owner);
  auto* Sub = Item(Menu->Items(), "Sub");
  std::vector<TMenuItem*> R;
  for (int I = 0; I < 3; ++I) {
    R.push_back(Item(Menu->Items(), "R" + std::to_string(I)));
    R.back()->SetRadioItem(true);
    R.back()->SetGroupIndex(3);
  }
  auto* OtherGroup = Item(Menu->Items(), "Other");
  OtherGroup->SetRadioItem(true);
  OtherGroup->SetChecked(true);
  auto* Cousin = Item(Sub, "Cousin");
  Cousin->SetRadioItem(true);
  Cousin->SetGroupIndex(3);
  Cousin->SetChecked(true);
  R[0]->SetChecked(true);
  R[2]->SetChecked(true);
  EXPECT_FALSE(R[0]->Checked());
  EXPECT_TRUE(R[2]->Checked());
  EXPECT_TRUE(OtherGroup->Checked());  // group 0
  EXPECT_TRUE(Cousin->Checked());      // same group under another parent
  // Moving a checked radio item into the group applies the rule at once.
  OtherGroup->SetGroupIndex(3);
  EXPECT_FALSE(R[2]->Checked());
  // Check marks of radio items show as radio marks.
  EXPECT_NE(TrackMenuDump(Menu->Handle()).find("Other\t" + std::to_string(OtherGroup->Command()) + " checked radio"),
            std::string::npos);
}

class PopupMenus : public ::testing::Test {
protected:
  void SetUp() override { Harness::Start(); }
  TScriptedDialogs Script;
  TScopedDialogService Scope{Script};
  TComponent Owner{nullptr};
  Strings Log;
};

TEST_F(PopupMenus, PopupRunsOnPopupThenTheChosenItemsClickFromTheLoop) {
  auto* Menu = Make<TPopupMenu>(&Owner);
  Menu->OnPopup = [&](TObject*) { Log.push_back("OnPopup"); };
  Menu->Alignment = paRight;
  auto* Sub = Item(Menu->Items(), "&Sub", &Log);
  auto* Deep = Item(Sub, "&Deep", &Log);
  Deep->SetHint("Deep|Goes deep");
  auto* Off = Item(Menu->Items(), "&Off", &Log);
  Off->SetEnabled(false);
  Script.QueueAnswer(static_cast<int>(Deep->Command()));
  std::string HintSeen;
  Application->OnHint = [&](TObject*) {
    if (!Application->Hint.empty()) HintSeen = Application->Hint;
  };
  Menu->Popup(40, 50);
  // The submenu's parent heard its opening (WM_INITMENUPOPUP) at once; the chosen item waits for the loop.
  EXPECT_EQ(Log, (Strings{"OnPopup", "&Sub"}));
  EXPECT_EQ(HintSeen, "Goes deep");
  EXPECT_EQ(Application->Hint, "");  // cleared as the menu closed
  EXPECT_EQ(Menu->PopupPoint().X, 40);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"OnPopup", "&Sub", "&Deep"}));
  auto Shown = Script.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Params["Flags"], std::to_string(TPM_RIGHTALIGN | TPM_RIGHTBUTTON));

  // A disabled item cannot be chosen; nothing is clicked.
  Log.clear();
  Script.QueueAnswer(static_cast<int>(Off->Command()));
  Menu->Popup(0, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"OnPopup"}));
  Application->OnHint = nullptr;
}

TEST_F(PopupMenus, AControlsPopupMenuOpensOnRightClickUnlessAutoPopupIsOff) {
  auto* Form = Make<TForm>(Application);
  Form->SetBounds(30, 30, 200, 150);
  auto* Box = Make<TCustomControl>(Form);
  Box->SetParent(Form);
  Box->SetBounds(10, 10, 80, 60);
  auto* Menu = Make<TPopupMenu>(Form);
  Item(Menu->Items(), "&Copy", &Log);
  Menu->OnPopup = [&](TObject*) { Log.push_back("OnPopup"); };
  Box->SetPopupMenu(Menu);
  Form->Show();
  Harness::RunUntilIdle();
  Script.QueueAnswer(static_cast<int>(Menu->Items()->Items(0)->Command()));
  Harness::Click(Box->Handle(), Point(5, 6), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"OnPopup", "&Copy"}));
  EXPECT_EQ(Menu->PopupComponent(), Box);
  TPoint Expected = Point(5, 6);
  ClientToScreen(Box->Handle(), &Expected);
  EXPECT_EQ(Menu->PopupPoint().X, Expected.X);
  EXPECT_EQ(Menu->PopupPoint().Y, Expected.Y);
  Menu->AutoPopup = false;
  Log.clear();
  Harness::Click(Box->Handle(), Point(5, 6), Harness::TButton::Right);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Log.empty());
  delete Form;
}

TEST_F(PopupMenus, ShortCutsClickTheParentsFirstAndSkipDisabledBranches) {
  auto* Menu = Make<TPopupMenu>(&Owner);
  auto* Edit = Item(Menu->Items(), "&Edit", &Log);
  auto* Copy = Item(Edit, "&Copy", &Log);
  Copy->SetShortCut(VK_F3);
  auto* Secret = Item(Menu->Items(), "Secret", &Log);
  Secret->SetShortCut(VK_F4);
  Secret->SetVisible(false);
  TWMKey F3 = KeyMessage(VK_F3, 0);
  TWMKey F4 = KeyMessage(VK_F4, 0);
  TWMKey F6 = KeyMessage(VK_F6, 0);
  EXPECT_TRUE(Menu->IsShortCut(F3));
  EXPECT_TRUE(Menu->IsShortCut(F4));  // hidden items keep their shortcuts
  EXPECT_FALSE(Menu->IsShortCut(F6));
  EXPECT_EQ(Log, (Strings{"&Edit", "&Copy", "Secret"}));
  Log.clear();
  Edit->SetEnabled(false);
  EXPECT_FALSE(Menu->IsShortCut(F3));
  EXPECT_TRUE(Log.empty());
  // A parent's OnClick may move the shortcut to a new item; the search follows it.
  Edit->SetEnabled(true);
  TMenuItem* Fresh = nullptr;
  Edit->SetOnClick([&](TObject*) {
    if (!Fresh) {
      Copy->SetShortCut(0);
      Fresh = Item(Menu->Items(), "Fresh", &Log);
      Fresh->SetShortCut(VK_F3);
    }
  });
  EXPECT_TRUE(Menu->IsShortCut(F3));
  EXPECT_EQ(Log, (Strings{"Fresh"}));
}

TEST_F(PopupMenus, AFormsMainMenuAndActionListsAnswerItsShortCuts) {
  auto* Form = Make<TForm>(Application);
  auto* Main = Make<TMainMenu>(Form);
  auto* File = Item(Main->Items(), "&File", &Log);
  Item(File, "&Save", &Log)->SetShortCut(VK_F2);
  auto* List = Make<TActionList>(Form);
  auto* A = Make<TAction>(Form);
  A->SetActionList(List);
  A->SetShortCut(VK_F9);
  A->SetOnExecute([&](TObject*) { Log.push_back("action"); });
  TWMKey F2 = KeyMessage(VK_F2, 0);
  TWMKey F9 = KeyMessage(VK_F9, 0);
  EXPECT_FALSE(FormIsShortCut(Form, F2));  // not attached yet
  SetFormMenu(Form, Main);
  EXPECT_EQ(FormMenu(Form), Main);
  EXPECT_EQ(GetMenu(Form->Handle()), Main->Handle());
  EXPECT_TRUE(FormIsShortCut(Form, F2));
  EXPECT_TRUE(FormIsShortCut(Form, F9));
  EXPECT_EQ(Log, (Strings{"&File", "&Save", "action"}));
  // Typed into a control of the shown form, the key reaches the menu through the form's shortcut handling.
  Log.clear();
  Form->SetBounds(20, 20, 200, 150);
  auto* Box = Make<TCustomControl>(Form);
  Box->TabStop = true;
  Box->SetParent(Form);
  Box->SetBounds(0, 0, 50, 50);
  Form->Show();
  Box->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_F2);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"&File", "&Save"}));
  // When idle, the actions of the visible forms' menu items update their items.
  auto* Linked = Item(File, "");
  Linked->SetAction(A);
  A->OnUpdate = [](TObject* Sender) { static_cast<TAction*>(Sender)->SetEnabled(false); };
  EXPECT_TRUE(Linked->Enabled());
  Harness::RunUntilIdle();
  // The application's idle step does it; the posted message lets its wait return at once.
  Application->OnIdle = [Form](TObject*, bool&) { PostMessage(Form->Handle(), WM_NULL, 0, 0); };
  Application->HandleMessage();
  Application->OnIdle = nullptr;
  EXPECT_FALSE(Linked->Enabled());
  SetFormMenu(Form, nullptr);
  delete Form;
}

TEST_F(PopupMenus, KeysRunThePopupMenuShortCutsOfTheFocusedControlAndItsParentsBeforeTheForm) {
  auto* Form = Make<TForm>(Application);
  Form->SetBounds(20, 20, 220, 160);
  Form->KeyPreview = true;
  // (The Ctrl key's own press is left out of the log.)
  Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
    if (Key != VK_CONTROL) Log.push_back("preview " + std::to_string(Key));
  };
  Form->OnShortCut = [&](TWMKey& Key, bool& Handled) {
    if (Key.CharCode != VK_CONTROL) Log.push_back("form " + std::to_string(Key.CharCode));
    Handled = Key.CharCode == VK_F5;
  };
  auto* Panel = Make<TCustomControl>(Form);
  Panel->SetParent(Form);
  Panel->SetBounds(0, 0, 200, 120);
  auto* Box = Make<TCustomControl>(Form);
  Box->TabStop = true;
  Box->SetParent(Panel);
  Box->SetBounds(10, 10, 50, 50);
  auto* Own = Make<TPopupMenu>(Form);
  Item(Own->Items(), "own", &Log)->SetShortCut(scCtrl | VK_F1);
  auto* Outer = Make<TPopupMenu>(Form);
  Item(Outer->Items(), "outer", &Log)->SetShortCut(scCtrl | VK_F1);  // hidden by the nearer menu
  Item(Outer->Items(), "outer2", &Log)->SetShortCut(scCtrl | VK_F2);
  Item(Outer->Items(), "outer5", &Log)->SetShortCut(VK_F5);
  auto* Off = Item(Outer->Items(), "off", &Log);
  Off->SetShortCut(scCtrl | VK_F3);
  Off->SetEnabled(false);
  auto* List = Make<TActionList>(Form);
  auto* A = Make<TAction>(Form);
  A->SetActionList(List);
  A->SetShortCut(scCtrl | VK_F4);
  A->SetOnExecute([&](TObject*) { Log.push_back("action"); });
  Item(Outer->Items(), "linked")->SetAction(A);
  Box->SetPopupMenu(Own);
  Panel->SetPopupMenu(Outer);
  Form->Show();
  Box->SetFocus();
  Harness::RunUntilIdle();
  const struct {
    WORD Key;
    bool Ctrl;
    Strings Expected;
  } Cases[] = {
      {VK_F1, true, {"own"}},                                              // eaten: no preview, no form
      {VK_F2, true, {"outer2"}},                                           // a parent's menu
      {VK_F4, true, {"action"}},                                           // an item linked to an action
      {VK_F3, true, {"form 114", "preview 114"}},                          // a disabled item lets it through
      {VK_F5, false, {"outer5"}},                                          // the popup menus come first
      {VK_F6, false, {"form 117", "preview 117"}},
  };
  for (const auto& C : Cases) {
    Log.clear();
    Harness::KeyPress(C.Key, {.Ctrl = C.Ctrl});
    Harness::RunUntilIdle();
    EXPECT_EQ(Log, C.Expected) << C.Key;
  }
  delete Form;
}

TEST_F(PopupMenus, ItemsFollowTheirActionUntilTheyDivergeOrItGoes) {
  auto* Menu = Make<TPopupMenu>(&Owner);
  auto* A = Make<TAction>(&Owner);
  A->SetCaption("&Find");
  A->SetShortCut(scCtrl | 'F');
  A->SetHint("Find|Finds text");
  A->SetOnExecute([&](TObject*) { Log.push_back("execute"); });
  auto* I = Item(Menu->Items(), "");
  I->SetAction(A);
  EXPECT_EQ(I->Caption(), "&Find");
  EXPECT_EQ(I->ShortCut(), scCtrl | 'F');
  EXPECT_EQ(I->Hint(), "Find|Finds text");
  EXPECT_FALSE(I->IsCaptionStored());
  A->SetEnabled(false);
  EXPECT_FALSE(I->Enabled());
  A->SetEnabled(true);
  // The item's click runs the action once, through the link.
  I->Click();
  EXPECT_EQ(Log, (Strings{"execute"}));
  // A caption of the item's own is written to form files; any change of the action copies its values again.
  I->SetCaption("Search");
  EXPECT_TRUE(I->IsCaptionStored());
  A->SetCaption("&Find...");
  EXPECT_EQ(I->Caption(), "&Find...");
  // A handler of the item's own runs instead of the action.
  I->SetOnClick([&](TObject*) { Log.push_back("own"); });
  I->Click();
  EXPECT_EQ(Log, (Strings{"execute", "own"}));
  delete A;
  EXPECT_EQ(I->Action(), nullptr);
  I->Click();  // no link left: the item's own handler
  EXPECT_EQ(Log.back(), "own");
}

TEST_F(PopupMenus, MenusComeFromFormFilesAndGoBack) {
  RegisterClasses({TPopupMenu::StaticClass(), TMenuItem::StaticClass(), TMainMenu::StaticClass()});
  const std::string Text =
      "object Root: TTestRoot\r\n"
      "  object ViewPopupMenu: TPopupMenu\r\n"
      "    AutoPopup = False\r\n"
      "    object ViewLarge: TMenuItem\r\n"
      "      Caption = '&Large Icons'\r\n"
      "      GroupIndex = 1\r\n"
      "      RadioItem = True\r\n"
      "    end\r\n"
      "    object N1: TMenuItem\r\n"
      "      Caption = '-'\r\n"
      "    end\r\n"
      "    object ViewSort: TMenuItem\r\n"
      "      Caption = '&Sort'\r\n"
      "      object ViewSortName: TMenuItem\r\n"
      "        Caption = 'By &Name'\r\n"
      "        Checked = True\r\n"
      "        ShortCut = 16462\r\n"
      "      end\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  TTestRoot Root(nullptr);
  Bin.ReadComponent(&Root);
  auto* Menu = dynamic_cast<TPopupMenu*>(Root.FindComponent("ViewPopupMenu"));
  ASSERT_NE(Menu, nullptr);
  EXPECT_FALSE(Menu->AutoPopup);
  ASSERT_EQ(Menu->Items()->Count(), 3);
  auto* Sort = Menu->Items()->Items(2);
  EXPECT_EQ(Sort->Name(), "ViewSort");
  EXPECT_EQ(Sort->Owner(), &Root);
  ASSERT_EQ(Sort->Count(), 1);
  EXPECT_EQ(Sort->Items(0)->ShortCut(), scCtrl | 'N');
  EXPECT_TRUE(Menu->Items()->Items(1)->IsLine());
  EXPECT_EQ(Sort->Items(0)->GetParentComponent(), Sort);
  EXPECT_EQ(Sort->GetParentComponent(), Menu);

  TMemoryStream Out;
  Out.WriteComponent(&Root);
  Out.SetPosition(0);
  TStringStream Back;
  ObjectBinaryToText(&Out, &Back);
  EXPECT_EQ(Back.DataString(), Text);
}

}  // namespace
