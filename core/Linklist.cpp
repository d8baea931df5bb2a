// The link list of an engine result and the link-cache statuses of its entries.
#include "core/Linklist.h"

#include "core/Filestore.h"
#include "core/Fileinfoextraclass.h"
#include "core/Pathprocessor.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"

#include <new>

namespace {

const char NotChecked[] = "[not checked]";

int Tag(const PointerArrayManager* List, int Index) {
  return List != nullptr && List->tags != nullptr ? List->tags->getInt(Index) : 0;
}

void SetTag(PointerArrayManager* List, int Index, int Value) {
  (void)List->setTag(Index, Value);  // a tag that cannot be stored reads back as 0: nothing counted
}

// The folder of an address: resolved with "./", or its site root when credentials go by domain.
StrStore FolderOf(const char* Base) {
  const bool ByDomain =
      prg != nullptr && prg->interface != nullptr && prg->interface->flags2.has(IF2::CredentialsByDomain);
  int Code = 0;
  return ResolveRelativePath(Base, ByDomain ? "/" : "./", RESOLVE_URL | RESOLVE_BASE_DOCUMENT, &Code);
}

const char* ListItem(int Handle, int List, int Index) {
  return List >= 0 && ZUBCalls.ZUBGetString4 != nullptr ? ZUBCalls.ZUBGetString4(Handle, ZUB_LIST_ITEM, List, Index)
                                                        : nullptr;
}

StrStoreEx* MakeEntry(const char* Link, int Order, const char* Type, const fileinfoextraclass* Origin) {
  auto* E = new (std::nothrow) StrStoreEx;
  if (E == nullptr) {
    return nullptr;
  }
  (void)E->spareInts.setSize(3, 0);  // a failed grow leaves the integers reading as -1, which no caller trusts
  E->spareInts.getIntRef(LINK_INT_ORDER) = Order;
  E->spareInts.getIntRef(LINK_INT_STATUS) = LINK_NOT_CHECKED;
  StrStore Decoded(Link);
  (void)Decoded.decodeCharRefs(0);  // the count of undecoded references is not needed
  (void)Decoded.trim(0);
  int Failed = 0;
  Failed |= E->setExtraString(LINK_STR_AS_USED, Link);
  Failed |= E->setExtraString(LINK_STR_DECODED, Decoded.text);
  Failed |= E->setExtraString(LINK_STR_STATUS, NotChecked);
  Failed |= E->setExtraString(LINK_STR_TYPE, Type != nullptr && *Type != 0 ? Type : "[not available]");
  Failed |= E->setExtraString(LINK_STR_COMMENT, "");
  if (Origin != nullptr) {
    Failed |= E->setExtraString(LINK_STR_AGENT, Origin->userAgent.text);
  }
  if (Failed != 0) {
    delete E;
    return nullptr;
  }
  return E;
}

}  // namespace

int FreeLinkEntry(void* Element) {
  delete static_cast<StrStoreEx*>(Element);
  return 1;
}

int BuildLinkList(int ResultHandle, PointerArrayManager** Slot, const fileinfoextraclass* Origin, int* Count,
                  const char* Base, int Flags) {
  if (Slot == nullptr || (Flags & 1) == 0) {
    return LINKLIST_NO_MEMORY;
  }
  if (*Slot == nullptr) {
    *Slot = new (std::nothrow) PointerArrayManager(FreeLinkEntry);
    if (*Slot == nullptr) {
      return LINKLIST_NO_MEMORY;
    }
  }
  PointerArrayManager* List = *Slot;
  if (ResultHandle < 0) {
    (void)List->removeAllPointers(0);  // the free callback never refuses
    SetTag(List, LINKS_TAG_BUILT, 1);
    SetTag(List, LINKS_TAG_STATUSES_READ, 0);
    SetTag(List, LINKS_TAG_TOTAL, 0);
    return LINKLIST_NO_RESULT;
  }
  if (Tag(List, LINKS_TAG_BUILT) == 1) {
    return LINKLIST_ALREADY_BUILT;
  }
  (void)List->removeAllPointers(0);  // as above
  StrStore BaseText(Base != nullptr ? Base : "");
  BaseText.removeAnchor();
  const auto ListIndex = [ResultHandle](const char* Name) {
    return ZUBCalls.ZUBGetInteger4EZ != nullptr ? ZUBCalls.ZUBGetInteger4EZ(ResultHandle, ZUB_LIST_INDEX, Name) : -1;
  };
  const int Links = ListIndex("links");
  const int Types = ListIndex("linkstypes");
  int N = 0;
  if (Links >= 0 && ZUBCalls.ZUBGetInteger2EZ != nullptr) {
    N = ZUBCalls.ZUBGetInteger2EZ(ResultHandle, ZUB_LIST_SIZE, Links);
  }
  N = N > 0 ? N : 0;
  if (Count != nullptr) {
    *Count = N;
  }
  StrStore CredentialPrefix;
  if (Origin != nullptr && fileinfoextraclass::UsesCredentials(Origin, 1) != 0 && Origin->address.length > 0) {
    CredentialPrefix = FolderOf(Origin->address.text);
  }
  const int ResolveFlags = RESOLVE_BASE_DOCUMENT | RESOLVE_ANCHOR_SELF |
                           (IsAbsoluteWindowsPath(BaseText.text) != 0 ? RESOLVE_FILE : RESOLVE_URL);
  for (int I = 0; I < N; ++I) {
    const char* Item = ListItem(ResultHandle, Links, I);
    if (Item == nullptr) {
      continue;
    }
    StrStore Link(Item);
    StrStore Script;
    if (GetScriptLinkUrl(Item, &Script, 1) != nullptr) {
      Link = Script;
    }
    StrStoreEx* E = MakeEntry(Link.text, I + 1, ListItem(ResultHandle, Types, I), Origin);
    if (E == nullptr) {
      return LINKLIST_NO_MEMORY;
    }
    int Code = 0;
    StrStore Absolute =
        BaseText.length > 0
            ? ResolveRelativePath(BaseText.text, E->getExtraString(LINK_STR_DECODED), ResolveFlags, &Code)
            : ResolveRelativePath("[can't compute; base URL not available]", E->getExtraString(LINK_STR_DECODED),
                                  ResolveFlags | RESOLVE_KEEP_BASE, &Code);
    if (Code != PATH_RESOLVED) {
      Absolute.assign("[error computing path] (").append(Link.text).append(")");
    }
    E->assignStore(Absolute);
    if (CredentialPrefix.length > 0 && Absolute.startsWithNoCase(CredentialPrefix.text) != 0) {
      E->spareInts.getIntRef(LINK_INT_CREDENTIALS) = 1;
      (void)E->setExtraString(LINK_STR_USER, Origin->userName.text);  // a lost copy only loses the credentials
      (void)E->setExtraString(LINK_STR_PASSWORD, Origin->password.text);
    }
    StrStore Decoded(Absolute);
    (void)Decoded.urlDecode(0);                                // 1 only says there was nothing to decode
    (void)E->setExtraString(LINK_STR_ABSOLUTE, Decoded.text);  // as above: the entry stays usable
    if (List->addPointer(E) < 0) {
      delete E;
      return LINKLIST_NO_MEMORY;
    }
  }
  SetTag(List, LINKS_TAG_BUILT, 1);
  SetTag(List, LINKS_TAG_STATUSES_READ, 0);
  SetTag(List, LINKS_TAG_TOTAL, List->getCount());
  return LINKLIST_BUILT;
}

int ReadLinkStatuses(PointerArrayManager* Links, int Flags) {
  if (Links == nullptr || (Flags & 3) == 0) {
    return 0;
  }
  const bool Force = (Flags & 2) != 0;
  if (!Force && (Links->getCount() == 0 || Tag(Links, LINKS_TAG_STATUSES_READ) == 1)) {
    return 0;
  }
  int Good = 0, Bad = 0, NotCheckedCount = 0, Warning = 0;
  for (int I = 0; I < Links->getCount(); ++I) {
    auto* E = static_cast<StrStoreEx*>(Links->getPointer(I));
    if (E == nullptr) {
      continue;
    }
    int Status = ZUBCalls.ZUBGetInteger5EZ != nullptr ? ZUBCalls.ZUBGetInteger5EZ(ZUB_LINK_CACHE_STATUS, E->text) : -1;
    Status = Status < 0 ? LINK_NOT_CHECKED : Status;
    E->spareInts.getIntRef(LINK_INT_STATUS) = Status;
    const char* Text =
        ZUBCalls.ZUBGetString5 != nullptr ? ZUBCalls.ZUBGetString5(ZUB_LINK_CACHE_TEXT, E->text) : nullptr;
    (void)E->setExtraString(LINK_STR_STATUS, Text != nullptr && *Text != 0 ? Text : NotChecked);  // kept on failure
    const char* Comment =
        ZUBCalls.ZUBGetString5 != nullptr ? ZUBCalls.ZUBGetString5(ZUB_LINK_CACHE_COMMENT, E->text) : nullptr;
    (void)E->setExtraString(LINK_STR_COMMENT, Comment != nullptr ? Comment : "");  // as above
    switch (Status) {
      case LINK_GOOD: ++Good; break;
      case LINK_BAD: ++Bad; break;
      case LINK_WARNING: ++Warning; break;
      case LINK_NOT_CHECKED: ++NotCheckedCount; break;
      default: break;
    }
  }
  SetTag(Links, LINKS_TAG_TOTAL, Links->getCount());
  SetTag(Links, LINKS_TAG_GOOD, Good);
  SetTag(Links, LINKS_TAG_BAD, Bad);
  SetTag(Links, LINKS_TAG_NOT_CHECKED, NotCheckedCount);
  SetTag(Links, LINKS_TAG_WARNING, Warning);
  SetTag(Links, LINKS_TAG_STATUSES_READ, 1);
  return 0;
}

int IsUnderBaseURL(const char* Base, const char* Address, int Flags) {
  if ((Flags & 1) == 0 || Base == nullptr || Address == nullptr) {
    return 0;
  }
  const StrStore Folder = FolderOf(Base);
  if (Folder.length == 0) {
    return 0;
  }
  const StrStore A(Address);
  return A.startsWithNoCase(Folder.text);
}
