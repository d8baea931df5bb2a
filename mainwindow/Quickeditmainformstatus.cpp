// The main window's message boxes, status bar, title and recorded bounds.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Tabinfoclass.h"
#include "core/Volatileclass.h"

#include "platform/controls/Menus.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"

namespace {

constexpr char ProductTitle[] = "ZUB Quillon Pro v6.01";
constexpr char DefaultCaption[] = "ZUB Quillon Pro";
constexpr char ShuttingDownTitle[] = "[shutting down]";

// Status bar panels.
constexpr int PositionPanel = 0;
constexpr int InsertModePanel = 1;
constexpr int StatePanel = 2;
constexpr int TextPanel = 3;

// The document-state texts of panel 2 and their bits in the status bar's Tag.
constexpr int ReadOnlyBit = 1;
constexpr int ChangedBit = 2;
constexpr int UnchangedBit = 4;
constexpr int StateChangedSaved = 0;

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

// Writes a panel only when its text changes: a status bar repaints for every write, and selecting a tab writes
// three panels that mostly stay as they are.
void SetPanelText(TStatusPanel* Panel, const std::string& Text) {
  if (Panel->Text() != Text) {
    Panel->SetText(Text);
  }
}

}  // namespace

int TZUBQEForm::ShowMessageBox(const StrStore& Text, const StrStore& Caption, int Flags) {
  const std::string Message(Text.text ? Text.text : "");
  if ((Flags & MSG_NOT_ON_STATUS_BAR) == 0) {
    (void)SetStatusText(Message.c_str());  // always 1
  }
  if ((Flags & MSG_STATUS_BAR_ONLY) != 0) {
    return 0;
  }
  std::string Title(Caption.text ? Caption.text : "");
  if (CompareText(Title, "") == 0) {
    Title = DefaultCaption;
  }
  UINT Type = MB_SETFOREGROUND;
  if ((Flags & MSG_QUESTION) != 0) {
    Type |= MB_YESNO | MB_ICONQUESTION;
  } else if ((Flags & MSG_INFORMATION) != 0) {
    Type |= MB_ICONINFORMATION;
  } else if ((Flags & MSG_ERROR) != 0) {
    Type |= MB_ICONERROR;
  }
  if ((Flags & MSG_QUESTION) != 0 && (Flags & MSG_INFORMATION) != 0) {
    Type = (Type & ~MB_ICONQUESTION) | MB_ICONINFORMATION;
  }
  const int Answer = MessageBox(HandleAllocated() ? Handle() : 0, Message.c_str(), Title.c_str(), Type);
  return (Flags & MSG_QUESTION) != 0 ? Answer : 0;
}

int TZUBQEForm::ShowInfoKind(int Kind) {
  if (Kind == INFO_NO_MESSAGES) {
    (void)ShowMessageBox(StrStore("There are no messages available."), StrStore("Quillon: No Messages"),
                         MSG_INFORMATION);  // an information box has no answer
  } else if (Kind == INFO_NOT_IMPLEMENTED) {
    (void)ShowMessageBox(StrStore("This feature is not yet implemented."), StrStore("Quillon: Feature Not Available"),
                         MSG_INFORMATION);  // as above
  }
  return 0;
}

void TZUBQEForm::ShowInfoMessage(int Kind) { (void)ShowInfoKind(Kind); }

int TZUBQEForm::SetStatusText(const char* Text) {
  StatusBar->Panels()->Items(TextPanel)->SetText(Text ? Text : "");
  StatusBar->Update();
  return 1;
}

void TZUBQEForm::SetStatusText(const StrStore& Text) { (void)SetStatusText(Text.text); }

int TZUBQEForm::UpdateStatusPanels(int Flags, int ChangedState, int ReadOnly) {
  if (!Running()) {
    return 1;
  }
  if ((Flags & STATUS_CURRENT_DOCUMENT) != 0) {
    if (fileinfoclass* Document = GetCurrentFile()) {
      Flags |= STATUS_BY_STATE;
      ChangedState = Document->text && Document->text->Modified ? 1 : StateChangedSaved;
      ReadOnly = Document->IsReadOnly();
    } else {
      Flags |= STATUS_CLEAR_STATE;
    }
  }
  if ((Flags & STATUS_BY_STATE) != 0) {
    if (ReadOnly != 0) {
      Flags |= STATUS_READ_ONLY;
    } else {
      Flags |= ChangedState == StateChangedSaved ? STATUS_UNCHANGED : STATUS_CHANGED;
    }
  }
  TStatusPanel* State = StatusBar->Panels()->Items(StatePanel);
  auto Show = [this, State](int Bit, const char* Text) {
    if ((StatusBar->Tag() & Bit) == 0) {
      State->SetText(Text);
      StatusBar->SetTag(Bit);
    }
  };
  if ((Flags & STATUS_READ_ONLY) != 0) {
    Show(ReadOnlyBit, "READ ONLY");
  } else if ((Flags & STATUS_CHANGED) != 0) {
    Show(ChangedBit, "CHANGED");
  } else if ((Flags & STATUS_UNCHANGED) != 0) {
    Show(UnchangedBit, "UNCHANGED");
  }
  if ((Flags & STATUS_CLEAR_STATE) != 0 && (Flags & (STATUS_READ_ONLY | STATUS_CHANGED | STATUS_UNCHANGED)) == 0) {
    State->SetText("");
    StatusBar->SetTag(0);
  }
  if ((Flags & STATUS_INSERT_MODE) != 0 && CurrentEditor) {
    SetPanelText(StatusBar->Panels()->Items(InsertModePanel), CurrentEditor->GetOverwrite() ? "OVR" : "INS");
  }
  if ((Flags & STATUS_POSITION) != 0 && CurrentEditor) {
    const TPoint Caret = CurrentEditor->GetCurrentPosition();
    SetPanelText(StatusBar->Panels()->Items(PositionPanel),
                 std::to_string(Caret.Y + 1) + ": " + std::to_string(Caret.X + 1));
  }
  return 0;
}

std::string TZUBQEForm::GetTitleText(TComponent* TabControl) {
  static std::string Title;
  if (prg && prg->volatileState && prg->volatileState->shuttingDown != 0) {
    Title = ShuttingDownTitle;
  } else {
    Title = ProductTitle;
    TComponent* Tabs = TabControl;
    if (!Tabs && CurrentEditor) {
      Tabs = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
    }
    if (fileinfoclass* Document = Tabs ? GetTabControlDocument(Tabs, -1) : nullptr) {
      const char* Name = Document->GetName(NAME_DISPLAY);
      if (Name && *Name) {
        Title += " - ";
        Title += Name;
      }
      if (Document->text && Document->text->Modified) {
        Title += "**";
      }
      if (Document->IsReadOnly() != 0) {
        Title += " - [READ-ONLY]";
      }
    }
  }
  Application->Title = Title;
  return Title;
}

void TZUBQEForm::UpdateTitle(int Flags) {
  if ((Flags & TITLE_SKIP) == 0) {
    SetCaption(GetTitleText(nullptr));
  }
}

void TZUBQEForm::SaveFormBounds() {
  if (!prg || !prg->volatileState || !prg->interface) {
    return;
  }
  volatileclass* V = prg->volatileState;
  if (Visible() && WindowState() == wsNormal && !prg->interface->flags.has(IF40::FullScreen)) {
    V->normalLeft = Left();
    V->normalTop = Top();
    V->normalWidth = Width();
    V->normalHeight = Height();
    V->normalBoundsKnown = 1;
  }
}
