// A memo source in fresh folders for the text model's tests, with helpers that type, load and read it back, and
// a listener that records its change notifications.
#pragma once

#include "codeeditor/Dcstring.h"
#include "tests/suitebase/SuiteEnvironment.h"

#include <memory>
#include <string>
#include <vector>

// Records every notification of the memo sources it listens to.
class TMemoListener : public TComponent {
  Z_CLASS(TMemoListener, TComponent)
public:
  explicit TMemoListener(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  struct TCall {
    Dcstring::TMemoStates State;
    Integer First;
    Integer Last;
  };
  void Notify(TObject* Sender, NativeInt A, NativeInt B) {
    Calls.push_back(
        {static_cast<Dcstring::TCustomMemoSource*>(Sender)->State, static_cast<Integer>(A), static_cast<Integer>(B)});
  }
  Dcstring::TMemoNotifyProc Method() { return Dcstring::TMemoNotifyProc::Of<&TMemoListener::Notify>(this); }
  std::vector<TCall> Calls;
};

class MemoTest : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    M = std::make_unique<Dcstring::TMemoSource>(nullptr);
  }
  void TearDown() override {
    M.reset();
    SuiteFolders::TearDown();
  }
  // Lines separated by "\n" as the stored text.
  void Load(const std::string& Text) { M->Lines()->SetText(Text); }
  // The stored lines joined with "\n".
  std::string Text() const {
    std::string R;
    for (Integer I = 0; I < M->GetStrCount(); ++I) {
      R += (I > 0 ? "\n" : "") + M->GetRaw(I);
    }
    return R;
  }
  // Types S as an editor does: one update per character, inserted at the caret, the caret moved behind it.
  void Type(const std::string& S) { TypeInto(M.get(), S); }
  static void TypeInto(Dcstring::TCustomMemoSource* Memo, const std::string& S) {
    for (char C : S) {
      Memo->BeginUpdate(Dcstring::Reason::Insert);
      Memo->CheckOverwriteBlock();
      if (Memo->Insert(std::string(1, C))) {
        if (C == '\t') {
          Memo->TabCursorRight();
        } else {
          Memo->Navigate(0, 1);
        }
      }
      Memo->EndUpdate();
    }
  }
  TPoint Caret() const { return M->GetCaretPoint(); }
  std::unique_ptr<Dcstring::TMemoSource> M;
};
