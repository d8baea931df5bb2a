// The names of the class library's colours, listed in its own order.
#pragma once

#include <functional>
#include <string>

// Calls Proc with the identifier of every named colour ("clBlack" ...), in the table's order.
void GetColorValues(const std::function<void(const std::string& S)>& Proc);
