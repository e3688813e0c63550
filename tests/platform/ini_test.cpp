#include "platform/codepage/codepage.h"
#include "platform/ini/ini_file.h"
#include "support/test_support.h"

#include <QFile>
#include <climits>
#include <gtest/gtest.h>

namespace {

using ini::IniFile;

QByteArray cp1250(const QString &text) { return codepage::fromUnicode(codepage::CodePage::Windows1250, text); }

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A file as a person and the Windows program leave it: comments, blank lines, mixed case,
// a key before any section, a line that is neither, a repeated section, no line end at the end.
const QByteArray kHandEdited = "; nastavení programu\r\n"
                               "volny=1\r\n"
                               "[D3]\r\n"
                               "Prenos1Top = 120\r\n"
                               "Prenos1Left=69\r\n"
                               "\r\n"
                               "[bankaabo]\r\n"
                               "UCETNISOUBORY=1\r\n"
                               "  cisloproprikaz =  007  \r\n"
                               "jen text bez rovnítka\r\n"
                               "Cesta=\"C:\\Program Files\\Home Bank\\\"\r\n"
                               "\r\n"
                               "[BankaABO]\r\n"
                               "CisloProPrikaz=99\r\n"
                               "[Banka1]\r\n"
                               "0=C:\\data\\Banka.kpc";

TEST(IniFile, FindsSectionsAndKeysRegardlessOfCaseWithWindowsValues)
{
    IniFile f;
    f.parse(cp1250(QString::fromUtf8(kHandEdited)));
    EXPECT_EQ(f.sections(), (QStringList{QStringLiteral("D3"), QStringLiteral("bankaabo"), QStringLiteral("Banka1")}));
    EXPECT_EQ(f.keys(QStringLiteral("BANKAABO")),
              (QStringList{QStringLiteral("UCETNISOUBORY"), QStringLiteral("cisloproprikaz"), QStringLiteral("Cesta")}));
    EXPECT_EQ(f.value(QStringLiteral("d3"), QStringLiteral("prenos1top")), QStringLiteral("120"));
    // The first section of a name counts, and values are taken raw apart from blanks and quotes.
    EXPECT_EQ(f.value(QStringLiteral("BankaABO"), QStringLiteral("CisloProPrikaz")), QStringLiteral("007"));
    EXPECT_EQ(f.value(QStringLiteral("BankaABO"), QStringLiteral("Cesta")), QStringLiteral("C:\\Program Files\\Home Bank\\"));
    EXPECT_EQ(f.value(QStringLiteral("Banka1"), QStringLiteral("0")), QStringLiteral("C:\\data\\Banka.kpc"));
    EXPECT_FALSE(f.contains(QStringLiteral("BankaABO"), QStringLiteral("jen text bez rovnítka")));
    EXPECT_FALSE(f.contains(QString(), QStringLiteral("volny")));
    EXPECT_EQ(f.value(QStringLiteral("Chybí"), QStringLiteral("x"), QStringLiteral("výchozí")), QStringLiteral("výchozí"));
}

TEST(IniFile, ChangesOnlyTheLinesItMustAndKeepsTheRestByteForByte)
{
    testsupport::TempDir dir;
    const QString path = dir.file(QStringLiteral("D3.ini"));
    // LF line ends and a Czech comment in Windows-1250.
    QString original = QString::fromUtf8(kHandEdited);
    original.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    original.replace(QStringLiteral("; nastavení programu"), QStringLiteral("; nastavení programu – Žďár"));
    writeAll(path, cp1250(original));

    IniFile f(path);
    ASSERT_TRUE(f.load());
    EXPECT_EQ(f.encoding(), IniFile::Encoding::Windows1250);
    f.setInteger(QStringLiteral("BANKAABO"), QStringLiteral("CisloProPrikaz"), 8);   // changed in place
    f.setValue(QStringLiteral("d3"), QStringLiteral("JinyDatumTop"), QStringLiteral("240")); // new key of a section
    f.setValue(QStringLiteral("Banka1"), QStringLiteral("1"), QStringLiteral("D:\\Účty\\b.kpc")); // after a line without end
    f.setFlag(QStringLiteral("Nová"), QStringLiteral("Zapnuto"), true);                 // new section at the end
    f.setValue(QStringLiteral("D3"), QStringLiteral("Prenos1Left"), QStringLiteral("69")); // unchanged value
    ASSERT_TRUE(f.save());

    const QByteArray expected = cp1250(QStringLiteral("; nastavení programu – Žďár\n"
                                                      "volny=1\n"
                                                      "[D3]\n"
                                                      "Prenos1Top = 120\n"
                                                      "Prenos1Left=69\n"
                                                      "JinyDatumTop=240\n"
                                                      "\n"
                                                      "[bankaabo]\n"
                                                      "UCETNISOUBORY=1\n"
                                                      "  cisloproprikaz =  8\n"
                                                      "jen text bez rovnítka\n"
                                                      "Cesta=\"C:\\Program Files\\Home Bank\\\"\n"
                                                      "\n"
                                                      "[BankaABO]\n"
                                                      "CisloProPrikaz=99\n"
                                                      "[Banka1]\n"
                                                      "0=C:\\data\\Banka.kpc\n"
                                                      "1=D:\\Účty\\b.kpc\n"
                                                      "[Nová]\n"
                                                      "Zapnuto=1\n"));
    EXPECT_EQ(readAll(path), expected);

    f.removeKey(QStringLiteral("d3"), QStringLiteral("JINYDATUMTOP"));
    f.removeSection(QStringLiteral("bankaABO"));
    EXPECT_FALSE(f.hasSection(QStringLiteral("BankaABO")));
    EXPECT_EQ(f.value(QStringLiteral("Banka1"), QStringLiteral("1")), QStringLiteral("D:\\Účty\\b.kpc"));
}

TEST(IniFile, ReadsUtf8AndWindows1250AndWritesEachBackInItsOwnEncoding)
{
    testsupport::TempDir dir;
    const QString text = QStringLiteral("[Banka]\r\n0=C:\\Účetnictví\\Banka.txt\r\n");
    struct Case {
        const char *name;
        QByteArray bytes;
        IniFile::Encoding encoding;
    };
    const Case cases[] = {
        {"windows-1250", cp1250(text), IniFile::Encoding::Windows1250},
        {"utf-8", text.toUtf8(), IniFile::Encoding::Utf8},
        {"utf-8 with bom", "\xEF\xBB\xBF" + text.toUtf8(), IniFile::Encoding::Utf8WithBom},
    };
    for (const Case &c : cases) {
        const QString path = dir.file(QString::fromLatin1(c.name) + QStringLiteral(".ini"));
        writeAll(path, c.bytes);
        IniFile f(path);
        ASSERT_TRUE(f.load());
        EXPECT_EQ(f.encoding(), c.encoding) << c.name;
        EXPECT_EQ(f.value(QStringLiteral("banka"), QStringLiteral("0")), QStringLiteral("C:\\Účetnictví\\Banka.txt")) << c.name;
        f.setValue(QStringLiteral("Banka"), QStringLiteral("1"), QStringLiteral("Žďár"));
        ASSERT_TRUE(f.save());
        const QString added = QStringLiteral("1=Žďár\r\n");
        QByteArray expected = c.bytes;
        expected += c.encoding == IniFile::Encoding::Windows1250 ? cp1250(added) : added.toUtf8();
        EXPECT_EQ(readAll(path), expected) << c.name;
    }

    // A new file is Windows-1250 with CR LF; a value Windows-1250 cannot hold turns the whole
    // file into UTF-8 with a byte order mark rather than losing it.
    const QString path = dir.file(QStringLiteral("nový.ini"));
    IniFile f(path);
    ASSERT_TRUE(f.load());
    f.setValue(QStringLiteral("Banka1"), QStringLiteral("0"), QStringLiteral("Č:\\banka.kpc"));
    ASSERT_TRUE(f.save());
    EXPECT_EQ(readAll(path), cp1250(QStringLiteral("[Banka1]\r\n0=Č:\\banka.kpc\r\n")));
    f.setValue(QStringLiteral("Banka1"), QStringLiteral("1"), QStringLiteral("/home/Документы/banka.kpc"));
    ASSERT_TRUE(f.save());
    EXPECT_EQ(readAll(path), "\xEF\xBB\xBF" + QStringLiteral("[Banka1]\r\n0=Č:\\banka.kpc\r\n1=/home/Документы/banka.kpc\r\n").toUtf8());
    IniFile again(path);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.value(QStringLiteral("Banka1"), QStringLiteral("1")), QStringLiteral("/home/Документы/banka.kpc"));
}

TEST(IniFile, NumbersAndFlagsAsTheWindowsProgramReadThem)
{
    struct Case {
        const char *text;
        int expected;   // with default 42
    };
    const Case cases[] = {
        {"12", 12},          {"  -7 ", -7},         {"+3", 3},          {"$1F", 31},       {"0x10", 16},
        {"007", 7},          {"-2147483648", INT_MIN}, {"2147483647", INT_MAX}, {"2147483648", 42}, {"$FFFFFFFF", -1},
        {"12abc", 42},       {"", 42},              {"1.5", 42},        {"ano", 42},       {"- 1", 42},
    };
    for (const Case &c : cases) {
        IniFile f;
        f.parse(QByteArray("[S]\r\nk=") + c.text + "\r\n");
        EXPECT_EQ(f.integer(QStringLiteral("S"), QStringLiteral("k"), 42), c.expected) << c.text;
    }
    IniFile f;
    f.parse("[S]\r\nzap=1\r\nvyp=0\r\ndva=2\r\nslovo=ano\r\n");
    EXPECT_TRUE(f.flag(QStringLiteral("S"), QStringLiteral("zap"), false));
    EXPECT_FALSE(f.flag(QStringLiteral("S"), QStringLiteral("vyp"), true));
    EXPECT_TRUE(f.flag(QStringLiteral("S"), QStringLiteral("dva"), false));
    EXPECT_TRUE(f.flag(QStringLiteral("S"), QStringLiteral("slovo"), true));
    EXPECT_FALSE(f.flag(QStringLiteral("S"), QStringLiteral("slovo"), false));
    EXPECT_FALSE(f.flag(QStringLiteral("S"), QStringLiteral("chybi"), false));
}

TEST(IniFile, ALineBreakInAValueCannotAddLines)
{
    IniFile f;
    f.parse({});
    f.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("a\r\n[Jiná]\nb=c"));
    EXPECT_EQ(f.toBytes(), cp1250(QStringLiteral("[S]\r\nk=a  [Jiná] b=c\r\n")));
    EXPECT_EQ(f.sections(), QStringList{QStringLiteral("S")});
}

TEST(IniFile, MissingFileIsEmpty)
{
    testsupport::TempDir dir;
    IniFile f(dir.file(QStringLiteral("není.ini")));
    EXPECT_TRUE(f.load());
    EXPECT_TRUE(f.sections().isEmpty());
    EXPECT_EQ(f.integer(QStringLiteral("BankaABO"), QStringLiteral("CisloProPrikaz"), 1), 1);
}

} // namespace
