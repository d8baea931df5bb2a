// TPTShellLocator: names a folder of the shell namespace by an absolute id list or by a special-folder number.
// The shell tree's base and selected folders are locators; their change callback tells the owning control.
#pragma once

#include "platform/classes/Persistent.h"
#include "shell/Uptshellutils.h"

#include <functional>

enum TPTShellLocator_Which { usePidl, useCSIDL };

class TPTShellLocator : public TPersistent {
  Z_CLASS(TPTShellLocator, TPersistent)
public:
  TPTShellLocator() = default;
  ~TPTShellLocator() override;
  TPTShellLocator(const TPTShellLocator&) = delete;
  TPTShellLocator& operator=(const TPTShellLocator&) = delete;

  // usePidl: the stored list (null: the desktop); useCSIDL: the special folder's list, fetched on the first
  // request and cached (null when it cannot be located). Owned by the locator.
  LPCITEMIDLIST GetIdList();
  // Stores a copy (an empty list is not stored: none means the desktop); Changed when the value changed.
  void SetIdList(LPCITEMIDLIST List);
  TCSIDL GetCSIDL() const { return FWhich == useCSIDL ? FCSIDL : csidlNone; }
  void SetCSIDL(TCSIDL Value);
  TPTShellLocator_Which Which() const { return FWhich; }
  std::string GetPathName();
  // A path that cannot be parsed gives the desktop.
  void SetPathName(const std::string& Path);
  void Clear() { SetIdList(nullptr); }
  bool IsEqual(TPTShellLocator* Other);
  void Assign(TPersistent* Source) override;
  virtual void Changed();

  // Set by the owning control.
  std::function<void(TObject* Sender)> OnChange;

  // The "Pidl" property's bytes: kind, then a special folder, or an int32 length and the list. Reading raises
  // EReadError for bytes that are not such a value and leaves the locator unchanged then.
  void ReadPidl(TStream* Stream);
  void WritePidl(TStream* Stream);
  bool PidlStored() const { return FIdList != nullptr || FWhich == useCSIDL; }

protected:
  void DefineProperties(TFiler* Filer) override;

private:
  TPTShellLocator_Which FWhich = usePidl;
  LPITEMIDLIST FIdList = nullptr;
  TCSIDL FCSIDL = csidlNone;
};

// Whether two absolute lists are comparable and equal, as the locator decides: Comparable false when the
// desktop cannot order them.
bool PTIdListsEqual(LPCITEMIDLIST A, LPCITEMIDLIST B, bool* Comparable = nullptr);
