// The platform's shell and OLE interfaces as the shell controls call them, and the process's COM set-up.
//
// The interfaces are the layer's own (platform/win/ShlObj.h, Ole.h); the _NRC names say that nothing here counts
// references for the caller: every holder releases each reference it obtained exactly once.
#pragma once

#include "platform/win/ShlObj.h"

using IUnknown_NRC = IUnknown;
using IMalloc_NRC = IMalloc;
using IContextMenu_NRC = IContextMenu;
using IContextMenu2_NRC = IContextMenu2;
using IEnumIDList_NRC = IEnumIDList;
using IShellFolder_NRC = IShellFolder;
using IEnumFormatEtc_NRC = IEnumFORMATETC;
using IDataObject_NRC = IDataObject;
using IDropTarget_NRC = IDropTarget;
using IDropSource_NRC = IDropSource;

// COM for the user-interface thread: set up at start-up, taken down at the end of the process.
void PTInitializeCom();
