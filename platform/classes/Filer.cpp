// TFiler, the 80-bit extended format, global roots, references waiting for other roots, and loading brackets.
#include "platform/classes/Filer.h"
#include "platform/classes/FilerSupport.h"

#include "platform/classes/Classes.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>

// ---- the 80-bit extended format ----

void DoubleToExtended80(double Value, Byte Out[10]) {
  UInt64 Bits = 0;
  std::memcpy(&Bits, &Value, sizeof Bits);
  const bool Negative = (Bits >> 63) != 0;
  const int Exp = static_cast<int>((Bits >> 52) & 0x7FF);
  const UInt64 Mant = Bits & ((UInt64(1) << 52) - 1);
  UInt64 M64 = 0;
  int E80 = 0;
  if (Exp == 0x7FF) {
    E80 = 0x7FFF;
    M64 = (UInt64(1) << 63) | (Mant != 0 ? (UInt64(1) << 62) | (Mant << 11) : 0);
  } else if (Exp == 0) {
    if (Mant != 0) {
      // A subnormal double is a normal extended: shift its highest bit into the integer bit.
      int High = 51;
      while (((Mant >> High) & 1) == 0) {
        --High;
      }
      E80 = High - 1074 + 16383;
      M64 = Mant << (63 - High);
    }
  } else {
    E80 = Exp - 1023 + 16383;
    M64 = (UInt64(1) << 63) | (Mant << 11);
  }
  for (int I = 0; I < 8; ++I) {
    Out[I] = static_cast<Byte>(M64 >> (8 * I));
  }
  const unsigned SignExp = (Negative ? 0x8000u : 0u) | static_cast<unsigned>(E80);
  Out[8] = static_cast<Byte>(SignExp & 0xFF);
  Out[9] = static_cast<Byte>(SignExp >> 8);
}

double Extended80ToDouble(const Byte In[10]) {
  UInt64 M64 = 0;
  for (int I = 0; I < 8; ++I) {
    M64 |= static_cast<UInt64>(In[I]) << (8 * I);
  }
  const unsigned SignExp = In[8] | (static_cast<unsigned>(In[9]) << 8);
  const bool Negative = (SignExp & 0x8000u) != 0;
  const int E80 = static_cast<int>(SignExp & 0x7FFF);
  double Result = 0;
  if (E80 == 0x7FFF) {
    Result = (M64 << 1) == 0 ? HUGE_VAL : std::nan("");
  } else if (M64 != 0) {
    // The conversion of the 64-bit mantissa to double rounds to nearest; ldexp scales exactly.
    Result = std::ldexp(static_cast<double>(M64), (E80 == 0 ? 1 : E80) - 16383 - 63);
  }
  return Negative ? -Result : Result;
}

// ---- global roots, pending fix-ups, loading brackets ----

namespace ZubFiler {
TGlobals& Globals() {
  static TGlobals G;
  return G;
}

std::vector<std::unique_ptr<TReader::TFixup>>& PendingFixups() {
  static std::vector<std::unique_ptr<TReader::TFixup>> List;
  return List;
}

std::vector<std::vector<TComponent*>>& LoadingStack() {
  thread_local std::vector<std::vector<TComponent*>> Stack;
  return Stack;
}

namespace {
// Hears when a root with pending references or a global root goes, and forgets it, so that nothing is left
// pointing at a freed component. It lives for the whole process.
class TRootWatcher : public TComponent {
public:
  TRootWatcher() : TComponent(nullptr) {}

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

TRootWatcher& Watcher() {
  static TRootWatcher* W = new TRootWatcher;
  return *W;
}
}  // namespace

std::string SplitFirst(const std::string& Name, std::size_t& Pos) {
  std::size_t Dot = Name.find('.', Pos);
  std::string Part = Name.substr(Pos, Dot == std::string::npos ? std::string::npos : Dot - Pos);
  Pos = Dot == std::string::npos ? Name.size() + 1 : Dot + 1;
  return Part;
}

// Finds "Comp", "Owner", "Root2.Comp" or "Comp.Owner" relative to Root (the first part may name a global root).
TComponent* FindNestedComponent(TComponent* Root, const std::string& Name) {
  TComponent* Result = Root;
  std::size_t Pos = 0;
  bool First = true;
  while (Result != nullptr && Pos <= Name.size()) {
    std::string Part = SplitFirst(Name, Pos);
    if (SameText(Part, "Owner")) {
      Result = First ? Root : Result->Owner();
    } else {
      TComponent* Next = Result->FindComponent(Part);
      if (Next == nullptr && First) {
        Next = FindGlobalComponent(Part);
      }
      Result = Next;
    }
    First = false;
  }
  return Result;
}

void UpdateWatch(TComponent* Root) {
  if (Root == nullptr) {
    return;
  }
  TGlobals& G = Globals();
  const bool Needed =
      std::find(G.Components.begin(), G.Components.end(), Root) != G.Components.end() ||
      std::any_of(PendingFixups().begin(), PendingFixups().end(), [&](const auto& F) { return F->Root == Root; });
  if (Needed) {
    Watcher().FreeNotification(Root);
  } else {
    Watcher().RemoveFreeNotification(Root);
  }
}

namespace {
void TRootWatcher::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    TGlobals& G = Globals();
    std::lock_guard<std::recursive_mutex> Guard(G.Lock);
    std::erase(G.Components, AComponent);
    std::erase_if(PendingFixups(), [&](const auto& F) { return F->Root == AComponent; });
  }
}
}  // namespace
}  // namespace ZubFiler

using namespace ZubFiler;

void RegisterGlobalComponent(TComponent* Component) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  if (std::find(G.Components.begin(), G.Components.end(), Component) == G.Components.end()) {
    G.Components.push_back(Component);
  }
  UpdateWatch(Component);
}

void UnregisterGlobalComponent(TComponent* Component) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  std::erase(G.Components, Component);
  UpdateWatch(Component);
}

void RegisterFindGlobalComponentProc(TFindGlobalComponent AFindGlobalComponent) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  if (std::find(G.Finders.begin(), G.Finders.end(), AFindGlobalComponent) == G.Finders.end()) {
    G.Finders.push_back(AFindGlobalComponent);
  }
}

void UnregisterFindGlobalComponentProc(TFindGlobalComponent AFindGlobalComponent) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  std::erase(G.Finders, AFindGlobalComponent);
}

namespace {
std::atomic<TFindGlobalComponent> FrontFinder{nullptr};
}  // namespace

TFindGlobalComponent SetFindGlobalComponentFront(TFindGlobalComponent Proc) { return FrontFinder.exchange(Proc); }

TFindGlobalComponent FindGlobalComponentFront() { return FrontFinder.load(); }

bool IsFindGlobalComponentSet() {
  if (FrontFinder.load() != nullptr) {
    return true;
  }
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  return !G.Finders.empty();
}

TComponent* FindGlobalComponent(const std::string& Name) {
  if (const TFindGlobalComponent Front = FrontFinder.load()) {
    return Front(Name);
  }
  return FindGlobalComponentDefault(Name);
}

TComponent* FindGlobalComponentDefault(const std::string& Name) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  for (TComponent* C : G.Components) {
    if (SameText(C->Name(), Name)) {
      return C;
    }
  }
  for (auto It = G.Finders.rbegin(); It != G.Finders.rend(); ++It) {
    if (TComponent* C = (*It)(Name)) {
      return C;
    }
  }
  return nullptr;
}

void GlobalFixupReferences() {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  auto& List = PendingFixups();
  std::vector<TComponent*> Touched;
  for (auto It = List.begin(); It != List.end();) {
    TComponent* Target = FindNestedComponent((*It)->Root, (*It)->Name);
    if (Target != nullptr) {
      (*It)->PropInfo->SetObject((*It)->Instance, Target);
      Touched.push_back((*It)->Root);
      It = List.erase(It);
    } else {
      ++It;
    }
  }
  for (TComponent* Root : Touched) {
    TReader::MarkFixups(Root, std::any_of(List.begin(), List.end(), [&](const auto& F) { return F->Root == Root; }));
    UpdateWatch(Root);
  }
}

void RemoveFixupReferences(TComponent* Root, const std::string& RootName) {
  TGlobals& G = Globals();
  std::lock_guard<std::recursive_mutex> Guard(G.Lock);
  std::vector<TComponent*> Roots;
  std::erase_if(PendingFixups(), [&](const auto& F) {
    if (Root != nullptr && F->Root != Root) {
      return false;
    }
    std::size_t Pos = 0;
    if (!RootName.empty() && !SameText(SplitFirst(F->Name, Pos), RootName)) {
      return false;
    }
    Roots.push_back(F->Root);
    return true;
  });
  for (TComponent* R : Roots) {
    if (R != nullptr) {
      TReader::MarkFixups(R, std::any_of(PendingFixups().begin(), PendingFixups().end(),
                                         [&](const auto& F) { return F->Root == R; }));
    }
    UpdateWatch(R);
  }
}

void BeginGlobalLoading() {
  LoadingStack().emplace_back();
}

void NotifyGlobalLoading() {
  if (LoadingStack().empty()) {
    return;
  }
  std::vector<TComponent*> List = std::move(LoadingStack().back());
  LoadingStack().back().clear();
  for (TComponent* C : List) {
    TReader::DoLoaded(C);
  }
}

void EndGlobalLoading() {
  if (!LoadingStack().empty()) {
    LoadingStack().pop_back();
  }
}

// ---- TFiler ----

Z_IMPLEMENT_CLASS(EParserError, Exception)

Z_IMPLEMENT_CLASS(TFiler, TObject)

void TFiler::DefinePropertiesOf(TPersistent* Instance) {
  TPersistent* Outer = FPropertiesInstance;
  FPropertiesInstance = Instance;
  try {
    Instance->DefineProperties(this);
  } catch (...) {
    FPropertiesInstance = Outer;
    throw;
  }
  FPropertiesInstance = Outer;
}

TFiler::TFiler(TStream* Stream, Integer BufSize) : FStream(Stream) {
  (void)BufSize;
}

