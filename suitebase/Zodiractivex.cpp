// The ActiveX control collection and the known type libraries.
#include "suitebase/Zodiractivex.h"

#include "suitebase/Fileutils.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Regstore.h"

#include <algorithm>
#include <cstring>

namespace Zodir {

Z_IMPLEMENT_CLASS(TAxControlInfo, TCollectionItem)
Z_IMPLEMENT_CLASS(TAxControlCollection, TCollection)

namespace {
const char* const KnownActiveXs = "KnownActiveXs";
std::unique_ptr<TStringList> Known;

bool SameGuid(const GUID& A, const GUID& B) { return std::memcmp(&A, &B, sizeof(GUID)) == 0; }
}  // namespace

TAxControlCollection::TAxControlCollection() : TCollection(TAxControlInfo::StaticClass()) { LoadRegisteredControls(); }

void TAxControlCollection::LoadRegisteredControls() {
  // Without a component-category service there is no category to enumerate: the collection stays empty.
  Clear();
}

void TAxControlCollection::GetActiveXNames(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  std::vector<GUID> Listed;
  for (Integer I = 0; I < Count(); ++I) {
    TAxControlInfo* Info = Items(I);
    if (std::any_of(Listed.begin(), Listed.end(), [&](const GUID& G) { return SameGuid(G, Info->TypeLib); })) {
      continue;
    }
    Listed.push_back(Info->TypeLib);
    std::string Name = Dorazori::GetTypeLibName(Info->TypeLib);
    if (Name.empty()) {
      Name = Info->ServerFile;
    }
    Strings->AddObject(Name, Info);
  }
  Strings->EndUpdate();
}

TAxControlInfo* TAxControlCollection::ItemByGUID(const GUID& Guid) const {
  for (Integer I = 0; I < Count(); ++I) {
    if (SameGuid(Items(I)->TypeLib, Guid) || SameGuid(Items(I)->ClassID, Guid)) {
      return Items(I);
    }
  }
  return nullptr;
}

TStringList* GetGUIDS() {
  if (!Known) {
    Known = std::make_unique<TStringList>();
    Known->SetSorted(true);
    Known->SetText(VarToStr(Dorazori::ReadFromRegistry(KnownActiveXs, Variant(std::string()))));
  }
  return Known.get();
}

bool ActiveXRegistered(const GUID& Guid) { return GetGUIDS()->IndexOf(GUIDToString(Guid)) >= 0; }

void RegisterActiveX(TAxControlInfo* Info) {
  if (!Info) {
    return;
  }
  GetGUIDS()->Add(GUIDToString(Info->TypeLib));
  Dorazori::BroadCastToNotifiers(nullptr, SM_ACTIVEXREGISTERED, reinterpret_cast<WPARAM>(Info), 0);
  SaveActiveXConfig();
}

void UnRegisterActiveX(TAxControlInfo* Info) {
  if (!Info) {
    return;
  }
  const Integer I = GetGUIDS()->IndexOf(GUIDToString(Info->TypeLib));
  if (I < 0) {
    return;
  }
  GetGUIDS()->Delete(I);
  Dorazori::BroadCastToNotifiers(nullptr, SM_ACTIVEXUNREGISTERED, reinterpret_cast<WPARAM>(Info), 0);
  SaveActiveXConfig();
}

void SaveActiveXConfig() { Dorazori::WriteToRegistry(KnownActiveXs, Variant(GetGUIDS()->Text())); }

void FreeActiveXList() { Known.reset(); }

}  // namespace Zodir
