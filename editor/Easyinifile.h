// A name=value text file held as lines, as the component's settings file uses it.
#pragma once

#include "platform/classes/StringList.h"

#include <memory>
#include <string>

// The lines are loaded at construction when the file exists. UpdateFile writes them back; the destructor
// does so too when it has not been done, swallowing errors (call UpdateFile to see them).
class TEasyIniFile : public TObject {
  Z_CLASS(TEasyIniFile, TObject)
public:
  explicit TEasyIniFile(const std::string& AFileName);
  ~TEasyIniFile() override;
  TEasyIniFile(const TEasyIniFile&) = delete;
  TEasyIniFile& operator=(const TEasyIniFile&) = delete;

  // Replaces the line of that name (found without regard to case) or appends one.
  void WriteString(const std::string& Name, const std::string& Value);
  // The text after the first "=" of the line of that name, or Default.
  std::string ReadString(const std::string& Name, const std::string& Default) const;
  void UpdateFile();
  const std::string& FileName() const { return FFileName; }
  TStringList* Lines() const { return FLines.get(); }

private:
  std::string FFileName;
  std::unique_ptr<TStringList> FLines;
  bool FSaved = false;
};
