// The message model: reading a document's engine result into its message records, counting them by class and
// page, collecting the category names, bookmarking and marking the message lines and keeping the lines in step
// with later edits.
#pragma once

class fileinfoclass;
class msginfoclass;
class TCustomEasyEditSource;

// Flags of ReadResults, each independent.
inline constexpr int READ_LINK_LIST = 0x1;      // build or refresh the link list
inline constexpr int READ_SUBMIT_LINKS = 0x2;   // hand the links to the engine's link checker
inline constexpr int READ_SUBMIT_FORCED = 0x4;  // with READ_SUBMIT_LINKS: checked again when failed before
inline constexpr int READ_MESSAGES = 0x8;
inline constexpr int READ_LINKS_IF_UNBUILT = 0x10;  // with READ_LINK_LIST: only when not built for this result
inline constexpr int READ_LINK_STATUSES = 0x20;     // with READ_LINK_LIST: refresh the link statuses too
inline constexpr int READ_XHTML_TEST = 0x40;
// The document's XHTML mark (fileinfoclass::doctypeFlags), set by READ_XHTML_TEST.
inline constexpr int DOCTYPE_XHTML = 0x1;
// Results of ReadResults.
inline constexpr int READRESULTS_DONE = 0;
inline constexpr int READRESULTS_ALREADY_READ = 3;
inline constexpr int READRESULTS_NO_RESULT = 4;
inline constexpr int READRESULTS_NO_MEMORY = -1;
// Results of ApplyMessageLineStyles and SyncMessageLines.
inline constexpr int LINESTYLES_NOT_READ = 3;
inline constexpr int SYNC_NO_RESULT = -1;

// The tags of a document's message array: 0 all messages; then four counters (error, warning, message, comment)
// for each of: listed messages, categorised plain messages, style messages, accessibility messages.
inline constexpr int MSGTAG_ALL = 0;
inline constexpr int MSGTAG_LISTED = 1;
inline constexpr int MSGTAG_GROUPED = 5;
inline constexpr int MSGTAG_STYLES = 9;
inline constexpr int MSGTAG_ACCESSIBILITY = 13;
// The document's three category lists (fileinfoclass::stringLists).
inline constexpr int CATEGORIES_PLAIN = 0;
inline constexpr int CATEGORIES_STYLE = 1;
inline constexpr int CATEGORIES_ACCESSIBILITY = 2;
// The category of a style or accessibility message that has none.
inline constexpr const char NO_CATEGORY[] = "No Category";
// The first and the end of the bookmark numbers that message lines get (the editor's own are 0 to 9).
inline constexpr int FIRST_MESSAGE_BOOKMARK = 100;
inline constexpr int MESSAGE_BOOKMARK_END = 256;
// The engine version from which messages carry their identifier.
inline constexpr int ENGINE_VERSION_WITH_MESSAGE_IDS = 54930;

// Reads by flags (READ_*). The link-list or link-checker code when those flags were given, else
// READRESULTS_DONE; READRESULTS_ALREADY_READ when the messages were read before, READRESULTS_NO_RESULT without a
// result handle (the array is then only marked read), 1 for READ_SUBMIT_LINKS without a result,
// READRESULTS_NO_MEMORY when a record could not be made (the records read so far stay).
int ReadResults(fileinfoclass* Document, int Flags);
// Places the message bookmarks (100 to 255 in result order, lines only) and then applies the line styles.
void SetMessageBookmarks(fileinfoclass* Document);
// Resets every line style of the text, then marks the message lines by the editor options;
// LINESTYLES_NOT_READ when the messages are not read, else 0.
int ApplyMessageLineStyles(fileinfoclass* Document);
// Reads each bookmarked message's line from its bookmark (one pass over the bookmarks), writes it back to the
// result and rewrites its line text. SYNC_NO_RESULT without a result handle, else 0.
int SyncMessageLines(fileinfoclass* Document);
// The line (from 1) that carries the bookmark, -1 when none.
int FindBookmarkLine(TCustomEasyEditSource* Source, int Bookmark);
// Rewrites the message's line text from its line.
void FormatMessageLineText(fileinfoclass* Document, msginfoclass* Message);
// The message array's tag (0 when it has none).
int MessageTag(fileinfoclass* Document, int Index);
// Whether the bookmark warning was shown in this run of the program (tests reset it).
bool BookmarkWarningShown();
void ResetBookmarkWarning();
