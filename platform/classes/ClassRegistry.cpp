// The class registry and the integer-constant tables, both guarded for use from any thread.
#include "platform/classes/ClassRegistry.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <mutex>

namespace {
struct TRegisteredName {
  std::string Name;
  TClass Class;
};

struct TRegistry {
  std::mutex Lock;
  std::vector<TRegisteredName> Names;
  struct TConsts {
    const TTypeInfo* Type;
    TIdentToInt ToInt;
    TIntToIdent ToIdent;
  };
  std::vector<TConsts> Consts;
};

TRegistry& Registry() {
  static TRegistry R;
  return R;
}

TClass Lookup(TRegistry& R, std::string_view Name) {
  for (const auto& N : R.Names) {
    if (SameText(N.Name, Name)) {
      return N.Class;
    }
  }
  return nullptr;
}

void AddName(TRegistry& R, TClass AClass, std::string_view Name) {
  TClass Existing = Lookup(R, Name);
  if (Existing == AClass) {
    return;
  }
  if (Existing != nullptr) {
    throw EFilerError(Format(RtlConsts::SDuplicateClass, {Name}));
  }
  R.Names.push_back({std::string(Name), AClass});
}
}  // namespace

void RegisterClass(TClass AClass) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  for (TClass C = AClass; C != nullptr && C->ClassParent() != nullptr && C->ClassName() != "TPersistent";
       C = C->ClassParent()) {
    AddName(R, C, C->ClassName());
  }
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass C : AClasses) {
    RegisterClass(C);
  }
}

void RegisterClassAlias(TClass AClass, std::string_view Alias) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  AddName(R, AClass, Alias);
}

void UnRegisterClass(TClass AClass) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  std::erase_if(R.Names, [&](const TRegisteredName& N) { return N.Class == AClass; });
}

void UnRegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass C : AClasses) {
    UnRegisterClass(C);
  }
}

TClass GetClass(std::string_view AClassName) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  return Lookup(R, AClassName);
}

TClass FindClass(std::string_view AClassName) {
  TClass C = GetClass(AClassName);
  if (C == nullptr) {
    throw EClassNotFound(Format(RtlConsts::SClassNotFound, {AClassName}));
  }
  return C;
}

void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToIntFn, TIntToIdent IntToIdentFn) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  std::erase_if(R.Consts, [&](const TRegistry::TConsts& C) { return C.Type == IntegerType; });
  R.Consts.push_back({IntegerType, IdentToIntFn, IntToIdentFn});
}

void UnregisterIntegerConsts(const TTypeInfo* IntegerType) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  std::erase_if(R.Consts, [&](const TRegistry::TConsts& C) { return C.Type == IntegerType; });
}

TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  for (const auto& C : R.Consts) {
    if (C.Type == IntegerType) {
      return C.ToInt;
    }
  }
  return nullptr;
}

TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType) {
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> Guard(R.Lock);
  for (const auto& C : R.Consts) {
    if (C.Type == IntegerType) {
      return C.ToIdent;
    }
  }
  return nullptr;
}

bool IdentToInt(const std::string& Ident, int& Int, const TIdentMapEntry* Map, int Count) {
  for (int I = 0; I < Count; ++I) {
    if (SameText(Map[I].Name, Ident)) {
      Int = Map[I].Value;
      return true;
    }
  }
  return false;
}

bool IntToIdent(int Int, std::string& Ident, const TIdentMapEntry* Map, int Count) {
  for (int I = 0; I < Count; ++I) {
    if (Map[I].Value == Int) {
      Ident = Map[I].Name;
      return true;
    }
  }
  return false;
}
