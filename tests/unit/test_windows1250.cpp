#include "core/windows1250.h"

#include <gtest/gtest.h>

using namespace tervix::core;

TEST(Windows1250, EveryByteSurvivesDecodingAndEncoding)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1250(all);
    EXPECT_TRUE(isWindows1250Encodable(text));
    EXPECT_EQ(encodeWindows1250(text), all);
}

TEST(Windows1250, PolishLettersUseThePolishCodePage)
{
    const QString name = QStringLiteral("Paweł Żółć ąęśźń ĄĘŚŹŃ");
    const QByteArray bytes = encodeWindows1250(name);
    EXPECT_EQ(bytes, QByteArray("Pawe\xb3 \xaf\xf3\xb3\xe6 \xb9\xea\x9c\x9f\xf1 \xa5\xca\x8c\x8f\xd1"));
    EXPECT_EQ(decodeWindows1250(bytes), name);
}

TEST(Windows1250, CharactersOutsideTheCodePageAreTold)
{
    EXPECT_FALSE(isWindows1250Encodable(QStringLiteral("Ωmega")));
    EXPECT_FALSE(isWindows1250Encodable(QString::fromUtf8("日本")));
    EXPECT_FALSE(isWindows1250Encodable(QChar(0xFFFD)));
    EXPECT_EQ(encodeWindows1250(QStringLiteral("aΩb")), QByteArray("a?b"));
    EXPECT_TRUE(isWindows1250Encodable(QStringLiteral("€ plain ASCII ~")));
}
