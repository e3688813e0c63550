#include "ini_file.h"

#include "platform/codepage/codepage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace ini {

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool isAsciiBytes(const QByteArray &bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80) return false;
    return true;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

QString withoutLineBreaks(QString text)
{
    for (QChar &c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) c = QLatin1Char(' ');
    return text;
}

// The value of a key line: after the first "=", trimmed, one pair of matching outer quotes removed.
QString valueOfLine(const QString &text)
{
    QString v = text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2) {
        const QChar q = v.front();
        if ((q == QLatin1Char('"') || q == QLatin1Char('\'')) && v.back() == q) v = v.mid(1, v.size() - 2);
    }
    return v;
}

} // namespace

IniFile::Line IniFile::makeLine(const QString &text)
{
    Line line;
    line.text = text;
    classify(line);
    return line;
}

void IniFile::classify(Line &line)
{
    const QString t = line.text.trimmed();
    line.name.clear();
    if (t.isEmpty()) {
        line.kind = Kind::Blank;
    } else if (t.front() == QLatin1Char(';')) {
        line.kind = Kind::Comment;
    } else if (t.front() == QLatin1Char('[')) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        line.kind = Kind::Section;
        line.name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    } else {
        const qsizetype eq = line.text.indexOf(QLatin1Char('='));
        const QString key = eq < 0 ? QString() : line.text.left(eq).trimmed();
        line.kind = key.isEmpty() ? Kind::Other : Kind::Key;
        line.name = key;
    }
}

void IniFile::parse(const QByteArray &input)
{
    m_lines.clear();
    m_newLineEnd.clear();
    QByteArray bytes = input;
    if (bytes.startsWith(kBom)) {
        m_encoding = Encoding::Utf8WithBom;
        bytes.remove(0, kBom.size());
    } else if (!isAsciiBytes(bytes) && isValidUtf8(bytes)) {
        m_encoding = Encoding::Utf8;
    } else {
        m_encoding = Encoding::Windows1250;
    }
    const bool utf8 = m_encoding != Encoding::Windows1250;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        qsizetype next = end;
        QByteArray eol;
        if (end < n) {
            if (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') eol = QByteArrayLiteral("\r\n");
            else eol = QByteArray(1, bytes[end]);
            next = end + eol.size();
        }
        Line line;
        line.raw = bytes.mid(start, end - start);
        line.eol = eol;
        line.text = utf8 ? QString::fromUtf8(line.raw) : codepage::toUnicode(codepage::CodePage::Windows1250, line.raw);
        classify(line);
        m_lines.push_back(std::move(line));
        if (m_newLineEnd.isEmpty()) m_newLineEnd = eol;
        start = next;
    }
    if (m_newLineEnd.isEmpty()) m_newLineEnd = QByteArrayLiteral("\r\n");
}

bool IniFile::load()
{
    QFile file(m_path);
    if (!file.exists()) {
        parse({});
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        parse({});
        return false;
    }
    parse(file.readAll());
    return file.error() == QFileDevice::NoError;
}

IniFile::Encoding IniFile::encodingForSave() const
{
    if (m_encoding != Encoding::Windows1250) return m_encoding;
    for (const Line &l : m_lines)
        if (l.changed && !codepage::canEncode(codepage::CodePage::Windows1250, l.text)) return Encoding::Utf8WithBom;
    return m_encoding;
}

QByteArray IniFile::encodeLine(const QString &text, Encoding encoding) const
{
    if (encoding == Encoding::Windows1250) return codepage::fromUnicode(codepage::CodePage::Windows1250, text);
    return text.toUtf8();
}

QByteArray IniFile::toBytes() const
{
    const Encoding encoding = encodingForSave();
    QByteArray out;
    if (encoding == Encoding::Utf8WithBom) out += kBom;
    for (const Line &l : m_lines) {
        out += (l.changed || encoding != m_encoding) ? encodeLine(l.text, encoding) : l.raw;
        out += l.eol;
    }
    return out;
}

bool IniFile::save()
{
    const QByteArray bytes = toBytes();
    QSaveFile file(m_path);
    file.setDirectWriteFallback(true); // a folder where no new file may be made, as Windows writes
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    parse(bytes);
    return true;
}

int IniFile::findSection(const QString &section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section)) return int(i);
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    int j = sectionLine + 1;
    while (j < int(m_lines.size()) && m_lines[size_t(j)].kind != Kind::Section) ++j;
    return j;
}

int IniFile::findKey(const QString &section, const QString &key) const
{
    const int s = findSection(section);
    if (s < 0) return -1;
    const int end = sectionEnd(s);
    for (int j = s + 1; j < end; ++j)
        if (m_lines[size_t(j)].kind == Kind::Key && sameName(m_lines[size_t(j)].name, key)) return j;
    return -1;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Line &l : m_lines) {
        if (l.kind != Kind::Section) continue;
        bool seen = false;
        for (const QString &n : names) seen = seen || sameName(n, l.name);
        if (!seen) names << l.name;
    }
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    QStringList names;
    const int s = findSection(section);
    if (s < 0) return names;
    const int end = sectionEnd(s);
    for (int j = s + 1; j < end; ++j) {
        const Line &l = m_lines[size_t(j)];
        if (l.kind != Kind::Key) continue;
        bool seen = false;
        for (const QString &n : names) seen = seen || sameName(n, l.name);
        if (!seen) names << l.name;
    }
    return names;
}

bool IniFile::contains(const QString &section, const QString &key) const { return findKey(section, key) >= 0; }

QString IniFile::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    const int k = findKey(section, key);
    return k < 0 ? defaultValue : valueOfLine(m_lines[size_t(k)].text);
}

bool IniFile::parseInteger(const QString &input, int *value)
{
    QString t = input.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('+')) || t.startsWith(QLatin1Char('-'))) {
        negative = t.front() == QLatin1Char('-');
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty()) return false;
    qint64 v = 0;
    for (QChar c : t) {
        int d = -1;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            d = c.unicode() - '0';
        } else if (base == 16) {
            const char16_t l = c.toLower().unicode();
            if (l >= 'a' && l <= 'f') d = l - 'a' + 10;
        }
        if (d < 0) return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) return false;
    }
    if (base == 16) {
        if (v > 0xFFFFFFFFLL) return false;
        v = qint64(qint32(quint32(v))); // hexadecimal digits give the 32 bits as written
    } else if (v > (negative ? 2147483648LL : 2147483647LL)) {
        return false;
    }
    if (negative) v = -v;
    if (v < -2147483648LL || v > 2147483647LL) return false;
    *value = int(v);
    return true;
}

int IniFile::integer(const QString &section, const QString &key, int defaultValue) const
{
    const int k = findKey(section, key);
    int v = defaultValue;
    if (k >= 0 && parseInteger(valueOfLine(m_lines[size_t(k)].text), &v)) return v;
    return defaultValue;
}

bool IniFile::flag(const QString &section, const QString &key, bool defaultValue) const
{
    return integer(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::insertLine(int at, const QString &text)
{
    Line line = makeLine(text);
    line.changed = true;
    line.eol = m_newLineEnd;
    if (at > 0 && m_lines[size_t(at - 1)].eol.isEmpty()) m_lines[size_t(at - 1)].eol = m_newLineEnd;
    m_lines.insert(m_lines.begin() + at, std::move(line));
}

void IniFile::setValue(const QString &section, const QString &keyName, const QString &valueText)
{
    const QString sectionName = withoutLineBreaks(section).trimmed();
    const QString key = withoutLineBreaks(keyName).trimmed();
    const QString value = withoutLineBreaks(valueText);
    const int k = findKey(sectionName, key);
    if (k >= 0) {
        Line &line = m_lines[size_t(k)];
        const qsizetype eq = line.text.indexOf(QLatin1Char('='));
        const QString after = line.text.mid(eq + 1);
        qsizetype blanks = 0;
        while (blanks < after.size() && (after[blanks] == QLatin1Char(' ') || after[blanks] == QLatin1Char('\t'))) ++blanks;
        const QString text = line.text.left(eq + 1) + (value.isEmpty() ? QString() : after.left(blanks)) + value;
        if (text == line.text) return;
        line.text = text;
        line.changed = true;
        return;
    }
    const int s = findSection(sectionName);
    if (s >= 0) {
        int at = sectionEnd(s);
        while (at - 1 > s && m_lines[size_t(at - 1)].kind == Kind::Blank) --at;
        insertLine(at, key + QLatin1Char('=') + value);
        return;
    }
    insertLine(int(m_lines.size()), QLatin1Char('[') + sectionName + QLatin1Char(']'));
    insertLine(int(m_lines.size()), key + QLatin1Char('=') + value);
}

void IniFile::setInteger(const QString &section, const QString &key, int value) { setValue(section, key, QString::number(value)); }

void IniFile::setFlag(const QString &section, const QString &key, bool value)
{
    setValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::removeKey(const QString &section, const QString &key)
{
    const int k = findKey(section, key);
    if (k >= 0) m_lines.erase(m_lines.begin() + k);
}

void IniFile::removeSection(const QString &section)
{
    for (int s = findSection(section); s >= 0; s = findSection(section))
        m_lines.erase(m_lines.begin() + s, m_lines.begin() + sectionEnd(s));
}

} // namespace ini
