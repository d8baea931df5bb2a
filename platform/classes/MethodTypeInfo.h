// The signatures of method types (events): what code that writes event handlers as source text reads of an
// event's type beside its published type record.
#pragma once

#include "platform/rtl/Types.h"

#include <string>
#include <vector>

// A method type's kind, each parameter's flags, name and type name, and the result type name of a function.
enum TMethodKind {
  mkProcedure,
  mkFunction,
  mkConstructor,
  mkDestructor,
  mkClassProcedure,
  mkClassFunction,
  mkSafeProcedure,
  mkSafeFunction
};
using TParamFlags = Byte;  // a combination of the pf bits below
inline constexpr TParamFlags pfVar = 0x01;
inline constexpr TParamFlags pfConst = 0x02;
inline constexpr TParamFlags pfArray = 0x04;
inline constexpr TParamFlags pfAddress = 0x08;
inline constexpr TParamFlags pfReference = 0x10;
inline constexpr TParamFlags pfOut = 0x20;

struct TParamData {
  TParamFlags Flags = 0;
  std::string ParamName;
  std::string TypeName;
};

struct TTypeData {
  TMethodKind MethodKind = mkProcedure;
  std::vector<TParamData> Params;
  std::string ResultType;  // functions only
  Integer ParamCount() const { return static_cast<Integer>(Params.size()); }
  // Procedures and the other kinds write no result; the function kinds are mkFunction and mkSafeFunction.
  bool IsFunction() const { return MethodKind == mkFunction || MethodKind == mkSafeFunction; }
};
using PTypeData = const TTypeData*;

// The signatures of the class library's common events: (Sender: TObject) and (Sender: TObject; var Key: Char).
PTypeData NotifyEventTypeData();
PTypeData KeyPressEventTypeData();
