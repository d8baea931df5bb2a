// The property store on real forms: listed properties kept across a close and a new form, in the registry and in
// an INI file.
#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/MessageBox.h"
#include "suitebase/Propstore.h"
#include "suitebase/Regstore.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

using namespace Dccommon;

namespace {

struct TSettingsForm {
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TCheckBox* Check = nullptr;
  TPanel* Panel = nullptr;
  ZEZPropStore* Store = nullptr;
};

class PropStoreTest : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
  }
  TSettingsForm Make(bool IniMode) {
    TSettingsForm S;
    S.Form = TestSupport::Make<TForm>(Application);
    S.Form->SetName("Settings");
    S.Form->SetBounds(20, 30, 400, 300);
    S.Edit = TestSupport::Make<TEdit>(S.Form, S.Form, TRect{5, 5, 100, 25});
    S.Edit->SetName("Edit1");
    S.Check = TestSupport::Make<TCheckBox>(S.Form, S.Form, TRect{5, 30, 100, 50});
    S.Check->SetName("CheckBox1");
    S.Panel = TestSupport::Make<TPanel>(S.Form, S.Form, TRect{5, 60, 100, 100});
    S.Panel->SetName("Panel1");
    S.Store = TestSupport::Make<ZEZPropStore>(S.Form);
    S.Store->SetName("Store");
    for (const char* Line : {"Edit1.Text", "CheckBox1.State", "Panel1.Caption", "Panel1.Width", "Caption"}) {
      S.Store->PropList()->Add(Line);
    }
    if (IniMode) {
      S.Store->UseIniFile = true;
      S.Store->IniFile = Temp / "store.ini";
      S.Store->IniSection = "Settings";
    }
    return S;
  }
  void KeptAcrossACloseAndANewForm(bool IniMode) {
    TSettingsForm A = Make(IniMode);
    A.Store->Loaded();  // as after the form's layout was read: hooks the close
    A.Form->Show();
    A.Edit->SetText("typed");
    A.Check->SetChecked(true);
    A.Panel->SetCaption("Caption of the panel");
    A.Panel->SetWidth(77);
    A.Panel->SetHeight(33);  // not listed
    A.Form->SetCaption("Stored caption");
    A.Form->SetBounds(60, 70, 350, 250);
    A.Form->Close();
    Harness::RunUntilIdle();
    delete A.Form;

    TSettingsForm B = Make(IniMode);
    int Loaded = 0;
    B.Store->OnChangesLoaded = [&](TObject*) { ++Loaded; };
    B.Store->Loaded();
    EXPECT_EQ(Loaded, 1);
    EXPECT_EQ(B.Edit->Text(), "typed");
    EXPECT_TRUE(B.Check->Checked());
    EXPECT_EQ(B.Panel->Caption(), "Caption of the panel");
    EXPECT_EQ(B.Panel->Width(), 77);
    EXPECT_EQ(B.Panel->Height(), 40);  // unlisted: untouched
    EXPECT_EQ(B.Form->Caption(), "Stored caption");
    EXPECT_EQ(B.Form->Name(), "Settings");
    EXPECT_EQ(B.Form->BoundsRect(), (TRect{60, 70, 410, 320}));
    delete B.Form;
  }
};

TEST_F(PropStoreTest, KeptInTheRegistry) {
  KeptAcrossACloseAndANewForm(false);
  EXPECT_GT(Dorazori::GetRegBufSize("SettingsStore"), 0);
}

TEST_F(PropStoreTest, KeptInAnIniFile) {
  KeptAcrossACloseAndANewForm(true);
  EXPECT_NE(ReadFile(Temp / "store.ini").find("[Settings]"), std::string::npos);
}

TEST_F(PropStoreTest, AnEmptyListWritesOneFalseAndAMissingComponentAZeroRecord) {
  TSettingsForm S = Make(false);
  S.Store->PropList()->Clear();
  TMemoryStream Out;
  S.Store->SaveToStream(&Out);
  ASSERT_EQ(Out.Size(), 1);
  EXPECT_EQ(static_cast<const Byte*>(Out.Memory())[0], 0x08);
  S.Store->PropList()->Add("Ghost.Text");
  TMemoryStream Ghost;
  S.Store->SaveToStream(&Ghost);
  const std::string Bytes(static_cast<const char*>(Ghost.Memory()), static_cast<std::size_t>(Ghost.Size()));
  EXPECT_EQ(Bytes, std::string("\x09\x06\x01"
                               "0\x08",
                               5));
  Ghost.SetPosition(0);
  S.Store->LoadFromStream(&Ghost);  // skipped without harm
  delete S.Form;
}

TEST_F(PropStoreTest, OnLoadChangesCanTakeTheLoadOver) {
  TSettingsForm A = Make(false);
  A.Edit->SetText("saved");
  A.Form->Show();
  A.Store->Save();
  delete A.Form;
  TSettingsForm B = Make(false);
  bool Loaded = false;
  B.Store->OnLoadChanges = [](TObject*, bool& Processed) { Processed = true; };
  B.Store->OnChangesLoaded = [&](TObject*) { Loaded = true; };
  B.Store->Load();
  EXPECT_TRUE(Loaded);
  EXPECT_EQ(B.Edit->Text(), "");
  delete B.Form;
}

TEST_F(PropStoreTest, ABadRecordDoesNotTakeTheOthersWithIt) {
  TSettingsForm A = Make(false);
  A.Store->PropList()->Clear();
  A.Store->PropList()->Add("Edit1.Text");
  A.Store->PropList()->Add("Panel1.Caption");
  A.Edit->SetText("first");
  A.Panel->SetCaption("second");
  TMemoryStream Image;
  A.Store->SaveToStream(&Image);
  delete A.Form;
  // Spoil the first record's component image (its signature), leaving its count as it is.
  std::string Bytes(static_cast<const char*>(Image.Memory()), static_cast<std::size_t>(Image.Size()));
  const std::size_t Sig = Bytes.find("TPF0");
  ASSERT_NE(Sig, std::string::npos);
  Bytes[Sig] = 'X';
  TSettingsForm B = Make(false);
  B.Store->PropList()->Clear();
  B.Store->PropList()->Add("Edit1.Text");
  B.Store->PropList()->Add("Panel1.Caption");
  TMemoryStream Spoilt;
  Spoilt.WriteBuffer(Bytes.data(), static_cast<LongInt>(Bytes.size()));
  Spoilt.SetPosition(0);
  B.Store->LoadFromStream(&Spoilt);
  EXPECT_EQ(B.Edit->Text(), "");
  EXPECT_EQ(B.Panel->Caption(), "second");
  B.Store->IgnoreErrors = false;
  Scripted.QueueAnswer(IDCANCEL);
  Spoilt.SetPosition(0);
  EXPECT_THROW(B.Store->LoadFromStream(&Spoilt), Exception);
  EXPECT_EQ(Scripted.Shown().back().Caption, SErrorReadingProperties);
  delete B.Form;
}

}  // namespace
