// The input line dialog and its routines.
#include "suitebase/Dcinpfrm.h"

#include "platform/rtl/SysUtils.h"
#include "suitebase/Designreg.h"
#include "suitebase/Formhelpers.h"

#include <memory>

namespace Dcinpfrm {

Z_IMPLEMENT_CLASS_PUBLISHED(TInputLineForm, TForm, TInputLineForm::Publish)

void TInputLineForm::Publish(TMetaClass& Meta) {
  TPublisher<TInputLineForm> P(Meta);
  P.Field("Panel1", &TInputLineForm::Panel1);
  P.Field("InputLabel", &TInputLineForm::InputLabel);
  P.Field("PropEdit", &TInputLineForm::PropEdit);
  P.Field("OkBut", &TInputLineForm::OkBut);
  P.Field("CancelBut", &TInputLineForm::CancelBut);
  P.Field("HelpBut", &TInputLineForm::HelpBut);
  P.Method("FormCreate", &TInputLineForm::FormCreate);
}

void TInputLineForm::FormCreate(TObject*) {
  Dccommon::SetFormFont(this);
  SetCaption("Go to line Number");
  InputLabel->SetCaption("&Enter new line number:");
  Dorazori::UpdateStandardButtons(OkBut, CancelBut, HelpBut);
}

TInputLineForm* CreateInputForm(const std::string& Caption, const std::string& Prompt, int HelpContext) {
  auto* F = static_cast<TInputLineForm*>(TInputLineForm::StaticClass()->NewInstance(Application));
  F->SetCaption(Caption);
  F->InputLabel->SetCaption(Prompt);
  F->HelpContext = HelpContext;
  return F;
}

bool ReadString(const std::string& Caption, const std::string& Prompt, int HelpContext, std::string& Value) {
  std::unique_ptr<TInputLineForm> F(CreateInputForm(Caption, Prompt, HelpContext));
  F->PropEdit->SetText(Value);
  if (F->ShowModal() != mrOk) {
    return false;
  }
  Value = F->PropEdit->Text();
  return true;
}

bool ReadInteger(const std::string& Caption, const std::string& Prompt, int HelpContext, int& Value) {
  std::string Text = IntToStr(Value);
  if (!ReadString(Caption, Prompt, HelpContext, Text)) {
    return false;
  }
  Value = StrToInt(Text);
  return true;
}

bool ReadScaleFactor(double& Factor) {
  Factor = 1.0;
  std::string Text = "100";
  if (!ReadString("Scale", "&Scaling Factor:", 0, Text)) {
    return false;
  }
  Factor = StrToInt(Text) / 100.0;
  return true;
}

}  // namespace Dcinpfrm
