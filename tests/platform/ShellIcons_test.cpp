// The system image lists of the shell namespace: icons from the desktop's icon theme or the toolkit's standard
// icons (headless, no theme), one index per distinct icon, both sizes at the same indexes, the shared and link
// emblems as overlays 1 and 2, and the icon names of MIME types.
#include "platform/graphics/GdiInternals.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Files.h"
#include "platform/win/ShlObj.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>

namespace {

class ShellIcons : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("HOME", Home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (Home / ".local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (Home / ".config").c_str(), 1);
    mkdir((Home / "docs").c_str(), 0700);
    for (const char* F : {"a.html", "b.html", "c.png", "d.txt", "noext"}) {
      std::ofstream(Home / "docs" + "/" + F) << "x";
    }
  }
  // The index and list SHGetFileInfo gives for a path.
  int Index(const std::string& Path, UINT Flags = 0, HIMAGELIST* List = nullptr) {
    SHFILEINFO Info;
    const DWORD_PTR R = SHGetFileInfo(Path.c_str(), 0, &Info, sizeof Info, SHGFI_SYSICONINDEX | Flags);
    EXPECT_NE(R, 0u) << Path;
    if (List) {
      *List = static_cast<HIMAGELIST>(R);
    }
    return Info.iIcon;
  }
  TestSupport::TTempFolder Home{"zubq-shellicons"};
};

// Draws an image (with an overlay) of a list on a yellow square; Over draws a second image over it.
std::unique_ptr<TBitmap> Drawn(HIMAGELIST List, int Image, UINT Style, int Over = -1) {
  int Cx = 0, Cy = 0;
  ImageList_GetIconSize(List, &Cx, &Cy);
  auto B = std::make_unique<TBitmap>();
  B->SetSize(Cx, Cy);
  B->Canvas()->Brush()->SetColor(clYellow);
  B->Canvas()->FillRect(Rect(0, 0, Cx, Cy));
  ImageList_Draw(List, Image, B->Canvas()->Handle(), 0, 0, Style | ILD_TRANSPARENT);
  if (Over >= 0) {
    ImageList_Draw(List, Over, B->Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
  }
  return B;
}

int Shown(TBitmap* B) {
  int N = 0;
  for (int Y = 0; Y < B->Height(); ++Y) {
    for (int X = 0; X < B->Width(); ++X) {
      N += B->Canvas()->Pixels(X, Y) != clYellow ? 1 : 0;
    }
  }
  return N;
}

bool Same(TBitmap* A, TBitmap* B) {
  for (int Y = 0; Y < A->Height(); ++Y) {
    for (int X = 0; X < A->Width(); ++X) {
      if (A->Canvas()->Pixels(X, Y) != B->Canvas()->Pixels(X, Y)) {
        return false;
      }
    }
  }
  return true;
}

TEST_F(ShellIcons, FoldersFilesAndPlacesGetDistinctVisibleIconsAtTheSameIndexInBothSizes) {
  HIMAGELIST Small = 0, Large = 0;
  const int Folder = Index(Home / "docs", SHGFI_SMALLICON, &Small);
  EXPECT_EQ(Index(Home / "docs", 0, &Large), Folder);
  ASSERT_NE(Small, Large);
  const int Html = Index(Home / "docs/a.html");
  EXPECT_NE(Folder, Html);
  EXPECT_EQ(Index(Home / "docs/b.html"), Html);  // two files of one type share their icon
  // A type the theme draws differently gets an icon of its own; without a theme both are the standard file icon.
  std::string HtmlKey, PngKey;
  if (Gdi::DesktopIcon(MimeIconNames("text/html"), TStandardIcon::File, 16, HtmlKey, nullptr) == 1 &&
      Gdi::DesktopIcon(MimeIconNames("image/png"), TStandardIcon::File, 16, PngKey, nullptr) == 1) {
    EXPECT_EQ(Index(Home / "docs/c.png") != Html, HtmlKey != PngKey) << HtmlKey << " " << PngKey;
  }
  // Asked by name and attributes alone, a folder and a file of a type get what the real ones get.
  SHFILEINFO Info;
  SHGetFileInfo("nowhere", FILE_ATTRIBUTE_DIRECTORY, &Info, sizeof Info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
  EXPECT_EQ(Info.iIcon, Folder);
  SHGetFileInfo("x.HTML", FILE_ATTRIBUTE_NORMAL, &Info, sizeof Info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
  EXPECT_EQ(Info.iIcon, Html);
  // The open folder, home, the computer, the root volume, the trash and the desktop: valid, drawn images.
  std::vector<int> All = {Folder, Html, Index(Home / "docs", SHGFI_OPENICON), Index(Home / "docs/noext"),
                          Index(Home / "docs/d.txt"), Index("/")};
  static const BYTE Empty[2] = {0, 0};  // the desktop itself
  SHFILEINFO Place;
  ASSERT_NE(SHGetFileInfo(reinterpret_cast<const char*>(Empty), 0, &Place, sizeof Place, SHGFI_PIDL | SHGFI_SYSICONINDEX), 0u);
  All.push_back(Place.iIcon);
  IShellFolder* Desktop = nullptr;
  ASSERT_EQ(SHGetDesktopFolder(&Desktop), S_OK);
  IEnumIDList* E = nullptr;
  ASSERT_EQ(Desktop->EnumObjects(0, SHCONTF_FOLDERS, &E), S_OK);
  LPITEMIDLIST Item = nullptr;
  ULONG Got = 0;
  std::set<int> Places;
  while (E->Next(1, &Item, &Got) == S_OK) {  // home, the computer, the trash
    ASSERT_NE(SHGetFileInfo(reinterpret_cast<const char*>(Item), 0, &Place, sizeof Place, SHGFI_PIDL | SHGFI_SYSICONINDEX), 0u);
    All.push_back(Place.iIcon);
    Places.insert(Place.iIcon);
    ILFree(Item);
  }
  E->Release();
  Desktop->Release();
  EXPECT_GE(Places.size(), 3u);
  EXPECT_EQ(ImageList_GetImageCount(Small), ImageList_GetImageCount(Large));
  for (int I : All) {
    ASSERT_GE(I, 0);
    ASSERT_LT(I, ImageList_GetImageCount(Small));
    EXPECT_GT(Shown(Drawn(Small, I, 0).get()), 8) << I;
    EXPECT_GT(Shown(Drawn(Large, I, 0).get()), 32) << I;
  }
  // SHGFI_ICON hands out a copy of the image as an icon.
  ASSERT_NE(SHGetFileInfo((Home / "docs/a.html").c_str(), 0, &Info, sizeof Info, SHGFI_ICON | SHGFI_SMALLICON), 0u);
  EXPECT_EQ(Info.iIcon, Html);
  ASSERT_NE(Info.hIcon, 0u);
  DestroyIcon(Info.hIcon);
}

TEST_F(ShellIcons, TheListsGrowOnlyForIconsNotSeenBefore) {
  HIMAGELIST Small = 0;
  Index(Home / "docs", SHGFI_SMALLICON, &Small);
  Index(Home / "docs/a.html");
  const int Count = ImageList_GetImageCount(Small);
  EXPECT_GE(Count, 3);  // a file of no known type and the two emblems come first
  Index(Home / "docs");
  Index(Home / "docs/b.html");
  SHFILEINFO Info;
  SHGetFileInfo("other.html", FILE_ATTRIBUTE_NORMAL, &Info, sizeof Info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
  EXPECT_EQ(ImageList_GetImageCount(Small), Count);
  // A new type adds at most its own icon, and only once.
  SHGetFileInfo("x.zubq-unknown-type", FILE_ATTRIBUTE_NORMAL, &Info, sizeof Info,
                SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
  EXPECT_EQ(Info.iIcon, 0);  // no type: the first icon, a file of no known type
  Index(Home / "docs/c.png");
  const int After = ImageList_GetImageCount(Small);
  EXPECT_LE(After, Count + 1);
  Index(Home / "docs/c.png");
  EXPECT_EQ(ImageList_GetImageCount(Small), After);
}

TEST_F(ShellIcons, SharedAndLinkEmblemsAreOverlaysOneAndTwo) {
  HIMAGELIST Small = 0, Large = 0;
  const int File = Index(Home / "docs/a.html", SHGFI_SMALLICON, &Small);
  Index(Home / "docs/a.html", 0, &Large);
  for (HIMAGELIST L : {Small, Large}) {
    auto Plain = Drawn(L, File, 0);
    auto Shared = Drawn(L, File, INDEXTOOVERLAYMASK(1));
    auto Link = Drawn(L, File, INDEXTOOVERLAYMASK(2));
    EXPECT_TRUE(Same(Shared.get(), Drawn(L, File, 0, 1).get()));  // overlay 1 is image 1 drawn over the icon
    EXPECT_TRUE(Same(Link.get(), Drawn(L, File, 0, 2).get()));
    EXPECT_FALSE(Same(Plain.get(), Shared.get()));
    EXPECT_FALSE(Same(Plain.get(), Link.get()));
    EXPECT_FALSE(Same(Shared.get(), Link.get()));
    // An emblem marks a corner and leaves most of the icon showing.
    int Cx = 0, Cy = 0;
    ImageList_GetIconSize(L, &Cx, &Cy);
    EXPECT_LT(Shown(Drawn(L, 1, 0).get()), Cx * Cy / 2);
    EXPECT_GT(Shown(Drawn(L, 2, 0).get()), 0);
  }
}

TEST(MimeIcons, TypeNamesThenGenericIconsThenTheLastResort) {
  struct TCase {
    const char* Type;
    std::vector<std::string> Names;
  } Cases[] = {
      {"application/x-zubq-none", {"application-x-zubq-none", "application-x-generic"}},
      {"text/x-zubq-none", {"text-x-zubq-none", "text-x-generic"}},
      {"image/x-zubq-none", {"image-x-zubq-none", "image-x-generic", "application-x-generic"}},
  };
  for (const TCase& C : Cases) {
    EXPECT_EQ(MimeIconNames(C.Type), C.Names) << C.Type;
  }
  if (!MimeTypeOfName("page.html").empty()) {  // the shared MIME database is installed
    const std::vector<std::string> Html = MimeIconNames("text/html");
    ASSERT_FALSE(Html.empty());
    EXPECT_EQ(Html.front(), "text-html");
    EXPECT_EQ(Html.back(), "text-x-generic");
  }
}

}  // namespace
