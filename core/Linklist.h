// The link list of an engine result: building it from the result's "links" and "linkstypes" lists, reading the
// link statuses from the engine's link cache, and the test whether an address lies under a base address.
#pragma once

#include "core/Pointerarraymanager.h"

class fileinfoextraclass;

// Tags of a link list (PointerArrayManager::tags).
inline constexpr int LINKS_TAG_BUILT = 0;
inline constexpr int LINKS_TAG_TOTAL = 1;
inline constexpr int LINKS_TAG_GOOD = 2;
inline constexpr int LINKS_TAG_BAD = 3;
inline constexpr int LINKS_TAG_NOT_CHECKED = 4;
inline constexpr int LINKS_TAG_STATUSES_READ = 5;
inline constexpr int LINKS_TAG_WARNING = 6;

// The integers of a link entry (StrStoreEx::spareInts) and its extra strings.
inline constexpr int LINK_INT_CREDENTIALS = 0;
inline constexpr int LINK_INT_ORDER = 1;
inline constexpr int LINK_INT_STATUS = 2;
inline constexpr int LINK_STR_USER = 0;
inline constexpr int LINK_STR_PASSWORD = 1;
inline constexpr int LINK_STR_AS_USED = 2;
inline constexpr int LINK_STR_STATUS = 3;
inline constexpr int LINK_STR_TYPE = 4;
inline constexpr int LINK_STR_AGENT = 5;
inline constexpr int LINK_STR_COMMENT = 6;
inline constexpr int LINK_STR_DECODED = 7;
inline constexpr int LINK_STR_ABSOLUTE = 8;
// Link statuses.
inline constexpr int LINK_NOT_CHECKED = 1;
inline constexpr int LINK_GOOD = 2;
inline constexpr int LINK_BAD = 3;
inline constexpr int LINK_WARNING = 4;

// Results of BuildLinkList.
inline constexpr int LINKLIST_BUILT = 0;
inline constexpr int LINKLIST_NO_RESULT = 1;
inline constexpr int LINKLIST_ALREADY_BUILT = 2;
inline constexpr int LINKLIST_NO_MEMORY = -1;

// Frees a link entry (a StrStoreEx); 1.
int FreeLinkEntry(void* Element);
// Makes or refreshes the link list in *Slot from the result's link lists, resolving each link against Base
// (its anchor dropped); the origin's agent goes with every link and its credentials with the links under its
// address. Count (when given) receives the number of links. See LINKLIST_*.
[[nodiscard]] int BuildLinkList(int ResultHandle, PointerArrayManager** Slot, const fileinfoextraclass* Origin,
                                int* Count, const char* Base, int Flags);
// Flag 1: reads every link's status from the engine's link cache when the list has links whose statuses were
// not read yet (flag 2: always), and stores the counts in the list's tags. 0.
int ReadLinkStatuses(PointerArrayManager* Links, int Flags);
// With flag 1: 1 when Address begins, ignoring case, with the folder of Base, else 0.
int IsUnderBaseURL(const char* Base, const char* Address, int Flags);
