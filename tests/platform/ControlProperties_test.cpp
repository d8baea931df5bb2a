// The common properties every control carries: ShowHint following the parent (and the hint manager's choice of
// control), Ctl3D with the border it gives, the mouse wheel's route, OnCanResize/OnConstrainedResize, and a
// layout with all of them read and written back unchanged.
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Hints.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/Clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A windowed control that counts the change messages it hears.
class TProbe : public TCustomControl {
  Z_CLASS(TProbe, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  std::vector<UINT> Heard;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_SHOWHINTCHANGED || Message.Msg == CM_PARENTSHOWHINTCHANGED ||
        Message.Msg == CM_CTL3DCHANGED || Message.Msg == CM_PARENTCTL3DCHANGED) {
      Heard.push_back(Message.Msg);
    }
    TCustomControl::Dispatch(Message);
  }
  using TControl::DoMouseWheel;
};
Z_IMPLEMENT_CLASS(TProbe, TCustomControl)

class ControlProperties : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 420, 320);
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(0, 0, 400, 280);
    Probe = new TProbe(Form);
    Probe->SetParent(Panel);
    Probe->SetBounds(10, 10, 100, 50);
  }
  void TearDown() override {
    delete Form;
    Harness::RunUntilIdle();
  }
  void ShowForm() {
    Form->Show();
    Harness::RunUntilIdle();
  }
  TForm* Form = nullptr;
  TPanel* Panel = nullptr;
  TProbe* Probe = nullptr;
};

// ---- ShowHint and ParentShowHint ------------------------------------------------------------------------------

TEST_F(ControlProperties, ShowHintFollowsTheParentUntilSetOnTheControl) {
  Probe->Heard.clear();
  EXPECT_TRUE(Probe->ParentShowHint());
  EXPECT_FALSE(Probe->ShowHint());
  Form->SetShowHint(true);
  EXPECT_FALSE(Form->ParentShowHint());  // setting it turns following off
  EXPECT_TRUE(Panel->ShowHint());
  EXPECT_TRUE(Probe->ShowHint());  // through the panel
  EXPECT_EQ(Probe->Heard, (std::vector<UINT>{CM_PARENTSHOWHINTCHANGED, CM_SHOWHINTCHANGED}));

  Probe->SetShowHint(false);
  EXPECT_FALSE(Probe->ParentShowHint());
  EXPECT_TRUE(Probe->IsShowHintStored());
  Form->SetShowHint(false);
  Form->SetShowHint(true);
  EXPECT_FALSE(Probe->ShowHint());  // no longer follows
  Probe->SetParentShowHint(true);
  EXPECT_TRUE(Probe->ShowHint());  // takes the parent's at once

  // A control put on a parent takes the parent's.
  auto* Late = new TProbe(Form);
  Late->SetParent(Panel);
  EXPECT_TRUE(Late->ShowHint());
}

class HintChoice : public ControlProperties {
protected:
  void SetUp() override {
    ControlProperties::SetUp();
    Other = new TProbe(Form);
    Other->SetParent(Panel);
    Other->SetBounds(150, 10, 100, 50);
    ShowForm();
    Hints().Install();
    Hints().CancelHint();
    Hints().OnShowHint = [this](std::string& S, bool&, THintInfo& Info) {
      Shown = S;
      ShownFor = Info.HintControl;
    };
  }
  void TearDown() override {
    Hints().CancelHint();
    Hints().OnShowHint = nullptr;
    Hints().Uninstall();
    ControlProperties::TearDown();
  }
  bool HintOver(TWinControl* C) {
    Shown.clear();
    ShownFor = nullptr;
    TPoint P = Point(5, 5);
    ClientToScreen(C->Handle(), &P);
    return Hints().ActivateHint(P);
  }
  TManualClock Clock;
  TScopedClock UseClock{Clock};
  TProbe* Other = nullptr;
  std::string Shown;
  TControl* ShownFor = nullptr;
};

TEST_F(HintChoice, TheHintControlIsTheNearestWithShowHintAndTheTextTheNearestHint) {
  Probe->Hint = "Probe|long";
  Panel->Hint = "Panel";
  // Nobody shows hints.
  EXPECT_FALSE(HintOver(Probe));
  // The form's ShowHint reaches the children: each shows its own text, or its parent's when it has none.
  Form->SetShowHint(true);
  ASSERT_TRUE(HintOver(Probe));
  EXPECT_EQ(Shown, "Probe");
  EXPECT_EQ(ShownFor, Probe);
  ASSERT_TRUE(HintOver(Other));
  EXPECT_EQ(Shown, "Panel");
  EXPECT_EQ(ShownFor, Other);
  // A control that turned hints off gives the hint to its nearest parent that shows them.
  Other->SetShowHint(false);
  ASSERT_TRUE(HintOver(Other));
  EXPECT_EQ(ShownFor, Panel);
  EXPECT_EQ(Shown, "Panel");
  // Showing hints without any text on the way up shows nothing.
  Panel->Hint.clear();
  EXPECT_FALSE(HintOver(Other));
}

// ---- Ctl3D ------------------------------------------------------------------------------------------------------

TEST_F(ControlProperties, Ctl3DGivesASunkenEdgeAndOffAFlatBorderThatIsDrawn) {
  struct TCase {
    const char* Name;
    TWinControl* Control;
  };
  auto* Edit = new TEdit(Form);
  auto* Memo = new TMemo(Form);
  auto* List = new TListBox(Form);
  auto* Box = new TScrollBox(Form);
  auto* Files = new TListView(Form);
  auto* Tree = new TTreeView(Form);
  auto* Picker = new TDateTimePicker(Form);
  const std::vector<TCase> Cases = {{"edit", Edit},        {"memo", Memo}, {"list box", List},
                                    {"scroll box", Box},   {"list view", Files},
                                    {"tree view", Tree},   {"date picker", Picker}};
  int Y = 5;
  for (const TCase& C : Cases) {
    C.Control->SetParent(Panel);
    C.Control->SetBounds(150, Y, 120, 30);
    Y += 35;
  }
  ShowForm();
  auto Styles = [](TWinControl* C) {
    return std::make_pair(static_cast<DWORD>(GetWindowLong(C->Handle(), GWL_STYLE)),
                          static_cast<DWORD>(GetWindowLong(C->Handle(), GWL_EXSTYLE)));
  };
  auto Corner = [](TWinControl* C) {
    HDC DC = GetWindowDC(C->Handle());
    const COLORREF P = GetPixel(DC, 0, 0);
    ReleaseDC(C->Handle(), DC);
    return P;
  };
  for (const TCase& C : Cases) {
    auto [Style, Ex] = Styles(C.Control);
    EXPECT_TRUE(Ex & WS_EX_CLIENTEDGE) << C.Name;
    EXPECT_FALSE(Style & WS_BORDER) << C.Name;
    EXPECT_NE(Corner(C.Control), GetSysColor(COLOR_WINDOWFRAME)) << C.Name;
    EXPECT_EQ(C.Control->ClientWidth(), 120 - 2 * GetSystemMetrics(SM_CXEDGE) -
                                            ((Style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0))
        << C.Name;
  }
  // The form turns it off: every child follows (through the panel), the windows change their frames.
  Form->SetCtl3D(false);
  Harness::RunUntilIdle();
  for (const TCase& C : Cases) {
    EXPECT_FALSE(C.Control->Ctl3D()) << C.Name;
    EXPECT_TRUE(C.Control->ParentCtl3D()) << C.Name;
    auto [Style, Ex] = Styles(C.Control);
    EXPECT_FALSE(Ex & WS_EX_CLIENTEDGE) << C.Name;
    EXPECT_TRUE(Style & WS_BORDER) << C.Name;
    EXPECT_EQ(Corner(C.Control), GetSysColor(COLOR_WINDOWFRAME)) << C.Name;
    EXPECT_EQ(C.Control->ClientWidth(), 120 - 2 * GetSystemMetrics(SM_CXBORDER) -
                                            ((Style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0))
        << C.Name;
  }
  // A control's own setting stops following; ParentCtl3D takes the parent's again.
  Edit->SetCtl3D(true);
  EXPECT_FALSE(Edit->ParentCtl3D());
  EXPECT_TRUE(Styles(Edit).second & WS_EX_CLIENTEDGE);
  Form->SetCtl3D(true);
  Form->SetCtl3D(false);
  EXPECT_TRUE(Edit->Ctl3D());
  Edit->SetParentCtl3D(true);
  EXPECT_FALSE(Edit->Ctl3D());
  // No border at all stays without one either way.
  Edit->BorderStyle = bsNone;
  Edit->RecreateWnd();
  auto [Style, Ex] = Styles(Edit);
  EXPECT_FALSE(Style & WS_BORDER);
  EXPECT_FALSE(Ex & WS_EX_CLIENTEDGE);
}

TEST_F(ControlProperties, Ctl3DChangesReachTheWindowedChildrenOnce) {
  Probe->Heard.clear();
  Panel->SetCtl3D(false);
  EXPECT_EQ(Probe->Heard, (std::vector<UINT>{CM_PARENTCTL3DCHANGED, CM_CTL3DCHANGED}));
  Probe->Heard.clear();
  Panel->SetCtl3D(false);  // no change, no message
  EXPECT_TRUE(Probe->Heard.empty());
  // A window created later gets the border of the setting it has then.
  Probe->SetParent(Form);
  EXPECT_TRUE(Probe->Ctl3D());
}

// ---- The mouse wheel ----------------------------------------------------------------------------------------------

class Wheel : public ControlProperties {
protected:
  void SetUp() override {
    ControlProperties::SetUp();
    Other = new TProbe(Form);
    Other->SetParent(Form);
    Other->SetBounds(10, 290, 50, 20);
    auto Record = [this](TControl* C, const std::string& Name) {
      C->OnMouseWheel = [this, Name](TObject*, TShiftState Shift, int Delta, TPoint, bool& Handled) {
        Log.push_back(Name + ".wheel " + std::to_string(Delta) + (Shift.Contains(ssCtrl) ? " ctrl" : ""));
        Handled = Name == HandleIn;
      };
      C->OnMouseWheelDown = [this, Name](TObject*, TShiftState, TPoint, bool& Handled) {
        Log.push_back(Name + ".down");
        Handled = Name + ".down" == HandleIn;
      };
      C->OnMouseWheelUp = [this, Name](TObject*, TShiftState, TPoint, bool&) { Log.push_back(Name + ".up"); };
    };
    Record(Probe, "probe");
    Record(Panel, "panel");
    Record(Form, "form");
    Record(Other, "other");
    ShowForm();
    Probe->SetFocus();
    Harness::RunUntilIdle();
  }
  std::vector<std::string> Log;
  std::string HandleIn;
  TProbe* Other = nullptr;
};

TEST_F(Wheel, TheFocusedControlHearsItFirstThenItsParentsUntilHandled) {
  struct TCase {
    std::string HandleIn;
    std::vector<std::string> Want;
  };
  const std::vector<TCase> Cases = {
      {"", {"probe.wheel -240 ctrl", "probe.down", "probe.down", "panel.wheel -240 ctrl", "panel.down", "panel.down",
            "form.wheel -240 ctrl", "form.down", "form.down"}},
      {"probe", {"probe.wheel -240 ctrl"}},
      {"probe.down", {"probe.wheel -240 ctrl", "probe.down", "probe.down"}},
      {"panel", {"probe.wheel -240 ctrl", "probe.down", "probe.down", "panel.wheel -240 ctrl"}},
  };
  for (const TCase& C : Cases) {
    HandleIn = C.HandleIn;
    Log.clear();
    Harness::Wheel(Probe->Handle(), Point(5, 5), -2, Harness::TMods{false, true, false});
    Harness::RunUntilIdle();
    EXPECT_EQ(Log, C.Want) << "handled in '" << C.HandleIn << "'";
  }
  // Sent to another window, the turn still goes to the form's focused control.
  HandleIn.clear();
  Log.clear();
  SendMessage(Other->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(WHEEL_DELTA)) << 16, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"probe.wheel 120", "probe.up", "panel.wheel 120", "panel.up",
                                           "form.wheel 120", "form.up"}));
}

TEST_F(Wheel, FractionsOfANotchAddUp) {
  Panel->OnMouseWheel = nullptr;
  Form->OnMouseWheel = nullptr;
  const std::vector<int> Turns = {40, 40, 50, -10, -120, -90, -30};
  std::vector<std::string> Want = {"probe.wheel 40",  "probe.wheel 40",  "probe.wheel 50", "probe.up",
                                   "probe.wheel -10", "probe.wheel -120", "probe.down", "probe.wheel -90",
                                   "probe.wheel -30", "probe.down"};
  for (int T : Turns) {
    Probe->DoMouseWheel(TShiftState{}, T, Point(0, 0));
  }
  EXPECT_EQ(Log, Want);
}

// The shell's pattern: the inherited handling first, then its own; the view still scrolls after.
template <class TView> class TOwnWheelView : public TView {
public:
  using TView::TView;
  std::vector<std::string>* Log = nullptr;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override {
    const bool Result = TView::DoMouseWheelDown(Shift, MousePos);
    Log->push_back("own.down");
    return Result;
  }
};

TEST_F(Wheel, AListOrTreeOverridingTheWheelStillScrollsAfterIt) {
  Panel->OnMouseWheel = nullptr;
  Form->OnMouseWheel = nullptr;
  Panel->OnMouseWheelDown = nullptr;
  Form->OnMouseWheelDown = nullptr;
  auto* List = new TOwnWheelView<TListView>(Form);
  List->Log = &Log;
  List->SetParent(Panel);
  List->SetBounds(150, 10, 200, 150);
  List->SetViewStyle(vsReport);
  List->Columns()->Add()->SetCaption("Name");
  for (int I = 0; I < 60; ++I) {
    List->Items()->Add()->SetCaption("Item " + std::to_string(I));
  }
  auto* Tree = new TOwnWheelView<TTreeView>(Form);
  Tree->Log = &Log;
  Tree->SetParent(Panel);
  Tree->SetBounds(150, 170, 200, 100);
  for (int I = 0; I < 60; ++I) {
    Tree->Items()->Add(nullptr, "Node " + std::to_string(I));
  }
  Harness::RunUntilIdle();
  for (TWinControl* View : {static_cast<TWinControl*>(List), static_cast<TWinControl*>(Tree)}) {
    View->OnMouseWheelDown = [this](TObject*, TShiftState, TPoint, bool&) { Log.push_back("event.down"); };
    View->SetFocus();
    Harness::RunUntilIdle();
    auto Top = [&] {
      return View == List ? List->TopItem()->Index() : Tree->TopItem()->AbsoluteIndex();
    };
    ASSERT_EQ(Top(), 0);
    Log.clear();
    Harness::Wheel(View->Handle(), Point(20, 40), -1);
    Harness::RunUntilIdle();
    EXPECT_EQ(Log, (std::vector<std::string>{"event.down", "own.down"})) << View->ClassName();
    EXPECT_EQ(Top(), Mouse->WheelScrollLines) << View->ClassName();
    // Half a notch waits; the other half scrolls.
    SendMessage(View->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA / 2)) << 16, 0);
    EXPECT_EQ(Top(), Mouse->WheelScrollLines) << View->ClassName();
    SendMessage(View->Handle(), WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-WHEEL_DELTA / 2)) << 16, 0);
    EXPECT_EQ(Top(), 2 * Mouse->WheelScrollLines) << View->ClassName();
    // Handled in an event: no scrolling.
    View->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
    Harness::Wheel(View->Handle(), Point(20, 40), 1);
    Harness::RunUntilIdle();
    EXPECT_EQ(Top(), 2 * Mouse->WheelScrollLines) << View->ClassName();
  }
}

// ---- Resizing -------------------------------------------------------------------------------------------------

TEST_F(ControlProperties, CanResizeMayRefuseOrChangeAndConstrainedResizeTightensTheLimits) {
  auto* Shape = new TBevel(Form);
  Shape->SetParent(Panel);
  Shape->SetBounds(10, 100, 50, 50);
  ShowForm();
  for (TControl* C : {static_cast<TControl*>(Probe), static_cast<TControl*>(Shape)}) {
    const TRect Start = C->BoundsRect();
    int Asked = 0;
    C->OnCanResize = [&](TObject*, int& W, int& H, bool& Resize) {
      ++Asked;
      if (W > 300) {
        Resize = false;
      }
      H = std::max(H, 20);
    };
    C->SetBounds(Start.Left, Start.Top, 400, 60);  // refused: nothing moves
    EXPECT_EQ(C->BoundsRect(), Start) << C->ClassName();
    C->SetBounds(Start.Left + 5, Start.Top, 80, 5);  // changed by the handler
    EXPECT_EQ(C->BoundsRect(), Rect(Start.Left + 5, Start.Top, Start.Left + 85, Start.Top + 20)) << C->ClassName();
    EXPECT_EQ(Asked, 2);
    C->SetLeft(Start.Left);  // a move alone asks nothing
    EXPECT_EQ(Asked, 2);
    C->OnCanResize = nullptr;
    C->Constraints()->SetMaxWidth(200);
    C->OnConstrainedResize = [](TObject*, int& MinW, int&, int& MaxW, int&) {
      MinW = 30;
      MaxW = 70;
    };
    C->SetWidth(150);
    EXPECT_EQ(C->Width(), 70) << C->ClassName();
    C->SetWidth(10);
    EXPECT_EQ(C->Width(), 30) << C->ClassName();
    C->OnConstrainedResize = nullptr;
    C->SetWidth(500);
    EXPECT_EQ(C->Width(), 200) << C->ClassName();
  }
}

// ---- A layout with every one of them ------------------------------------------------------------------------------

class TPropsForm : public TForm {
  Z_CLASS(TPropsForm, TForm)
public:
  using TForm::TForm;
  void Wheel(TObject*, TShiftState, int, TPoint, bool&) {}
  void WheelDown(TObject*, TShiftState, TPoint, bool&) {}
  // Published as "CanResize": a member of that name would hide the control's own.
  void CanResizeHandler(TObject*, int&, int&, bool&) {}
  void Constrained(TObject*, int&, int&, int&, int&) {}
  void StartDock(TObject*, TDragDockObject*&) {}
  void EndDock(TObject*, TObject*, int, int) {}
  void DockDrop(TObject*, TDragDockObject*, int, int) {}
  void DockOver(TObject*, TDragDockObject*, int, int, TDragState, bool&) {}
  void UnDock(TObject*, TControl*, TWinControl*, bool&) {}
  void SiteInfo(TObject*, TControl*, TRect&, TPoint, bool&) {}
  static void Publish(TMetaClass& Meta) {
    TPublisher<TPropsForm> P(Meta);
    P.Method("Wheel", &TPropsForm::Wheel);
    P.Method("WheelDown", &TPropsForm::WheelDown);
    P.Method("CanResize", &TPropsForm::CanResizeHandler);
    P.Method("Constrained", &TPropsForm::Constrained);
    P.Method("StartDock", &TPropsForm::StartDock);
    P.Method("EndDock", &TPropsForm::EndDock);
    P.Method("DockDrop", &TPropsForm::DockDrop);
    P.Method("DockOver", &TPropsForm::DockOver);
    P.Method("UnDock", &TPropsForm::UnDock);
    P.Method("SiteInfo", &TPropsForm::SiteInfo);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TPropsForm, TForm, TPropsForm::Publish)

std::string Lines(std::initializer_list<const char*> L) {
  std::string S;
  for (const char* Line : L) {
    S += Line;
    S += "\r\n";
  }
  return S;
}

TEST(ControlPropertiesLayout, EveryPropertyIsReadAndWrittenBackToTheSameBytes) {
  Harness::Start();
  RegisterClasses({TPanel::StaticClass(), TEdit::StaticClass(), TLabel::StaticClass()});
  const std::string Text = Lines({
      "object PropsForm: TPropsForm",
      "  Left = 10",
      "  Top = 10",
      "  Width = 300",
      "  Height = 200",
      "  Caption = 'Props'",
      "  Color = clBtnFace",
      "  Font.Charset = DEFAULT_CHARSET",
      "  Font.Color = clWindowText",
      "  Font.Height = -11",
      "  Font.Name = 'MS Sans Serif'",
      "  Font.Style = []",
      "  ParentColor = False",
      "  ParentFont = False",
      "  ParentShowHint = False",
      "  ShowHint = True",
      "  HelpContext = 7",
      "  Visible = False",
      "  OnMouseWheel = Wheel",
      "  OnMouseWheelDown = WheelDown",
      "  Ctl3D = False",
      "  ParentCtl3D = False",
      "  ClientHeight = 173",
      "  ClientWidth = 292",
      "  object Panel: TPanel",
      "    Left = 0",
      "    Top = 0",
      "    Width = 200",
      "    Height = 100",
      "    HelpContext = 1200",
      "    HelpKeyword = 'printing'",
      "    HelpType = htKeyword",
      "    BiDiMode = bdRightToLeft",
      "    ParentBiDiMode = False",
      "    OnCanResize = CanResize",
      "    OnConstrainedResize = Constrained",
      "    OnStartDock = StartDock",
      "    OnEndDock = EndDock",
      "    TabOrder = 0",
      "    ImeMode = imHira",
      "    ImeName = 'Kana'",
      "    DockSite = True",
      "    UseDockManager = True",
      "    OnDockDrop = DockDrop",
      "    OnDockOver = DockOver",
      "    OnUnDock = UnDock",
      "    OnGetSiteInfo = SiteInfo",
      "    object Edit: TEdit",
      "      Left = 8",
      "      Top = 8",
      "      Width = 100",
      "      Height = 21",
      "      Color = clWindow",
      "      ParentShowHint = False",
      "      ShowHint = False",
      "      TabOrder = 0",
      "      Ctl3D = True",
      "      ParentCtl3D = False",
      "    end",
      "    object Caption: TLabel",
      "      Left = 8",
      "      Top = 40",
      "      Width = 40",
      "      Height = 13",
      "      Caption = 'Label'",
      "      HelpType = htKeyword",
      "    end",
      "  end",
      "end",
  });
  TStringStream TextIn(Text);
  TStringStream Binary;
  ObjectTextToBinary(&TextIn, &Binary);
  auto* Form = new TPropsForm(Application);
  Form->AfterConstruction();
  Binary.SetPosition(0);
  Binary.ReadComponent(Form);

  auto* Panel = static_cast<TPanel*>(Form->FindComponent("Panel"));
  auto* Edit = static_cast<TEdit*>(Form->FindComponent("Edit"));
  auto* Label = static_cast<TLabel*>(Form->FindComponent("Caption"));
  ASSERT_TRUE(Panel && Edit && Label);
  EXPECT_TRUE(Form->ShowHint());
  EXPECT_TRUE(Panel->ShowHint());  // follows the form's
  EXPECT_FALSE(Edit->ShowHint());
  EXPECT_FALSE(Panel->Ctl3D());
  EXPECT_TRUE(Edit->Ctl3D());
  EXPECT_EQ(Panel->HelpContext, 1200);
  EXPECT_EQ(Panel->HelpKeyword, "printing");
  EXPECT_EQ(Panel->HelpType, htKeyword);
  EXPECT_EQ(Panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(Label->BiDiMode(), bdRightToLeft);  // follows the panel's
  EXPECT_EQ(Edit->ImeMode, imDontCare);
  EXPECT_EQ(Panel->ImeMode, imHira);
  EXPECT_EQ(Panel->ImeName, "Kana");
  EXPECT_TRUE(Panel->DockSite && Panel->UseDockManager);
  EXPECT_TRUE(Form->OnMouseWheel && Panel->OnCanResize && Panel->OnGetSiteInfo);

  TMemoryStream Out;
  Out.WriteComponent(Form);
  Out.SetPosition(0);
  TStringStream TextOut;
  ObjectBinaryToText(&Out, &TextOut);
  EXPECT_EQ(TextOut.DataString(), Text);
  std::string Written(static_cast<std::size_t>(Out.Size()), '\0');
  Out.SetPosition(0);
  Out.ReadBuffer(Written.data(), Out.Size());
  EXPECT_EQ(Written, Binary.DataString());
  delete Form;
  Harness::RunUntilIdle();
}

}  // namespace
