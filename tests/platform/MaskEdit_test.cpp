// The masked edit: the mask language through FormatMaskText, typing over the mask (literals, case, refused
// characters, blanks, saved and stripped literals), Backspace and Delete, paste, validation on leaving with its
// error and caret, Escape, and a masked edit read from a form file.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/Mask.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/rtl/DateUtils.h"

#include <gtest/gtest.h>

namespace {

std::string Sep(const char* Text) {
  // '/' and ':' in expectations stand for the locale's separators, as they do in masks.
  std::string S = Text;
  for (char& C : S) {
    if (C == '/') {
      C = DateSeparator;
    } else if (C == ':') {
      C = TimeSeparator;
    }
  }
  return S;
}

TEST(FormatMaskText, LaysValuesIntoMasks) {
  struct Case {
    const char* Mask;
    const char* Value;
    std::string Expected;
  };
  const Case Cases[] = {
      {"(000) 000-0000;0;_", "5551234567", "(555) 123-4567"},
      {"(000) 000-0000;1;_", "(555) 123-4567", "(555) 123-4567"},
      {"(000) 000-0000;1;_", "5551234567", "(555) 123-4567"},  // literals missing from the value are supplied
      {">LL-00;1;_", "ab-12", "AB-12"},
      {"<LLL;0;_", "ABC", "abc"},
      {">L<ll<>L;0;_", "abcD", "AbcD"},
      {"000;0;_", "12", "12 "},
      {"!000;0;_", "12", " 12"},  // '!': a short value fills from the right
      {"000;0;_", "1_3", "1 3"},  // the blank character is an empty position
      {"\\(00\\);0;*", "42", "(42)"},
      {"00:00;1;_", "12:34", Sep("12:34")},
      {"99/99/0000;1;_", "01/02/2026", Sep("01/02/2026")},
      {"99/99/0000;1;_", "1/2/2026", Sep("1 /2 /2026")},  // each field ends at its literal
      {"!99/99/0000;1;_", "1/2/2026", Sep(" 1/ 2/2026")},  // '!': optional blanks lead
      {"", "as is", "as is"},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(FormatMaskText(C.Mask, C.Value), C.Expected) << C.Mask << " <- " << C.Value;
  }
}

TEST(FormatMaskText, ReadsTheMaskFields) {
  TParsedMask M = ParseEditMask("!>L\\L0;0;*");
  ASSERT_EQ(M.Positions.size(), 3u);
  EXPECT_TRUE(M.Leading);
  EXPECT_FALSE(M.SaveLiterals);
  EXPECT_EQ(M.Blank, '*');
  EXPECT_FALSE(M.Positions[0].Literal);
  EXPECT_EQ(M.Positions[0].Case, mcUpper);
  EXPECT_TRUE(M.Positions[1].Literal);
  EXPECT_EQ(M.Positions[1].Char, 'L');
  // Defaults: literals saved, '_' as the blank.
  M = ParseEditMask("00");
  EXPECT_TRUE(M.SaveLiterals);
  EXPECT_EQ(M.Blank, '_');
  EXPECT_TRUE(ParseEditMask(";1;_").Empty());
}

class MaskEdit : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 200);
    Edit = Make<TMaskEdit>("MaskEdit1", Rect(10, 10, 200, 31));
    Other = Make<TEdit>("Edit2", Rect(10, 50, 200, 71));
    Application->OnException = [this](TObject*, const std::exception& E) {
      Errors.push_back(E.what());
      ErrorIsEditError = dynamic_cast<const EDBEditError*>(&E) != nullptr;
    };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    delete Form;
  }
  template <class T> T* Make(const std::string& Name, TRect Bounds) {
    auto* C = new T(Form);
    C->AfterConstruction();
    C->SetName(Name);
    C->SetParent(Form);
    C->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    return C;
  }
  void ShowAndFocus() {
    Form->Show();
    Edit->SetFocus();
    Harness::RunUntilIdle();
    Edit->SetSelStart(0);
  }
  void Type(const std::string& Text) {
    Harness::TypeText(Text);
    Harness::RunUntilIdle();
  }
  void Key(WORD Vk, Harness::TMods Mods = {}) {
    Harness::KeyPress(Vk, Mods);
    Harness::RunUntilIdle();
  }

  TForm* Form = nullptr;
  TMaskEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  std::vector<std::string> Errors;
  bool ErrorIsEditError = false;
};

TEST_F(MaskEdit, TypingFillsTheInputPositionsAndStepsOverLiterals) {
  struct Case {
    const char* Mask;
    const char* Typed;
    std::string EditText;
    std::string Text;
    int Refused;  // characters the mask turned down (a beep each)
  };
  const Case Cases[] = {
      {"(000) 000-0000;0;_", "5551234567", "(555) 123-4567", "5551234567", 0},
      {"(000) 000-0000;1;_", "5551234567", "(555) 123-4567", "(555) 123-4567", 0},
      {">LL<ll;1;*", "abCD", "ABcd", "ABcd", 0},
      {"000;1;_", "1a2", "12_", "12 ", 1},
      {"LL;1;_", "a1b", "ab", "ab", 1},
      {"99/99;1;_", "12/34", Sep("12/34"), Sep("12/34"), 0},  // the separator typed after its field is taken
      {"AAA;0;_", "a-1b", "a1b", "a1b", 1},
      {"#99;0;_", "-7", "-7_", "-7 ", 0},
      {"000;1;_", "12345", "123", "123", 2},  // nothing fits past the end
  };
  ShowAndFocus();
  for (const Case& C : Cases) {
    Edit->SetEditMask(C.Mask);
    Edit->SetText("");
    Edit->SetSelStart(0);
    const int Beeps = MessageBeepCount();
    Type(Sep(C.Typed));
    EXPECT_EQ(Edit->EditText(), C.EditText) << C.Mask;
    EXPECT_EQ(Edit->GetText(), C.Text) << C.Mask;
    EXPECT_EQ(MessageBeepCount() - Beeps, C.Refused) << C.Mask;
  }
}

TEST_F(MaskEdit, TheMaskSetsTheLengthKeepsTheValueAndShowsBlanks) {
  Edit->SetText("12");
  Edit->SetEditMask("0-0;0;*");
  EXPECT_TRUE(Edit->IsMasked());
  EXPECT_EQ(Edit->MaxLength(), 3);
  EXPECT_EQ(Edit->EditText(), "1-2");
  Edit->SetText("9");
  EXPECT_EQ(Edit->EditText(), "9-*");
  EXPECT_EQ(Edit->GetText(), "9 ");
  Edit->SetEditMask("");
  EXPECT_FALSE(Edit->IsMasked());
  EXPECT_EQ(Edit->MaxLength(), 0);
  EXPECT_EQ(Edit->GetText(), "9 ");
  // Characters that do not fit are not taken into the edit text.
  Edit->SetEditMask("000;1;_");
  Edit->SetEditText("1x3");
  EXPECT_EQ(Edit->EditText(), "1_3");
}

TEST_F(MaskEdit, BackspaceAndDeletePutTheBlankBackAndTheCaretStaysOnInputPositions) {
  Edit->SetEditMask("000-000;1;_");
  int Changes = 0;
  Edit->OnChange = [&](TObject*) { ++Changes; };
  ShowAndFocus();
  Type("123456");
  EXPECT_EQ(Edit->EditText(), "123-456");
  EXPECT_EQ(Changes, 6);
  EXPECT_TRUE(Edit->Modified());
  EXPECT_EQ(Edit->SelStart(), 7);
  Key(VK_BACK);
  EXPECT_EQ(Edit->EditText(), "123-45_");
  EXPECT_EQ(Edit->SelStart(), 6);
  EXPECT_EQ(Edit->SelLength(), 1);  // the caret's character is selected
  Key(VK_BACK);
  Key(VK_BACK);
  EXPECT_EQ(Edit->EditText(), "123-___");
  EXPECT_EQ(Edit->SelStart(), 4);
  Key(VK_BACK);  // over the literal
  EXPECT_EQ(Edit->EditText(), "12_-___");
  EXPECT_EQ(Edit->SelStart(), 2);
  Key(VK_RIGHT);  // from 2 past the literal
  EXPECT_EQ(Edit->SelStart(), 4);
  Key(VK_LEFT);
  EXPECT_EQ(Edit->SelStart(), 2);
  Edit->SetSelStart(0);
  Key(VK_DELETE);
  EXPECT_EQ(Edit->EditText(), "_2_-___");
  EXPECT_EQ(Edit->SelStart(), 0);
  Edit->SetSelStart(3);  // on the literal: typing goes to the next input position
  Type("9");
  EXPECT_EQ(Edit->EditText(), "_2_-9__");
  // A selection is emptied by Delete, and by typing over it.
  Edit->SetText("123456");
  Edit->SelectAll();
  Key(VK_DELETE);
  EXPECT_EQ(Edit->EditText(), "___-___");
  Edit->SetText("123456");
  Edit->SetSelStart(1);
  Edit->SetSelLength(4);
  Type("7");
  EXPECT_EQ(Edit->EditText(), "17_-_56");
  EXPECT_EQ(Edit->SelStart(), 2);
  // A click before the first character leaves the caret on the first input position, past the literal.
  Edit->SetEditMask("(000);1;_");
  Harness::Click(Edit->Handle(), Point(1, Edit->ClientHeight() / 2));
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->SelStart(), 1);
  EXPECT_EQ(Edit->SelLength(), 1);
}

TEST_F(MaskEdit, PastedAndComposedTextIsTypedThroughTheMask) {
  Edit->SetEditMask("(000) 000-0000;0;_");
  ShowAndFocus();
  Clipboard()->SetAsText("(555) 12x3-4567 and more");
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->EditText(), "(555) 123-4567");
  EXPECT_TRUE(Edit->Modified());
  // Ctrl+V goes the same way, from the caret.
  Edit->SetText("");
  Edit->SetSelStart(6);
  Clipboard()->SetAsText("98-7");
  Key('V', {.Ctrl = true});
  EXPECT_EQ(Edit->EditText(), "(___) 987-____");
  // Text from an input method is typed through the mask as well.
  Edit->SetText("");
  Edit->SetSelStart(0);
  Harness::ImeCommit("12a3");
  Harness::RunUntilIdle();
  EXPECT_EQ(Edit->EditText(), "(123) ___-____");
  // Cut leaves blanks behind and puts the text on the clipboard.
  Edit->SetText("   987");
  Edit->SetSelStart(6);
  Edit->SetSelLength(3);
  Edit->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "987");
  EXPECT_EQ(Edit->EditText(), "(___) ___-____");
}

TEST_F(MaskEdit, LeavingWithARequiredPositionEmptyRaisesAndKeepsTheFocus) {
  Edit->SetEditMask("00/00;1;_");
  ShowAndFocus();
  Type("1");
  Other->SetFocus();
  Harness::RunUntilIdle();
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0], "Invalid input value.  Use escape key to abandon changes");
  EXPECT_TRUE(ErrorIsEditError);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->SelStart(), 1);
  // Optional positions may stay empty; the filled text passes.
  Type(Sep("2/3"));
  EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);
  EXPECT_EQ(Edit->SelStart(), 4);
  Type("4");
  EXPECT_NO_THROW(Edit->ValidateEdit());
  Other->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Other->Focused());
  // An unchanged text is not checked.
  Edit->SetEditMask("000;1;_");
  EXPECT_FALSE(Edit->Modified());
  EXPECT_NO_THROW(Edit->ValidateEdit());
}

TEST_F(MaskEdit, EscapeAbandonsTheChangesOfThisVisit) {
  Edit->SetEditMask("0000;1;_");
  Edit->SetText("1234");
  ShowAndFocus();
  Edit->SetSelStart(0);
  Type("99");
  EXPECT_EQ(Edit->EditText(), "9934");
  Key(VK_ESCAPE);
  EXPECT_EQ(Edit->EditText(), "1234");
  EXPECT_FALSE(Edit->Modified());
}

TEST_F(MaskEdit, AFormFileSetsTheMaskAndTheText) {
  RegisterClasses({TMaskEdit::StaticClass()});
  delete Edit;
  delete Other;
  TStringStream In(
      "object Form1: TForm\r\n"
      "  object Phone: TMaskEdit\r\n"
      "    Left = 8\r\n    Top = 8\r\n    Width = 120\r\n    Height = 21\r\n"
      "    EditMask = '!(999) 000-0000;1;_'\r\n"
      "    Text = '(555) 123-4567'\r\n"
      "  end\r\n"
      "end\r\n");
  TMemoryStream Bin;
  ObjectTextToBinary(&In, &Bin);
  Bin.SetPosition(0);
  Bin.ReadComponent(Form);
  auto* Phone = dynamic_cast<TMaskEdit*>(Form->FindComponent("Phone"));
  ASSERT_NE(Phone, nullptr);
  EXPECT_EQ(Phone->EditMask(), "!(999) 000-0000;1;_");
  EXPECT_EQ(Phone->MaxLength(), 14);
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(GetWindowTextString(Phone->Handle()), "(555) 123-4567");
  EXPECT_EQ(Phone->GetText(), "(555) 123-4567");
}

}  // namespace
