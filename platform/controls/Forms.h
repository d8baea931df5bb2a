// Forms, the application object and the screen: TCustomForm/TForm (show, modal loop, close actions, key
// preview, dialog keys), TApplication (message loop, idle, exceptions, shortcuts, hooks) and TScreen.
#pragma once

#include "platform/controls/Controls.h"

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon, biHelp>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
Z_ENUM_TYPEINFO(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")
Z_ENUM_TYPEINFO(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
Z_ENUM_TYPEINFO(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")
Z_ENUM_TYPEINFO(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
Z_ENUM_TYPEINFO(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TWMKey& Msg, bool& Handled)>;

// A top-level window of the program. The constructor is the class library's CreateNew; AfterConstruction (run
// by the virtual constructor, Application->CreateForm, or by hand after `new`) reads the layouts of the form's
// class and its ancestors when they exist (a .dfm beside the unit, converted at build time), then runs OnCreate,
// then shows the form if its layout says Visible = True. Show() shows it; ShowModal runs a nested loop until
// ModalResult is set.
class TCustomForm : public TWinControl {
  Z_CLASS(TCustomForm, TWinControl)

public:
  explicit TCustomForm(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;
  // Published: the form's own properties (border, position, state, client size, key preview, active control)
  // and events, as layout files name them.
  static void Publish(TMetaClass& Meta);
  void SetVisible(bool Value) override;
  void SetClientWidth(int Value) override;
  void SetClientHeight(int Value) override;
  // Before the window exists, the client area is what the border style will leave of the bounds.
  TRect ClientRect() override;

  void Show();
  void Hide() { SetVisible(false); }
  TModalResult ShowModal();
  void Close();
  bool CloseQuery();
  void Release();
  bool Active() const { return FActive; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Called as a control of the form gets the focus: records it and sends CM_EXIT / CM_ENTER.
  bool SetFocusedControl(TWinControl* Control);
  void FocusControl(TWinControl* Control);
  virtual bool IsShortCut(TWMKey& Message);
  bool DoKeyDown(TWMKey& Message) { return TWinControl::DoKeyDown(Message); }
  bool DoKeyUp(TWMKey& Message) { return TWinControl::DoKeyUp(Message); }
  bool DoKeyPress(TWMKey& Message) { return TWinControl::DoKeyPress(Message); }

  TModalResult ModalResult = mrNone;
  bool KeyPreview = false;
  TFormBorderStyle BorderStyle = bsSizeable;
  TBorderIcons BorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FormStyle = fsNormal;
  TPosition Position = poDesigned;
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  bool Modal() const { return FModal; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

  void Dispatch(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  // The first show follows WindowState (minimised, maximised) and does not activate a form of another's modal
  // loop.
  int ShowCommand() override;
  void Loaded() override;
  // Layouts hold the form's components that are not controls it shows (timers, lists...) before its controls.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();

private:
  void CMDialogKey(TWMKey& Message);
  void SetActive(bool Value);
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TWindowState FWindowState = wsNormal;
  bool FActive = false;
  bool FModal = false;
  bool FVisibleAfterCreate = false;  // Visible = True read from the layout: shown once created
  int FLoadedClientWidth = -1;       // client size read from the layout, applied once the border is known
  int FLoadedClientHeight = -1;
};

class TForm : public TCustomForm {
  Z_CLASS(TForm, TCustomForm)

public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
// A main-window hook sees the application window's messages first; true means handled.
using TWindowHook = std::function<bool(TMessage& Message)>;

// The application: its hidden window (Handle), its main form and its message loop.
class TApplication : public TComponent {
  Z_CLASS(TApplication, TComponent)

public:
  explicit TApplication(TComponent* AOwner);
  void BeforeDestruction() override;

  void Initialize() {}
  // Creates a form owned by the application (reading its layout); the first one becomes the main form. The
  // reference is set before the form's layout is read and OnCreate runs, so handlers may use it.
  template <class T> void CreateForm(T*& Reference) {
    auto* F = new T(this);
    Reference = F;
    FinishCreateForm(F);
  }
  // The same through a class reference (InstanceClass derives from T and is made by its virtual constructor,
  // which reads the layout; the reference is set once that is done).
  template <class T> void CreateForm(TClass InstanceClass, T*& Reference) {
    if (!InstanceClass || !InstanceClass->InheritsFrom(T::StaticClass())) {
      throw EInvalidOperation("CreateForm: the class is not a " + T::StaticClass()->ClassName());
    }
    auto* F = static_cast<T*>(InstanceClass->NewInstance(this));
    if (!F) {
      throw EInvalidOperation("CreateForm: " + InstanceClass->ClassName() + " cannot be created");
    }
    Reference = F;
    NoteMainForm(F);
  }
  // Shows the main form and runs the loop until Terminate (or the main form closes).
  void Run();
  // Reads and handles one message; with none queued it runs the idle handler and then waits.
  void HandleMessage();
  // Handles every queued message without waiting.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // The desktop's session is ending: the main form is asked (WM_QUERYENDSESSION runs its close query) and, when
  // it agrees, the loop ends. True when the session may end.
  bool QueryEndSession();
  // Reads one message and handles it as the loop does (OnMessage, the key chain, translate, dispatch); false
  // when the queue is empty. WM_QUIT sets Terminated.
  bool ProcessMessage(MSG& Msg);
  void HandleException(TObject* Sender, const std::exception* E);
  // A message box owned by the main form (or the application window), with the application's title as the
  // default caption.
  int MessageBox(const std::string& Text, const std::string& Caption = {}, UINT Flags = 0);
  void ShowException(const std::exception& E);
  // Whether a key message is a shortcut of the application (OnShortCut, then the main form).
  bool IsShortCut(TWMKey& Message);
  int HookMainWindow(TWindowHook Hook);
  void UnhookMainWindow(int HookId);

  HWND Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Form) { FMainForm = Form; }
  std::string Title;
  bool ShowMainForm = true;
  std::string Hint;
  bool ShowHint = true;
  int HintPause = 500;
  int HintHidePause = 2500;
  // The last exception message shown by ShowException (no message box service yet).
  std::string LastExceptionMessage;

  // Minimising the main form minimises the application (OnMinimize); restoring it runs OnRestore.
  void Minimize();
  void Restore();
  bool Minimized() const { return FMinimized; }
  // Help requests of the program. There is no help viewer: each request is recorded (HelpRequests) and, unless
  // OnHelp handles it, answered as done when a HelpFile is set.
  std::string HelpFile;
  bool HelpCommand(UINT Command, NativeInt Data);
  bool HelpContext(int Context);
  bool HelpJump(const std::string& JumpId);
  bool HelpKeyword(const std::string& Keyword);
  using THelpEvent = std::function<bool(UINT Command, NativeInt Data, bool& CallHelp)>;
  THelpEvent OnHelp;
  struct THelpRequest {
    std::string File;
    UINT Command = 0;
    NativeInt Data = 0;
    std::string Text;  // the jump id or keyword
  };
  std::vector<THelpRequest> HelpRequests;

  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TExceptionEvent OnException;
  TShortCutEvent OnShortCut;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnHint;
  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;

  // The windowless control that holds the mouse capture (its parent window has the real capture).
  static TControl* CaptureControl();
  static void SetCaptureControl(TControl* Control);
  // Called when a form is freed, so the application forgets it.
  void FormDestroyed(TCustomForm* Form);
  // Called when a control is freed, so the application stops pointing at it.
  void ControlDestroyed(TControl* Control);
  // Sends CM_MOUSELEAVE / CM_MOUSEENTER when the control under the pointer changed (run when idle).
  void DoMouseIdle();

private:
  void FinishCreateForm(TComponent* F) {
    F->AfterConstruction();
    NoteMainForm(F);
  }
  void NoteMainForm(TComponent* F) {
    if (!FMainForm) {
      if (auto* Form = dynamic_cast<TCustomForm*>(F)) {
        FMainForm = Form;
      }
    }
  }
  bool IsKeyMsg(MSG& Msg);
  void Idle();
  void WndProc(TMessage& Message);

  HWND FHandle = 0;
  WNDPROC FObjectInstance = nullptr;
  TCustomForm* FMainForm = nullptr;
  TControl* FMouseControl = nullptr;
  bool FTerminated = false;
  bool FMinimized = false;
  friend class TCustomForm;
  void MainFormSized(WPARAM Kind);
  bool DoHelp(UINT Command, NativeInt Data, const std::string& Text);
  std::vector<std::pair<int, TWindowHook>> FHooks;
  int FNextHookId = 1;
};

// The screen: the program's forms (topmost first), the active form and control, the cursor shown over the
// program and its table of cursors, and the desktop's size, work area, resolution and font families.
class TScreen : public TComponent {
  Z_CLASS(TScreen, TComponent)

public:
  explicit TScreen(TComponent* AOwner);
  void BeforeDestruction() override;
  int FormCount() const { return static_cast<int>(FForms.size()); }
  // The forms in z-order: shown forms as they are stacked, topmost first, then the others in creation order.
  TCustomForm* Forms(int Index) const;
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  int DesktopWidth() const { return Width(); }
  int DesktopHeight() const { return Height(); }
  int MonitorCount() const { return 1; }
  // The part of the screen not taken by the desktop's panels.
  TRect WorkAreaRect() const;
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  int PixelsPerInch = 96;
  // The cursor over every window of the program while it is not crDefault (an hourglass during work).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // The cursor handle of a crXXX value (or of one the program added); the arrow for unknown values.
  HCURSOR Cursors(int Index) const;
  void SetCursors(int Index, HCURSOR Handle);
  // The names of the installed font families, sorted.
  TStrings* Fonts();
  void ResetFonts();

  // Told when the focus moves to another control, and when another form becomes active.
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

  void AddForm(TCustomForm* Form) { FForms.push_back(Form); }
  void RemoveForm(TCustomForm* Form);

private:
  std::vector<TCustomForm*> FForms;
  TCursor FCursor = crDefault;
  std::map<int, HCURSOR> FCursors;
  TStringList* FFonts = nullptr;
};

// The mouse: its position, the capture and the drag settings.
class TMouse {
public:
  TPoint CursorPos() const;
  void SetCursorPos(TPoint Value);
  HWND Capture() const { return GetCapture(); }
  void SetCapture(HWND Value);
  bool MousePresent() const { return true; }
  bool WheelPresent() const { return true; }
  int WheelScrollLines = 3;
  bool DragImmediate = true;
  int DragThreshold = 5;
};

// The global application and screen objects, created on first use.
struct TApplicationRef {
  TApplication* operator->() const { return Get(); }
  operator TApplication*() const { return Get(); }
  static TApplication* Get();
};
struct TScreenRef {
  TScreen* operator->() const { return Get(); }
  operator TScreen*() const { return Get(); }
  static TScreen* Get();
};
struct TMouseRef {
  TMouse* operator->() const { return Get(); }
  static TMouse* Get();
};
inline constexpr TApplicationRef Application{};
inline constexpr TScreenRef Screen{};
inline constexpr TMouseRef Mouse{};
