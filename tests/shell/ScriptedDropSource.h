// A drop source for drag tests of the shell controls: it walks a script of input steps, one per check of the drag
// loop, and then hands the checks to the control's own drop source.
#pragma once

#include "shell/Uptdragdrop.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace ShellTest {

class TScriptedDropSource final : public IDropSource {
public:
  // Takes the reference to Inner; Script must outlive the drag.
  TScriptedDropSource(IDropSource_NRC* AInner, std::vector<std::function<void()>>& AScript)
      : Inner(AInner), Script(AScript) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++Refs; }
  ULONG Release() override {
    const ULONG R = --Refs;
    if (R == 0) {
      Inner->Release();
      delete this;
    }
    return R;
  }
  HRESULT QueryContinueDrag(BOOL Esc, DWORD Keys) override {
    if (Step < Script.size()) {
      Script[Step++]();
      return S_OK;
    }
    return Inner->QueryContinueDrag(Esc, Keys);
  }
  HRESULT GiveFeedback(DWORD E) override { return Inner->GiveFeedback(E); }

private:
  ~TScriptedDropSource() = default;
  IDropSource_NRC* Inner;
  std::vector<std::function<void()>>& Script;
  std::size_t Step = 0;
  ULONG Refs = 1;
};

}  // namespace ShellTest
