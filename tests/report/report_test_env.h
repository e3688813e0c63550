#pragma once

// Helpers of the report and print tests: the application with the fonts of the fixtures only,
// rows in memory, and comparisons with checked-in expectations. Setting the environment
// variable VELORAD_UPDATE_FIXTURES=1 rewrites the expectations instead of comparing.

#include "platform/report/report_data.h"
#include "platform/report/report_fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <cstdlib>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Shows string lists readably in test failure messages.
inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << "{\n";
    for (const QString &s : list) *os << "  \"" << s.toStdString() << "\"\n";
    *os << "}";
}

namespace reporttest {

inline QString fixture(const QString &name) { return QStringLiteral(VELORAD_FIXTURES "/") + name; }

inline bool updatingFixtures() { return qEnvironmentVariableIntValue("VELORAD_UPDATE_FIXTURES") == 1; }

// Starts the application of the test program once. Only the fonts shipped with the fixtures
// are visible to it (a font configuration of our own), so no result depends on the host's fonts.
template <class App = QGuiApplication>
void ensureApplication()
{
    if (QCoreApplication::instance()) return;
    static QTemporaryDir fontConfigDir;
    const QString fonts = fixture(QStringLiteral("fonts"));
    const QString conf = fontConfigDir.filePath(QStringLiteral("fonts.conf"));
    QFile f(conf);
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QStringLiteral("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                               "<fontconfig><dir>%1</dir><cachedir>%2</cachedir></fontconfig>\n")
                    .arg(fonts, fontConfigDir.filePath(QStringLiteral("cache")))
                    .toUtf8());
        f.close();
    }
    qputenv("FONTCONFIG_FILE", QFile::encodeName(conf));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velorad_test";
    static char *argv[] = {name, nullptr};
    new App(argc, argv);
    for (const char *file : {"LiberationMono-Regular.ttf", "LiberationMono-Bold.ttf"})
        report::registerFontFile(QDir(fonts).filePath(QString::fromLatin1(file)));
}

// Rows held in memory.
class MemoryData : public report::ReportData {
public:
    explicit MemoryData(std::vector<QVariantMap> rows = {}) : m_rows(std::move(rows)) {}
    int rowCount() const override { return int(m_rows.size()); }
    void moveTo(int row) override { m_current = row; }
    QVariant value(const QString &field) const override
    {
        if (m_current < 0 || m_current >= rowCount()) return {};
        return m_rows[size_t(m_current)].value(field);
    }
    QString text(const QString &field) const override { return value(field).toString(); }
    std::vector<QVariantMap> m_rows;
    int m_current = -1;
};

// Compares a text with an expectation file line by line.
inline void expectMatchesFixture(const QString &actual, const QString &name)
{
    const QString path = fixture(name);
    if (updatingFixtures()) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        out.write(actual.toUtf8());
        return;
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "missing expectation " << path.toStdString();
    const QStringList want = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    for (int i = 0; i < std::max(want.size(), got.size()); ++i) {
        if (want.value(i) != got.value(i)) {
            ADD_FAILURE() << name.toStdString() << " line " << i + 1 << "\n  expected: " << want.value(i).toStdString()
                          << "\n  actual:   " << got.value(i).toStdString();
            return;
        }
    }
}

// Compares an image with an expected PNG: sizes equal, and at most a small share of pixels
// differing clearly (anti-aliasing and glyph rasterising may differ a little).
inline void expectImageMatchesFixture(const QImage &actual, const QString &name, double maxShare = 0.002)
{
    const QString path = fixture(name);
    if (updatingFixtures()) {
        ASSERT_TRUE(actual.save(path, "PNG")) << path.toStdString();
        return;
    }
    QImage want(path);
    ASSERT_FALSE(want.isNull()) << "missing expectation " << path.toStdString();
    want = want.convertToFormat(QImage::Format_RGB32);
    const QImage got = actual.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(got.size(), want.size());
    qint64 differing = 0;
    for (int y = 0; y < got.height(); ++y) {
        const QRgb *a = reinterpret_cast<const QRgb *>(got.constScanLine(y));
        const QRgb *b = reinterpret_cast<const QRgb *>(want.constScanLine(y));
        for (int x = 0; x < got.width(); ++x) {
            const int d = std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                                    std::abs(qBlue(a[x]) - qBlue(b[x]))});
            if (d > 96) ++differing;
        }
    }
    const double share = double(differing) / double(got.width() * got.height());
    EXPECT_LE(share, maxShare) << name.toStdString() << ": " << differing << " pixels differ";
}

} // namespace reporttest
