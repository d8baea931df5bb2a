// Desktop entries, the user's association list and atomic writes.
#include "platform/win/DesktopFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string XdgHome(const char* Variable, const char* Fallback) {
  if (const char* Value = std::getenv(Variable); Value != nullptr && *Value == '/') {
    return Value;
  }
  const char* Home = std::getenv("HOME");
  return std::string(Home != nullptr ? Home : "") + "/" + Fallback;
}

// One line of a text with its line break ("\n" or "\r\n", or nothing on an unterminated last line).
struct TLine {
  std::string_view Body;
  std::string_view Break;
};

std::vector<TLine> SplitLines(std::string_view Text) {
  std::vector<TLine> Lines;
  std::size_t At = 0;
  while (At < Text.size()) {
    const std::size_t End = Text.find('\n', At);
    if (End == std::string_view::npos) {
      Lines.push_back({Text.substr(At), {}});
      break;
    }
    const std::size_t BodyEnd = End > At && Text[End - 1] == '\r' ? End - 1 : End;
    Lines.push_back({Text.substr(At, BodyEnd - At), Text.substr(BodyEnd, End + 1 - BodyEnd)});
    At = End + 1;
  }
  return Lines;
}

std::string_view Trim(std::string_view S) {
  while (!S.empty() && (S.front() == ' ' || S.front() == '\t')) {
    S.remove_prefix(1);
  }
  while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r' || S.back() == '\n')) {
    S.remove_suffix(1);
  }
  return S;
}

bool IsBlank(std::string_view Body) { return Trim(Body).empty(); }

// The group a header line opens ("[Name]"), or empty when the line is no header.
std::string_view HeaderName(std::string_view Body) {
  const std::string_view T = Trim(Body);
  if (T.size() < 2 || T.front() != '[' || T.back() != ']' || Body.front() != '[') {
    return {};
  }
  return T.substr(1, T.size() - 2);
}

bool IsHeader(std::string_view Body) { return !HeaderName(Body).empty(); }

bool IsAddedGroup(std::string_view Body) { return HeaderName(Body) == AddedAssociationsGroup; }

// Splits "key=value"; false for a line without "=" or a comment.
bool SplitKey(std::string_view Body, std::string_view& Key, std::string_view& Value) {
  const std::size_t Eq = Body.find('=');
  if (Eq == std::string_view::npos || Trim(Body).starts_with('#')) {
    return false;
  }
  Key = Trim(Body.substr(0, Eq));
  Value = Body.substr(Eq + 1);
  return true;
}

// Where Id stands in a ";"-separated list: its offset, or npos.
std::size_t FindListItem(std::string_view List, std::string_view Id) {
  std::size_t At = 0;
  while (At <= List.size()) {
    std::size_t End = List.find(';', At);
    if (End == std::string_view::npos) {
      End = List.size();
    }
    const std::string_view Item = List.substr(At, End - At);
    if (Trim(Item) == Id) {
      return At + Item.find(Id);
    }
    At = End + 1;
  }
  return std::string_view::npos;
}

std::string AppendListItem(std::string_view Value, std::string_view Id) {
  std::string Out(Value);
  const std::string_view T = Trim(Value);
  if (!T.empty() && T.back() != ';') {
    Out += ';';
  }
  Out.append(Id);
  if (T.empty() || T.back() == ';') {
    Out += ';';
  }
  return Out;
}

// The list without Id: its own separator goes with it (the one after it, or before it at the end of the list).
std::string RemoveListItem(std::string_view Value, std::string_view Id) {
  std::string Out(Value);
  for (std::size_t At = FindListItem(Out, Id); At != std::string_view::npos; At = FindListItem(Out, Id)) {
    std::size_t End = At + Id.size();
    if (End < Out.size() && Out[End] == ';') {
      ++End;
    } else if (At > 0 && Out[At - 1] == ';') {
      --At;
    }
    Out.erase(At, End - At);
  }
  return Out;
}

}  // namespace

std::string UserApplicationsFolder() { return XdgHome("XDG_DATA_HOME", ".local/share") + "/applications"; }

std::string UserMimeAppsListPath() { return XdgHome("XDG_CONFIG_HOME", ".config") + "/mimeapps.list"; }

std::string QuoteExecArgument(std::string_view Argument) {
  static constexpr std::string_view Reserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string Doubled;
  for (const char C : Argument) {
    Doubled += C;
    if (C == '%') {
      Doubled += '%';
    }
  }
  if (!Argument.empty() && Argument.find_first_of(Reserved) == std::string_view::npos) {
    return Doubled;
  }
  std::string Out = "\"";
  for (const char C : Doubled) {
    if (C == '"' || C == '`' || C == '$' || C == '\\') {
      Out += '\\';
    }
    Out += C;
  }
  return Out + "\"";
}

std::string EscapeDesktopValue(std::string_view Value) {
  std::string Out;
  for (std::size_t I = 0; I < Value.size(); ++I) {
    switch (Value[I]) {
      case '\\': Out += "\\\\"; break;
      case '\n': Out += "\\n"; break;
      case '\t': Out += "\\t"; break;
      case '\r': Out += "\\r"; break;
      case ' ': Out += I == 0 ? "\\s" : " "; break;
      default: Out += Value[I]; break;
    }
  }
  return Out;
}

std::string FormatApplicationEntry(const TApplicationEntry& Entry) {
  std::string Out = "[Desktop Entry]\nType=Application\n";
  Out += "Name=" + EscapeDesktopValue(Entry.Name) + "\n";
  if (!Entry.Comment.empty()) {
    Out += "Comment=" + EscapeDesktopValue(Entry.Comment) + "\n";
  }
  Out += "Exec=" + EscapeDesktopValue(Entry.Exec) + "\n";
  if (!Entry.MimeTypes.empty()) {
    Out += "MimeType=";
    for (const std::string& Type : Entry.MimeTypes) {
      Out += Type + ";";
    }
    Out += "\n";
  }
  if (!Entry.Actions.empty()) {
    Out += "Actions=";
    for (const TDesktopAction& Action : Entry.Actions) {
      Out += Action.Id + ";";
    }
    Out += "\n";
  }
  for (const TDesktopAction& Action : Entry.Actions) {
    Out += "\n[Desktop Action " + Action.Id + "]\n";
    Out += "Name=" + EscapeDesktopValue(Action.Name) + "\n";
    Out += "Exec=" + EscapeDesktopValue(Action.Exec) + "\n";
  }
  return Out;
}

std::string AddMimeAssociations(std::string_view Text, std::string_view DesktopId,
                                const std::vector<std::string>& Types) {
  std::vector<TLine> Lines = SplitLines(Text);
  std::size_t Header = Lines.size();
  for (std::size_t I = 0; I < Lines.size(); ++I) {
    if (IsAddedGroup(Lines[I].Body)) {
      Header = I;
      break;
    }
  }
  if (Header == Lines.size()) {
    std::string Out(Text);
    if (!Out.empty()) {
      Out += Out.back() == '\n' ? "\n" : "\n\n";
    }
    Out += std::string("[") + AddedAssociationsGroup + "]\n";
    for (const std::string& Type : Types) {
      Out += Type + "=" + std::string(DesktopId) + ";\n";
    }
    return Out;
  }
  // The group's lines run to the next header; new keys go after its last line that is not blank.
  std::size_t End = Header + 1;
  while (End < Lines.size() && !IsHeader(Lines[End].Body)) {
    ++End;
  }
  std::size_t InsertAt = Header + 1;
  std::vector<std::string> Replaced(Lines.size());
  std::vector<bool> IsReplaced(Lines.size(), false);
  std::string Appended;
  for (std::size_t I = Header + 1; I < End; ++I) {
    if (!IsBlank(Lines[I].Body)) {
      InsertAt = I + 1;
    }
  }
  for (const std::string& Type : Types) {
    bool Found = false;
    for (std::size_t I = Header + 1; I < End && !Found; ++I) {
      std::string_view Key, Value;
      const std::string_view Body = IsReplaced[I] ? std::string_view(Replaced[I]) : Lines[I].Body;
      if (!SplitKey(Body, Key, Value) || Key != Type) {
        continue;
      }
      Found = true;
      if (FindListItem(Value, DesktopId) == std::string_view::npos) {
        std::string NewBody =
            std::string(Body.substr(0, Body.size() - Value.size())) + AppendListItem(Value, DesktopId);
        Replaced[I] = std::move(NewBody);
        IsReplaced[I] = true;
      }
    }
    if (!Found) {
      Appended += Type + "=" + std::string(DesktopId) + ";\n";
    }
  }
  std::string Out;
  for (std::size_t I = 0; I < Lines.size(); ++I) {
    if (I == InsertAt) {
      Out += Appended;
    }
    Out += IsReplaced[I] ? std::string_view(Replaced[I]) : Lines[I].Body;
    if (I + 1 == InsertAt && Lines[I].Break.empty() && !Appended.empty()) {
      Out += '\n';  // an unterminated line gets the break the new keys need
    } else {
      Out += Lines[I].Break;
    }
  }
  if (InsertAt == Lines.size()) {
    Out += Appended;
  }
  return Out;
}

std::string RemoveMimeAssociations(std::string_view Text, std::string_view DesktopId) {
  const std::vector<TLine> Lines = SplitLines(Text);
  std::vector<std::string> Kept;  // the lines that stay, each with its break
  bool InGroup = false;
  std::size_t GroupHeader = 0;  // index in Kept of the current group's header
  bool GroupLostLines = false;
  auto CloseGroup = [&] {
    if (!InGroup || !GroupLostLines) {
      return;
    }
    for (std::size_t I = GroupHeader + 1; I < Kept.size(); ++I) {
      if (!IsBlank(Kept[I])) {
        return;
      }
    }
    // Nothing is left of the group: it goes, with the blank line that separated it from what came before.
    Kept.erase(Kept.begin() + static_cast<std::ptrdiff_t>(GroupHeader), Kept.end());
    if (GroupHeader > 0 && IsBlank(Kept.back()) && Kept.back().find('\n') != std::string::npos) {
      Kept.pop_back();
    }
  };
  for (const TLine& Line : Lines) {
    if (IsHeader(Line.Body)) {
      CloseGroup();
      InGroup = IsAddedGroup(Line.Body);
      GroupHeader = Kept.size();
      GroupLostLines = false;
    } else if (InGroup) {
      std::string_view Key, Value;
      if (SplitKey(Line.Body, Key, Value) && FindListItem(Value, DesktopId) != std::string_view::npos) {
        const std::string NewValue = RemoveListItem(Value, DesktopId);
        if (Trim(NewValue).empty()) {
          GroupLostLines = true;
          continue;
        }
        Kept.push_back(std::string(Line.Body.substr(0, Line.Body.size() - Value.size())) + NewValue +
                       std::string(Line.Break));
        continue;
      }
    }
    Kept.push_back(std::string(Line.Body) + std::string(Line.Break));
  }
  CloseGroup();
  std::string Out;
  for (const std::string& L : Kept) {
    Out += L;
  }
  return Out;
}

bool ReadTextFile(const std::string& Path, std::string& Text) {
  const int Fd = open(Path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) {
    return false;
  }
  Text.clear();
  char Buffer[65536];
  for (;;) {
    const ssize_t N = read(Fd, Buffer, sizeof Buffer);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    if (N <= 0) {
      const int Saved = errno;
      close(Fd);
      errno = Saved;
      return N == 0;
    }
    Text.append(Buffer, static_cast<std::size_t>(N));
  }
}

bool WriteTextFileAtomic(const std::string& Path, std::string_view Text) {
  const std::filesystem::path Target(Path);
  std::error_code Ec;
  std::filesystem::create_directories(Target.parent_path(), Ec);
  std::string Temp = Path + ".XXXXXX";
  const int Fd = mkstemp(Temp.data());
  if (Fd < 0) {
    return false;
  }
  bool Ok = true;
  for (std::size_t Done = 0; Ok && Done < Text.size();) {
    const ssize_t N = write(Fd, Text.data() + Done, Text.size() - Done);
    if (N < 0 && errno == EINTR) {
      continue;
    }
    Ok = N > 0;
    Done += N > 0 ? static_cast<std::size_t>(N) : 0;
  }
  // mkstemp makes the file private; a desktop file is read by the desktop like any other user file.
  Ok = Ok && fchmod(Fd, 0644) == 0 && fsync(Fd) == 0;
  const int Saved = errno;
  if (close(Fd) != 0 || !Ok || rename(Temp.c_str(), Path.c_str()) != 0) {
    const int Error = Ok ? errno : Saved;
    unlink(Temp.c_str());
    errno = Error;
    return false;
  }
  return true;
}
