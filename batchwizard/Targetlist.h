// Target list files (".lst"): the reader (which also converts the line format of the older batch tool), the
// writer, and the open and save steps with their dialogs and messages.
#pragma once

#include "core/Strstore.h"

class BatchTargetView;
class BatchWizardHost;
class PointerArrayManager;

// Results of ReadTargetList.
inline constexpr int TARGETLIST_READ = 0;
inline constexpr int TARGETLIST_CANNOT_OPEN = -2;
inline constexpr int TARGETLIST_NO_FORMAT = -3;
inline constexpr int TARGETLIST_NO_END_TAG = -4;
inline constexpr int TARGETLIST_OPEN_BLOCK = -5;
inline constexpr int TARGETLIST_BAD_WEB_BLOCK = -6;
inline constexpr int TARGETLIST_BAD_OLD_LINE = -7;
// OpenTargetListFile and SaveTargetListFile: the user cancelled or nothing was done.
inline constexpr int TARGETLIST_CANCELLED = 1;
// Results of WriteTargetList and SaveTargetListFile.
inline constexpr int TARGETLIST_NO_NAME = -1;
inline constexpr int TARGETLIST_WRITE_FAILED = -2;
// Flags of OpenTargetListFile and SaveTargetListFile.
inline constexpr int LISTFILE_DIALOG_WHEN_EMPTY = 0x1;
inline constexpr int LISTFILE_DIALOG = 0x2;
// The version the writer writes.
inline constexpr int TARGETLIST_VERSION = 5;

// Empties the list (rows of View included), then fills it from the file; the targets name View as their view.
// On success the list is marked saved and the file's options become the current list options. See TARGETLIST_*;
// a failure leaves the list empty. Host (may be null) owns the format notices.
[[nodiscard]] int ReadTargetList(BatchWizardHost* Host, PointerArrayManager* List, const char* FileName,
                                 BatchTargetView* View);
// Reads the named list, with the open dialog by the LISTFILE_* flags: the reader's code, or 1 when cancelled.
// A failure is shown, empties the list and the name.
[[nodiscard]] int OpenTargetListFile(BatchWizardHost* Host, PointerArrayManager* List, StrStore& FileName,
                                     BatchTargetView* View, int Flags);
// Writes the list and the current list options; 0 (the list is marked saved) or -2. The file is replaced whole or
// not at all.
[[nodiscard]] int WriteTargetList(BatchWizardHost* Host, PointerArrayManager* List, const char* FileName);
// Saves under the name (with the save dialog by the LISTFILE_* flags): 0 saved, 1 cancelled, -1 no name, -2 write
// failure.
[[nodiscard]] int SaveTargetListFile(BatchWizardHost* Host, PointerArrayManager* List, StrStore& FileName, int Flags);
// Deletes every target with the view's updates suspended; -1 without a list, else 0.
int ClearTargetList(PointerArrayManager* List, BatchTargetView* View);
