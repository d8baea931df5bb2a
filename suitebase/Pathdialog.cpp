// The folder browser component and the folder and computer questions.
#include "suitebase/Pathdialog.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/Shell.h"

namespace Dcapi {

const UINT pdf2bif[pdfReturnOnlyFSDirs + 1] = {BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
                                               BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS};
const int pdr2csidl[pdrTemplates + 1] = {0, 10, 3, 0, 16, 17, 20, 19, 18, 5, 4, 2, 8, 9, 11, 7, 21};

Z_IMPLEMENT_CLASS_PUBLISHED(ZEZPathDialog, TComponent, ZEZPathDialog::Publish)

ZEZPathDialog::ZEZPathDialog(TComponent* AOwner) : TComponent(AOwner) {}

void ZEZPathDialog::Publish(TMetaClass& Meta) {
  TPublisher<ZEZPathDialog> P(Meta);
  P.Property("Flags", &ZEZPathDialog::Flags, &ZEZPathDialog::Flags).Default(ZEZPathDialogFlags{pdfReturnOnlyFSDirs});
  P.Property("Title", &ZEZPathDialog::Title, &ZEZPathDialog::Title);
  P.Property("SelectedItem", &ZEZPathDialog::SelectedItem, &ZEZPathDialog::SetSelectedItem);
  P.Property("Root", &ZEZPathDialog::Root, &ZEZPathDialog::Root).Default(pdrNone);
}

UINT ZEZPathDialog::GetFlags() const {
  UINT Result = 0;
  for (int F = pdfBrowseForComputer; F <= pdfReturnOnlyFSDirs; ++F) {
    if (Flags.Contains(static_cast<ZEZPathDialogFlag>(F))) {
      Result += pdf2bif[F];
    }
  }
  return Result;
}

LPITEMIDLIST ZEZPathDialog::GetRootpidl() const {
  LPITEMIDLIST Pidl = nullptr;
  return SHGetSpecialFolderLocation(OwnerWindow, pdr2csidl[Root], &Pidl) == S_OK ? Pidl : nullptr;
}

void ZEZPathDialog::SetSelectedItem(const std::string& Value) {
  if (Value.empty()) {
    FSelectedItem = GetCurrentDir();
  } else if (Value.size() > 1 && Value.back() == '/') {
    FSelectedItem = Value.substr(0, Value.size() - 1);
  } else {
    FSelectedItem = Value;  // the root keeps its separator: it is the only name it has
  }
  if (FBrowserWindow) {
    SendMessage(FBrowserWindow, BFFM_SETSELECTION, TRUE, reinterpret_cast<LPARAM>(FSelectedItem.c_str()));
  }
}

int ZEZPathDialog::BrowseCallback(HWND Wnd, UINT Msg, LPARAM, LPARAM Data) {
  if (Msg == BFFM_INITIALIZED) {
    auto* Self = reinterpret_cast<ZEZPathDialog*>(Data);
    Self->FBrowserWindow = Wnd;
    Self->SetSelectedItem(Self->FSelectedItem);
  }
  return 0;
}

bool ZEZPathDialog::Execute() {
  char DisplayName[MAX_PATH] = {};
  BROWSEINFO Info;
  Info.hwndOwner = OwnerWindow;
  const LPITEMIDLIST RootPidl = GetRootpidl();
  Info.pidlRoot = RootPidl;
  Info.pszDisplayName = DisplayName;
  Info.lpszTitle = Title.c_str();
  Info.ulFlags = GetFlags();
  Info.lpfn = &ZEZPathDialog::BrowseCallback;
  Info.lParam = reinterpret_cast<LPARAM>(this);
  const LPITEMIDLIST Chosen = SHBrowseForFolder(&Info);
  CoTaskMemFree(RootPidl);
  FBrowserWindow = 0;
  if (!Chosen) {
    return false;
  }
  FSelectedItem = DisplayName;
  char Path[MAX_PATH] = {};
  if (!(Info.ulFlags & BIF_BROWSEFORCOMPUTER) && SHGetPathFromIDList(Chosen, Path)) {
    FSelectedItem = Path;
  }
  CoTaskMemFree(Chosen);
  return true;
}

bool QueryDir(const std::string& Title, std::string& Dir, HWND OwnerWindow) {
  ZEZPathDialog D(nullptr);
  D.SetSelectedItem(Dir);
  D.OwnerWindow = OwnerWindow;
  D.Title = Title;
  if (!D.Execute()) {
    return false;
  }
  Dir = D.SelectedItem();
  return true;
}

bool QueryComp(const std::string& Title, std::string& Computer, HWND OwnerWindow) {
  ZEZPathDialog D(nullptr);
  D.Flags = ZEZPathDialogFlags{pdfBrowseForComputer};
  D.Root = pdrNetwork;
  D.OwnerWindow = OwnerWindow;
  D.Title = Title;
  if (!D.Execute()) {
    return false;
  }
  Computer = D.SelectedItem();
  return true;
}

}  // namespace Dcapi
