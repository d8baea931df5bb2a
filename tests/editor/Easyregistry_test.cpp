// Tests of the component's registry value and stream helpers.
#include "editor/Easyregistry.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {
// Every test of this program runs on a registry of its own, removed when the program ends.
struct TPrivateRegistry {
  TPrivateRegistry() {
    Dir = std::filesystem::temp_directory_path() / ("easyregistry_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    ::setenv("ZUBQ_REGISTRY_DIR", Dir.c_str(), 1);
  }
  ~TPrivateRegistry() {
    std::error_code Ignored;
    std::filesystem::remove_all(Dir, Ignored);
  }
  TPrivateRegistry(const TPrivateRegistry&) = delete;
  TPrivateRegistry& operator=(const TPrivateRegistry&) = delete;
  std::filesystem::path Dir;
};
const TPrivateRegistry PrivateRegistry;
const std::string Key = "Software\\Palvane\\EasyEditor\\Test";
}  // namespace

TEST(EasyRegistry, ValuesRoundTripByTheirType) {
  WriteVarToRegistry(Key, "Int", Variant(42));
  WriteVarToRegistry(Key, "Str", Variant(std::string("text")));
  WriteVarToRegistry(Key, "Bool", Variant(true));
  WriteVarToRegistry(Key, "Float", Variant(2.5));
  EXPECT_EQ(ReadVarFromRegistry(Key, "Int", Variant(0)).AsInteger(), 42);
  EXPECT_EQ(ReadVarFromRegistry(Key, "Str", Variant(std::string())).AsString(), "text");
  EXPECT_TRUE(ReadVarFromRegistry(Key, "Bool", Variant(false)).AsBoolean());
  EXPECT_DOUBLE_EQ(ReadVarFromRegistry(Key, "Float", Variant(0.0)).AsDouble(), 2.5);
}

TEST(EasyRegistry, MissingValuesAndEmptyNamesGiveTheDefault) {
  EXPECT_EQ(ReadVarFromRegistry(Key, "Missing", Variant(7)).AsInteger(), 7);
  EXPECT_EQ(ReadVarFromRegistry(Key + "\\Nowhere", "Int", Variant(8)).AsInteger(), 8);
  WriteVarToRegistry(Key, "", Variant(1));
  EXPECT_EQ(ReadVarFromRegistry(Key, "", Variant(9)).AsInteger(), 9);
  try {
    WriteVarToRegistry(Key, "Null", Variant());
    ADD_FAILURE();
  } catch (const Exception& E) {
    EXPECT_EQ(E.Message(), "Unknown Registry Type");
  }
}

TEST(EasyRegistry, StreamsRoundTripAsBinaryValues) {
  TMemoryStream Out;
  Out.WriteBuffer("\x00\x01\x02zz", 5);
  WriteStreamToRegistry(Key, "Blob", &Out);
  std::unique_ptr<TMemoryStream> In(ReadStreamFromRegistry(Key, "Blob"));
  ASSERT_NE(In, nullptr);
  ASSERT_EQ(In->Size(), 5);
  EXPECT_EQ(std::string(static_cast<const char*>(In->Memory()), 5), std::string("\x00\x01\x02zz", 5));
  EXPECT_EQ(ReadStreamFromRegistry(Key, "NoBlob"), nullptr);
}
