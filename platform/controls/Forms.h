// Forms, the application object and the screen: TCustomForm/TForm (show, modal loop, close actions, key
// preview, dialog keys), TApplication (message loop, idle, exceptions, shortcuts, hooks) and TScreen.
#pragma once

#include "platform/controls/Controls.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon, biHelp>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
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

// A top-level window of the program. The constructor is the class library's CreateNew (no layout resource).
// Visible=true or Show() shows it; ShowModal runs a nested loop until ModalResult is set.
class TCustomForm : public TWinControl {
  Z_CLASS(TCustomForm, TWinControl)

public:
  explicit TCustomForm(TComponent* AOwner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

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
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T> void CreateForm(T*& Reference) {
    auto* F = new T(this);
    Reference = F;
    F->AfterConstruction();
    if (!FMainForm) {
      if (auto* Form = dynamic_cast<TCustomForm*>(static_cast<TComponent*>(F))) {
        FMainForm = Form;
      }
    }
  }
  // Shows the main form and runs the loop until Terminate (or the main form closes).
  void Run();
  // Reads and handles one message; with none queued it runs the idle handler and then waits.
  void HandleMessage();
  // Handles every queued message without waiting.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return FTerminated; }
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
  bool IsKeyMsg(MSG& Msg);
  void Idle();
  void WndProc(TMessage& Message);

  HWND FHandle = 0;
  WNDPROC FObjectInstance = nullptr;
  TCustomForm* FMainForm = nullptr;
  TControl* FMouseControl = nullptr;
  bool FTerminated = false;
  std::vector<std::pair<int, TWindowHook>> FHooks;
  int FNextHookId = 1;
};

// The screen: the program's forms, the active form and control, the desktop's size.
class TScreen : public TComponent {
  Z_CLASS(TScreen, TComponent)

public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(static_cast<std::size_t>(Index)); }
  TCustomForm* ActiveForm() const;
  TWinControl* ActiveControl() const;
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect WorkAreaRect() const { return Rect(0, 0, Width(), Height()); }
  int PixelsPerInch = 96;
  int Cursor = 0;

  void AddForm(TCustomForm* Form) { FForms.push_back(Form); }
  void RemoveForm(TCustomForm* Form);

private:
  std::vector<TCustomForm*> FForms;
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
inline constexpr TApplicationRef Application{};
inline constexpr TScreenRef Screen{};
