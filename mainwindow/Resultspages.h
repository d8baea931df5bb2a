// The results pages of the main window: showing a document's result on the visible page (Messages, Grouped
// Messages, Styles, Accessibility, Structure), the page images, the empty states and the sort orders.
#pragma once

#include <string>
#include <vector>

class fileinfoclass;
class TListView;

// Flags of ShowResults (and of the fills where they apply).
inline constexpr int SHOW_SYNC_LINES = 0x1;
inline constexpr int SHOW_FORCE = 0x2;
inline constexpr int SHOW_LINKS = 0x8;
inline constexpr int SHOW_SELECT_AND_COUNT = 0x10;
inline constexpr int SHOW_FRESH_STATUSES = 0x20;
inline constexpr int SHOW_TREE_PAGE = 0x40;
// Results of the fills.
inline constexpr int FILL_NO_VIEW = -1;
inline constexpr int FILL_DONE = 0;
inline constexpr int FILL_EMPTY_STATE = 1;
inline constexpr int FILL_ALREADY_SHOWN = 2;
inline constexpr int SHOW_SHUTTING_DOWN = 3;
// Page images.
inline constexpr int PAGEIMAGE_NONE = 4;
// The empty-state texts.
inline constexpr const char EMPTY_MESSAGES_TEXT[] =
    "You must first validate the document (F6 or click here) to see the messages.";
inline constexpr const char EMPTY_STRUCTURE_TEXT[] =
    "You must first validate the document (F6 or click here) to see the structure.";
// Sort words: bit 0x1 ascending, bit 0x4 a column was chosen; one column bit.
inline constexpr int SORT_ASCENDING = 0x1;
inline constexpr int SORT_CHOSEN = 0x4;
inline constexpr int SORT_MSG_TYPE = 0x2;
inline constexpr int SORT_MSG_LINE = 0x8;
inline constexpr int SORT_MSG_TEXT = 0x10;
inline constexpr int SORT_TAG_NAME = 0x2;
inline constexpr int SORT_TAG_OPENED = 0x4;
inline constexpr int SORT_TAG_CLOSED = 0x8;
inline constexpr int SORT_TAG_PERCENT = 0x10;
inline constexpr int SORT_TAG_USED = 0x20;
// The document's sort words (fileinfoclass::sortModes).
inline constexpr int SORTWORD_TAGS = 0;
inline constexpr int SORTWORD_LINKS = 1;
inline constexpr int SORTWORD_MESSAGES = 2;

// Shows the document's result on the pages by flags (SHOW_*): SHOW_SHUTTING_DOWN, else the first negative fill
// result or the last one.
int ShowResults(fileinfoclass* Document, int Flags);
int FillMessagesPage(fileinfoclass* Document, int Flags);
int FillGroupedMessagesPage(fileinfoclass* Document, int Flags);
int FillStylesPage(fileinfoclass* Document, int Flags);
int FillAccessibilityPage(fileinfoclass* Document, int Flags);
int FillStructurePage(fileinfoclass* Document, int Flags);
// Sets the four message page images from the document's counters (4 each without a result).
void UpdateMessagesPageImage(fileinfoclass* Document);
// Every view that shows the document forgets it and is emptied; the structure editors go back to the placeholder.
// True when a view showed it.
bool ClearResultViews(fileinfoclass* Document);
// The new sort word after a click on column Column of a list whose first-click words are FirstWords.
int NextSortWord(int Current, int Column, const std::vector<int>& FirstWords);
// Sorts the Messages list, and the tag statistics list, by the document's sort words (stable).
void SortMessagesList(TListView* List, int Word);
void SortTagCountList(TListView* List, int Word);
// The rank of a type caption: "Error" 1, "Warning" 2, "Message" 3, "Comment" 4, other -1.
int TypeCaptionRank(const std::string& Caption);
