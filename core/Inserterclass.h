// Inserters: the tag, CSS and user inserters, their items and the reading of their configuration files.
#pragma once

#include "core/Flagword.h"
#include "core/Pointerarraymanager.h"
#include "core/Strstore.h"

class InserterToolbarLink;
class TTBToolbar;

// Results of LoadInserterConfiguration.
inline constexpr int INSCFG_OK = 0;
inline constexpr int INSCFG_CANNOT_READ = -2;
inline constexpr int INSCFG_NO_ROOT = -3;
inline constexpr int INSCFG_NO_CLOSING_ROOT = -4;
inline constexpr int INSCFG_ATTRIBUTE_ERROR = -6;
inline constexpr int INSCFG_TAG_ERROR = -7;

inline constexpr int INSERTER_TOOLBAR_NOT_MADE = -1;
// Commands of UpdateInserters and inserterclass::UpdateToolbar.
inline constexpr int INSERTERS_RESOLVE_FILES = 0x1;
inline constexpr int INSERTERS_SHOW = 0x2;
inline constexpr int INSERTERS_DESTROY = 0x4;
inline constexpr int INSERTERS_SAVE = 0x8;
inline constexpr int INSERTERS_HIDE = 0x10;

// Commands of inserterclass::UpdateToolbar besides INSERTERS_DESTROY, INSERTERS_SAVE and INSERTERS_HIDE: show by
// the visibility bit, building the toolbar on first use.
inline constexpr int INSERTER_TOOLBAR_SHOW = 0x1;

// Results of BuildInserterMenu.
inline constexpr int INSMENU_OK = 0;
inline constexpr int INSMENU_NOTHING = -1;
inline constexpr int INSMENU_ITEM_FAILED = -2;

// The main form's components and handlers the inserter toolbars use.
inline constexpr const char INSERTER_DOCK_NAME[] = "EditorMenuBarDock";
inline constexpr const char INSERTER_SKIN_NAME[] = "TBSkin";
inline constexpr const char INSERTER_CLOSE_HANDLER[] = "InserterToolbarVisibleChanged";
inline constexpr const char INSERTER_CLICK_HANDLER[] = "InserterItemClick";
inline constexpr const char INSERTER_SELECT_HANDLER[] = "InserterItemSelect";
inline constexpr int INSERTER_DOCK_ROW = 100;

// Commands of an item.
inline constexpr int TICMD_INSERT = 0;

// One item of an inserter: a menu entry that inserts text (a "|" in it marks the caret) or runs a command.
class ticlass {
public:
  StrStore caption;
  StrStore menu;        // caption of the drop-down menu the item belongs to
  StrStore insertText;
  StrStore hint;
  InserterItemFlags flags;
  int command = TICMD_INSERT;

  // With flag 1: a separator's caption becomes "-"; an empty caption becomes the display text; an empty hint
  // (not for separators) becomes the caption without its "|" characters. 0.
  int Normalize(int Flags);
  // With flag 1: "-" for a separator; otherwise the text to insert without tabs, carriage returns and
  // backspaces, or null when that leaves nothing.
  StrStore* GetDisplayText(int Flags, StrStore& Out) const;
};

// One inserter. Owned by the inserter array of the run-time state.
class inserterclass {
public:
  int top = 0;
  int left = 0;
  int width = 200;
  StrStore configFile;     // full path of the configuration file
  StrStore registryName;   // "TagInserter", "CSSInserter", "UserInserter"
  StrStore caption;
  StrStore menuName;
  TFlagBit<InterfaceFlags2V45Tag> kind{0xFFFFFFFFu};  // its visibility bit in "Flags2V45"
  PointerArrayManager* items = nullptr;  // ticlass, owned; made by the first load
  PointerArrayManager* array = nullptr;  // the array it belongs to (not owned)
  TTBToolbar* toolbar = nullptr;         // owned by the main form, deleted with the inserter; built on first show
  InserterToolbarLink* toolbarLink = nullptr;  // forgets the toolbar when the main form frees it first
  StrStore defaultFile;                  // its file's name beside the program

  inserterclass() = default;
  ~inserterclass();
  inserterclass(const inserterclass&) = delete;
  inserterclass& operator=(const inserterclass&) = delete;

  // Command 1 shows (building the toolbar on first use in the main form's editor menu-bar dock), 4 deletes the
  // toolbar keeping the visibility bits, 8 saves the toolbar positions, 0x10 hides. 0 done, INSERTER_TOOLBAR_NOT_MADE when the
  // toolbar could not be built (there is no main form).
  int UpdateToolbar(int Commands);

private:
  int ShowToolbar();
  TTBToolbar* CreateToolbar();
  void DeleteToolbar();
};

// Fills the toolbar's root with the items: one submenu per menu caption (the previous item's submenu, else the
// first of that caption, else a new one), each item tagged with its record and bound to the main form's item
// handlers; new items are owned by the toolbar's owner. See INSMENU_*.
int BuildInserterMenu(TTBToolbar* Toolbar, PointerArrayManager* Items);

// The inserter of the given kind (flag 1 required); null without array or flag.
inserterclass* FindInserter(PointerArrayManager* Array, TFlagBit<InterfaceFlags2V45Tag> Kind, int Flags);
// Carries out the INSERTERS_* commands on every inserter; with 8 (save) neither 2 nor 0x10 is done. 0.
int UpdateInserters(PointerArrayManager* Array, int Commands);
// Reads an inserter configuration file into Items (created when null, emptied first). See INSCFG_*; items read
// before an error stay in the array.
int LoadInserterConfiguration(PointerArrayManager*& Items, const char* File, int Flags);
// The same over text already in memory (the file's bytes).
int LoadInserterConfigurationText(PointerArrayManager*& Items, const char* Text, int Length, int Flags);
// Creates the three inserters (tag, CSS, user) in Array at indexes 0, 1, 2.
void AddDefaultInserters(PointerArrayManager* Array);

// Element free callbacks.
int FreeInserterItem(void* Element);
int FreeInserter(void* Element);
