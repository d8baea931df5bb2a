// A test environment that runs the registered unit initialisations before the first test and their
// finalisations after the last, as the program's start-up code does around its main body.
#pragma once

#include "platform/rtl/UnitInit.h"

#include <gtest/gtest.h>

namespace TestSupport {
class TUnitsEnvironment : public ::testing::Environment {
public:
  void SetUp() override { InitializeUnits(); }
  void TearDown() override { FinalizeUnits(); }
};

// Registered once per test program by including this header.
inline ::testing::Environment* const UnitsEnvironment = ::testing::AddGlobalTestEnvironment(new TUnitsEnvironment);
}  // namespace TestSupport
