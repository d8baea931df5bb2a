// fileinfoclass: one open document (its names, its text, where it came from, its type, the engine's result of its
// last validation and the bookkeeping of its undo copies), and the free functions around documents.
#pragma once

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

// Modes of the main window's read-only refresh.
inline constexpr int READONLY_SET = 1;
inline constexpr int READONLY_CLEAR = 2;
inline constexpr int READONLY_TOGGLE = 4;
inline constexpr int READONLY_APPLY_TO_TEXT = 8;

// The name of a document that was never saved.
inline constexpr const char UNTITLED_NAME[] = "[Untitled]";

// One engine message of a document's result, as the results window lists it.
class msginfoclass {
public:
  int messageClass = 0;  // 1 error, 2 warning, 3 comment, 4 message
  int line = 0;
  int column = 0;
  int length = 0;
  int id = 0;
  StrStore text;

  // With flag 1: true for an error or a warning.
  bool IsErrorOrWarning(int Flags) const;
};
int FreeMsgInfo(void* Element);

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

  // Names and kinds.
  const char* GetName(int Selector);
  const char* GetFileTypeName();
  int TestFlag(int Which);
  int GetFileType(int Flags);
  bool IsWebDocument() const;
  int CanReload() const;
  int IsEditable() const;
  int IsReadOnly() const;
  int IsValidatable();
  int CanPreview() const;
  int Query(int What);
  const char* GetInfoText(int Selector);
  // The document-type decision: content type "text/html" gives HTML, "text/css" CSS, otherwise the type of the
  // name; with syntax highlighting on, the text takes the type's highlighter and word delimiters.
  int UpdateDocumentType(int Flags);

  // Flags SAVEDSTATE_SAVED or SAVEDSTATE_CHANGED set the state, SAVEDSTATE_FROM_STORE takes it from the text
  // store's modified flag, SAVEDSTATE_TO_STORE also writes it to that flag. When the state differs from the one
  // last shown, the document's tab captions and Opened rows are refreshed. 0.
  int SetSavedState(int Flags);

  // Text, files and time.
  int LoadFromFile(const char* Path, int Flags);
  int SaveToFile(const char* Path, int Flags);
  int SetFileTime(const char* Path);
  int CheckChangedOnDisk(int Flags);
  int Reload();
  void SetReadOnly(bool On);
  int SetReadOnlyState(int Mode);
  void SetFlags(std::uint32_t Bits, bool On);
  int SetBrowserLocation(const char* Location, int Flags);
  int SetWebOrigin(fileinfoextraclass*& Origin, int Flags);
  int CopyExportToClipboard(FileStore* File, int Flags);

  // Results.
  int SetResultHandle(int Handle, int Flags);
  int ClearResults(int Flags);
  int SetNeedsValidation(int On, int Flags);
  int GetResultCount(int Selector);
  int GetStructureSourcePos(int StructureLine, int Bits);
  int LoadResultText(int Handle, int Flags);
  int AppendResultLines(FileStore* File, int Handle, int Kind);
  int SendTextToJob(int Job);
  int ClearLineStyles();
  // Runs a validation of the document (or, with flag 4, of the last validated file) through the engine.
  int Validate(int Mode, int Flags);

  // Scroll positions and undo copies.
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
int GetFileTypeByName(const char* Name, parserclass** Definition, int Flags);
int GetFileTypeByPath(const char* Path, parserclass** Definition, int Flags);
int AllDocumentsSaved(PointerArrayManager* Array);

// Text and results.
int LoadEditSourceFromFile(const char* Path, TCustomEasyEditSource* Source, int Flags);
int ClearLineStyles(TCustomEasyEditSource* Source);
int GetLinkCount(int ResultHandle, int Flags);
int SubmitLinksForCheck(PointerArrayManager* Links, int Flags);
int RunLinkCheckJob(int Flags);
// Each document editor's current document takes the editor's first visible column and top line.
void SaveScrollPositions();
// Saves the text to Path so that Path holds either its old or its whole new content at every moment: a temporary
// file beside it is written, flushed and renamed over it (through a symbolic link to its target), keeping the
// permission bits. A target that exists without write permission is refused. 0 or -1.
int WriteFileReplacing(const std::string& Path, const std::string& Content);
