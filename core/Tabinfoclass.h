// Document tabs: a tab record binds a tab control to a document array and to the editor below it. Every control
// bound to one array shows the array's documents as its tabs, in order; each keeps its own current tab.
#pragma once

#include "core/Pointerarraymanager.h"

class TComponent;
class fileinfoclass;

// Results of the tab operations.
inline constexpr int TAB_BAD_ARGUMENTS = -2;
inline constexpr int TAB_NO_CONTROL = -3;
inline constexpr int TAB_NO_DOCUMENT = -4;
inline constexpr int TAB_COUNTS_DIFFER = -4;
inline constexpr int TAB_NONE_BOUND = -1;  // no control is bound to the document array

class tabinfoclass {
public:
  TComponent* tabControl = nullptr;  // its Tag refers back to this record
  PointerArrayManager* documents = nullptr;
  TComponent* editor = nullptr;      // its Tag refers to the tab control

  tabinfoclass() = default;
  // Sets the control's Tag back to 0.
  ~tabinfoclass();
  tabinfoclass(const tabinfoclass&) = delete;
  tabinfoclass& operator=(const tabinfoclass&) = delete;

  // Binds the control (its Tag is set to this record).
  void Bind(TComponent* Control, PointerArrayManager* Documents, TComponent* Editor);

  // Replaces the document at Index (flag 1 in the array, flag 2 through the main window), reselects the controls
  // whose current tab is Index and (flag 4) refreshes the caption.
  static int UpdateForFileInfoChange(PointerArrayManager* Tabs, fileinfoclass* Document, int Index,
                                     PointerArrayManager* Documents, int Flags);
};

int FreeTabInfo(void* Element);

// Index -1: the control's current tab. The document at the index, remembered in its tab index; null out of range.
fileinfoclass* GetTabDocument(tabinfoclass* Record, int Index);
fileinfoclass* GetTabControlDocument(TComponent* TabControl, int Index);
int AddTabName(PointerArrayManager* Tabs, const char* Caption, PointerArrayManager* Documents);
int UpdateTabName(PointerArrayManager* Tabs, int Index, PointerArrayManager* Documents, int Flags);
// Refreshes the caption of every tab that shows the document.
int UpdateTabNameOfDocument(PointerArrayManager* Tabs, fileinfoclass* Document);
int DeleteTab(PointerArrayManager* Tabs, int Index, PointerArrayManager* Documents, int Flags);
void RedrawTabControls(PointerArrayManager* Tabs);
