#include "bank_lines.h"

#include "platform/codepage/codepage.h"

namespace transfer {

QByteArray bankText(const QString &text)
{
    bool clean = true;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
            clean = false;
            break;
        }
    }
    if (clean) return codepage::fromUnicode(codepage::CodePage::Windows1250, text);
    QString t = text;
    for (QChar &c : t) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0)) c = QLatin1Char(' ');
    }
    return codepage::fromUnicode(codepage::CodePage::Windows1250, t);
}

QByteArray withoutTrailingBlanks(QByteArray line)
{
    qsizetype n = line.size();
    while (n > 0 && line.at(n - 1) == ' ') --n;
    line.truncate(n);
    return line;
}

} // namespace transfer
