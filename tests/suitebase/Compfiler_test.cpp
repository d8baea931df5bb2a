// The component filer (forms and data modules saved and loaded, handler names kept through identifiers, reader
// errors) and the property streams.
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/StdCtrls.h"
#include "suitebase/Compfiler.h"
#include "tests/support/Forms.h"

using namespace Dccommon;

namespace {

TMemoryStream* FromText(TMemoryStream& S, const std::string& Text) {
  S.Clear();
  S.WriteBuffer(Text.data(), static_cast<LongInt>(Text.size()));
  S.SetPosition(0);
  return &S;
}

std::string Contents(TMemoryStream& S) {
  return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

class FilerTest : public TestSupport::TFormTest {
protected:
  static void SetUpTestSuite() {
    RegisterClasses({TEdit::StaticClass(), TButton::StaticClass(), TLabel::StaticClass(), TCheckBox::StaticClass(),
                     TPanel::StaticClass(), TMemo::StaticClass(), TListBox::StaticClass()});
  }
  void TearDown() override {
    SaveFormAsText = true;
    ReaderErrorHandler = nullptr;
    TFormTest::TearDown();
  }
  // A form of 50 components of seven classes, every one with a handler the form class does not publish.
  std::string FiftyComponentText() {
    std::string T =
        "object Main: TMain\n  Left = 10\n  Top = 20\n  Width = 400\n  Height = 300\n  Caption = 'Main'\n"
        "  OnClick = FormClick\n";
    const char* Classes[] = {"TEdit", "TButton", "TLabel", "TCheckBox", "TPanel", "TMemo", "TListBox"};
    for (int I = 0; I < 50; ++I) {
      const std::string Cls = Classes[I % 7];
      T += "  object C" + std::to_string(I) + ": " + Cls + "\n    Left = " + std::to_string(I) +
           "\n    Top = " + std::to_string(2 * I) + "\n    Width = 60\n    Height = 20\n";
      if (Cls != "TLabel" && Cls != "TPanel") {
        T += "    OnEnter = " + std::string(I % 2 ? "SharedEnter" : "sharedenter") + "\n";
      }
      T += "    OnClick = Click" + std::to_string(I % 5) + "\n  end\n";
    }
    return T + "end\n";
  }
};

TEST_F(FilerTest, AFormOfFiftyComponentsComesBackEqualAsTextAndBinary) {
  TMemoryStream Source;
  TCompFiler Loader;
  std::unique_ptr<TComponent> First(
      Loader.CreateFromStream(FromText(Source, FiftyComponentText()), TForm::StaticClass(), false));
  ASSERT_TRUE(dynamic_cast<TForm*>(First.get()));
  EXPECT_EQ(First->Name(), "Main");
  EXPECT_EQ(First->ComponentCount(), 50);
  // Two spellings of one handler share one identifier; every name got one.
  EXPECT_EQ(Loader.EventIDOf(First->FindComponent("C0"), "OnEnter"),
            Loader.EventIDOf(First->FindComponent("C1"), "OnEnter"));
  EXPECT_EQ(Loader.EventNames()->Count(), 7);  // FormClick, sharedenter, Click0..Click4

  for (bool Text : {true, false}) {
    SCOPED_TRACE(Text ? "text" : "binary");
    SaveFormAsText = Text;
    TMemoryStream Saved;
    Loader.SaveToStream(&Saved, First.get());
    Saved.SetPosition(0);
    EXPECT_EQ(IsTextStream(&Saved), Text);
    EXPECT_EQ(GetClassNameFromStream(&Saved), "TMain");
    TCompFiler Again;
    std::unique_ptr<TComponent> Second(Again.CreateFromStream(&Saved, TForm::StaticClass(), false));
    ASSERT_EQ(Second->ComponentCount(), 50);
    // Saved again, the image is the same, handler names included.
    SaveFormAsText = true;
    TMemoryStream A;
    TMemoryStream B;
    Loader.SaveToStream(&A, First.get());
    Again.SaveToStream(&B, Second.get());
    EXPECT_EQ(Contents(A), Contents(B));
    EXPECT_NE(Contents(B).find("OnEnter = sharedenter"), std::string::npos);
    EXPECT_EQ(Contents(B).find("SharedEnter"), std::string::npos);
    EXPECT_NE(Contents(B).find("OnClick = Click4"), std::string::npos);
    EXPECT_EQ(static_cast<TControl*>(Second->FindComponent("C49"))->Top(), 98);
  }
}

TEST_F(FilerTest, PositionsOldCreateOrderAndEventsMakeADataModuleACaptionAForm) {
  TMemoryStream S;
  const std::string Module =
      "object Data: TData\n  OldCreateOrder = False\n  OnCreate = DataCreate\n  Left = 1\n  Top = 2\n"
      "  Height = 150\n  Width = 215\nend\n";
  EXPECT_TRUE(StreamContainsDataModule(FromText(S, Module)));
  EXPECT_EQ(S.Position(), 0);
  TCompFiler F;
  std::unique_ptr<TComponent> D(F.CreateFromStream(&S, TForm::StaticClass(), false));
  ASSERT_TRUE(dynamic_cast<TDataModule*>(D.get()));
  EXPECT_EQ(static_cast<TDataModule*>(D.get())->Width, 215);
  EXPECT_FALSE(StreamContainsDataModule(FromText(S, "object F: TF\n  Left = 1\n  Caption = 'x'\nend\n")));
}

TEST_F(FilerTest, ReaderErrorsGoToTheHandlerThenIgnoreAllThenTheDialogHandler) {
  const std::string Bad = "object Main: TMain\n  Bogus = 1\n  object E: TEdit\n    Nonsense = 2\n  end\nend\n";
  TMemoryStream S;
  TCompFiler F;
  std::vector<std::string> Seen;
  F.OnReaderError = [&](TReader*, const std::string& Message, bool& Handled) {
    Seen.push_back(Message);
    Handled = true;
  };
  std::unique_ptr<TComponent> Root(F.CreateFromStream(FromText(S, Bad), TForm::StaticClass(), false));
  EXPECT_EQ(Seen.size(), 2u);
  EXPECT_FALSE(F.ErrorsOccurred);  // the event decided

  TCompFiler G;
  int Asked = 0;
  ReaderErrorHandler = [&](const std::string&, bool& Handled, bool& IgnoreAll) {
    ++Asked;
    Handled = true;
    IgnoreAll = true;
  };
  std::unique_ptr<TComponent> Root2(G.CreateFromStream(FromText(S, Bad), TForm::StaticClass(), false));
  EXPECT_EQ(Asked, 1);
  EXPECT_TRUE(G.ErrorsOccurred);
  EXPECT_TRUE(G.IgnoreAllErrors);

  ReaderErrorHandler = nullptr;
  TCompFiler H;
  EXPECT_THROW(H.CreateFromStream(FromText(S, Bad), TForm::StaticClass(), false), Exception);
  EXPECT_EQ(Screen->FormCount(), 1 + 2);  // the failed root was freed: the fixture's form and the two above
}

// ---- Property streams --------------------------------------------------------------------------------------------

TEST_F(FilerTest, PropertyStreamsReadAndWriteStringsAndRefuseOthers) {
  auto* Memo = TestSupport::Make<TMemo>(Form, Form, TRect{0, 0, 100, 50});
  Memo->Lines()->Add("one");
  Memo->Lines()->Add("two");
  {
    TPropStream Read(Memo, "Lines", 0);
    EXPECT_EQ(std::string(static_cast<const char*>(Read.Memory()), static_cast<std::size_t>(Read.Size())),
              "one\r\ntwo\r\n");
    Read.SetPosition(Read.Size());
    Read.WriteBuffer("x", 1);  // opened for reading: nothing goes back
  }
  EXPECT_EQ(Memo->Lines()->Count(), 2);
  {
    TPropStream Write(Memo, "Lines", 1);
    EXPECT_EQ(Write.Size(), 0);
    Write.WriteBuffer("a\r\nb\r\nc", 7);
  }
  EXPECT_EQ(Memo->Lines()->Count(), 3);
  Form->SetName("Owner");
  {
    TPropStream Both(Form, "Caption", 2);
    Both.SetSize(0);
    Both.WriteBuffer("New caption", 11);
  }
  EXPECT_EQ(Form->Caption(), "New caption");
  try {
    TPropStream Wrong(Form, "Left", 0);
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), SErrorInPropStream);
  }
}

TEST_F(FilerTest, PropertyFileSystemsTakeOnlyAddressesOfComponentsTheyLink) {
  auto* Memo = TestSupport::Make<TMemo>(Form, Form, TRect{0, 0, 100, 50});
  TPropFileSystem First(nullptr);
  First.SetComponent(Memo);
  First.PropName = "Lines";
  EXPECT_TRUE(First.FileExists("anything"));
  const std::string Address = First.GetComponentPtr();
  EXPECT_EQ(Address.size(), 17u);
  TPropFileSystem Second(nullptr);
  Second.PropName = "Lines";
  Second.SetComponentPtr(Address);
  EXPECT_EQ(Second.Component(), Memo);
  std::unique_ptr<TStream>(Second.GetFileStream("x", 1))->WriteBuffer("line", 4);
  EXPECT_EQ(Memo->Lines()->Strings(0), "line");

  TPropFileSystem Third(nullptr);
  char Other[24];
  std::snprintf(Other, sizeof Other, "$%016llX",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(Form)));
  Third.SetComponentPtr(Other);  // a live component, but no property file system links it
  EXPECT_EQ(Third.Component(), nullptr);
  try {
    std::unique_ptr<TStream>(Third.GetFileStream("x", 0));
    FAIL();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), SComponentDoesntExist);
  }
  delete Memo;
  EXPECT_EQ(First.Component(), nullptr);
  EXPECT_FALSE(First.FileExists("x"));
}

TEST(StreamTests, ShortAndOddStreams) {
  TMemoryStream S;
  S.WriteBuffer("object", 6);
  S.SetPosition(0);
  EXPECT_THROW(IsTextStream(&S), Exception);
  const std::string NoColon = "object Form1 TForm1\r\nend\r\n";
  S.Clear();
  S.WriteBuffer(NoColon.data(), static_cast<LongInt>(NoColon.size()));
  S.SetPosition(0);
  EXPECT_EQ(GetClassNameFromStream(&S), "");
  EXPECT_EQ(S.Position(), 0);
}

}  // namespace
