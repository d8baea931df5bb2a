// Notifier lists, the global broadcast and the IDE update bracket.
#include "suitebase/Notifiers.h"

#include "tests/support/UnitsEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Dorazori;

namespace {
// Records the broadcasts it receives; may answer, or unregister itself, when it hears one.
class TListener : public TObject {
public:
  explicit TListener(std::vector<std::pair<int, UINT>>& ALog, int AId) : Log(ALog), Id(AId) {}
  void Dispatch(TMessage& Message) override {
    if (Message.Msg < 2025) {
      TObject::Dispatch(Message);
      return;
    }
    Log.emplace_back(Id, Message.Msg);
    if (Answer) {
      Message.Result = 1;
    }
    if (LeaveOnCall) {
      UnregisterNotifier(this);
    }
  }
  std::vector<std::pair<int, UINT>>& Log;
  int Id;
  bool Answer = false;
  bool LeaveOnCall = false;
};

class TReceiver {
public:
  void Handle(TObject*, NativeInt W, NativeInt) {
    Calls.push_back(static_cast<int>(W));
    if (List != nullptr && RemoveSelf) {
      List->DeleteMethod(TNotifierProc::Of<&TReceiver::Handle>(this));
    }
  }
  std::vector<int> Calls;
  TNotifierList* List = nullptr;
  bool RemoveSelf = false;
};
}  // namespace

class Broadcasts : public ::testing::Test {
protected:
  void TearDown() override {
    for (TListener& L : Listeners) {
      UnregisterNotifier(&L);
    }
  }
  std::vector<std::pair<int, UINT>> Log;
  std::vector<TListener> Listeners{TListener(Log, 1), TListener(Log, 2), TListener(Log, 3)};
};

TEST_F(Broadcasts, RegisteringAgainMovesToTheEndAndTheLastRegisteredHearsFirst) {
  for (TListener& L : Listeners) {
    RegisterNotifier(&L);
  }
  RegisterNotifier(&Listeners[0]);
  EXPECT_EQ(NotifierList()->Count(), 3);
  SimpleBroadCast(2100);
  EXPECT_EQ(Log, (std::vector<std::pair<int, UINT>>{{1, 2100}, {3, 2100}, {2, 2100}}));
}

TEST_F(Broadcasts, ANotifierLeavingDuringABroadcastSkipsNobody) {
  for (TListener& L : Listeners) {
    RegisterNotifier(&L);
  }
  Listeners[1].LeaveOnCall = true;
  SimpleBroadCast(2100);
  EXPECT_EQ(Log, (std::vector<std::pair<int, UINT>>{{3, 2100}, {2, 2100}, {1, 2100}}));
  EXPECT_EQ(NotifierList()->Count(), 2);
}

TEST_F(Broadcasts, NotifiersAgreeStopsAtTheFirstAnswer) {
  for (TListener& L : Listeners) {
    RegisterNotifier(&L);
  }
  EXPECT_TRUE(NotifiersAgree(nullptr, 2100, 0, 0));
  Log.clear();
  Listeners[2].Answer = true;
  EXPECT_FALSE(NotifiersAgree(nullptr, 2100, 0, 0));
  EXPECT_EQ(Log, (std::vector<std::pair<int, UINT>>{{3, 2100}}));
}

TEST_F(Broadcasts, TheIdeBracketSendsBeginEndAndChangeOnceEach) {
  RegisterNotifier(&Listeners[0]);
  IDEEndUpdate();  // without a bracket: nothing
  IDEBeginUpdate();
  IDEBeginUpdate();
  IDEChanged();
  IDEEndUpdate();
  IDEEndUpdate();
  EXPECT_EQ(Log, (std::vector<std::pair<int, UINT>>{{1, SM_IDEBEGINUPDATE}, {1, SM_IDEENDUPDATE}, {1, SM_IDECHANGED}}));
  EXPECT_EQ(IDEUpdateCount(), 0);
}

TEST(NotifierList, HoldsEachMethodOnceAndToleratesRemovalDuringTheCall) {
  TReceiver A, B, C;
  TNotifierList L;
  L.AddMethod(TNotifierProc::Of<&TReceiver::Handle>(&A));
  L.AddMethod(TNotifierProc::Of<&TReceiver::Handle>(&B));
  L.AddMethod(TNotifierProc::Of<&TReceiver::Handle>(&C));
  L.AddMethod(TNotifierProc::Of<&TReceiver::Handle>(&A));  // moves to the end
  EXPECT_EQ(L.Count(), 3);
  B.List = &L;
  B.RemoveSelf = true;
  L.NotifyEvents(nullptr, 7, 0);
  EXPECT_EQ(A.Calls.size(), 1u);
  EXPECT_EQ(B.Calls.size(), 1u);
  EXPECT_EQ(C.Calls.size(), 1u);
  EXPECT_EQ(L.Count(), 2);
  L.DeleteWithData(&A);
  L.NotifyEvents(nullptr, 8, 0);
  EXPECT_EQ(A.Calls.size(), 1u);
  EXPECT_EQ(C.Calls, (std::vector<int>{7, 8}));
}

TEST(MessageAnswer, IsANotifierForItsWholeLife) {
  const Integer Before = NotifierList()->Count();
  {
    TMessageAnswer Answer;
    EXPECT_EQ(NotifierList()->Count(), Before + 1);
  }
  EXPECT_EQ(NotifierList()->Count(), Before);
}
