// The ActiveX collection's names per type library and the known type libraries with their notices and storage.
#include "suitebase/Notifiers.h"
#include "suitebase/Zodiractivex.h"
#include "tests/suitebase/SuiteEnvironment.h"

using namespace Zodir;

namespace {

class TNotices : public Dorazori::TMessageAnswer {
public:
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == SM_ACTIVEXREGISTERED || Message.Msg == SM_ACTIVEXUNREGISTERED) {
      Seen.push_back(Message.Msg);
    }
    Dorazori::TMessageAnswer::Dispatch(Message);
  }
  std::vector<UINT> Seen;
};

GUID Guid(unsigned Seed) {
  GUID G{};
  StringToGUID("{0000000" + std::to_string(Seed) + "-1111-2222-3333-444455556666}", G);
  return G;
}

class ActiveXTest : public SuiteFolders {
protected:
  void TearDown() override {
    FreeActiveXList();
    SuiteFolders::TearDown();
  }
};

TEST_F(ActiveXTest, OneLinePerTypeLibraryAndKnownLibrariesAreKept) {
  TAxControlCollection Controls;
  EXPECT_EQ(Controls.Count(), 0);  // no component categories on this system
  auto* A = static_cast<TAxControlInfo*>(Controls.Add());
  A->TypeLib = Guid(1);
  A->ClassID = Guid(7);
  A->ServerFile = "first.so";
  auto* B = static_cast<TAxControlInfo*>(Controls.Add());
  B->TypeLib = Guid(1);
  B->ServerFile = "second.so";
  auto* C = static_cast<TAxControlInfo*>(Controls.Add());
  C->TypeLib = Guid(2);
  C->ServerFile = "third.so";
  EXPECT_EQ(C->BitmapFile, "");
  EXPECT_EQ(C->BitmapIndex, 0);
  TStringList Names;
  Controls.GetActiveXNames(&Names);
  ASSERT_EQ(Names.Count(), 2);
  EXPECT_EQ(Names.Strings(0), "first.so");
  EXPECT_EQ(Names.Objects(0), A);
  EXPECT_EQ(Names.Strings(1), "third.so");
  EXPECT_EQ(Controls.ItemByGUID(Guid(7)), A);
  EXPECT_EQ(Controls.ItemByGUID(Guid(2)), C);
  EXPECT_EQ(Controls.ItemByGUID(Guid(9)), nullptr);

  TNotices Notices;
  UnRegisterActiveX(C);  // not known: nothing
  EXPECT_TRUE(Notices.Seen.empty());
  RegisterActiveX(A);
  EXPECT_TRUE(ActiveXRegistered(Guid(1)));
  EXPECT_FALSE(ActiveXRegistered(Guid(2)));
  FreeActiveXList();  // read back from the registry
  EXPECT_TRUE(ActiveXRegistered(Guid(1)));
  UnRegisterActiveX(B);
  EXPECT_FALSE(ActiveXRegistered(Guid(1)));
  EXPECT_EQ(Notices.Seen, (std::vector<UINT>{SM_ACTIVEXREGISTERED, SM_ACTIVEXUNREGISTERED}));
}

}  // namespace
