// A fixture home folder for shell tests: HOME and the XDG folders point into a temporary folder while it lives.
#pragma once

#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace ShellTest {

class THome {
public:
  THome() {
    setenv("HOME", Folder.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (Folder / ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Folder / ".config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (Folder / ".cache").c_str(), 1);
  }
  const std::string& Path() const { return Folder.Path(); }
  std::string operator/(const std::string& Name) const { return Folder / Name; }
  void MakeDir(const std::string& Name) const { mkdir((Folder / Name).c_str(), 0700); }
  void MakeFile(const std::string& Name, const std::string& Text = "x") const { std::ofstream(Folder / Name) << Text; }

private:
  TestSupport::TTempFolder Folder{"zubq-shellhome"};
};

}  // namespace ShellTest
