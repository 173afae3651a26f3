#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/common/media_kind.h"
#include "model/common/split_string.h"

namespace {

QStringList Split(const QString& text, const QString& separator) {
  QStringList parts{"stale"};
  SplitString(text, separator, parts);
  return parts;
}

TEST(SplitString, KeepsEmptyRunsAndTheRest) {
  EXPECT_EQ(Split("", ","), QStringList());
  EXPECT_EQ(Split("abc", ","), QStringList{"abc"});
  EXPECT_EQ(Split("1,2,,3", ","), (QStringList{"1", "2", "", "3"}));
  EXPECT_EQ(Split("a,b,", ","), (QStringList{"a", "b", ""}));
  EXPECT_EQ(Split(",a", ","), (QStringList{"", "a"}));
  EXPECT_EQ(Split("a--b", "--"), (QStringList{"a", "b"}));
}

TEST(SplitString, EmptySeparatorGivesTheWholeText) {
  EXPECT_EQ(Split("a,b", ""), QStringList{"a,b"});
  EXPECT_EQ(Split("", ""), QStringList());
}

TEST(GuidText, FormatAndUniqueness) {
  const QRegularExpression form("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$");
  QSet<QString> seen;
  for (int i = 0; i < 20000; ++i) {
    const QString guid = NewGuidText();
    ASSERT_TRUE(form.match(guid).hasMatch()) << qPrintable(guid);
    ASSERT_TRUE(IsGuidText(guid));
    seen.insert(guid);
  }
  EXPECT_EQ(seen.size(), 20000);
}

TEST(GuidText, RejectsTextsThatCouldNameOtherFiles) {
  EXPECT_TRUE(IsGuidText("0123abcd-4567-89EF-0123-456789abcdef"));
  EXPECT_FALSE(IsGuidText(""));
  EXPECT_FALSE(IsGuidText("../../../../etc/passwd-0000-0000-000"));
  EXPECT_FALSE(IsGuidText("0123ABCD-4567-89EF-0123-456789ABCDE"));    // 35
  EXPECT_FALSE(IsGuidText("0123ABCD-4567-89EF-0123-456789ABCDEF0"));  // 37
  EXPECT_FALSE(IsGuidText("0123ABCD-4567-89EF-0123/456789ABCDEF"));
  EXPECT_FALSE(IsGuidText("0123ABCDX4567-89EF-0123-456789ABCDEF"));
  EXPECT_FALSE(IsGuidText("0123ABCG-4567-89EF-0123-456789ABCDEF"));
}

TEST(BoundedText, CutsAtCapacityWithoutSplittingAPair) {
  char16_t field[5];
  EXPECT_TRUE(CopyBoundedText(field, u"abcd"));
  EXPECT_EQ(ReadBoundedText(field), "abcd");

  EXPECT_FALSE(CopyBoundedText(field, u"abcdef"));
  EXPECT_EQ(ReadBoundedText(field), "abcd");
  EXPECT_EQ(field[4], u'\0');

  // U+1F600 as a pair at units 3-4: only its first half would fit, so neither stays.
  const QString withPair = QStringLiteral("abc") + QString::fromUcs4(U"\U0001F600");
  EXPECT_FALSE(CopyBoundedText(field, withPair));
  EXPECT_EQ(ReadBoundedText(field), "abc");
  EXPECT_EQ(field[3], u'\0');

  // A pair that fits whole is kept.
  const QString pairFits = QStringLiteral("ab") + QString::fromUcs4(U"\U0001F600");
  EXPECT_TRUE(CopyBoundedText(field, pairFits));
  EXPECT_EQ(ReadBoundedText(field), pairFits);
}

TEST(BoundedText, ReadsNeverPastTheField) {
  char16_t field[3] = {u'x', u'y', u'z'};  // no terminator
  EXPECT_EQ(ReadBoundedText(field), "xyz");
}

TEST(MediaKind, ByExtensionIgnoringCase) {
  EXPECT_EQ(GetMediaKind("Clip.MP4"), kMediaVideo);
  EXPECT_EQ(GetMediaKind("photo.JPEG"), kMediaPicture);
  EXPECT_EQ(GetMediaKind("readme"), kMediaUnknown);
  EXPECT_EQ(GetMediaKind("a.b.rtf"), kMediaRichText);
  EXPECT_EQ(GetMediaKind("pak"), kMediaFrameFile);  // no dot: the whole name
  EXPECT_EQ(GetMediaKind("x.swf"), kMediaFlash);
  EXPECT_EQ(GetMediaKind("x.Gif"), kMediaGif);
  EXPECT_EQ(GetMediaKind("x.docx"), kMediaWord);
  EXPECT_EQ(GetMediaKind("x."), kMediaUnknown);
}

}  // namespace
