// The clipboard's desktop mirror carries rich text beside the text in both directions.
#include "platform/win/Clipboard.h"
#include "platform/win/GlobalMemory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string ExportedText;
std::string ExportedRtf;
std::string OutsideText;
std::string OutsideRtf;
bool OutsidePending = false;

HGLOBAL Bytes(const std::string& S) {
  HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, S.size() + 1);
  std::memcpy(GlobalLock(H), S.c_str(), S.size() + 1);
  GlobalUnlock(H);
  return H;
}

std::string Read(HANDLE H) {
  const char* P = static_cast<const char*>(GlobalLock(H));
  std::string S(P);
  GlobalUnlock(H);
  return S;
}

class ClipboardMirror : public ::testing::Test {
protected:
  void SetUp() override {
    TClipboardMirror M;
    M.Active = [] { return true; };
    M.ExportRich = [](const std::string& Text, const std::string& Rtf) {
      ExportedText = Text;
      ExportedRtf = Rtf;
    };
    M.ImportRich = [](std::string& Text, std::string& Rtf) {
      if (!OutsidePending) {
        return false;
      }
      OutsidePending = false;
      Text = OutsideText;
      Rtf = OutsideRtf;
      return true;
    };
    SetClipboardMirror(M);
  }
  void TearDown() override { SetClipboardMirror(TClipboardMirror{}); }
};

TEST_F(ClipboardMirror, RichTextGoesOutBesideTheText) {
  const UINT Rtf = RegisterClipboardFormat(SRichTextFormatName);
  ASSERT_TRUE(OpenClipboard(0));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Bytes("plain"));
  SetClipboardData(Rtf, Bytes("{\\rtf1 {\\b plain}}"));
  CloseClipboard();
  EXPECT_EQ(ExportedText, "plain");
  EXPECT_EQ(ExportedRtf, "{\\rtf1 {\\b plain}}");
  // Text alone goes out without rich text.
  ASSERT_TRUE(OpenClipboard(0));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, Bytes("only"));
  CloseClipboard();
  EXPECT_EQ(ExportedText, "only");
  EXPECT_EQ(ExportedRtf, "");
}

TEST_F(ClipboardMirror, RichTextOfAnotherProgramComesIn) {
  OutsideText = "outside";
  OutsideRtf = "{\\rtf1 outside}";
  OutsidePending = true;
  const UINT Rtf = RegisterClipboardFormat(SRichTextFormatName);
  ASSERT_TRUE(OpenClipboard(0));
  ASSERT_TRUE(IsClipboardFormatAvailable(Rtf));
  EXPECT_EQ(Read(GetClipboardData(CF_TEXT)), "outside");
  EXPECT_EQ(Read(GetClipboardData(Rtf)), "{\\rtf1 outside}");
  CloseClipboard();
  // Text without rich text replaces the rich text as well.
  OutsideText = "words";
  OutsideRtf.clear();
  OutsidePending = true;
  ASSERT_TRUE(OpenClipboard(0));
  EXPECT_FALSE(IsClipboardFormatAvailable(Rtf));
  EXPECT_EQ(Read(GetClipboardData(CF_TEXT)), "words");
  CloseClipboard();
}
}  // namespace
