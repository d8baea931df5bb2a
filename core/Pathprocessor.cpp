// File tests, file times, file and URL names, and the resolution of relative links.
#include "core/Pathprocessor.h"

#include "core/Strtext.h"
#include "platform/win/Files.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>

int DoesFileExist(const char* Name) {
  if (Name == nullptr || *Name == 0) {
    return 0;
  }
  std::FILE* F = std::fopen(Name, "rb");
  if (F == nullptr) {
    return 0;
  }
  // A folder opens for reading here, unlike on the original platform: it is no file.
  struct stat St {};
  const bool IsFile = fstat(fileno(F), &St) == 0 && !S_ISDIR(St.st_mode);
  std::fclose(F);
  return IsFile ? 1 : 0;
}

void GetFileWriteTime(FILETIME* Time, const char* Name, Int64* Size, int* Found) {
  FILETIME Zero;
  if (Time != nullptr) {
    *Time = Zero;
  }
  if (Size != nullptr) {
    *Size = 0;
  }
  if (Found != nullptr) {
    *Found = 0;
  }
  if (Name == nullptr) {
    return;
  }
  HANDLE H = CreateFile(Name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, 0);
  if (H == INVALID_HANDLE_VALUE) {
    return;
  }
  FILETIME Write;
  if (GetFileTime(H, nullptr, nullptr, &Write) && Time != nullptr) {
    *Time = Write;
  }
  Int64 Bytes = 0;
  if (Size != nullptr && GetFileSizeEx(H, &Bytes)) {
    *Size = Bytes;
  }
  if (Found != nullptr) {
    *Found = 1;
  }
  CloseHandle(H);
}

StrStore GetFileNameFromPath(const char* Path) {
  StrStore Result;
  if (Path == nullptr) {
    return Result;
  }
  const char* Last = std::strrchr(Path, StrText::FileSeparator);
  Result.assign(Last != nullptr ? Last + 1 : Path);
  return Result;
}

StrStore GetPathFileName(const char* Path) { return GetFileNameFromPath(Path); }

StrStore GetUrlFileName(const char* Url, int Flags) {
  StrStore Result;
  if (Url == nullptr) {
    return Result;
  }
  const std::string U(Url);
  const std::size_t Query = std::min(U.find('?'), U.size());
  const std::size_t Slash = U.rfind('/', Query == 0 ? std::string::npos : Query - 1);
  const std::size_t Begin = (Slash == std::string::npos || Query == 0) ? 0 : Slash + 1;
  std::string Name = U.substr(Begin, Query - Begin);
  if ((Flags & 2) != 0) {
    const std::size_t Hash = Name.find('#');
    if (Hash != std::string::npos) {
      Name.erase(Hash);
    }
  }
  if (Name.empty() && Slash != std::string::npos && Slash > 0 && Begin > 0) {
    // The address ends with '/': the last folder name, with its slash.
    const std::size_t Previous = U.rfind('/', Slash - 1);
    const std::size_t From = Previous == std::string::npos ? 0 : Previous + 1;
    Name = U.substr(From, Slash + 1 - From);
  }
  Result.setString(Name.data(), static_cast<int>(Name.size()));
  return Result;
}

StrStore RemoveUrlAnchor(const char* Url) {
  StrStore Result(Url);
  Result.removeAnchor();
  return Result;
}

int HasDriveOrScheme(const char* Text) {
  if (Text == nullptr) {
    return 0;
  }
  StrStore T(Text);
  T.trim(0);
  for (int I = 0; I < T.length; ++I) {
    const char C = T.text[I];
    if (C == ':') {
      return 1;
    }
    if (C == '/' || C == '\\') {
      return 0;
    }
  }
  return 0;
}

int EndsWithBackslash(const char* Path) {
  if (Path == nullptr || *Path == 0) {
    return 0;
  }
  return Path[std::strlen(Path) - 1] == StrText::FileSeparator ? 1 : 0;
}

int IsAbsoluteWindowsPath(const char* Path) {
  if (Path == nullptr || Path[0] != StrText::FileSeparator) {
    return 0;
  }
  return EndsWithBackslash(Path) != 0 ? 0 : 1;
}

int HasDriveLetter(const char* Path, int Flags) {
  return ((Flags & 1) != 0 && Path != nullptr && Path[0] == StrText::FileSeparator) ? 1 : 0;
}

namespace {

char SeparatorOf(int Style) { return Style == PATH_STYLE_URL ? '/' : StrText::FileSeparator; }

// The flags of StrStore::removeLastPathPart for a style.
int PartFlagsOf(int Style) { return Style == PATH_STYLE_URL ? 2 : 1; }

}  // namespace

StrStore NormalizePath(const char* Path, int Style, int* Code) {
  int Dummy = 0;
  int& Result = Code != nullptr ? *Code : Dummy;
  StrStore Out;
  if (Style != PATH_STYLE_FILE && Style != PATH_STYLE_URL) {
    Result = PATH_NO_STYLE;
    return Out;
  }
  const char S = SeparatorOf(Style);
  const std::string P = Path != nullptr ? Path : "";
  std::size_t I = 0;
  while (I < P.size()) {
    if (P[I] == S) {
      if (P.compare(I + 1, 3, std::string{'.', '.', S}) == 0) {
        if (Out.removeLastPathPart(PartFlagsOf(Style)) != 1) {
          Result = PATH_ABOVE_ROOT;
          return StrStore();
        }
        I += 3;  // on to the second separator
        continue;
      }
      if (P.compare(I + 1, 2, std::string{'.', S}) == 0) {
        I += 2;
        continue;
      }
    }
    Out.appendChar(P[I]);
    ++I;
  }
  Result = PATH_RESOLVED;
  return Out;
}

StrStore ResolveRelativePath(const char* Base, const char* Target, int Flags, int* Code) {
  int Dummy = 0;
  int& Result = Code != nullptr ? *Code : Dummy;
  int Style = 0;
  if ((Flags & (RESOLVE_FILE | RESOLVE_TARGET_AS_FILE)) != 0) {
    Style = PATH_STYLE_FILE;
  } else if ((Flags & RESOLVE_URL) != 0) {
    Style = PATH_STYLE_URL;
  } else {
    Result = PATH_RESOLVE_NO_STYLE;
    return StrStore();
  }
  const char S = SeparatorOf(Style);
  const int PartFlags = PartFlagsOf(Style);
  StrStore T(Target);
  T.trim(0);

  // An absolute target ignores the base: a scheme or drive, or for file paths a path from the root.
  if (HasDriveOrScheme(T.text) != 0 || (Style == PATH_STYLE_FILE && T.length > 0 && T.text[0] == S)) {
    int C = 0;
    StrStore Out = NormalizePath(T.text, Style, &C);
    Result = C == 0 ? PATH_RESOLVED : PATH_NORMALIZE_FAILED;
    return C == 0 ? Out : StrStore();
  }
  if ((Flags & RESOLVE_KEEP_BASE) != 0) {
    Result = PATH_RESOLVED;
    return StrStore(Base);
  }
  if ((Flags & RESOLVE_TARGET_AS_FILE) != 0) {
    T.replaceChar('/', StrText::FileSeparator);
  }
  const bool AnchorOnly = (Flags & RESOLVE_ANCHOR_SELF) != 0 && T.length > 0 && T.text[0] == '#';

  StrStore B(Base);
  if ((Flags & RESOLVE_BASE_DOCUMENT) != 0 && !AnchorOnly && !(B.length > 0 && B.text[B.length - 1] == S)) {
    B.removeLastPathPart(PartFlags);
  }
  if (B.length > 0 && B.text[B.length - 1] == S) {
    B.cut(1, 1);
  }
  B.trim(0);
  int C = 0;
  B = NormalizePath(B.text, Style, &C);
  if (C != 0) {
    Result = PATH_NORMALIZE_FAILED;
    return StrStore();
  }

  if (T.length > 0 && T.text[0] == S) {
    // A root-relative link: down to the drive, or to the scheme and host.
    while (B.removeLastPathPart(PartFlags) == 1) {
    }
    T.setRange(T.text + 1, T.text + T.length - 1);
  }
  for (;;) {
    if (T.length >= 3 && T.text[0] == '.' && T.text[1] == '.' && T.text[2] == S) {
      if (B.removeLastPathPart(PartFlags) != 1) {
        Result = PATH_TOO_MANY_PARENTS;
        return StrStore();
      }
      T.setRange(T.text + 3, T.text + T.length - 1);
    } else if (T.length >= 2 && T.text[0] == '.' && T.text[1] == S) {
      T.setRange(T.text + 2, T.text + T.length - 1);
    } else {
      break;
    }
  }

  if (!AnchorOnly) {
    B.appendChar(S);
  }
  B.appendStore(T);
  StrStore Out = NormalizePath(B.text, Style, &C);
  if (C != 0) {
    Result = PATH_NORMALIZE_FAILED;
    return StrStore();
  }
  Result = PATH_RESOLVED;
  return Out;
}
