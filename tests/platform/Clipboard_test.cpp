// Tests of the clipboard: text and registered formats round-trip, ownership, synthesized text, exclusive opening,
// delayed rendering, the viewer chain, bitmaps through TClipboard, and global memory handles.
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/Graphics.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

using namespace WinTest;

namespace {

class ClipboardTest : public ::testing::Test {
protected:
  void TearDown() override { Reset(); }
};

TEST_F(ClipboardTest, TextAndARegisteredFormatRoundTrip) {
  Clipboard()->SetAsText("caf\xE9 au lait");
  EXPECT_EQ(Clipboard()->AsText(), "caf\xE9 au lait");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(GetClipboardOwner(), Clipboard()->Handle());  // the text is ours
  // The Unicode form is made from the 8-bit text.
  ASSERT_TRUE(OpenClipboard(0));
  HANDLE U = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(U, nullptr);
  const auto* W = static_cast<const char16_t*>(GlobalLock(U));
  EXPECT_EQ(W[3], u'\u00E9');
  GlobalUnlock(U);
  CloseClipboard();
  UINT Rtf = RegisterClipboardFormat("Rich Text Format");
  EXPECT_GE(Rtf, 0xC000u);
  EXPECT_EQ(RegisterClipboardFormat("rich text format"), Rtf);
  char Name[32];
  EXPECT_EQ(GetClipboardFormatName(Rtf, Name, sizeof Name), 16);
  EXPECT_STREQ(Name, "Rich Text Format");
  // Several formats go in under one Open.
  Clipboard()->Open();
  Clipboard()->SetAsText("plain");
  const char Doc[] = "{\\rtf1 plain}";
  Clipboard()->SetBuffer(Rtf, Doc, sizeof Doc);
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->AsText(), "plain");
  EXPECT_EQ(Clipboard()->GetBuffer(Rtf), std::string(Doc, sizeof Doc));
  EXPECT_EQ(Clipboard()->FormatCount(), 2);
  EXPECT_EQ(Clipboard()->Formats(1), Rtf);
  // Text stops at its first NUL.
  Clipboard()->SetAsText(std::string("ab\0cd", 5));
  EXPECT_EQ(Clipboard()->AsText(), "ab");
  char Buf[2];
  EXPECT_EQ(Clipboard()->GetTextBuf(Buf, sizeof Buf), 1);
  EXPECT_STREQ(Buf, "a");
}

TEST_F(ClipboardTest, OpenIsExclusiveAcrossThreadsAndNeededForData) {
  // Not open: the block is refused and stays the caller's to free.
  HGLOBAL Refused = GlobalAlloc(GMEM_MOVEABLE, 1);
  EXPECT_EQ(SetClipboardData(CF_TEXT, Refused), nullptr);
  EXPECT_EQ(GlobalFree(Refused), nullptr);
  ASSERT_TRUE(OpenClipboard(0));
  bool OtherGot = true;
  std::thread T([&] { OtherGot = OpenClipboard(0) != FALSE; });
  T.join();
  EXPECT_FALSE(OtherGot);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
}

TEST_F(ClipboardTest, OwnersAndViewersHearOfChanges) {
  std::vector<std::string> Seen;
  HWND Owner = Make("Owner", WS_POPUP, 0, 0, 10, 10);
  HWND Viewer = Make("Viewer", WS_POPUP, 0, 0, 10, 10);
  HWND Next = Make("Next", WS_POPUP, 0, 0, 10, 10);
  UINT Fmt = RegisterClipboardFormat("ZubDelayed");
  Handlers[Owner] = [&](HWND, UINT M, WPARAM W, LPARAM, LRESULT&) {
    if (M == WM_RENDERFORMAT) {
      Seen.push_back("render");
      HGLOBAL H = GlobalAlloc(GMEM_MOVEABLE, 3);
      std::memcpy(GlobalLock(H), "ok", 3);
      GlobalUnlock(H);
      SetClipboardData(static_cast<UINT>(W), H);
    } else if (M == WM_DESTROYCLIPBOARD) {
      Seen.push_back("destroy");
    }
    return false;
  };
  Handlers[Viewer] = [&](HWND, UINT M, WPARAM W, LPARAM L, LRESULT&) {
    if (M == WM_DRAWCLIPBOARD) {
      Seen.push_back("draw");
    } else if (M == WM_CHANGECBCHAIN) {
      Seen.push_back(static_cast<HWND>(W) == Next && L == 0 ? "chain" : "chain?");
    }
    return false;
  };
  EXPECT_EQ(SetClipboardViewer(Viewer), 0u);
  EXPECT_EQ(Seen, std::vector<std::string>{"draw"});
  Seen.clear();
  ASSERT_TRUE(OpenClipboard(Owner));
  EmptyClipboard();
  SetClipboardData(Fmt, nullptr);  // rendered when asked for
  CloseClipboard();
  EXPECT_EQ(Seen, std::vector<std::string>{"draw"});
  EXPECT_EQ(GetClipboardOwner(), Owner);
  Seen.clear();
  ASSERT_TRUE(OpenClipboard(0));
  HANDLE H = GetClipboardData(Fmt);
  ASSERT_NE(H, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(H)), "ok");
  GlobalUnlock(H);
  EmptyClipboard();
  CloseClipboard();
  EXPECT_EQ(Seen, (std::vector<std::string>{"render", "destroy", "draw"}));
  Seen.clear();
  ChangeClipboardChain(Next, 0);  // a viewer further down leaves: the head hears of it
  EXPECT_EQ(Seen, std::vector<std::string>{"chain"});
  ChangeClipboardChain(Viewer, 0);
  EXPECT_EQ(GetClipboardViewer(), 0u);
}

TEST_F(ClipboardTest, BitmapsGoThroughTClipboard) {
  TBitmap B;
  B.SetSize(3, 2);
  B.Canvas()->SetPixels(2, 1, clRed);
  Clipboard()->Assign(&B);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  TBitmap Out;
  Out.Assign(Clipboard());
  EXPECT_EQ(Out.Width(), 3);
  EXPECT_EQ(Out.Canvas()->Pixels(2, 1), clRed);
  TPicture P;
  P.Assign(Clipboard());
  EXPECT_EQ(P.Width(), 3);
}

TEST(GlobalMemory, BlocksKnowTheirSizeAndLockCount) {
  HGLOBAL H = GlobalAlloc(GHND, 10);
  ASSERT_NE(H, nullptr);
  EXPECT_EQ(GlobalSize(H), 10u);
  auto* P = static_cast<char*>(GlobalLock(H));
  EXPECT_EQ(P[9], 0);
  EXPECT_FALSE(GlobalUnlock(H));
  H = GlobalReAlloc(H, 20, GMEM_ZEROINIT);
  EXPECT_EQ(GlobalSize(H), 20u);
  EXPECT_EQ(GlobalFree(H), nullptr);
  EXPECT_EQ(GlobalSize(H), 0u);
  EXPECT_EQ(GlobalFree(H), H);
}

}  // namespace
