#include "codepage.h"

#include <array>

namespace codepage {

namespace {

// The upper halves, bytes 0x80 to 0xFF; 0 marks a byte the code page leaves undefined.
const char16_t kWindows1250[128] = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

const char16_t kDos852[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7,  // 0x80
    0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106,  // 0x88
    0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,  // 0x90
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D,  // 0x98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E,  // 0xA0
    0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,  // 0xA8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A,  // 0xB0
    0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,  // 0xB8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,  // 0xC0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // 0xC8
    0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE,  // 0xD0
    0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,  // 0xD8
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,  // 0xE0
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4,  // 0xE8
    0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,  // 0xF0
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,  // 0xF8
};

// Look-alikes for letters and signs that have no decomposition to a base letter.
struct LookAlike {
    char16_t from;
    char to;
};
const LookAlike kLookAlikes[] = {
    {0x00D8, 'O'}, {0x00F8, 'o'}, // Ø ø
    {0x0126, 'H'}, {0x0127, 'h'}, // Ħ ħ
    {0x0131, 'i'},                // ı
    {0x0166, 'T'}, {0x0167, 't'}, // Ŧ ŧ
    {0x0180, 'b'}, {0x0197, 'I'}, {0x01B5, 'Z'}, {0x01B6, 'z'},
    {0x2010, '-'}, {0x2011, '-'}, {0x2012, '-'}, {0x2043, '-'}, {0x2212, '-'}, // hyphens, minus
    {0x2032, '\''}, {0x2033, '"'}, // prime, double prime
};

const char16_t *tableOf(CodePage page) { return page == CodePage::Dos852 ? kDos852 : kWindows1250; }

// Byte of every character of the Basic Multilingual Plane in one code page (0 = none).
class ReverseTable {
public:
    explicit ReverseTable(CodePage page)
    {
        m_bytes.fill(0);
        for (int i = 0; i < 0x80; ++i) m_bytes[size_t(i)] = uchar(i);
        const char16_t *upper = tableOf(page);
        for (int i = 0; i < 128; ++i)
            if (upper[i]) m_bytes[upper[i]] = uchar(0x80 + i);
    }
    // The byte of a character, or -1 when the code page has none.
    int byteOf(char32_t c) const
    {
        if (c == 0) return 0;
        if (c > 0xFFFF) return -1;
        const uchar b = m_bytes[c];
        return b ? int(b) : -1;
    }

private:
    std::array<uchar, 0x10000> m_bytes;
};

const ReverseTable &reverseOf(CodePage page)
{
    static const ReverseTable windows1250(CodePage::Windows1250);
    static const ReverseTable dos852(CodePage::Dos852);
    return page == CodePage::Dos852 ? dos852 : windows1250;
}

bool isMark(char32_t c)
{
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing;
}

bool hasMarkOrSurrogate(const QString &text)
{
    for (QChar ch : text) {
        const ushort u = ch.unicode();
        if (u < 0x0300) continue;
        if (ch.isSurrogate() || isMark(u)) return true;
    }
    return false;
}

// The byte standing in for a character the code page lacks (rule 3 and 4 of the header).
char fallbackByte(const ReverseTable &reverse, char32_t c)
{
    for (const LookAlike &l : kLookAlikes)
        if (l.from == c) return l.to;
    const QString one = QString::fromUcs4(&c, 1);
    for (QString::NormalizationForm form : {QString::NormalizationForm_D, QString::NormalizationForm_KD}) {
        const QString parts = one.normalized(form);
        if (parts == one) continue;
        // The decomposition without its accents must be exactly one character of the code page.
        QString base;
        for (QChar ch : parts)
            if (!isMark(ch.unicode())) base += ch;
        if (base.size() == 1) {
            const int b = reverse.byteOf(base.at(0).unicode());
            if (b > 0) return char(b);
            for (const LookAlike &l : kLookAlikes)
                if (l.from == base.at(0).unicode()) return l.to;
        }
    }
    return '?';
}

// Walks the code points of a text that is already composed.
template <typename Visit>
void forEachCodePoint(const QString &text, Visit visit)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        char32_t c = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(ch, text.at(i + 1));
            ++i;
        }
        visit(c);
    }
}

bool isAscii(const QString &text)
{
    for (QChar ch : text)
        if (ch.unicode() >= 0x80) return false;
    return true;
}

} // namespace

QString toUnicode(CodePage page, const char *data, qsizetype size)
{
    const char16_t *upper = tableOf(page);
    QString out(size, Qt::Uninitialized);
    QChar *o = out.data();
    for (qsizetype i = 0; i < size; ++i) {
        const uchar b = uchar(data[i]);
        if (b < 0x80) o[i] = QChar(b);
        else o[i] = upper[b - 0x80] ? QChar(upper[b - 0x80]) : QChar(QChar::ReplacementCharacter);
    }
    return out;
}

QString toUnicode(CodePage page, const QByteArray &bytes) { return toUnicode(page, bytes.constData(), bytes.size()); }

QByteArray fromUnicode(CodePage page, const QString &input)
{
    if (isAscii(input)) return input.toLatin1();
    const ReverseTable &reverse = reverseOf(page);
    const QString text = hasMarkOrSurrogate(input) ? input.normalized(QString::NormalizationForm_C) : input;
    QByteArray out;
    out.reserve(text.size());
    forEachCodePoint(text, [&](char32_t c) {
        const int b = reverse.byteOf(c);
        if (b >= 0) out.append(char(b));
        else if (isMark(c)) return; // an accent left over after composition
        else out.append(fallbackByte(reverse, c));
    });
    return out;
}

bool canEncode(CodePage page, const QString &input)
{
    if (isAscii(input)) return true;
    const ReverseTable &reverse = reverseOf(page);
    const QString text = hasMarkOrSurrogate(input) ? input.normalized(QString::NormalizationForm_C) : input;
    bool all = true;
    forEachCodePoint(text, [&](char32_t c) {
        if (reverse.byteOf(c) < 0) all = false;
    });
    return all;
}

} // namespace codepage
