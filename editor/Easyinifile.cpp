// The name=value text file.
#include "editor/Easyinifile.h"

#include <sys/stat.h>

Z_IMPLEMENT_CLASS(TEasyIniFile, TObject)

TEasyIniFile::TEasyIniFile(const std::string& AFileName) : FFileName(AFileName), FLines(new TStringList()) {
  struct stat St{};
  if (!FFileName.empty() && ::stat(FFileName.c_str(), &St) == 0 && S_ISREG(St.st_mode)) {
    FLines->LoadFromFile(FFileName);
  }
}

TEasyIniFile::~TEasyIniFile() {
  if (!FSaved) {
    try {
      UpdateFile();
    } catch (...) {
      // A destructor cannot report the failure; UpdateFile does.
    }
  }
}

void TEasyIniFile::UpdateFile() {
  FSaved = true;
  if (!FFileName.empty()) {
    FLines->SaveToFile(FFileName);
  }
}

void TEasyIniFile::WriteString(const std::string& Name, const std::string& Value) {
  const std::string Line = Name + "=" + Value;
  const int Index = FLines->IndexOfName(Name);
  if (Index >= 0) {
    FLines->SetStrings(Index, Line);
  } else {
    FLines->Add(Line);
  }
  FSaved = false;
}

std::string TEasyIniFile::ReadString(const std::string& Name, const std::string& Default) const {
  const int Index = FLines->IndexOfName(Name);
  if (Index < 0) {
    return Default;
  }
  const std::string Line = FLines->Strings(Index);
  const std::size_t Eq = Line.find('=');
  return Eq == std::string::npos ? Default : Line.substr(Eq + 1);
}
