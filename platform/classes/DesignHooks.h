// The class library's component-registration hooks and the design package group number: procedure variables that
// a design environment fills; empty (and group -1) in a running program.
#pragma once

#include "platform/rtl/System.h"

#include <string>
#include <vector>

using TComponentClassList = std::vector<TClass>;
using TRegisterComponentsProc = void (*)(const std::string& Page, const TComponentClassList& ComponentClasses);
using TRegisterNoIconProc = void (*)(const TComponentClassList& ComponentClasses);
using TRegisterNonActiveXProc = void (*)(const TComponentClassList& ComponentClasses, int AxRegType);

extern TRegisterComponentsProc RegisterComponentsProc;
extern TRegisterNoIconProc RegisterNoIconProc;
extern TRegisterNonActiveXProc RegisterNonActiveXProc;
// The design package group being loaded (-1: none).
extern int CurrentGroup;

// Hand the classes to the installed procedure; nothing when none is installed.
void RegisterComponents(const std::string& Page, const TComponentClassList& ComponentClasses);
void RegisterNoIcon(const TComponentClassList& ComponentClasses);
void RegisterNonActiveX(const TComponentClassList& ComponentClasses, int AxRegType);
