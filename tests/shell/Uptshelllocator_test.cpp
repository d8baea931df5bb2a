// The shell locator: special folders and id lists, change notices, equality, and its stored "Pidl" property.
#include "shell/Uptshelllocator.h"

#include "platform/classes/Streams.h"
#include "platform/rtl/Exceptions.h"
#include "tests/shell/ShellTestHome.h"

#include <gtest/gtest.h>

namespace {

TEST(Uptshelllocator, ChangesFireOnlyWhenTheValueChanges) {
  ShellTest::THome Home;
  Home.MakeDir("Documents");
  TPTShellLocator L;
  int Changes = 0;
  L.OnChange = [&](TObject*) { ++Changes; };
  L.SetCSIDL(csidlPersonal);
  L.SetCSIDL(csidlPersonal);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(L.GetPathName(), Home / "Documents");
  LPITEMIDLIST Same = CopyIdList(nullptr, L.GetIdList());
  L.SetIdList(Same);  // the kind changes from special folder to id list
  EXPECT_EQ(Changes, 2);
  L.SetIdList(Same);
  EXPECT_EQ(Changes, 2);
  L.SetPathName(Home / "missing");  // cannot be parsed: the desktop
  EXPECT_EQ(L.GetIdList(), nullptr);
  EXPECT_EQ(Changes, 3);
  L.Clear();
  EXPECT_EQ(Changes, 3);
  TPTShellLocator Other;
  Other.SetIdList(Same);
  L.Assign(&Other);
  EXPECT_TRUE(L.IsEqual(&Other));
  EXPECT_EQ(Changes, 4);
  L.Assign(&Other);
  EXPECT_EQ(Changes, 4);
  ShellMemFree(Same);
}

std::string Stored(TPTShellLocator& L) {
  TMemoryStream S;
  L.WritePidl(&S);
  return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

void Load(TPTShellLocator& L, const std::string& Bytes) {
  TMemoryStream S;
  S.WriteBuffer(Bytes.data(), static_cast<LongInt>(Bytes.size()));
  S.SetPosition(0);
  L.ReadPidl(&S);
}

TEST(Uptshelllocator, ThePidlPropertyRoundTripsAndRejectsBadBytes) {
  ShellTest::THome Home;
  Home.MakeDir("a");
  TPTShellLocator L, Back;
  L.SetCSIDL(csidlDrives);
  EXPECT_EQ(Stored(L), std::string("\x01\x11", 2));
  Load(Back, Stored(L));
  EXPECT_EQ(Back.GetCSIDL(), csidlDrives);
  L.SetPathName(Home / "a");
  Load(Back, Stored(L));
  EXPECT_EQ(Back.GetPathName(), Home / "a");
  Load(Back, std::string("\0\0\0\0\0", 5));  // kind 0, length 0: the desktop as a special folder
  EXPECT_EQ(Back.Which(), useCSIDL);
  EXPECT_EQ(Back.GetCSIDL(), csidlDesktop);
  // Bad bytes raise and leave the locator as it was.
  Back.SetPathName(Home / "a");
  for (const std::string& Bad : {std::string("\0\x40\0\0\0", 5), std::string("\0\x05\0\0\0\x05\0\x02\0", 9),
                                 std::string("\0\xFF\xFF\xFF\xFF", 5), std::string("\x01\x99", 2),
                                 std::string("\0\x04\0\0\0\x01\0\0\0", 9), std::string("\0", 1)}) {
    EXPECT_THROW(Load(Back, Bad), Exception);
    EXPECT_EQ(Back.GetPathName(), Home / "a");
  }
}

}  // namespace
