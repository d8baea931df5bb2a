// The start-up code's table of unit initialisations: each unit that does work at start-up registers an order
// key with its initialisation and finalisation; InitializeUnits runs them in key order, FinalizeUnits in reverse.
#pragma once

#include <string>

// Order keys of the registered units, in the sequence the start-up code runs them. Gaps leave room for
// units between them.
namespace UnitOrder {
inline constexpr int SuiteConstants = 1000;
inline constexpr int Videroriz = 1010;
inline constexpr int Zizudo = 1020;
inline constexpr int Vivaridiriz = 1030;
inline constexpr int Dcapi = 1040;
inline constexpr int Dorazori = 1050;
inline constexpr int Dccommon = 1060;
inline constexpr int CodeEditorUnits = 2000;  // the code editor library's units take keys from here on
inline constexpr int Zodir = 9000;            // the suite's application object, last
}  // namespace UnitOrder

using TUnitProc = void (*)();

// Registers a unit (normally from a static registrar in the unit's source). A unit registered twice under
// the same name is kept once. Registering after InitializeUnits has run initialises the unit at once.
void RegisterUnit(int OrderKey, const char* Name, TUnitProc Init, TUnitProc Fini);

// Runs every registered initialisation once, in order key order (registration order for equal keys).
// Later calls do nothing until FinalizeUnits has run.
void InitializeUnits();
// Runs the finalisations of the initialised units in the reverse order, once.
void FinalizeUnits();
bool UnitsInitialized();

// Declares a registrar in a unit's source: Z_REGISTER_UNIT(UnitOrder::Zizudo, "Zizudo", &Init, &Fini).
#define Z_REGISTER_UNIT(Key, Name, Init, Fini)                                                      \
  namespace {                                                                                       \
  [[maybe_unused]] const bool UnitRegistered = (RegisterUnit((Key), (Name), (Init), (Fini)), true); \
  }
