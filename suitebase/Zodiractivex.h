// The installed ActiveX controls (TAxControlCollection) and the application object's list of known type
// libraries, kept in the registry value "KnownActiveXs" and announced to the suite's notifiers.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/Guids.h"

#include <memory>
#include <string>

namespace Zodir {

inline constexpr UINT SM_ACTIVEXREGISTERED = 2032;    // WParam: the TAxControlInfo
inline constexpr UINT SM_ACTIVEXUNREGISTERED = 2033;  // WParam: the TAxControlInfo

class TAxControlInfo : public TCollectionItem {
  Z_CLASS(TAxControlInfo, TCollectionItem)
public:
  explicit TAxControlInfo(TCollection* ACollection) : TCollectionItem(ACollection) {}
  GUID ClassID{};
  std::string Description;
  std::string BitmapFile;
  int BitmapIndex = 0;
  std::string ServerFile;
  std::string ControlName;
  GUID TypeLib{};
};

// The controls of the system's control category. This system has no component-category service, so the
// collection starts empty; items can be added as to any collection.
class TAxControlCollection : public TCollection {
  Z_CLASS(TAxControlCollection, TCollection)
public:
  TAxControlCollection();
  void LoadRegisteredControls();
  TAxControlInfo* Items(Integer Index) const { return static_cast<TAxControlInfo*>(TCollection::Items(Index)); }
  // One line per type library (its name, else the server file), carrying its first control.
  void GetActiveXNames(TStrings* Strings);
  // The first control whose type library or class is Guid; null when none.
  TAxControlInfo* ItemByGUID(const GUID& Guid) const;
};

// The known type libraries ("{...}" texts, sorted), read from "KnownActiveXs" on first use.
TStringList* GetGUIDS();
bool ActiveXRegistered(const GUID& Guid);
void RegisterActiveX(TAxControlInfo* Info);
// Nothing (and no notice) when the type library is not known.
void UnRegisterActiveX(TAxControlInfo* Info);
void SaveActiveXConfig();
// Forgets the known list (the application object's end).
void FreeActiveXList();

}  // namespace Zodir
