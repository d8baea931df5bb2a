// Replayed editing sessions on a source file of this tree: random typing, Enter, Backspace, Delete and pastes
// checked after every step against a plain list of lines, and a longer session of block, case, tab and replace
// commands checked for its invariants, both undone and redone completely at the end.
#include "codeeditor/Dcstring.h"

#include "platform/graphics/Clipbrd.h"
#include "tests/codeeditor/MemoFixture.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <random>

using namespace Dcstring;

Z_IMPLEMENT_CLASS(TMemoListener, TComponent)

namespace {
// Keeps colours as part of the document, so that every edit must carry them along.
class TKeepingParser : public Dorazori::TSimpleParser {
  Z_CLASS(TKeepingParser, Dorazori::TSimpleParser)
public:
  explicit TKeepingParser(TComponent* AOwner) : Dorazori::TSimpleParser(AOwner) {}
  Integer ColorString(const std::string&, Integer State, std::string&) override { return State; }
  bool StoreColorData() override { return true; }
  void PrepareColorData(Integer, const std::string& S, std::string& ColorData) override { ColorData.resize(S.size()); }
};

class ReplayTest : public MemoTest {
protected:
  void SetUp() override {
    MemoTest::SetUp();
    M->KeepTrailingBlanks = true;
    TStringsOptions O = M->Options();
    O.Exclude(soAutoIndent);
    O.Exclude(soBackUnindents);
    M->SetOptions(O);
    M->LoadFromFile(std::string(ZUBQ_SOURCE_DIR) + "/codeeditor/Dcstringblocks.cpp");
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> R;
    for (Integer I = 0; I < M->GetStrCount(); ++I) {
      R.push_back(M->GetRaw(I));
    }
    return R;
  }
  std::mt19937 Random{20261211};
  Integer Pick(Integer N) { return N <= 0 ? 0 : static_cast<Integer>(Random() % static_cast<unsigned>(N)); }
};

void Normalise(std::vector<std::string>& L) {
  if (L.size() == 1 && L[0].empty()) {
    L.clear();
  }
}
}  // namespace

Z_IMPLEMENT_CLASS(TKeepingParser, Dorazori::TSimpleParser)

TEST_F(ReplayTest, RandomTypingAgreesWithAPlainListOfLines) {
  std::vector<std::string> Ref = Lines();
  const std::vector<std::string> Loaded = Ref;
  const char* Pastes[] = {"one", "two\r\nthree", "a\r\nb\r\nc", "tail\r\n"};
  for (int Step = 0; Step < 4000; ++Step) {
    if (Ref.empty()) {
      Ref.push_back("");
    }
    const Integer Line = Pick(static_cast<Integer>(Ref.size()));
    const Integer Col = Pick(static_cast<Integer>(Ref[static_cast<std::size_t>(Line)].size()) + 1);
    M->JumpTo(Col, Line);
    std::string& L = Ref[static_cast<std::size_t>(Line)];
    const auto C = static_cast<std::size_t>(Col);
    const int Kind = Pick(10);
    if (Kind < 5) {
      const char Ch = static_cast<char>('a' + Pick(26));
      Type(std::string(1, Ch));
      L.insert(C, 1, Ch);
    } else if (Kind == 5) {
      M->PressEnter();
      const std::string Rest = L.substr(C);
      L.erase(C);
      Ref.insert(Ref.begin() + Line + 1, Rest);
    } else if (Kind == 6) {
      M->DeleteCharLeft();
      if (C > 0) {
        L.erase(C - 1, 1);
      } else if (Line > 0) {
        Ref[static_cast<std::size_t>(Line - 1)] += L;
        Ref.erase(Ref.begin() + Line);
      }
    } else if (Kind == 7) {
      M->DeleteCharRight();
      if (C < L.size()) {
        L.erase(C, 1);
      } else if (Line + 1 < static_cast<Integer>(Ref.size())) {
        L += Ref[static_cast<std::size_t>(Line + 1)];
        Ref.erase(Ref.begin() + Line + 1);
      }
    } else {
      const std::string Paste = Pastes[Pick(4)];
      Clipboard()->SetAsText(Paste);
      M->PasteBlock();
      TStringList P;
      P.SetText(Paste);
      if (Paste.back() == '\n') {
        P.Add("");
      }
      const std::string Rest = L.substr(C);
      L.erase(C);
      L += P.Strings(0);
      for (Integer I = 1; I < P.Count(); ++I) {
        Ref.insert(Ref.begin() + Line + I, P.Strings(I));
      }
      Ref[static_cast<std::size_t>(Line + P.Count() - 1)] += Rest;
    }
    Normalise(Ref);
    ASSERT_EQ(Lines(), Ref) << "step " << Step << " kind " << Kind;
  }
  const std::vector<std::string> Edited = Lines();
  while (M->UndoAvailable()) {
    M->Undo();
  }
  EXPECT_EQ(Lines(), Loaded);
  while (M->RedoAvailable()) {
    M->Redo();
  }
  EXPECT_EQ(Lines(), Edited);
}

TEST_F(ReplayTest, ALongSessionKeepsItsInvariants) {
  TKeepingParser Parser(nullptr);
  M->SetSyntaxParser(&Parser);
  TMemoListener Listener;
  M->RegisterNotifier(Listener.Method(), false);
  const std::vector<std::string> Loaded = Lines();
  GetSearchOptions()->TextToFind = "Integer";
  GetSearchOptions()->ReplaceWith = "Int";
  for (int Step = 0; Step < 1500; ++Step) {
    const std::vector<std::string> Before = Lines();
    Listener.Calls.clear();
    const Integer Count = std::max<Integer>(M->GetStrCount(), 1);
    const Integer Line = Pick(Count);
    M->JumpTo(Pick(static_cast<Integer>(M->GetRaw(Line).size()) + 1), Line);
    TStringsOptions O = M->Options();
    if (Pick(2) == 0) {
      O.Include(soUseTabCharacter);
    } else {
      O.Exclude(soUseTabCharacter);
    }
    M->SetOptions(O);
    const int Kind = Pick(16);
    switch (Kind) {
      case 0: Type("x y"); break;
      case 1: M->PressEnter(); break;
      case 2: M->DeleteCharLeft(); break;
      case 3: M->DeleteWordRight(); break;
      case 4: M->DeleteLine(); break;
      case 5: M->PressTab(); break;
      case 6: M->PressShiftTab(); break;
      case 7:
      case 8: {
        const bool Column = Kind == 8;
        for (int I = Pick(3); I >= 0; --I) {
          Column ? M->MarkColDown() : M->MarkDown();
        }
        for (int I = Pick(5); I >= 0; --I) {
          Column ? M->MarkColRight() : M->MarkRight();
        }
        M->CutBlock();
        M->JumpTo(0, Pick(std::max<Integer>(M->GetStrCount(), 1)));
        M->PasteBlock();
        break;
      }
      case 9:
        M->MarkDown();
        M->MarkRight();
        M->CopyBlock();
        M->JumpTo(1, Pick(Count));
        M->PasteBlock();
        break;
      case 10: {
        M->MarkDown();
        M->MarkRight();
        const TRect R = M->GetSelectionRect();
        TStringsOptions P = M->Options();
        P.Include(soPersistentBlocks);
        M->SetOptions(P);
        M->JumpTo(0, Pick(Count));
        M->MoveBlock();
        P.Exclude(soPersistentBlocks);
        M->SetOptions(P);
        (void)R;
        break;
      }
      case 11:
        M->MarkWordRight();
        M->UpperCaseBlock();
        break;
      case 12: M->ToggleLineCase(); break;
      case 13: M->CapitalizeWord(); break;
      case 14:
        GetSearchOptions()->ReplaceAll = false;
        M->Replace();
        break;
      default: M->DeleteWordLeft(); break;
    }
    // The caret and the selection stay in range.
    const std::vector<std::string> After = Lines();
    // Every changed line lies in a notified range.
    for (std::size_t I = 0; I < std::max(Before.size(), After.size()); ++I) {
      const bool Changed = I >= Before.size() || I >= After.size() || Before[I] != After[I];
      if (!Changed) {
        continue;
      }
      bool Covered = false;
      for (const auto& Call : Listener.Calls) {
        Covered = Covered || (Call.First <= static_cast<Integer>(I) && static_cast<Integer>(I) <= Call.Last) ||
                  (I >= After.size() && Call.State.Contains(msCountChanged));
      }
      ASSERT_TRUE(Covered) << "line " << I << " step " << Step << " kind " << Kind;
    }
    // Colour data is as long as its line.
    for (Integer I = 0; I < M->GetStrCount(); ++I) {
      const TStringItem* Item = M->GetStringItem(I);
      if (Item->ItemState.Contains(isWasParsed)) {
        ASSERT_EQ(Item->ColorData.size(), Item->Text.size()) << "line " << I << " step " << Step << " kind " << Kind;
      }
    }
  }
  const std::vector<std::string> Edited = Lines();
  while (M->UndoAvailable()) {
    M->Undo();
  }
  EXPECT_EQ(Lines(), Loaded);
  while (M->RedoAvailable()) {
    M->Redo();
  }
  EXPECT_EQ(Lines(), Edited);
  M->UnregisterNotifier(Listener.Method());
  M->SetSyntaxParser(nullptr);
}
