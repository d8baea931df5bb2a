// The hidden window through which another instance and the engine hand commands to the running program.
#pragma once

#include "core/Commandqueue.h"

#include "platform/controls/Forms.h"

// The message a second instance or the engine posts with a global atom (its text) as the second parameter.
inline constexpr UINT WM_ZUB_REMOTE_COMMAND = 0x8001;

// Made by the main function after the main window and never shown; its handle exists from its creation on so
// that another process finds it. Freed with the application's forms.
class TZUBEditorMessageWindow : public TForm {
  Z_CLASS(TZUBEditorMessageWindow, TForm)
public:
  explicit TZUBEditorMessageWindow(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  void FormCreate(TObject* Sender);
  // Message 0x8001: reads the atom's text (up to 1023 bytes), deletes the atom and, unless the program shuts
  // down, appends the text to the command queue, which the next idle call runs. Atom 0 is ignored.
  void QueueRemoteCommand(TMessage& Message);

protected:
  void Dispatch(TMessage& Message) override;
};
