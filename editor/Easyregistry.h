// The component's registry helpers: one process-wide registry object and single values or binary streams
// under a key path below the current user's root.
#pragma once

#include "platform/rtl/Variants.h"

#include <string>

class TRegistry;
class TMemoryStream;

// The component's registry base path under HKEY_CURRENT_USER, ending with a backslash.
const std::string& DefaultKey();
// The process-wide registry object (root HKEY_CURRENT_USER), created on first use.
TRegistry* GetRegistry();

// Reads a value with the reader that matches the default's type; the default when the name is empty, the
// key cannot be opened or the value is missing. Raises "Unknown Registry Type" for another type.
Variant ReadVarFromRegistry(const std::string& KeyPath, const std::string& ValueName, const Variant& Default);
// Writes a value by its type (integers, floats, currency, dates, strings, booleans), creating the key.
// Nothing for an empty name; "Unknown Registry Type" for another type.
void WriteVarToRegistry(const std::string& KeyPath, const std::string& ValueName, const Variant& Value);
// A new memory stream owned by the caller with a binary value, or null.
TMemoryStream* ReadStreamFromRegistry(const std::string& KeyPath, const std::string& ValueName);
void WriteStreamToRegistry(const std::string& KeyPath, const std::string& ValueName, TMemoryStream* Stream);
