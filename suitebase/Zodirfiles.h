// The suite's file routines for designers: quoting paths with blanks, and converting layout files whose stored
// properties no longer exist (a backup is kept and the file rewritten without them).
#pragma once

#include "platform/classes/Classes.h"

#include <string>

namespace Zodir {

// Path in double quotes when it holds a blank, else Path.
std::string DCEnsureLongPathIsOk(const std::string& Path);
// The same for each element of a ";"-separated list.
std::string DCEnsureLongPathsAreOk(const std::string& Paths);
// Reads every layout file of Path (a folder, or a ".dfm" file or mask) as a form; one that reads with errors is
// moved to its backup name (".~df") and written again from what was read, and "Form <name> converted" is logged.
// A clean file is left as it is. Recursive also converts the subfolders whose names do not begin with ".".
void CorrectFormFiles(const std::string& Path, bool Recursive);
// The top owners (forms, data modules) of the objects that Component and its components refer to through
// published object properties, Component's own first, then its components from the last; entries may repeat.
void GetUsedModules(TComponent* Component, TList* List);

}  // namespace Zodir
