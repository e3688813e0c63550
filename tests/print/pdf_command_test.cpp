// The headless "pdf" subcommand, run in this test program.
#include "print_fixture.h"

#include "cli/pdf_command.h"

namespace {

// What one run of the subcommand printed and returned.
struct Result {
    int status = -1;
    QString out;
    QString err;
};

class PdfCommand : public PrintTest {
protected:
    Result run(const QStringList &extra)
    {
        QString out, err;
        QTextStream o(&out), e(&err);
        Result r;
        r.status = cli::runPdfCommand(QStringList{"--data-root", root.path(), "--dataset", folder} + extra, o, e);
        o.flush();
        e.flush();
        r.out = out;
        r.err = err;
        return r;
    }
    QString pdf() const { return root.file(QStringLiteral("příkaz.pdf")); }
    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(PdfCommand, WritesTheReportOfANodeAndPrintsItsPageCount)
{
    addStandardRun();
    struct Case {
        const char *node;
        QString pages;
    } cases[] = {{"1", "1\n"}, {"5", "1\n"}, {"9", "1\n"}, {"13", "1\n"}};
    for (const Case &c : cases) {
        QFile::remove(pdf());
        const Result r = run({"--report", QString::fromLatin1(c.node), "--out", pdf()});
        EXPECT_EQ(r.status, 0) << c.node << r.err.toStdString();
        EXPECT_EQ(r.out, c.pages) << c.node;
        EXPECT_EQ(r.err, QString());
        const QByteArray bytes = readAll(pdf());
        EXPECT_TRUE(bytes.startsWith("%PDF-")) << c.node;
    }
    EXPECT_FALSE(data::program().isOpen(data::WindowId::PrintCentre));
}

TEST_F(PdfCommand, WrongArgumentsAreUsageErrors)
{
    const QList<QStringList> wrong = {
        {"--report", "4", "--out", "x.pdf"},
        {"--report", "14", "--out", "x.pdf"},
        {"--report", "jedna", "--out", "x.pdf"},
        {"--report", "1"},
        {"--report", "1", "--out", "x.pdf", "navíc"},
        {"--report", "1", "--out", "x.pdf", "--format", "abo"},
    };
    for (const QStringList &args : wrong) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST_F(PdfCommand, RefusesLikeThePrintCentre)
{
    addStandardRun();
    // An empty run date: the date check of the print centre.
    setMtt([&] { dm.MttDz->clear(); });
    Result r = run({"--report", "1", "--out", pdf()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("Zadejte datum - Velorad\n"));
    EXPECT_FALSE(QFile::exists(pdf()));
    // The book of orders is refused too: the check runs whatever report is chosen.
    EXPECT_EQ(run({"--report", "9", "--out", pdf()}).err, QStringLiteral("Zadejte datum - Velorad\n"));
    setMtt([&] { dm.MttDz->setAsDate(QDate(2004, 3, 30)); });
    // A run without payments prints no order.
    r = run({"--report", "5", "--out", pdf()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("Ve výběru není žádný příkaz.\n"));
    EXPECT_FALSE(QFile::exists(pdf()));
    // A data set that is not in the registry.
    QString out, err;
    QTextStream o(&out), e(&err);
    EXPECT_EQ(cli::runPdfCommand({"--data-root", root.path(), "--dataset", "D9", "--report", "9", "--out", pdf()}, o, e), 1);
}

TEST_F(PdfCommand, PasswordMustBeGivenAndRight)
{
    app::DatasetRegistry registry(root.path());
    registry.setPassword(1, QStringLiteral("tajné"));
    const QString wrong = app::DatasetRegistry::wrongPasswordMessage() + QLatin1Char('\n');
    EXPECT_EQ(run({"--report", "12", "--out", pdf()}).err, wrong);
    EXPECT_EQ(run({"--report", "12", "--out", pdf(), "--password", "Tajné"}).err, wrong);
    EXPECT_FALSE(QFile::exists(pdf()));
    const Result r = run({"--report", "12", "--out", pdf(), "--password", "tajné"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(pdf()));
}

TEST_F(PdfCommand, AFileThatCannotBeWrittenFails)
{
    addStandardRun();
    const QString bad = root.file(QStringLiteral("není/příkaz.pdf"));
    const Result r = run({"--report", "1", "--out", bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("Soubor %1 nelze vytvořit.\n").arg(bad));
}
