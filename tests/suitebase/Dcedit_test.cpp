// The drop-down edit frame driven through the harness: parts, layout, class names, dropping, keys and commits.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/Clock.h"
#include "platform/graphics/Cursors.h"
#include "suitebase/Dcedit.h"
#include "tests/support/Forms.h"
#include "tests/support/UnitsEnvironment.h"

using namespace Dcedit;

namespace {

// An edit source that keeps its values in capitals.
class TUpperSource : public Dorazori::TEditSource {
  Z_CLASS(TUpperSource, Dorazori::TEditSource)
public:
  using TEditSource::TEditSource;
  std::string GetValue() override { return FValue; }
  void SetValue(const std::string& Value) override { FValue = AnsiUpperCase(Value); }

private:
  std::string FValue;
};
Z_IMPLEMENT_CLASS(TUpperSource, Dorazori::TEditSource)

class DceditTest : public TestSupport::TFormTest {
protected:
  static void SetUpTestSuite() { RegisterClasses({TButton::StaticClass()}); }
  void SetUp() override {
    TFormTest::SetUp();
    Edit = TestSupport::Make<ZEZEdit>(Form, Form, TRect{10, 10, 131, 31});
    Edit->TabStop = true;
    Next = TestSupport::Make<TButton>(Form, Form, TRect{10, 60, 100, 85});
    Next->TabStop = true;
    Form->Show();
    Harness::RunUntilIdle();
  }
  TPopupListBox* List() { return dynamic_cast<TPopupListBox*>(Edit->PopupWindow()); }
  void Fill(int Count) {
    List()->Items()->Clear();
    for (int I = 0; I < Count; ++I) {
      List()->Items()->Add("Item " + std::to_string(I));
    }
  }
  void Press(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }
  ZEZEdit* Edit = nullptr;
  TButton* Next = nullptr;
};

TEST_F(DceditTest, PartsAndLayout) {
  EXPECT_EQ(Edit->Width(), 121);
  EXPECT_EQ(Edit->Height(), 21);
  EXPECT_EQ(Edit->NumButtons(), 1);
  ASSERT_TRUE(dynamic_cast<ZEZSimpleEdit*>(Edit->Edit()));
  ASSERT_TRUE(List());
  EXPECT_EQ(Edit->PopupWindowClass(), "TPopupListBox");
  EXPECT_EQ(Edit->Button1()->Button()->Glyph()->Width(), 8);  // the arrow picture
  const int W = Edit->ClientWidth();
  const int H = Edit->ClientHeight();
  TEditButton* B1 = Edit->Button1()->Button();
  EXPECT_EQ(B1->BoundsRect(), (TRect{W - B1->Width(), 0, W, H}));
  EXPECT_EQ(Edit->Edit()->BoundsRect(), (TRect{0, 1, W - B1->Width(), H}));
  Edit->SetNumButtons(3);
  Edit->SetNumButtons(-1);
  EXPECT_EQ(Edit->NumButtons(), 1);
  Edit->SetNumButtons(2);
  TEditButton* B2 = Edit->Button2()->Button();
  EXPECT_EQ(B2->Left(), W - B2->Width());
  EXPECT_EQ(B1->Left(), B2->Left() - B1->Width());
  Edit->SetNumButtons(0);
  EXPECT_EQ(Edit->Edit()->Width(), W);
}

TEST_F(DceditTest, TheFlatAndOwnBorderLooksKeepMarginsAroundTheParts) {
  struct TLook {
    bool Flat;
    bool Own;
    TNimbraBorderStyle Style;
    int Margin;  // around the buttons
    int Frame;   // of the editor
  } Looks[] = {{false, false, dbsSunkenBorder, 0, 0},
               {true, false, dbsSunkenBorder, 1, 1},
               {false, true, dbsLine, 1, 1},
               {false, true, dbsSunkenSingle, 2, 1}};
  for (const TLook& L : Looks) {
    Edit->Flat = L.Flat;
    Edit->UseNimbraBorder = L.Own;
    Edit->NimbraBorderStyle = L.Style;
    Edit->BorderChanged();
    const int W = Edit->ClientWidth();
    const int H = Edit->ClientHeight();
    TEditButton* B = Edit->Button1()->Button();
    EXPECT_EQ(B->BoundsRect(), (TRect{W - B->Width() - L.Margin, L.Margin, W - L.Margin, H - L.Margin}))
        << L.Flat << L.Own << L.Style;
    const int F = L.Frame;
    EXPECT_EQ(Edit->Edit()->BoundsRect(), (TRect{2 * F, 2 * F + 1, W - B->Width() - 2 * F, H - 2 * F}))
        << L.Flat << L.Own << L.Style;
  }
}

TEST_F(DceditTest, TheFlatBorderShowsOnlyWhileTheMouseIsOverOrTheFocusIsIn) {
  Edit->Flat = true;
  Edit->BorderChanged();
  Next->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_TRUE(Edit->FlatInactive());
  auto TopLeft = [&] {
    TBitmap B;
    B.SetSize(Edit->ClientWidth(), Edit->ClientHeight());
    Edit->DrawBorder(B.Canvas());
    return GetPixel(B.Canvas()->Handle(), 0, 0);
  };
  EXPECT_EQ(TopLeft(), ColorToRGB(clBtnFace));
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(Edit->FlatInactive());
  EXPECT_EQ(TopLeft(), ColorToRGB(clBtnShadow));  // the sunken look's top line
  Edit->Perform(CM_MOUSELEAVE, 0, 0);
  Edit->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_FALSE(Edit->FlatInactive());
}

// The flat look is repainted a moment after the mouse left, on timer 1; a drop meanwhile keeps the timer for its
// mouse tracking.
TEST_F(DceditTest, LeavingTheMouseRepaintsTheFlatLookOnTheTimer) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  Edit->Flat = true;
  Edit->BorderChanged();
  Next->SetFocus();
  Harness::RunUntilIdle();
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(Edit->FlatInactive());
  Edit->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(Edit->FlatInactive());
  Harness::Advance(Manual, 20);  // the pending repaint; the timer stops
  EXPECT_TRUE(Edit->FlatInactive());

  // A held button in the dropped list scrolls it on the timer, even when a leave repaint was pending.
  Fill(20);
  Edit->Perform(CM_MOUSEENTER, 0, 0);
  Edit->Perform(CM_MOUSELEAVE, 0, 0);
  Edit->SetDroppedDown(true);
  ASSERT_TRUE(Edit->DroppedDown());
  Harness::MouseDown(List()->Handle(), TPoint{5, 2});
  Harness::RunUntilIdle();
  ASSERT_EQ(List()->ItemIndex(), 0);
  const TPoint Below = List()->ClientToScreen(TPoint{5, List()->ClientHeight() + 10});
  SetCursorPos(Below.X, Below.Y);
  Harness::Advance(Manual, 20);  // the leave repaint
  Harness::Advance(Manual, 20);
  Harness::Advance(Manual, 20);
  EXPECT_GE(List()->ItemIndex(), 2);
  Edit->CloseDropped(false);
}

TEST_F(DceditTest, ButtonSettingsReachTheButtonsAndACustomGlyphSizesItsButton) {
  TButtonParams* B = Edit->Button1();
  B->SetHint("Choose");
  B->SetShowHint(true);
  EXPECT_EQ(B->Button()->Hint, "Choose");
  EXPECT_TRUE(B->Button()->ShowHint());
  EXPECT_EQ(B->Kind(), Dcedit::bkDropDown);
  const int EditWidth = Edit->Edit()->Width();
  TBitmap Glyph;
  Glyph.SetSize(30, 12);
  B->SetGlyph(&Glyph);
  EXPECT_EQ(B->Kind(), Dcedit::bkCustom);
  EXPECT_EQ(B->Button()->Width(), 34);  // the glyph's width + 4
  EXPECT_EQ(Edit->Edit()->Width(), EditWidth - (34 - GetSystemMetrics(SM_CXVSCROLL)));
  B->SetWidth(25);
  EXPECT_EQ(B->Button()->Width(), 25);
  B->SetWidth(0);
  EXPECT_EQ(B->Button()->Width(), 34);

  // Over a visible button the cursor is the button's own; elsewhere the frame's.
  B->SetCursor(crHandPoint);
  const TRect R = B->Button()->BoundsRect();
  const TPoint Over = Edit->ClientToScreen(TPoint{R.Left + 2, R.Top + 2});
  SetCursorPos(Over.X, Over.Y);
  EXPECT_EQ(Edit->Perform(WM_SETCURSOR, Edit->Handle(), HTCLIENT), 1);
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));
  const TPoint Away = Edit->ClientToScreen(TPoint{2, 2});
  SetCursorPos(Away.X, Away.Y);
  SetCursor(0);
  Edit->Perform(WM_SETCURSOR, Edit->Handle(), HTCLIENT);
  EXPECT_NE(GetCursor(), Screen->Cursors(crHandPoint));
}

TEST_F(DceditTest, HideCaretMakesTheEditorReadOnlyAndAFontChangeFitsTheHeight) {
  auto* Inner = dynamic_cast<TCustomEdit*>(Edit->Edit());
  ASSERT_TRUE(Inner);
  Edit->SetHideCaret(true);
  EXPECT_TRUE(Inner->ReadOnly());
  Edit->SetHideCaret(false);
  EXPECT_FALSE(Inner->ReadOnly());
  Edit->SetReadOnly(true);
  EXPECT_TRUE(Inner->ReadOnly());

  Edit->Font()->SetSize(20);
  const int Small = Edit->Height();
  Edit->Font()->SetSize(8);
  EXPECT_LT(Edit->Height(), Small);
  EXPECT_GT(Small, 21);
}

TEST_F(DceditTest, ClassNamesResolveOrFallBack) {
  TWinControl* Before = Edit->Edit();
  Edit->SetEditClass("ZEZSimpleEdit");
  Edit->SetEditClass("ZEZSimpleEdit");
  EXPECT_EQ(Edit->Edit(), Before);  // the same class keeps the editor
  Edit->SetEditClass("TNoSuchEditor");
  EXPECT_TRUE(dynamic_cast<ZEZSimpleEdit*>(Edit->Edit()));
  Edit->SetPopupClassName("TButton");  // known, but no popup class
  EXPECT_TRUE(dynamic_cast<TDummyPopup*>(Edit->PopupWindow()));
  Edit->SetDroppedDown(true);
  EXPECT_FALSE(Edit->DroppedDown());  // no popup: nothing drops
  Edit->SetPopupClassName("TNoSuchPopup");
  EXPECT_EQ(Edit->PopupWindow(), nullptr);
  Edit->SetEditSourceType("TNoSuchSource");
  EXPECT_TRUE(dynamic_cast<TDummyEditSource*>(Edit->EditSource()));
}

TEST_F(DceditTest, ListsAreOneToSevenRowsHigh) {
  for (auto [Count, Rows] : {std::pair{3, 3}, std::pair{20, 7}, std::pair{0, 1}}) {
    Fill(Count);
    List()->AdjustHeight();
    EXPECT_EQ(List()->ClientHeight(), List()->ItemHeight() * Rows) << Count;
  }
}

TEST_F(DceditTest, AltDownDropsReturnAcceptsThroughTheSourceEscapeCancels) {
  Dorazori::RegisterEditSource(TUpperSource::StaticClass());
  Edit->SetEditSourceType("TUpperSource");
  Fill(3);
  Edit->SetFocus();
  Harness::RunUntilIdle();
  Press(VK_DOWN, {.Alt = true});
  ASSERT_TRUE(Edit->DroppedDown());
  EXPECT_TRUE(IsWindowVisible(List()->Handle()));
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(Edit->DroppedDown());
  EXPECT_EQ(Edit->GetText(), "ITEM 1");  // the source changed the value; the frame shows it
  Press(VK_DOWN, {.Alt = true});
  Press(VK_DOWN);
  Press(VK_ESCAPE);
  EXPECT_FALSE(Edit->DroppedDown());
  EXPECT_EQ(Edit->GetText(), "ITEM 1");
  Press(VK_DOWN, {.Alt = true});
  Press(VK_DOWN);
  Press(VK_UP, {.Alt = true});  // Alt+Up accepts as Return does
  EXPECT_FALSE(Edit->DroppedDown());
  EXPECT_EQ(Edit->GetText(), "ITEM 2");
  Press(VK_DOWN);  // without Alt: the next control
  EXPECT_TRUE(Next->Focused());
}

TEST_F(DceditTest, AClickOutsideCancelsAndDropOnClickOpensOnRelease) {
  Fill(3);
  Edit->SetText("kept");
  Edit->SetDroppedDown(true);
  List()->SetItemIndex(2);
  Harness::Click(Form->Handle(), TPoint{Form->ClientWidth() - 5, Form->ClientHeight() - 5});  // clear of the list
  Harness::RunUntilIdle();
  EXPECT_FALSE(Edit->DroppedDown());
  EXPECT_EQ(Edit->GetText(), "kept");
  Edit->DropOnClick = true;
  Edit->SetFocus();
  Harness::RunUntilIdle();
  Harness::MouseDown(Edit->Edit()->Handle(), TPoint{5, 5});
  Harness::RunUntilIdle();
  EXPECT_FALSE(Edit->DroppedDown());
  Harness::MouseUp(Edit->Edit()->Handle(), TPoint{5, 5});
  Harness::RunUntilIdle();
  EXPECT_TRUE(Edit->DroppedDown());
  Edit->CloseDropped(false);
}

// An edit source that refuses what it is given.
class TRefusingSource : public Dorazori::TEditSource {
  Z_CLASS(TRefusingSource, Dorazori::TEditSource)
public:
  using TEditSource::TEditSource;
  std::string GetValue() override { return {}; }
  void SetValue(const std::string& Value) override {
    if (Value == "bad") {
      throw Exception("Not a value");
    }
  }
};
Z_IMPLEMENT_CLASS(TRefusingSource, Dorazori::TEditSource)

TEST_F(DceditTest, LeavingCommitsAndAFailedCommitKeepsTheFocus) {
  Dorazori::RegisterEditSource(TRefusingSource::StaticClass());
  Edit->SetEditSourceType("TRefusingSource");
  Edit->SetFocus();
  Harness::RunUntilIdle();
  Edit->SetText("bad");
  Press(VK_TAB);
  Harness::RunUntilIdle();
  EXPECT_TRUE(Edit->Edit()->Focused());
  auto* Inner = static_cast<TCustomEdit*>(Edit->Edit());
  EXPECT_EQ(Inner->SelLength(), 3);
  EXPECT_NE(Application->LastExceptionMessage.find("Not a value"), std::string::npos);
}

TEST_F(DceditTest, DraggingBelowTheListSelectsOneFurtherItemPerMove) {
  Fill(20);
  Edit->SetDroppedDown(true);
  const HWND L = List()->Handle();
  Harness::MouseDown(L, TPoint{5, 2});
  Harness::RunUntilIdle();
  EXPECT_EQ(List()->ItemIndex(), 0);
  Harness::MouseMove(L, TPoint{5, List()->ItemHeight() + 2}, {});
  Harness::RunUntilIdle();
  const int Below = List()->ClientHeight() + 5;
  for (int Step = 0; Step < 8; ++Step) {
    Harness::MouseMove(L, TPoint{5, Below + Step % 2}, {});
    Harness::RunUntilIdle();
  }
  EXPECT_EQ(List()->ItemIndex(), 9);
  Harness::MouseUp(L, TPoint{5, Below});
  Harness::RunUntilIdle();
  EXPECT_FALSE(Edit->DroppedDown());  // released outside the list: no choice
  EXPECT_EQ(Edit->GetText(), "");
}

TEST_F(DceditTest, ReturnAndEscapeReachOnKeyPressAndAreSwallowed) {
  std::string Heard;
  Edit->OnKeyPress = [&](TObject*, char& Key) { Heard += Key == '\r' ? 'R' : Key == 27 ? 'E' : Key; };
  Edit->SetFocus();
  Harness::RunUntilIdle();
  Harness::TypeText("ab");
  Press(VK_RETURN);
  Press(VK_ESCAPE);
  EXPECT_EQ(Heard, "abRE");
  EXPECT_EQ(Edit->GetText(), "ab");
  EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, VK_DOWN, 0), 1);
  EXPECT_EQ(Edit->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
}

TEST_F(DceditTest, TheApplicationLosingActivationCancels) {
  Fill(3);
  Edit->SetText("kept");
  Edit->SetDroppedDown(true);
  List()->SetItemIndex(1);
  SendMessage(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  Harness::RunUntilIdle();
  EXPECT_FALSE(Edit->DroppedDown());
  EXPECT_EQ(Edit->GetText(), "kept");
}

TEST_F(DceditTest, ALongItemIsCommittedWhole) {
  List()->Items()->Add(std::string(300, 'x'));
  Edit->SetDroppedDown(true);
  List()->SetItemIndex(0);
  Edit->CloseDropped(true);
  EXPECT_EQ(Edit->GetText(), std::string(300, 'x'));
  EXPECT_EQ(Edit->EditSource()->GetValue(), std::string(300, 'x'));
}

TEST_F(DceditTest, AWidePopupOpensRightAlignedAndAboveNearTheBottom) {
  Fill(5);
  List()->SetWidth(300);
  Edit->SetDroppedDown(true);
  RECT P;
  GetWindowRect(List()->Handle(), &P);
  RECT F;
  GetWindowRect(Edit->Handle(), &F);
  EXPECT_EQ(P.Right, F.Right);  // the frame's client origin less 2, plus its width
  EXPECT_EQ(P.Top, F.Top + Edit->ClientHeight() + (F.Height() - Edit->ClientHeight()) / 2);
  Edit->CloseDropped(false);
  Form->SetTop(GetSystemMetrics(SM_CYSCREEN) - 60);
  Harness::RunUntilIdle();
  Edit->SetDroppedDown(true);
  GetWindowRect(List()->Handle(), &P);
  GetWindowRect(Edit->Handle(), &F);
  EXPECT_LT(P.Bottom, F.Bottom);
  Edit->CloseDropped(false);
}

}  // namespace

namespace {

TEST(DceditLayouts, EditsNamingTheirPartsReadBackWithThoseParts) {
  Harness::Start();
  RegisterClasses({ZEZEdit::StaticClass(), TForm::StaticClass()});
  const std::string Text =
      "object Holder: TForm\n  object Plain: ZEZEdit\n    Left = 8\n    NumButtons = 2\n"
      "    EditClass = 'ZEZSimpleEdit'\n    PopupWindowClass = 'TNoSuchPopup'\n  end\nend\n";
  TStringStream In(Text);
  TStringStream Binary;
  ObjectTextToBinary(&In, &Binary);
  Binary.SetPosition(0);
  std::unique_ptr<TForm> Form(new TForm(nullptr));
  Binary.ReadComponent(Form.get());
  auto* Plain = dynamic_cast<ZEZEdit*>(Form->FindComponent("Plain"));
  ASSERT_TRUE(Plain);
  EXPECT_EQ(Plain->NumButtons(), 2);
  EXPECT_TRUE(dynamic_cast<ZEZSimpleEdit*>(Plain->Edit()));
  EXPECT_EQ(Plain->PopupWindow(), nullptr);  // a popup class nobody knows: none
  EXPECT_EQ(Plain->PopupWindowClass(), "TNoSuchPopup");
}

}  // namespace
