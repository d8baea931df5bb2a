// The base of the engine's own windows.
#include "engine/EngineForm.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"
#include "platform/win/MessageBox.h"

namespace zubengine {

Z_IMPLEMENT_CLASS(TEngineForm, TForm)

void RegisterEngineLayoutClasses() {
  RegisterClasses({TLabel::StaticClass(), TEdit::StaticClass(), TButton::StaticClass(), TCheckBox::StaticClass(),
                   TGroupBox::StaticClass(), TRadioGroup::StaticClass(), TListBox::StaticClass(),
                   TPageControl::StaticClass(), TTabSheet::StaticClass(), TListView::StaticClass()});
}

TEngineForm::TEngineForm(TComponent* AOwner) : TForm((RegisterEngineLayoutClasses(), AOwner)) {}

void TEngineForm::SetOwnerWindow(HWND Window) {
  FOwnerWindow = Window != 0 && IsWindow(Window) ? Window : 0;
  if (HandleAllocated()) {
    RecreateWnd();
  }
}

void TEngineForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // The program's window that asked for the form owns it; without one the form stands alone.
  Params.WndParent = FOwnerWindow;
}

void TEngineForm::InputError(const std::string& Text, TWinControl* Control) {
  EngineMessage(Handle(), Text, MB_OK | MB_ICONERROR);
  if (Control && Control->CanFocus()) {
    Control->SetFocus();
  }
}

int EngineMessage(HWND Owner, const std::string& Text, UINT Flags) {
  return MessageBox(Owner, Text.c_str(), "ZUB Validator Engine", Flags);
}

}  // namespace zubengine
