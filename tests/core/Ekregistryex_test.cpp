// Tests of EkRegistryEx (read-or-create, the default user's fallback, conversions) and the plain registry calls.
#include "core/Ekregistryex.h"

#include "CoreRegistryFixture.h"

#include <cstring>

namespace {

const char* const Key = "Software\\Palvane\\ZUB Quillon v4\\Test";

class EkRegistryExTest : public CoreRegistryTest {};

TEST_F(EkRegistryExTest, MissingIntegerIsWrittenBackWithItsDefault) {
  EkRegistryEx Reg(EKREG_USE_FALLBACK);
  ASSERT_EQ(Reg.OpenKeyEx(Key, true), 1);
  int Value = 5;
  EXPECT_EQ(Reg.ReadIntegerEx("Count", Value), 1);
  EXPECT_EQ(Value, 5);
  EXPECT_EQ(Reg.ReadInteger("Count"), 5);
  int Flag = 3;  // flags are read and written back as booleans
  EXPECT_EQ(Reg.ReadBoolEx("On", Flag), 1);
  EXPECT_TRUE(Reg.ReadBool("On"));
}

TEST_F(EkRegistryExTest, DefaultUserValueIsReadAndCopiedToTheCurrentUser) {
  {
    TRegistry Default;
    Default.SetRootKey(HKEY_USERS);
    ASSERT_TRUE(Default.OpenKey(std::string("\\.DEFAULT\\") + Key, true));
    Default.WriteInteger("Count", 7);
    Default.WriteInteger("OnlyDefault", 8);
    Default.WriteString("Name", "fallback text");
  }
  EkRegistryEx Reg(EKREG_USE_FALLBACK);
  ASSERT_EQ(Reg.OpenKeyEx(Key, true), 1);
  int Value = 5;
  Reg.ReadIntegerEx("Count", Value);
  EXPECT_EQ(Value, 7);
  StrStore Name("default");
  EXPECT_EQ(Reg.ReadStrStoreEx("Name", Name, EKREG_WRITE_BACK), 1);
  EXPECT_STREQ(Name.text, "fallback text");

  TRegistry User;
  ASSERT_TRUE(User.OpenKeyReadOnly(Key));
  EXPECT_EQ(User.ReadInteger("Count"), 7);
  EXPECT_EQ(User.ReadString("Name"), "fallback text");

  // A key opened relative to the one open before falls back to the same key of the default user.
  EkRegistryEx Relative(EKREG_USE_FALLBACK);
  ASSERT_EQ(Relative.OpenKeyEx("Software\\Palvane", true), 1);
  ASSERT_EQ(Relative.OpenKeyEx("ZUB Quillon v4\\Test", true), 1);
  int Other = 0;
  Relative.ReadIntegerEx("OnlyDefault", Other);
  EXPECT_EQ(Other, 8);

  EkRegistryEx NoFallback(0);
  ASSERT_EQ(NoFallback.OpenKeyEx("Software\\Other", true), 1);
  Value = 5;
  NoFallback.ReadIntegerEx("Count", Value);
  EXPECT_EQ(Value, 5);
}

TEST_F(EkRegistryExTest, IntegersStoredAsTextAndBadValues) {
  {
    TRegistry Setup;
    ASSERT_TRUE(Setup.OpenKey(Key, true));
    Setup.WriteString("Text12", "12");
    Setup.WriteString("TextX", "x");
    Setup.WriteString("Flag", "0");
    Setup.WriteBinaryData("Blob", "ab", 2);
  }
  EkRegistryEx Reg(0);
  ASSERT_EQ(Reg.OpenKeyEx(Key, true), 1);
  struct TCase {
    const char* Name;
    int Expected;
  } Cases[] = {{"Text12", 12}, {"TextX", 99}, {"Blob", 99}};
  for (const TCase& C : Cases) {
    int Value = 99;
    EXPECT_EQ(Reg.ReadIntegerEx(C.Name, Value), 1) << C.Name;
    EXPECT_EQ(Value, C.Expected) << C.Name;
  }
  int Flag = 1;
  Reg.ReadBoolEx("Flag", Flag);
  EXPECT_EQ(Flag, 0);
  EXPECT_EQ(Reg.ReadString("TextX"), "x");  // a bad value is left as it is, not overwritten
}

TEST_F(EkRegistryExTest, StringReadsAndTheirWriteBack) {
  EkRegistryEx Reg(0);
  ASSERT_EQ(Reg.OpenKeyEx(Key, true), 1);
  StrStore Empty("");
  EXPECT_EQ(Reg.ReadStrStoreEx("Skipped", Empty, EKREG_WRITE_BACK | EKREG_SKIP_EMPTY), 1);
  EXPECT_FALSE(Reg.ValueExists("Skipped"));
  EXPECT_EQ(Reg.ReadStrStoreEx("NotWritten", Empty, 0), 1);
  EXPECT_FALSE(Reg.ValueExists("NotWritten"));
  ASSERT_TRUE(Reg.WriteStringEx("Blank", ""));
  StrStore Value("default");
  Reg.ReadStrStoreEx("Blank", Value, EKREG_WRITE_BACK);
  EXPECT_EQ(Value.length, 0);  // an empty value is a value

  char Buffer[5] = "abc";
  ASSERT_TRUE(Reg.WriteStringEx("Long", "0123456789"));
  EXPECT_EQ(Reg.ReadStringEx("Long", Buffer, sizeof Buffer, 0), 1);
  EXPECT_STREQ(Buffer, "0123");
  std::strcpy(Buffer, "dft");
  EXPECT_EQ(Reg.ReadStringEx("Missing", Buffer, sizeof Buffer, EKREG_WRITE_BACK), 1);
  EXPECT_EQ(Reg.ReadString("Missing"), "dft");
  EXPECT_TRUE(Reg.WriteIntegerAsStringEx("AsText", -3));
  EXPECT_EQ(Reg.ReadString("AsText"), "-3");
}

TEST_F(EkRegistryExTest, KeyThatCannotBeWritten) {
  RegistrySetReadOnly(HKEY_CURRENT_USER, true);
  EkRegistryEx Reg(EKREG_USE_FALLBACK);
  EXPECT_EQ(Reg.OpenKeyEx(Key, true), 1);  // could not be created, still 1
  int Value = 5;
  EXPECT_EQ(Reg.ReadIntegerEx("Count", Value), 1);
  EXPECT_EQ(Value, 5);
  StrStore Name("x");
  EXPECT_EQ(Reg.ReadStrStoreEx("Name", Name, EKREG_WRITE_BACK), 0);
  EXPECT_STREQ(Name.text, "x");
  EXPECT_FALSE(Reg.WriteIntegerEx("Count", 1));
  EXPECT_FALSE(Reg.DeleteValueEx("Count"));
  RegistrySetReadOnly(HKEY_CURRENT_USER, false);
}

TEST_F(EkRegistryExTest, PlainRegistryCalls) {
  const char* Path = "Software\\Classes\\.zubtest";
  int Number = 42;
  EXPECT_EQ(ReadRegistryInteger("Level", Number, 0, HKEY_CURRENT_USER, Path), 0);
  EXPECT_EQ(ReadRegistryInteger("Level", Number, 1, HKEY_CURRENT_USER, Path), 1);
  EXPECT_EQ(Number, 42);
  EXPECT_EQ(WriteRegistryInteger("Level", -7, HKEY_CURRENT_USER, Path), 1);
  EXPECT_EQ(ReadRegistryInteger("Level", Number, 1, HKEY_CURRENT_USER, Path), 1);
  EXPECT_EQ(Number, -7);

  StrStore Text("default");
  EXPECT_EQ(ReadRegistryString("", Text, 1, HKEY_CURRENT_USER, Path), 1);
  EXPECT_STREQ(Text.text, "default");
  std::unique_ptr<char[]> Raw = ReadRegistryValue("", nullptr, HKEY_CURRENT_USER, Path, 0, 0);
  ASSERT_NE(Raw, nullptr);
  EXPECT_STREQ(Raw.get(), "default");
  EXPECT_EQ(ReadRegistryValue("Missing", "d", HKEY_CURRENT_USER, Path, 1, 1), nullptr);  // noWrite

  EXPECT_EQ(WriteRegistryValue(nullptr, nullptr, HKEY_CURRENT_USER, "Software\\Classes\\.zubtest\\sub", REG_SZ, 0),
            1);
  EXPECT_EQ(DeleteRegistryKey(HKEY_CURRENT_USER, Path), 0);  // it has a sub key
  EXPECT_EQ(DeleteRegistryKey(HKEY_CURRENT_USER, "Software\\Classes\\.zubtest\\sub"), 1);
  EXPECT_EQ(DeleteRegistryKey(HKEY_CURRENT_USER, Path), 1);
  EXPECT_EQ(DeleteRegistryKey(HKEY_CURRENT_USER, Path), 1);  // gone already
  HKEY H = 0;
  EXPECT_NE(RegOpenKeyEx(HKEY_CURRENT_USER, Path, 0, KEY_READ, &H), ERROR_SUCCESS);
}

}  // namespace
