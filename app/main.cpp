// ZUB Quillon's entry point: the arguments become one command line for the program's main function.
#include "app/Commandline.h"
#include "app/Htmlquick.h"

#include "platform/rtl/UnitInit.h"
#include "platform/win/MessageBox.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
  // The units' initialisations run before the main body and their finalisations after it.
  InitializeUnits();
  std::vector<std::string> Arguments(argv + 1, argv + argc);
  std::error_code Error;
  const std::filesystem::path Current = std::filesystem::current_path(Error);
  // A working folder that is gone: names are read from the root rather than not at all.
  const std::string WorkingFolder = Error || Current.empty() ? std::string(1, '/') : Current.string();
  std::string Line, LeftOut;
  if (BuildCommandLine(Arguments, WorkingFolder, Line, LeftOut) != COMMANDLINE_BUILT) {
    MessageBox(0, LeftOut.c_str(), "Quillon: Command Line", MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
  }
  const int ExitCode = WinMain(0, 0, Line.c_str(), 1);
  FinalizeUnits();
  return ExitCode;
}
