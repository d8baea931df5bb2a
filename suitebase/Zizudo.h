// The process-wide memory-release hook with its free notifications, the thread message hooks that tell
// subscribers about sent messages and focus changes, and code patching.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/WinHooks.h"
#include "suitebase/Dcmethod.h"
#include "suitebase/Sortedlists.h"

#include <array>

namespace Zizudo {

// The message a window-hook subscriber receives: WParam is the address of the hook's CWPSTRUCT.
inline constexpr UINT CM_WNDHOOKMESSAGE = 0x464;

// A free-notification callback: receives the released object's address (for a non-component the memory is
// already given back, so the address serves only as a key).
using TFreeNotifyProc = TDCMethod<void(void* Obj)>;

class TFreeNotifier : public TObject {
  Z_CLASS(TFreeNotifier, TObject)
public:
  explicit TFreeNotifier(const TFreeNotifyProc& ACallback) : Callback(ACallback) {}
  TFreeNotifyProc Callback;
};

// Every registration of one address, in registration order (the same callback may stand twice). Owns its
// TFreeNotifier objects.
class TFreeNotifierInfo : public TObject {
  Z_CLASS(TFreeNotifierInfo, TObject)
public:
  explicit TFreeNotifierInfo(void* ATarget);
  ~TFreeNotifierInfo() override;
  TFreeNotifierInfo(const TFreeNotifierInfo&) = delete;
  TFreeNotifierInfo& operator=(const TFreeNotifierInfo&) = delete;

  void* Target;
  TList* Callbacks;
  bool Freeing = false;
};

// The registrations, one TFreeNotifierInfo per address, sorted by address.
class TFreeNotifiersList : public Videroriz::TCustomSortedList {
  Z_CLASS(TFreeNotifiersList, Videroriz::TCustomSortedList)
public:
  TFreeNotifiersList() = default;
  Integer CompareWithKey(Pointer Item, Pointer Key) override;
  Integer Compare(Pointer Item1, Pointer Item2) override;

  TFreeNotifierInfo* FindInfo(void* Address);
  bool AddNotifier(void* Instance, const TFreeNotifyProc& Proc);     // true when the address is new
  bool RemoveNotifier(void* Instance, const TFreeNotifyProc& Proc);  // true when its entry went
  // Takes the address's entry out of the list and returns it (null when none); the caller runs and frees it.
  TFreeNotifierInfo* DetachInfo(void* Address);
  // Runs and drops every registration of the address.
  void NotifyAndRemove(void* Address);
  // Frees every entry without calling any callback.
  void FreeAllSilently();
};

// Runs an entry's callbacks in order (a callback may remove its own registration), then frees the entry.
void RunAndFreeInfo(TFreeNotifierInfo* Info);

// The registrations for components, told through the components' own free notification. Exists exactly
// while it holds a registration.
class TNotifierStorage : public TComponent {
  Z_CLASS(TNotifierStorage, TComponent)
public:
  explicit TNotifierStorage(TComponent* AOwner);
  ~TNotifierStorage() override;
  bool AddNotifier(TComponent* Instance, const TFreeNotifyProc& Proc);
  bool RemoveNotifier(TComponent* Instance, const TFreeNotifyProc& Proc);
  void ComponentFreed(TComponent* AComponent);
  void FreeIfEmpty();
  TFreeNotifiersList* List() const { return FList; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TFreeNotifiersList* FList;
};

// The component store while it exists, else null.
TNotifierStorage* NotifierStorage();
// The number of addresses (not components) with registrations; 0 before initialisation and after finalisation.
Integer GlobalNotifierCount();
bool HookInstalled();

// Calls Proc back once when Instance is released. Components go through the component store; other
// objects and memory blocks through the memory-release hook (ignored before initialisation and after
// finalisation). A null Instance does nothing.
void dcAddFreeNotification(TObject* Instance, const TFreeNotifyProc& Proc);
void dcAddFreeNotification(void* Block, const TFreeNotifyProc& Proc);
// Removes every registration of Instance equal to Proc.
void dcRemoveFreeNotification(TObject* Instance, const TFreeNotifyProc& Proc);
void dcRemoveFreeNotification(void* Block, const TFreeNotifyProc& Proc);

// The wrapper manager installed by the unit's initialisation.
void* dcGetMemHook(NativeInt Size);
int dcFreeMemHook(void* P);
void* dcReallocMemHook(void* P, NativeInt Size);

// Window-message subscribers: Obj's Dispatch receives CM_WNDHOOKMESSAGE for every message sent to a window
// of the thread that subscribed first. Added twice, called twice, removed twice.
void AddWndHook(TObject* Obj);
void RemoveWndHook(TObject* Obj);

// Told each time a window of the subscribing thread has handled WM_SETFOCUS.
class TCustomActiveNotifier : public TComponent {
  Z_CLASS(TCustomActiveNotifier, TComponent)
public:
  explicit TCustomActiveNotifier(TComponent* AOwner);
  ~TCustomActiveNotifier() override;
  // Called once per WM_SETFOCUS after the window handled it; the base fires OnActiveChanged.
  virtual void HookProc(const CWPRETSTRUCT& Info);
  const TNotifyEvent& OnActiveChanged() const { return FOnActiveChanged; }
  void SetOnActiveChanged(TNotifyEvent Value) { FOnActiveChanged = std::move(Value); }

private:
  TNotifyEvent FOnActiveChanged;
};

// A patched routine: Address is null when patching failed.
struct THookInfo {
  void* Address = nullptr;
  std::array<Byte, 5> SavedBytes{};
};

// Overwrites the first five bytes of OldProc with a near jump to NewProc (x86-64 only, and only when the
// displacement fits 32 bits; otherwise nothing is written and Address is null).
THookInfo SetupHook(void* OldProc, void* NewProc);
// Puts the saved bytes back; nothing when Info.Address is null.
void RestoreHook(const THookInfo& Info);

}  // namespace Zizudo
