// The palette registrations reach the suite's class catalogue through the class library's hook.
#include "codeeditor/Dccdes.h"
#include "codeeditor/Dccdesdelphi.h"
#include "codeeditor/Dclanguages.h"
#include "codeeditor/Dcpalette.h"
#include "codeeditor/Dcstring.h"
#include "platform/classes/DesignHooks.h"
#include "suitebase/Designreg.h"

#include <gtest/gtest.h>

namespace {

const Dorazori::TClassItem* Find(TClass C) {
  Dorazori::TClassItems* Items = Dorazori::ClassItems();
  for (Integer I = 0; I < Items->Count(); ++I) {
    if (Items->Items(I)->ItemClass == C) {
      return Items->Items(I);
    }
  }
  return nullptr;
}

TEST(Palette, TheThreeUnitsRegisterTheirComponentsOnNimbraMemo) {
  Dorazori::InstallRegistrationHooks();
  ASSERT_NE(RegisterComponentsProc, nullptr);
  Dcstring::Register();
  Dcparser::Register();
  Dccdes::Register();
  for (TClass C : {Dcstring::TMemoSource::StaticClass(), Dcstring::TClipbrdMemoSource::StaticClass(),
                   Dcparser::THTMLParser::StaticClass(), Dcparser::TPythonParser::StaticClass(),
                   Dccdes::TJsCodeDesigner::StaticClass(), Dccdes::TDelphiCodeDesigner::StaticClass()}) {
    const Dorazori::TClassItem* Item = Find(C);
    ASSERT_NE(Item, nullptr) << C->ClassName();
    EXPECT_EQ(Item->Page, "Nimbra Memo") << C->ClassName();
    EXPECT_TRUE(Item->Categories.Contains(Dorazori::icShowinPalette)) << C->ClassName();
  }
  EXPECT_EQ(Find(Dccdes::TSqlCodeDesigner::StaticClass()), nullptr);
}

}  // namespace
