// The load hook of the shell controls' texts.
#include "shell/Uptshconsts.h"

std::string PTLoadStr(const std::string& S) { return S; }
