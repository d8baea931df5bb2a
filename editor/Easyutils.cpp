// The editor component's toolbox: string helpers, substring scanners, URL tests, paths and the hex codec.
#include "editor/Easyutils.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/Files.h"

#include <utility>
#include <cstring>
#include <sys/stat.h>
#include <sys/types.h>

namespace {
constexpr char PathSeparator = PathDelim;

char FoldAscii(char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C; }

bool IsQuote(char C) { return C == '"' || C == '\''; }

bool StartsWithNoCase(std::string_view S, std::string_view Prefix) {
  if (S.size() < Prefix.size()) {
    return false;
  }
  for (std::size_t I = 0; I < Prefix.size(); ++I) {
    if (FoldAscii(S[I]) != Prefix[I]) {
      return false;
    }
  }
  return true;
}
}  // namespace

void SwapInteger(int& A, int& B) {
  const int T = A;
  A = B;
  B = T;
}

void SwapMaxInt(int& A, int& B) {
  if (B < A) {
    SwapInteger(A, B);
  }
}

void SwapRect(TRect& R) {
  std::swap(R.Left, R.Right);
  std::swap(R.Top, R.Bottom);
}

bool IsNullRect(const TRect& R) { return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0; }

void FillWord(Word Value, void* Buffer, int Count) {
  auto* P = static_cast<unsigned char*>(Buffer);
  for (int I = 0; I < Count; ++I) {
    std::memcpy(P + 2 * I, &Value, 2);
  }
}

int FindPos(std::string_view Pattern, std::string_view Text, int Start) {
  const int PLen = static_cast<int>(Pattern.size());
  const int TLen = static_cast<int>(Text.size());
  if (PLen == 0 || TLen == 0 || TLen < PLen) {
    return 0;
  }
  int From = Start < 1 ? 0 : Start - 1;  // 0-based first candidate
  const int Last = TLen - PLen;          // 0-based last candidate
  const char First = Pattern[0];
  const char* Base = Text.data();
  while (From <= Last) {
    const void* Hit = std::memchr(Base + From, First, static_cast<std::size_t>(Last - From + 1));
    if (!Hit) {
      return 0;
    }
    const int At = static_cast<int>(static_cast<const char*>(Hit) - Base);
    if (std::memcmp(Base + At + 1, Pattern.data() + 1, static_cast<std::size_t>(PLen - 1)) == 0) {
      return At + 1;
    }
    From = At + 1;
  }
  return 0;
}

int FindBackPos(std::string_view Pattern, std::string_view Text, int Start) {
  const int PLen = static_cast<int>(Pattern.size());
  const int TLen = static_cast<int>(Text.size());
  if (PLen == 0 || TLen == 0 || TLen < PLen || Start < 1) {
    return 0;
  }
  // A match must end within the text, so candidates begin at most at TLen - PLen (0-based).
  int At = Min(Start, TLen) - 1;
  if (At > TLen - PLen) {
    At = TLen - PLen;
  }
  const char First = Pattern[0];
  for (; At >= 0; --At) {
    if (Text[static_cast<std::size_t>(At)] == First &&
        std::memcmp(Text.data() + At + 1, Pattern.data() + 1, static_cast<std::size_t>(PLen - 1)) == 0) {
      return At + 1;
    }
  }
  return 0;
}

namespace {
int CompareEx(std::string_view S, const char* P, int N, bool Fold) {
  if (!P) {
    N = 0;
  }
  const int SLen = static_cast<int>(S.size());
  const int Common = Min(SLen, N);
  for (int I = 0; I < Common; ++I) {
    char A = S[static_cast<std::size_t>(I)];
    char B = P[I];
    if (Fold) {
      A = FoldAscii(A);
      B = FoldAscii(B);
    }
    if (A != B) {
      return static_cast<unsigned char>(A) - static_cast<unsigned char>(B);
    }
  }
  return SLen - N;
}
}  // namespace

int CompareTextEx(std::string_view S, const char* P, int N) { return CompareEx(S, P, N, true); }
int CompareStrEx(std::string_view S, const char* P, int N) { return CompareEx(S, P, N, false); }

std::string ExludeCharSet(std::string_view S, const TEasyCharSet& Set) {
  std::string Result;
  Result.reserve(S.size());
  for (char C : S) {
    if (!InCharSet(C, Set)) {
      Result += C;
    }
  }
  return Result;
}

std::string TrimRightEx(std::string_view S) {
  std::size_t Len = S.size();
  while (Len > 0) {
    const unsigned char C = static_cast<unsigned char>(S[Len - 1]);
    if (C > 32 || C == 1) {
      break;
    }
    --Len;
  }
  return std::string(S.substr(0, Len));
}

std::string TrimWord(std::string_view S) {
  auto Skip = [](char C) {
    return static_cast<unsigned char>(C) < 33 || C == '\'' || InCharSet(C, WordDelimSet);
  };
  std::size_t B = 0;
  std::size_t E = S.size();
  while (B < E && Skip(S[B])) {
    ++B;
  }
  while (E > B && Skip(S[E - 1])) {
    --E;
  }
  return std::string(S.substr(B, E - B));
}

std::string RemoveLastLineEnd(std::string_view S) {
  for (int Round = 0; Round < 2; ++Round) {
    if (!S.empty() && (S.back() == '\r' || S.back() == '\n')) {
      S.remove_suffix(1);
    }
  }
  return std::string(S);
}

void AddTrailSpaces(std::string& S, int N) {
  if (static_cast<int>(S.size()) < N) {
    S.append(static_cast<std::size_t>(N) - S.size(), ' ');
  }
}

int GetFirstValidChar(std::string_view S) {
  std::size_t I = 0;
  while (I < S.size() && S[I] == ' ') {
    ++I;
  }
  return static_cast<int>(I) + 1;
}

std::string RemoveQuotes(std::string_view S) {
  if (!S.empty() && IsQuote(S.front()) && IsQuote(S.back())) {
    // A single quote character is both the first and the last one.
    return S.size() < 2 ? std::string() : std::string(S.substr(1, S.size() - 2));
  }
  return std::string(S);
}

std::string AddQuotes(std::string_view S) {
  if (!S.empty() && (IsQuote(S.front()) || IsQuote(S.back()))) {
    return std::string(S);
  }
  return "\"" + std::string(S) + "\"";
}

std::string GetTempDir() {
  char Buffer[MAX_PATH + 1] = {};
  const DWORD Length = GetTempPath(sizeof(Buffer), Buffer);
  std::string Dir(Buffer, Length < sizeof(Buffer) ? Length : 0);
  // A root keeps its separator; any other folder loses it.
  while (Dir.size() > 1 && Dir.back() == PathSeparator) {
    Dir.pop_back();
  }
  return Dir;
}

std::string AddSlash(std::string_view Path) {
  std::string Result(Path);
  if (!Result.empty() && Result.back() != PathSeparator) {
    Result += PathSeparator;
  }
  return Result;
}

std::string ChangeSlashes(std::string_view Path) {
  std::string Result(Path);
  for (char& C : Result) {
    if (C == '/') {
      C = '\\';
    }
  }
  return Result;
}

void CreateDirs(const std::string& Path) {
  std::string Dir = Path;
  if (Dir.size() > 1 && Dir.back() == PathSeparator) {
    Dir.pop_back();
  }
  if (Dir.size() <= 1 || DirectoryExists(Dir)) {
    return;
  }
  const std::size_t Cut = Dir.rfind(PathSeparator);
  if (Cut != std::string::npos && Cut > 0) {
    const std::string Parent = Dir.substr(0, Cut);
    if (Parent != Dir) {
      CreateDirs(Parent);
    }
  }
  ::mkdir(Dir.c_str(), 0777);
}

bool IsWWWString(std::string_view S) {
  for (const char* Prefix : {"WWW.", "HTTP://", "HTTPS://", "GOPHER://", "FTP://", "FILE://"}) {
    if (StartsWithNoCase(S, Prefix)) {
      return true;
    }
  }
  return false;
}

bool IsEmlString(std::string_view S) {
  if (StartsWithNoCase(S, "MAILTO:")) {
    return true;
  }
  const std::size_t At = S.find('@');
  if (At == std::string_view::npos || S.find('@', At + 1) != std::string_view::npos || At + 1 >= S.size()) {
    return false;
  }
  const char Next = S[At + 1];
  if (!InCharSet(Next, ValueSet)) {
    return false;
  }
  return S.find('.', At + 1) != std::string_view::npos;
}

bool IsHyperString(std::string_view S) { return IsEmlString(S) || IsWWWString(S); }

std::string StringToHex(std::string_view Bytes) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string Result;
  Result.resize(Bytes.size() * 2);
  for (std::size_t I = 0; I < Bytes.size(); ++I) {
    const unsigned char B = static_cast<unsigned char>(Bytes[I]);
    Result[2 * I] = Digits[B >> 4];
    Result[2 * I + 1] = Digits[B & 15];
  }
  return Result;
}

std::string HexToString(std::string_view Text) {
  auto Digit = [](char C) -> int {
    if (C >= '0' && C <= '9') {
      return C - '0';
    }
    if (C >= 'a' && C <= 'f') {
      return C - 'a' + 10;
    }
    return static_cast<unsigned char>(C) - 55;
  };
  std::string Result;
  Result.resize(Text.size() / 2);
  for (std::size_t I = 0; I < Result.size(); ++I) {
    Result[I] = static_cast<char>((Digit(Text[2 * I]) << 4) + Digit(Text[2 * I + 1]));
  }
  return Result;
}
