// TCustomIniFile and TIniFile: the class library's ini file classes over the private profile functions.
#pragma once

#include "platform/rtl/Exceptions.h"

#include <string>

class TStrings;

Z_EXCEPTION(EIniFileException, Exception)

namespace IniFileConsts {
inline constexpr const char* SIniFileWriteError = "Unable to write to %s";
}

// The abstract ini file: sections of Ident=Value entries. Numbers and booleans are stored as text.
class TCustomIniFile : public TObject {
  Z_CLASS(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(const std::string& FileName) : FFileName(FileName) {}
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;

  const std::string& FileName() const { return FFileName; }
  // True when the section has at least one entry (an empty section counts as missing, as in the class library).
  bool SectionExists(const std::string& Section);
  virtual std::string ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) = 0;
  virtual void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) = 0;
  // Decimal, or hexadecimal with "$" or "0x"; Default when the entry is missing or not a number.
  virtual LongInt ReadInteger(const std::string& Section, const std::string& Ident, LongInt Default);
  virtual void WriteInteger(const std::string& Section, const std::string& Ident, LongInt Value);
  // A number other than 0 is true; Default when the entry is missing or not a number.
  virtual bool ReadBool(const std::string& Section, const std::string& Ident, bool Default);
  virtual void WriteBool(const std::string& Section, const std::string& Ident, bool Value);  // "1" / "0"
  virtual void ReadSection(const std::string& Section, TStrings* Strings) = 0;        // the idents
  virtual void ReadSections(TStrings* Strings) = 0;
  virtual void ReadSectionValues(const std::string& Section, TStrings* Strings) = 0;  // "Ident=Value" lines
  virtual void EraseSection(const std::string& Section) = 0;
  virtual void DeleteKey(const std::string& Section, const std::string& Ident) = 0;
  virtual void UpdateFile() = 0;
  virtual bool ValueExists(const std::string& Section, const std::string& Ident);

private:
  std::string FFileName;
};

// An ini file on disk, read and written through the private profile functions: every write reaches the file at
// once (UpdateFile has nothing left to do). A file name without '/' names a file in the user's configuration
// folder. Values are read whole, whatever their length. A write that fails raises EIniFileException
// "Unable to write to <file>".
class TIniFile : public TCustomIniFile {
  Z_CLASS(TIniFile, TCustomIniFile)
public:
  using TCustomIniFile::TCustomIniFile;

  std::string ReadString(const std::string& Section, const std::string& Ident, const std::string& Default) override;
  void WriteString(const std::string& Section, const std::string& Ident, const std::string& Value) override;
  void ReadSection(const std::string& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const std::string& Section, TStrings* Strings) override;
  void EraseSection(const std::string& Section) override;
  void DeleteKey(const std::string& Section, const std::string& Ident) override;
  void UpdateFile() override;
};
