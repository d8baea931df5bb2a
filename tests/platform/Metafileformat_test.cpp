// Metafile files: a picture written as an enhanced or a placeable metafile reads back as the same pixels, and
// anything else raises the graphic error.
#include "platform/classes/Streams.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void Picture(TMetafile& M) {
  M.SetWidth(60);
  M.SetHeight(40);
  TMetafileCanvas C(&M, 0);
  C.Brush()->SetColor(clYellow);
  C.FillRect(TRect{0, 0, 60, 40});
  C.Pen()->SetColor(clRed);
  C.MoveTo(2, 38);
  C.LineTo(58, 2);
  C.Font()->SetName("Courier New");
  C.Font()->SetSize(10);
  C.Font()->SetColor(clBlue);
  C.Brush()->SetStyle(bsClear);
  C.TextOut(5, 5, "Ab");
}

std::string Pixels(TGraphic& G, Integer W, Integer H) {
  TBitmap B;
  B.SetSize(W, H);
  B.Canvas()->StretchDraw(TRect{0, 0, W, H}, &G);
  std::string Out;
  for (Integer Y = 0; Y < H; ++Y) {
    for (Integer X = 0; X < W; ++X) {
      const TColor P = B.Canvas()->Pixels(X, Y);
      Out.append(reinterpret_cast<const char*>(&P), sizeof P);
    }
  }
  return Out;
}

std::string Save(TMetafile& M) {
  TMemoryStream S;
  M.SaveToStream(&S);
  return std::string(static_cast<const char*>(S.Memory()), static_cast<std::size_t>(S.Size()));
}

void Load(TMetafile& M, const std::string& Bytes) {
  TMemoryStream S;
  S.Write(Bytes.data(), static_cast<LongInt>(Bytes.size()));
  S.SetPosition(0);
  M.LoadFromStream(&S);
}

TEST(MetafileFiles, BothFormatsReadBackAsTheSamePixels) {
  TMetafile M;
  Picture(M);
  const std::string Want = Pixels(M, 60, 40);
  for (bool Enhanced : {true, false}) {
    M.Enhanced = Enhanced;
    const std::string File = Save(M);
    std::uint32_t First = 0;
    std::memcpy(&First, File.data(), 4);
    if (Enhanced) {
      EXPECT_EQ(First, 1u);
      EXPECT_EQ(File.substr(40, 4), " EMF");
      std::uint32_t Bytes = 0;
      std::memcpy(&Bytes, File.data() + 48, 4);
      EXPECT_EQ(Bytes, File.size());
    } else {
      EXPECT_EQ(First, 0x9AC6CDD7u);
    }
    TMetafile Back;
    Load(Back, File);
    EXPECT_EQ(Back.Enhanced, Enhanced);
    EXPECT_EQ(Back.Width(), 60);
    EXPECT_EQ(Back.Height(), 40);
    EXPECT_TRUE(Pixels(Back, 60, 40) == Want) << (Enhanced ? "enhanced" : "placeable");
  }
}

TEST(MetafileFiles, AnythingElseRaisesTheGraphicError) {
  TMetafile M;
  Picture(M);
  const std::string Emf = Save(M);
  M.Enhanced = false;
  const std::string Wmf = Save(M);
  std::string BadSize = Emf;
  BadSize[88 + 4] = '\x7F';  // the bitmap copy's size runs past the file
  std::string BadBits = Emf;
  BadBits[88 + 48] = '\xF0';  // its header offset points outside the record
  for (const std::string& Bytes : {std::string(), std::string("GIF89a"), Emf.substr(0, 100), Wmf.substr(0, 60), BadSize,
                                   BadBits, Wmf.substr(0, 22) + std::string(18, '\0')}) {
    TMetafile Back;
    EXPECT_THROW(Load(Back, Bytes), EInvalidGraphic) << Bytes.size();
  }
}

TEST(MetafileFiles, TheFuzzSeedsOfBothFormatsRead) {
  for (const char* Name : {"enhanced.emf", "placeable.wmf"}) {
    TFileStream F(std::string(ZUBQ_SOURCE_DIR) + "/fuzz/corpus/Metafile/" + Name, fmOpenRead);
    TMetafile M;
    M.LoadFromStream(&F);
    EXPECT_EQ(M.Width(), 3) << Name;
    EXPECT_EQ(M.Height(), 2) << Name;
    TBitmap B;
    B.SetSize(3, 2);
    B.Canvas()->Draw(0, 0, &M);
    EXPECT_EQ(B.Canvas()->Pixels(1, 1), clRed) << Name;
  }
}

}  // namespace
