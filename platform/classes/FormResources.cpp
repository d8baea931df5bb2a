// Layout resources registered by generated sources, and reading them into components by class name.
#include "platform/classes/FormResources.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/SysUtils.h"

#include <mutex>
#include <vector>

namespace {
struct TResource {
  std::string Name;
  const unsigned char* Data;
  std::size_t Size;
};

struct TResourceTable {
  std::mutex Lock;
  std::vector<TResource> Items;
};

TResourceTable& Table() {
  static TResourceTable T;
  return T;
}

const char* const SCantWriteResourceStreamError = "Can't write to a read-only resource stream";
}  // namespace

void RegisterFormResource(const char* ResName, const unsigned char* Data, std::size_t Size) {
  TResourceTable& T = Table();
  std::lock_guard<std::mutex> Guard(T.Lock);
  for (auto It = T.Items.begin(); It != T.Items.end(); ++It) {
    if (It->Data == Data && SameText(It->Name, ResName)) {
      T.Items.erase(It);
      break;
    }
  }
  T.Items.push_back({ResName, Data, Size});
}

void UnregisterFormResource(const char* ResName, const unsigned char* Data) {
  TResourceTable& T = Table();
  std::lock_guard<std::mutex> Guard(T.Lock);
  for (auto It = T.Items.begin(); It != T.Items.end(); ++It) {
    if (It->Data == Data && SameText(It->Name, ResName)) {
      T.Items.erase(It);
      return;
    }
  }
}

bool FindFormResource(std::string_view ResName, const unsigned char*& Data, std::size_t& Size) {
  TResourceTable& T = Table();
  std::lock_guard<std::mutex> Guard(T.Lock);
  // The latest registration of a name is the one in force.
  for (auto It = T.Items.rbegin(); It != T.Items.rend(); ++It) {
    if (SameText(It->Name, ResName)) {
      Data = It->Data;
      Size = It->Size;
      return true;
    }
  }
  return false;
}

Z_IMPLEMENT_CLASS(EResNotFound, Exception)
Z_IMPLEMENT_CLASS(TResourceStream, TCustomMemoryStream)

TResourceStream::TResourceStream(const std::string& ResName) {
  const unsigned char* Data = nullptr;
  std::size_t Size = 0;
  if (!FindFormResource(ResName, Data, Size)) {
    throw EResNotFound(Format(RtlConsts::SResNotFound, {ResName}));
  }
  SetPointer(const_cast<unsigned char*>(Data), static_cast<LongInt>(Size));
}

LongInt TResourceStream::Write(const void*, LongInt) {
  throw EStreamError(SCantWriteResourceStreamError);
}

bool InitComponentRes(const std::string& ResName, TComponent* Instance) {
  const unsigned char* Data = nullptr;
  std::size_t Size = 0;
  if (!FindFormResource(ResName, Data, Size)) {
    return false;
  }
  TResourceStream Stream(ResName);
  Stream.ReadComponent(Instance);
  return true;
}

TComponent* ReadComponentRes(const std::string& ResName, TComponent* Instance) {
  TResourceStream Stream(ResName);
  return Stream.ReadComponent(Instance);
}

namespace {
bool InitClass(TClass Class, TClass RootAncestor, TComponent* Instance) {
  if (Class == nullptr || Class == TComponent::StaticClass() || Class == RootAncestor) {
    return false;
  }
  bool Result = InitClass(Class->ClassParent(), RootAncestor, Instance);
  return InitComponentRes(Class->ClassName(), Instance) || Result;
}
}  // namespace

bool InitInheritedComponent(TComponent* Instance, TClass RootAncestor) {
  BeginGlobalLoading();
  bool Result = false;
  try {
    Result = InitClass(Instance->ClassType(), RootAncestor, Instance);
    NotifyGlobalLoading();
  } catch (...) {
    EndGlobalLoading();
    throw;
  }
  EndGlobalLoading();
  return Result;
}

TComponent* ReadComponentResFile(const std::string& FileName, TComponent* Instance) {
  TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
  return Stream.ReadComponentRes(Instance);
}

void WriteComponentResFile(const std::string& FileName, TComponent* Instance) {
  TFileStream Stream(FileName, fmCreate);
  Stream.WriteComponentRes(Instance->ClassName(), Instance);
}
