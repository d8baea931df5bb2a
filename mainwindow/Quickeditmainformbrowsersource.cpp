// The browser-source document: every page the browser finishes loading outside preview mode is copied, as the
// server sent it, into the "WB Source" document, which can then be read, edited and validated.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include "editor/Easyeditsource.h"
#include "mainwindow/Browserpane.h"
#include "platform/controls/BrowserControl.h"

#include <string>

using namespace BrowserPane;

namespace {

// Flags of AddNewFileTab.
constexpr int OPEN_BROWSER_SOURCE = 0x80;
constexpr int OPEN_NO_SELECT = 0x200;
// Flags of fileinfoclass::SetBrowserLocation: the display name and the web address.
constexpr int LOCATION_NAMES = 0x1 | 0x2;
// Flags of UpdateOpenedListItem.
constexpr int OPENED_REFRESH = 0x4;

fileinfoclass* FindBrowserSource(int* Index) {
  PointerArrayManager* Documents = prg->volatileState->documents;
  for (int I = 0; Documents != nullptr && I < Documents->getCount(); ++I) {
    auto* Document = static_cast<fileinfoclass*>(Documents->getPointer(I));
    if (Document != nullptr && (Document->flags & DOCFLAG_BROWSER_SOURCE) != 0) {
      if (Index != nullptr) {
        *Index = I;
      }
      return Document;
    }
  }
  return nullptr;
}

// The edited copy of a page keeps its text as an ordinary document that cannot be reloaded.
void SetFree(fileinfoclass* Document) {
  (void)Document->SetBrowserLocation("", LOCATION_NAMES);  // always 0
  Document->onDisk = 0;
  Document->SetFlags(DOCFLAG_BROWSER_SOURCE, false);
  Document->SetFlags(DOCFLAG_DETACHED_SOURCE, true);
}

}  // namespace

fileinfoclass* TZUBQEForm::GetBrowserSourceDocument(int* Index) {
  if (Index != nullptr) {
    *Index = -1;
  }
  if (!Running()) {
    return nullptr;
  }
  if (fileinfoclass* Found = FindBrowserSource(Index)) {
    return Found;
  }
  const int Flags = OPEN_BROWSER_SOURCE | (PreviewMode() ? OPEN_NO_SELECT : 0);
  if (AddNewFileTab(nullptr, nullptr, Flags, nullptr) < 0) {
    return nullptr;  // reported by AddNewFileTab
  }
  return Running() ? FindBrowserSource(Index) : nullptr;
}

int TZUBQEForm::ShowBrowserSourceTab(int Flags) {
  if (!Running() || CurrentEditor == nullptr) {
    return -1;
  }
  int Index = -1;
  fileinfoclass* Source = GetBrowserSourceDocument(&Index);
  if (Source == nullptr || Index < 0) {
    return -1;
  }
  if ((Flags & SOURCETAB_UNLESS_CURRENT) != 0 && GetCurrentFile() == Source) {
    return 1;
  }
  auto* Tabs = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
  (void)SelectTab(Tabs, Index, 0);  // reports its own failures
  return 0;
}

int TZUBQEForm::WebBrowserDocumentComplete(TObject*, TObject* Frame, int Flags) {
  if (!Running()) {
    return 4;
  }
  TBrowserControl* Browser = AsBrowser(WebBrowser);
  if (Browser == nullptr) {
    return -1;
  }
  if (!PaneOn()) {
    return 3;
  }
  if ((Flags & COMPLETE_FROM_EVENT) != 0) {
    if (Browser->Busy()) {
      return 2;
    }
    // Only the top document counts, not the documents of its frames.
    if (Frame != Browser) {
      return 1;
    }
  } else if ((Flags & COMPLETE_AFTER_WAIT) != 0) {
    (void)WaitForBrowser(WAIT_UNTIL_IDLE);
    // The wait ran the loop: the program may be closing and the browser gone.
    if (!Running()) {
      return 4;
    }
    if ((Browser = AsBrowser(WebBrowser)) == nullptr) {
      return -1;
    }
  } else {
    return 1;
  }
  const std::string Location = Browser->GetProperty(DISPID_LOCATIONURL).AsString();
  if (Location.empty()) {
    return -3;
  }
  OpenCombo->SetText(Location);
  fileinfoclass* Source = GetBrowserSourceDocument(nullptr);
  if (Source == nullptr) {
    return Running() ? -2 : 4;
  }
  (void)WaitForBrowser(WAIT_UNTIL_IDLE);
  if (!Running()) {
    return 4;
  }
  if ((Browser = AsBrowser(WebBrowser)) == nullptr) {
    return -1;
  }
  const std::string FileName = prg->volatileState->browserSourceFile.text;
  const bool Saved = Browser->GetProperty(DISPID_DOCUMENT).AsBoolean() && Browser->SaveDocumentToFile(FileName);
  if (!Running()) {
    return 4;
  }
  if (Saved) {
    // The document may have gone while the page was saved.
    Source = GetBrowserSourceDocument(nullptr);
    if (Source != nullptr && Source->text != nullptr && Source->text->Modified) {
      SetFree(Source);
      UpdateOpenedListItem(Source, OPENED_REFRESH);
      Source = GetBrowserSourceDocument(nullptr);
    }
    if (Source == nullptr) {
      return Running() ? -2 : 4;
    }
    if (Source->LoadFromFile(FileName.c_str(), 0) == FILE_DONE) {
      (void)Source->SetBrowserLocation(Location.c_str(), LOCATION_NAMES);  // always 0
      (void)MarkDocumentSaved(Source);
      UpdateOpenedListItem(Source, OPENED_REFRESH);
      UpdateTitle(0);
    }
  }
  Application->ProcessMessages();
  if (!Running()) {
    return 4;
  }
  if (!PreviewMode() && prg->interface->flags2.has(IF2::ValidateBrowserSource)) {
    (void)ShowBrowserSourceTab(SOURCETAB_UNLESS_CURRENT);
    Application->ProcessMessages();
    if (!Running()) {
      return 4;
    }
    ToolsValidateClick(this);
  }
  return 0;
}
