#include "collation.h"

#include <cstring>

namespace db {

namespace {

enum Accent : char { None = 0x02, Acute = 0x03, Caron = 0x04, Ring = 0x05, Umlaut = 0x06, Circumflex = 0x07 };

// Primary weights of the Czech alphabet; letters with their own place (č, ř, š, ž, ch)
// follow their base letter.
const char kLetters[] = "abc\x01" "defgh\x02" "ijklmnopqr\x03" "s\x04" "tuvwxyz\x05";
// \x01 = č, \x02 = ch, \x03 = ř, \x04 = š, \x05 = ž
constexpr unsigned char kLetterBase = 0x30;
constexpr unsigned char kDigitBase = 0x23;

unsigned char letterWeight(char c)
{
    const char *p = std::strchr(kLetters, c);
    return p ? static_cast<unsigned char>(kLetterBase + (p - kLetters)) : 0;
}

// Maps a lower-case character to its base letter (or special marker) and accent.
bool decompose(char16_t c, char &base, Accent &accent)
{
    accent = None;
    if (c >= u'a' && c <= u'z') { base = char(c); return true; }
    switch (c) {
    case u'á': base = 'a'; accent = Acute; return true;
    case u'ä': base = 'a'; accent = Umlaut; return true;
    case u'č': base = '\x01'; return true;
    case u'ď': base = 'd'; accent = Caron; return true;
    case u'é': base = 'e'; accent = Acute; return true;
    case u'ě': base = 'e'; accent = Caron; return true;
    case u'ë': base = 'e'; accent = Umlaut; return true;
    case u'í': base = 'i'; accent = Acute; return true;
    case u'ĺ': base = 'l'; accent = Acute; return true;
    case u'ľ': base = 'l'; accent = Caron; return true;
    case u'ň': base = 'n'; accent = Caron; return true;
    case u'ó': base = 'o'; accent = Acute; return true;
    case u'ô': base = 'o'; accent = Circumflex; return true;
    case u'ö': base = 'o'; accent = Umlaut; return true;
    case u'ŕ': base = 'r'; accent = Acute; return true;
    case u'ř': base = '\x03'; return true;
    case u'š': base = '\x04'; return true;
    case u'ť': base = 't'; accent = Caron; return true;
    case u'ú': base = 'u'; accent = Acute; return true;
    case u'ů': base = 'u'; accent = Ring; return true;
    case u'ü': base = 'u'; accent = Umlaut; return true;
    case u'ý': base = 'y'; accent = Acute; return true;
    case u'ž': base = '\x05'; return true;
    default: return false;
    }
}

void trimTrailing(QByteArray &level)
{
    while (!level.isEmpty() && level.back() == char(None)) level.chop(1);
}

} // namespace

void appendCzechKey(QByteArray &key, QStringView text)
{
    QByteArray primary, secondary, tertiary;
    primary.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar qc = text[i];
        const QChar lower = qc.toLower();
        const bool upper = lower != qc;
        char base;
        Accent accent;
        if (decompose(lower.unicode(), base, accent)) {
            if (base == 'c' && i + 1 < n && text[i + 1].toLower() == QLatin1Char('h')) {
                base = '\x02';
                ++i;
            }
            primary.append(char(letterWeight(base)));
            secondary.append(char(accent));
            tertiary.append(char(upper ? 0x03 : 0x02));
            continue;
        }
        const char16_t c = lower.unicode();
        if (c >= u'0' && c <= u'9') {
            primary.append(char(kDigitBase + (c - u'0')));
        } else if (c == u' ' || c == 0xA0 || c == u'\t') {
            primary.append(char(0x02));
        } else if (c > 0x20 && c < 0x7F) {
            // ASCII punctuation in code order, before digits and letters.
            int idx;
            if (c < u'0') idx = c - u'!';
            else if (c < u'A') idx = 15 + (c - u':');
            else if (c < u'a') idx = 22 + (c - u'[');
            else idx = 28 + (c - u'{');
            primary.append(char(0x03 + idx));
        } else {
            const uint cp = c;
            primary.append(char(0xF0));
            primary.append(char(((cp >> 12) & 0x3F) + 0x02));
            primary.append(char(((cp >> 6) & 0x3F) + 0x02));
            primary.append(char((cp & 0x3F) + 0x02));
        }
        secondary.append(char(None));
        tertiary.append(char(None));
    }
    trimTrailing(secondary);
    trimTrailing(tertiary);
    key.append(primary);
    key.append('\x01');
    key.append(secondary);
    key.append('\x01');
    key.append(tertiary);
    key.append('\x01');
}

int czechCompare(QStringView a, QStringView b)
{
    QByteArray ka, kb;
    appendCzechKey(ka, a);
    appendCzechKey(kb, b);
    const int c = std::memcmp(ka.constData(), kb.constData(), size_t(qMin(ka.size(), kb.size())));
    if (c != 0) return c < 0 ? -1 : 1;
    if (ka.size() != kb.size()) return ka.size() < kb.size() ? -1 : 1;
    return 0;
}

} // namespace db
