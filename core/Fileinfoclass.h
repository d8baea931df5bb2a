// fileinfoclass: one open document (its names, its text, where it came from, its type, the engine's result of its
// last validation and the bookkeeping of its undo copies), and the free functions around documents.
#pragma once

#include "core/Msginfoclass.h"
#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"

#include <cstdint>
#include <string>

class TComponent;
class TEasyEditSource;
class TCustomEasyEditSource;
class FileStore;
class fileinfoextraclass;
class parserclass;

// Selectors of fileinfoclass::GetName.
inline constexpr int NAME_FILE_PART = 0x1;
inline constexpr int NAME_FULL = 0x2;
inline constexpr int NAME_EMPTY_NOT_NULL = 0x4;
inline constexpr int NAME_WEB = 0x8;
inline constexpr int NAME_TAB_CAPTION = 0x10;
inline constexpr int NAME_WEB_EFFECTIVE = 0x20;
inline constexpr int NAME_TEMPORARY = 0x40;
inline constexpr int NAME_EXTENSION = 0x80;
inline constexpr int NAME_NO_MODIFIED_MARK = 0x100;
inline constexpr int NAME_DISPLAY = 14;         // the name shown to the user
inline constexpr int NAME_FOR_ENGINE = 270;     // the name handed to the engine

// Document flags.
inline constexpr unsigned DOCFLAG_PLACEHOLDER = 0x1;  // the untitled document an empty tab set gets
inline constexpr unsigned DOCFLAG_BROWSER_SOURCE = 0x2;
inline constexpr unsigned DOCFLAG_DETACHED_SOURCE = 0x8;

// Results of fileinfoclass::CheckChangedOnDisk.
inline constexpr int DISK_UNCHANGED = 0;
inline constexpr int DISK_CHANGED = 1;
inline constexpr int DISK_VANISHED = 2;

// Modes of the main window's read-only refresh (SetReadOnlyState); READONLY_FOLLOW_DISK alone, after a load.
inline constexpr int READONLY_SET = 1;
inline constexpr int READONLY_CLEAR = 2;
inline constexpr int READONLY_TOGGLE = 4;
inline constexpr int READONLY_APPLY_TO_TEXT = 8;
inline constexpr int READONLY_FOLLOW_DISK = 9;
inline constexpr int READONLY_DONE = 0;
inline constexpr int READONLY_NO_TEXT = -1;  // the document has no text

// Results of the document's file operations: LoadFromFile, SaveToFile, SetFileTime, LoadEditSourceFromFile and
// WriteFileReplacing. A load fails as well when the loaded file's time and size cannot be read afterwards.
inline constexpr int FILE_DONE = 0;
inline constexpr int FILE_FAILED = -1;
inline constexpr int SAVE_NO_TEXT = -2;
// Flags of LoadEditSourceFromFile, LoadFromFile and SaveToFile.
inline constexpr int LOAD_REPLACE_TEXT = 0x1;
inline constexpr int SAVE_TEMPORARY_COPY = 0x1;
// Results of fileinfoclass::Reload.
inline constexpr int RELOAD_NOTHING = 0;
inline constexpr int RELOADED_FROM_DISK = 1;
inline constexpr int RELOADED_FROM_WEB = 2;
inline constexpr int RELOAD_DISK_FAILED = -1;
inline constexpr int RELOAD_WEB_FAILED = -2;
// Flags of GetFileType and GetFileTypeByName, and of Query.
inline constexpr int FILETYPE_DECIDE_NOW = 0x1;   // GetFileType: an undecided type is decided first
inline constexpr int FILETYPE_BY_SETTING = 0x1;   // GetFileTypeByName: no extension takes the editor's choice
inline constexpr int FILETYPE_NAME_IS_URL = 0x2;  // GetFileTypeByName: query and anchor are dropped first
inline constexpr int FILETYPE_NONE_CHOSEN = -1;   // no extension and no document type chosen for that
inline constexpr int QUERY_DOCTYPE_FLAGS = 1;
inline constexpr int QUERY_LINE_COUNT = 2;
inline constexpr int QUERY_HAS_RESULT = 3;
// Flags of CheckChangedOnDisk.
inline constexpr int DISK_FORGET_VANISHED = 0x1;  // a vanished file is reported once and its time forgotten
inline constexpr int DISK_UNREADABLE = -1;        // the file exists but its time and size cannot be read

// Flags and results of the result operations.
inline constexpr int RESULT_ADOPT = 0x1;  // SetResultHandle: take the handle
inline constexpr int RESULT_HANDLE_SET = 0;
inline constexpr int RESULT_NO_HANDLE = -1;
inline constexpr int CLEAR_RESULTS = 0x1;             // ClearResults: forget the result and its views
inline constexpr int CLEAR_SHOW_AGAIN = 0x2;          // show the results again
inline constexpr int CLEAR_SHOW_FLAG_4 = 0x4;         // passed on to the main window's results display
inline constexpr int CLEAR_KEEP_HANDLE = 0x8;         // the handle moved elsewhere: not freed
inline constexpr int CLEAR_ONLY_IF_SHOWN = 0x10;      // a document with views is shown again only when current
inline constexpr int RESULTTEXT_DOCUMENT_ONLY = 0x0;  // LoadResultText: the new document text
inline constexpr int RESULTTEXT_CLEAR_READONLY = 0x1;
inline constexpr int RESULTTEXT_STRUCTURE = 0x2;
inline constexpr int RESULTTEXT_KEEP_DOCUMENT = 0x4;
inline constexpr int RESULTTEXT_READ = 0;
inline constexpr int RESULTTEXT_LINE_MISSING = -1;
inline constexpr int RESULTTEXT_NO_LINE_COUNT = -2;
inline constexpr int APPEND_REPORT_LINES = 1;  // AppendResultLines kind
inline constexpr int APPEND_DONE = 0;
inline constexpr int APPEND_NO_FILE = -1;
inline constexpr int APPEND_NO_HANDLE = -2;
inline constexpr int SENDTEXT_DONE = 0;  // SendTextToJob
inline constexpr int SENDTEXT_FAILED = -1;
inline constexpr int COPY_DONE = 0;  // CopyFrom and CopyExportToClipboard
inline constexpr int COPY_FAILED = -1;
inline constexpr int COPY_NO_SOURCE = -2;
inline constexpr int COPY_CLEAR_RESULTS = 0x2;  // CopyFrom: the copy starts without results
inline constexpr int COPY_NO_ARRAYS = 0x4;      // CopyFrom: the copy belongs to no array
inline constexpr int COUNT_UNKNOWN = -1;        // GetResultCount, GetStructureSourcePos, Query: nothing to count
// Selectors of GetResultCount.
inline constexpr int COUNT_ERRORS = 0x1;
inline constexpr int COUNT_WARNINGS = 0x2;
inline constexpr int COUNT_LINKS = 0x4;
inline constexpr int COUNT_MESSAGES = 0x8;
inline constexpr int COUNT_SAY_IF_NONE = 0x10;
inline constexpr int COUNT_OUT_OF_DATE = 0x200;
inline constexpr int COUNT_ERRORS_AND_WARNINGS = 0x1000;
inline constexpr int COUNT_PLAIN_MESSAGES = 0x800;
inline constexpr int COUNT_COMMENTS = 0x100;
inline constexpr int COUNT_LIST_TAG_2 = 0x20;  // tags of the result lists, read first when tag 0 is 0
inline constexpr int COUNT_LIST_TAG_3 = 0x40;
inline constexpr int COUNT_LIST_TAG_4 = 0x80;
inline constexpr int COUNT_LIST_TAG_6 = 0x400;
inline constexpr int COUNT_MESSAGE_TAGS_1_2 = 0x2000;  // sums of two tags of the messages, read first
inline constexpr int COUNT_MESSAGE_TAGS_5_6 = 0x4000;
inline constexpr int COUNT_MESSAGE_TAGS_9_10 = 0x10000;
inline constexpr int COUNT_MESSAGE_TAGS_13_14 = 0x20000;
inline constexpr int COUNT_SORT_MODE = 0x8000;  // 7 when messages are sorted by type, else 0
// Bits of GetStructureSourcePos.
inline constexpr int STRUCTURE_LINE = 0x1;
inline constexpr int STRUCTURE_CHAR = 0x2;
// Results of FreeUndoCopies.
inline constexpr int UNDO_FREED = 0;
inline constexpr int UNDO_NOT_FREED = -1;

// The name of a document that was never saved.
inline constexpr const char UNTITLED_NAME[] = "[Untitled]";

struct ScrollPosition {
  int column = 0;
  int topLine = 0;
};

// Flags of fileinfoclass::SetSavedState.
inline constexpr int SAVEDSTATE_SAVED = 0x1;
inline constexpr int SAVEDSTATE_CHANGED = 0x2;
inline constexpr int SAVEDSTATE_FROM_STORE = 0x4;
inline constexpr int SAVEDSTATE_TO_STORE = 0x8;
// Values of fileinfoclass::savedState.
inline constexpr int SAVEDSTATE_NONE = -1;
inline constexpr int SAVEDSTATE_IS_CHANGED = 0;
inline constexpr int SAVEDSTATE_IS_SAVED = 1;

class fileinfoclass {
public:
  // Makes an untitled document whose text belongs to it; Undo and Documents are the arrays it lives in (not owned).
  fileinfoclass(PointerArrayManager* UndoArray, PointerArrayManager* DocumentArray);
  ~fileinfoclass();
  fileinfoclass(const fileinfoclass&) = delete;
  fileinfoclass& operator=(const fileinfoclass&) = delete;

  StrStore name{UNTITLED_NAME};
  StrStore displayName;
  StrStore temporaryFile;
  int onDisk = 0;
  TEasyEditSource* text = nullptr;
  TEasyEditSource* structureText = nullptr;
  void* resultViews[3] = {nullptr, nullptr, nullptr};
  TComponent* resultsPageControl = nullptr;
  int tabIndex = -1;
  int documentType = 0;
  int doctypeFlags = 0;
  std::uint32_t flags = 0;
  int undoCopyIndex1 = -1;
  int undoCopyIndex2 = -1;
  PointerArrayManager* undoArray = nullptr;
  PointerArrayManager messages{FreeMsgInfo};
  PointerArrayManager* documentArray = nullptr;
  PointerArrayManager* resultLists = nullptr;
  int typeOverride = -1;
  int sortModes[3] = {3, 33, 0};
  int linkCount = 0;
  PointerArrayManager stringLists[3] = {PointerArrayManager(FreeStrStore), PointerArrayManager(FreeStrStore),
                                        PointerArrayManager(FreeStrStore)};
  int selectedMessage = -1;
  ScrollPosition scrollPosition1;
  ScrollPosition scrollPosition2;
  int resultHandle = -1;
  fileinfoextraclass* webOrigin = nullptr;
  std::int64_t fileTime = 0;
  int fileTimeKnown = 0;
  std::int64_t fileSize = 0;
  int resultsOutOfDate = 1;
  int configurationNumber = -1;  // the validator configuration of the last validation; -1 none
  int savedState = -1;           // the saved state last shown: SAVEDSTATE_NONE, _IS_CHANGED or _IS_SAVED

  // ---- names and kinds (Fileinfoclass.cpp) ----
  const char* GetName(int Selector);
  const char* GetFileTypeName();
  [[nodiscard]] int TestFlag(int Which);
  [[nodiscard]] int GetFileType(int Flags);
  bool IsWebDocument() const;
  int CanReload() const;
  int IsEditable() const;
  int IsReadOnly() const;
  int IsValidatable();
  int CanPreview() const;
  [[nodiscard]] int Query(int What);
  const char* GetInfoText(int Selector);
  // The document-type decision: content type "text/html" gives HTML, "text/css" CSS, otherwise the type of the
  // name; with syntax highlighting on, the text takes the type's highlighter and word delimiters.
  int UpdateDocumentType(int Flags);

  // Flags SAVEDSTATE_SAVED or SAVEDSTATE_CHANGED set the state, SAVEDSTATE_FROM_STORE takes it from the text
  // store's modified flag, SAVEDSTATE_TO_STORE also writes it to that flag. When the state differs from the one
  // last shown, the document's tab captions and Opened rows are refreshed. 0.
  int SetSavedState(int Flags);

  // ---- text, files and time (Fileinfoclass.cpp) ----
  [[nodiscard]] int LoadFromFile(const char* Path, int Flags);
  [[nodiscard]] int SaveToFile(const char* Path, int Flags);
  [[nodiscard]] int SetFileTime(const char* Path);
  [[nodiscard]] int CheckChangedOnDisk(int Flags);
  [[nodiscard]] int Reload();
  void SetReadOnly(bool On);
  int SetReadOnlyState(int Mode);
  void SetFlags(std::uint32_t Bits, bool On);
  int SetBrowserLocation(const char* Location, int Flags);
  int SetWebOrigin(fileinfoextraclass*& Origin, int Flags);
  [[nodiscard]] int CopyExportToClipboard(FileStore* File, int Flags);

  // ---- results (Fileinforesults.cpp; the jobs in Enginejobs.cpp) ----
  [[nodiscard]] int SetResultHandle(int Handle, int Flags);
  int ClearResults(int Flags);
  int SetNeedsValidation(int On, int Flags);
  [[nodiscard]] int GetResultCount(int Selector);
  [[nodiscard]] int GetStructureSourcePos(int StructureLine, int Bits);
  [[nodiscard]] int LoadResultText(int Handle, int Flags);
  [[nodiscard]] int AppendResultLines(FileStore* File, int Handle, int Kind);
  // Hands the text to an engine job line by line (defined with the engine jobs, Enginejobs.cpp).
  [[nodiscard]] int SendTextToJob(int Job);
  int ClearLineStyles();
  // Runs a validation of the document through the engine: ValidateDocument (Enginejobs.h, where the flags, modes
  // and results are declared).
  [[nodiscard]] int Validate(int Mode, int Flags);

  // ---- scroll positions and undo copies (Fileinforesults.cpp) ----
  void ResetScrollPosition(ScrollPosition& Pair);
  // Brings the first (0) or second (1) document editor to the document's remembered scroll position.
  void RestoreScrollPosition(int Editor);
  int FreeUndoCopies();
  int CopyFrom(fileinfoclass* Other, int Flags);

  // A number that identifies the document among the documents that exist at the same time.
  unsigned serial = 0;

private:
  StrStore nameResult;
  StrStore infoResult;
  void DeleteTemporaryFile();
  void DeleteResultLists();
};

int FreeFileInfo(void* Element);

// Names and types.
StrStore FormatDocumentName(fileinfoclass* Document, int Flags);
[[nodiscard]] int GetFileTypeByName(const char* Name, parserclass** Definition, int Flags);
[[nodiscard]] int GetFileTypeByPath(const char* Path, parserclass** Definition, int Flags);
[[nodiscard]] int AllDocumentsSaved(PointerArrayManager* Array);

// Text and results.
[[nodiscard]] int LoadEditSourceFromFile(const char* Path, TCustomEasyEditSource* Source, int Flags);
int ClearLineStyles(TCustomEasyEditSource* Source);
[[nodiscard]] int GetLinkCount(int ResultHandle, int Flags);
// Each document editor's current document takes the editor's first visible column and top line.
void SaveScrollPositions();
// Saves the text to Path so that Path holds either its old or its whole new content at every moment: a temporary
// file beside it is written, flushed and renamed over it (through a symbolic link to its target), keeping the
// permission bits. A target that exists without write permission is refused. Temporary files that interrupted
// saves left in that folder (older than this save, their lock free) are removed first. FILE_DONE or FILE_FAILED.
[[nodiscard]] int WriteFileReplacing(const std::string& Path, const std::string& Content);
