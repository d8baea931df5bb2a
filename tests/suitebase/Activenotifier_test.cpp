// The thread message hooks with real windows: focus subscribers hear every WM_SETFOCUS after the window handled
// it, window-hook subscribers hear sent messages and may stop later ones, and hooks installed earlier on the
// thread keep hearing everything.
#include "platform/controls/StdCtrls.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Zizudo.h"
#include "tests/support/Forms.h"
#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

using TestSupport::Make;

namespace {
HHOOK EarlierRetHook = 0;
int EarlierSetFocus = 0;
LRESULT EarlierRet(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && reinterpret_cast<CWPRETSTRUCT*>(LParam)->message == WM_SETFOCUS) {
    ++EarlierSetFocus;
  }
  return CallNextHookEx(EarlierRetHook, Code, WParam, LParam);
}

HHOOK EarlierSendHook = 0;
int EarlierSent = 0;
LRESULT EarlierSend(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(LParam)->message == WM_USER + 7) {
    ++EarlierSent;
  }
  return CallNextHookEx(EarlierSendHook, Code, WParam, LParam);
}

// Records the hooked messages it is given; may answer them.
class TSubscriber : public TObject {
public:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == Zizudo::CM_WNDHOOKMESSAGE) {
      const auto* Info = reinterpret_cast<const CWPSTRUCT*>(Message.WParam);
      if (Info->message == WM_USER + 7) {
        Seen.push_back(Info->hwnd);
        Message.Result = Answer ? 1 : 0;
      }
      return;
    }
    TObject::Dispatch(Message);
  }
  std::vector<HWND> Seen;
  bool Answer = false;
};
}  // namespace

class ThreadHooks : public TestSupport::TFormTest {};

TEST_F(ThreadHooks, FocusSubscribersHearEachSetFocusOnceAfterTheWindowAndEarlierHooksStillHear) {
  auto* Edit1 = Make<TEdit>(Form, Form, TRect{10, 10, 110, 30});
  auto* Edit2 = Make<TEdit>(Form, Form, TRect{10, 40, 110, 60});
  Form->Show();
  Harness::RunUntilIdle();
  EarlierRetHook = SetWindowsHookEx(WH_CALLWNDPROCRET, &EarlierRet, 0, GetCurrentThreadId());
  std::vector<HWND> Heard1;
  std::vector<HWND> Heard2;
  auto* N1 = new Zizudo::TCustomActiveNotifier(nullptr);
  auto* N2 = new Dorazori::TActiveNotifier(nullptr);
  // By the time a subscriber hears of it, the window has taken the focus.
  N1->SetOnActiveChanged([&](TObject*) { Heard1.push_back(GetFocus()); });
  N2->SetOnActiveChanged([&](TObject*) { Heard2.push_back(GetFocus()); });
  EarlierSetFocus = 0;
  Edit1->SetFocus();
  Edit2->SetFocus();
  Edit1->SetFocus();
  Harness::RunUntilIdle();
  const std::vector<HWND> Expected{Edit1->Handle(), Edit2->Handle(), Edit1->Handle()};
  EXPECT_EQ(Heard1, Expected);
  EXPECT_EQ(Heard2, Expected);
  EXPECT_EQ(EarlierSetFocus, 3);
  delete N1;
  delete N2;
  Edit2->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Heard1.size(), 3u);
  EXPECT_EQ(EarlierSetFocus, 4);
  (void)UnhookWindowsHookEx(EarlierRetHook);  // installed above
}

TEST_F(ThreadHooks, AWindowHookSubscriberThatAnswersStopsLaterOnes) {
  Form->Show();
  Harness::RunUntilIdle();
  EarlierSendHook = SetWindowsHookEx(WH_CALLWNDPROC, &EarlierSend, 0, GetCurrentThreadId());
  TSubscriber First;
  TSubscriber Second;
  Zizudo::AddWndHook(&First);
  Zizudo::AddWndHook(&Second);
  (void)SendMessage(Form->Handle(), WM_USER + 7, 0, 0);  // the form ignores it; the hooks hear it
  EXPECT_EQ(First.Seen.size(), 1u);
  EXPECT_EQ(Second.Seen.size(), 1u);
  First.Answer = true;
  (void)SendMessage(Form->Handle(), WM_USER + 7, 0, 0);
  EXPECT_EQ(First.Seen.size(), 2u);
  EXPECT_EQ(Second.Seen.size(), 1u);
  EXPECT_EQ(EarlierSent, 2);  // the next hook in the chain heard both
  Zizudo::RemoveWndHook(&First);
  Zizudo::RemoveWndHook(&Second);
  (void)SendMessage(Form->Handle(), WM_USER + 7, 0, 0);
  EXPECT_EQ(First.Seen.size(), 2u);
  EXPECT_EQ(EarlierSent, 3);
  (void)UnhookWindowsHookEx(EarlierSendHook);  // installed above
}

TEST_F(ThreadHooks, TheIdeNotifierAnnouncesAnIdeChangeForEachActivation) {
  auto* Edit1 = Make<TEdit>(Form, Form, TRect{10, 10, 110, 30});
  Form->Show();
  Harness::RunUntilIdle();
  struct TCounter : TObject {
    int Changes = 0;
    void Dispatch(TMessage& Message) override {
      if (Message.Msg == Dorazori::SM_IDECHANGED) {
        ++Changes;
      }
    }
  } Counter;
  Dorazori::RegisterNotifier(&Counter);
  Dorazori::InitIDENotifier();
  Dorazori::InitIDENotifier();  // once per process
  Edit1->SetFocus();
  Harness::RunUntilIdle();
  EXPECT_EQ(Counter.Changes, 1);
  Dorazori::UnregisterNotifier(&Counter);
}
