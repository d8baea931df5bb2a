// The second-start hand-over, the first start's command line and the command queue.
#include "core/Commandqueue.h"

#include "core/Enginedialogs.h"
#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Shellintegration.h"
#include "core/Stringarraystore.h"
#include "core/Strtext.h"
#include "core/Volatileclass.h"

#include "core/Batchwizclass.h"

#include "platform/controls/Forms.h"
#include "platform/win/Atoms.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinUser.h"

#include <cstdlib>
#include <cstring>

namespace {

// GetFirstWord: blank-separated, double quotes group a word with blanks; flag 1 takes the word out of the source,
// flag 4 removes the quotes.
constexpr int WORD_TAKE = 1;
constexpr int WORD_QUOTES = 2;
constexpr int WORD_UNQUOTE = 4;

// The switches whose words after them are a list of documents, one document each.
constexpr const char OPEN_SWITCH[] = "-o";
constexpr const char VALIDATE_SWITCH[] = "-v";

// How much of a rejected command a message box shows.
constexpr std::size_t SHOWN_COMMAND_LENGTH = 120;

// Arguments of the shell integration's calls.
constexpr int OFFER_LATER = 1;
constexpr int NO_REPORT = 0;
constexpr int QUIET = 1;

StrStore TakeWord(StrStore& Command) { return GetFirstWord(Command, WORD_TAKE | WORD_QUOTES | WORD_UNQUOTE); }

bool IsWord(const StrStore& Word, const char* Name) { return Word.equalsNoCase(Name) != 0; }

std::string Shortened(const std::string& Text) {
  return Text.size() <= SHOWN_COMMAND_LENGTH ? Text : Text.substr(0, SHOWN_COMMAND_LENGTH) + "...";
}

// Before the main window of this process exists, so the box has no owner and comes to the foreground.
void TellHandOverFailed(const char* Reason, const std::string& Command) {
  std::string Text = "The command could not be handed to the running instance of ZUB Quillon: ";
  Text += Reason;
  Text += "\n\n";
  Text += Shortened(Command);
  (void)MessageBox(0, Text.c_str(), "Quillon: Command Not Handed Over", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// Posts one command; the atom is deleted again when the post failed.
bool PostCommand(HWND MessageWindow, const std::string& Command) {
  const ATOM Atom = GlobalAddAtom(Command.c_str());
  if (Atom == 0) {
    return false;
  }
  if (PostMessage(MessageWindow, REMOTE_COMMAND_MESSAGE, 0, static_cast<LPARAM>(Atom)) == 0) {
    (void)GlobalDeleteAtom(Atom);  // nobody will read it; a failure leaves only a stale atom behind
    return false;
  }
  return true;
}

volatileclass* State() { return prg != nullptr ? prg->volatileState : nullptr; }

void MainFormToFront() {
  (void)BringFormToFront(MainWindow().MainForm(), BRINGFRONT_STANDARD);  // -1: no main window to raise
}

void BatchWizardToFront() {
  (void)BringFormToFront(BatchWizard().BatchWizardForm(),
                         BRINGFRONT_STANDARD | BRINGFRONT_KEEP_APPLICATION);  // -1: no window to raise
}

// Link-check progress from the engine: Value is the percentage as the engine wrote it.
void LinkCheckProgress(const StrStore& Value) {
  volatileclass* V = State();
  MainWindowServices& Window = MainWindow();
  char* End = nullptr;
  const long Percent = std::strtol(Value.text, &End, 10);
  const bool Number = Value.length > 0 && End != nullptr && *End == 0;
  if (Number && Percent == LINK_CHECK_COMPLETED) {
    if (V != nullptr) {
      V->linkCheckProgress = 0;
    }
    fileinfoclass* Current = Window.GetCurrentFile();
    Window.UpdateLinksPageImage(Current, 3);
    Window.FillLinksPage(Current, 0x2A);
    Window.UpdateLinkCheckButtons();
    Window.SetStatusText(StrStore("Checking links... completed."));
    return;
  }
  if (Number && V != nullptr && std::labs(Percent - V->linkCheckProgress) >= LINK_CHECK_REFRESH_STEP) {
    Window.UpdateLinksPageImage(Window.GetCurrentFile(), 3);
    V->linkCheckProgress = static_cast<int>(Percent);
  }
  StrStore Status("Checking links... ");
  Status.appendStore(Value).append("%");
  Window.SetStatusText(Status);
}

// Opens the command's words one after the other (a document that cannot be opened was reported by the window);
// with Validate each opened document is validated.
void OpenDocuments(StrStore Word, StrStore& Command, bool Validate) {
  MainWindowServices& Window = MainWindow();
  MainFormToFront();
  while (Word.length > 0) {
    const int Opened = Window.AddNewFileTab(nullptr, Word.text, 0, nullptr);
    if (Validate && Opened == 0) {
      fileinfoclass* Document = Window.GetCurrentFile();
      if (Document != nullptr) {
        (void)Window.ValidateDocuments(Document, 2, -1);  // the dispatcher shows its own failures
      }
    }
    Word = TakeWord(Command);
  }
}

// "-b..." batch run: the wizard opens the target list named by the next word and processes it.
void BatchRun(StrStore& Command) {
  (void)ShowBatchWizard(nullptr, BATCHWIZARD_NO_START);  // always 0; whether the window exists is asked next
  BatchWizardToFront();
  BatchWizardServices& Wizard = BatchWizard();
  if (Wizard.BatchWizardForm() == nullptr) {
    return;
  }
  const StrStore List = TakeWord(Command);
  if (Wizard.OpenTargetList(List.text, 4) != 0) {
    return;  // the wizard stays open with what it has
  }
  if (prg != nullptr && prg->batchWizard != nullptr) {
    prg->batchWizard->runKind = 1;
  }
  Wizard.FileStartProcessingClick();
}

// Runs one command whose first word has been taken out.
void RunCommand(const StrStore& Word, StrStore& Command, HWND Foreground) {
  MainWindowServices& Window = MainWindow();
  if (IsWord(Word, LINK_CHECK_COMMAND)) {
    LinkCheckProgress(TakeWord(Command));
  } else if (IsWord(Word, "-1")) {
    MainFormToFront();
    (void)OpenValidatorOptions(1, 0);  // the options window reports nothing the queue acts on
    SetForegroundWindow(Foreground);
  } else if (IsWord(Word, "-2")) {
    MainFormToFront();
    Window.OptionsHTMLConfigurationEditorClick(nullptr);
    SetForegroundWindow(Foreground);
  } else if (IsWord(Word, "-3")) {
    (void)ShowBatchWizard(nullptr, BATCHWIZARD_NO_START);  // always 0
    BatchWizardToFront();
    BatchWizard().OptionsWizardClick();
    SetForegroundWindow(Foreground);
  } else if (IsWord(Word, "-4")) {
    MainFormToFront();
    Window.OptionsEditorOptionsClick(nullptr);
    SetForegroundWindow(Foreground);
  } else if (IsWord(Word, FIRST_RUN_COMMAND)) {
    (void)AddFileAssociations(Window.GetApplicationWindow(), OFFER_LATER, NO_REPORT);  // reports its own failures
  } else if (IsWord(Word, BRING_TO_FRONT_COMMAND)) {
    MainFormToFront();
  } else if (IsWord(Word, "-x")) {
    (void)RemoveFileAssociations(Window.GetApplicationWindow(), NO_REPORT);  // reports its own failures
    (void)RestoreSourceViewer(Window.GetApplicationWindow(), QUIET);         // always 1
  } else if (Word.length >= 2 && StrText::StartsNoCase(Word.text, "-b", 2)) {
    BatchRun(Command);
  } else if (IsWord(Word, OPEN_SWITCH) || IsWord(Word, VALIDATE_SWITCH)) {
    OpenDocuments(TakeWord(Command), Command, IsWord(Word, VALIDATE_SWITCH));
  } else if (Word.length > 0) {
    OpenDocuments(Word, Command, false);
  }
}

}  // namespace

void SplitRemoteCommandLine(const char* CommandLine, std::vector<std::string>& Parts,
                            std::vector<std::string>& Rejected) {
  const std::string Line = CommandLine != nullptr && *CommandLine != 0 ? CommandLine : BRING_TO_FRONT_COMMAND;
  if (Line.size() <= static_cast<std::size_t>(REMOTE_COMMAND_MAXIMUM)) {
    Parts.push_back(Line);
    return;
  }
  // Words keep their quotes, so that each part reads as the line did.
  StrStore Rest(Line.c_str());
  std::vector<std::string> Words;
  for (StrStore Word = GetFirstWord(Rest, WORD_TAKE | WORD_QUOTES); Word.length > 0;
       Word = GetFirstWord(Rest, WORD_TAKE | WORD_QUOTES)) {
    Words.emplace_back(Word.text, static_cast<std::size_t>(Word.length));
  }
  std::string Prefix;
  std::size_t First = 0;
  if (!Words.empty() && Words[0][0] == '-') {
    StrStore Switch(Words[0].c_str());
    if (!IsWord(Switch, OPEN_SWITCH) && !IsWord(Switch, VALIDATE_SWITCH)) {
      Rejected.push_back(Line);  // a switch with its arguments goes over whole or not at all
      return;
    }
    Prefix = Words[0] + " ";
    First = 1;
  }
  std::string Part;
  for (std::size_t I = First; I < Words.size(); ++I) {
    if (Prefix.size() + Words[I].size() > static_cast<std::size_t>(REMOTE_COMMAND_MAXIMUM)) {
      Rejected.push_back(Words[I]);
      continue;
    }
    if (!Part.empty() && Part.size() + 1 + Words[I].size() > static_cast<std::size_t>(REMOTE_COMMAND_MAXIMUM)) {
      Parts.push_back(Part);
      Part.clear();
    }
    Part += Part.empty() ? Prefix + Words[I] : " " + Words[I];
  }
  if (!Part.empty()) {
    Parts.push_back(Part);
  }
}

int SendToRunningInstance(HWND MessageWindow, const char* CommandLine) {
  if (MessageWindow == 0) {
    return HANDOVER_NO_WINDOW;
  }
  std::vector<std::string> Parts;
  std::vector<std::string> Rejected;
  SplitRemoteCommandLine(CommandLine, Parts, Rejected);
  for (const std::string& Part : Parts) {
    if (!PostCommand(MessageWindow, Part)) {
      TellHandOverFailed("the running instance did not take it.", Part);
    }
  }
  for (const std::string& Text : Rejected) {
    TellHandOverFailed("a command is at most 255 characters long and this one cannot be divided.", Text);
  }
  return HANDOVER_DONE;
}

int ProcessCommandLine(HWND Window, const char* CommandLine) {
  volatileclass* V = State();
  if (V != nullptr) {
    V->commandLinePresent = 1;
  }
  const char* Line = CommandLine != nullptr ? CommandLine : "";
  if (Line[0] == '-' && (Line[1] == 'x' || Line[1] == 'X')) {
    (void)RemoveFileAssociations(Window, NO_REPORT);  // reports its own failures; start-up ends either way
    return COMMANDLINE_ASSOCIATIONS_REMOVED;
  }
  if (V != nullptr) {
    (void)V->commandQueue.addString(Line, 0);  // only out of memory fails, and then there is nothing to run
  }
  return COMMANDLINE_QUEUED;
}

int QueueFirstRunCommands(volatileclass* State) {
  if (State == nullptr) {
    return 0;
  }
  State->stateFlags.set(VSF::FirstRun, true);
  return State->commandQueue.addString(FIRST_RUN_COMMAND, ADDSTRING_AT_END);
}

int QueueRemoteCommandAtom(ATOM Atom) {
  if (Atom == 0) {
    return 0;
  }
  char Buffer[REMOTE_COMMAND_BUFFER] = {};
  const UINT Length = GlobalGetAtomName(Atom, Buffer, REMOTE_COMMAND_BUFFER);
  (void)GlobalDeleteAtom(Atom);  // the sender holds no other reference; a failure leaves a stale atom
  volatileclass* V = State();
  if (Length == 0 || V == nullptr || V->shuttingDown != 0) {
    return 0;
  }
  return V->commandQueue.addString(Buffer, ADDSTRING_AT_END) != 0 ? 1 : 0;
}

int ProcessCommandQueue(StringArrayStore* Queue) {
  if (Queue == nullptr) {
    return 0;
  }
  const HWND Foreground = GetForegroundWindow();
  while (Queue->getCount() > 0) {
    StrStore Command(Queue->getString(0));
    (void)Queue->removePointer(0, 1);  // the top entry exists: the loop just read it
    const StrStore Word = TakeWord(Command);
    RunCommand(Word, Command, Foreground);
  }
  return 0;
}
