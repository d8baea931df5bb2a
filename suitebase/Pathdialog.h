// The folder browser component (ZEZPathDialog) and the folder and computer questions built on it.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Sets.h"
#include "platform/win/ShellBrowse.h"

#include <string>

namespace Dcapi {

enum ZEZPathDialogFlag {
  pdfBrowseForComputer,
  pdfBrowseForPrinter,
  pdfDontGoBelowDomain,
  pdfReturnfsAncestors,
  pdfReturnOnlyFSDirs
};
using ZEZPathDialogFlags = TSet<ZEZPathDialogFlag, pdfReturnOnlyFSDirs>;
enum ZEZPathDialogRoot {
  pdrNone,
  pdrBitBucket,
  pdrControls,
  pdrDesktop,
  pdrDesktopDirectory,
  pdrDrives,
  pdrFonts,
  pdrNetHood,
  pdrNetwork,
  pdrPersonal,
  pdrPrinters,
  pdrPrograms,
  pdrRecent,
  pdrSendto,
  pdrStartmenu,
  pdrStartup,
  pdrTemplates
};
// The browse flag of each dialog flag and the special folder of each root.
extern const UINT pdf2bif[pdfReturnOnlyFSDirs + 1];
extern const int pdr2csidl[pdrTemplates + 1];

// Shows the shell's folder browser. Lives as its owner says; holds the browser's window only while Execute runs.
class ZEZPathDialog : public TComponent {
  Z_CLASS(ZEZPathDialog, TComponent)
public:
  explicit ZEZPathDialog(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);

  // True when the user chose an item: SelectedItem is then its path (its display name when it has none).
  bool Execute();
  UINT GetFlags() const;
  // The root's id list (the caller frees it with the task allocator); null when the root has none here.
  LPITEMIDLIST GetRootpidl() const;
  // Stored without one trailing separator ("/" stays "/"); empty stores the current folder. While the browser is
  // open it is selected there too.
  void SetSelectedItem(const std::string& Value);
  const std::string& SelectedItem() const { return FSelectedItem; }

  ZEZPathDialogFlags Flags{pdfReturnOnlyFSDirs};
  std::string Title;
  ZEZPathDialogRoot Root = pdrNone;
  HWND OwnerWindow = 0;

private:
  static int BrowseCallback(HWND Wnd, UINT Msg, LPARAM LParam, LPARAM Data);
  std::string FSelectedItem;
  HWND FBrowserWindow = 0;
};

// Asks for a folder, starting at Dir (the current folder when empty); true with Dir the chosen folder.
bool QueryDir(const std::string& Title, std::string& Dir, HWND OwnerWindow);
// Asks for a computer of the network; true with Computer its name.
bool QueryComp(const std::string& Title, std::string& Computer, HWND OwnerWindow);

}  // namespace Dcapi

Z_ENUM_TYPEINFO(Dcapi::ZEZPathDialogFlag, "pdfBrowseForComputer", "pdfBrowseForPrinter", "pdfDontGoBelowDomain",
                "pdfReturnfsAncestors", "pdfReturnOnlyFSDirs")
Z_ENUM_TYPEINFO(Dcapi::ZEZPathDialogRoot, "pdrNone", "pdrBitBucket", "pdrControls", "pdrDesktop", "pdrDesktopDirectory",
                "pdrDrives", "pdrFonts", "pdrNetHood", "pdrNetwork", "pdrPersonal", "pdrPrinters", "pdrPrograms",
                "pdrRecent", "pdrSendto", "pdrStartmenu", "pdrStartup", "pdrTemplates")
