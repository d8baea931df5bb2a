// volatileclass: the program's run-time state (never saved as a whole): folders, the engine, the arrays of
// documents, tabs, document types and inserters, the command queue and the shared text stores.
#pragma once

#include "core/Fileinfoextraclass.h"
#include "core/Flagword.h"
#include "core/Pointerarraymanager.h"
#include "core/Stringarraystore.h"
#include "core/Strstore.h"

#include "platform/win/Modules.h"
#include "platform/win/WinTypes.h"

class TEasyEditSource;
class fileinfoclass;       // an open document
class fileinfoextraclass;  // a document's web origin
class tabinfoclass;        // a tab control with its documents
int FreeFileInfo(void* Element);
int FreeTabInfo(void* Element);

// Flags of volatileclass::CreateSharedSources.
inline constexpr int SHARED_SOURCES_CREATE = 0x1;

// The text of the structure editors before a validation.
inline constexpr const char STRUCTURE_PLACEHOLDER_TEXT[] =
    "You must first validate the document (F6) to see the structure.";

// Helpers of the initial values below.
StrStore ProgramFolderOfProcess();       // the program file's folder, without a trailing separator
StrStore SystemTemporaryFolder();        // the user's temporary folder, without a trailing separator
StrStore JoinPath(const StrStore& Folder, const char* Name);  // Folder + separator + Name
OSVERSIONINFO CurrentSystemVersion();
PointerArrayManager* NewDefaultInserterArray();
PointerArrayManager* NewDocumentTypeArray();
int TodaysDayNumber();

// A history list without a maximum (the command queue).
class UnlimitedStringArrayStore : public StringArrayStore {
public:
  UnlimitedStringArrayStore() { maximum = -1; }
};

// Flags and results of volatileclass::LoadValidatorLibrary.
inline constexpr int ENGINELOAD_KEEP_LOADED = 0x2;
inline constexpr int ENGINELOAD_DONE = 0;
inline constexpr int ENGINELOAD_NO_CONFIGURATION = 1;  // ready, but the engine's configuration failed to load
inline constexpr int ENGINELOAD_NO_LIBRARY = -1;
inline constexpr int ENGINELOAD_ENTRY_POINTS_MISSING = -2;
inline constexpr int ENGINELOAD_TOO_OLD = -3;
inline constexpr int ENGINELOAD_NO_CONFIGURATION_HANDLE = -4;

class volatileclass {
public:
  volatileclass();
  ~volatileclass();
  volatileclass(const volatileclass&) = delete;
  volatileclass& operator=(const volatileclass&) = delete;

  // Loads and binds the engine, checks its version, makes the configuration handle and loads the engine's
  // configuration. Flags ENGINELOAD_KEEP_LOADED: when the library is loaded already it is kept. A result of
  // ENGINELOAD_* below.
  [[nodiscard]] int LoadValidatorLibrary(HWND Owner, int Flags);
  // Unloads the library when loaded and forgets it (the configuration handle goes with it). 0.
  int FreeValidatorLibrary();

  // With SHARED_SOURCES_CREATE: (re)creates the empty source and the structure placeholder, and creates the two
  // scratch-pad sources and the results message source. 0.
  int CreateSharedSources(int Flags);
  // Deletes what the state owns, before the engine library goes: the arrays (each freeing its elements) and
  // scratch pad 1's source; the other shared sources are kept to the end of the process, because editors may
  // still show them while the forms are destroyed.
  void ReleaseOwnedState();

  int layoutReady = 0;
  StrStore programFolder = ProgramFolderOfProcess();
  StrStore documentationFolder;
  StrStore temporaryFolder = SystemTemporaryFolder();
  StrStore lastValidatedFile;
  int commandLinePresent = 0;
  int normalBoundsKnown = 0;

  // The engine's fields.
  int configHandle = -1;                    // the engine configuration handle; -1 none

  int normalLeft = 0, normalTop = 0, normalWidth = 0, normalHeight = 0;
  UnlimitedStringArrayStore commandQueue;
  int idleReached = 0;

  HMODULE engineLibrary = nullptr;          // the loaded engine library
  int engineVersion = 0;                    // the engine's version times 10,000

  PointerArrayManager* documents = new PointerArrayManager(FreeFileInfo);      // fileinfoclass
  PointerArrayManager* undoDocuments = new PointerArrayManager(FreeFileInfo);  // fileinfoclass
  PointerArrayManager* tabs = new PointerArrayManager(FreeTabInfo);            // tabinfoclass
  PointerArrayManager* batchHandOver = new PointerArrayManager();  // does not own
  int shuttingDown = 0;

  TEasyEditSource* emptySource = nullptr;
  TEasyEditSource* scratchPad1Source = nullptr;
  TEasyEditSource* scratchPad2Source = nullptr;
  TEasyEditSource* structurePlaceholderSource = nullptr;
  void* lastResultsListItem = nullptr;
  void* lastResultsTreeNode = nullptr;
  int selectionGuard = 0;
  fileinfoextraclass* pendingWebOrigin = nullptr;  // owned until a document takes it
  NetworkConfigClass networkConfig;  // the program's network settings, from the engine
  StringArrayStore lastOpenFiles;
  HWND dialogParent = 0;
  StrStore browserSourceFile = JoinPath(temporaryFolder, "~zub_WBSource");
  TEasyEditSource* resultsMessageSource = nullptr;
  PointerArrayManager* inserters = NewDefaultInserterArray();  // inserterclass
  VolatileStateFlags stateFlags;
  PointerArrayManager* documentTypes = NewDocumentTypeArray();  // parserclass

  StrStore engineLibraryName;               // "zubvalidatorV60.dll", tried first
  StrStore engineLibraryFallbackName;       // "zubvalidator.dll"
  OSVERSIONINFO systemVersion = CurrentSystemVersion();
  PointerArrayManager* batchTargets = nullptr;  // the batch wizard's target list, made by its window
  StrStore engineConfigFileName;            // read from the engine after loading its configuration; "NA"
  int lastUpdateCheckDay = TodaysDayNumber();
  int linkCheckProgress = 0;  // the link-check percentage the link statuses were last refreshed at; 0 between checks
};

// The run-time state whose engine the program's engine calls use (the one that loaded it last); null when no
// engine is loaded.
volatileclass* EngineOwnerState();
