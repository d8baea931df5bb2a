// The program's shutdown: the last questions that may cancel it, then everything remembered until the next start.
#pragma once

// Results of ShutdownApplication.
inline constexpr int SHUTDOWN_CANCELLED = 0;
inline constexpr int SHUTDOWN_MAY_CLOSE = 1;

// The stored lists the shutdown writes, under the settings root.
inline constexpr const char LAST_OPEN_FILES_KEY[] = "Editor\\LastOpenFiles";
inline constexpr const char RECENT_DOCUMENTS_KEY[] = "Editor\\Reopen";
inline constexpr const char RECENT_TARGET_LISTS_KEY[] = "Editor\\BatchWizard\\Reopen";
inline constexpr int RECENT_LIST_ENTRIES = 15;

// Runs when the main window is asked to close. The engine's question about its changed configuration, the batch
// wizard's question about its target list and the closing of every document (each changed one asks to be saved)
// may cancel: SHUTDOWN_CANCELLED, with the shutting-down state still off and nothing written. Otherwise the
// shutting-down state is set and the toolbar layout, the open documents, the scratch pads, the window geometry,
// the folders, history lists, split ratios, inserter positions and all settings are written:
// SHUTDOWN_MAY_CLOSE. A scratch pad that could not be written is named in a message and keeps its old file.
// Once the shutdown has run, a further call returns SHUTDOWN_MAY_CLOSE at once.
[[nodiscard]] int ShutdownApplication();
