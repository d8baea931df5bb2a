// Placeholder until the string helpers land.
#include "platform/rtl/SysUtils.h"
std::string Format(std::string_view Fmt, TVarRecList) { return std::string(Fmt); }
