// The signatures of the class library's common events.
#include "platform/classes/MethodTypeInfo.h"

PTypeData NotifyEventTypeData() {
  static const TTypeData Data{mkProcedure, {{0, "Sender", "TObject"}}, ""};
  return &Data;
}

PTypeData KeyPressEventTypeData() {
  static const TTypeData Data{mkProcedure, {{0, "Sender", "TObject"}, {pfVar, "Key", "Char"}}, ""};
  return &Data;
}
