// The Base64 codec of embedded source files and its lenient edges.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

#include "model/project/base64_file.h"
#include "tests/model/project/project_file_test_support.h"

namespace {

long long Decode(const QString& text, QByteArray* bytes = nullptr) {
  QByteArray out(text.size() + 4, '\0');
  const long long count = Base64Decode(reinterpret_cast<const char16_t*>(text.utf16()), text.size(),
                                       reinterpret_cast<unsigned char*>(out.data()));
  if (bytes != nullptr && count >= 0) *bytes = out.left(count);
  return count;
}

TEST(Base64, EncodesWithPaddingAndReportsTheLength) {
  char16_t text[16] = {};
  const unsigned char data[] = {'A', 'B', 'C', 'D'};
  EXPECT_EQ(Base64Encode(data, 4, text), 8);
  EXPECT_EQ(QString::fromUtf16(text), QStringLiteral("QUJDRA=="));
  EXPECT_EQ(Base64Encode(data, 0, text), -1);
  EXPECT_EQ(Base64Encode(data, -3, text), -1);
  EXPECT_EQ(Base64Encode(nullptr, 4, text), -1);
  const QByteArray all = [] {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) bytes.append(static_cast<char>(i));
    return bytes;
  }();
  EXPECT_EQ(Base64Text(all), QString::fromLatin1(all.toBase64()));
  QByteArray back;
  ASSERT_TRUE(DecodeBase64Text(Base64Text(all), &back));
  EXPECT_EQ(back, all);
}

TEST(Base64, DecodingTrimsOnlyTheAllowedCharacters) {
  QByteArray bytes;
  EXPECT_EQ(Decode(QStringLiteral("QQ==\r\n"), &bytes), 1);
  EXPECT_EQ(bytes, QByteArray("A"));
  EXPECT_EQ(Decode(QStringLiteral(" \tQUI=- \t"), &bytes), 2);
  EXPECT_EQ(bytes, QByteArray("AB"));
  EXPECT_EQ(Decode(QStringLiteral("QUJD\r\n"), &bytes), 3);
  EXPECT_EQ(Decode(QStringLiteral("\nQUJD")), -2) << "a leading line feed is not skipped";
  EXPECT_EQ(Decode(QStringLiteral("QUJ")), -2);
  EXPECT_EQ(Decode(QStringLiteral("QU\u00e9D")), -2);
  EXPECT_EQ(Decode(QStringLiteral("=UJD")), -2);
  EXPECT_EQ(Decode(QStringLiteral("Q=JD")), -2);
  EXPECT_EQ(Decode(QStringLiteral("QU*D")), -2);
  EXPECT_EQ(Decode(QStringLiteral("QQ==QUJD"), &bytes), 1) << "\"=\" ends the data";
  EXPECT_EQ(Decode(QString()), 0);
  EXPECT_EQ(Base64Decode(nullptr, 4, nullptr), -1);
  EXPECT_EQ(Base64Decode(u"QUJD", -1, nullptr), -1);
}

TEST(Base64, FilesGoBothWays) {
  const QString path = ProjectPath(QStringLiteral("source.rtf"));
  QString text = QStringLiteral("untouched");
  EXPECT_FALSE(FileToBase64(path, &text));
  EXPECT_EQ(text, QStringLiteral("untouched"));
  EXPECT_FALSE(Base64ToFile(QStringLiteral("QUJ"), path));
  EXPECT_FALSE(QFile::exists(path));
  ASSERT_TRUE(Base64ToFile(QStringLiteral("QUJD"), path));
  ASSERT_TRUE(FileToBase64(path, &text));
  EXPECT_EQ(text, QStringLiteral("QUJD"));
  ASSERT_TRUE(Base64ToFile(QString(), path));
  EXPECT_EQ(ReadBytes(path), QByteArray("ABC")) << "an empty text keeps a non-empty file";
  ASSERT_TRUE(WriteBytes(path, QByteArray()));
  ASSERT_TRUE(FileToBase64(path, &text));
  EXPECT_TRUE(text.isEmpty());
  // A stored path may name a FIFO or a device: refused at once, never read.
  const QString fifo = ProjectPath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_FALSE(FileToBase64(fifo, &text));
  EXPECT_FALSE(FileToBase64(QStringLiteral("/dev/zero"), &text));
  EXPECT_FALSE(FileToBase64(ProjectPath(QString()), &text)) << "a folder";
}

}  // namespace
