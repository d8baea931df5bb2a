// Reading a layout with an error into an existing form: the components read before the error go with the
// container that is freed, nothing freed stays listed or referenced, and the form stays whole and usable.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

class TReadErrorForm : public TForm {
  Z_CLASS(TReadErrorForm, TForm)
public:
  using TForm::TForm;
  TPanel* P = nullptr;
  TLabel* L = nullptr;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TReadErrorForm> Pub(Meta);
    Pub.Field("P", &TReadErrorForm::P);
    Pub.Field("L", &TReadErrorForm::L);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TReadErrorForm, TForm, TReadErrorForm::Publish)

std::string Binary(const std::string& Text) {
  TStringStream In(Text);
  TStringStream Out;
  ObjectTextToBinary(&In, &Out);
  return Out.DataString();
}

std::string ReadFile(const std::filesystem::path& P) {
  std::ifstream In(P, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

class FormReadErrors : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    RegisterClasses({TPanel::StaticClass(), TLabel::StaticClass(), TButton::StaticClass()});
    Form.reset(new TReadErrorForm(nullptr));
    Form->AfterConstruction();
  }
  void TearDown() override { Form.reset(); }
  std::unique_ptr<TReadErrorForm> Form;
};

TEST_F(FormReadErrors, ChildOfAnUnknownClassLeavesNothingHalfRead) {
  // The stored case: a panel holding a label, then a child of a class nobody registered.
  const std::string Bad =
      Binary(ReadFile(std::filesystem::path(ZUBQ_TEST_DATA_DIR) / "regressions" / "form-child-of-unknown-class.dfm.txt"));
  // The same with the label nested deeper and with a sibling read whole before the panel.
  const std::string Deeper = Binary(
      "object F: TReadErrorForm\n  object B: TButton\n  end\n  object P: TPanel\n    object Q: TPanel\n"
      "      object L: TLabel\n      end\n    end\n    object X: TNoSuchClass\n    end\n  end\nend\n");
  for (const std::string* Layout : {&Bad, &Deeper}) {
    TStringStream In(*Layout);
    try {
      In.ReadComponent(Form.get());
      ADD_FAILURE() << "the unknown class was accepted";
    } catch (const Exception& E) {
      EXPECT_NE(std::string(E.Message()).find("TNoSuchClass"), std::string::npos) << E.Message();
    }
    EXPECT_EQ(Form->P, nullptr);
    EXPECT_EQ(Form->L, nullptr);
    EXPECT_EQ(Form->FindComponent("L"), nullptr);
    EXPECT_EQ(Form->FindComponent("P"), nullptr);
    EXPECT_EQ(Form->ControlCount(), Form->FindComponent("B") != nullptr ? 1 : 0);
    EXPECT_FALSE(Form->ComponentState().Contains(csLoading));
    EXPECT_FALSE(Form->ComponentState().Contains(csReading));
  }

  // The form reads a sound layout afterwards.
  TStringStream Good(Binary("object F: TReadErrorForm\n  object P: TPanel\n    object L: TLabel\n"
                            "      Caption = 'fine'\n    end\n  end\nend\n"));
  delete Form->FindComponent("B");
  Good.ReadComponent(Form.get());
  ASSERT_NE(Form->P, nullptr);
  ASSERT_NE(Form->L, nullptr);
  EXPECT_EQ(Form->L->Parent(), Form->P);
  EXPECT_FALSE(Form->L->ComponentState().Contains(csLoading));
}

}  // namespace
