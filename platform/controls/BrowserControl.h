// The platform's web browser control: a windowed control of the native class "ZUBWebBrowser", whose toolkit half
// (a real browser engine) lives in a library of its own that is loaded the first time a browser is made.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/rtl/Variants.h"

#include <functional>
#include <string>

// The native class of the browser window.
inline constexpr const char* WC_WEBBROWSER = "ZUBWebBrowser";

// Dispatch identifiers of the browser's properties.
inline constexpr int DISPID_APPLICATION = 200;
inline constexpr int DISPID_DOCUMENT = 203;
inline constexpr int DISPID_LOCATIONURL = 211;
inline constexpr int DISPID_BUSY = 212;
inline constexpr int DISPID_VISIBLE = 402;

// Commands of OnCommandStateChange.
inline constexpr int CSC_UPDATECOMMANDS = -1;
inline constexpr int CSC_NAVIGATEFORWARD = 1;
inline constexpr int CSC_NAVIGATEBACK = 2;

// Messages of the browser window (between the control and its toolkit half). Texts are 8-bit (code page 1252).
inline constexpr UINT BRM_FIRST = WM_USER + 0x700;
inline constexpr UINT BRM_NAVIGATE = BRM_FIRST + 0;   // LParam: const char* address
inline constexpr UINT BRM_GOBACK = BRM_FIRST + 1;     // 1 done, 0 no history
inline constexpr UINT BRM_GOFORWARD = BRM_FIRST + 2;  // 1 done, 0 no history
inline constexpr UINT BRM_REFRESH = BRM_FIRST + 3;
inline constexpr UINT BRM_STOP = BRM_FIRST + 4;
inline constexpr UINT BRM_GETBUSY = BRM_FIRST + 5;        // 1 from a navigation until its load ends
inline constexpr UINT BRM_GETLOCATION = BRM_FIRST + 6;    // LParam: std::string* to fill
inline constexpr UINT BRM_HASDOCUMENT = BRM_FIRST + 7;    // 1 once a page has loaded
inline constexpr UINT BRM_SAVESTART = BRM_FIRST + 8;      // LParam: const char* file name; 1 started, 0 failed
inline constexpr UINT BRM_SAVESTATE = BRM_FIRST + 9;      // 0 pending, 1 saved, -1 failed
inline constexpr UINT BRM_TRANSLATEKEY = BRM_FIRST + 10;  // LParam: const MSG*; 1 when the page took the key
inline constexpr UINT BRM_WINDOWCOUNT = BRM_FIRST + 11;   // the top-level windows the page opened
// Notifications the toolkit half sends (or posts) to its own window; the control turns them into events.
inline constexpr UINT BRN_STATUSTEXT = BRM_FIRST + 0x20;        // LParam: const char* text (sent)
inline constexpr UINT BRN_COMMANDSTATE = BRM_FIRST + 0x21;      // WParam: command (int), LParam: enabled (sent)
inline constexpr UINT BRN_DOCUMENTCOMPLETE = BRM_FIRST + 0x22;  // posted when the top document has loaded
inline constexpr UINT BRN_NEWWINDOW = BRM_FIRST + 0x23;         // LParam: bool* cancel (sent)

// Raised by GoBack and GoForward without history, and by a control that cannot be made.
Z_EXCEPTION(EBrowserError, Exception)

using TBrowserStatusTextEvent = std::function<void(TObject* Sender, const std::string& Text)>;
using TBrowserCommandStateEvent = std::function<void(TObject* Sender, int Command, bool Enable)>;
// Frame: the object whose document completed (the control itself for its top document).
using TBrowserDocumentCompleteEvent = std::function<void(TObject* Sender, TObject* Frame, const std::string& Address)>;
using TBrowserNewWindowEvent = std::function<void(TObject* Sender, bool& Cancel)>;
using TBrowserWndMethod = std::function<void(TMessage& Message)>;

// A web browser: navigates, keeps a history, reports its status and loaded documents through events and saves
// the loaded document as the server sent it. Owned by its owner like any control; its window (and the engine's
// view in it) goes with it. The browser engine is loaded the first time a control is constructed; the
// constructor raises EBrowserError when it cannot be loaded, or when ZUBQ_NO_WEB_BROWSER=1.
class TBrowserControl : public TWinControl {
  Z_CLASS(TBrowserControl, TWinControl)
public:
  explicit TBrowserControl(TComponent* AOwner);

  // Whether the browser engine can be (or has been) loaded; loads it on the first call.
  static bool EngineAvailable();

  void Navigate(const std::string& Address);
  // Raise EBrowserError when there is no page to go to.
  void GoBack();
  void GoForward();
  void Refresh();
  void Stop();
  bool Busy();
  std::string LocationURL();
  // Properties by dispatch identifier: 200 the control's window handle, 203 1 while a document is loaded,
  // 211 the location, 212 busy, 402 visible. Unknown identifiers give an empty variant.
  Variant GetProperty(int DispId);
  void SetProperty(int DispId, const Variant& Value);
  // Saves the loaded top document to the file as the server sent it, running the loop until it is written or
  // TimeoutMs passes; false when there is no document or the save failed.
  bool SaveDocumentToFile(const std::string& FileName, DWORD TimeoutMs = 10000);
  // Hands a key message to the page as its in-place object would take an accelerator; true when it took it.
  bool TranslateAccelerator(const MSG& Msg);
  // The top-level windows the page opened (links with a target of a new window, window.open).
  int OpenedWindowCount();

  // Replaces the window procedure: every message goes to WindowProc, which passes on what it does not handle
  // to DefaultWindowProc (the control's own).
  TBrowserWndMethod WindowProc;
  void DefaultWindowProc(TMessage& Message);

  TBrowserStatusTextEvent OnStatusTextChange;
  TBrowserCommandStateEvent OnCommandStateChange;
  TBrowserDocumentCompleteEvent OnDocumentComplete;
  TBrowserNewWindowEvent OnNewWindow2;

protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

private:
  bool FVisibleProperty = true;
};
