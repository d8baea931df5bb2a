// The root of the object model: TObject, class references (meta classes) and the replaceable memory manager.
#pragma once

#include "platform/rtl/Types.h"

#include <atomic>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

class TObject;
class TMetaClass;
struct TMessage;
struct TPropInfo;
struct TMethodEntry;
struct TFieldEntry;

// A class reference: one immutable meta class per class, compared by address.
using TClass = const TMetaClass*;

// Describes one class: its name, its parent, its virtual constructor and its published properties.
// Meta classes are created on first use by the class's StaticClass() and live for the whole process.
class TMetaClass {
public:
  using TFactory = TObject* (*)(TObject* Arg);
  using TPublisher = void (*)(TMetaClass& Self);

  TMetaClass(const char* AName, TClass AParent, TFactory AFactory, TPublisher APublisher = nullptr);
  TMetaClass(const TMetaClass&) = delete;
  TMetaClass& operator=(const TMetaClass&) = delete;

  const std::string& ClassName() const { return FName; }
  TClass ClassParent() const { return FParent; }
  bool InheritsFrom(TClass AClass) const;

  // The virtual constructor: creates an instance of this exact class. Arg is what the class's constructor
  // takes (a component's owner, a collection item's collection) or null. Returns null for abstract classes.
  TObject* NewInstance(TObject* Arg = nullptr) const;
  bool IsAbstract() const { return FFactory == nullptr; }

  // Published properties declared by this class itself, in declaration order (filled on first request).
  const std::vector<std::unique_ptr<TPropInfo>>& OwnProperties() const;
  // Used by a class's publisher to declare its properties; takes ownership.
  void AddProperty(std::unique_ptr<TPropInfo> Info);
  // Published methods (event handlers bound by name) and published fields (references to owned components
  // assigned by name) declared by this class itself; filled by the publisher together with the properties.
  const std::vector<std::unique_ptr<TMethodEntry>>& OwnMethods() const;
  const std::vector<std::unique_ptr<TFieldEntry>>& OwnFields() const;
  void AddMethod(std::unique_ptr<TMethodEntry> Entry);
  void AddField(std::unique_ptr<TFieldEntry> Entry);
  ~TMetaClass();

private:
  std::string FName;
  TClass FParent;
  TFactory FFactory;
  TPublisher FPublisher;
  mutable bool FPublished = false;
  mutable std::vector<std::unique_ptr<TPropInfo>> FProperties;
  mutable std::vector<std::unique_ptr<TMethodEntry>> FMethods;
  mutable std::vector<std::unique_ptr<TFieldEntry>> FFields;
};

// The memory manager's three entry points. A program may install its own (for example a hook that sees
// every release) and chain to the previous one; every TObject is allocated and released through it. The
// entry points are read without a lock (one indirect call per operation); installing a manager may race
// with allocations on other threads, so an installed manager must forward to the one it replaced.
struct TMemoryManager {
  void* (*GetMem)(NativeInt Size);
  int (*FreeMem)(void* P);
  void* (*ReallocMem)(void* P, NativeInt Size);
};

// The class library's default routines (the C heap).
void* SysGetMem(NativeInt Size);
int SysFreeMem(void* P);
void* SysReallocMem(void* P, NativeInt Size);

void GetMemoryManager(TMemoryManager& MemMgr);
void SetMemoryManager(const TMemoryManager& MemMgr);
bool IsMemoryManagerSet();  // true once a manager other than the default is installed
void* GetMem(NativeInt Size);           // raises EOutOfMemory when the manager returns null
void FreeMem(void* P);
void* ReallocMem(void* P, NativeInt Size);

// The root class of the object model.
class TObject {
public:
  TObject() = default;
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType()->ClassName(); }
  bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }
  template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }

  // Called by the virtual constructor (TMetaClass::NewInstance) once the object is fully constructed.
  virtual void AfterConstruction() {}
  // Called by `delete` while the object is still whole, before any destructor runs: virtual calls made here
  // reach the most derived class (component teardown and free notification rely on it).
  virtual void BeforeDestruction() {}

  // Numbered messages: Dispatch hands the message to the handler the class declares for its number
  // (descendants override Dispatch and pass what they do not handle to inherited::Dispatch); the root
  // passes everything to DefaultHandler, which does nothing here.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Every object lives in memory from the memory manager. `delete` on any object runs BeforeDestruction,
  // then the destructors, then releases the memory through the memory manager.
  static void* operator new(std::size_t Size);
  static void operator delete(TObject* P, std::destroying_delete_t) noexcept;
  // Releases the memory of an object whose constructor threw.
  static void operator delete(void* P) noexcept;
};

// A reference-counted object: the count starts at 0; _Release frees the object when it reaches 0. An object
// nobody counted is freed with `delete`.
class TInterfacedObject : public TObject {
public:
  TInterfacedObject() = default;
  static TClass StaticClass();
  TClass ClassType() const override { return StaticClass(); }
  Integer _AddRef();
  Integer _Release();  // frees the object when the count reaches 0; returns the new count
  Integer RefCount() const { return FRefCount.load(std::memory_order_acquire); }

private:
  std::atomic<Integer> FRefCount{0};
};

// Deletes an object and clears the pointer; safe on null (the class library's FreeAndNil).
template <class T> void FreeAndNil(T*& Obj) {
  T* Tmp = Obj;
  Obj = nullptr;
  delete Tmp;
}

namespace ZubDetail {
template <class T> TObject* CreateInstance(TObject* Arg) {
  if constexpr (std::is_abstract_v<T>) {
    (void)Arg;
    return nullptr;
  } else if constexpr (requires { typename T::TConstructorArg; }) {
    using A = typename T::TConstructorArg;
    if constexpr (std::is_constructible_v<T, A>) {
      T* Obj = new T(dynamic_cast<A>(Arg));
      Obj->AfterConstruction();
      return Obj;
    } else if constexpr (std::is_default_constructible_v<T>) {
      (void)Arg;
      T* Obj = new T();
      Obj->AfterConstruction();
      return Obj;
    } else {
      (void)Arg;
      return nullptr;
    }
  } else if constexpr (std::is_default_constructible_v<T>) {
    (void)Arg;
    T* Obj = new T();
    Obj->AfterConstruction();
    return Obj;
  } else {
    (void)Arg;
    return nullptr;
  }
}
}  // namespace ZubDetail

// Declares a class's meta class inside its body: Z_CLASS(TFoo, TPersistent).
// A class whose virtual constructor takes an argument declares `using TConstructorArg = TOwnerType*;`
// (TComponent and TCollectionItem do; descendants inherit it).
#define Z_CLASS(Self, Base)                                                                                    \
public:                                                                                                        \
  using inherited = Base;                                                                                      \
  static TClass StaticClass();                                                                                 \
  TClass ClassType() const override { return Self::StaticClass(); }                                            \
                                                                                                               \
private:

// Defines the meta class in the class's source file: Z_IMPLEMENT_CLASS(TFoo, TPersistent).
#define Z_IMPLEMENT_CLASS(Self, Base)                                                                          \
  TClass Self::StaticClass() {                                                                                 \
    static const TMetaClass Meta(#Self, Base::StaticClass(), &ZubDetail::CreateInstance<Self>);                \
    return &Meta;                                                                                              \
  }

// As Z_IMPLEMENT_CLASS, with a function that declares the class's published properties:
// Z_IMPLEMENT_CLASS_PUBLISHED(TFoo, TPersistent, PublishFoo) where void PublishFoo(TMetaClass&).
#define Z_IMPLEMENT_CLASS_PUBLISHED(Self, Base, Publisher)                                                     \
  TClass Self::StaticClass() {                                                                                 \
    static const TMetaClass Meta(#Self, Base::StaticClass(), &ZubDetail::CreateInstance<Self>, &Publisher);    \
    return &Meta;                                                                                              \
  }
