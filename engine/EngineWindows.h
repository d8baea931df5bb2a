// The engine's windows as its entry points show them: the options window, the configuration editor, the file
// choices of the configuration operations and the question at shutdown.
#pragma once

#include "engine/EngineHandles.h"

#include "platform/win/WinTypes.h"

#include <string>
#include <vector>

namespace zubengine {

// Results of the windows (besides negative failures).
inline constexpr ZUBInt WindowUnchanged = 0;
inline constexpr ZUBInt WindowChanged = 1;
inline constexpr ZUBInt WindowCancelled = 1;

// The options window over the configuration handle, owned by Owner (0: none), on the page the value names.
// WindowChanged when OK changed a setting, WindowUnchanged after Cancel or an OK that changed nothing, -1 when
// the handle is not a configuration or the window could not be made.
ZUBInt RunValidatorOptions(HWND Owner, ZUBInt Config, ZUBInt Value);
// The configuration editor, with the same results.
ZUBInt RunConfigurationEditor(HWND Owner, ZUBInt Config, ZUBInt Value);

// Operation 0x10: the user chooses a file; the settings are written there and to the configuration file.
// 0 done, WindowCancelled when the user cancelled, -1 when a file could not be written (said in a message).
ZUBInt SaveConfigurationAs(HWND Owner, TConfigHandle& H);
// Operation 0x80: the user chooses a file whose settings replace the configuration's (held unsaved until saved).
// 0 done, WindowCancelled, -1 when it could not be read.
ZUBInt LoadConfigurationFrom(HWND Owner, TConfigHandle& H);
// Operation 0x100: with unsaved changes, asks whether to save them: Yes saves (0; a failed save is said and
// gives WindowCancelled, so that nothing is lost), No goes back to the saved settings (0), Cancel gives
// WindowCancelled. Without changes 0 at once.
ZUBInt AskAtShutdown(HWND Owner, TConfigHandle& H);

// Loads a configuration file into the handle as ZUBHTMLConfiguration does: a damaged file loads what it can,
// its text is kept beside it (name + ".damaged"), the handle's load report (ZUB_CONFIG_LOAD_REPORT) lists what
// was left out and a message says so. False when the file could not be read.
bool LoadConfigurationFile(HWND Owner, TConfigHandle& H, const std::string& Name);

// Whether one of the engine's windows is open (then it is brought forward and a second one is not made).
bool EngineWindowOpen();

}  // namespace zubengine
