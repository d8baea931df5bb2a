// Drag data formats: the format list and its enumerator, the dropped-files and "Shell IDList Array" blocks, the
// shell data object, the drop source, and the effects a dragged data object allows.
#include "shell/Uptdragdrop.h"

#include "tests/shell/ShellTestHome.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Bytes(HGLOBAL H) {
  std::string S(static_cast<const char*>(GlobalLock(H)), GlobalSize(H));
  GlobalUnlock(H);
  return S;
}

TEST(Uptdragdrop, FormatQueriesAndTheEnumerator) {
  TPTFormatEtcList List;
  List.AddFormats({CF_HDROP, CF_TEXT});
  FORMATETC F;
  F.cfFormat = CF_HDROP;
  F.dwAspect = DVASPECT_CONTENT;
  F.lindex = -1;
  F.tymed = TYMED_HGLOBAL;
  EXPECT_EQ(List.Query(F), S_OK);
  F.tymed = TYMED_ISTREAM;
  EXPECT_EQ(List.Query(F), DV_E_TYMED);
  F.cfFormat = CF_BITMAP;
  EXPECT_EQ(List.Query(F), DV_E_FORMATETC);
  F.cfFormat = CF_HDROP;
  F.dwAspect = DVASPECT_ICON;
  EXPECT_EQ(List.Query(F), DV_E_FORMATETC);
  auto* E = new TPTFormatEtcList_IEnumFormatEtc(&List);
  E->AddRef();
  FORMATETC Out[3];
  ULONG Got = 0;
  EXPECT_EQ(E->Next(3, Out, &Got), S_FALSE);
  EXPECT_EQ(Got, 2u);
  EXPECT_EQ(E->Next(1, Out, &Got), S_FALSE);
  EXPECT_EQ(Got, 0u);
  E->Reset();
  EXPECT_EQ(E->Skip(5), S_FALSE);
  E->Reset();
  EXPECT_EQ(E->Skip(1), S_OK);
  IEnumFORMATETC* C = nullptr;
  ASSERT_EQ(E->Clone(&C), S_OK);
  EXPECT_EQ(C->Next(1, Out, nullptr), S_OK);
  EXPECT_EQ(Out[0].cfFormat, CF_TEXT);
  C->Release();
  E->Release();
}

TEST(Uptdragdrop, BlocksHaveThePlatformsLayout) {
  HGLOBAL Drop = nullptr;
  ASSERT_EQ(PTBuildDropFilesBlock({"a", "bc"}, Drop), S_OK);
  const std::string D = Bytes(Drop);
  EXPECT_EQ(D.size(), 2u * 260 + 21);
  EXPECT_EQ(D.substr(20, 6), std::string("a\0bc\0\0", 6));
  GlobalFree(Drop);
  // A name longer than the platform's 259 bytes still fits whole.
  const std::string Long(5000, 'x');
  ASSERT_EQ(PTBuildDropFilesBlock({Long}, Drop), S_OK);
  std::vector<std::string> Files;
  ASSERT_TRUE(ReadDropFilesBlock(Drop, Files));
  ASSERT_EQ(Files.size(), 1u);
  EXPECT_EQ(Files[0], Long);
  GlobalFree(Drop);
  // A parent of 20 bytes and items of 14 and 16 bytes: 66 bytes, offsets 16, 36 and 50.
  std::string Parent(18, 'p'), I1(12, 'i'), I2(14, 'j');
  auto List = [](std::string Data) {
    std::string L;
    L += static_cast<char>(Data.size() + 2);
    L += '\0';
    L += Data;
    L += std::string(2, '\0');
    return L;
  };
  const std::string P = List(Parent.substr(0, 16)), A = List(I1.substr(0, 10)), B = List(I2.substr(0, 12));
  ASSERT_EQ(P.size(), 20u);
  HGLOBAL Cida = nullptr;
  ASSERT_EQ(PTBuildShellIdListBlock(reinterpret_cast<LPCITEMIDLIST>(P.data()),
                                    {reinterpret_cast<LPCITEMIDLIST>(A.data()), reinterpret_cast<LPCITEMIDLIST>(B.data())},
                                    Cida),
            S_OK);
  const std::string C = Bytes(Cida);
  ASSERT_EQ(C.size(), 66u);
  UINT Offsets[3];
  std::memcpy(Offsets, C.data() + 4, 12);
  EXPECT_EQ(Offsets[0], 16u);
  EXPECT_EQ(Offsets[1], 36u);
  EXPECT_EQ(Offsets[2], 50u);
  HGLOBAL Copy = PTCopyGlobalBlock(Cida);
  EXPECT_EQ(Bytes(Copy), C);
  GlobalFree(Copy);
  GlobalFree(Cida);
}

TEST(Uptdragdrop, TheDropSourceEndsOnItsButtonAndCancelsOnOthers) {
  auto* Right = new TDropSource_shlvtv(1);
  Right->AddRef();
  EXPECT_EQ(Right->QueryContinueDrag(FALSE, MK_RBUTTON), S_OK);
  EXPECT_EQ(Right->QueryContinueDrag(FALSE, MK_RBUTTON | MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(Right->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(Right->QueryContinueDrag(TRUE, MK_RBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(Right->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
  Right->Release();
}

TEST(Uptdragdrop, ShellDataObjectsCarryBothFormatsOrNone) {
  ShellTest::THome Home;
  Home.MakeFile("a");
  Home.MakeFile("b");
  Home.MakeFile("c");
  LPITEMIDLIST Parent = nullptr;
  ASSERT_EQ(ShellGetIdListFromPath(Home.Path(), Parent), S_OK);
  std::vector<LPITEMIDLIST> Items;
  std::vector<LPCITEMIDLIST> Const;
  IShellFolder_NRC* Folder = nullptr;
  ASSERT_EQ(ShellGetFolderFromIdList(Parent, Folder), S_OK);
  for (const char16_t* N : {u"a", u"b", u"c"}) {
    LPITEMIDLIST I = nullptr;
    ASSERT_EQ(Folder->ParseDisplayName(0, nullptr, N, nullptr, &I, nullptr), S_OK);
    Items.push_back(I);
    Const.push_back(I);
  }
  auto* Data = new TPTShellDataObject(Parent, Const, {Home / "a", Home / "b", Home / "c"});
  Data->AddRef();
  EXPECT_EQ(Data->Formats().Count(), 2);
  EXPECT_EQ(FilesOfDataObject(Data), (std::vector<std::string>{Home / "a", Home / "b", Home / "c"}));
  EXPECT_EQ(PTShGetDataObjectAttributes(Data), 7u);
  IEnumFORMATETC* E = nullptr;
  EXPECT_EQ(Data->EnumFormatEtc(DATADIR_SET, &E), E_NOTIMPL);
  EXPECT_EQ(Data->DAdvise(nullptr, 0, nullptr, nullptr), OLE_E_ADVISENOTSUPPORTED);
  Data->Release();
  auto* Empty = new TPTShellDataObject(nullptr, {}, {});
  Empty->AddRef();
  EXPECT_EQ(Empty->Formats().Count(), 0);
  EXPECT_EQ(PTShGetDataObjectAttributes(Empty), 7u);
  Empty->Release();
  // Items of a read-only folder cannot be moved.
  chmod(Home.Path().c_str(), 0500);
  auto* ReadOnly = new TPTShellDataObject(Parent, Const, {});
  ReadOnly->AddRef();
  if (geteuid() != 0) {
    EXPECT_EQ(PTShGetDataObjectAttributes(ReadOnly), DROPEFFECT_COPY | DROPEFFECT_LINK);
  }
  ReadOnly->Release();
  chmod(Home.Path().c_str(), 0700);
  for (LPITEMIDLIST I : Items) {
    ShellMemFree(I);
  }
  Folder->Release();
  ShellMemFree(Parent);
}

}  // namespace
