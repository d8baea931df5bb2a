// What the units of the shell namespace share: item encoding, resolving id lists to places, the folder object.
#pragma once

#include "platform/win/ShlObj.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace ShellNs {

// One item's data (kind byte and payload), as a view of the bytes after its count.
struct TItem {
  BYTE Kind = 0;
  std::string_view Payload;
};
// The items of a list; false when the list is not well made.
bool SplitItems(LPCITEMIDLIST Pidl, std::vector<TItem>& Items);
// A new list (task allocator) of the given items' bytes.
LPITEMIDLIST MakeList(const std::vector<std::string>& ItemData);
std::string ItemBytes(BYTE Kind, std::string_view Payload);
LPITEMIDLIST MakeItem(BYTE Kind, std::string_view Payload);

// Where an absolute list leads.
struct TPlace {
  bool Valid = false;
  bool Desktop = false;      // the empty list
  BYTE Virtual = 0;          // VirtualHome, VirtualComputer, VirtualTrash for those folders themselves
  bool FileSystem = false;   // Path is the object's own path
  std::string Path;          // the object's path (file-system objects), else empty
  std::string ChildBase;     // the folder its name items live in ("" for Computer, whose items are volumes)
};
TPlace Resolve(LPCITEMIDLIST Absolute);
// The place of one child item of a folder place.
TPlace ChildPlace(const TPlace& Folder, const TItem& Item);

std::string HomeFolder();
std::string DesktopFolder();
std::string TrashFolder();  // $XDG_DATA_HOME/Trash

// Display names of file names: 8-bit text for the program (UTF-8 converted to code page 1252 where it can be;
// names that are not valid UTF-8 keep their bytes); and back.
std::string DisplayFromFileName(std::string_view Name);
std::string FileNameFromDisplay(std::string_view Display);
std::string FromUtf16(const char16_t* Text);
char16_t* DupUtf16(std::string_view Text1252);

// The folder object over a place.
IShellFolder* NewFolder(LPCITEMIDLIST Absolute, const TPlace& Place);
// The context menu, drop target and data object of items of a folder.
IContextMenu* NewContextMenu(IShellFolder* Folder, const TPlace& FolderPlace, LPCITEMIDLIST FolderPidl,
                             const std::vector<TPlace>& Items, const std::vector<std::string>& ItemData);
IDropTarget* NewDropTarget(const std::string& FolderPath, bool IsTrash);
IDataObject* NewItemsDataObject(LPCITEMIDLIST FolderPidl, const std::vector<std::string>& ItemData,
                                const std::vector<std::string>& Paths);
// The attributes of an item at a place (all bits it has).
// ParentWritable: -1 to find out, else whether the item's folder can be written (asked once per request).
// Asked: the bits wanted; those that take extra system calls to find (read-only, can move/rename/delete, drop
// target, has subfolders) are only worked out when asked for. The other bits may be set whether asked or not.
ULONG PlaceAttributes(const TPlace& Place, std::string_view Name, int ParentWritable = -1, ULONG Asked = 0xFFFFFFFF);
// The system image list and an icon index for a place.
std::uintptr_t SystemImages(bool Small);  // an HIMAGELIST
int IconIndexOf(const TPlace& Place, bool Open);
int FolderIconIndex(bool Open);  // a folder's, whatever its path
int FileIconIndex(const std::string& Name);  // a file's of that name (its type by the name), whatever is on disk
std::string TypeNameOf(const TPlace& Place);

HRESULT ErrnoResult(int Errno);

}  // namespace ShellNs

// The reference counting and interface query the namespace's objects share: the object answers IUnknown and
// its one interface Iid, starts with one reference and frees itself when released to zero.
template <class I, const IID& Iid>
class TShellObject : public I {
public:
  TShellObject() = default;
  TShellObject(const TShellObject&) = delete;
  TShellObject& operator=(const TShellObject&) = delete;

  HRESULT QueryInterface(REFIID Riid, void** Object) override {
    if (Riid == IID_IUnknown || Riid == Iid) {
      *Object = static_cast<I*>(this);
      AddRef();
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++FRefs; }
  ULONG Release() override {
    const ULONG R = --FRefs;
    if (R == 0) {
      delete this;
    }
    return R;
  }

protected:
  virtual ~TShellObject() = default;

private:
  std::atomic<ULONG> FRefs{1};
};
