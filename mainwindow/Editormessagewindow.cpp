// The hidden window through which another instance and the engine hand commands to the running program.
#include "mainwindow/Editormessagewindow.h"

#include "platform/classes/ClassRegistry.h"

Z_IMPLEMENT_CLASS_PUBLISHED(TZUBEditorMessageWindow, TForm, TZUBEditorMessageWindow::Publish)

void TZUBEditorMessageWindow::Publish(TMetaClass& Meta) {
  TPublisher<TZUBEditorMessageWindow> P(Meta);
  P.Method("FormCreate", &TZUBEditorMessageWindow::FormCreate);
}

TZUBEditorMessageWindow::TZUBEditorMessageWindow(TComponent* AOwner) : TForm(AOwner) {}

void TZUBEditorMessageWindow::AfterConstruction() {
  TForm::AfterConstruction();
  // Another process looks for the window as soon as this one runs.
  HandleNeeded();
}

void TZUBEditorMessageWindow::FormCreate(TObject*) { SetCaption(MESSAGE_WINDOW_CAPTION); }

void TZUBEditorMessageWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ZUB_REMOTE_COMMAND) {
    QueueRemoteCommand(Message);
    return;
  }
  TForm::Dispatch(Message);
}

void TZUBEditorMessageWindow::QueueRemoteCommand(TMessage& Message) {
  // Reads and deletes the atom, also while shutting down, and queues its text for the next idle call.
  (void)QueueRemoteCommandAtom(static_cast<ATOM>(Message.LParam));  // 0 for atom 0 or shutdown: nothing to do
}
