#include "platform/codepage/codepage.h"
#include "support/test_support.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using codepage::CodePage;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values) b.append(char(v));
    return b;
}

TEST(CodePage, CzechLettersHaveTheirBytesInBothCodePages)
{
    const QString lower = QStringLiteral("ěščřžýáíéúůťďň");
    const QString upper = QStringLiteral("ĚŠČŘŽÝÁÍÉÚŮŤĎŇ");
    const QByteArray win1250Lower = bytes({0xEC, 0x9A, 0xE8, 0xF8, 0x9E, 0xFD, 0xE1, 0xED, 0xE9, 0xFA, 0xF9, 0x9D, 0xEF, 0xF2});
    const QByteArray win1250Upper = bytes({0xCC, 0x8A, 0xC8, 0xD8, 0x8E, 0xDD, 0xC1, 0xCD, 0xC9, 0xDA, 0xD9, 0x8D, 0xCF, 0xD2});
    const QByteArray dos852Lower = bytes({0xD8, 0xE7, 0x9F, 0xFD, 0xA7, 0xEC, 0xA0, 0xA1, 0x82, 0xA3, 0x85, 0x9C, 0xD4, 0xE5});
    const QByteArray dos852Upper = bytes({0xB7, 0xE6, 0xAC, 0xFC, 0xA6, 0xED, 0xB5, 0xD6, 0x90, 0xE9, 0xDE, 0x9B, 0xD2, 0xD5});

    EXPECT_EQ(codepage::fromUnicode(CodePage::Windows1250, lower + upper), win1250Lower + win1250Upper);
    EXPECT_EQ(codepage::fromUnicode(CodePage::Dos852, lower + upper), dos852Lower + dos852Upper);
    EXPECT_EQ(codepage::toUnicode(CodePage::Windows1250, win1250Lower + win1250Upper), lower + upper);
    EXPECT_EQ(codepage::toUnicode(CodePage::Dos852, dos852Lower + dos852Upper), lower + upper);
    // Signs that differ between the two: the euro and quotes of Windows, the frames of DOS.
    EXPECT_EQ(codepage::fromUnicode(CodePage::Windows1250, QStringLiteral("€„“–")), bytes({0x80, 0x84, 0x93, 0x96}));
    EXPECT_EQ(codepage::fromUnicode(CodePage::Dos852, QStringLiteral("─│╬§")), bytes({0xC4, 0xB3, 0xCE, 0xF5}));
}

TEST(CodePage, EveryByteDecodesToItsOwnCharacterAndBack)
{
    for (CodePage page : {CodePage::Windows1250, CodePage::Dos852}) {
        QSet<QChar> seen;
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            const QString text = codepage::toUnicode(page, one);
            ASSERT_EQ(text.size(), 1);
            if (text.at(0) == QChar(QChar::ReplacementCharacter)) {
                // Only five bytes of Windows-1250 are undefined; they encode back as "?".
                EXPECT_EQ(page, CodePage::Windows1250) << b;
                EXPECT_TRUE(b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) << b;
                EXPECT_EQ(codepage::fromUnicode(page, text), QByteArray("?"));
                continue;
            }
            EXPECT_FALSE(seen.contains(text.at(0))) << "two bytes for one character, byte " << b;
            seen.insert(text.at(0));
            EXPECT_EQ(codepage::fromUnicode(page, text), one) << b;
            EXPECT_TRUE(codepage::canEncode(page, text)) << b;
        }
    }
}

TEST(CodePage, CharactersWithoutAByteBecomeOneStandInByte)
{
    struct Case {
        QString text;
        QByteArray windows1250;
        bool encodable;
    };
    const Case cases[] = {
        {QStringLiteral("e\u0301"), bytes({0xE9}), true},         // composed first: é
        {QStringLiteral("Zu\u030Acek"), bytes({'Z', 0xF9, 'c', 'e', 'k'}), true},
        {QStringLiteral("Ā ǒ"), "A o", false},                     // accents the code page lacks
        {QStringLiteral("ＡＢ"), "AB", false},                       // full-width letters
        {QStringLiteral("Øre ø ı ħ"), "Ore o i h", false},         // look-alikes
        {QStringLiteral("19\u2011123457 \u2212"), "19-123457 -", false}, // non-breaking hyphen, minus sign
        {QStringLiteral("x\u0301y"), "xy", false},                 // an accent no letter takes writes nothing
        {QStringLiteral("ΩЖ"), "??", false},
        {QStringLiteral("a😀b"), "a?b", false},                   // outside the Basic Multilingual Plane
        {QStringLiteral("ﬁ"), "?", false},                        // a ligature of two letters
        {QString(QChar(0xD800)) + QLatin1Char('a'), "?a", false}, // a lone surrogate
    };
    for (const Case &c : cases) {
        EXPECT_EQ(codepage::fromUnicode(CodePage::Windows1250, c.text), c.windows1250) << c.text.toStdString();
        EXPECT_EQ(codepage::canEncode(CodePage::Windows1250, c.text), c.encodable) << c.text.toStdString();
    }
    // The same rule in the DOS code page, which has no euro sign.
    EXPECT_EQ(codepage::fromUnicode(CodePage::Dos852, QStringLiteral("10 € ř")), bytes({'1', '0', ' ', '?', ' ', 0xFD}));
}

} // namespace
