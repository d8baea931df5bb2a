// The code editor's five keyboard layouts as tables: for each layout the binding found for a key in a state is
// the command the layout names, of the control or of its memo source, with the next state it names. A small
// control stands in for the editor: it has the editor's command names and shows one memo source.
#include "codeeditor/Vuvudikeys.h"
#include "tests/support/Forms.h"

using namespace Vuvudi;
using Dcstring::TCustomMemoSource;
using Dorazori::TKeyboardMethod;

namespace {

class TKeysMemo : public Dccommon::ZEZCustomControl {
  Z_CLASS(TKeysMemo, ZEZCustomControl)
public:
  explicit TKeysMemo(TComponent* AOwner) : ZEZCustomControl(AOwner), FSource(new Dcstring::TMemoSource(this)) {}
  TCustomMemoSource* GetSource() const { return FSource; }
  void MemoCursorUp() {}
  void MemoCursorDown() {}
  void MemoCursorLeft() {}
  void MemoCursorRight() {}
  void PageUp() {}
  void PageDown() {}
  void ProcessEscape() {}
  void ShowCodeTemplates() {}
  void MemoMarkDown() {}
  void MemoMarkUp() {}
  void MemoMarkLeft() {}
  void MemoMarkToLineBegin() {}
  void MemoMarkToLineEnd() {}
  void MarkPageUp() {}
  void MarkPageDown() {}
  void MarkToTop() {}
  void MarkToBottom() {}
  void MarkColPageUp() {}
  void MarkColPageDown() {}
  void MarkColToTop() {}
  void MarkColToBottom() {}
  void MemoJumpToLineEnd() {}
  void MemoJumpToLineBegin() {}
  void JumpToScreenTop() {}
  void JumpToScreenBottom() {}
  void CutToClipboard() {}
  void CopyToClipboard() {}
  void PasteFromClipboard() {}
  void PromptedGotoLine() {}
  void ScrollUp() {}
  void ScrollDown() {}
  void CenterScreenOnLine() {}

protected:
  void InitDefaultKeyMapping() override { InitDefaultKeyboardFor(this); }

private:
  TCustomMemoSource* FSource;
};
Z_IMPLEMENT_CLASS(TKeysMemo, ZEZCustomControl)

template <void (*Init)(TKeysMemo*)>
void Layout(TObject* Control) {
  Init(static_cast<TKeysMemo*>(Control));
}

const bool Registered = [] {
  Dorazori::RegisterKeyboardInitProc(TKeysMemo::StaticClass(), "Classic", &Layout<&InitClassicKeyboardFor>);
  Dorazori::RegisterKeyboardInitProc(TKeysMemo::StaticClass(), "Brief", &Layout<&InitBriefKeyboardFor>);
  Dorazori::RegisterKeyboardInitProc(TKeysMemo::StaticClass(), "Epsilon", &Layout<&InitEpsilonKeyboardFor>);
  Dorazori::RegisterKeyboardInitProc(TKeysMemo::StaticClass(), "Visual Studio", &Layout<&InitVisualStudioKeyboardFor>);
  return true;
}();

class KeyboardLayouts : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    TFormTest::SetUp();
    (void)Registered;
    Memo = TestSupport::Make<TKeysMemo>(Form);
  }
  struct Row {
    const char* Layout;
    std::int8_t State;
    Word Key;
    TShiftState Shift;
    TKeyboardMethod Expected;  // empty: a prefix key (Next > 0) or no binding at all (Next < 0)
    int Next;
  };
  void Check(const std::vector<Row>& Rows) {
    for (const Row& R : Rows) {
      Memo->SetKeyMapping(R.Layout);
      Dorazori::TKeyData* D = Memo->KeyList()->FindKeyData(R.Key, R.Shift, R.State);
      const std::string Where = std::string(R.Layout) + " state " + std::to_string(R.State) + " key " +
                                std::to_string(R.Key) + " shift " + (R.Shift.Contains(ssCtrl) ? "C" : "") +
                                (R.Shift.Contains(ssAlt) ? "A" : "") + (R.Shift.Contains(ssShift) ? "S" : "");
      if (R.Next < 0) {
        EXPECT_EQ(D, nullptr) << Where;
        continue;
      }
      ASSERT_NE(D, nullptr) << Where;
      EXPECT_TRUE(D->Action == R.Expected) << Where;
      EXPECT_EQ(D->NextState, R.Next) << Where;
    }
  }
  TKeysMemo* Memo = nullptr;
};

#define CM(Name) TKeyboardMethod::Of<&TKeysMemo::Name>(Memo)
#define SM(Name) TKeyboardMethod::Of<&TCustomMemoSource::Name>(Memo->GetSource())

const TShiftState None{}, Shift{ssShift}, Ctrl{ssCtrl}, Alt{ssAlt};
const TShiftState CShift{ssCtrl, ssShift}, AShift{ssAlt, ssShift}, CAShift{ssCtrl, ssAlt, ssShift};

TEST_F(KeyboardLayouts, DefaultLayoutBindsItsOwnKeysAndTheSharedGroups) {
  Check({
      {"Default", 0, 'K', Ctrl, {}, 1},
      {"Default", 1, 'B', None, SM(MarkBlockBegin), 0},
      {"Default", 1, 'K', Ctrl, SM(MarkBlockEnd), 0},
      {"Default", 1, 'X', None, {}, -1},
      {"Default", 1, VK_UP, None, CM(MemoCursorUp), 0},
      {"Default", 2, VK_HOME, Ctrl, SM(JumpToFileBegin), 0},
      {"Default", 0, 'A', Ctrl, SM(SelectAll), 0},
      {"Default", 0, 'C', Ctrl, CM(CopyToClipboard), 0},
      {"Default", 0, VK_F3, None, SM(KeyFindNext), 0},
      {"Default", 0, VK_DOWN, Ctrl, CM(ScrollDown), 0},
      {"Default", 0, 'Y', CShift, SM(DeleteToLineEnd), 0},
      {"Default", 0, VK_RIGHT, Shift, SM(MarkRight), 0},
      {"Default", 0, VK_NEXT, AShift, CM(MarkColPageDown), 0},
      {"Default", 0, VK_NEXT, CAShift, SM(MarkColToFileEnd), 0},
      {"Default", 0, '1', Ctrl, SM(GoToBookMark1), 0},
      {"Default", 0, '0', CShift, SM(ToggleBookMark0), 0},
      {"Default", 1, '7', None, SM(ToggleBookMark7), 0},
      {"Default", 2, '3', Ctrl, SM(GoToBookMark3), 0},
      {"Default", 0, 'O', Ctrl, {}, 5},
      {"Default", 5, 'G', Ctrl, CM(PromptedGotoLine), 0},
      {"Default", 2, 'F', Ctrl, SM(ShowSearchDialog), 0},
      {"Default", 2, 'X', Ctrl, CM(JumpToScreenBottom), 0},
      {"Default", 0, VK_OPENBRACKET, Ctrl, SM(FindNextBracket), 0},
      {"Default", 0, 'J', Ctrl, CM(ShowCodeTemplates), 0},
      {"Default", 0, VK_ESCAPE, None, CM(ProcessEscape), 0},
  });
}

TEST_F(KeyboardLayouts, ClassicBriefEpsilonAndVisualStudio) {
  Check({
      // Group 6 comes after the layout's own Ctrl+A (word left) and wins.
      {"Classic", 0, 'A', Ctrl, SM(SelectAll), 0},
      {"Classic", 0, 'E', Ctrl, SM(CursorUp), 0},
      {"Classic", 0, VK_HOME, Ctrl, CM(JumpToScreenTop), 0},
      {"Classic", 3, VK_NEXT, Ctrl, SM(JumpToFileEnd), 0},
      // Brief's marking modes keep their state; Esc ends them. The arrows and page keys of the modes win over
      // the cursor group's every-state bindings, which would end a mode on its first key.
      {"Brief", 0, 'A', Alt, SM(MarkBriefRight), 6},
      {"Brief", 6, VK_UP, None, SM(MarkUp), 6},
      {"Brief", 6, VK_NEXT, None, CM(MarkPageDown), 6},
      {"Brief", 6, VK_ESCAPE, None, SM(ClearSelection), 0},
      {"Brief", 6, 'X', None, {}, -1},
      {"Brief", 0, 'C', Alt, SM(MarkBriefColRight), 7},
      {"Brief", 7, VK_LEFT, None, SM(MarkColLeft), 7},
      {"Brief", 0, VK_HOME, None, CM(MemoJumpToLineBegin), 8},
      {"Brief", 8, VK_HOME, None, SM(JumpToFileBegin), 0},
      {"Brief", 8, VK_END, None, SM(JumpToFileEnd), 0},
      {"Brief", 0, VK_SUBTRACT, None, CM(CutToClipboard), 0},
      {"Brief", 0, '4', Alt, SM(ToggleBookMark4), 0},
      {"Brief", 3, '4', Alt, SM(GoToBookMark4), 0},
      {"Brief", 0, 'K', Ctrl, SM(DeleteToLineBegin), 0},
      {"Brief", 1, 'B', None, {}, -1},
      {"Epsilon", 0, 'X', Ctrl, {}, 4},
      {"Epsilon", 4, 'U', Ctrl, SM(Undo), 0},
      {"Epsilon", 4, 'R', Ctrl, SM(Redo), 0},
      {"Epsilon", 0, VK_HOME, None, CM(JumpToScreenTop), 0},
      {"Epsilon", 0, 'A', Ctrl, CM(MemoJumpToLineBegin), 0},
      {"Epsilon", 2, '5', None, SM(GoToBookMark5), 0},
      {"Visual Studio", 0, 'Q', Ctrl, {}, 2},
      {"Visual Studio", 2, VK_OPENBRACKET, None, SM(NextBracket), 0},
      {"Visual Studio", 0, VK_CLOSEBRACKET, Alt, SM(PrevBracket), 0},
      // In state 1 group 2's word commands override the layout's block case commands.
      {"Visual Studio", 1, 'E', Ctrl, SM(LowerCaseWord), 0},
      {"Visual Studio", 1, 'F', Ctrl, SM(UpperCaseWord), 0},
      {"Visual Studio", 0, 'H', Ctrl, SM(ShowReplaceDialog), 0},
  });
}

TEST_F(KeyboardLayouts, EveryLayoutStartsFromAnEmptyMap) {
  const int DefaultCount = Memo->KeyList()->Count();
  Memo->SetKeyMapping("Brief");
  EXPECT_NE(Memo->KeyList()->Count(), DefaultCount);
  Memo->SetKeyMapping("Default");
  EXPECT_EQ(Memo->KeyList()->Count(), DefaultCount);
  EXPECT_EQ(Memo->KeyList()->FindKeyData('A', Alt, 0), nullptr);
  EXPECT_EQ(Memo->KeyList()->FindKeyData('C', Alt, 0), nullptr);
}

TEST_F(KeyboardLayouts, BindingsHoldTheSourceOfTheMomentTheyWereAdded) {
  Dorazori::TKeyData* D = Memo->KeyList()->FindKeyData(VK_DELETE, None, 0);
  ASSERT_NE(D, nullptr);
  EXPECT_EQ(D->Action.Object(), Memo->GetSource());
  D = Memo->KeyList()->FindKeyData(VK_UP, None, 0);
  ASSERT_NE(D, nullptr);
  EXPECT_EQ(D->Action.Object(), Memo);
}

}  // namespace
