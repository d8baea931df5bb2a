// What the class library keeps about meta classes is forgotten when a meta class goes away (the library that
// defines its class is unloaded).
#pragma once

#include "platform/rtl/System.h"

// Called from the meta class's destructor; one hook for the process (null: none).
using TMetaClassGoneHook = void (*)(TClass Gone);
void SetMetaClassGoneHook(TMetaClassGoneHook Hook);
