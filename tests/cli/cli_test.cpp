#include "data/data_files.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// What one run of the program printed and returned.
struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

Result runOrvidan(const QStringList &args)
{
    static int argc = 1;
    static char name[] = "test_cli";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);

    QProcess p;
    p.start(QStringLiteral(ORVIDAN_EXE), args);
    EXPECT_TRUE(p.waitForFinished(60000)) << args.join(' ').toStdString();
    Result r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList sortedFiles(const QString &folder)
{
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    files.sort();
    return files;
}

TEST(Cli, NewCreatesTheDataRootAndDataSetsAndListShowsThem)
{
    testsupport::TempDir dir;
    const QString root = dir.file(QStringLiteral("nová data"));

    const Result first = runOrvidan({QStringLiteral("new"), QStringLiteral("--data-root"), root, QStringLiteral("Firma A")});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, QStringLiteral("D1\n"));
    EXPECT_EQ(first.err, QString());
    QStringList expected = data::dataFiles();
    expected.sort();
    EXPECT_EQ(sortedFiles(root + QStringLiteral("/D1")), expected);
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/Data/Mbz.DB")));
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/Data.DB")));

    const Result second =
        runOrvidan({QStringLiteral("new"), QStringLiteral("--data-root=") + root, QStringLiteral("Škoda, Žďár n. S.")});
    EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_EQ(second.out, QStringLiteral("D2\n"));
    EXPECT_EQ(sortedFiles(root + QStringLiteral("/D2")), expected);

    const Result list = runOrvidan({QStringLiteral("list"), QStringLiteral("--data-root"), root});
    EXPECT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_EQ(list.out, QStringLiteral("1\tFirma A\tD1\n2\tŠkoda, Žďár n. S.\tD2\n"));
    EXPECT_EQ(list.err, QString());
}

TEST(Cli, HelpListsTheSubcommandsInCzech)
{
    const Result help = runOrvidan({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Použití: Orvidan PŘÍKAZ")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("Orvidan list --data-root ADRESÁŘ")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("Orvidan new --data-root ADRESÁŘ NÁZEV")));
}

TEST(Cli, ErrorsGoToStandardErrorInCzechWithNonZeroStatus)
{
    testsupport::TempDir dir;
    const QString root = dir.path();
    const QString aFile = dir.file(QStringLiteral("soubor"));
    {
        QFile f(aFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString dr = QStringLiteral("--data-root");
    struct Case {
        QStringList args;
        int exitCode;
        QString message;
    };
    const Case cases[] = {
        {{QStringLiteral("vypis")}, 2, QStringLiteral("Neznámý příkaz: vypis")},
        {{QStringLiteral("list")}, 2, QStringLiteral("Chybí volba --data-root")},
        {{QStringLiteral("new"), QStringLiteral("Firma")}, 2, QStringLiteral("Chybí volba --data-root")},
        {{QStringLiteral("list"), dr}, 2, QStringLiteral("Volba --data-root vyžaduje hodnotu.")},
        {{QStringLiteral("list"), QStringLiteral("--root"), root}, 2, QStringLiteral("Neznámá volba: --root")},
        {{QStringLiteral("new"), dr, root}, 2, QStringLiteral("Chybí název")},
        {{QStringLiteral("new"), dr, root, QStringLiteral("  ")}, 2, QStringLiteral("nesmí být prázdný")},
        {{QStringLiteral("new"), dr, root, QStringLiteral("Příliš dlouhý název 21")}, 2, QStringLiteral("nejvýše 20 znaků")},
        {{QStringLiteral("new"), dr, aFile + QStringLiteral("/data"), QStringLiteral("Firma")}, 1,
         QStringLiteral("nelze vytvořit")},
        {{QStringLiteral("list"), dr, root + QStringLiteral("/chybí")}, 1, QStringLiteral("neexistuje")},
        {{QStringLiteral("list"), dr, root}, 1, QStringLiteral("není seznam Velorad")},
    };
    for (const Case &c : cases) {
        const Result r = runOrvidan(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, c.exitCode) << what;
        EXPECT_TRUE(r.err.contains(c.message)) << what << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, QString()) << what;
    }
    // Nothing was created by the refused commands.
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("soubor")});
}

} // namespace
