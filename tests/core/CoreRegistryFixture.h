// A fresh, private registry for each test of the core's registry users.
#pragma once

#include "platform/win/RegistryStore.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class CoreRegistryTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubcore-registry"};
  void SetUp() override {
    Dir = Temp.Path();
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }
  void TearDown() override {
    RegistryResetForTests();
  }

  std::string Dir;
};
