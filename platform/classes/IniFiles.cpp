// TCustomIniFile and TIniFile: the class library's ini file classes over the private profile functions.
#include "platform/classes/IniFiles.h"

#include "platform/classes/StringList.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Profile.h"

Z_IMPLEMENT_CLASS(EIniFileException, Exception)
Z_IMPLEMENT_CLASS(TCustomIniFile, TObject)
Z_IMPLEMENT_CLASS(TIniFile, TCustomIniFile)

bool TCustomIniFile::SectionExists(const std::string& Section) {
  TStringList S;
  ReadSection(Section, &S);
  return S.Count() > 0;
}

LongInt TCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident, LongInt Default) {
  return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident, LongInt Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

bool TCustomIniFile::ValueExists(const std::string& Section, const std::string& Ident) {
  TStringList S;
  ReadSection(Section, &S);
  return S.IndexOf(Ident) > -1;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) {
  std::string Value;
  return ProfileReadValue(FileName(), Section, Ident, Value) ? Value : Default;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) {
  if (!WritePrivateProfileString(Section.c_str(), Ident.c_str(), Value.c_str(), FileName().c_str())) {
    throw EIniFileException(Format(IniFileConsts::SIniFileWriteError, {FileName()}));
  }
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const std::string& Name : ProfileKeyNames(FileName(), Section)) {
    Strings->Add(Name);
  }
  Strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const std::string& Name : ProfileSectionNames(FileName())) {
    Strings->Add(Name);
  }
  Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const std::string& Name : ProfileKeyNames(FileName(), Section)) {
    Strings->Add(Name + "=" + ReadString(Section, Name, ""));
  }
  Strings->EndUpdate();
}

void TIniFile::EraseSection(const std::string& Section) {
  if (!WritePrivateProfileString(Section.c_str(), nullptr, nullptr, FileName().c_str())) {
    throw EIniFileException(Format(IniFileConsts::SIniFileWriteError, {FileName()}));
  }
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
  WritePrivateProfileString(Section.c_str(), Ident.c_str(), nullptr, FileName().c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileString(nullptr, nullptr, nullptr, FileName().c_str()); }
