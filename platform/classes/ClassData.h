// Replaceable class data: the published-method list and the class name that design tools swap on a class at run
// time, kept beside the meta classes (which stay as they were made).
#pragma once

#include "platform/classes/TypInfo.h"

#include <memory>
#include <string>
#include <vector>

using TMethodTable = std::vector<std::unique_ptr<TMethodEntry>>;

// The published-method list in use: a replacement when one is set, else the class's own. MethodAddress and
// MethodName search it. The replacement is not owned and must outlive its use; null puts the own list back.
const TMethodTable* GetMethodTable(TClass AClass);
void ReplaceMethodTable(TClass AClass, const TMethodTable* Table);
// The replacement class name (not owned), or the class's own name; null puts the own name back. The meta class's
// ClassName() stays the class's own: the replacement is for the tools that asked for it.
const std::string* GetClassNamePtr(TClass AClass);
void ReplaceClassNamePtr(TClass AClass, const std::string* Name);
