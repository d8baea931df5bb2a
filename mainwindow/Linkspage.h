// The Links page of the results window: the link rows of the current document, the summary text, the page image
// and the sort orders.
#pragma once

#include "core/Strstore.h"

class fileinfoclass;
class PointerArrayManager;
class TListView;

// Results of FillLinksPage beyond the common fill results.
inline constexpr int FILL_LINKS_NOT_BUILT = -3;
// The Links page's empty-state text.
inline constexpr const char EMPTY_LINKS_TEXT[] =
    "You must first validate the document (F6 or click here) to extract the links.";
// Link sort word bits (with SORT_ASCENDING).
inline constexpr int SORT_LINK_ORDER = 0x2;
inline constexpr int SORT_LINK_TYPE = 0x4;
inline constexpr int SORT_LINK_LINK = 0x8;
inline constexpr int SORT_LINK_ABSOLUTE = 0x10;
inline constexpr int SORT_LINK_STATUS = 0x20;
inline constexpr int SORT_LINK_COMMENT = 0x40;

// Fills the Links page (flags as the other fills): FILL_LINKS_NOT_BUILT, FILL_EMPTY_STATE, FILL_ALREADY_SHOWN,
// FILL_NO_VIEW or FILL_DONE.
int FillLinksPage(fileinfoclass* Document, int Flags);
// Flag 1: the link summary on the status bar (only for a built list).
void ShowLinkSummary(fileinfoclass* Document, int Flags);
// The summary text of a built link list ("1 bad link, 0 warning links, ..."); empty when not built.
StrStore LinkSummaryText(PointerArrayManager* Links);
// Flag 1: sets the Links page image by the statuses (flag 2: read again first).
void UpdateLinksPageImage(fileinfoclass* Document, int Flags);
// The image of a link status: bad 0, warning 1, not checked 2, good 3, else 2.
int LinkStatusImage(int Status);
// Sorts the Links list by the sort word (stable).
void SortLinksList(TListView* List, int Word);
