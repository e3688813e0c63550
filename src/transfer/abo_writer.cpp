#include "abo_writer.h"

#include "platform/db/formats.h"
#include "platform/ini/ini_file.h"

#include <QHash>
#include <climits>

namespace transfer {

const QString kAboSection = QStringLiteral("BankaABO");
const QString kAboIntervalKey = QStringLiteral("UcetniSoubory");
const QString kAboFromKey = QStringLiteral("UcetniSouboryOd");
const QString kAboToKey = QStringLiteral("UcetniSouboryDo");
const QString kAboNextKey = QStringLiteral("CisloProPrikaz");

namespace {

// A number written with at least three digits ("007", "-005", "1234").
QByteArray threeDigits(int value)
{
    QByteArray digits = QByteArray::number(value < 0 ? -qint64(value) : qint64(value));
    while (digits.size() < 3) digits.prepend('0');
    return value < 0 ? '-' + digits : digits;
}

QByteArray ddmmyy(const QDate &date) { return db::formatDate(date, QStringLiteral("ddmmyy")).toLatin1(); }

QString groupKey(const QueueRow &r)
{
    const QChar sep(0x1F);
    return r.cu1 + sep + r.kodi + sep + (r.ds.isValid() ? QString::number(r.ds.toJulianDay()) : QString()) + sep + r.tp;
}

} // namespace

AboNumbering AboNumbering::read(const ini::IniFile &ini)
{
    AboNumbering n;
    n.interval = ini.flag(kAboSection, kAboIntervalKey, true) && ini.flag(kAboSection, kAboIntervalKey, false);
    n.from = ini.integer(kAboSection, kAboFromKey, 1);
    n.to = ini.integer(kAboSection, kAboToKey, 999);
    n.next = ini.integer(kAboSection, kAboNextKey, 1);
    return n;
}

void AboNumbering::saveNext(ini::IniFile &ini) const { ini.setInteger(kAboSection, kAboNextKey, next); }

int AboNumbering::take()
{
    const int number = next;
    next = next == INT_MAX ? from : next + 1;
    if (next > to) next = from;
    return number;
}

QByteArray aboAmount(qint64 hundredths) { return QByteArray::number(hundredths); }

std::vector<AboGroup> aboGroups(const std::vector<QueueRow> &rows)
{
    std::vector<AboGroup> groups;
    QHash<QString, int> index;
    for (int i = 0; i < int(rows.size()); ++i) {
        const QueueRow &r = rows[size_t(i)];
        const QString key = groupKey(r);
        auto it = index.find(key);
        if (it == index.end()) {
            it = index.insert(key, int(groups.size()));
            AboGroup g;
            g.cu1 = r.cu1;
            g.kodi = r.kodi;
            g.ds = r.ds;
            g.tp = r.tp;
            groups.push_back(std::move(g));
        }
        AboGroup &g = groups[size_t(*it)];
        g.total += r.hundredths;
        g.rows.push_back(i);
    }
    return groups;
}

std::vector<BankLine> aboLines(const std::vector<QueueRow> &rows, const std::vector<AboGroup> &groups,
                               AboNumbering &numbering, const QDate &today)
{
    std::vector<BankLine> lines;
    lines.reserve(rows.size() + groups.size() * 5);
    auto add = [&lines](QByteArray bytes, int row = -1, int group = 0) {
        lines.push_back({withoutTrailingBlanks(std::move(bytes)), row, group});
    };
    const QByteArray fileHeader = numbering.interval ? "UHL1" + ddmmyy(today) + QByteArray(20, ' ') + "0000000000" +
                                                           threeDigits(numbering.from) + threeDigits(numbering.to)
                                                     : QByteArray("UHL1");
    int groupNo = 0;
    for (const AboGroup &g : groups) {
        ++groupNo;
        const QByteArray tp = bankText(g.tp);
        const QByteArray kodi = bankText(g.kodi);
        add(fileHeader);
        if (numbering.interval) add("1 150" + tp + ' ' + threeDigits(numbering.take()) + "000 " + kodi);
        else add("1 150" + tp + " 000000 " + kodi);
        add("2 " + bankText(g.cu1) + ' ' + aboAmount(g.total) + ' ' + ddmmyy(g.ds));
        for (int i : g.rows) {
            const QueueRow &r = rows[size_t(i)];
            add(bankText(r.cu2) + ' ' + aboAmount(r.hundredths) + ' ' + bankText(r.vs) + ' ' + bankText(r.kod) +
                    bankText(r.ks) + ' ' + bankText(r.ss) + ' ' + bankText(r.uppAv),
                i, groupNo);
        }
        add("3 +");
        add("5 +");
    }
    return lines;
}

} // namespace transfer
