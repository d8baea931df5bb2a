// Controls and forms over the window system: message order for clicks, focus and Tab, shortcuts through the
// form and the application, the modal loop, idle processing, exceptions, alignment.
#include "platform/controls/ExtCtrls.h"
#include "platform/classes/Filer.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using Strings = std::vector<std::string>;

namespace {

Strings Log;

// A self-painting control that records what reaches it.
class TProbe : public TCustomControl {
  Z_CLASS(TProbe, TCustomControl)

public:
  explicit TProbe(TComponent* AOwner) : TCustomControl(AOwner) {
    TabStop = true;
    OnMouseDown = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
      Log.push_back(Name() + ":OnMouseDown " + std::to_string(B) + (S.Contains(ssDouble) ? " double" : "") + " " +
                    std::to_string(X) + "," + std::to_string(Y));
    };
    OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back(Name() + ":OnMouseUp"); };
    OnClick = [this](TObject*) { Log.push_back(Name() + ":OnClick"); };
    OnDblClick = [this](TObject*) { Log.push_back(Name() + ":OnDblClick"); };
    OnEnter = [this](TObject*) { Log.push_back(Name() + ":OnEnter"); };
    OnExit = [this](TObject*) { Log.push_back(Name() + ":OnExit"); };
    OnKeyPress = [this](TObject*, char& K) { Log.push_back(Name() + ":OnKeyPress " + std::string(1, K)); };
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_LBUTTONDOWN: Log.push_back(Name() + ":WM_LBUTTONDOWN"); break;
      case WM_LBUTTONUP: Log.push_back(Name() + ":WM_LBUTTONUP"); break;
      case WM_LBUTTONDBLCLK: Log.push_back(Name() + ":WM_LBUTTONDBLCLK"); break;
      case WM_USER: Log.push_back(Name() + ":WM_USER"); break;
      case CM_MOUSEENTER: Log.push_back(Name() + ":CM_MOUSEENTER"); break;
      case CM_MOUSELEAVE: Log.push_back(Name() + ":CM_MOUSELEAVE"); break;
      default: break;
    }
    TCustomControl::Dispatch(Message);
  }
};
Z_IMPLEMENT_CLASS(TProbe, TCustomControl)

class Forms : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->BorderStyle = bsSingle;
    Form->SetBounds(50, 50, 400, 300);
    for (auto [P, Name] : {std::pair{&A, "A"}, std::pair{&B, "B"}, std::pair{&C, "C"}}) {
      *P = new TProbe(Form);
      (*P)->AfterConstruction();
      (*P)->SetName(Name);
      (*P)->SetParent(Form);
    }
    A->SetBounds(10, 10, 100, 30);
    B->SetBounds(10, 50, 100, 30);
    C->SetBounds(10, 90, 100, 30);
    Form->Show();
    Harness::RunUntilIdle();
    SetCursorPos(-1000, -1000);  // the pointer starts over nothing, whatever the last test did
    Application->DoMouseIdle();
    Log.clear();
  }
  void TearDown() override {
    Application->OnIdle = nullptr;
    Application->OnException = nullptr;
    Application->OnShortCut = nullptr;
    delete Form;
    Harness::RunUntilIdle();
    Log.clear();
  }
  TForm* Form = nullptr;
  TProbe* A = nullptr;
  TProbe* B = nullptr;
  TProbe* C = nullptr;
};

TEST_F(Forms, ClickAndDoubleClickReachTheControlInThePlatformsOrder) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  Harness::Click(B->Handle(), Point(4, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"B:WM_LBUTTONDOWN", "B:OnMouseDown 0 4,5", "B:WM_LBUTTONUP", "B:OnClick",
                          "B:OnMouseUp"}));
  Log.clear();
  Manual.Advance(1000);
  Harness::DoubleClick(B->Handle(), Point(4, 5));
  Harness::RunUntilIdle();
  EXPECT_EQ(Log, (Strings{"B:WM_LBUTTONDOWN", "B:OnMouseDown 0 4,5", "B:WM_LBUTTONUP", "B:OnClick", "B:OnMouseUp",
                          "B:WM_LBUTTONDBLCLK", "B:OnDblClick", "B:OnMouseDown 0 double 4,5", "B:WM_LBUTTONUP",
                          "B:OnMouseUp"}));
}

TEST_F(Forms, TabMovesTheFocusInTabOrderWithEnterAndExit) {
  A->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->Focused());
  Log.clear();
  Harness::KeyPress(VK_TAB);
  Harness::TypeText("x");
  Harness::RunUntilIdle();
  EXPECT_TRUE(B->Focused());
  EXPECT_EQ(Log, (Strings{"A:OnExit", "B:OnEnter", "B:OnKeyPress x"}));
  Log.clear();
  Harness::KeyPress(VK_TAB, Harness::TMods{true, false, false});
  Harness::RunUntilIdle();
  EXPECT_TRUE(A->Focused());
  B->TabStop = false;
  Harness::KeyPress(VK_TAB);
  Harness::RunUntilIdle();
  EXPECT_TRUE(C->Focused());  // B is skipped
  EXPECT_EQ(Form->ActiveControl(), C);
  EXPECT_EQ(Screen->ActiveControl(), C);
  EXPECT_EQ(Screen->ActiveForm(), Form);
}

TEST_F(Forms, ShortcutReachesTheFormThenTheApplicationHooks) {
  A->SetFocus();
  Harness::RunUntilIdle();
  Log.clear();
  Form->OnShortCut = [](TWMKey& Msg, bool& Handled) {
    Log.push_back("Form:IsShortCut " + std::to_string(Msg.CharCode));
    Handled = Msg.CharCode == 'S';
  };
  int Hook = Application->HookMainWindow([](TMessage& M) {
    if (M.Msg == CM_APPKEYDOWN) {
      Log.push_back("App:CM_APPKEYDOWN " + std::to_string(M.WParam));
    }
    return false;
  });
  Harness::KeyPress('S', Harness::TMods{false, true, false});  // handled by the form: no character
  Harness::KeyPress('Q', Harness::TMods{false, true, false});  // not a shortcut: the control gets Ctrl+Q
  Harness::RunUntilIdle();
  Application->UnhookMainWindow(Hook);
  Strings Want{"Form:IsShortCut 17", "App:CM_APPKEYDOWN 17", "Form:IsShortCut 83", "Form:IsShortCut 17",
               "App:CM_APPKEYDOWN 17", "Form:IsShortCut 81", "App:CM_APPKEYDOWN 81", "A:OnKeyPress \x11"};
  EXPECT_EQ(Log, Want);
}

TEST_F(Forms, AltAloneReachesTheApplicationAsSystemCommand) {
  A->SetFocus();
  std::vector<UINT> Seen;
  int Hook = Application->HookMainWindow([&](TMessage& M) {
    if (M.Msg == CM_APPSYSCOMMAND) {
      auto* Cmd = reinterpret_cast<TMessage*>(M.LParam);
      Seen.push_back(static_cast<UINT>(Cmd->WParam));
    }
    return false;
  });
  Harness::KeyPress(VK_MENU);
  Harness::RunUntilIdle();
  Application->UnhookMainWindow(Hook);
  EXPECT_EQ(Seen, std::vector<UINT>{static_cast<UINT>(SC_KEYMENU)});
}

TEST_F(Forms, ModalFormReturnsItsResultWhileTimersAndPostsFlow) {
  auto* Dialog = new TForm(Application);
  Dialog->AfterConstruction();
  Dialog->SetBounds(100, 100, 200, 100);
  auto* Probe = new TProbe(Dialog);
  Probe->AfterConstruction();
  Probe->SetName("P");
  Probe->SetParent(Dialog);
  int Ticks = 0;
  bool FormDisabledDuringModal = false;
  HWND FormHandle = Form->Handle();
  Dialog->OnShow = [&](TObject*) {
    PostMessage(Probe->Handle(), WM_USER, 0, 0);
    SetTimer(Probe->Handle(), 1, 10, nullptr);
  };
  auto OldHook = Application->HookMainWindow([](TMessage&) { return false; });
  Probe->OnPaint = nullptr;
  // The probe's timer ends the dialog after two ticks.
  Application->OnMessage = [&](MSG& M, bool&) {
    if (M.message == WM_TIMER && M.hwnd == Probe->Handle() && ++Ticks == 2) {
      FormDisabledDuringModal = !IsWindowEnabled(FormHandle);
      KillTimer(Probe->Handle(), 1);
      Dialog->ModalResult = mrOk;
    }
  };
  EXPECT_EQ(Dialog->ShowModal(), mrOk);
  Application->OnMessage = nullptr;
  Application->UnhookMainWindow(OldHook);
  EXPECT_EQ(Ticks, 2);
  EXPECT_TRUE(FormDisabledDuringModal);
  EXPECT_TRUE(IsWindowEnabled(FormHandle));
  EXPECT_FALSE(Dialog->Visible());
  EXPECT_EQ(Log, Strings{"P:WM_USER"});
  delete Dialog;
}

TEST_F(Forms, CloseQueryAndCloseActions) {
  auto* Other = new TForm(Application);
  Other->AfterConstruction();
  Other->Show();
  bool Allow = false;
  Other->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = Allow; };
  Other->Close();
  EXPECT_TRUE(Other->Visible());
  Allow = true;
  Other->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
  bool Destroyed = false;
  Other->OnDestroy = [&](TObject*) { Destroyed = true; };
  PostMessage(Other->Handle(), WM_CLOSE, 0, 0);
  Harness::RunUntilIdle();  // WM_CLOSE -> Close -> Release -> CM_RELEASE -> freed
  EXPECT_TRUE(Destroyed);
  EXPECT_EQ(Screen->FormCount(), 1);
}

TEST_F(Forms, IdleRunsOnceTheQueueDrains) {
  Application->OnIdle = [](TObject*, bool& Done) {
    Log.push_back("idle");
    Done = false;  // do not wait: the test drives the loop itself
  };
  for (int I = 0; I < 3; ++I) {
    PostMessage(A->Handle(), WM_USER, 0, 0);
  }
  for (int I = 0; I < 4; ++I) {
    Application->HandleMessage();
  }
  EXPECT_EQ(Log, (Strings{"A:WM_USER", "A:WM_USER", "A:WM_USER", "idle"}));
}

TEST_F(Forms, ExceptionsInHandlersGoToTheApplication) {
  std::vector<std::string> Caught;
  Application->OnException = [&](TObject* Sender, const std::exception& E) {
    Caught.push_back((Sender ? static_cast<TComponent*>(Sender)->Name() : std::string("?")) + ":" + E.what());
  };
  A->OnClick = [](TObject*) { throw EConvertError("bad value"); };
  A->OnEnter = nullptr;
  Harness::Click(A->Handle(), Point(1, 1));
  PostMessage(B->Handle(), WM_USER, 0, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Caught, Strings{"A:bad value"});
  PostMessage(B->Handle(), WM_USER + 1, 0, 0);
  PostMessage(B->Handle(), WM_USER, 0, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Log.back(), "B:WM_USER");  // the loop goes on after the exception
}

TEST_F(Forms, AlignmentFollowsTheClassLibrarysOrder) {
  auto Make = [&](TAlign Al, int W, int H) {
    auto* P = new TProbe(Form);
    P->AfterConstruction();
    P->SetBounds(0, 0, W, H);
    P->SetAlign(Al);
    P->SetParent(Form);
    return P;
  };
  auto* Client = Make(alClient, 1, 1);
  auto* Top = Make(alTop, 1, 20);
  auto* Left = Make(alLeft, 30, 1);
  auto* Bottom = Make(alBottom, 1, 10);
  auto* Right = Make(alRight, 40, 1);
  TRect CR = Form->ClientRect();
  EXPECT_EQ(Top->BoundsRect(), Rect(0, 0, CR.Right, 20));
  EXPECT_EQ(Bottom->BoundsRect(), Rect(0, CR.Bottom - 10, CR.Right, CR.Bottom));
  EXPECT_EQ(Left->BoundsRect(), Rect(0, 20, 30, CR.Bottom - 10));
  EXPECT_EQ(Right->BoundsRect(), Rect(CR.Right - 40, 20, CR.Right, CR.Bottom - 10));
  EXPECT_EQ(Client->BoundsRect(), Rect(30, 20, CR.Right - 40, CR.Bottom - 10));
  Form->SetBounds(50, 50, 500, 400);  // a resize realigns
  CR = Form->ClientRect();
  EXPECT_EQ(Client->BoundsRect(), Rect(30, 20, CR.Right - 40, CR.Bottom - 10));
}

// A service that checks what the program looks like while a box is up.
class TOwnerCheck final : public TDialogService {
public:
  TDialogAnswer Run(const TDialogRequest& R) override {
    OwnerEnabled = IsWindowEnabled(GetAncestor(R.Owner, GA_ROOT));
    return TDialogAnswer{IDRETRY, {}};
  }
  BOOL OwnerEnabled = TRUE;
};

TEST_F(Forms, MessageBoxesGoThroughTheDialogServiceAndNeverBlockTests) {
  TScriptedDialogs Script;
  {
    TScopedDialogService Use(Script);
    Script.QueueAnswer(IDNO);
    EXPECT_EQ(MessageBox(Form->Handle(), "Save changes?", "Quillon", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2),
              IDNO);
    EXPECT_EQ(MessageBox(0, "Nothing queued", "Quillon", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(MessageBox(0, "Bad type", "Quillon", 0x0F), 0);
    Application->Title = "Quillon";
    Application->ShowException(EConvertError("'x' is not a valid integer value"));
  }
  auto Shown = Script.Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[0].Caption, "Quillon");
  EXPECT_EQ(Shown[0].Text, "Save changes?");
  EXPECT_EQ(Shown[0].Flags & MB_ICONMASK, MB_ICONQUESTION);
  EXPECT_EQ(Shown[0].Buttons, (std::vector<int>{IDYES, IDNO, IDCANCEL}));
  EXPECT_EQ(Shown[0].DefaultButton, IDNO);
  EXPECT_EQ(Shown[0].Owner, Form->Handle());
  EXPECT_EQ(Shown[2].Text, "'x' is not a valid integer value.");  // the class library adds the period
  EXPECT_EQ(Shown[2].Flags, MB_OK | MB_ICONSTOP);

  TOwnerCheck Check;
  TScopedDialogService Use(Check);
  EXPECT_EQ(MessageBox(A->Handle(), "Retry?", "Quillon", MB_RETRYCANCEL), IDRETRY);
  EXPECT_FALSE(Check.OwnerEnabled);  // the owner's form waited
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
}

TEST_F(Forms, TimerComponentFiresFromTheLoopWhileEnabled) {
  TManualClock Manual;
  TScopedClock Use(Manual);
  auto* T = new TTimer(Form);
  T->AfterConstruction();
  int Fired = 0;
  T->SetInterval(100);
  T->SetOnTimer([&](TObject*) { ++Fired; });
  Harness::Advance(Manual, 99);
  EXPECT_EQ(Fired, 0);
  Harness::Advance(Manual, 1);
  EXPECT_EQ(Fired, 1);
  Harness::Advance(Manual, 350);  // late: one call, not three
  EXPECT_EQ(Fired, 2);
  T->SetEnabled(false);
  Harness::Advance(Manual, 1000);
  EXPECT_EQ(Fired, 2);
  T->SetEnabled(true);
  delete T;  // its window and timer go with it
  Harness::Advance(Manual, 1000);
  EXPECT_EQ(Fired, 2);
}

TEST_F(Forms, MouseEnterAndLeaveFollowThePointerWhenIdle) {
  Harness::MouseMove(A->Handle(), Point(2, 2));
  Harness::RunUntilIdle();
  Application->DoMouseIdle();
  Harness::MouseMove(A->Handle(), Point(3, 3));
  Harness::RunUntilIdle();
  Application->DoMouseIdle();  // still over A: nothing new
  Harness::MouseMove(B->Handle(), Point(2, 2));
  Harness::RunUntilIdle();
  Application->DoMouseIdle();
  Strings Got;
  for (auto& L : Log) {
    if (L.find("CM_MOUSE") != std::string::npos) {
      Got.push_back(L);
    }
  }
  EXPECT_EQ(Got, (Strings{"A:CM_MOUSEENTER", "A:CM_MOUSELEAVE", "B:CM_MOUSEENTER"}));
}

TEST_F(Forms, DemoFormWithACustomControlIsSavedAsPng) {
  // A custom control paints on its canvas for WM_PAINT, with its own colour in the canvas's brush.
  B->SetColor(clYellow);
  B->OnPaint = [this](TObject*) {
    TCanvas* Cv = B->Canvas();
    Cv->FillRect(Rect(0, 0, B->Width(), B->Height()));
    Cv->Brush()->SetColor(clRed);
    Cv->Ellipse(Rect(2, 2, 28, 28));
    Cv->Brush()->SetColor(clYellow);
    Cv->TextOut(40, 8, "Quillon");
  };
  B->Invalidate();
  Harness::RunUntilIdle();
  HDC DC = GetDC(B->Handle());
  EXPECT_EQ(GetPixel(DC, 15, 15), ColorToRGB(clRed));
  EXPECT_EQ(GetPixel(DC, 95, 2), ColorToRGB(clYellow));
  ReleaseDC(B->Handle(), DC);
  auto File = std::string(ZUBQ_BINARY_DIR) + "/demo_form.png";
  std::remove(File.c_str());
  EXPECT_TRUE(Harness::SaveWindowPng(Form->Handle(), File));
  std::ifstream Png(File, std::ios::binary);
  char Magic[4] = {};
  Png.read(Magic, 4);
  EXPECT_EQ(std::string(Magic + 1, 3), "PNG");
  B->OnPaint = nullptr;
}

TEST_F(Forms, ColourAndFontFollowTheParentUntilSetAndReadFromLayouts) {
  EXPECT_EQ(Form->Color(), clBtnFace);
  EXPECT_TRUE(A->ParentColor());
  EXPECT_EQ(A->Color(), clBtnFace);  // taken from the form when parented
  Form->Font()->SetName("Courier New");
  EXPECT_EQ(A->Font()->Name(), "Courier New");
  EXPECT_TRUE(A->ParentFont());
  Form->SetColor(clNavy);
  EXPECT_EQ(B->Color(), clNavy);
  // Own settings stop the following; turning ParentFont back on takes the parent's again.
  A->Font()->SetSize(14);
  EXPECT_FALSE(A->ParentFont());
  A->SetColor(clLime);
  Form->SetColor(clTeal);
  Form->Font()->SetName("Arial");
  EXPECT_EQ(A->Color(), clLime);
  EXPECT_EQ(A->Font()->Name(), "Courier New");
  EXPECT_EQ(B->Font()->Name(), "Arial");
  A->SetParentFont(true);
  EXPECT_EQ(A->Font()->Name(), "Arial");
  EXPECT_EQ(A->Font()->Size(), Form->Font()->Size());
  // Layout text names colours and cursors.
  A->Cursor = crHandPoint;
  TMemoryStream S;
  S.WriteComponent(A);
  S.SetPosition(0);
  TStringStream Text;
  ObjectBinaryToText(&S, &Text);
  EXPECT_NE(Text.DataString().find("Color = clLime"), std::string::npos) << Text.DataString();
  EXPECT_NE(Text.DataString().find("Cursor = crHandPoint"), std::string::npos);
  EXPECT_NE(Text.DataString().find("ParentColor = False"), std::string::npos);
}

}  // namespace

namespace {
// A windowless control that fills itself with its colour and marks its top-left pixel.
class TSwatch : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    Canvas()->SetPixels(0, 0, clBlack);
  }
};
}  // namespace

TEST_F(Forms, GraphicControlsArePaintedByTheirParentAtTheirPlace) {
  // On a form (which does not paint itself) and on a custom control (which does, first).
  auto* OnForm = new TSwatch(Form);
  OnForm->SetParent(Form);
  OnForm->SetBounds(150, 10, 20, 10);
  OnForm->SetColor(clLime);
  auto* OnB = new TSwatch(Form);
  OnB->SetParent(B);
  OnB->SetBounds(40, 5, 10, 10);
  OnB->SetColor(clBlue);
  B->OnPaint = [this](TObject*) {
    B->Canvas()->Brush()->SetColor(clYellow);
    B->Canvas()->FillRect(Rect(0, 0, B->Width(), B->Height()));
  };
  Form->Invalidate();
  B->Invalidate();
  Harness::RunUntilIdle();
  EXPECT_GE(OnForm->Paints, 1);
  EXPECT_GE(OnB->Paints, 1);
  HDC DC = GetDC(Form->Handle());
  EXPECT_EQ(GetPixel(DC, 150, 10), ColorToRGB(clBlack));
  EXPECT_EQ(GetPixel(DC, 160, 15), ColorToRGB(clLime));
  EXPECT_NE(GetPixel(DC, 171, 15), ColorToRGB(clLime));  // clipped to its bounds
  ReleaseDC(Form->Handle(), DC);
  DC = GetDC(B->Handle());
  EXPECT_EQ(GetPixel(DC, 40, 5), ColorToRGB(clBlack));
  EXPECT_EQ(GetPixel(DC, 45, 10), ColorToRGB(clBlue));
  EXPECT_EQ(GetPixel(DC, 60, 10), ColorToRGB(clYellow));  // the parent's own painting around it
  ReleaseDC(B->Handle(), DC);
  B->OnPaint = nullptr;
}
