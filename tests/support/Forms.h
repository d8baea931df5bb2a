// Support for window tests: components made as the class library makes them, and a fixture with one form.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

namespace TestSupport {

// A component made as streaming makes it (constructed, then AfterConstruction), owned by Owner.
template <class T> T* Make(TComponent* Owner) {
  auto* C = new T(Owner);
  C->AfterConstruction();
  return C;
}

// A control made on Parent with the given bounds, owned by Owner.
template <class T> T* Make(TComponent* Owner, TWinControl* Parent, TRect Bounds) {
  auto* C = Make<T>(Owner);
  C->SetParent(Parent);
  C->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
  return C;
}

// A fixture with the harness started and one form of the application (not shown), freed after each test.
class TFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = Make<TForm>(Application);
    Form->SetBounds(40, 40, 320, 240);
  }
  void TearDown() override {
    delete Form;
    Form = nullptr;
  }
  TForm* Form = nullptr;
};

}  // namespace TestSupport
