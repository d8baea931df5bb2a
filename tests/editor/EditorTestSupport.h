// Shared fixtures of the editor component's tests: a small highlighter, a notification recorder and
// a typing helper.
#pragma once

#include "editor/Easyeditsource.h"
#include "platform/rtl/Exceptions.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Components are torn down through delete (their teardown runs in BeforeDestruction), so tests hold them
// on the heap.
template <class T> class TOwned {
public:
  template <class... A> explicit TOwned(A&&... Args) : FPtr(new T(std::forward<A>(Args)...)) {}
  T& operator*() const { return *FPtr; }
  T* operator->() const { return FPtr.get(); }
  T* get() const { return FPtr.get(); }

private:
  std::unique_ptr<T> FPtr;
};

// Words get style 1, double-quoted strings style 2 (a string may run over line ends: state 1), anything
// else style 0. Style 3 is named "turl" only when asked for.
class TTestParser : public TCustomEasyParser {
public:
  explicit TTestParser(bool WithUrlStyle = false) : TCustomEasyParser(nullptr), FWithUrl(WithUrlStyle) {}
  int Calls = 0;
  bool ThrowOnLex = false;

  int ParseString(int& State, const std::string& Line, int& Pos) override {
    ++Calls;
    if (ThrowOnLex) {
      throw Exception("lexer failure");
    }
    const int N = static_cast<int>(Line.size());
    auto At = [&](int I) { return Line[static_cast<std::size_t>(I - 1)]; };
    if (State == 1 || At(Pos) == '"') {
      int I = State == 1 ? Pos : Pos + 1;
      while (I <= N && At(I) != '"') {
        ++I;
      }
      State = I <= N ? 0 : 1;
      Pos = I <= N ? I + 1 : N + 1;
      return 2;
    }
    if (InCharSet(At(Pos), ValueSet)) {
      while (Pos <= N && InCharSet(At(Pos), ValueSet)) {
        ++Pos;
      }
      return 1;
    }
    ++Pos;
    return 0;
  }
  Integer GetColor(int) override { return 0; }
  Integer GetDefaultColor() override { return 0; }
  int GetStyleCount() override { return FWithUrl ? 4 : 3; }
  int GetStyleByName(const std::string& Name) override {
    if (Name == "tstring") {
      return 2;
    }
    if (Name == "turl" && FWithUrl) {
      return 3;
    }
    return -1;
  }

private:
  bool FWithUrl;
};

// Records what a source tells one attached editor.
class TNotifyRecorder {
public:
  explicit TNotifyRecorder(TCustomEasyEditSource* ASource) : FSource(ASource) {
    FSource->RegisterNotifier(Method());
  }
  ~TNotifyRecorder() { FSource->UnRegisterNotifier(Method()); }
  TNotifyRecorder(const TNotifyRecorder&) = delete;
  TNotifyRecorder& operator=(const TNotifyRecorder&) = delete;

  int Brackets = 0;  // notifications with Data 0
  int Other = 0;
  TEasyEditSourceStates LastState;
  std::vector<TEasyEditSourceStates> States;
  void Reset() {
    Brackets = Other = 0;
    States.clear();
  }

private:
  TEasyNotifyMethod Method() {
    return TEasyNotifyMethod(this, &TNotifyRecorder::SourceChanged);
  }
  void SourceChanged(TObject*, NativeInt Data) {
    if (Data == 0) {
      ++Brackets;
      LastState = FSource->State;
      States.push_back(FSource->State);
    } else {
      ++Other;
    }
  }
  TCustomEasyEditSource* FSource;
};

// Types text the way the editor does: each character is inserted and the caret moved past it in one bracket.
inline void TypeText(TCustomEasyEditSource& Source, const std::string& Text) {
  for (char C : Text) {
    Source.BeginSourceUpdate(oprInsert);
    Source.InsertString(std::string(1, C));
    Source.Navigate(1, 0);
    Source.EndSourceUpdate();
  }
}

inline std::vector<std::string> Lines(TEasyStrings* S) {
  std::vector<std::string> Result;
  for (int I = 0; I < S->Count(); ++I) {
    Result.push_back(S->GetStr(I));
  }
  return Result;
}
