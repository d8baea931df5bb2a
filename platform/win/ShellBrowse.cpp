// The shell's folder browser (SHBrowseForFolder) over the dialog service, and the local machine's name.
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "platform/win/ShellInternals.h"
#include "platform/win/ShellBrowse.h"

#include <cstring>

#include <unistd.h>

namespace {

// What the browser's window keeps while it is open: the selection the callback asked for.
struct TBrowseState {
  std::string Selection;
};

LRESULT BrowseWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == BFFM_SETSELECTION) {
    auto* State = reinterpret_cast<TBrowseState*>(GetWindowLongPtr(Wnd, GWLP_USERDATA));
    if (State && LParam) {
      State->Selection = WParam ? std::string(reinterpret_cast<const char*>(LParam))
                                : PathFromIdList(reinterpret_cast<LPCITEMIDLIST>(LParam));
    }
    return 1;
  }
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

const char* BrowseClassName() {
  static const char* Name = [] {
    WNDCLASS C;
    C.lpfnWndProc = BrowseWndProc;
    C.lpszClassName = "ZubBrowseForFolder";
    RegisterClass(&C);
    return "ZubBrowseForFolder";
  }();
  return Name;
}

void CopyName(const std::string& Name, LPSTR Buffer) {
  if (Buffer) {
    const std::size_t N = std::min<std::size_t>(Name.size(), MAX_PATH - 1);
    std::memcpy(Buffer, Name.data(), N);
    Buffer[N] = '\0';
  }
}

}  // namespace

std::string LocalComputerName() {
  char Name[256] = {};
  if (gethostname(Name, sizeof Name - 1) != 0 || !Name[0]) {
    return "localhost";
  }
  return Name;
}

LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* Info) {
  if (!Info) {
    return nullptr;
  }
  TBrowseState State;
  // The browser's window exists from the initialised notification to the end, as the platform's does.
  const HWND Wnd = CreateWindowEx(0, BrowseClassName(), Info->lpszTitle ? Info->lpszTitle : "", WS_POPUP, 0, 0, 0, 0,
                                  Info->hwndOwner, 0, nullptr, nullptr);
  SetWindowLongPtr(Wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&State));
  if (Info->lpfn) {
    Info->lpfn(Wnd, BFFM_INITIALIZED, 0, Info->lParam);
  }
  TDialogRequest R;
  R.Kind = "BrowseForFolder";
  R.Owner = Info->hwndOwner;
  R.Caption = Info->lpszTitle ? Info->lpszTitle : "";
  R.Buttons = {IDOK, IDCANCEL};
  R.DefaultButton = IDOK;
  R.Params["Flags"] = std::to_string(Info->ulFlags);
  R.Params["Root"] = Info->pidlRoot ? PathFromIdList(Info->pidlRoot) : std::string();
  R.Params["Selection"] = State.Selection;
  if (Info->ulFlags & BIF_BROWSEFORCOMPUTER) {
    R.Params["Computers"] = LocalComputerName();
  }
  const TDialogAnswer A = DialogService().Run(R);
  SetWindowLongPtr(Wnd, GWLP_USERDATA, 0);
  DestroyWindow(Wnd);
  if (A.Result != IDOK) {
    return nullptr;
  }
  if (Info->ulFlags & BIF_BROWSEFORCOMPUTER) {
    // Only the local machine is offered: any other answer is no computer of this network.
    if (A.Value != LocalComputerName()) {
      return nullptr;
    }
    CopyName(A.Value, Info->pszDisplayName);
    LPITEMIDLIST Pidl = nullptr;
    return SHGetSpecialFolderLocation(0, CSIDL_DRIVES, &Pidl) == S_OK ? Pidl : nullptr;
  }
  if (A.Value.empty()) {
    return nullptr;
  }
  LPITEMIDLIST Pidl = nullptr;
  if (SHParseDisplayName(A.Value, &Pidl) != S_OK || !Pidl) {
    return nullptr;
  }
  const std::size_t Slash = A.Value.find_last_of('/');
  CopyName(Slash == std::string::npos || A.Value.size() == 1 ? A.Value : A.Value.substr(Slash + 1),
           Info->pszDisplayName);
  return Pidl;
}
