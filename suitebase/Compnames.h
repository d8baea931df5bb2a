// Naming components, listing the components a property may refer to, redirecting the global component lookup
// while streams are read, design positions, resource type names and the catalogue of text-style sets.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/WinTypes.h"

#include <functional>
#include <string>

namespace Dorazori {

// The design position kept in DesignInfo: X in the low 16 bits, Y in the high 16 bits (each cut to 16 bits).
TPoint GetComponentTopLeft(TComponent* Component);
void SetComponentTopLeft(TComponent* Component, const TPoint& P);

// The name path of a persistent object; "" for none.
std::string GetCompName(TPersistent* Instance);
// When set, BuildCompName gives its answer instead.
using TBuildCompNameFunc = std::function<std::string(TPersistent* Instance, const std::string& Name)>;
extern TBuildCompNameFunc BuildCompNameFunc;
// Name (or GetCompName when empty) + ": " + the class name; "" for none or when no name can be found.
std::string BuildCompName(TPersistent* Instance, const std::string& Name);
// "Button_12" gives "Button"; names without "_" and digits at the end, or shorter than 3, stay.
std::string GetOriginalComponentName(const std::string& Name);
// "Form1.Button1.Caption" gives "Button1".
std::string ExtractControlName(const std::string& S);
// True when neither Owner nor any owner above it owns a component called Name (ASCII case ignored).
bool NameIsUnique(TComponent* Owner, const std::string& Name);
// BaseName + 1, 2, ... : the first unique for Owner; BaseName + "1" without an owner.
std::string UniqueName(TComponent* Owner, const std::string& BaseName);
// "" while no global lookup is installed; else BaseName, or "BaseName_n" for the first n no global
// component has.
std::string FindUniqueName(const std::string& BaseName);

// Calls Proc with the name of every named component of Owner whose class descends from TypeData's class
// (a class property's type), "Owner." in front when Owner is not Root.
using TGetStrProc = std::function<void(const std::string& S)>;
void CompNamesToProc(TComponent* Owner, TComponent* Root, PTypeInfo TypeData, const TGetStrProc& Proc);
void CompListNamesToProc(TList* Owners, TComponent* Root, PTypeInfo TypeData, const TGetStrProc& Proc);

// Answers the global component lookup while set; false when one is set already. The first call puts a
// forwarder in front of the layer's lookup, which answers with Proc while set and else with the lookup it
// replaced.
using TFindComponentProc = std::function<TComponent*(const std::string& Name)>;
bool SetFindGlobalCompProc(const TFindComponentProc& Proc);
void RemoveFindGlobalCompProc();

// Resource type and name texts. Identifiers (values up to 0xFFFF) give the predefined type's name without its
// prefix ("" for an unnamed one) or the number as text; anything else is a zero-terminated string.
std::string StringFromRType(LPCSTR P);
std::string StringFromRName(LPCSTR P);

// Text-style sets registered in the class parameter registry.
inline constexpr const char* TextStylesClassID = "TextStylesClass.ID";
inline constexpr const char* TextStylesClassInitName = "TextStylesClass.InitName";
void EnumTextStylesSets(const TGetStrProc& Proc);
void FreeTextStylesSets();

}  // namespace Dorazori
