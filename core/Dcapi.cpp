// The folder-exists test of the program's shell helpers.
#include "core/Dcapi.h"

#include "core/Zodir.h"

namespace Dcapi {

bool DirectoryExists(const std::string& Path) { return Zodir::DirectoryExists(Path); }

}  // namespace Dcapi
