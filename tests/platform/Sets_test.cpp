// TSet over enumerations and TSysCharSet.
#include "platform/rtl/Sets.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, fsStrikeOut>;

enum class TWide { First = 0, Middle = 40, Last = 99 };
using TWideSet = TSet<TWide, TWide::Last>;

}  // namespace

TEST(Sets, OperatorsFollowPascalSetAlgebra) {
  const TFontStyles A{fsBold, fsItalic};
  const TFontStyles B{fsItalic, fsUnderline};
  EXPECT_EQ(A + B, (TFontStyles{fsBold, fsItalic, fsUnderline}));
  EXPECT_EQ(A - B, TFontStyles{fsBold});
  EXPECT_EQ(A * B, TFontStyles{fsItalic});
  EXPECT_NE(A, B);
  EXPECT_TRUE(TFontStyles{fsItalic} <= A);
  EXPECT_FALSE(B <= A);
  EXPECT_TRUE(A >= TFontStyles{});
  EXPECT_TRUE((A * TFontStyles{fsStrikeOut}).Empty());

  TFontStyles S;
  S.Include(fsUnderline);
  S.Include(fsUnderline);
  S.Include(static_cast<TFontStyle>(7));  // outside the range: ignored
  EXPECT_EQ(S.Count(), 1);
  EXPECT_TRUE(S.Contains(fsUnderline));
  EXPECT_FALSE(S.Contains(static_cast<TFontStyle>(7)));
  S.Exclude(fsUnderline);
  EXPECT_TRUE(S.Empty());
}

TEST(Sets, MaskRoundTripAndIterationInOrder) {
  const TFontStyles S{fsStrikeOut, fsBold};
  EXPECT_EQ(S.ToMask(), 0b1001u);
  EXPECT_EQ(TFontStyles::FromMask(0b1001), S);
  EXPECT_EQ(TFontStyles::FromMask(0xFF), (TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut}));

  std::vector<TFontStyle> Seen(S.begin(), S.end());
  EXPECT_EQ(Seen, (std::vector<TFontStyle>{fsBold, fsStrikeOut}));

  const TWideSet W{TWide::Last, TWide::Middle};
  std::vector<TWide> WSeen;
  for (TWide V : W) {
    WSeen.push_back(V);
  }
  EXPECT_EQ(WSeen, (std::vector<TWide>{TWide::Middle, TWide::Last}));
  EXPECT_TRUE(TWideSet{}.begin() == TWideSet{}.end());
}

TEST(Sets, CharSetCoversAllBytes) {
  const TSysCharSet Ident = TSysCharSet::Range('a', 'z') + TSysCharSet::Range('0', '9') + TSysCharSet{'_'};
  EXPECT_TRUE(CharInSet('q', Ident));
  EXPECT_TRUE(CharInSet('_', Ident));
  EXPECT_FALSE(CharInSet('Q', Ident));
  const TSysCharSet High{'\xE9', '\xFF'};
  EXPECT_TRUE(CharInSet('\xFF', High));
  EXPECT_FALSE(CharInSet('\x7F', High));
  EXPECT_TRUE(TSysCharSet::Range('z', 'a').Empty());
  EXPECT_EQ(Ident - TSysCharSet::Range('0', '9') - TSysCharSet{'_'}, TSysCharSet::Range('a', 'z'));
}
