// The folder-exists test of the program's shell helpers.
#pragma once

#include <string>

namespace Dcapi {

// True when the path's attributes can be read and include the directory bit (the same test as Zodir's).
bool DirectoryExists(const std::string& Path);

}  // namespace Dcapi
