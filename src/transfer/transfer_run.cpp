#include "transfer_run.h"

#include "abo_writer.h"
#include "text_writer.h"

#include "data/data_module.h"
#include "data/program_state.h"
#include "data/table_rules.h"
#include "platform/db/connection.h"
#include "platform/db/errors.h"
#include "platform/db/formats.h"
#include "platform/ini/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace transfer {

namespace {

// The bank file being written: its folder made, an older file of its name deleted first, every
// line ended with CR LF.
class BankFile {
public:
    explicit BankFile(const QString &path) : m_file(path) {}

    bool create()
    {
        const QString path = m_file.fileName();
        const QString folder = QFileInfo(path).absolutePath();
        if (!QFileInfo(folder).isDir()) QDir().mkdir(folder);
        if (!QFileInfo(folder).isDir()) QDir().mkpath(folder);
        const QFileInfo info(path);
        if ((info.exists() || info.isSymLink()) && !QFile::remove(path)) return false;
        return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    bool writeLine(const QByteArray &bytes)
    {
        m_buffer += bytes;
        m_buffer += "\r\n";
        return m_buffer.size() < kChunk || writeBuffer();
    }
    // Writes what is left and closes the file; false when anything could not be written.
    bool finish()
    {
        const bool ok = writeBuffer() && m_file.flush();
        m_file.close();
        return ok && m_file.error() == QFileDevice::NoError;
    }
    void remove()
    {
        m_file.close();
        QFile::remove(m_file.fileName());
    }

private:
    static constexpr qsizetype kChunk = 1 << 16;
    bool writeBuffer()
    {
        if (m_buffer.isEmpty()) return true;
        const bool ok = m_file.write(m_buffer) == m_buffer.size();
        m_buffer.clear();
        return ok;
    }
    QFile m_file;
    QByteArray m_buffer;
};

// Stores a line number in Rd, or leaves Rd empty when the number is beyond what the field holds.
void setLineNumber(db::Field &field, qint64 number)
{
    double lo = field.minValue(), hi = field.maxValue();
    if (!field.hasRange()) {
        lo = field.dataType() == db::FieldType::Small ? -32768.0 : -2147483648.0;
        hi = field.dataType() == db::FieldType::Small ? 32767.0 : 2147483647.0;
    }
    if (double(number) < lo || double(number) > hi) field.clear();
    else field.setAsInteger(number);
}

// Moves to a row: first at its expected place, else by looking for it.
bool positionOn(db::Table &table, qint64 rowId, int recNo)
{
    if (recNo <= table.recordCount()) {
        table.setRecNo(recNo);
        if (table.rowId() == rowId) return true;
    }
    return table.gotoRowId(rowId);
}

// Puts a table back into an order when it goes out of scope.
class OrderGuard {
public:
    OrderGuard(db::Table &table, const QString &order) : m_table(table), m_order(table.indexName())
    {
        m_changed = m_order != order;
        if (m_changed) m_table.setIndexName(order);
    }
    ~OrderGuard()
    {
        if (!m_changed || !m_table.active()) return;
        try {
            m_table.setIndexName(m_order);
        } catch (...) {
        }
    }

private:
    db::Table &m_table;
    QString m_order;
    bool m_changed = false;
};

QString absolutePath(const QString &path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

} // namespace

QString cannotCreateMessage(const QString &filePath) { return QStringLiteral("Soubor %1 nelze vytvořit.").arg(filePath); }

bool inTransferMode(data::TDM1 &dm) { return dm.Mtt.active() && dm.MttZak->asBoolean(); }

BankFormat formatSetting(data::TDM1 &dm)
{
    return dm.Mtt.active() && dm.MttBanka->asBoolean() ? BankFormat::Text : BankFormat::Abo;
}

bool amountWithoutSeparator(data::TDM1 &dm)
{
    if (inTransferMode(dm)) return dm.Pmt.active() && dm.PmtOdl->asBoolean();
    return dm.Modf.active() && dm.ModfOdl->asBoolean();
}

QString dataSetIniPath(const QString &dataSetFolder)
{
    const QDir dir(dataSetFolder);
    const QString name = QFileInfo(QDir::cleanPath(dataSetFolder)).fileName() + QStringLiteral(".ini");
    const QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact)) return exact;
    for (const QString &f : dir.entryList(QDir::Files | QDir::Hidden))
        if (f.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(f);
    return exact;
}

void openQueue(data::TDM1 &dm)
{
    dm.Mban.setIndexName(inTransferMode(dm) ? QString() : QStringLiteral("Ds"));
    dm.Mban.open();
    dm.Mban.first();
}

void closeQueue(data::TDM1 &dm)
{
    dm.Mban.close();
    dm.Mban1.close();
    dm.Mban.setIndexName(QStringLiteral("Ds"));
}

void emptyQueue(data::TDM1 &dm)
{
    dm.Mban.emptyTable();
    dm.Mban.close();
    dm.Mban.open();
}

QueueRow currentRow(data::TDM1 &dm)
{
    QueueRow r;
    r.rowId = dm.Mban.rowId();
    r.cu1 = dm.MbanCu1->asString();
    r.kodi = dm.MbanKodi->asString();
    r.cu2 = dm.MbanCu2->asString();
    r.kod = dm.MbanKod->asString();
    r.vs = dm.MbanVs->asString();
    r.ks = dm.MbanKs->asString();
    r.ss = dm.MbanSs->asString();
    r.tp = dm.MbanTp->asString();
    r.uppAv = dm.MbanUppAv->asString();
    r.ds = dm.MbanDs->asDate();
    const double amount = dm.MbanCa->asFloat();
    dm.MbanCa->convert(QVariant(amount)); // a row written by another program may be out of range
    r.hundredths = db::toHundredths(amount);
    return r;
}

std::vector<QueueRow> readQueue(data::TDM1 &dm)
{
    db::Table &queue = dm.Mban;
    if (!queue.active()) queue.open();
    std::vector<QueueRow> rows;
    rows.reserve(size_t(queue.recordCount()));
    for (queue.first(); !queue.eof(); queue.next()) rows.push_back(currentRow(dm));
    return rows;
}

TransferSession::TransferSession(data::TDM1 &dm, const QString &dataRoot) : m_dm(dm), m_dataRoot(dataRoot) {}

void TransferSession::fillMban1(const std::vector<AboGroup> &groups)
{
    db::Table &totals = m_dm.Mban1;
    totals.close();
    totals.emptyTable();
    totals.open();
    db::Transaction tx(totals.connection());
    try {
        for (const AboGroup &g : groups) {
            totals.append();
            m_dm.Mban1Cu1->setAsString(g.cu1);
            m_dm.Mban1Kodi->setAsString(g.kodi);
            m_dm.Mban1Ds->setAsDate(g.ds);
            m_dm.Mban1Tp->setAsString(g.tp);
            m_dm.Mban1Cac->setAsFloat(db::fromHundredths(g.total));
            totals.post();
        }
    } catch (...) {
        totals.cancel();
        throw;
    }
    tx.commit();
}

void TransferSession::numberRows(const std::vector<QueueRow> &rows, const std::vector<BankLine> &lines, BankFormat format)
{
    db::Table &queue = m_dm.Mban;
    // In ID order a save never moves a row (in due-date order the Za1 rule may), and the rows
    // are saved in the order they lie in the file of the table: each is found at its place.
    OrderGuard order(queue, QString());
    std::vector<qint64> ids;
    ids.reserve(rows.size());
    for (const QueueRow &r : rows) ids.push_back(r.rowId);
    std::sort(ids.begin(), ids.end());
    struct Number {
        int recNo, row, line, group;
    };
    std::vector<Number> numbers;
    numbers.reserve(rows.size());
    for (int i = 0; i < int(lines.size()); ++i) {
        const BankLine &line = lines[size_t(i)];
        if (line.row < 0) continue;
        const qint64 id = rows[size_t(line.row)].rowId;
        const int recNo = int(std::lower_bound(ids.begin(), ids.end(), id) - ids.begin()) + 1;
        numbers.push_back({recNo, line.row, i + 1, line.group});
    }
    std::sort(numbers.begin(), numbers.end(), [](const Number &a, const Number &b) { return a.recNo < b.recNo; });
    try {
        for (const Number &n : numbers) {
            if (!positionOn(queue, rows[size_t(n.row)].rowId, n.recNo)) continue; // deleted by another user meanwhile
            queue.edit();
            setLineNumber(*m_dm.MbanRd, n.line);
            if (format == BankFormat::Abo) m_dm.MbanM1->setAsInteger(n.group);
            queue.post();
        }
    } catch (...) {
        queue.cancel(); // before the order is put back, which would save the refused row again
        throw;
    }
}

RunOutcome TransferSession::run(BankFormat format, const QString &filePath, const QString &programPath)
{
    RunOutcome outcome;
    data::ProgramState &ps = data::program();
    db::Table &queue = m_dm.Mban;
    const bool abo = format == BankFormat::Abo;
    try {
        if (m_dm.Modf.active()) m_dm.Modf.checkBrowseMode();
        if (queue.active()) queue.checkBrowseMode();
    } catch (const db::DbError &e) {
        outcome.error = e.message();
        return outcome;
    } catch (const db::Abort &) {
        return outcome;
    }

    const QString iniPath = dataSetIniPath(m_dm.Orvidas.directory());
    AboNumbering numbering;
    if (abo) {
        ini::IniFile settings(iniPath);
        settings.load();
        numbering = AboNumbering::read(settings);
    }

    BankFile file(absolutePath(filePath));
    if (!file.create()) {
        outcome.error = cannotCreateMessage(filePath);
        return outcome;
    }

    const bool statusOn = ps.statusUpdatesOn;
    ps.statusUpdatesOn = false;
    queue.disableControls();
    bool done = false;
    std::optional<db::Transaction> tx;
    try {
        if (!queue.active()) queue.open();
        if (abo) {
            queue.setFiltered(false);
            queue.setFilter(QString());
        }
        // One transaction for the run: the queue is read and every Rd/M1 saved under it, with
        // one disk sync at the end.
        tx.emplace(queue.connection());
        const std::vector<QueueRow> rows = readQueue(m_dm);
        std::vector<BankLine> lines;
        if (abo) {
            const std::vector<AboGroup> groups = aboGroups(rows);
            fillMban1(groups);
            lines = aboLines(rows, groups, numbering, ps.today());
        } else {
            const bool withoutSeparator = amountWithoutSeparator(m_dm);
            lines.reserve(rows.size());
            for (int i = 0; i < int(rows.size()); ++i) lines.push_back({textLine(rows[size_t(i)], withoutSeparator), i, 0});
        }
        // The whole file is on disk before the first row gets its number.
        bool written = true;
        for (const BankLine &line : lines) written = written && file.writeLine(line.bytes);
        if (written && file.finish()) {
            numberRows(rows, lines, format);
            outcome.rowsWritten = int(rows.size());
            outcome.linesWritten = int(lines.size());
            tx->commit();
            tx.reset();
            done = true;
        } else {
            outcome.error = cannotCreateMessage(filePath);
        }
    } catch (const db::DbError &e) {
        outcome.error = e.message();
    } catch (const db::Abort &) {
        outcome.error.clear();
    }
    if (tx) {
        // The rows numbered before the failure keep their numbers.
        queue.cancel();
        try {
            tx->commit();
        } catch (const db::DbError &e) {
            if (outcome.error.isEmpty()) outcome.error = e.message();
        }
        tx.reset();
    }
    if (abo) {
        if (queue.active()) {
            queue.setFiltered(false);
            queue.setFilter(QString());
        }
        m_dm.Mban1.close();
    }
    if (queue.active()) queue.first();
    queue.enableControls();
    ps.statusUpdatesOn = statusOn;
    if (!done) {
        file.remove(); // a bank file that was not written whole is never left behind
        if (queue.active()) data::Zaznam(queue, data::tableCount(queue) = queue.recordCount());
        return outcome;
    }

    if (abo && numbering.interval) {
        // Read again so that other keys changed meanwhile stay as they are now.
        ini::IniFile settings(iniPath);
        if (!settings.load() || (numbering.saveNext(settings), !settings.save()))
            outcome.warning = QStringLiteral("Číslo pro další příkaz %1 nelze uložit do souboru %2.")
                                  .arg(numbering.next)
                                  .arg(QDir::toNativeSeparators(iniPath));
    }
    data::Zaznam(queue, data::tableCount(queue) = queue.recordCount());
    if (queue.isEmpty()) file.remove();
    else outcome.fileKept = true;
    startBankProgram(programPath);
    outcome.ok = true;
    return outcome;
}

void TransferSession::startBankProgram(const QString &programPath)
{
    if (programPath.trimmed().isEmpty() || m_programStarted) return;
    m_programStarted = true;
    QDir::setCurrent(QFileInfo(programPath).absolutePath());
    if (openProgram) openProgram(programPath);
    QDir::setCurrent(m_dataRoot);
}

} // namespace transfer
