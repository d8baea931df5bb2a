// Notifier lists of method pointers, the global broadcast of numbered messages to registered objects, the
// IDE update bracket and the activation notifier components.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/Messages.h"
#include "suitebase/Dcmethod.h"
#include "suitebase/Zizudo.h"

#include <string>

namespace Dorazori {

// The suite's broadcast messages.
inline constexpr UINT SM_SHOWINSPECTOR = 2037;
inline constexpr UINT SM_HIDEINSPECTOR = 2041;
inline constexpr UINT SM_EDITSTRINGSPROPERTY = 2044;
inline constexpr UINT SM_IDECHANGED = 2045;
inline constexpr UINT SM_IDEENDUPDATE = 2053;
inline constexpr UINT SM_IDEBEGINUPDATE = 2055;
inline constexpr UINT SM_TOGGLEINSPECTOR = 2057;
inline constexpr UINT SM_FREEEDITGROUP = 2058;
inline constexpr UINT SM_DESTROYOBJECTS = 2059;
inline constexpr UINT SM_COMPONENTSREGISTERED = 2069;

using TNotifierProc = TDCMethod<void(TObject* Sender, NativeInt wParam, NativeInt lParam)>;

class TNotifierListItem : public TCollectionItem {
  Z_CLASS(TNotifierListItem, TCollectionItem)
public:
  explicit TNotifierListItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  TNotifierProc Handler;
};

// Method pointers called with a sender and two integers, each method held once.
class TNotifierList : public TObject {
  Z_CLASS(TNotifierList, TObject)
public:
  TNotifierList();
  ~TNotifierList() override;
  TNotifierList(const TNotifierList&) = delete;
  TNotifierList& operator=(const TNotifierList&) = delete;

  void AddMethod(const TNotifierProc& Method);     // an equal method goes first; the new one is last
  void DeleteMethod(const TNotifierProc& Method);  // the first equal one
  void DeleteWithData(const void* Obj);            // every method of Obj
  // Calls the methods last to first; a method may remove itself or others while it runs.
  void NotifyEvents(TObject* Sender, NativeInt wParam, NativeInt lParam);
  Integer Count() const { return FItems->Count(); }
  const TNotifierProc& Methods(Integer Index) const {
    return static_cast<TNotifierListItem*>(FItems->Items(Index))->Handler;
  }

private:
  TCollection* FItems;
};

// The global notifier list: objects that receive the suite's broadcasts through their Dispatch.
void RegisterNotifier(TObject* Obj);  // moves Obj to the end when already there
void UnregisterNotifier(TObject* Obj);
TList* NotifierList();  // made on first use

// Dispatches the message to the objects of List last to first. With StopOnAnswer, stops and gives false as
// soon as a notifier set a result; otherwise true.
bool BroadcastToNotifierList(TObject* Sender, TList* List, UINT Msg, WPARAM WParam, LPARAM LParam, bool StopOnAnswer);
bool BroadcastToNotifiersEx(TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam, bool StopOnAnswer);
void BroadCastToNotifiers(TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam);
bool NotifiersAgree(TObject* Sender, UINT Msg, WPARAM WParam, LPARAM LParam);
void SimpleBroadCast(UINT Msg);

// An object that is a registered notifier for its whole life.
class TMessageAnswer : public TObject {
  Z_CLASS(TMessageAnswer, TObject)
public:
  TMessageAnswer();
  ~TMessageAnswer() override;
};

void ShowInspectorEx(bool Show);
void ShowInspector();
void HideInspector();
void ToggleInspector();
void EditStringsProperty(TComponent* Component, const std::string& PropName);
void IDEChanged();      // SM_IDECHANGED unless an update bracket is open
void IDEBeginUpdate();  // SM_IDEBEGINUPDATE at the outermost
void IDEEndUpdate();    // at the outermost end SM_IDEENDUPDATE, then IDEChanged
Integer IDEUpdateCount();
void NotifyDestroy(TObject* Obj);
void NotifyDestroyObjects(TList* List);

// The published activation notifier.
class TActiveNotifier : public Zizudo::TCustomActiveNotifier {
  Z_CLASS(TActiveNotifier, Zizudo::TCustomActiveNotifier)
public:
  explicit TActiveNotifier(TComponent* AOwner) : Zizudo::TCustomActiveNotifier(AOwner) {}
  static void Publish(TMetaClass& Meta);
  const std::string& Version() const { return FVersion; }
  void SetVersion(const std::string& Value) { (void)Value; }  // a design-time label; it never changes

private:
  std::string FVersion = "4.11";
};

// Announces an IDE change for every activation change.
class TIDEActiveNotifier : public TActiveNotifier {
  Z_CLASS(TIDEActiveNotifier, TActiveNotifier)
public:
  explicit TIDEActiveNotifier(TComponent* AOwner) : TActiveNotifier(AOwner) {}
  void HookProc(const CWPRETSTRUCT& Info) override;
};

// Makes the process's one TIDEActiveNotifier (freed by the unit's finalisation).
void InitIDENotifier();

}  // namespace Dorazori
