// Tests of item trees: list operations and their notifications, relays through groups and links, options, images,
// radio groups, action links, the deferred click, shortcuts and reading a tree from a form layout.
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2itemcontainer.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/WinGdi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* ActionNames[] = {"Inserted", "Deleting", "SubitemsChanged", "BeginUpdate", "EndUpdate", "Invalidate",
                             "InvalidateAndResize", "RecreateItemViewers", "NameChanged", "SubMenuImagesChanged"};

// Records what the item tree tells a view.
struct TRecorder {
  std::vector<std::string> Log;
  bool SkipUpdates = true;
  void Changed(TTBCustomItem* Sender, bool Relayed, TTBItemChangedAction Action, int Index, TTBCustomItem* Item) {
    if (SkipUpdates && (Action == tbicSubitemsBeginUpdate || Action == tbicSubitemsEndUpdate)) {
      return;
    }
    std::string S = std::string(ActionNames[Action]) + " " + std::to_string(Index) + " " +
                    (Item ? Item->Name() : std::string("-")) + (Relayed ? " relayed from " + Sender->Name() : "");
    if (Action == tbicDeleting && Item) {
      S += Item->Parent() ? " (in list)" : " (gone)";
    }
    Log.push_back(S);
  }
  TTBItemChangedProc Proc() { return TBMethod<&TRecorder::Changed>(this); }
};

template <class T> T* Make(TComponent* Owner, const std::string& Name) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  C->SetName(Name);
  return C;
}

class Tb2item : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Owner = std::make_unique<TComponent>(nullptr);
    Root = Make<TTBRootItem>(Owner.get(), "Root");
  }
  std::unique_ptr<TComponent> Owner;
  TTBRootItem* Root = nullptr;
};

TEST_F(Tb2item, InsertDeleteAndMoveNotifyEveryRegisteredView) {
  TRecorder A;
  TRecorder B;
  Root->RegisterNotification(A.Proc());
  Root->RegisterNotification(B.Proc());
  auto* One = Make<TTBItem>(Owner.get(), "One");
  auto* Two = Make<TTBItem>(Owner.get(), "Two");
  Root->Add(One);
  Root->Insert(0, Two);
  Root->Move(0, 1);
  Root->Delete(0);
  EXPECT_EQ(A.Log, (std::vector<std::string>{"Inserted 0 One", "Inserted 0 Two", "Deleting 0 Two (in list)",
                                             "Inserted 1 Two", "Deleting 0 One (in list)"}));
  EXPECT_EQ(B.Log, A.Log);
  // A deleted item lives on without a parent.
  EXPECT_EQ(One->Parent(), nullptr);
  EXPECT_EQ(Root->Count(), 1);
  EXPECT_EQ(Root->Items(0), Two);
  Root->UnregisterNotification(A.Proc());
  Root->UnregisterNotification(B.Proc());
  delete One;
}

TEST_F(Tb2item, IndexErrorsAndReinsertion) {
  auto* One = Make<TTBItem>(Owner.get(), "One");
  auto* Two = Make<TTBItem>(Owner.get(), "Two");
  Root->Insert(0, One);  // index equal to the count appends
  EXPECT_THROW(Root->Insert(2, Two), ETBItemError);
  try {
    Root->Insert(1, One);
    FAIL() << "inserting an item twice must fail";
  } catch (const ETBItemError& E) {
    EXPECT_EQ(E.Message(), "Toolbar item already inserted");
  }
  try {
    Root->GetItem(1);
    FAIL() << "a bad index must fail";
  } catch (const ETBItemError& E) {
    EXPECT_EQ(E.Message(), "Toolbar item index out of range");
  }
  EXPECT_THROW(Root->Delete(-1), ETBItemError);
  EXPECT_THROW(Root->Move(0, 1), ETBItemError);
  EXPECT_EQ(Root->Remove(Two), -1);
  EXPECT_TRUE(Root->ContainsItem(One));
  EXPECT_FALSE(One->ContainsItem(Root));
}

TEST_F(Tb2item, GroupsAndLinkParentsRelayTheirChanges) {
  TRecorder Rec;
  Root->RegisterNotification(Rec.Proc());
  auto* Group = Make<TTBGroupItem>(Owner.get(), "Group");
  Root->Add(Group);
  Rec.Log.clear();
  auto* InGroup = Make<TTBItem>(Owner.get(), "InGroup");
  Group->Add(InGroup);
  InGroup->SetCaption("x");
  // A group that shows another item's subitems relays that item's changes too.
  auto* Shared = Make<TTBSubmenuItem>(Owner.get(), "Shared");
  auto* Linked = Make<TTBGroupItem>(Owner.get(), "Linked");
  Root->Add(Linked);
  Linked->SetLinkSubitems(Shared);
  Rec.Log.clear();
  auto* InShared = Make<TTBItem>(Owner.get(), "InShared");
  Shared->Add(InShared);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"Inserted 0 InShared relayed from Linked"}));
  Root->UnregisterNotification(Rec.Proc());
}

TEST_F(Tb2item, EmbeddedGroupRelaysItsOwnInsertions) {
  TRecorder Rec;
  Root->RegisterNotification(Rec.Proc());
  auto* Group = Make<TTBGroupItem>(Owner.get(), "Group");
  Root->Add(Group);
  Rec.Log.clear();
  auto* InGroup = Make<TTBItem>(Owner.get(), "InGroup");
  Group->Add(InGroup);
  InGroup->SetCaption("x");
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"Inserted 0 InGroup relayed from Group",
                                               "InvalidateAndResize 0 InGroup relayed from Group"}));
  Root->UnregisterNotification(Rec.Proc());
}

// A procedure that unregisters itself while it is called.
struct TSelfRemover {
  TTBCustomItem* Item = nullptr;
  int Calls = 0;
  void Changed(TTBCustomItem*, bool, TTBItemChangedAction, int, TTBCustomItem*) {
    ++Calls;
    Item->UnregisterNotification(TBMethod<&TSelfRemover::Changed>(this));
  }
};

TEST_F(Tb2item, RegistrationsAreCountedAndMayEndDuringTheCall) {
  TRecorder Rec;
  TSelfRemover Remover{Root};
  Root->RegisterNotification(TBMethod<&TSelfRemover::Changed>(&Remover));
  Root->RegisterNotification(Rec.Proc());
  Root->RegisterNotification(Rec.Proc());  // twice: needs two removals
  auto* One = Make<TTBItem>(Owner.get(), "One");
  Root->Add(One);
  EXPECT_EQ(Remover.Calls, 1);
  EXPECT_EQ(Rec.Log.size(), 1u);  // the recorder after the remover still heard it, once
  Root->UnregisterNotification(Rec.Proc());
  One->SetVisible(false);
  EXPECT_EQ(Rec.Log.size(), 2u);
  Root->UnregisterNotification(Rec.Proc());
  One->SetVisible(true);
  EXPECT_EQ(Rec.Log.size(), 2u);
  EXPECT_EQ(Root->NotificationCount(), 0);
}

TEST_F(Tb2item, RadioGroupsUncheckDirectSiblingsOnly) {
  auto* Sub = Make<TTBSubmenuItem>(Owner.get(), "Sub");
  Root->Add(Sub);
  TTBItem* Items[3];
  for (int I = 0; I < 3; ++I) {
    Items[I] = Make<TTBItem>(Owner.get(), "R" + std::to_string(I));
    Items[I]->SetGroupIndex(3);
    Root->Add(Items[I]);
  }
  auto* Cousin = Make<TTBItem>(Owner.get(), "Cousin");
  Cousin->SetGroupIndex(3);
  Cousin->SetChecked(true);
  Sub->Add(Cousin);
  Items[0]->SetChecked(true);
  Items[1]->SetChecked(true);
  EXPECT_FALSE(Items[0]->Checked());
  EXPECT_TRUE(Items[1]->Checked());
  EXPECT_TRUE(Cousin->Checked());
  // Joining a group while checked applies the rule at once.
  Items[2]->SetGroupIndex(0);
  Items[2]->SetChecked(true);
  Items[2]->SetGroupIndex(3);
  EXPECT_FALSE(Items[1]->Checked());
}

TEST_F(Tb2item, OptionsInheritAndOnlyVisibleChangesRedraw) {
  auto* Sub = Make<TTBSubmenuItem>(Owner.get(), "Sub");
  Root->Add(Sub);
  auto* Child = Make<TTBItem>(Owner.get(), "Child");
  Sub->Add(Child);
  Sub->SetOptions({tboToolbarSize});
  EXPECT_TRUE(Sub->Options().Empty());
  Sub->SetOptions({tboToolbarStyle, tboToolbarSize, tboDefault, tboShowHint});
  EXPECT_EQ(Sub->Options(), (TTBItemOptions{tboToolbarStyle, tboToolbarSize, tboDefault, tboShowHint}));
  EXPECT_EQ(Child->EffectiveOptions(), (TTBItemOptions{tboToolbarStyle, tboToolbarSize, tboShowHint}));
  Child->SetMaskOptions({tboShowHint});
  Child->SetOptions({tboNoRotation});
  EXPECT_EQ(Child->EffectiveOptions(), (TTBItemOptions{tboToolbarStyle, tboToolbarSize, tboNoRotation}));
  TRecorder Rec;
  Sub->RegisterNotification(Rec.Proc());
  Child->SetOptions({tboNoRotation, tboLongHintInMenuOnly});
  EXPECT_TRUE(Rec.Log.empty());
  Child->SetOptions({tboNoRotation, tboLongHintInMenuOnly, tboDropdownArrow});
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"InvalidateAndResize 0 Child"}));
  Sub->UnregisterNotification(Rec.Proc());
}

TEST_F(Tb2item, ImageIndexResizesOnlyWhenAnImageComesOrGoes) {
  auto* One = Make<TTBItem>(Owner.get(), "One");
  Root->Add(One);
  TRecorder Rec;
  Root->RegisterNotification(Rec.Proc());
  One->SetImageIndex(0);
  One->SetImageIndex(5);
  One->SetImageIndex(-1);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"InvalidateAndResize 0 One", "Invalidate 0 One",
                                               "InvalidateAndResize 0 One"}));
  // An image list of another size resizes; a change of its images only redraws.
  auto* List = Make<TImageList>(Owner.get(), "List");
  Rec.Log.clear();
  One->SetImages(List);
  List->SetWidth(24);
  TBitmap Bmp;
  Bmp.SetSize(24, 16);
  List->Add(&Bmp, nullptr);
  EXPECT_EQ(Rec.Log, (std::vector<std::string>{"InvalidateAndResize 0 One", "InvalidateAndResize 0 One",
                                               "Invalidate 0 One"}));
  delete List;
  EXPECT_EQ(One->Images(), nullptr);
  Root->UnregisterNotification(Rec.Proc());
}

TEST_F(Tb2item, ActionLinksUpdateTheItem) {
  auto* Action = Make<TAction>(Owner.get(), "Act");
  Action->SetCaption("&Open");
  Action->SetImageIndex(3);
  Action->SetHint("Open|Opens a file");
  Action->SetShortCut(TextToShortCut("Ctrl+O"));
  int Executed = 0;
  Action->SetOnExecute([&Executed](TObject*) { ++Executed; });
  auto* Item = Make<TTBItem>(Owner.get(), "Item");
  Root->Add(Item);
  Item->SetAction(Action);
  EXPECT_EQ(Item->Caption(), "&Open");
  EXPECT_EQ(Item->ImageIndex(), 3);
  EXPECT_EQ(Item->Hint(), "Open|Opens a file");
  EXPECT_EQ(Item->ShortCut(), TextToShortCut("Ctrl+O"));
  EXPECT_FALSE(Item->IsCaptionStored());
  Action->SetCaption("&Close");
  Action->SetEnabled(false);
  Action->SetChecked(true);
  Action->SetHint("Close");
  Action->SetShortCut(TextToShortCut("Ctrl+W"));
  Action->SetImageIndex(7);
  EXPECT_EQ(Item->Caption(), "&Close");
  EXPECT_FALSE(Item->Enabled());
  EXPECT_TRUE(Item->Checked());
  EXPECT_EQ(Item->Hint(), "Close");
  EXPECT_EQ(Item->ShortCut(), TextToShortCut("Ctrl+W"));
  EXPECT_EQ(Item->ImageIndex(), 7);
  Action->SetEnabled(true);
  // AutoCheck toggles, then the action runs once.
  Action->SetChecked(false);
  Item->SetAutoCheck(true);
  Item->Click();
  EXPECT_EQ(Executed, 1);
  EXPECT_TRUE(Item->Checked());
  delete Action;
  EXPECT_EQ(Item->Action(), nullptr);
}

TEST_F(Tb2item, AClickIsPostedAndRunsAfterPendingPaints) {
  std::vector<std::string> Order;
  static std::vector<std::string>* Seen = nullptr;
  Seen = &Order;
  WNDCLASS WC;
  WC.lpfnWndProc = [](HWND W, UINT M, WPARAM Wp, LPARAM Lp) -> LRESULT {
    if (M == WM_PAINT) {
      PAINTSTRUCT Ps;
      BeginPaint(W, &Ps);
      EndPaint(W, &Ps);
      Seen->push_back("paint");
      return 0;
    }
    return DefWindowProc(W, M, Wp, Lp);
  };
  WC.lpszClassName = "Tb2itemPaintOrder";
  RegisterClass(&WC);
  HWND Wnd = CreateWindowEx(0, "Tb2itemPaintOrder", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, 0, 0, nullptr, nullptr);
  Harness::RunUntilIdle();
  Order.clear();
  auto* Item = Make<TTBItem>(Owner.get(), "Item");
  Root->Add(Item);
  Item->SetOnClick([&Order](TObject*) { Order.push_back("click"); });
  InvalidateRect(Wnd, nullptr, TRUE);
  TTBDoneActionData Done;
  Done.DoneAction = tbdaClickItem;
  Done.ClickItem = Item;
  ExecuteDoneAction(Done);
  EXPECT_TRUE(Order.empty());  // not run inside the call
  ASSERT_NE(TTBCustomItem::ClickWindow(), HWND(0));
  MSG Msg;
  ASSERT_TRUE(PeekMessage(&Msg, TTBCustomItem::ClickWindow(), 0x500, 0x500, PM_NOREMOVE));
  Harness::RunUntilIdle();
  EXPECT_EQ(Order, (std::vector<std::string>{"paint", "click"}));
  DestroyWindow(Wnd);
}

TEST_F(Tb2item, AFreedPendingItemIsNotClicked) {
  auto* Item = Make<TTBItem>(Owner.get(), "Item");
  bool Clicked = false;
  Item->SetOnClick([&Clicked](TObject*) { Clicked = true; });
  TTBDoneActionData Done;
  Done.DoneAction = tbdaClickItem;
  Done.ClickItem = Item;
  ExecuteDoneAction(Done);
  delete Item;
  Harness::RunUntilIdle();
  EXPECT_FALSE(Clicked);
}

TEST_F(Tb2item, ShortcutsAndTheirText) {
  auto* File = Make<TTBSubmenuItem>(Owner.get(), "File");
  Root->Add(File);
  auto* Save = Make<TTBItem>(Owner.get(), "Save");
  Save->SetShortCut(TextToShortCut("Ctrl+S"));
  File->Add(Save);
  TTBCustomItem* Top = nullptr;
  EXPECT_EQ(Root->FindItemWithShortCut(TextToShortCut("Ctrl+S"), Top), Save);
  EXPECT_EQ(Top, File);
  EXPECT_EQ(Save->GetShortCutText(), "Ctrl+S");
  Save->SetCaption("&Save\tF12");
  EXPECT_EQ(Save->GetShortCutText(), "F12");
  // A match reached only through 26 link hops is not found; 25 are. Each level holds an item that shows the next
  // level's subitems.
  std::vector<TTBSubmenuItem*> Chain;
  for (int I = 0; I < 27; ++I) {
    Chain.push_back(Make<TTBSubmenuItem>(Owner.get(), "L" + std::to_string(I)));
  }
  for (int I = 0; I + 1 < 27; ++I) {
    auto* Holder = Make<TTBSubmenuItem>(Owner.get(), "H" + std::to_string(I));
    Holder->SetLinkSubitems(Chain[static_cast<std::size_t>(I) + 1]);
    Chain[static_cast<std::size_t>(I)]->Add(Holder);
  }
  auto* Deep = Make<TTBItem>(Owner.get(), "Deep");
  Deep->SetShortCut(TextToShortCut("Ctrl+D"));
  Chain.back()->Add(Deep);
  EXPECT_EQ(Chain[0]->FindItemWithShortCut(TextToShortCut("Ctrl+D"), Top), nullptr);
  EXPECT_EQ(Chain[1]->FindItemWithShortCut(TextToShortCut("Ctrl+D"), Top), Deep);
  // A key message finds and clicks the item.
  int Saved = 0;
  Save->SetOnClick([&Saved](TObject*) { ++Saved; });
  TWMKey Key{};
  Key.Msg = WM_KEYDOWN;
  Key.CharCode = 'S';
  Key.KeyData = 0;
  EXPECT_FALSE(Root->IsShortCut(Key));  // no Ctrl held
}

TEST_F(Tb2item, AShortcutKeyOpensTheWayToItsItemAndClicksIt) {
  auto* File = Make<TTBSubmenuItem>(Owner.get(), "File");
  Root->Add(File);
  auto* Save = Make<TTBItem>(Owner.get(), "Save");
  Save->SetShortCut(TextToShortCut("Alt+S"));
  File->Add(Save);
  std::vector<std::string> Log;
  File->OnPopup = [&Log](TTBCustomItem* Sender, bool FromLink) {
    Log.push_back("popup " + Sender->Name() + (FromLink ? " from link" : ""));
  };
  Save->SetOnClick([&Log](TObject*) { Log.push_back("save"); });
  TWMKey Key{};
  Key.Msg = WM_SYSKEYDOWN;
  Key.CharCode = 'S';
  Key.KeyData = 1 << 29;  // Alt held
  EXPECT_TRUE(Root->IsShortCut(Key));
  EXPECT_EQ(Log, (std::vector<std::string>{"popup File", "save"}));
  Save->SetEnabled(false);
  Log.clear();
  EXPECT_FALSE(Root->IsShortCut(Key));
  EXPECT_EQ(Log, (std::vector<std::string>{"popup File"}));
  // A handler that throws is reported, and the lookup goes on.
  Save->SetEnabled(true);
  File->OnPopup = [](TTBCustomItem*, bool) { throw Exception("popup failed"); };
  Application->OnException = [&Log](TObject*, const std::exception& E) { Log.push_back(E.what()); };
  Log.clear();
  EXPECT_TRUE(Root->IsShortCut(Key));
  Application->OnException = nullptr;
  EXPECT_EQ(Log, (std::vector<std::string>{"popup failed", "save"}));
}

class TFormRoot : public TComponent {
  Z_CLASS(TFormRoot, TComponent)

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
Z_IMPLEMENT_CLASS(TFormRoot, TComponent)

TEST_F(Tb2item, ATreeReadFromAFormLayoutKeepsItsItemsAndActions) {
  TBRegisterItemClasses();
  RegisterClasses({TActionList::StaticClass(), TAction::StaticClass(), TFormRoot::StaticClass()});
  const std::string Text =
      "object Form: TFormRoot\r\n"
      "  object Actions: TActionList\r\n"
      "    object ActOpen: TAction\r\n"
      "      Caption = '&Open'\r\n"
      "      ImageIndex = 2\r\n"
      "    end\r\n"
      "  end\r\n"
      "  object Container: TTBItemContainer\r\n"
      "    object MFile: TTBSubmenuItem\r\n"
      "      Caption = '&File'\r\n"
      "      object MOpen: TTBItem\r\n"
      "        Action = ActOpen\r\n"
      "      end\r\n"
      "      object MSep: TTBSeparatorItem\r\n"
      "      end\r\n"
      "      object MExit: TTBItem\r\n"
      "        Caption = 'E&xit'\r\n"
      "        GroupIndex = 4\r\n"
      "        Options = [tboDefault]\r\n"
      "      end\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  TFormRoot Form(nullptr);
  Bin.ReadComponent(&Form);
  auto* Container = dynamic_cast<TTBItemContainer*>(Form.FindComponent("Container"));
  ASSERT_NE(Container, nullptr);
  ASSERT_EQ(Container->Items()->Count(), 1);
  TTBCustomItem* MFile = Container->Items()->Items(0);
  EXPECT_EQ(MFile->Name(), "MFile");
  ASSERT_EQ(MFile->Count(), 3);
  EXPECT_EQ(MFile->Items(0)->Caption(), "&Open");
  EXPECT_EQ(MFile->Items(0)->ImageIndex(), 2);
  EXPECT_NE(dynamic_cast<TTBSeparatorItem*>(MFile->Items(1)), nullptr);
  EXPECT_EQ(MFile->Items(2)->GroupIndex(), 4);
  EXPECT_EQ(MFile->Items(2)->Options(), TTBItemOptions{tboDefault});
  EXPECT_EQ(MFile->Items(0)->Owner(), &Form);
  // The action still drives the item read from the layout.
  dynamic_cast<TAction*>(Form.FindComponent("ActOpen"))->SetCaption("Open &again");
  EXPECT_EQ(MFile->Items(0)->Caption(), "Open &again");
  // Written back, the items come out under the container, without the linked caption.
  TMemoryStream Out;
  Out.WriteComponent(&Form);
  Out.SetPosition(0);
  TStringStream OutText("");
  ObjectBinaryToText(&Out, &OutText);
  const std::string Written = OutText.DataString();
  EXPECT_NE(Written.find("object MExit: TTBItem"), std::string::npos) << Written;
  const std::size_t Open = Written.find("object MOpen: TTBItem");
  ASSERT_NE(Open, std::string::npos);
  const std::string OpenBlock = Written.substr(Open, Written.find("end", Open) - Open);
  EXPECT_EQ(OpenBlock.find("Caption"), std::string::npos) << OpenBlock;
  EXPECT_NE(OpenBlock.find("Action = ActOpen"), std::string::npos) << OpenBlock;
}

}  // namespace
