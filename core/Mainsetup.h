// Set-up functions that give every text store of a kind the same settings.
#pragma once

class TCustomEasyEditSource;

// Roles of SetupEditSource (the settings are the same for every role).
inline constexpr int EDITSOURCE_DOCUMENT = 0;
inline constexpr int EDITSOURCE_RESULTS_MESSAGE = 2;

// Sets the tab stops from the tab-stops option (an option the store refuses is reset to "3,6,9,12"), turns the
// global settings on and sets the store options the program relies on. 0, -1 for no source.
inline constexpr int SETUP_NO_SOURCE = -1;
int SetupEditSource(TCustomEasyEditSource* Source, int Role);
