// The main window's web browser pane: making the browser, previewing the current document, free browsing from
// the address box, the toolbar's commands, the refresh timer, the browser's events and its window procedure.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Stringarraystore.h"
#include "core/Strtext.h"
#include "core/Volatileclass.h"
#include "core/Windowcontrol.h"

#include "mainwindow/Browserpane.h"
#include "platform/controls/BrowserControl.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/win/Messages.h"

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

using namespace BrowserPane;

namespace {

// The address history under the current user.
constexpr char HISTORY_KEY[] = "Software\\Palvane\\ZUB Quillon v4\\Editor\\OpenInWebBrowser";
constexpr int HISTORY_COUNT = 20;
// The address the history starts with. The product keeps no site of its own: a reserved name stands in for it.
constexpr char DEFAULT_ADDRESS[] = "http://www.palvane.example/";
constexpr UINT REFRESH_INTERVAL = 10000;

// The time between two looks at a busy browser while the loop runs.
constexpr std::chrono::milliseconds WAIT_STEP{10};

}  // namespace

namespace BrowserPane {

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

bool PaneOn() { return prg && prg->interface && prg->interface->flags.has(IF40::WebBrowser); }

bool PreviewMode() { return prg && prg->interface && prg->interface->flags2.has(IF2::BrowserPreview); }

TBrowserControl* AsBrowser(TWinControl* Control) { return dynamic_cast<TBrowserControl*>(Control); }

}  // namespace BrowserPane

int TZUBQEForm::CreateWebBrowser() {
  if (WebBrowser != nullptr) {
    return 0;
  }
  TBrowserControl* Browser = nullptr;
  try {
    Browser = new TBrowserControl(this);
    Browser->SetParent(WBPanel);
    Browser->SetAlign(alClient);
    Browser->OnStatusTextChange = [this](TObject* Sender, const std::string& Text) {
      WebBrowserStatusTextChange(Sender, Text);
    };
    Browser->OnCommandStateChange = [this](TObject* Sender, int Command, bool Enable) {
      WebBrowserCommandStateChange(Sender, Command, Enable);
    };
    Browser->OnDocumentComplete = [this](TObject* Sender, TObject* Frame, const std::string&) {
      (void)WebBrowserDocumentComplete(Sender, Frame, COMPLETE_FROM_EVENT);  // the results are for callers
    };
    Browser->OnNewWindow2 = [](TObject*, bool& Cancel) { Cancel = false; };
    Browser->SetEnabled(true);
    Browser->SetProperty(DISPID_VISIBLE, Variant(true));
    Browser->HandleNeeded();
    Browser->WindowProc = [this, Browser](TMessage& Message) {
      // While the window goes, the browser's own procedure handles everything.
      if (ComponentState().Contains(csDestroying)) {
        Browser->DefaultWindowProc(Message);
      } else {
        WebBrowserWindowProc(Browser, Message);
      }
    };
  } catch (const Exception&) {
    delete Browser;
    WebBrowser = nullptr;
    (void)ShowMessageBox(
        StrStore("Could not create browser object. This feature requires Microsoft Internet Explorer v4.0 or greater."),
        StrStore("Quillon: Can't Create Web Browser Object"), MSG_ERROR);
    return 1;
  }
  WebBrowser = Browser;
  for (TTBItem* Button : {WBBackBtn, WBForwardBtn, WBStopBtn}) {
    Button->SetEnabled(false);
  }
  StringArrayStore& History = prg->interface->browserAddresses;
  // A missing key leaves the history empty: the default address starts it.
  (void)StringArrayStore::loadFromRegistry(&History, HKEY_CURRENT_USER, HISTORY_KEY, HISTORY_COUNT);
  if (History.getCount() == 0) {
    (void)History.addString(DEFAULT_ADDRESS, 0);  // an empty list always takes an entry
  }
  FillAddressBox();
  BrowserTimer = new TTimer(this);
  BrowserTimer->SetInterval(REFRESH_INTERVAL);
  BrowserTimer->SetOnTimer([this](TObject* Sender) { BrowserTimerTimer(Sender); });
  BrowserTimer->SetEnabled(true);
  return 0;
}

void TZUBQEForm::FillAddressBox() {
  StringArrayStore& History = prg->interface->browserAddresses;
  TStrings* Items = OpenCombo->Items();
  Items->BeginUpdate();
  Items->Clear();
  for (int I = 0; I < History.getCount(); ++I) {
    const char* Entry = History.getString(I);
    Items->Add(Entry != nullptr ? Entry : "");
  }
  Items->EndUpdate();
  const char* First = History.getCount() > 0 ? History.getString(0) : nullptr;
  OpenCombo->SetText(First != nullptr ? First : "");
}

int TZUBQEForm::ToggleWebBrowser(int Flags) {
  if (!Running()) {
    return 1;
  }
  if ((Flags & TOGGLE_FLIP) != 0) {
    prg->interface->flags.toggle(IF40::WebBrowser);
  }
  return ApplyViewSettings((Flags & TOGGLE_NO_PREVIEW) != 0 ? VIEW_NO_PREVIEW : 0);
}

void TZUBQEForm::ViewWebBrowserClick(TObject*) {
  if (Running()) {
    (void)ToggleWebBrowser(TOGGLE_FLIP);  // the view settings show what became of it
  }
}

void TZUBQEForm::ViewBrowserBtnClick(TObject*) {
  if (!Running()) {
    return;
  }
  prg->interface->flags.toggle(IF40::WebBrowser);
  (void)ApplyViewSettings(0);  // the view settings show what became of it
}

void TZUBQEForm::NavigateWebBrowser(TObject*, int Flags) { (void)NavigateTo(nullptr, Flags); }

int TZUBQEForm::NavigateTo(const char* Address, int Flags) {
  if (!Running()) {
    return -1;
  }
  if ((Flags & NAVIGATE_BY_MODE) != 0) {
    return NavigateTo(nullptr, PreviewMode() ? NAVIGATE_PREVIEW : NAVIGATE_ADDRESS_BOX);
  }
  if ((Flags & NAVIGATE_KEEP_PANE) == 0 && !PaneOn()) {
    (void)ToggleWebBrowser(TOGGLE_FLIP | TOGGLE_NO_PREVIEW);
    if (!Running()) {
      return -1;
    }
  }
  std::string Target = Address != nullptr ? Address : "";
  if ((Flags & NAVIGATE_CURRENT_DOCUMENT) != 0) {
    fileinfoclass* Document = GetCurrentFile();
    if (Document != nullptr) {
      if (Document->CanPreview() == 0) {
        return 1;
      }
      if (Document->SaveToFile(nullptr, SAVE_TEMPORARY_COPY) == FILE_DONE) {
        Target = Document->temporaryFile.text;
        WBPanel->SetTag(reinterpret_cast<NativeInt>(Document));
      } else {
        Target.clear();
        WBPanel->SetTag(0);
      }
    }
  } else {
    WBPanel->SetTag(0);
  }
  if ((Flags & NAVIGATE_ADDRESS_BOX_TEXT) != 0) {
    Target = OpenCombo->Text();
  }
  if ((Flags & NAVIGATE_DOCUMENTATION) != 0) {
    Target = std::string(JoinPath(prg->volatileState->programFolder, "Documentation").text) + PathDelim +
             (Address != nullptr ? Address : "");
  }
  if (Target.empty()) {
    return -1;
  }
  const bool Displayable = IsPreviewable(nullptr, Target.c_str(), PREVIEWABLE_NAME) != 0;
  if (TBrowserControl* Browser = AsBrowser(WebBrowser); Browser != nullptr && Displayable) {
    (void)WaitForBrowser(WAIT_STOP_FIRST);
    // The wait ran the loop: the program may be closing and the browser gone.
    Browser = Running() ? AsBrowser(WebBrowser) : nullptr;
    if (Browser != nullptr && !Browser->Busy()) {
      Browser->Navigate(Target);
      BrowserPreviewDone = true;
    }
  }
  if (!Running()) {
    return 0;
  }
  if ((Flags & NAVIGATE_SHOW_ADDRESS) != 0 && Displayable) {
    OpenCombo->SetText(Target);
  }
  if ((Flags & NAVIGATE_RESTART_TIMER) != 0 && Displayable && BrowserTimer != nullptr) {
    BrowserTimer->SetEnabled(false);
    BrowserTimer->SetEnabled(true);
  }
  return 0;
}

int TZUBQEForm::IsPreviewable(fileinfoclass* Document, const char* Name, int Flags) {
  const char* List = prg && prg->editorOptions ? prg->editorOptions->previewExtensions.text : "";
  const auto InList = [List](const StrStore& Extension) {
    return Extension.length > 0 && FindInCommaList(Extension.text, List, COMMALIST_SEARCH) != STR_NOT_FOUND;
  };
  if ((Flags & PREVIEWABLE_DOCUMENT) != 0) {
    if (Document == nullptr) {
      return 0;
    }
    const bool ByName = InList(GetFileExtension(Document->name.text, 2 | 8)) || Document->onDisk == 0;
    if (!ByName) {
      return 0;
    }
    return (Flags & PREVIEWABLE_CAN_PREVIEW) == 0 || Document->CanPreview() != 0 ? 1 : 0;
  }
  if ((Flags & PREVIEWABLE_NAME) != 0) {
    if (Name == nullptr || *Name == 0) {
      return 0;
    }
    const std::size_t Length = std::strlen(Name);
    // Addresses and other names that are not absolute paths are for the browser to judge, and so are folders.
    if (!IsAbsolutePath(Name) || Name[Length - 1] == PathDelim) {
      return 1;
    }
    return InList(GetFileExtension(Name, 2 | 8)) ? 1 : 0;
  }
  return 0;
}

int TZUBQEForm::WaitForBrowser(int Flags) {
  TBrowserControl* Browser = AsBrowser(WebBrowser);
  if (Browser == nullptr) {
    return 1;
  }
  if ((Flags & WAIT_STOP_FIRST) != 0 && Browser->Busy()) {
    Browser->Stop();
  }
  // The wait ends with the load, and also when the program closes or the browser goes: a page that never
  // loads must not keep the program from ending.
  while (Running() && !Application->Terminated() && !ComponentState().Contains(csDestroying)) {
    Browser = AsBrowser(WebBrowser);
    if (Browser == nullptr || !Browser->Busy()) {
      break;
    }
    Application->ProcessMessages();
    std::this_thread::sleep_for(WAIT_STEP);
  }
  return 0;
}

bool TZUBQEForm::WebBrowserBusy() {
  TBrowserControl* Browser = AsBrowser(WebBrowser);
  return Browser != nullptr && Browser->Busy();
}

void TZUBQEForm::WBBackBtnClick(TObject*) {
  if (TBrowserControl* Browser = Running() ? AsBrowser(WebBrowser) : nullptr) {
    try {
      Browser->GoBack();
    } catch (const Exception&) {
      // No page to go back to.
    }
  }
}

void TZUBQEForm::WBForwardBtnClick(TObject*) {
  if (TBrowserControl* Browser = Running() ? AsBrowser(WebBrowser) : nullptr) {
    try {
      Browser->GoForward();
    } catch (const Exception&) {
      // No page to go forward to.
    }
  }
}

void TZUBQEForm::WBStopButtonClick(TObject*) {
  if (TBrowserControl* Browser = Running() ? AsBrowser(WebBrowser) : nullptr) {
    Browser->Stop();
  }
}

void TZUBQEForm::WBRefreshBtnClick(TObject*) {
  if (!Running()) {
    return;
  }
  WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
  Busy.setCursor(WindowControlHourGlass);
  fileinfoclass* Document = GetCurrentFile();
  if (PreviewMode() && Document != nullptr && (Document->flags & DOCFLAG_BROWSER_SOURCE) == 0) {
    if (IsPreviewable(Document, nullptr, PREVIEWABLE_DOCUMENT | PREVIEWABLE_CAN_PREVIEW) != 0) {
      (void)NavigateTo(nullptr, NAVIGATE_PREVIEW);  // a document that cannot be shown leaves the page
    } else {
      (void)ShowMessageBox(StrStore("Cannot preview the active document in the integrated web browser. This may be "
                                    "because it does not have a previewable file extension. You can specify "
                                    "previewable file extensions in the Editor Options."),
                           StrStore("Quillon: Cannot Preview"), MSG_ERROR);
    }
    return;
  }
  if (AsBrowser(WebBrowser) != nullptr) {
    (void)WaitForBrowser(WAIT_STOP_FIRST);
    TBrowserControl* Browser = Running() ? AsBrowser(WebBrowser) : nullptr;
    if (Browser == nullptr) {
      return;
    }
    if (!Browser->Busy()) {
      Browser->Refresh();
    }
    (void)WebBrowserDocumentComplete(Browser, Browser, COMPLETE_AFTER_WAIT);  // silent when nothing is copied
    if (!Running()) {
      return;
    }
  }
  (void)SafeSetFocus(CurrentEditor);  // a hidden editor takes no focus; nothing to report
  if (PreviewMode() && prg->interface->flags2.has(IF2::BrowserAutoRefresh) && BrowserTimer != nullptr) {
    BrowserTimer->SetEnabled(false);
    BrowserTimer->SetEnabled(true);
  }
}

void TZUBQEForm::BrowserTimerTimer(TObject*) {
  if (!Running() || !PaneOn() || !PreviewMode() || !prg->interface->flags2.has(IF2::BrowserAutoRefresh)) {
    return;
  }
  fileinfoclass* Document = GetCurrentFile();
  if (Document != nullptr && (Document->flags & DOCFLAG_BROWSER_SOURCE) == 0 &&
      IsPreviewable(Document, nullptr, PREVIEWABLE_DOCUMENT | PREVIEWABLE_CAN_PREVIEW) != 0) {
    WBRefreshBtnClick(this);
  }
}

void TZUBQEForm::WBGoButtonClick(TObject*) {
  if (!Running()) {
    return;
  }
  StringArrayStore& History = prg->interface->browserAddresses;
  const std::string Address = OpenCombo->Text();
  if (History.addString(Address.c_str(), ADDSTRING_REMOVE_MATCHES | ADDSTRING_EXACT | 1) == 0) {
    (void)ShowMessageBox(StrStore("addString() Error"), StrStore("Quillon: Error"), 0);
  }
  (void)History.saveToRegistry(HKEY_CURRENT_USER, HISTORY_KEY, HISTORY_COUNT);  // a failed save loses no entry
  FillAddressBox();
  OpenCombo->SetText(Address);
  (void)NavigateTo(Address.c_str(), 0);
}

void TZUBQEForm::OpenComboKeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') {
    // Taken here, so that the box does not beep.
    Key = 0;
    WBGoButtonClick(Sender);
  }
}

void TZUBQEForm::WBPreviewBtnClick(TObject*) {
  if (!Running()) {
    return;
  }
  prg->interface->flags2.toggle(IF2::BrowserPreview);
  UpdateMenuChecks();
  if (PreviewMode()) {
    (void)NavigateTo(nullptr, NAVIGATE_PREVIEW);
  }
}

void TZUBQEForm::WBHelpBtnClick(TObject*) {
  if (Running()) {
    (void)NavigateTo("contents.html", NAVIGATE_DOCUMENTATION);
  }
}

void TZUBQEForm::ViewWBSourceBtnClick(TObject*) {
  if (Running()) {
    (void)ShowBrowserSourceTab(0);
  }
}

void TZUBQEForm::WebBrowserStatusTextChange(TObject*, const std::string& Text) {
  if (!Running() || !PaneOn()) {
    return;
  }
  if (WebBrowserToolWindow->Floating()) {
    WBStatusBar->SetSimpleText(Text);
  } else {
    (void)SetStatusText(Text.c_str());
  }
}

void TZUBQEForm::WebBrowserCommandStateChange(TObject* Sender, int Command, bool Enable) {
  switch (Command) {
    case CSC_UPDATECOMMANDS:
      if (auto* Browser = dynamic_cast<TBrowserControl*>(Sender)) {
        WBStopBtn->SetEnabled(Browser->Busy());
      }
      break;
    case CSC_NAVIGATEFORWARD: WBForwardBtn->SetEnabled(Enable); break;
    case CSC_NAVIGATEBACK: WBBackBtn->SetEnabled(Enable); break;
    default: break;
  }
}

void TZUBQEForm::WebBrowserWindowProc(TBrowserControl* Browser, TMessage& Message) {
  if (Message.Msg == WM_CLOSE && Running()) {
    (void)ShowMessageBox(StrStore("The integrated web browser is attempting to close but this is not allowed."),
                         StrStore("Quillon: Trying To Close Browser"), MSG_INFORMATION);
    Message.Result = 0;
    return;
  }
  if (Message.Msg == CN_KEYDOWN || Message.Msg == CN_KEYUP || Message.Msg == CN_CHAR ||
      Message.Msg == CN_BASE + WM_DEADCHAR) {
    const WPARAM Key = Message.WParam;
    const bool ForTheWindow = Key == VK_BACK || Key == VK_TAB || (Key >= VK_F1 && Key <= VK_F12);
    const bool ForThePage = Key == VK_RETURN || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
    if (!ForTheWindow) {
      if (!ForThePage) {
        // The page's own handling of everything else: Delete, the clipboard keys, typing.
        MSG Rebuilt{};
        Rebuilt.hwnd = Browser->Handle();
        Rebuilt.message = Message.Msg - CN_BASE;
        Rebuilt.wParam = Message.WParam;
        Rebuilt.lParam = Message.LParam;
        Rebuilt.time = static_cast<DWORD>(GetMessageTime());
        Message.Result = Browser->TranslateAccelerator(Rebuilt) ? 1 : 0;
      } else {
        // Left to the page's window as an ordinary key.
        Message.Result = 0;
      }
      return;
    }
  }
  Browser->DefaultWindowProc(Message);
}

void TZUBQEForm::WebBrowserToolWindowVisibleChanged(TObject*) {
  if (!Running() || WebBrowserToolWindow->Visible() || !PaneOn()) {
    return;
  }
  prg->interface->flags.set(IF40::WebBrowser, false);
  (void)ApplyViewSettings(0);  // the view settings show what became of it
}

void TZUBQEForm::WebBrowserToolWindowDockChanged(TObject*) {
  if (Running()) {
    (void)ApplySettings(APPLY_STATUS_BAR);
  }
}

void TZUBQEForm::WebBrowserToolWindowDockChanging(TObject*, bool Floating, TTBDock* DockingTo) {
  if (Floating || DockingTo == nullptr) {
    return;
  }
  if (DockingTo == EditorBottomDock) {
    const int Half = EditorsAndWBPanel->ClientHeight() / 2;
    if (WebBrowserToolWindow->ClientAreaHeight() > Half) {
      WebBrowserToolWindow->SetClientAreaHeight(Half);
    }
  } else if (DockingTo == EditorRightDock) {
    for (TPanel* Panel : {MainPanel, EditorsAndWBPanel}) {
      const int Half = Panel->ClientWidth() / 2;
      if (WebBrowserToolWindow->ClientAreaWidth() > Half) {
        WebBrowserToolWindow->SetClientAreaWidth(Half);
      }
    }
  }
}
