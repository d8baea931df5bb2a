// The editor's typing aids: code templates, the completion list in its popup, the popup window itself, the
// formatted list box and hint, bracket jumps and highlighting, and the scroll hint.
#include "tests/editor/FindTestSupport.h"

#include "editor/Easyhintwindow.h"
#include "editor/Easylistbox.h"
#include "editor/Easypopup.h"
#include "platform/controls/Forms.h"
#include "platform/win/Clock.h"
#include "platform/win/VirtualKeys.h"

#include <cstdint>

namespace {

using Strings = std::vector<std::string>;

// Stands in for the keyboard code of the editor: typed characters are inserted, Left moves and Backspace
// deletes, and every key-down is recorded.
class TTypingEdit : public TEasyEdit {
public:
  using TEasyEdit::TEasyEdit;
  std::vector<Word> Keys;

protected:
  void KeyPress(char& Key) override {
    if (static_cast<unsigned char>(Key) >= 32) {
      GetEditSource()->InsertString(std::string(1, Key));
      GetEditSource()->Navigate(1, 0);
    }
  }
  void KeyDown(Word& Key, TShiftState) override {
    Keys.push_back(Key);
    if (Key == VK_LEFT) {
      GetEditSource()->MoveLeft();
    } else if (Key == VK_RIGHT) {
      GetEditSource()->MoveRight();
    } else if (Key == VK_BACK) {
      GetEditSource()->DeleteLeft();
    }
  }
};

class Completion : public FindTest {
protected:
  void SetUp() override {
    FindTest::SetUp();
    delete Edit;
    Typing = new TTypingEdit(Form);
    Typing->SetParent(Form);
    Typing->SetBounds(0, 0, 600, 400);
    Edit = Typing;
    Harness::RunUntilIdle();
    Edit->SetFocus();
  }
  void TearDown() override {
    ClosePopupWindow(false);
    FindTest::TearDown();
  }
  void AddTemplate(const std::string& Name, const std::string& Code) {
    auto* T = static_cast<TEasyCodeTemplate*>(Edit->CodeTemplates()->Add());
    T->Name = Name;
    T->Desc = Name + " template";
    T->Code()->SetText(Code);
  }
  void Complete(const Strings& Words) {
    Edit->OnAutoComplete = [Words](TObject*, TStrings* Items, char, bool& Allow) {
      for (const auto& W : Words) {
        Items->Add(W);
      }
      Allow = true;
    };
  }
  TTypingEdit* Typing = nullptr;
};

// ---- templates ----

TEST_F(Completion, AOneLineTemplateGoesInAsABlockWithTheCaretAtItsMarker) {
  SetText("abc xyz");
  AddTemplate("call", "f(|);");
  MoveTo(4, 0);
  Edit->InsertTemplate(0);
  EXPECT_EQ(Text(), "abc f();\r\nxyz\r\n") << "the text after the caret goes below the template";
  EXPECT_EQ(Caret(), (TPoint{6, 0})) << "between the parentheses";
  Edit->GetEditSource()->Undo();
  EXPECT_EQ(Text(), "abc xyz\r\n") << "one undo step";
}

TEST_F(Completion, AMultiLineTemplateStartsEveryLineAtTheCaretColumn) {
  SetText("  x");
  AddTemplate("if", "if (|) {\r\n}");
  MoveTo(2, 0);
  Edit->InsertTemplate(0);
  EXPECT_EQ(Text(), "  if () {\r\n  }\r\nx\r\n");
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
}

TEST_F(Completion, BeforeInsertPopupMayChangeTheTemplate) {
  SetText("");
  AddTemplate("b", "<b>|</b>");
  Edit->OnBeforeInsertPopup = [](TObject*, std::string& S) { S = "<strong>|</strong>"; };
  Edit->InsertTemplate(0);
  EXPECT_EQ(Text(), "<strong></strong>\r\n\r\n");
  EXPECT_EQ(Caret(), (TPoint{8, 0}));
}

TEST_F(Completion, OneMatchingTemplateIsInsertedAtOnceReplacingTheWord) {
  SetText("x if");
  AddTemplate("for", "for (|)");
  AddTemplate("if", "if (|)");
  MoveTo(4, 0);
  Edit->ShowCodeTemplates();
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Text(), "x if ()\r\n\r\n");
  EXPECT_EQ(Caret(), (TPoint{6, 0}));
}

TEST_F(Completion, SeveralTemplatesAreOfferedAndTheChosenOneIsInserted) {
  SetText("");
  AddTemplate("for", "for (|)");
  AddTemplate("foreach", "foreach (|)");
  Edit->ShowCodeTemplates();
  ASSERT_NE(OpenPopup(), nullptr);
  EXPECT_TRUE(Edit->ShowingTemplates);
  TEasyListBox* LB = Edit->PopupListBox();
  ASSERT_EQ(LB->Items()->Count(), 2);
  EXPECT_EQ(LB->Items()->Strings(1), "foreach template|{\\b foreach}");
  LB->SetItemIndex(1);
  ClosePopupWindow(true);
  EXPECT_EQ(Text(), "foreach ()\r\n\r\n");
  EXPECT_FALSE(Edit->ShowingTemplates);
  // A completion list after that inserts completion items, not templates.
  SetText("");
  MoveTo(0, 0);
  TStringList L;
  L.Add("word");
  Edit->ShowPopupListBox(&L, true);
  ClosePopupWindow(true);
  EXPECT_EQ(Text(), "word\r\n");
}

// ---- completion ----

TEST_F(Completion, NothingShowsWithoutHandlers) {
  SetText("ab");
  MoveTo(2, 0);
  Edit->CompletionKeyTyped('b');
  EXPECT_FALSE(Edit->DoCodeCompletion());
  EXPECT_EQ(OpenPopup(), nullptr);
}

TEST_F(Completion, TheListAppearsAfterThePauseBelowTheCaret) {
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  SetText("do");
  MoveTo(2, 0);
  char Asked = 0;
  Edit->OnAutoComplete = [&](TObject*, TStrings* Items, char Key, bool& Allow) {
    Asked = Key;
    Items->Add("document");
    Items->Add("done");
    Allow = true;
  };
  Edit->CompletionKeyTyped('o');
  Harness::Advance(Clock, 400);
  EXPECT_EQ(OpenPopup(), nullptr) << "not before the pause";
  Harness::Advance(Clock, 150);
  ASSERT_NE(OpenPopup(), nullptr);
  EXPECT_EQ(Asked, 'o');
  TEasyListBox* LB = Edit->PopupListBox();
  EXPECT_EQ(LB->Parent(), OpenPopup());
  EXPECT_EQ(LB->ItemIndex(), 0);
  const TPoint CaretScreen = Edit->ClientToScreen(Edit->TextToPixelPoint(Caret(), false));
  TRect R{};
  GetWindowRect(OpenPopup()->Handle(), &R);
  EXPECT_GE(R.Top, CaretScreen.Y + Edit->Painter()->GetDefaultLineHeight());
}

TEST_F(Completion, NearTheScreenBottomTheListOpensAboveTheCaret) {
  Form->SetBounds(20, Screen->Height() - 120, 720, 110);
  Edit->SetBounds(0, 0, 600, 80);
  Harness::RunUntilIdle();
  SetText("x");
  MoveTo(1, 0);
  Edit->PopupWindow()->Height = 200;
  Complete({"one", "two"});
  ASSERT_TRUE(Edit->DoCodeCompletion());
  const TPoint CaretScreen = Edit->ClientToScreen(Edit->TextToPixelPoint(Caret(), false));
  TRect R{};
  GetWindowRect(OpenPopup()->Handle(), &R);
  EXPECT_LE(R.Bottom, CaretScreen.Y + 4);
}

TEST_F(Completion, TypingNarrowsTheChoiceAndSpaceAccepts) {
  SetText("");
  Complete({"alpha", "beta", "betamax", "xbet"});
  ASSERT_TRUE(Edit->DoCodeCompletion());
  TEasyListBox* LB = Edit->PopupListBox();
  char K = 'b';
  Edit->PopupListBoxKeyPress(LB, K);
  EXPECT_EQ(LB->ItemIndex(), 1);
  K = 'e';
  Edit->PopupListBoxKeyPress(LB, K);
  K = 't';
  Edit->PopupListBoxKeyPress(LB, K);
  K = 'a';
  Edit->PopupListBoxKeyPress(LB, K);
  K = 'm';
  Edit->PopupListBoxKeyPress(LB, K);
  EXPECT_EQ(LB->ItemIndex(), 2);
  EXPECT_EQ(Text(), "betam\r\n");
  Word Space = VK_SPACE;
  Edit->PopupListBoxKeyDown(LB, Space, TShiftState{ssCtrl});
  EXPECT_NE(OpenPopup(), nullptr) << "Ctrl+Space does not accept";
  Space = VK_SPACE;
  Edit->PopupListBoxKeyDown(LB, Space, TShiftState{});
  EXPECT_EQ(Space, 0);
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Text(), "betamax\r\n") << "the typed text is replaced by the item";
}

TEST_F(Completion, AWordOccurringInsideAnItemSelectsIt) {
  SetText("");
  Complete({"alpha", "xbet"});
  ASSERT_TRUE(Edit->DoCodeCompletion());
  char K = 'b';
  Edit->PopupListBoxKeyPress(Edit->PopupListBox(), K);
  EXPECT_EQ(Edit->PopupListBox()->ItemIndex(), 1);
  K = 'q';
  Edit->PopupListBoxKeyPress(Edit->PopupListBox(), K);
  EXPECT_EQ(Edit->PopupListBox()->ItemIndex(), -1);
}

TEST_F(Completion, DotAcceptsAndIsTyped) {
  SetText("obj");
  MoveTo(3, 0);
  Edit->CompletionStart = TPoint{0, 0};
  Edit->OnBeforeInsertPopup = [](TObject*, std::string& S) { S += "1"; };
  TStringList L;
  L.Add("object");
  Edit->ShowPopupListBox(&L, false);
  ASSERT_NE(OpenPopup(), nullptr);
  char K = '.';
  Edit->PopupListBoxKeyPress(Edit->PopupListBox(), K);
  EXPECT_EQ(Text(), "object1.\r\n");
  EXPECT_EQ(OpenPopup(), nullptr);
}

TEST_F(Completion, LeftCancelsAndMovesAndLeavingTheStartCloses) {
  SetText("ab");
  MoveTo(2, 0);
  Complete({"abc"});
  ASSERT_TRUE(Edit->DoCodeCompletion());
  Word K = VK_LEFT;
  Edit->PopupListBoxKeyDown(Edit->PopupListBox(), K, TShiftState{});
  EXPECT_EQ(K, 0);
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Typing->Keys, (std::vector<Word>{VK_LEFT}));
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  EXPECT_EQ(Text(), "ab\r\n");

  MoveTo(2, 0);
  Edit->ShowPopupListBox(Edit->PopupWindow()->Items(), true);
  ASSERT_NE(OpenPopup(), nullptr);
  K = VK_BACK;
  Edit->PopupListBoxKeyDown(Edit->PopupListBox(), K, TShiftState{});
  EXPECT_EQ(OpenPopup(), nullptr) << "the caret moved left of where completion started";
  EXPECT_EQ(Text(), "a\r\n");
}

TEST_F(Completion, EscapeClosesWithoutAcceptingAndTheListGoesBack) {
  SetText("");
  Complete({"one", "two"});
  ASSERT_TRUE(Edit->DoCodeCompletion());
  TEasyListBox* LB = Edit->PopupListBox();
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(LB->Parent(), Edit);
  EXPECT_FALSE(LB->Visible());
  EXPECT_EQ(Text(), "");
}

TEST_F(Completion, AHintIsShownOneLineBelowTheCaret) {
  SetText("f");
  MoveTo(1, 0);
  Edit->OnDisplayHint = [](TObject*, std::string& S, char, bool& Allow) {
    S = "{\\b f}(x)";
    Allow = true;
  };
  EXPECT_TRUE(Edit->DoCodeCompletion());
  TEasyHint* H = Edit->PopupHint();
  EXPECT_TRUE(H->Visible());
  const TPoint CaretScreen = Edit->ClientToScreen(Edit->TextToPixelPoint(Caret(), false));
  EXPECT_EQ(H->HintRect().Top, CaretScreen.Y + Edit->Painter()->GetDefaultLineHeight());
  Edit->HidePopupHint();
  EXPECT_FALSE(H->Visible());
}

// ---- the popup window ----

class PopupWindow : public EditorWindowTest {
protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    List = new TListBox(Form);
    List->AfterConstruction();
    List->SetParent(Form);
    List->SetBounds(610, 10, 90, 60);
    List->SetVisible(false);
    List->Items()->Add("first");
    List->Items()->Add("second");
    Marker = [](TObject*) {};
    List->OnDblClick = Marker;
  }
  void TearDown() override {
    ClosePopupWindow(false);
    EditorWindowTest::TearDown();
  }
  TListBox* List = nullptr;
  TNotifyEvent Marker;
};

TEST_F(PopupWindow, HostsTheControlOnTopAndPutsItBack) {
  std::vector<TObject*> Accepted;
  PopupControl(List, Edit, 30, 40, false, [&](TObject* S) { Accepted.push_back(S); });
  TEasyPopup* P = OpenPopup();
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(List->Parent(), P);
  EXPECT_TRUE(List->Visible());
  EXPECT_EQ(P->ClientWidth(), 90);
  EXPECT_EQ(P->HookedForm(), Form);
  EXPECT_TRUE(GetWindowLongPtr(P->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  TRect R{};
  GetWindowRect(P->Handle(), &R);
  EXPECT_EQ((TPoint{R.Left, R.Top}), Edit->ClientToScreen(TPoint{30, 40}));
  PopupControl(Edit, Form, 0, 0, false, nullptr);
  EXPECT_EQ(OpenPopup(), P) << "one popup at a time";
  List->OnDblClick(List);
  Harness::RunUntilIdle();
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Accepted, (std::vector<TObject*>{List}));
  EXPECT_EQ(List->Parent(), Form);
  EXPECT_FALSE(List->Visible());
  EXPECT_EQ(List->Left(), 610);
  EXPECT_EQ(List->Height(), 60);
  EXPECT_EQ(List->Align(), alNone);
  ASSERT_TRUE(static_cast<bool>(List->OnDblClick));
}

TEST_F(PopupWindow, KeysAcceptOrCancel) {
  int Accepted = 0;
  PopupControl(List, Edit, 0, 0, false, [&](TObject*) { ++Accepted; });
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_RETURN);
  Harness::RunUntilIdle();
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Accepted, 1);
  PopupControl(List, Edit, 0, 0, false, [&](TObject*) { ++Accepted; });
  Harness::RunUntilIdle();
  Harness::KeyPress(VK_ESCAPE);
  Harness::RunUntilIdle();
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Accepted, 1);
}

TEST_F(PopupWindow, ClosesWhenAnotherFormIsActivatedOrTheOwnerIsClicked) {
  int Accepted = 0;
  PopupControl(List, Edit, 0, 0, true, [&](TObject*) { ++Accepted; });
  Harness::RunUntilIdle();
  auto* Other = new TForm(Application);
  Other->AfterConstruction();
  Other->SetBounds(300, 300, 100, 100);
  Other->Show();
  SetActiveWindow(Other->Handle());
  Harness::RunUntilIdle();
  EXPECT_EQ(OpenPopup(), nullptr);
  EXPECT_EQ(Accepted, 0);
  delete Other;
  Harness::RunUntilIdle();

  PopupControl(List, Edit, 0, 0, false, [&](TObject*) { ++Accepted; });
  Harness::RunUntilIdle();
  ASSERT_NE(OpenPopup(), nullptr);
  Harness::Click(Edit->Handle(), TPoint{300, 300});
  Harness::RunUntilIdle();
  EXPECT_EQ(OpenPopup(), nullptr) << "a click outside the popup";
  EXPECT_EQ(List->Parent(), Form);
}

TEST_F(PopupWindow, MinimisingTheOwnerHidesThePopupAndRestoringShowsIt) {
  PopupControl(List, Edit, 0, 0, false, nullptr);
  Harness::RunUntilIdle();
  TEasyPopup* P = OpenPopup();
  ASSERT_NE(P, nullptr);
  SendMessage(Form->Handle(), WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_FALSE(IsWindowVisible(P->Handle()));
  SendMessage(Form->Handle(), WM_SIZE, SIZE_RESTORED, 0);
  EXPECT_TRUE(IsWindowVisible(P->Handle()));
}

// ---- list box and hint ----

TEST_F(EditorWindowTest, ListBoxColumnsLineUp) {
  auto* LB = new TEasyListBox(Form);
  LB->AfterConstruction();
  LB->SetParent(Form);
  LB->SetBounds(0, 0, 300, 100);
  LB->AddRtfString("{\\b w}|{\\i second}");
  LB->AddRtfString("{\\b wwwwwwww}|{\\i other}");
  const int Total = LB->AdjustColumns();
  auto SecondColumnX = [&](int Item) {
    int X = 0;
    TEasyRtfInfo* Run = LB->ItemChain(Item)->Next;
    while (Run && Run->Text != "|") {
      X += Run->Width;
      Run = Run->Next;
    }
    return X + (Run ? Run->Width : 0);
  };
  EXPECT_EQ(SecondColumnX(0), SecondColumnX(1));
  EXPECT_GT(SecondColumnX(0), 0);
  EXPECT_GE(Total, SecondColumnX(1));
  EXPECT_TRUE(LB->ItemChain(0)->Next->Style.Contains(fsBold));
  EXPECT_GT(LB->RowHeight(), 0);
}

TEST_F(EditorWindowTest, HintLinesAndPlacement) {
  auto* H = new TEasyHint(Form);
  H->AfterConstruction();
  const TSize One = H->Window()->Measure("{\\b one}");
  const TSize Two = H->Window()->Measure("{\\b one}\r\n\r\ntwo");
  EXPECT_EQ(H->Window()->LineCount(), 2) << "the empty line leaves no gap";
  EXPECT_EQ(Two.cy, 2 * One.cy);
  H->ActivateHintAtPos(TPoint{Screen->Width() - 5, Screen->Height() - 5}, "near the corner");
  ASSERT_TRUE(H->Visible());
  TRect R{};
  GetWindowRect(H->Window()->Handle(), &R);
  EXPECT_LE(R.Right, Screen->Width());
  EXPECT_LE(R.Bottom, Screen->Height());
  H->Window()->ActivateHint(Rect(10, -50, 60, -30), "above");
  GetWindowRect(H->Window()->Handle(), &R);
  EXPECT_EQ(R.Top, 0);
  H->CancelHint();
  EXPECT_FALSE(H->Visible());
}

TEST_F(EditorWindowTest, HintsHideAfterThePauseUnlessAutoHideIsOff) {
  TManualClock Clock;
  TScopedClock UseClock(Clock);
  auto* H = new TEasyHint(Form);
  H->AfterConstruction();
  int Changes = 0;
  H->OnVisibleChanged = [&](TObject*) { ++Changes; };
  // One tick comes per interval the clock moves on.
  auto Wait = [&](int Ms) {
    for (int T = 0; T < Ms; T += H->Interval()) {
      Harness::Advance(Clock, static_cast<UInt64>(H->Interval()));
    }
  };
  H->ActivateHintAtPos(TPoint{100, 100}, "text");
  EXPECT_TRUE(H->Visible());
  Wait(Hints().HintHidePause / 2);
  EXPECT_TRUE(H->Visible());
  Wait(Hints().HintHidePause);
  EXPECT_FALSE(H->Visible());
  H->AutoHide = false;
  H->ActivateHintAtPos(TPoint{100, 100}, "text");
  Wait(Hints().HintHidePause * 3);
  EXPECT_TRUE(H->Visible());
  H->CancelHint();
  EXPECT_GE(Changes, 3);
}

// ---- brackets ----

TEST_F(Completion, TheBracketKeyJumpsToThePartner) {
  SetText("f(a, (b))\r\nx");
  MoveTo(1, 0);
  Edit->FindBracket();
  EXPECT_EQ(Caret(), (TPoint{8, 0}));
  Edit->FindBracket();
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  MoveTo(2, 0);
  Edit->FindBracket();
  EXPECT_EQ(Caret(), (TPoint{2, 0})) << "a letter does nothing";
}

TEST_F(Completion, TheInnermostEnclosingPairIsHighlighted) {
  SetText("a ( b [ c ] d\r\n e ) [x]");
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoHighlightBrackets);
  Edit->SetOptions(O);
  MoveTo(8, 0);
  EXPECT_EQ(Edit->BracketPos1, (TPoint{6, 0}));
  EXPECT_EQ(Edit->BracketPos2, (TPoint{10, 0}));
  EXPECT_TRUE(Edit->CheckBrackets(0, 6));
  MoveTo(12, 0);
  EXPECT_EQ(Edit->BracketPos1, (TPoint{2, 0})) << "past the square bracket: the parentheses";
  EXPECT_EQ(Edit->BracketPos2, (TPoint{3, 1}));
  MoveTo(0, 0);
  EXPECT_EQ(Edit->BracketPos1, (TPoint{-1, -1}));
  EXPECT_FALSE(Edit->CheckBrackets(0, 2));
}

// ---- the scroll hint ----

TEST_F(Completion, DraggingTheThumbShowsTheLineBesideTheScrollBar) {
  std::string Lines;
  for (int I = 0; I < 300; ++I) {
    Lines += "line\r\n";
  }
  SetText(Lines);
  Edit->SetScrollBars(ssVertical);
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoShowScrollHint);
  O.Include(eoThumbTracking);
  Edit->SetOptions(O);
  std::string Shown;
  Edit->OnScrollHint = [&](TObject*, int Line, int Page, std::string& S) {
    Shown = S;
    EXPECT_EQ(Line, 41);
    EXPECT_EQ(Page, 0);
  };
  Edit->SetWindowLine(41);
  Edit->ProcessVScroll(SB_THUMBTRACK, 41);
  EXPECT_EQ(Shown, "\\rtf\\b Line : \\b0 42 ");
  TEasyHint* H = Edit->PopupHint();
  ASSERT_TRUE(H->Visible());
  EXPECT_FALSE(H->AutoHide);
  const TPoint ClientRight = Edit->ClientToScreen(TPoint{Edit->ClientWidth(), 0});
  EXPECT_EQ(Edit->ScrollHintRect.Right, ClientRight.X);
  ASSERT_EQ(H->Window()->LineCount(), 1);
  EXPECT_EQ(H->Window()->Line(0)->Next->Text, "Line : ");
  Edit->ProcessVScroll(SB_ENDSCROLL, 0);
  EXPECT_FALSE(H->Visible());
}

TEST_F(Completion, WithPagesTheScrollHintNamesThePage) {
  SetText("a\r\nb\r\nc");
  Edit->SetPageType(ptPageBreaks);
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoShowScrollHint);
  O.Include(eoThumbTracking);
  Edit->SetOptions(O);
  std::string Shown;
  Edit->OnScrollHint = [&](TObject*, int, int, std::string& S) { Shown = S; };
  Edit->ProcessVScroll(SB_THUMBTRACK, 0);
  EXPECT_EQ(Shown, "\\rtf\\b Page : \\b0 1, \\b Line : \\b0 1 ");
}

}  // namespace

namespace {

// Whether any pixel of R in the bitmap has the colour.
bool HasColour(TBitmap& B, const TRect& R, TColor C) {
  const COLORREF Want = ColorToRGB(C);
  for (int Y = R.Top; Y < R.Bottom; ++Y) {
    for (int X = R.Left; X < R.Right; ++X) {
      if (ColorToRGB(B.Canvas()->Pixels(X, Y)) == Want) {
        return true;
      }
    }
  }
  return false;
}

TEST(RtfPainter, RunsKeepTheirColourUnlessTheCanvasColourIsKept) {
  Harness::Start();
  TEasyRtfPainter Painter;
  TFont Base;
  Base.SetName("Courier New");
  Base.SetSize(14);
  Painter.AssignFont(&Base);
  TEasyRtfInfo* Head = Painter.AddRtfString("{\\colortbl;\\red255\\green0\\blue0;}{\\cf1\\b MMM}|{\\i WW}");
  ASSERT_NE(Head->Next, nullptr);
  EXPECT_EQ(Head->Next->Color, static_cast<TColor>(0x0000FF));
  EXPECT_GT(Head->Width, 0);
  TBitmap B;
  B.SetSize(Head->Width + 10, Head->Height + 4);
  const TRect R = Rect(0, 0, B.Width(), B.Height());
  B.Canvas()->SetFont(&Base);
  B.Canvas()->Brush()->SetColor(clWhite);
  B.Canvas()->Font()->SetColor(static_cast<TColor>(0x00FF00));
  // Selected items keep the canvas colour (the selection text colour): no red at all.
  Painter.PaintToCanvas(B.Canvas(), R, true, true, Head);
  const TRect First = Rect(0, 0, Head->Next->Width, B.Height());
  EXPECT_FALSE(HasColour(B, First, static_cast<TColor>(0x0000FF)));
  EXPECT_TRUE(HasColour(B, First, static_cast<TColor>(0x00FF00)));
  Painter.PaintToCanvas(B.Canvas(), R, false, true, Head);
  EXPECT_TRUE(HasColour(B, First, static_cast<TColor>(0x0000FF)));
  // The column break itself is left blank.
  TEasyRtfInfo* Bar = Head->Next->Next;
  ASSERT_EQ(Bar->Text, "|");
  const TRect BarCell = Rect(Head->Next->Width, 0, Head->Next->Width + Bar->Width, B.Height());
  EXPECT_FALSE(HasColour(B, BarCell, static_cast<TColor>(0x00FF00)));
  EXPECT_FALSE(HasColour(B, BarCell, clBlack));
  EXPECT_EQ(Painter.ChainCount(), 1);
  Painter.DestroyItems();
  EXPECT_EQ(Painter.ChainCount(), 0);
}

}  // namespace
