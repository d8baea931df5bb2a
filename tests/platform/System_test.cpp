// The root object: meta classes, virtual constructors and the memory manager's release hook.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/System.h"

#include <gtest/gtest.h>

namespace {

class TAnimal : public TObject {
  Z_CLASS(TAnimal, TObject)
};
class TDog : public TAnimal {
  Z_CLASS(TDog, TAnimal)
public:
  int Legs = 4;
};
Z_IMPLEMENT_CLASS(TAnimal, TObject)
Z_IMPLEMENT_CLASS(TDog, TAnimal)

std::vector<void*> Released;
TMemoryManager Previous;
int RecordingFreeMem(void* P) {
  Released.push_back(P);
  return Previous.FreeMem(P);
}

}  // namespace

TEST(System, ClassNamesAndInheritance) {
  TDog Dog;
  const TObject& Obj = Dog;
  EXPECT_EQ(Obj.ClassName(), "TDog");
  EXPECT_EQ(Obj.ClassType(), TDog::StaticClass());
  EXPECT_TRUE(Obj.InheritsFrom(TAnimal::StaticClass()));
  EXPECT_TRUE(Obj.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(TAnimal::StaticClass()->InheritsFrom(TDog::StaticClass()));
  EXPECT_EQ(TDog::StaticClass()->ClassParent(), TAnimal::StaticClass());
}

TEST(System, VirtualConstructorMakesTheExactClass) {
  TClass Ref = TDog::StaticClass();
  std::unique_ptr<TObject> Obj(Ref->NewInstance());
  ASSERT_NE(Obj, nullptr);
  EXPECT_EQ(Obj->ClassName(), "TDog");
  EXPECT_EQ(static_cast<TDog*>(Obj.get())->Legs, 4);
}

TEST(System, ReleaseHookSeesEveryObjectRelease) {
  GetMemoryManager(Previous);
  TMemoryManager Hooked = Previous;
  Hooked.FreeMem = &RecordingFreeMem;
  SetMemoryManager(Hooked);
  EXPECT_TRUE(IsMemoryManagerSet());
  TDog* Dog = new TDog;
  void* Address = Dog;
  delete Dog;
  SetMemoryManager(Previous);
  ASSERT_EQ(Released.size(), 1u);
  EXPECT_EQ(Released[0], Address);
  EXPECT_FALSE(IsMemoryManagerSet());
}

TEST(System, ExceptionsKeepMessageAndClass) {
  try {
    throw EConvertError("bad");
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "bad");
    EXPECT_EQ(E.ClassName(), "EConvertError");
    EXPECT_TRUE(E.InheritsFrom(Exception::StaticClass()));
  }
  EXPECT_THROW(Abort(), EAbort);
}

namespace {
struct TTeardownLog {
  std::vector<std::string> Steps;
};
class TBase : public TObject {
  Z_CLASS(TBase, TObject)
public:
  explicit TBase(TTeardownLog* ALog = nullptr) : Log(ALog) {}
  ~TBase() override { Log->Steps.push_back("~TBase"); }
  void BeforeDestruction() override { Log->Steps.push_back("BeforeDestruction sees " + Describe()); }
  virtual std::string Describe() const { return "base"; }
  TTeardownLog* Log;
};
class TDerived : public TBase {
  Z_CLASS(TDerived, TBase)
public:
  using TBase::TBase;
  ~TDerived() override { Log->Steps.push_back("~TDerived"); }
  std::string Describe() const override { return "derived"; }
};
Z_IMPLEMENT_CLASS(TBase, TObject)
Z_IMPLEMENT_CLASS(TDerived, TBase)
}  // namespace

TEST(System, DeleteRunsBeforeDestructionOnTheWholeObjectFirst) {
  TTeardownLog Log;
  TBase* Obj = new TDerived(&Log);
  delete Obj;
  EXPECT_EQ(Log.Steps, (std::vector<std::string>{"BeforeDestruction sees derived", "~TDerived", "~TBase"}));
  std::unique_ptr<TBase> Owned(new TDerived(&Log));
  Owned.reset();
  EXPECT_EQ(Log.Steps.size(), 6u);
}

namespace {
class TThrowing : public TObject {
  Z_CLASS(TThrowing, TObject)
public:
  TThrowing() { throw EInvalidOperation("no"); }
};
Z_IMPLEMENT_CLASS(TThrowing, TObject)
}  // namespace

TEST(System, ConstructorThatThrowsReleasesItsMemory) {
  Released.clear();
  GetMemoryManager(Previous);
  TMemoryManager Hooked = Previous;
  Hooked.FreeMem = &RecordingFreeMem;
  SetMemoryManager(Hooked);
  EXPECT_THROW(new TThrowing, EInvalidOperation);
  SetMemoryManager(Previous);
  EXPECT_EQ(Released.size(), 1u);
}
