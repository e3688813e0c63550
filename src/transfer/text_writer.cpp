#include "text_writer.h"

#include "platform/db/formats.h"

namespace transfer {

namespace {

constexpr int kLineWidth = 100;

void place(QByteArray &line, TextColumn column, const QByteArray &text)
{
    const qsizetype n = qMin<qsizetype>(text.size(), column.width);
    std::copy(text.constData(), text.constData() + n, line.begin() + (column.first - 1));
}

} // namespace

QByteArray textAmount(qint64 hundredths, bool withoutSeparator)
{
    if (withoutSeparator) return QByteArray::number(hundredths);
    QByteArray digits = QByteArray::number(hundredths < 0 ? -hundredths : hundredths);
    while (digits.size() < 3) digits.prepend('0');
    digits.insert(digits.size() - 2, '.');
    return hundredths < 0 ? '-' + digits : digits;
}

QByteArray textLine(const QueueRow &row, bool withoutSeparator)
{
    QByteArray line(kLineWidth, ' ');
    place(line, kTextCu1, bankText(row.cu1));
    place(line, kTextCu2, bankText(row.cu2));
    place(line, kTextKod, bankText(row.kod));
    place(line, kTextSs, bankText(row.ss));
    place(line, kTextVs, bankText(row.vs));
    place(line, kTextKs, bankText(row.ks));
    const QByteArray amount = textAmount(row.hundredths, withoutSeparator);
    // Amounts within the range of Mban.Ca take at most the 14 columns ("-9999999999.99").
    Q_ASSERT(amount.size() <= kTextAmount.width);
    const int width = int(amount.size());
    place(line, {kTextAmount.first + kTextAmount.width - width, width}, amount);
    if (row.ds.isValid()) place(line, kTextDate, db::formatDate(row.ds, QStringLiteral("yymmdd")).toLatin1());
    place(line, kTextTp, bankText(row.tp));
    return withoutTrailingBlanks(std::move(line));
}

} // namespace transfer
