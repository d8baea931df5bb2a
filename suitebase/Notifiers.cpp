// Notifier lists, the global broadcast, the IDE update bracket and the activation notifiers.
#include "suitebase/Notifiers.h"

#include "platform/classes/TypInfoImpl.h"
#include "platform/rtl/UnitInit.h"

#include <algorithm>

namespace Dorazori {

Z_IMPLEMENT_CLASS(TNotifierListItem, TCollectionItem)
Z_IMPLEMENT_CLASS(TNotifierList, TObject)
Z_IMPLEMENT_CLASS(TMessageAnswer, TObject)
Z_IMPLEMENT_CLASS_PUBLISHED(TActiveNotifier, Zizudo::TCustomActiveNotifier, TActiveNotifier::Publish)
Z_IMPLEMENT_CLASS(TIDEActiveNotifier, TActiveNotifier)

namespace {
TList* GlobalNotifiers = nullptr;
Integer UpdateCount = 0;
TIDEActiveNotifier* IDENotifier = nullptr;

void FinalizeNotifiers() {
  FreeAndNil(IDENotifier);
  FreeAndNil(GlobalNotifiers);
  UpdateCount = 0;
}
}  // namespace

// ---- TNotifierList ----

TNotifierList::TNotifierList() : FItems(new TCollection(TNotifierListItem::StaticClass())) {}

TNotifierList::~TNotifierList() { delete FItems; }

void TNotifierList::AddMethod(const TNotifierProc& Method) {
  DeleteMethod(Method);
  static_cast<TNotifierListItem*>(FItems->Add())->Handler = Method;
}

void TNotifierList::DeleteMethod(const TNotifierProc& Method) {
  for (Integer I = 0; I < FItems->Count(); ++I) {
    if (static_cast<TNotifierListItem*>(FItems->Items(I))->Handler == Method) {
      FItems->Delete(I);
      return;
    }
  }
}

void TNotifierList::DeleteWithData(const void* Obj) {
  for (Integer I = FItems->Count() - 1; I >= 0; --I) {
    if (static_cast<TNotifierListItem*>(FItems->Items(I))->Handler.Data() == Obj) {
      FItems->Delete(I);
    }
  }
}

void TNotifierList::NotifyEvents(TObject* Sender, NativeInt wParam, NativeInt lParam) {
  Integer I = FItems->Count() - 1;
  while (I >= 0) {
    // A copy: the call may free the item that holds it.
    const TNotifierProc Handler = static_cast<TNotifierListItem*>(FItems->Items(I))->Handler;
    if (Handler) {
      Handler(Sender, wParam, lParam);
    }
    I = std::min(I, FItems->Count()) - 1;
  }
}

// ---- global broadcast ----

TList* NotifierList() {
  if (GlobalNotifiers == nullptr) {
    GlobalNotifiers = new TList();
  }
  return GlobalNotifiers;
}

void RegisterNotifier(TObject* Obj) {
  if (Obj == nullptr) {
    return;
  }
  (void)NotifierList()->Remove(Obj);  // an object registered again moves to the end
  NotifierList()->Add(Obj);
}

void UnregisterNotifier(TObject* Obj) {
  if (GlobalNotifiers != nullptr) {
    (void)GlobalNotifiers->Remove(Obj);  // an object not registered is ignored
  }
}

bool BroadcastToNotifierList(TObject* Sender, TList* List, UINT Msg, WPARAM WParam, LPARAM LParam, bool StopOnAnswer) {
  (void)Sender;  // the notifiers receive only the message record
  if (List == nullptr) {
    return true;
  }
  TMessage Message;
  Message.Msg = Msg;
  Message.WParam = WParam;
  Message.LParam = LParam;
  Integer I = List->Count() - 1;
  while (I >= 0) {
    static_cast<TObject*>(List->Items(I))->Dispatch(Message);
    if (StopOnAnswer && Message.Result != 0) {
      return false;
    }
    I = std::min(I, List->Count()) - 1;
  }
  return true;
}

bool BroadcastToNotifiersEx(TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam, bool StopOnAnswer) {
  return BroadcastToNotifierList(Sender, GlobalNotifiers, Msg, WParam, LParam, StopOnAnswer);
}

void BroadCastToNotifiers(TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam) {
  (void)BroadcastToNotifiersEx(Sender, Msg, WParam, LParam, false);  // without a stop it always gives true
}

bool NotifiersAgree(TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return BroadcastToNotifiersEx(Sender, Msg, WParam, LParam, true);
}

void SimpleBroadCast(UINT Msg) { BroadCastToNotifiers(nullptr, Msg, 0, 0); }

TMessageAnswer::TMessageAnswer() { RegisterNotifier(this); }

TMessageAnswer::~TMessageAnswer() { UnregisterNotifier(this); }

// ---- announcements ----

void ShowInspectorEx(bool Show) { BroadCastToNotifiers(nullptr, SM_SHOWINSPECTOR, Show ? 1 : 0, 0); }

void ShowInspector() { ShowInspectorEx(true); }

void HideInspector() { SimpleBroadCast(SM_HIDEINSPECTOR); }

void ToggleInspector() { SimpleBroadCast(SM_TOGGLEINSPECTOR); }

void EditStringsProperty(TComponent* Component, const std::string& PropName) {
  BroadCastToNotifiers(nullptr, SM_EDITSTRINGSPROPERTY, reinterpret_cast<WPARAM>(Component),
                       reinterpret_cast<LPARAM>(&PropName));
}

void IDEChanged() {
  if (UpdateCount <= 0) {
    SimpleBroadCast(SM_IDECHANGED);
  }
}

void IDEBeginUpdate() {
  if (UpdateCount == 0) {
    SimpleBroadCast(SM_IDEBEGINUPDATE);
  }
  ++UpdateCount;
}

void IDEEndUpdate() {
  if (UpdateCount <= 0) {
    return;
  }
  if (--UpdateCount == 0) {
    SimpleBroadCast(SM_IDEENDUPDATE);
    IDEChanged();
  }
}

Integer IDEUpdateCount() { return UpdateCount; }

void NotifyDestroy(TObject* Obj) {
  if (Obj != nullptr) {
    BroadCastToNotifiers(nullptr, SM_DESTROYOBJECTS, reinterpret_cast<WPARAM>(Obj), 0);
  }
}

void NotifyDestroyObjects(TList* List) {
  if (List != nullptr) {
    BroadCastToNotifiers(nullptr, SM_DESTROYOBJECTS, 0, reinterpret_cast<LPARAM>(List));
  }
}

// ---- activation notifiers ----

void TActiveNotifier::Publish(TMetaClass& Meta) {
  TPublisher<TActiveNotifier> P(Meta);
  P.Property("OnActiveChanged", &TActiveNotifier::OnActiveChanged, &TActiveNotifier::SetOnActiveChanged);
  P.Property("Version", &TActiveNotifier::Version, &TActiveNotifier::SetVersion);
}

void TIDEActiveNotifier::HookProc(const CWPRETSTRUCT& Info) {
  TActiveNotifier::HookProc(Info);
  IDEChanged();
}

void InitIDENotifier() {
  if (IDENotifier == nullptr) {
    IDENotifier = new TIDEActiveNotifier(nullptr);
  }
}

}  // namespace Dorazori

Z_REGISTER_UNIT(UnitOrder::Dorazori, "Dorazori.Notifiers", nullptr, &Dorazori::FinalizeNotifiers)
