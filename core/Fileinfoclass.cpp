// fileinfoclass: construction and deletion, names and kinds, the document-type decision, loading, saving and the
// file's time on disk.
#include "core/Fileinfoclass.h"

#include "core/Editsourceoptions.h"
#include "core/Errorreport.h"
#include "core/Fileinfoextraclass.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"
#include "core/Tabinfoclass.h"

#include "editor/Easyeditorparser.h"
#include "editor/Easyeditsource.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::atomic<unsigned> NextSerial{1};

volatileclass* State() { return prg != nullptr ? prg->volatileState : nullptr; }

// The part after the last path separator.
StrStore FilePart(const char* Path) {
  const std::string S(Path != nullptr ? Path : "");
  const std::size_t Slash = S.find_last_of(StrText::FileSeparator);
  return StrStore(Slash == std::string::npos ? S.c_str() : S.c_str() + Slash + 1);
}

// The folder part, without the trailing separator ("" when there is none).
std::string FolderPart(const std::string& Path) {
  const std::size_t Slash = Path.find_last_of(StrText::FileSeparator);
  return Slash == std::string::npos ? std::string() : Path.substr(0, Slash == 0 ? 1 : Slash);
}

bool StatFile(const char* Path, std::int64_t& Time, std::int64_t& Size) {
  struct stat St {};
  if (Path == nullptr || ::stat(Path, &St) != 0) {
    return false;
  }
  Time = static_cast<std::int64_t>(St.st_mtim.tv_sec) * 1000000000LL + St.st_mtim.tv_nsec;
  Size = static_cast<std::int64_t>(St.st_size);
  return true;
}

void ShowBox(const char* Text, const char* Caption, int Flags) {
  if (MainWindowMessageBox* Box = GetMainWindowMessageBox()) {
    Box->ShowMessageBox(StrStore(Text), StrStore(Caption), Flags);
  }
}

// A file the user may write: the system allows it and the file's permission bits let someone write it (so that
// a write-protected file stays protected for the superuser too).
bool MayWrite(const char* Path, const struct stat& St) {
  return ::access(Path, W_OK) == 0 && (St.st_mode & 0222) != 0;
}

// Whether the file exists and the user may not write it.
bool WriteProtected(const char* Path) {
  struct stat St {};
  return ::stat(Path, &St) == 0 && !MayWrite(Path, St);
}

int EditorSaveFormat() { return prg != nullptr && prg->editorOptions != nullptr ? prg->editorOptions->saveFileFormat : 1; }

}  // namespace

// ---- lifetime ---------------------------------------------------------------------------------------------------

fileinfoclass::fileinfoclass(PointerArrayManager* UndoArray, PointerArrayManager* DocumentArray)
    : undoArray(UndoArray), documentArray(DocumentArray), serial(NextSerial.fetch_add(1)) {
  text = new TEasyEditSource(nullptr);
  SetupEditSource(text, EDITSOURCE_DOCUMENT);
  text->SetTag(reinterpret_cast<NativeInt>(this));
  if (prg != nullptr && prg->interface != nullptr && prg->interface->flags2.has(IF2::SortMessagesByType)) {
    sortModes[2] = 7;
  }
}

fileinfoclass::~fileinfoclass() {
  MainWindow().UpdateOpenedListItem(this, 2);
  (void)FreeUndoCopies();  // an undo copy that was not freed stays with its array, which frees it later
  ClearResults(MainWindow().GetCurrentFile() == this ? CLEAR_RESULTS | CLEAR_SHOW_AGAIN : CLEAR_RESULTS);
  delete structureText;
  structureText = nullptr;
  DeleteResultLists();
  delete webOrigin;
  webOrigin = nullptr;
  // The messages give their bookmarks back to the text, so they go before it.
  (void)messages.removeAllPointers(1, 0);
  delete text;
  text = nullptr;
  DeleteTemporaryFile();
}

int FreeFileInfo(void* Element) {
  delete static_cast<fileinfoclass*>(Element);
  return 1;
}

void fileinfoclass::DeleteTemporaryFile() {
  if (temporaryFile.length > 0) {
    ::unlink(temporaryFile.text);
    temporaryFile.clear();
  }
}

void fileinfoclass::DeleteResultLists() {
  if (resultLists != nullptr) {
    resultLists->removeAllPointers(1, 0);
    delete resultLists;
    resultLists = nullptr;
  }
}

// ---- names and kinds --------------------------------------------------------------------------------------------

const char* fileinfoclass::GetName(int Selector) {
  if (Selector == 0x200) {
    Selector = 10;
  }
  const char* Found = nullptr;
  if ((Selector & NAME_EXTENSION) != 0) {
    nameResult = GetFileExtension(name.text, 10);
    Found = nameResult.text;
  }
  if ((Selector & NAME_TEMPORARY) != 0) {
    if (onDisk != 0) {
      nameResult = name;
    } else {
      volatileclass* Vol = State();
      nameResult = Vol != nullptr ? Vol->temporaryFolder : SystemTemporaryFolder();
      // The process id keeps two running instances apart; the serial keeps documents apart.
      const unsigned long long Number = static_cast<unsigned long long>(::getpid()) * 1000000ULL + serial;
      nameResult.appendChar(StrText::FileSeparator).append("~zub_").append(std::to_string(Number).c_str());
      nameResult.append(".html");
    }
    Found = nameResult.text;
  }
  if ((Selector & NAME_FILE_PART) != 0) {
    nameResult = FilePart(name.text);
    Found = nameResult.text;
  }
  if ((Selector & NAME_FULL) != 0) {
    nameResult = name;
    Found = nameResult.text;
  }
  if ((Selector & NAME_WEB) != 0 && onDisk == 0) {
    if ((flags & DOCFLAG_BROWSER_SOURCE) != 0) {
      nameResult = displayName;
      Found = nameResult.text;
    } else if (webOrigin != nullptr) {
      const char* Address = webOrigin->GetString((Selector & NAME_WEB_EFFECTIVE) != 0 ? 0x40 : 0x10);
      if (Address != nullptr && *Address != 0) {
        nameResult = Address;
        Found = nameResult.text;
      }
    }
  }
  if ((Selector & NAME_TAB_CAPTION) != 0) {
    if ((flags & DOCFLAG_BROWSER_SOURCE) != 0) {
      nameResult = "WB Source";
    } else if (onDisk != 0) {
      nameResult = FilePart(name.text);
    } else if (IsWebDocument()) {
      StrStore Address(webOrigin->GetString(0x10));
      StrStore Path = Address;
      Path.removeAnchor();
      Path.removeQuery();
      const char* Slash = std::strrchr(Path.text, '/');
      StrStore Segment(Slash != nullptr ? Slash + 1 : Path.text);
      if (Slash != nullptr && Segment.length > 0) {
        nameResult = Segment;
      } else if (Slash == nullptr && Path.length > 0) {
        nameResult = Path;
      } else {
        nameResult = "...";
        nameResult.append(Address.length > 20 ? Address.text + Address.length - 20 : Address.text);
      }
    } else {
      nameResult = FilePart(name.text);
    }
    if ((Selector & NAME_NO_MODIFIED_MARK) == 0 && text != nullptr && text->Modified) {
      nameResult.append("**");
    }
    Found = nameResult.text;
  }
  if (Found == nullptr && (Selector & NAME_EMPTY_NOT_NULL) != 0) {
    nameResult.clear();
    Found = nameResult.text;
  }
  return Found;
}

StrStore FormatDocumentName(fileinfoclass* Document, int Flags) {
  StrStore Result;
  if (Document == nullptr || (Flags & 1) == 0) {
    return Result;
  }
  if (Document->IsWebDocument()) {
    Result.appendChar('"').append(Document->GetName(0x114)).append("\" [");
    Result.append(Document->GetName(NAME_WEB | NAME_FULL | NAME_EMPTY_NOT_NULL)).append("]");
  } else {
    Result.appendChar('"').append(Document->GetName(NAME_FULL)).appendChar('"');
  }
  return Result;
}

const char* fileinfoclass::GetFileTypeName() {
  volatileclass* Vol = State();
  parserclass* Def =
      FindParser(Vol != nullptr ? Vol->documentTypes : nullptr, FINDPARSER_BY_ID, GetFileType(0), nullptr);
  return Def != nullptr && Def->description.length > 0 ? Def->description.text : "Unknown";
}

int fileinfoclass::TestFlag(int Which) {
  if (Which == 1) {
    return fileinfoextraclass::UsesCredentials(webOrigin, 1);
  }
  if (Which == 2) {
    return (flags & DOCFLAG_BROWSER_SOURCE) != 0 ? 1 : 0;
  }
  return 0;
}

int fileinfoclass::GetFileType(int Flags) {
  if ((Flags & FILETYPE_DECIDE_NOW) != 0 && documentType == FILETYPE_UNDECIDED) {
    UpdateDocumentType(0);
  }
  if (documentType == FILETYPE_UNKNOWN_EXTENSION && typeOverride >= 0) {
    return typeOverride;
  }
  return documentType;
}

bool fileinfoclass::IsWebDocument() const {
  return onDisk == 0 && webOrigin != nullptr && webOrigin->address.length > 0;
}

int fileinfoclass::CanReload() const {
  if ((flags & (DOCFLAG_BROWSER_SOURCE | DOCFLAG_DETACHED_SOURCE)) != 0) {
    return 0;
  }
  if (onDisk != 0) {
    return 1;
  }
  return webOrigin != nullptr && webOrigin->address.length > 0 ? 1 : 0;
}

int fileinfoclass::IsEditable() const { return text != nullptr && !text->ReadOnly() ? 1 : 0; }

int fileinfoclass::IsReadOnly() const { return text != nullptr && text->ReadOnly() ? 1 : 0; }

int fileinfoclass::IsValidatable() {
  const int Type = GetFileType(0);
  return Type == FILETYPE_HTML || Type == FILETYPE_CSS ? 1 : 0;
}

int fileinfoclass::CanPreview() const {
  return (flags & DOCFLAG_BROWSER_SOURCE) == 0 && text != nullptr && text->Strings()->Count() > 0 ? 1 : 0;
}

int fileinfoclass::Query(int What) {
  switch (What) {
    case QUERY_DOCTYPE_FLAGS: return doctypeFlags;
    case QUERY_LINE_COUNT: return text != nullptr ? text->Strings()->Count() : 0;
    case QUERY_HAS_RESULT: return resultHandle >= 0 ? 1 : 0;
    default: return COUNT_UNKNOWN;
  }
}

int GetFileTypeByName(const char* Name, parserclass** Definition, int Flags) {
  if (Definition != nullptr) {
    *Definition = nullptr;
  }
  volatileclass* Vol = State();
  PointerArrayManager* Types = Vol != nullptr ? Vol->documentTypes : nullptr;
  const StrStore Extension = GetFileExtension(Name, (Flags & FILETYPE_NAME_IS_URL) != 0 ? 14 : 10);
  if (Extension.length == 0) {
    if ((Flags & FILETYPE_BY_SETTING) == 0) {
      return FILETYPE_NO_EXTENSION;
    }
    const char* Key = prg != nullptr && prg->editorOptions != nullptr ? prg->editorOptions->noExtensionFileType.text
                                                                       : "";
    parserclass* Def = *Key != 0 ? FindParser(Types, FINDPARSER_BY_KEY, 0, Key) : nullptr;
    if (Def == nullptr) {
      return FILETYPE_NONE_CHOSEN;
    }
    if (Definition != nullptr) {
      *Definition = Def;
    }
    return Def->fileType;
  }
  for (int I = 0; Types != nullptr && I < Types->getCount(); ++I) {
    auto* Def = static_cast<parserclass*>(Types->getPointer(I));
    if (Def != nullptr && FindInCommaList(Extension.text, Def->extensions.text, 1) >= 0) {
      if (Definition != nullptr) {
        *Definition = Def;
      }
      return Def->fileType;
    }
  }
  return FILETYPE_UNKNOWN_EXTENSION;
}

int GetFileTypeByPath(const char* Path, parserclass** Definition, int Flags) {
  return GetFileTypeByName(Path, Definition, Flags);
}

int fileinfoclass::UpdateDocumentType(int Flags) {
  (void)Flags;
  // -1 only without a text store.
  (void)ApplyEditSourceOptions(text, SOURCEOPTIONS_OPTIONS | SOURCEOPTIONS_KEEP_LIVE_SPELLING);
  int Kind = documentType;
  if ((flags & DOCFLAG_BROWSER_SOURCE) != 0) {
    Kind = FILETYPE_HTML;
  } else if (webOrigin != nullptr && onDisk == 0 && webOrigin->contentType.length > 0) {
    StrStore Type = webOrigin->contentType;
    const int Semicolon = IndexOfChar(Type.text, ';');
    if (Semicolon >= 0) {
      Type.cut(Type.length - Semicolon, 1);
    }
    Type.trim(3);
    if (Type.equalsNoCase("text/html") != 0) {
      Kind = FILETYPE_HTML;
    } else if (Type.equalsNoCase("text/css") != 0) {
      Kind = FILETYPE_CSS;
    } else {
      Kind = typeOverride >= 0 ? typeOverride : FILETYPE_UNKNOWN_EXTENSION;
    }
  } else {
    const char* Shown = GetName(NAME_DISPLAY);
    if (Shown != nullptr && *Shown != 0) {
      Kind = GetFileTypeByName(Shown, nullptr, IsWebDocument() ? 2 : 0);
      if (Kind == FILETYPE_NO_EXTENSION || Kind == FILETYPE_UNKNOWN_EXTENSION) {
        const int Chosen = GetFileTypeByName("", nullptr, 1);
        if (Chosen >= 0) {
          Kind = Chosen;
        }
        if (typeOverride >= 0) {
          Kind = typeOverride;
        }
      }
    } else {
      Kind = typeOverride >= 0 ? typeOverride : FILETYPE_UNKNOWN_EXTENSION;
    }
  }
  documentType = Kind;
  volatileclass* Vol = State();
  parserclass* Def = FindParser(Vol != nullptr ? Vol->documentTypes : nullptr, FINDPARSER_BY_ID, Kind, nullptr);
  if (text != nullptr) {
    const bool Highlight = prg != nullptr && prg->editorOptions != nullptr &&
                           prg->editorOptions->flags.has(EOF40::SyntaxHighlighting);
    TCustomEasyParser* Wanted = nullptr;
    if (Highlight && Def != nullptr && Def->flags.has(PF::SyntaxHighlighting)) {
      Wanted = Def->GetEditorParser();
    }
    if (text->Parser() != Wanted) {
      text->SetParser(Wanted);
    }
    if (Def != nullptr) {
      std::bitset<256> Set;
      BuildDelimiterSet(Set, Def);
      text->Delimiters = Set;
    }
  }
  MainWindow().UpdateOpenedListItem(this, 12);
  (void)MainWindow().ApplyMessageLineStyles(this, 0);         // 3: no messages to mark
  (void)ApplyEditSourceOptions(text, SOURCEOPTIONS_OPTIONS);  // -1 only without a text store
  return 0;
}

int fileinfoclass::SetSavedState(int Flags) {
  int Wanted = savedState;
  if ((Flags & SAVEDSTATE_FROM_STORE) != 0 && text != nullptr) {
    Wanted = text->Modified ? SAVEDSTATE_IS_CHANGED : SAVEDSTATE_IS_SAVED;
  } else if ((Flags & SAVEDSTATE_SAVED) != 0) {
    Wanted = SAVEDSTATE_IS_SAVED;
  } else if ((Flags & SAVEDSTATE_CHANGED) != 0) {
    Wanted = SAVEDSTATE_IS_CHANGED;
  }
  if ((Flags & SAVEDSTATE_TO_STORE) != 0 && text != nullptr && Wanted != SAVEDSTATE_NONE) {
    text->Modified = Wanted == SAVEDSTATE_IS_CHANGED;
  }
  if (Wanted != savedState) {
    savedState = Wanted;
    if (volatileclass* Vol = State(); Vol != nullptr) {
      (void)UpdateTabNameOfDocument(Vol->tabs, this);  // a document in no tab has no caption to refresh
    }
    MainWindow().UpdateOpenedListItem(this, 4);
  }
  return 0;
}

// ---- files ------------------------------------------------------------------------------------------------------

int LoadEditSourceFromFile(const char* Path, TCustomEasyEditSource* Source, int Flags) {
  if ((Flags & LOAD_REPLACE_TEXT) == 0 || Source == nullptr || Path == nullptr) {
    return FILE_DONE;
  }
  TEasySourceOptions Options = Source->Options();
  Options.Exclude(srSmartTab);
  Options.Include(srLeaveTabs);
  Source->SetOptions(Options);
  try {
    Source->LoadFromFile(Path);
  } catch (...) {
    return FILE_FAILED;
  }
  return FILE_DONE;
}

int fileinfoclass::LoadFromFile(const char* Path, int Flags) {
  (void)Flags;
  if (text == nullptr || LoadEditSourceFromFile(Path, text, LOAD_REPLACE_TEXT) != FILE_DONE) {
    return FILE_FAILED;
  }
  // The text is read-only when the user may not write the file it came from (the document may not count as on
  // disk yet: its caller marks it so after the load).
  if (WriteProtected(Path) != text->ReadOnly()) {
    (void)SetReadOnlyState(READONLY_TOGGLE | READONLY_APPLY_TO_TEXT);  // cannot fail: the document has a text
  }
  // A file whose time cannot be read right after loading is gone or replaced: what was loaded may not be what
  // is on disk, and later checks could not tell a change (the user has been told).
  if (SetFileTime(Path) != FILE_DONE) {
    return FILE_FAILED;
  }
  if ((flags & DOCFLAG_BROWSER_SOURCE) != 0) {
    ClearResults(CLEAR_RESULTS | CLEAR_SHOW_AGAIN | CLEAR_ONLY_IF_SHOWN);
  }
  return FILE_DONE;
}

int fileinfoclass::SetFileTime(const char* Path) {
  if (!StatFile(Path, fileTime, fileSize)) {
    ShowBox("fileinfoclass::SetFileTime() failed", "", MSGBOX_ERROR | MSGBOX_NO_STATUS);
    fileTime = 0;
    fileSize = 0;
    fileTimeKnown = 0;
    return FILE_FAILED;
  }
  fileTimeKnown = 1;
  return FILE_DONE;
}

namespace {

constexpr char SaveFilePrefix[] = ".~zubsave_";
constexpr std::size_t SaveFileUniquePart = 6;  // the characters mkstemp fills in

bool IsSaveFileName(const char* Name) {
  const std::size_t PrefixLength = sizeof(SaveFilePrefix) - 1;
  if (std::strncmp(Name, SaveFilePrefix, PrefixLength) != 0 || std::strlen(Name) != PrefixLength + SaveFileUniquePart) {
    return false;
  }
  for (const char* C = Name + PrefixLength; *C != 0; ++C) {
    if (!std::isalnum(static_cast<unsigned char>(*C))) {
      return false;
    }
  }
  return true;
}

bool Before(const timespec& A, const timespec& B) {
  return A.tv_sec < B.tv_sec || (A.tv_sec == B.tv_sec && A.tv_nsec < B.tv_nsec);
}

// Removes the temporary files that interrupted saves left in Folder: files of our naming last written before
// Start whose lock no one holds (a save holds its file's lock until it renames the file, and the lock goes with
// the process that dies). Whatever cannot be looked at stays.
void RemoveStaleSaveFiles(const std::string& Folder, const timespec& Start) {
  DIR* D = ::opendir(Folder.c_str());
  if (D == nullptr) {
    return;
  }
  const int DirFd = ::dirfd(D);
  while (const dirent* E = ::readdir(D)) {
    if (!IsSaveFileName(E->d_name)) {
      continue;
    }
    const int Fd = ::openat(DirFd, E->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0) {
      continue;
    }
    struct stat St {};
    if (::fstat(Fd, &St) == 0 && S_ISREG(St.st_mode) && St.st_uid == ::geteuid() && Before(St.st_mtim, Start) &&
        ::flock(Fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlinkat(DirFd, E->d_name, 0);
    }
    ::close(Fd);
  }
  ::closedir(D);
}

}  // namespace

int WriteFileReplacing(const std::string& Path, const std::string& Content) {
  if (Path.empty()) {
    return FILE_FAILED;
  }
  // Write through a symbolic link: the link stays, its target gets the new content.
  std::string Target = Path;
  char Resolved[PATH_MAX];
  struct stat Link {};
  if (::lstat(Path.c_str(), &Link) == 0 && S_ISLNK(Link.st_mode)) {
    if (::realpath(Path.c_str(), Resolved) == nullptr) {
      return FILE_FAILED;
    }
    Target = Resolved;
  }
  mode_t Mode = 0666 & ~0022;
  struct stat St {};
  const bool Exists = ::stat(Target.c_str(), &St) == 0;
  if (Exists) {
    if (!S_ISREG(St.st_mode) || !MayWrite(Target.c_str(), St)) {
      return FILE_FAILED;  // a rename would succeed where the user may not write
    }
    Mode = St.st_mode & 07777;
  } else {
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    Mode = 0666 & ~Mask;
  }
  std::string Folder = FolderPart(Target);
  if (Folder.empty()) {
    Folder = ".";
  }
  timespec Start{};
  ::clock_gettime(CLOCK_REALTIME, &Start);
  RemoveStaleSaveFiles(Folder, Start);
  std::string Temp = Folder + "/" + SaveFilePrefix + "XXXXXX";
  const int Fd = ::mkostemp(Temp.data(), O_CLOEXEC);
  if (Fd < 0) {
    return FILE_FAILED;
  }
  // Held until the file is renamed or removed, so that a save running elsewhere never takes it for stale.
  ::flock(Fd, LOCK_EX);
  bool Ok = true;
  const char* P = Content.data();
  std::size_t Left = Content.size();
  while (Ok && Left > 0) {
    const ssize_t N = ::write(Fd, P, Left);
    if (N < 0) {
      if (errno == EINTR) {
        continue;
      }
      Ok = false;
    } else {
      P += N;
      Left -= static_cast<std::size_t>(N);
    }
  }
  Ok = Ok && ::fchmod(Fd, Mode) == 0 && ::fsync(Fd) == 0;
  Ok = ::close(Fd) == 0 && Ok;
  if (!Ok || ::rename(Temp.c_str(), Target.c_str()) != 0) {
    ::unlink(Temp.c_str());
    return FILE_FAILED;
  }
  // The rename itself is made durable with the folder.
  const int Dir = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (Dir >= 0) {
    (void)::fsync(Dir);  // the new content itself is on disk already
    ::close(Dir);
  }
  return FILE_DONE;
}

int fileinfoclass::SaveToFile(const char* Path, int Flags) {
  if (text == nullptr) {
    return SAVE_NO_TEXT;
  }
  switch (EditorSaveFormat()) {
    case 2:
      text->Strings()->LineBreakStyle = lbsLF;
      break;
    case 3:
      text->Strings()->LineBreakStyle = lbsCR;
      break;
    default:
      text->Strings()->LineBreakStyle = lbsCRLF;
      break;
  }
  if ((Flags & SAVE_TEMPORARY_COPY) != 0) {
    DeleteTemporaryFile();
    if (Path != nullptr && *Path != 0) {
      temporaryFile = Path;
    } else {
      const std::string TempName = GetName(NAME_TEMPORARY);
      temporaryFile = FolderPart(TempName).c_str();
      temporaryFile.appendChar(StrText::FileSeparator).append("~zub_").append(FilePart(TempName.c_str()).text);
    }
    if (WriteFileReplacing(temporaryFile.text, text->Strings()->GetSaveText()) != FILE_DONE) {
      StrStore Message("Could not save \"");
      Message.append(temporaryFile.text).append("\".");
      ShowBox(Message.text, "Quillon: Save Failed", MSGBOX_ERROR);
      return FILE_FAILED;
    }
    return FILE_DONE;
  }
  if (Path == nullptr || WriteFileReplacing(Path, text->Strings()->GetSaveText()) != FILE_DONE) {
    return FILE_FAILED;
  }
  SetFlags(DOCFLAG_BROWSER_SOURCE | DOCFLAG_DETACHED_SOURCE, false);
  if (StatFile(Path, fileTime, fileSize)) {
    fileTimeKnown = 1;
  }
  return FILE_DONE;
}

int fileinfoclass::CheckChangedOnDisk(int Flags) {
  if (onDisk == 0) {
    return DISK_UNCHANGED;
  }
  struct stat St {};
  if (::stat(name.text, &St) == 0) {
    std::int64_t Time = 0;
    std::int64_t Size = 0;
    if (!StatFile(name.text, Time, Size)) {
      return DISK_UNREADABLE;
    }
    return Time != fileTime || Size != fileSize ? DISK_CHANGED : DISK_UNCHANGED;
  }
  if ((Flags & DISK_FORGET_VANISHED) == 0) {
    return DISK_VANISHED;
  }
  if (fileSize == 0 && fileTimeKnown == 0) {
    return DISK_UNCHANGED;
  }
  fileTime = 0;
  fileSize = 0;
  fileTimeKnown = 0;
  (void)SetReadOnlyState(READONLY_CLEAR | READONLY_APPLY_TO_TEXT);  // without a text nothing is read-only
  return DISK_VANISHED;
}

int fileinfoclass::Reload() {
  int Result = RELOAD_NOTHING;
  if (onDisk != 0) {
    Result = RELOAD_DISK_FAILED;
    if (LoadEditSourceFromFile(name.text, text, LOAD_REPLACE_TEXT) == FILE_DONE) {
      (void)SetReadOnlyState(READONLY_FOLLOW_DISK);  // a document loaded from disk has a text
      // As after the first load: a file whose time cannot be read is not what the text now holds.
      if (SetFileTime(name.text) == FILE_DONE) {
        Result = RELOADED_FROM_DISK;
      }
    }
  } else if (webOrigin != nullptr && webOrigin->address.length > 0) {
    volatileclass* Vol = State();
    StrStore Local = Vol != nullptr ? Vol->temporaryFolder : SystemTemporaryFolder();
    Local.appendChar(StrText::FileSeparator).append("ZUBReloadFromWeb.txt");
    webOrigin->localFile = Local;
    Result = RELOAD_WEB_FAILED;
    if (webOrigin->Download() == DOWNLOAD_DONE &&
        LoadEditSourceFromFile(Local.text, text, LOAD_REPLACE_TEXT) == FILE_DONE) {
      (void)SetReadOnlyState(READONLY_FOLLOW_DISK);  // a document with a web origin has a text
      Result = RELOADED_FROM_WEB;
    }
    ::unlink(Local.text);
  }
  if (Result >= 0) {
    ClearResults(CLEAR_RESULTS | CLEAR_SHOW_AGAIN);
  }
  return Result;
}

void fileinfoclass::SetReadOnly(bool On) {
  if (text != nullptr) {
    text->SetReadOnly(On);
  }
}

int fileinfoclass::SetReadOnlyState(int Mode) {
  if (text == nullptr) {
    return READONLY_NO_TEXT;
  }
  const bool Before = text->ReadOnly();
  bool After = Before;
  if (Mode == READONLY_FOLLOW_DISK) {
    // After a load: the state follows the disk file (read-only when the user may not write it).
    After = onDisk != 0 && WriteProtected(name.text);
  } else {
    if ((Mode & READONLY_SET) != 0) {
      After = true;
    }
    if ((Mode & READONLY_CLEAR) != 0) {
      After = false;
    }
    if ((Mode & READONLY_TOGGLE) != 0) {
      After = !After;
    }
  }
  if ((Mode & READONLY_APPLY_TO_TEXT) != 0 || Mode == READONLY_FOLLOW_DISK) {
    text->SetReadOnly(After);
  }
  if (After != Before) {
    volatileclass* Vol = State();
    if (Vol != nullptr) {
      UpdateTabNameOfDocument(Vol->tabs, this);
    }
    MainWindow().UpdateOpenedListItem(this, 4);
  }
  return READONLY_DONE;
}

void fileinfoclass::SetFlags(std::uint32_t Bits, bool On) {
  if ((Bits & DOCFLAG_BROWSER_SOURCE) != 0) {
    if (!On && (flags & DOCFLAG_BROWSER_SOURCE) != 0) {
      flags &= ~DOCFLAG_BROWSER_SOURCE;
      UpdateDocumentType(0);
      volatileclass* Vol = State();
      if (Vol != nullptr) {
        UpdateTabNameOfDocument(Vol->tabs, this);
      }
    } else if (On) {
      SetReadOnly(false);
    }
  }
  flags = On ? (flags | Bits) : (flags & ~Bits);
}

int fileinfoclass::SetBrowserLocation(const char* Location, int Flags) {
  const StrStore Where(Location);
  if ((Flags & 1) != 0) {
    if (Where.startsWithNoCase("res:") != 0) {
      displayName.clear();
    } else if (std::strncmp(Where.text, "file:///", 8) == 0) {
      // Local paths keep the system's separator; where that is '/', a path begins with it.
      if (StrText::FileSeparator != '/') {
        displayName = Where.length > 8 ? Where.text + 8 : "";
        displayName.replaceChar('/', StrText::FileSeparator);
      } else {
        displayName = Where.text + 7;
      }
    } else {
      displayName = Where;
    }
  }
  if ((Flags & 2) != 0) {
    if (webOrigin == nullptr) {
      webOrigin = new fileinfoextraclass();
    }
    webOrigin->ClearRedirect(1);
    webOrigin->address = Where;
  }
  return 0;
}

int fileinfoclass::SetWebOrigin(fileinfoextraclass*& Origin, int Flags) {
  delete webOrigin;
  webOrigin = Origin;
  Origin = nullptr;
  if ((Flags & 1) != 0 && webOrigin != nullptr) {
    displayName = webOrigin->address;
  }
  return 0;
}

int AllDocumentsSaved(PointerArrayManager* Array) {
  if (Array == nullptr) {
    return COUNT_UNKNOWN;
  }
  for (int I = 0; I < Array->getCount(); ++I) {
    auto* Doc = static_cast<fileinfoclass*>(Array->getPointer(I));
    if (Doc != nullptr && Doc->text != nullptr && Doc->text->Modified) {
      return 0;
    }
  }
  return 1;
}
