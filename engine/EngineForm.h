// The base of the engine's own windows: a dialog form owned by the window handle the program passes (or by no
// window), laid out from its layout file.
#pragma once

#include "platform/controls/Forms.h"

#include <string>

namespace zubengine {

// Made and freed by the entry point that shows it; never outlives the call.
class TEngineForm : public TForm {
  Z_CLASS(TEngineForm, TForm)
public:
  explicit TEngineForm(TComponent* AOwner);
  // The window that owns the form (0: none). Set before the form is shown.
  void SetOwnerWindow(HWND Window);
  HWND OwnerWindow() const { return FOwnerWindow; }

  // An error about the user's input: shown over the form, which stays open with the control focused.
  void InputError(const std::string& Text, TWinControl* Control);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  HWND FOwnerWindow = 0;
};

// The classes the engine's layouts name, registered once.
void RegisterEngineLayoutClasses();

// The engine's message boxes: caption "ZUB Validator Engine".
int EngineMessage(HWND Owner, const std::string& Text, UINT Flags);

}  // namespace zubengine
