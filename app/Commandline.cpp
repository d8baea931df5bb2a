// Building the program's command line from its arguments.
#include "app/Commandline.h"

#include <cctype>
#include <filesystem>

namespace {

bool StartsNoCase(const std::string& S, const char* Prefix) {
  std::size_t I = 0;
  for (; Prefix[I] != 0; ++I) {
    if (I >= S.size() || std::tolower(static_cast<unsigned char>(S[I])) != Prefix[I]) {
      return false;
    }
  }
  return true;
}

bool IsWebAddress(const std::string& S) { return StartsNoCase(S, "http://") || StartsNoCase(S, "https://"); }

// A character the command words cannot carry: the quote that groups words, and white space that splits a word
// even inside quotes.
bool Uncarriable(char C) { return C == '"' || (C >= '\t' && C <= '\r'); }

std::string Absolute(const std::string& Name, const std::string& WorkingFolder) {
  if (!Name.empty() && Name[0] == '/') {
    return std::filesystem::path(Name).lexically_normal().string();
  }
  return (std::filesystem::path(WorkingFolder) / Name).lexically_normal().string();
}

}  // namespace

int BuildCommandLine(const std::vector<std::string>& Arguments, const std::string& WorkingFolder, std::string& Line,
                     std::string& Error) {
  Line.clear();
  Error.clear();
  for (const std::string& Argument : Arguments) {
    if (Argument.empty()) {
      continue;
    }
    bool Carriable = true;
    for (char C : Argument) {
      Carriable = Carriable && !Uncarriable(C);
    }
    if (!Carriable) {
      Error += (Error.empty() ? "" : "\n") + Argument;
      continue;
    }
    std::string Word = Argument[0] == '-' || IsWebAddress(Argument) ? Argument : Absolute(Argument, WorkingFolder);
    if (Word.find(' ') != std::string::npos) {
      Word = "\"" + Word + "\"";
    }
    Line += (Line.empty() ? "" : " ") + Word;
  }
  if (Error.empty()) {
    return COMMANDLINE_BUILT;
  }
  Error =
      "These arguments hold a double quote, a tab or a line break, which a command line cannot pass on; they "
      "were left out:\n" +
      Error;
  return COMMANDLINE_ARGUMENTS_LEFT_OUT;
}
