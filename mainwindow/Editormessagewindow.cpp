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
  const auto Atom = static_cast<ATOM>(Message.LParam);
  if (Atom == 0) {
    return;
  }
  char Text[REMOTE_COMMAND_BUFFER] = {};
  (void)GlobalGetAtomName(Atom, Text, REMOTE_COMMAND_BUFFER - 1);  // an unknown atom leaves the text empty
  (void)GlobalDeleteAtom(Atom);  // the sender never deletes it; a second delete of a gone atom does no harm
  if (!prg || !prg->volatileState || prg->volatileState->shuttingDown != 0) {
    return;
  }
  // To come with the command queue: its queueing function for remote commands.
  (void)prg->volatileState->commandQueue.addString(Text, ADDSTRING_AT_END);  // a full queue drops the command
}
