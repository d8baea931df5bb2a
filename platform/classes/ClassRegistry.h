// The class registry (classes found by name when components are read) and the tables that map integer
// constants to identifiers in component streams (clRed for a colour property).
#pragma once

#include "platform/rtl/System.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

struct TTypeInfo;

// Registers the class and its ancestors up to (not including) TPersistent under their class names.
// Registering a class again does nothing; another class under a registered name raises EFilerError
// "A class named %s already exists". All registry functions are safe from any thread.
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
// Registers AClass under another name as well (old names kept readable after a rename).
void RegisterClassAlias(TClass AClass, std::string_view Alias);
// Removes every name under which AClass is registered.
void UnRegisterClass(TClass AClass);
void UnRegisterClasses(std::initializer_list<TClass> AClasses);
// The class registered under the name (ASCII case ignored): GetClass returns null when there is none,
// FindClass raises EClassNotFound "Class %s not found".
TClass GetClass(std::string_view AClassName);
TClass FindClass(std::string_view AClassName);

// Identifier <-> integer mappings for one integer type (a colour type writes clRed instead of 255).
struct TIdentMapEntry {
  int Value;
  const char* Name;
};
using TIdentToInt = bool (*)(const std::string& Ident, int& Int);
using TIntToIdent = bool (*)(int Int, std::string& Ident);
void RegisterIntegerConsts(const TTypeInfo* IntegerType, TIdentToInt IdentToIntFn, TIntToIdent IntToIdentFn);
void UnregisterIntegerConsts(const TTypeInfo* IntegerType);
TIdentToInt FindIdentToInt(const TTypeInfo* IntegerType);  // null when the type has none
TIntToIdent FindIntToIdent(const TTypeInfo* IntegerType);
// Helpers for writing the two functions over a table (names compared ignoring ASCII case).
bool IdentToInt(const std::string& Ident, int& Int, const TIdentMapEntry* Map, int Count);
bool IntToIdent(int Int, std::string& Ident, const TIdentMapEntry* Map, int Count);
