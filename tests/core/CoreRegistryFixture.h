// A fresh, private registry for each test of the core's registry users.
#pragma once

#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class CoreRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Template[] = "/tmp/zubcore-registry-XXXXXX";
    ASSERT_NE(mkdtemp(Template), nullptr);
    Dir = Template;
    setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }
  void TearDown() override {
    RegistryResetForTests();
    std::filesystem::remove_all(Dir);
  }

  std::string Dir;
};
