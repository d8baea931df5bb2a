// The private profile functions: reading and writing ini files ([Section] lines and Key=Value entries).
#include "platform/win/Profile.h"

#include "platform/win/RegistryStore.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Carriage returns count as blanks: at either end of a line they belong to its line break (files with mixed or
// doubled line ends), so that rewriting the file with its own line end reads the same.
bool IsBlank(char C) { return C == ' ' || C == '\t' || C == '\v' || C == '\f' || C == '\r'; }

std::string_view TrimBlanks(std::string_view S) {
  std::size_t B = 0;
  std::size_t E = S.size();
  while (B < E && IsBlank(S[B])) {
    ++B;
  }
  while (E > B && IsBlank(S[E - 1])) {
    --E;
  }
  return S.substr(B, E - B);
}

// Names compare with the registry's folding only when they differ in bytes: most lookups meet the same spelling.
bool SameName(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) {
    return false;
  }
  if (A == B) {
    return true;
  }
  return RegFoldName(std::string(A)) == RegFoldName(std::string(B));
}

// An ini file as lines, so that a change rewrites only the lines it concerns. Classifying a line allocates
// nothing: a section of thousands of lines is read in one pass.
struct TIniText {
  enum TKind { lkBlank, lkComment, lkSection, lkEntry };
  std::vector<std::string> Lines;
  std::string Eol = "\r\n";
  bool FinalEol = true;

  static TKind Kind(std::string_view Line) {
    const std::string_view T = TrimBlanks(Line);
    if (T.empty()) {
      return lkBlank;
    }
    if (T[0] == ';') {
      return lkComment;
    }
    return T[0] == '[' ? lkSection : lkEntry;
  }
  static std::string_view SectionName(std::string_view Line) {
    const std::string_view T = TrimBlanks(Line);
    const std::size_t Close = T.find(']');
    return TrimBlanks(T.substr(1, Close == std::string_view::npos ? std::string_view::npos : Close - 1));
  }
  static std::string_view KeyName(std::string_view Line) {
    const std::size_t Eq = Line.find('=');
    return TrimBlanks(Eq == std::string_view::npos ? Line : Line.substr(0, Eq));
  }
  static std::string EntryValue(std::string_view Line) {
    const std::size_t Eq = Line.find('=');
    std::string_view V = Eq == std::string_view::npos ? std::string_view() : TrimBlanks(Line.substr(Eq + 1));
    if (V.size() >= 2 && (V[0] == '"' || V[0] == '\'') && V.back() == V[0]) {
      V = V.substr(1, V.size() - 2);
    }
    return std::string(V);
  }

  void Parse(const std::string& Text) {
    Lines.clear();
    const std::size_t FirstLf = Text.find('\n');
    if (FirstLf != std::string::npos) {
      Eol = FirstLf > 0 && Text[FirstLf - 1] == '\r' ? "\r\n" : "\n";
    }
    FinalEol = Text.empty() || Text.back() == '\n';
    Lines.reserve(static_cast<std::size_t>(std::count(Text.begin(), Text.end(), '\n')) + 1);
    std::size_t Start = 0;
    while (Start < Text.size()) {
      std::size_t End = Text.find('\n', Start);
      if (End == std::string::npos) {
        End = Text.size();
      }
      std::size_t LineEnd = End;
      if (LineEnd > Start && Text[LineEnd - 1] == '\r') {
        --LineEnd;
      }
      Lines.emplace_back(Text, Start, LineEnd - Start);
      Start = End + 1;
    }
  }
  std::string Format() const {
    std::string Out;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
      Out += Lines[I];
      if (I + 1 < Lines.size() || FinalEol) {
        Out += Eol;
      }
    }
    return Out;
  }

  // The index of the section's header line, or -1.
  int FindSection(std::string_view Section) const {
    const std::string_view Wanted = TrimBlanks(Section);
    for (std::size_t I = 0; I < Lines.size(); ++I) {
      if (Kind(Lines[I]) == lkSection && SameName(SectionName(Lines[I]), Wanted)) {
        return static_cast<int>(I);
      }
    }
    return -1;
  }
  // One past the section's last line (the next header or the end).
  int SectionEnd(int Header) const {
    int I = Header + 1;
    while (I < static_cast<int>(Lines.size()) && Kind(Lines[static_cast<std::size_t>(I)]) != lkSection) {
      ++I;
    }
    return I;
  }
  int FindKey(int Header, std::string_view Key) const {
    const std::string_view Wanted = TrimBlanks(Key);
    const int End = SectionEnd(Header);
    for (int I = Header + 1; I < End; ++I) {
      const std::string& L = Lines[static_cast<std::size_t>(I)];
      if (Kind(L) == lkEntry && SameName(KeyName(L), Wanted)) {
        return I;
      }
    }
    return -1;
  }
  // Where a new entry of the section goes: after its last non-blank line.
  int InsertPoint(int Header) const {
    int I = SectionEnd(Header);
    while (I > Header + 1 && Kind(Lines[static_cast<std::size_t>(I - 1)]) == lkBlank) {
      --I;
    }
    return I;
  }
  int AddSection(const std::string& Section) {
    if (!Lines.empty() && Kind(Lines.back()) != lkBlank) {
      Lines.emplace_back();
    }
    Lines.push_back("[" + Section + "]");
    FinalEol = true;
    return static_cast<int>(Lines.size()) - 1;
  }
  void EraseSection(int Header) {
    Lines.erase(Lines.begin() + Header, Lines.begin() + SectionEnd(Header));
  }
};

std::string ReadWhole(const std::string& Path, bool& Exists) {
  std::string Text;
  const int Fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  Exists = Fd >= 0;
  if (!Exists) {
    return Text;
  }
  struct stat St {};
  if (fstat(Fd, &St) == 0 && St.st_size > 0) {
    Text.resize(static_cast<std::size_t>(St.st_size));
  }
  std::size_t Done = 0;
  for (;;) {
    if (Done == Text.size()) {
      Text.resize(Text.size() + 4096);  // a file that grew, or one whose size is not known
    }
    const ssize_t N = read(Fd, Text.data() + Done, Text.size() - Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      break;
    }
    Done += static_cast<std::size_t>(N);
  }
  close(Fd);
  Text.resize(Done);
  return Text;
}

TIniText Load(const std::string& Path) {
  bool Exists = false;
  TIniText Ini;
  Ini.Parse(ReadWhole(Path, Exists));
  return Ini;
}

DWORD ErrnoToError(int E) {
  switch (E) {
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOENT: return ERROR_PATH_NOT_FOUND;
    case ENOSPC: return ERROR_DISK_FULL;
    default: return ERROR_WRITE_FAULT;
  }
}

bool Fail(DWORD Code) {
  SetLastError(Code);
  return false;
}

// Applies Change to the file under an exclusive lock on it. Change returns false when there is nothing to do.
// The lock is taken on the file itself; since each write replaces the file, a writer that got the lock on a file
// that has been replaced meanwhile takes it again on the new one.
bool ModifyFile(const std::string& Path, bool CreateMissing, const std::function<bool(TIniText&)>& Change) {
  std::lock_guard Guard(RegStoreMutex());
  int Fd = -1;
  for (;;) {
    Fd = open(Path.c_str(), O_RDWR | O_CLOEXEC | (CreateMissing ? O_CREAT : 0), 0644);
    if (Fd < 0) {
      return errno == ENOENT && !CreateMissing ? true : Fail(ErrnoToError(errno));
    }
    while (flock(Fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    struct stat Locked {};
    struct stat Current {};
    if (fstat(Fd, &Locked) == 0 && stat(Path.c_str(), &Current) == 0 && Locked.st_ino == Current.st_ino &&
        Locked.st_dev == Current.st_dev) {
      break;
    }
    close(Fd);  // replaced by another writer meanwhile: lock the new file
  }
  struct stat St {};
  fstat(Fd, &St);
  std::string Text(static_cast<std::size_t>(St.st_size), '\0');
  const ssize_t Got = pread(Fd, Text.data(), Text.size(), 0);
  Text.resize(Got > 0 ? static_cast<std::size_t>(Got) : 0);
  TIniText Ini;
  Ini.Parse(Text);
  bool Ok = true;
  if (Change(Ini)) {
    const std::size_t Slash = Path.find_last_of('/');
    const std::string Dir = Slash == std::string::npos ? "." : (Slash == 0 ? "/" : Path.substr(0, Slash));
    const std::string Temp = Dir + "/." + Path.substr(Slash + 1) + ".tmp-" + std::to_string(getpid());
    const std::string Out = Ini.Format();
    const int T = open(Temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, St.st_mode & 07777);
    if (T < 0) {
      Ok = Fail(ErrnoToError(errno));
    } else {
      std::size_t Done = 0;
      while (Ok && Done < Out.size()) {
        const ssize_t N = write(T, Out.data() + Done, Out.size() - Done);
        if (N < 0 && errno == EINTR) {
          continue;
        }
        Ok = N > 0 || Fail(ErrnoToError(errno));
        Done += N > 0 ? static_cast<std::size_t>(N) : 0;
      }
      Ok = Ok && (fsync(T) == 0 || Fail(ErrnoToError(errno)));
      Ok = (close(T) == 0 || Fail(ErrnoToError(errno))) && Ok;
      Ok = Ok && (rename(Temp.c_str(), Path.c_str()) == 0 || Fail(ErrnoToError(errno)));
      if (!Ok) {
        unlink(Temp.c_str());
      } else if (const int D = open(Dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); D >= 0) {
        fsync(D);
        close(D);
      }
    }
  }
  close(Fd);
  return Ok;
}

bool HasLineBreak(const char* S) { return S && std::strpbrk(S, "\r\n") != nullptr; }

bool ValidNames(LPCSTR Section, LPCSTR Key, LPCSTR Value) {
  if (HasLineBreak(Section) || HasLineBreak(Key) || HasLineBreak(Value) || (Section && std::strchr(Section, ']')) ||
      (Key && std::strchr(Key, '='))) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  return true;
}

// Copies a list of names as NUL-ended strings followed by one more NUL, cut to the buffer as the platform does.
DWORD CopyList(const std::vector<std::string>& Names, LPSTR Buffer, DWORD Size) {
  if (!Buffer || Size == 0) {
    return 0;
  }
  std::string All;
  for (const std::string& N : Names) {
    All += N;
    All += '\0';
  }
  if (All.size() + 1 <= Size) {
    std::memcpy(Buffer, All.data(), All.size());
    Buffer[All.size()] = '\0';
    return static_cast<DWORD>(All.empty() ? 0 : All.size());
  }
  if (Size < 2) {
    Buffer[0] = '\0';
    return 0;
  }
  std::memcpy(Buffer, All.data(), Size - 2);
  Buffer[Size - 2] = '\0';
  Buffer[Size - 1] = '\0';
  return Size - 2;
}

DWORD CopyString(const std::string& S, LPSTR Buffer, DWORD Size) {
  if (!Buffer || Size == 0) {
    return 0;
  }
  const std::size_t N = std::min<std::size_t>(S.size(), Size - 1);
  std::memcpy(Buffer, S.data(), N);
  Buffer[N] = '\0';
  return static_cast<DWORD>(N);
}

std::vector<std::string> SectionLines(const std::string& FileName, const std::string& Section) {
  const TIniText Ini = Load(ProfileFileName(FileName));
  std::vector<std::string> Out;
  const int Header = Ini.FindSection(Section);
  if (Header >= 0) {
    const int End = Ini.SectionEnd(Header);
    Out.reserve(static_cast<std::size_t>(End - Header));
    for (int I = Header + 1; I < End; ++I) {
      const std::string& L = Ini.Lines[static_cast<std::size_t>(I)];
      if (TIniText::Kind(L) == TIniText::lkEntry) {
        Out.emplace_back(TrimBlanks(L));
      }
    }
  }
  return Out;
}

}  // namespace

std::string ProfileFileName(const std::string& FileName) {
  if (FileName.find('/') != std::string::npos) {
    return FileName;
  }
  return RegistryDirectory() + "/" + FileName;
}

bool ProfileReadValue(const std::string& FileName, const std::string& Section, const std::string& Key,
                      std::string& Value) {
  const TIniText Ini = Load(ProfileFileName(FileName));
  const int Header = Ini.FindSection(Section);
  const int Line = Header >= 0 ? Ini.FindKey(Header, Key) : -1;
  if (Line < 0) {
    return false;
  }
  Value = TIniText::EntryValue(Ini.Lines[static_cast<std::size_t>(Line)]);
  return true;
}

std::vector<std::string> ProfileSectionNames(const std::string& FileName) {
  const TIniText Ini = Load(ProfileFileName(FileName));
  std::vector<std::string> Out;
  for (const std::string& L : Ini.Lines) {
    if (TIniText::Kind(L) != TIniText::lkSection) {
      continue;
    }
    const std::string Name(TIniText::SectionName(L));
    if (std::none_of(Out.begin(), Out.end(), [&](const std::string& S) { return SameName(S, Name); })) {
      Out.push_back(Name);
    }
  }
  return Out;
}

std::vector<std::string> ProfileKeyNames(const std::string& FileName, const std::string& Section) {
  std::vector<std::string> Out;
  for (const std::string& L : SectionLines(FileName, Section)) {
    const std::string Key(TIniText::KeyName(L));
    if (std::none_of(Out.begin(), Out.end(), [&](const std::string& S) { return SameName(S, Key); })) {
      Out.push_back(Key);
    }
  }
  return Out;
}

DWORD GetPrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                              DWORD nSize, LPCSTR lpFileName) {
  const std::string File = lpFileName ? lpFileName : "";
  if (!lpAppName) {
    return CopyList(ProfileSectionNames(File), lpReturnedString, nSize);
  }
  if (!lpKeyName) {
    return CopyList(ProfileKeyNames(File, lpAppName), lpReturnedString, nSize);
  }
  std::string Value;
  if (File.empty() || !ProfileReadValue(File, lpAppName, lpKeyName, Value)) {
    Value = lpDefault ? lpDefault : "";
    while (!Value.empty() && Value.back() == ' ') {
      Value.pop_back();
    }
  }
  return CopyString(Value, lpReturnedString, nSize);
}

UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, int nDefault, LPCSTR lpFileName) {
  std::string Value;
  if (!lpAppName || !lpKeyName || !lpFileName || !ProfileReadValue(lpFileName, lpAppName, lpKeyName, Value)) {
    return static_cast<UINT>(nDefault);
  }
  std::size_t I = 0;
  const bool Negative = !Value.empty() && Value[0] == '-';
  I = (Negative || (!Value.empty() && Value[0] == '+')) ? 1 : 0;
  UInt64 N = 0;
  for (; I < Value.size() && Value[I] >= '0' && Value[I] <= '9'; ++I) {
    N = std::min<UInt64>(N * 10 + static_cast<UInt64>(Value[I] - '0'), 0xFFFFFFFFull);
  }
  return Negative ? static_cast<UINT>(-static_cast<Int64>(N)) : static_cast<UINT>(N);
}

BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
  if (!lpFileName || !*lpFileName) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (!lpAppName) {
    return lpKeyName || lpString ? Fail(ERROR_INVALID_PARAMETER) : TRUE;  // a flush: nothing is cached
  }
  if (!ValidNames(lpAppName, lpKeyName, lpString)) {
    return FALSE;
  }
  const std::string Section(TrimBlanks(lpAppName));
  const bool Deleting = !lpKeyName || !lpString;
  return ModifyFile(ProfileFileName(lpFileName), !Deleting, [&](TIniText& Ini) {
    int Header = Ini.FindSection(Section);
    if (!lpKeyName) {
      if (Header < 0) {
        return false;
      }
      Ini.EraseSection(Header);
      return true;
    }
    const int Line = Header >= 0 ? Ini.FindKey(Header, lpKeyName) : -1;
    if (!lpString) {
      if (Line < 0) {
        return false;
      }
      Ini.Lines.erase(Ini.Lines.begin() + Line);
      return true;
    }
    if (Line >= 0) {
      // The key keeps the spelling it has in the file.
      std::string& L = Ini.Lines[static_cast<std::size_t>(Line)];
      const std::string NewLine = std::string(TIniText::KeyName(L)) + "=" + lpString;
      if (NewLine == L) {
        return false;
      }
      L = NewLine;
      return true;
    }
    if (Header < 0) {
      Header = Ini.AddSection(Section);
    }
    Ini.Lines.insert(Ini.Lines.begin() + Ini.InsertPoint(Header), std::string(TrimBlanks(lpKeyName)) + "=" + lpString);
    return true;
  }) ? TRUE : FALSE;
}

DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
  if (!lpAppName || !lpFileName) {
    return CopyList({}, lpReturnedString, nSize);
  }
  return CopyList(SectionLines(lpFileName, lpAppName), lpReturnedString, nSize);
}

DWORD GetPrivateProfileSectionNames(LPSTR lpszReturnBuffer, DWORD nSize, LPCSTR lpFileName) {
  return CopyList(lpFileName ? ProfileSectionNames(lpFileName) : std::vector<std::string>(), lpszReturnBuffer,
                  nSize);
}

BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName) {
  if (!lpAppName || !lpFileName || !*lpFileName) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  if (!lpString) {
    return WritePrivateProfileString(lpAppName, nullptr, nullptr, lpFileName);
  }
  if (!ValidNames(lpAppName, nullptr, nullptr)) {
    return FALSE;
  }
  std::vector<std::string> NewLines;
  for (const char* P = lpString; *P; P += std::strlen(P) + 1) {
    if (HasLineBreak(P)) {
      return Fail(ERROR_INVALID_PARAMETER);
    }
    NewLines.emplace_back(P);
  }
  const std::string Section(TrimBlanks(lpAppName));
  return ModifyFile(ProfileFileName(lpFileName), true, [&](TIniText& Ini) {
    int Header = Ini.FindSection(Section);
    if (Header < 0) {
      Header = Ini.AddSection(Section);
    }
    // Blank lines that separate the section from the next one stay.
    const int End = Ini.InsertPoint(Header);
    Ini.Lines.erase(Ini.Lines.begin() + Header + 1, Ini.Lines.begin() + End);
    Ini.Lines.insert(Ini.Lines.begin() + Header + 1, NewLines.begin(), NewLines.end());
    return true;
  }) ? TRUE : FALSE;
}
