// The hidden window through which another instance and the engine hand commands to the running program.
#include "mainwindow/Editormessagewindow.h"

#include "core/Prgclass.h"
#include "core/Stringarraystore.h"
#include "core/Volatileclass.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/win/Atoms.h"

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
  // Read, deleted and (unless the program is shutting down) queued by the core; 0 when nothing was queued.
  (void)QueueRemoteCommandAtom(static_cast<ATOM>(Message.LParam));
}
