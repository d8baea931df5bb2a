// Target list files: reading (current and older format), writing, opening and saving.
#include "batchwizard/Targetlist.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizardhost.h"
#include "core/Batchwizclass.h"
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Filestore.h"

#include "platform/win/MessageBox.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

const char StartTag[] = "<ZUBBATCHWIZARDTARGETLIST>";
const char EndTag[] = "</ZUBBATCHWIZARDTARGETLIST>";
const char ListFilter[] = "ZUB Batch Wizard Target List (*.lst)|*.lst|All Files (*.*)|*.*";
const char CannotOpenCaption[] = "Quillon: Cannot Open Target List";

struct OptionKey {
  const char* key;
  int slot;
};
const OptionKey OptionKeys[] = {{"HTMLREPORTFILENAME=", 1},
                                {"HTMLREPORTCSSFILENAME=", 2},
                                {"HTMLREPORTFOOTERFILENAME=", 4},
                                {"EXCLUDEBEGINSTRINGS=", 3}};

// The value after the first "=" when the line begins with Key (with case, over the key's length), else null.
const char* ValueOf(const char* Line, const char* Key) {
  const std::size_t N = std::strlen(Key);
  return std::strncmp(Line, Key, N) == 0 ? std::strchr(Line, '=') + 1 : nullptr;
}

int ToInt(const char* Text) {
  const long long V = std::strtoll(Text, nullptr, 10);
  return V < INT_MIN ? INT_MIN : (V > INT_MAX ? INT_MAX : static_cast<int>(V));
}

void Notice(BatchWizardHost* Host, const char* Text, const char* Caption, UINT Type) {
  if (Host != nullptr) {
    (void)Host->ShowMessage(Text, Caption, Type);  // a notice: the answer does not matter
  } else {
    (void)MessageBox(0, Text, Caption, Type | MB_SETFOREGROUND);  // as above
  }
}

// The old prefix of a line (ignoring case over six characters): its AddTarget kind, or 0.
int OldPrefixKind(const char* Line) {
  if (std::strlen(Line) < 6) {
    return 0;
  }
  const StrStore L(Line);
  if (L.startsWithNoCase("File: ") != 0) {
    return TARGET_KIND_FILE;
  }
  if (L.startsWithNoCase("Dir : ") != 0) {
    return TARGET_KIND_DIRECTORY;
  }
  return L.startsWithNoCase("URL : ") != 0 ? TARGET_KIND_URL : 0;
}

int ReadOldFormat(FileStore& File, PointerArrayManager* List, BatchTargetView* View) {
  for (int I = 0; I < File.getLineCount(); ++I) {
    const char* Line = File.getLineText(I);
    if (Line == nullptr || *Line == 0) {
      continue;
    }
    const char* Sep = std::strstr(Line, ": ");
    if (Sep == nullptr) {
      return TARGETLIST_BAD_OLD_LINE;
    }
    const int Kind = OldPrefixKind(Line);
    if (Kind == 0) {
      continue;
    }
    batchwiztargetclass* Added = nullptr;
    if (AddTarget(List, Sep + 2, Kind | ADD_NO_SORT | ADD_NO_ROW, &Added) == ADD_DONE && Added != nullptr) {
      Added->listView = View;
    }
  }
  return TARGETLIST_READ;
}

// Reads one target block from the line after "<TARGET>"; I ends on "</TARGET>".
int ReadTarget(FileStore& File, int& I, batchwiztargetclass* T) {
  for (++I; I < File.getLineCount(); ++I) {
    const char* Line = File.getLineText(I);
    const char* V = nullptr;
    if (std::strncmp(Line, "</TARGET>", 9) == 0) {
      return TARGETLIST_READ;
    }
    if (std::strncmp(Line, "<FIEC>", 6) == 0) {
      int Next = I;
      fileinfoextraclass* Origin = fileinfoextraclass::ReadFromFileStore(&File, I, &Next);
      if (Origin == nullptr) {
        return TARGETLIST_BAD_WEB_BLOCK;
      }
      delete T->webOrigin;
      T->webOrigin = Origin;
      I = Next - 1;
    } else if ((V = ValueOf(Line, "FLAGS=")) != nullptr) {
      T->targetFlags = static_cast<unsigned>(ToInt(V));
    } else if ((V = ValueOf(Line, "TARGET=")) != nullptr) {
      T->targetText.assign(V);
    } else if ((V = ValueOf(Line, "FLLIMITTO=")) != nullptr) {
      (void)T->setString(V, TSET_LIMIT_TO);  // a lost value reads as none
    } else if ((V = ValueOf(Line, "FLEXTENSIONS=")) != nullptr) {
      (void)T->setString(V, TSET_EXTENSIONS);  // as above
    } else if ((V = ValueOf(Line, "FLDEPTHLIMIT=")) != nullptr) {
      const int D = ToInt(V);
      T->followDepthLimit = D < -1 ? -1 : D;
    } else if ((V = ValueOf(Line, "ERRORS=")) != nullptr) {
      T->errorCount = ToInt(V);
    } else if ((V = ValueOf(Line, "WARNINGS=")) != nullptr) {
      T->warningCount = ToInt(V);
    }
  }
  return TARGETLIST_OPEN_BLOCK;
}

int ReadOptions(FileStore& File, int& I, batchwizclass2& Options) {
  for (++I; I < File.getLineCount(); ++I) {
    const char* Line = File.getLineText(I);
    if (std::strncmp(Line, "</OPTIONS>", 10) == 0) {
      return TARGETLIST_READ;
    }
    for (const OptionKey& K : OptionKeys) {
      if (const char* V = ValueOf(Line, K.key)) {
        Options.slots[K.slot - 1].assign(V);
      }
    }
  }
  return TARGETLIST_OPEN_BLOCK;
}

int ReadCurrentFormat(FileStore& File, int Start, PointerArrayManager* List, BatchTargetView* View,
                      batchwizclass2& Options, int& Version) {
  for (int I = Start + 1; I < File.getLineCount(); ++I) {
    const char* Line = File.getLineText(I);
    if (std::strncmp(Line, EndTag, sizeof(EndTag) - 1) == 0) {
      return TARGETLIST_READ;
    }
    if (const char* V = ValueOf(Line, "VERSION=")) {
      Version = Version < 0 ? ToInt(V) : Version;
    } else if (std::strncmp(Line, "<TARGET>", 8) == 0) {
      auto T = std::unique_ptr<batchwiztargetclass>(new (std::nothrow) batchwiztargetclass);
      if (T == nullptr) {
        return TARGETLIST_OPEN_BLOCK;
      }
      T->listView = View;
      const int R = ReadTarget(File, I, T.get());
      if (R != TARGETLIST_READ) {
        T->listView = nullptr;  // it never had a row
        return R;
      }
      if (List->addPointer(T.get(), CompareTargetsCallback) >= 0) {
        (void)T.release();  // the list owns it now
      }
    } else if (std::strncmp(Line, "<OPTIONS>", 9) == 0) {
      const int R = ReadOptions(File, I, Options);
      if (R != TARGETLIST_READ) {
        return R;
      }
    }
  }
  return TARGETLIST_NO_END_TAG;
}

void VersionNotice(BatchWizardHost* Host, int Version) {
  if (Version >= 0 && Version < TARGETLIST_VERSION) {
    Notice(Host,
           "An old format batch wizard target list was loaded. If you save the target list, the old format will be "
           "automatically updated to a new format. If this is done, you may have problems loading the target list "
           "into an older version of the Batch Wizard, so you may want to make a backup of the target list in the "
           "old format before saving it.",
           "Quillon: Old Format Target List", MB_ICONINFORMATION);
  } else if (Version > TARGETLIST_VERSION) {
    Notice(Host,
           "A newer format batch wizard target list was loaded. If you save the target list, the format will be "
           "automatically downgraded to an old format. If this is done, you may have problems loading the target "
           "list into a newer version of the Batch Wizard and/or you may lose information. You may also have "
           "problems using this target list in this older version. Therefore you may want to make a backup of the "
           "target list in the newer format before saving it.",
           "Quillon: New Format Target List", MB_ICONINFORMATION);
  }
}

}  // namespace

int ClearTargetList(PointerArrayManager* List, BatchTargetView* View) {
  if (List == nullptr) {
    return -1;
  }
  if (View != nullptr) {
    View->BeginUpdate();
  }
  (void)List->removeAllPointers(0);  // the target callback never refuses
  if (View != nullptr) {
    View->EndUpdate();
  }
  return 0;
}

int ReadTargetList(BatchWizardHost* Host, PointerArrayManager* List, const char* FileName, BatchTargetView* View) {
  if (List == nullptr) {
    return TARGETLIST_CANNOT_OPEN;
  }
  FileStore File;
  if (FileName == nullptr || File.loadFile(FileName, "rb") != 1) {
    return TARGETLIST_CANNOT_OPEN;
  }
  (void)ClearTargetList(List, View);  // the list exists
  int Start = -1;
  bool Old = false;
  for (int I = 0; I < File.getLineCount() && Start < 0; ++I) {
    const char* Line = File.getLineText(I);
    if (std::strncmp(Line, StartTag, sizeof(StartTag) - 1) == 0) {
      Start = I;
    } else if (OldPrefixKind(Line) != 0) {
      Start = I;
      Old = true;
    }
  }
  if (Start < 0) {
    return TARGETLIST_NO_FORMAT;
  }
  batchwizclass2 Options;
  int Version = -1;
  int R = TARGETLIST_READ;
  if (Old) {
    Notice(Host,
           "This target list appears to be in the old Batch Validation Wizard format. Quillon will try to load it. "
           "Be aware that if you save it, it will be automatically be saved in the new format and will not be "
           "readable by the older Batch Validation Wizard by Skelvorn.",
           "Quillon: Old Format", MB_ICONINFORMATION);
    R = ReadOldFormat(File, List, View);
  } else {
    R = ReadCurrentFormat(File, Start, List, View, Options, Version);
  }
  if (R != TARGETLIST_READ) {
    (void)ClearTargetList(List, View);  // as above
    return R;
  }
  (void)List->setUnchanged(1);  // the previous state is not needed
  if (batchwizclass* S = BatchSettings(); S != nullptr && S->SetCurrentListOptions(&Options) != 0) {
    return TARGETLIST_OPEN_BLOCK;
  }
  VersionNotice(Host, Version);
  return TARGETLIST_READ;
}

namespace {

void FillDialog(TargetListDialogRequest& R, const char* Title, const StrStore& Name) {
  R.defaultExt.clear();
  R.filter.assign(ListFilter);
  R.filterIndex = 1;
  R.title.assign(Title);
  R.fileName = Name;
  const batchwizclass* S = BatchSettings();
  if (Name.length == 0 && S != nullptr) {
    R.initialDir = S->lastOpenDirectory;
  }
}

}  // namespace

int OpenTargetListFile(BatchWizardHost* Host, PointerArrayManager* List, StrStore& FileName, BatchTargetView* View,
                       int Flags) {
  if ((Flags & LISTFILE_DIALOG_WHEN_EMPTY) != 0 && FileName.length == 0) {
    Flags |= LISTFILE_DIALOG;
  }
  if ((Flags & LISTFILE_DIALOG) != 0) {
    TargetListDialogRequest R;
    FillDialog(R, "Select Target List to Open", FileName);
    if (Host == nullptr || !Host->ExecuteOpenDialog(R) || R.fileName.length == 0) {
      return TARGETLIST_CANCELLED;
    }
    FileName = AddDefaultExtension(R.fileName.text, "lst", 0);
    if (DoesFileExist(FileName.text) == 0) {
      StrStore Text("Cannot open the file \"");
      Notice(Host, Text.appendStore(FileName).append("\". The file may not exist.").text, CannotOpenCaption,
             MB_ICONERROR);
      return TARGETLIST_CANCELLED;
    }
  }
  const int R = ReadTargetList(Host, List, FileName.text, View);
  if (R < 0) {
    StrStore Text("An error occurred trying to load the target list \"");
    Text.appendStore(FileName).append(
        "\". The file may no longer exist, may not be a target list, or may be in a "
        "format for a newer version.");
    Notice(Host, Text.text, CannotOpenCaption, MB_ICONERROR);
    (void)ClearTargetList(List, View);  // an error here only means there is no list
    FileName.clear();
  } else if (batchwizclass* S = BatchSettings()) {
    S->lastOpenDirectory = FileName;
    if (S->lastOpenDirectory.removeLastPathPart(PATH_STYLE_FILE) <= 0) {
      S->lastOpenDirectory.clear();
    }
  }
  if (List != nullptr) {
    (void)List->setUnchanged(1);  // as above
  }
  return R;
}

namespace {

void AddLine(std::string& Out, const char* Line) { Out.append(Line).append("\r\n"); }

void AddKey(std::string& Out, const char* Key, const char* Value) { Out.append(Key).append(Value).append("\r\n"); }

void WriteTarget(std::string& Out, batchwiztargetclass* T) {
  AddLine(Out, "<TARGET>");
  if (T->webOrigin != nullptr) {
    FileStore Block;
    (void)T->webOrigin->WriteToFileStore(&Block);  // a short block is caught by the reader
    for (int I = 0; I < Block.getLineCount(); ++I) {
      AddLine(Out, Block.getLineText(I));
    }
  }
  AddKey(Out, "FLAGS=", std::to_string(static_cast<int>(T->targetFlags)).c_str());
  AddKey(Out, "TARGET=", T->targetText.text);
  if (T->followLimitTo != nullptr && T->followLimitTo->length > 0) {
    AddKey(Out, "FLLIMITTO=", T->followLimitTo->text);
  }
  if (T->followExtensions != nullptr && T->followExtensions->length > 0) {
    AddKey(Out, "FLEXTENSIONS=", T->followExtensions->text);
  }
  if (T->followDepthLimit != -1) {
    AddKey(Out, "FLDEPTHLIMIT=", std::to_string(T->followDepthLimit).c_str());
  }
  AddLine(Out, "</TARGET>");
}

}  // namespace

int WriteTargetList(BatchWizardHost* Host, PointerArrayManager* List, const char* FileName) {
  if (List == nullptr || FileName == nullptr || *FileName == 0) {
    return TARGETLIST_WRITE_FAILED;
  }
  if (Host != nullptr) {
    Host->SyncListOptions(SYNC_FROM_FIELDS);
  }
  std::string Out;
  AddLine(Out, StartTag);
  AddLine(Out, "VERSION=5");
  const batchwizclass* S = BatchSettings();
  if (S != nullptr && S->listOptions != nullptr) {
    AddLine(Out, "<OPTIONS>");
    for (const OptionKey& K : OptionKeys) {
      const StrStore& V = S->listOptions->slot(K.slot);
      if (V.length > 0) {
        AddKey(Out, K.key, V.text);
      }
    }
    AddLine(Out, "</OPTIONS>");
  }
  for (int I = 0; I < List->getCount(); ++I) {
    if (auto* T = static_cast<batchwiztargetclass*>(List->getPointer(I))) {
      WriteTarget(Out, T);
    }
  }
  AddLine(Out, EndTag);
  if (WriteFileReplacing(FileName, Out) != 0) {
    return TARGETLIST_WRITE_FAILED;
  }
  (void)List->setUnchanged(1);  // the previous state is not needed
  return 0;
}

int SaveTargetListFile(BatchWizardHost* Host, PointerArrayManager* List, StrStore& FileName, int Flags) {
  if ((Flags & LISTFILE_DIALOG_WHEN_EMPTY) != 0 && FileName.length == 0) {
    Flags |= LISTFILE_DIALOG;
  }
  if ((Flags & LISTFILE_DIALOG) != 0) {
    TargetListDialogRequest R;
    FillDialog(R, "", FileName);
    if (Host == nullptr || !Host->ExecuteSaveDialog(R) || R.fileName.length == 0) {
      return TARGETLIST_CANCELLED;
    }
    const StrStore Chosen = AddDefaultExtension(R.fileName.text, "lst", 0);
    if (DoesFileExist(Chosen.text) != 0 && Chosen.notEqualStore(FileName) != 0) {
      StrStore Text("File \"");
      Text.appendStore(Chosen).append("\" already exists. Overwrite?");
      if (Host->ShowMessage(Text.text, "Quillon: File Already Exists", MB_ICONQUESTION | MB_YESNO) != IDYES) {
        return TARGETLIST_CANCELLED;
      }
    }
    FileName = Chosen;
  }
  if (FileName.length == 0) {
    return TARGETLIST_NO_NAME;
  }
  return WriteTargetList(Host, List, FileName.text);
}
