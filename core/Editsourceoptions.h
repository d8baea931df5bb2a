// The editor settings applied to documents' text stores: options and tab stops, for one store or every document.
#pragma once

class PointerArrayManager;
class TCustomEasyEditSource;

// Flags of ApplyEditSourceOptions.
inline constexpr int SOURCEOPTIONS_OPTIONS = 0x1;
inline constexpr int SOURCEOPTIONS_TAB_STOPS = 0x4;
inline constexpr int SOURCEOPTIONS_KEEP_LIVE_SPELLING = 0x8;
// Flags of ApplyToAllDocuments (0 decides every document's kind).
inline constexpr int ALLDOCUMENTS_DOCUMENT_TYPES = 0x0;
inline constexpr int ALLDOCUMENTS_TAB_STOPS = 0x1;
inline constexpr int ALLDOCUMENTS_MESSAGE_LINE_STYLES = 0x2;
inline constexpr int ALLDOCUMENTS_OPTIONS = 0x4;
// What the main window applies again when the tab-stops option was reset.
inline constexpr int APPLYSETTINGS_TAB_STOPS = 0x4;

// The tab stops used when the tab-stops option is unusable.
inline constexpr const char DEFAULT_TAB_STOPS[] = "3,6,9,12";

// Gives the store the tab-stops option. True when the store took it; otherwise the option was reset to
// DEFAULT_TAB_STOPS, which the store took.
bool SetTabStopsFromOption(TCustomEasyEditSource& Source);

// Options (SOURCEOPTIONS_OPTIONS): moving past line ends always on, smart tab off, auto indent, beyond end of
// line, back unindents, tab character and cursor through tabs from the interface options, trailing spaces from the
// third interface word; live spelling off unless SOURCEOPTIONS_KEEP_LIVE_SPELLING; every other option unchanged.
// Tab stops (SOURCEOPTIONS_TAB_STOPS): the tab-stops option; one the store rejects becomes DEFAULT_TAB_STOPS and
// the main window applies its settings again. 0, -1 without a store.
int ApplyEditSourceOptions(TCustomEasyEditSource* Source, int Flags);

// Flags 0: decides every document's kind; otherwise applies the tab stops (1), message line styles (2) and
// options (4) to every document. 1 when deciding a kind failed for some document, else 0.
int ApplyToAllDocuments(PointerArrayManager* Documents, int Flags);
