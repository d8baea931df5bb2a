// Standard controls on native widgets: buttons ending modal forms and answering Return and Escape, check boxes
// and radio buttons, edits, list and combo boxes, label accelerators and sizing, and layouts read from form files.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/ListControls.h"
#include "platform/win/NativeControls.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

template <class T> T* Make(TComponent* Owner, TWinControl* Parent, const std::string& Name, TRect Bounds) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  C->SetName(Name);
  C->SetParent(Parent);
  C->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  return C;
}

class StdCtrls : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 240);
  }
  void TearDown() override { delete Form; }
  TForm* Form = nullptr;
  Strings Log;
};

TEST_F(StdCtrls, AButtonWithAModalResultEndsShowModal) {
  auto* Ok = Make<TButton>(Form, Form, "OkButton", Rect(10, 10, 85, 35));
  Ok->ModalResult = mrOk;
  Ok->OnClick = [&](TObject*) { Log.push_back("OnClick"); };
  PostMessage(Ok->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Form->ShowModal(), mrOk);
  EXPECT_EQ(Log, (Strings{"OnClick"}));
  EXPECT_FALSE(Form->Visible());
}

TEST_F(StdCtrls, ReturnClicksTheDefaultButtonAndEscapeTheCancelButton) {
  auto* Edit = Make<TEdit>(Form, Form, "Edit1", Rect(10, 10, 130, 31));
  auto* Ok = Make<TButton>(Form, Form, "OkButton", Rect(10, 40, 85, 65));
  auto* Cancel = Make<TButton>(Form, Form, "CancelButton", Rect(90, 40, 165, 65));
  auto* Other = Make<TButton>(Form, Form, "Other", Rect(170, 40, 245, 65));
  Ok->SetDefault(true);
  Ok->ModalResult = mrOk;
  Cancel->Cancel = true;
  Cancel->ModalResult = mrCancel;
  for (auto* B : {Ok, Cancel, Other}) {
    B->OnClick = [this, B](TObject*) { Log.push_back(B->Name()); };
  }
  EXPECT_EQ(GetWindowLong(Ok->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON));
  Form->Show();
  Edit->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ModalResult, mrOk);
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ModalResult, mrCancel);
  // With another button focused, Return is that button's.
  Other->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"OkButton", "CancelButton", "Other"}));
}

TEST_F(StdCtrls, CheckBoxesCycleTheirStatesAndRadioButtonsExcludeTheirSiblings) {
  auto* Check = Make<TCheckBox>(Form, Form, "Check", Rect(10, 10, 110, 27));
  Check->AllowGrayed = true;
  Check->OnClick = [&](TObject*) { Log.push_back("click " + std::to_string(Check->State())); };
  Form->Show();
  Harness::RunUntilIdle();
  for (int I = 0; I < 3; ++I) {
    Harness::Click(Check->Handle(), Point(5, 8));
    Harness::RunUntilIdle();
  }
  EXPECT_EQ(Log, (Strings{"click 2", "click 1", "click 0"}));  // grayed, checked, unchecked
  Check->SetChecked(true);  // setting the state runs OnClick too, as the class library does
  EXPECT_EQ(Log.back(), "click 1");
  EXPECT_EQ(SendMessage(Check->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  Check->RecreateWnd();
  EXPECT_EQ(SendMessage(Check->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));

  auto* Group = Make<TGroupBox>(Form, Form, "Group", Rect(10, 40, 200, 140));
  auto* A = Make<TRadioButton>(Form, Group, "A", Rect(5, 20, 100, 37));
  auto* B = Make<TRadioButton>(Form, Group, "B", Rect(5, 40, 100, 57));
  auto* Outside = Make<TRadioButton>(Form, Form, "Outside", Rect(210, 40, 300, 57));
  Outside->SetChecked(true);
  A->SetChecked(true);
  Harness::RunUntilIdle();
  Harness::Click(B->Handle(), Point(5, 8));
  Harness::RunUntilIdle();
  EXPECT_TRUE(B->Checked());
  EXPECT_FALSE(A->Checked());
  EXPECT_TRUE(Outside->Checked());
  EXPECT_EQ(SendMessage(A->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_TRUE(B->TabStop);  // the checked radio button of a group is its tab stop
  EXPECT_FALSE(A->TabStop);
}

TEST_F(StdCtrls, ArrowKeysInARadioGroupMoveTheChoiceAndWrap) {
  auto* Group = Make<TRadioGroup>(Form, Form, "Group", Rect(10, 10, 200, 120));
  Group->Items()->Add("One");
  Group->Items()->Add("Two");
  Group->Items()->Add("Three");
  auto* After = Make<TButton>(Form, Form, "After", Rect(210, 10, 290, 35));
  int Clicks = 0;
  Group->OnClick = [&](TObject*) { ++Clicks; };
  Group->SetItemIndex(0);
  Form->Show();
  Harness::RunUntilIdle();
  Group->Buttons(0)->SetFocus();
  Harness::RunUntilIdle();
  struct TStep {
    WORD Key;
    int Index;
  };
  for (const TStep& Step : {TStep{VK_DOWN, 1}, TStep{VK_RIGHT, 2}, TStep{VK_DOWN, 0}, TStep{VK_UP, 2},
                            TStep{VK_LEFT, 1}, TStep{VK_UP, 0}}) {
    Harness::KeyPress(Step.Key);
    Harness::RunUntilIdle();
    EXPECT_EQ(Group->ItemIndex(), Step.Index) << Step.Key;
    for (int I = 0; I < 3; ++I) {
      EXPECT_EQ(Group->Buttons(I)->Checked(), I == Step.Index) << Step.Key;
      EXPECT_EQ(SendMessage(Group->Buttons(I)->Handle(), BM_GETCHECK, 0, 0),
                static_cast<LRESULT>(I == Step.Index ? BST_CHECKED : BST_UNCHECKED));
    }
    EXPECT_TRUE(Group->Buttons(Step.Index)->Focused());
  }
  EXPECT_EQ(Clicks, 6);
  // Tab leaves the group without changing the choice; a click still chooses.
  Harness::KeyPress(VK_TAB);
  Harness::RunUntilIdle();
  EXPECT_TRUE(After->Focused());
  EXPECT_EQ(Group->ItemIndex(), 0);
  Harness::Click(Group->Buttons(2)->Handle(), Point(5, 8));
  Harness::RunUntilIdle();
  EXPECT_EQ(Group->ItemIndex(), 2);
}

TEST_F(StdCtrls, AutomaticRadioButtonsCheckThemselvesWhenTheFocusMovesWithinTheirGroup) {
  Form->Show();
  Harness::RunUntilIdle();
  auto Button = [&](const char* Text, int Id, DWORD Extra) {
    return CreateWindowEx(0, "BUTTON", Text, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | Extra, 10, 10 + Id * 20, 80,
                          18, Form->Handle(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(Id)), 0, nullptr);
  };
  HWND R1 = Button("1", 1, WS_GROUP);
  HWND R2 = Button("2", 2, 0);
  HWND R3 = Button("3", 3, WS_GROUP);  // another group
  SendMessage(R1, BM_SETCHECK, BST_CHECKED, 0);
  SetFocus(R1);
  SetFocus(R2);
  EXPECT_EQ(SendMessage(R2, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(SendMessage(R1, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  SetFocus(R3);  // from another group: no choice made
  EXPECT_EQ(SendMessage(R3, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
  EXPECT_EQ(SendMessage(R2, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
}

TEST_F(StdCtrls, EditsKeepTheirSettingsAndReportChanges) {
  auto* Edit = Make<TEdit>(Form, Form, "Edit1", Rect(10, 10, 200, 31));
  Edit->SetMaxLength(5);
  Edit->SetText("ab");
  int Changes = 0;
  Edit->OnChange = [&](TObject*) { ++Changes; };
  Form->Show();
  Edit->SetFocus();
  Harness::RunUntilIdle();
  Edit->SetSelStart(2);
  Harness::TypeText("cdefg");
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->GetText(), "abcde");  // MaxLength
  EXPECT_EQ(Changes, 3);
  EXPECT_TRUE(Edit->Modified());
  Edit->SetModified(false);
  EXPECT_FALSE(Edit->Modified());
  Edit->SetSelStart(1);
  Edit->SetSelLength(2);
  EXPECT_EQ(Edit->SelText(), "bc");
  Edit->SetSelText("X");
  EXPECT_EQ(Edit->GetText(), "aXde");
  Edit->SelectAll();
  EXPECT_EQ(Edit->SelLength(), 4);
  Edit->SetReadOnly(true);
  Edit->SetSelStart(4);
  Harness::TypeText("z");
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->GetText(), "aXde");
  // Recreated, the window gets the settings back.
  Edit->SetReadOnly(false);
  Edit->RecreateWnd();
  Edit->SetFocus();
  Edit->SetText("");
  Harness::TypeText("123456789");
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->GetText(), "12345");
}

TEST_F(StdCtrls, LabelsFocusTheirControlAndSizeToTheirText) {
  auto* Edit = Make<TEdit>(Form, Form, "Edit1", Rect(80, 10, 200, 31));
  auto* Label = Make<TLabel>(Form, Form, "Label1", Rect(10, 12, 60, 25));
  Label->SetCaption("&Name:");
  Label->SetFocusControl(Edit);
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(Label->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  EXPECT_EQ(Label->Perform(CM_DIALOGCHAR, 'n', 0), 1);
  EXPECT_TRUE(Edit->Focused());
  const int Short = Label->Width();
  EXPECT_GT(Short, 0);
  Label->SetCaption("&Name of the document:");
  EXPECT_GT(Label->Width(), Short);
  delete Edit;
  EXPECT_EQ(Label->FocusControl(), nullptr);
  EXPECT_TRUE(IsAccel('a', "S&ave"));
  EXPECT_FALSE(IsAccel('a', "S&&ave"));
}

TEST_F(StdCtrls, AFormFileLaysOutTheControls) {
  RegisterClasses({TPanel::StaticClass(), TButton::StaticClass(), TEdit::StaticClass(), TCheckBox::StaticClass(),
                   TLabel::StaticClass(), TGroupBox::StaticClass(), TRadioButton::StaticClass(),
                   TBevel::StaticClass()});
  const std::string Text =
      "object Form1: TForm\r\n"
      "  object Panel1: TPanel\r\n"
      "    Left = 0\r\n"
      "    Top = 0\r\n"
      "    Width = 300\r\n"
      "    Height = 60\r\n"
      "    BevelOuter = bvLowered\r\n"
      "    object Label1: TLabel\r\n"
      "      Left = 8\r\n"
      "      Top = 8\r\n"
      "      Caption = '&File:'\r\n"
      "      FocusControl = Edit1\r\n"
      "    end\r\n"
      "    object Edit1: TEdit\r\n"
      "      Left = 60\r\n"
      "      Top = 4\r\n"
      "      Width = 150\r\n"
      "      Height = 21\r\n"
      "      MaxLength = 40\r\n"
      "      Text = 'start'\r\n"
      "    end\r\n"
      "  end\r\n"
      "  object Check1: TCheckBox\r\n"
      "    Left = 8\r\n"
      "    Top = 70\r\n"
      "    State = cbChecked\r\n"
      "  end\r\n"
      "  object OkButton: TButton\r\n"
      "    Left = 8\r\n"
      "    Top = 100\r\n"
      "    Caption = 'OK'\r\n"
      "    Default = True\r\n"
      "    ModalResult = 1\r\n"
      "  end\r\n"
      "  object Bevel1: TBevel\r\n"
      "    Shape = bsTopLine\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Panel = dynamic_cast<TPanel*>(Form->FindComponent("Panel1"));
  auto* Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit1"));
  auto* Label = dynamic_cast<TLabel*>(Form->FindComponent("Label1"));
  auto* Check = dynamic_cast<TCheckBox*>(Form->FindComponent("Check1"));
  auto* Ok = dynamic_cast<TButton*>(Form->FindComponent("OkButton"));
  auto* Bevel = dynamic_cast<TBevel*>(Form->FindComponent("Bevel1"));
  ASSERT_TRUE(Panel && Edit && Label && Check && Ok && Bevel);
  EXPECT_EQ(Edit->Parent(), Panel);
  EXPECT_EQ(Label->Parent(), Panel);
  EXPECT_EQ(Label->FocusControl(), Edit);
  EXPECT_EQ(Panel->BevelOuter, bvLowered);
  EXPECT_EQ(Edit->MaxLength(), 40);
  EXPECT_EQ(Edit->GetText(), "start");
  EXPECT_TRUE(Check->Checked());
  EXPECT_TRUE(Ok->Default());
  EXPECT_EQ(Ok->ModalResult, mrOk);
  EXPECT_EQ(Bevel->Shape, bsTopLine);
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(SendMessage(Check->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
  EXPECT_EQ(GetWindowTextString(Edit->Handle()), "start");
}

}  // namespace

namespace {

TEST_F(StdCtrls, ListBoxesKeepSortedItemsWithObjectsAndReportTheSelection) {
  auto* List = Make<TListBox>(Form, Form, "List1", Rect(10, 10, 150, 120));
  List->SetSorted(true);
  TObject Tag1;
  TObject Tag2;
  List->Items()->AddObject("pear", &Tag1);
  List->Items()->Add("Apple");
  List->Items()->AddObject("banana", &Tag2);
  EXPECT_EQ(List->Items()->CommaText(), "Apple,banana,pear");
  EXPECT_EQ(List->Items()->Objects(2), &Tag1);
  EXPECT_EQ(List->ItemIndex(), -1);
  int Clicks = 0;
  List->OnClick = [&](TObject*) { ++Clicks; };
  Form->Show();
  Harness::RunUntilIdle();
  // A click on the second row selects it and runs OnClick once.
  TRect Row = List->ItemRect(1);
  EXPECT_GT(Row.Height(), 0);
  EXPECT_EQ(List->ItemAtPos(Point(5, Row.Top + 1), true), 1);
  EXPECT_EQ(List->ItemAtPos(Point(5, 110), true), -1);
  EXPECT_EQ(List->ItemAtPos(Point(5, 110), false), 3);
  Harness::Click(List->Handle(), Point(5, Row.Top + 1));
  Harness::RunUntilIdle();
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_EQ(Clicks, 1);
  List->SetItemIndex(2);  // set by code: no OnClick
  EXPECT_EQ(Clicks, 1);
  // Recreating the window (multiple selection) keeps the items and their objects.
  List->SetMultiSelect(true);
  EXPECT_EQ(List->Items()->Count(), 3);
  EXPECT_EQ(List->Items()->Objects(1), &Tag2);
  List->SetSelected(0, true);
  List->SetSelected(2, true);
  EXPECT_EQ(List->SelCount(), 2);
  EXPECT_TRUE(List->Selected(2));
  EXPECT_FALSE(List->Selected(1));
  EXPECT_THROW(List->Selected(7), EListError);
  List->Items()->Delete(0);
  EXPECT_EQ(List->Items()->CommaText(), "banana,pear");
  EXPECT_THROW(List->Items()->Strings(5), EStringListError);
}

TEST_F(StdCtrls, ComboBoxesReportSelectionTypingAndTheirList) {
  auto* Combo = Make<TComboBox>(Form, Form, "Combo1", Rect(10, 10, 160, 31));
  Combo->SetStyle(csDropDownList);
  Combo->Items()->SetCommaText("Red,Green,Blue");
  std::vector<std::string> Events;
  Combo->OnChange = [&](TObject*) { Events.push_back("change " + Combo->GetText()); };
  Combo->OnSelect = [&](TObject*) { Events.push_back("select " + Combo->GetText()); };
  Combo->OnDropDown = [&](TObject*) { Events.push_back("dropdown"); };
  Combo->OnCloseUp = [&](TObject*) { Events.push_back("closeup"); };
  Combo->SetItemIndex(0);
  EXPECT_EQ(Combo->GetText(), "Red");
  EXPECT_TRUE(Events.empty());  // set by code: no events
  Form->Show();
  Combo->SetFocus();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_DOWN);
  Harness::RunUntilIdle();
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Events, (std::vector<std::string>{"select Green"}));
  Events.clear();
  Combo->SetDroppedDown(true);
  EXPECT_TRUE(Combo->DroppedDown());
  Combo->SetDroppedDown(false);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Combo->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup"}));
  // With the extended interface, Down opens the list.
  Events.clear();
  SendMessage(Combo->Handle(), CB_SETEXTENDEDUI, TRUE, 0);
  Harness::KeyPress(VK_DOWN);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Combo->DroppedDown());
  EXPECT_EQ(Events, (std::vector<std::string>{"dropdown"}));
  Combo->SetDroppedDown(false);
  Harness::RunUntilIdle();

  // A drop-down combo: typing changes the text and runs OnChange; the style change keeps the items.
  Combo->SetStyle(csDropDown);
  EXPECT_EQ(Combo->Items()->Count(), 3);
  Combo->SetFocus();
  Combo->SetText("");
  Harness::RunUntilIdle();
  Events.clear();
  Harness::TypeText("Bl");
  Harness::RunUntilIdle();
  EXPECT_EQ(Combo->GetText(), "Bl");
  EXPECT_EQ(Events, (std::vector<std::string>{"change B", "change Bl"}));
  EXPECT_EQ(Combo->ItemIndex(), -1);
  EXPECT_EQ(SendMessage(Combo->Handle(), CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("bl")), 2);
  EXPECT_EQ(SendMessage(Combo->Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("bl")),
            CB_ERR);
}

// The edit field of a drop-down combo answers the edit messages as an edit does, and tells of the changes; a
// drop-down list has no field and changes nothing.
TEST_F(StdCtrls, ComboBoxEditFieldsAnswerTheEditMessages) {
  auto* Combo = Make<TComboBox>(Form, Form, "Combo1", Rect(10, 10, 160, 31));
  Combo->SetStyle(csDropDown);
  int Changes = 0;
  Combo->OnChange = [&](TObject*) { ++Changes; };
  Form->Show();
  Combo->SetFocus();
  Combo->SetText("first");
  Changes = 0;
  Combo->SelectAll();
  EXPECT_EQ(Combo->SelStart(), 0);
  EXPECT_EQ(Combo->SelLength(), 5);
  SendMessage(Combo->Handle(), WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard()->AsText(), "first");
  SendMessage(Combo->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(Combo->GetText(), "");
  EXPECT_EQ(Changes, 1);
  Clipboard()->SetAsText("one\r\ntwo");
  SendMessage(Combo->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(Combo->GetText(), "one");
  SendMessage(Combo->Handle(), WM_UNDO, 0, 0);
  EXPECT_NE(Combo->GetText(), "one");
  Combo->SetText("abc");
  Combo->SelectAll();
  SendMessage(Combo->Handle(), WM_CLEAR, 0, 0);
  EXPECT_EQ(Combo->GetText(), "");

  Combo->SetStyle(csDropDownList);
  Combo->Items()->SetCommaText("Red,Green");
  Combo->SetItemIndex(1);
  Clipboard()->SetAsText("Blue");
  SendMessage(Combo->Handle(), WM_PASTE, 0, 0);
  SendMessage(Combo->Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(Combo->GetText(), "Green");
}

TEST_F(StdCtrls, ListsComeFromFormFiles) {
  RegisterClasses({TListBox::StaticClass(), TComboBox::StaticClass()});
  const std::string Text =
      "object Form1: TForm\r\n"
      "  object Filter: TComboBox\r\n"
      "    Style = csDropDownList\r\n"
      "    ItemIndex = 1\r\n"
      "    Items.Strings = (\r\n"
      "      'HTML files'\r\n"
      "      'All files')\r\n"
      "  end\r\n"
      "  object Names: TListBox\r\n"
      "    Sorted = True\r\n"
      "    Items.Strings = (\r\n"
      "      'b'\r\n"
      "      'a')\r\n"
      "  end\r\n"
      "end\r\n";
  TStringStream In(Text);
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Filter = dynamic_cast<TComboBox*>(Form->FindComponent("Filter"));
  auto* Names = dynamic_cast<TListBox*>(Form->FindComponent("Names"));
  ASSERT_TRUE(Filter && Names);
  EXPECT_EQ(Filter->Items()->Count(), 2);
  EXPECT_EQ(Filter->ItemIndex(), 1);
  EXPECT_EQ(Filter->GetText(), "All files");
  EXPECT_EQ(Names->Items()->CommaText(), "a,b");
}

}  // namespace

namespace {

TEST_F(StdCtrls, ControlsWrittenToALayoutLeaveOutWhatTheirConstructorsGive) {
  auto* Edit = Make<TEdit>(Form, Form, "Edit1", Rect(8, 8, 129, 29));
  auto* Button = Make<TButton>(Form, Form, "Button1", Rect(8, 40, 83, 65));
  // An edit keeps the window colour on a form of another colour.
  EXPECT_EQ(Edit->Color(), clWindow);
  EXPECT_FALSE(Edit->ParentColor());
  auto Written = [](TComponent* C) {
    TMemoryStream Bin;
    Bin.WriteComponent(C);
    Bin.SetPosition(0);
    TStringStream Text("");
    ObjectBinaryToText(&Bin, &Text);
    return Text.DataString();
  };
  for (TComponent* C : {static_cast<TComponent*>(Edit), static_cast<TComponent*>(Button)}) {
    const std::string Text = Written(C);
    EXPECT_EQ(Text.find("TabStop"), std::string::npos) << Text;
    EXPECT_EQ(Text.find("ParentColor"), std::string::npos) << Text;
  }
  // Changed from those defaults, they are written.
  Edit->TabStop = false;
  Edit->SetParentColor(true);
  const std::string Text = Written(Edit);
  EXPECT_NE(Text.find("TabStop = False"), std::string::npos) << Text;
  EXPECT_NE(Text.find("ParentColor = True"), std::string::npos) << Text;
}

TEST_F(StdCtrls, AGalleryFormIsSavedAsPng) {
  auto* Panel = Make<TPanel>(Form, Form, "Panel1", Rect(0, 0, 300, 40));
  Panel->SetCaption("Panel");
  auto* Group = Make<TGroupBox>(Form, Form, "Group1", Rect(8, 48, 150, 150));
  Group->SetCaption("Options");
  Make<TCheckBox>(Form, Group, "Check1", Rect(8, 20, 120, 37))->SetCaption("Check");
  Make<TRadioButton>(Form, Group, "Radio1", Rect(8, 40, 120, 57))->SetCaption("Radio");
  Make<TEdit>(Form, Form, "Edit1", Rect(160, 50, 290, 71))->SetText("Edit");
  auto* Combo = Make<TComboBox>(Form, Form, "Combo1", Rect(160, 80, 290, 101));
  Combo->Items()->SetCommaText("One,Two");
  Combo->SetItemIndex(1);
  auto* List = Make<TListBox>(Form, Form, "List1", Rect(160, 110, 290, 170));
  List->Items()->SetCommaText("Alpha,Beta");
  Make<TButton>(Form, Form, "Button1", Rect(8, 160, 83, 185))->SetCaption("OK");
  Form->Show();
  Harness::RunUntilIdle();
  const std::string File = ::testing::TempDir() + "stdctrls_gallery.png";
  EXPECT_TRUE(Harness::SaveWindowPng(Form->Handle(), File));
}

}  // namespace

namespace {
// How many pixels of a window's rectangle have the colour.
int CountPixels(HWND Wnd, const TRect& R, TColor Color) {
  HDC DC = GetDC(Wnd);
  int N = 0;
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    for (int X = R.Left; X < R.Right; ++X) {
      N += GetPixel(DC, X, Y) == ColorToRGB(Color) ? 1 : 0;
    }
  }
  ReleaseDC(Wnd, DC);
  return N;
}
}  // namespace

TEST_F(StdCtrls, LabelsDrawTheirCaptionInTheirFontOnTheirBackground) {
  Form->SetColor(clNavy);
  auto* Opaque = Make<TLabel>(Form, Form, "Opaque", Rect(10, 10, 10, 10));
  Opaque->SetCaption("&Wide caption");
  Opaque->SetColor(clYellow);
  Opaque->Font()->SetColor(clRed);
  auto* Clear = Make<TLabel>(Form, Form, "Clear", Rect(10, 60, 10, 10));
  Clear->SetCaption("Clear");
  Clear->Transparent = true;
  Clear->Font()->SetColor(clLime);
  Form->Show();
  Harness::RunUntilIdle();
  // Sized to the text of its own font, filled with its colour, the text in its font's colour.
  EXPECT_GT(Opaque->Width(), 40);
  const TRect O = Opaque->BoundsRect();
  EXPECT_GT(CountPixels(Form->Handle(), O, clYellow), O.Width() * O.Height() / 2);
  EXPECT_GT(CountPixels(Form->Handle(), O, clRed), 10);
  // A transparent label leaves the form's colour around its text.
  const TRect C = Clear->BoundsRect();
  const int Navy = CountPixels(Form->Handle(), C, clNavy);
  EXPECT_GT(Navy, C.Width() * C.Height() / 2);
  EXPECT_LT(Navy, C.Width() * C.Height() - 5);  // the text is there
}

TEST_F(StdCtrls, BevelsDrawTheirShapeInShadowAndHighlight) {
  Form->SetColor(clNavy);
  auto* Box = Make<TBevel>(Form, Form, "Box", Rect(10, 10, 50, 40));
  auto* Line = Make<TBevel>(Form, Form, "Line", Rect(10, 60, 110, 62));
  Line->Shape = bsTopLine;
  Line->Style = bsRaised;
  Form->Show();
  Harness::RunUntilIdle();
  HDC DC = GetDC(Form->Handle());
  EXPECT_EQ(GetPixel(DC, 10, 20), ColorToRGB(clBtnShadow));     // lowered box: left side
  EXPECT_EQ(GetPixel(DC, 49, 20), ColorToRGB(clBtnHighlight));  // right side
  EXPECT_EQ(GetPixel(DC, 30, 25), ColorToRGB(clNavy));          // inside: the form shows through
  EXPECT_EQ(GetPixel(DC, 50, 60), ColorToRGB(clBtnHighlight));  // raised top line: highlight above
  EXPECT_EQ(GetPixel(DC, 50, 61), ColorToRGB(clBtnShadow));
  ReleaseDC(Form->Handle(), DC);
  (void)Box;
}
