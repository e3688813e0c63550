#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Windows INI files (the program INI and the data-set INI files), read and written the way
// Windows' profile functions treat them, so that files edited by hand or written by the
// earlier Windows program keep their look:
//
// - "[Name]" starts a section; "key=value" is a key of the section above it; a line starting
//   with ";" is a comment. Section and key names are found regardless of case (Czech letters
//   included); the first section of a name and its first key of a name count.
// - A value is the text after the first "=", without the blanks around it and without one
//   pair of matching outer quotes ("..." or '...'). Nothing else is interpreted: backslashes,
//   commas, percent signs stay as they are.
// - Writing changes only the lines it must: a changed key keeps its line, its name as spelled
//   in the file and its place; a new key goes after the last line of its section; a new section
//   goes at the end. Every other line — comments, blank lines, lines that are neither section
//   nor key, duplicates — is written back byte for byte with its own line end. New lines end
//   like the file's first line (CR LF in a new file). Line breaks inside a value or a name
//   are written as blanks, so one value can never become several lines.
// - Encoding. A file is read as UTF-8 when it starts with the UTF-8 byte order mark or when
//   all of it is valid UTF-8 with at least one non-ASCII character; otherwise as Windows-1250,
//   the code page the Windows program wrote. It is written back in the encoding it was read
//   in (a byte order mark stays); a new file is written in Windows-1250. When a changed line
//   holds a character Windows-1250 cannot hold (a path with Cyrillic letters, for example),
//   the whole file is written as UTF-8 with a byte order mark instead, so nothing is lost.
// - Numbers and flags are read like the Windows program read them: an integer is an optional
//   sign and decimal digits, or hexadecimal after "$" or "0x"; anything else, a number out
//   of the 32-bit range and a missing key give the default. A flag is an integer, true when
//   it is not 0. Flags are written as "1" and "0".
// - Saving goes through a temporary file in the same folder that replaces the file at the
//   end, so a failed save leaves the old file whole (in a folder where no new file may be
//   made, the file is written in place).
namespace ini {

// One INI file in memory: its lines, with what they mean, and the changes not yet saved.
class IniFile {
public:
    enum class Encoding { Windows1250, Utf8, Utf8WithBom };

    IniFile() = default;
    explicit IniFile(const QString &path) : m_path(path) {}

    const QString &path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }

    // Reads the file. A missing file reads as an empty INI and gives true; a file that exists
    // but cannot be read gives false and leaves the INI empty.
    bool load();
    // Writes the INI to its path; false when it cannot be written (the old file stays).
    bool save();
    // The same from and to bytes (what load and save read and write).
    void parse(const QByteArray &bytes);
    QByteArray toBytes() const;

    Encoding encoding() const { return m_encoding; }

    QStringList sections() const;                          // names as spelled, first of each name
    QStringList keys(const QString &section) const;        // keys of the first section of that name
    bool hasSection(const QString &section) const { return findSection(section) >= 0; }
    bool contains(const QString &section, const QString &key) const;

    QString value(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    int integer(const QString &section, const QString &key, int defaultValue) const;
    bool flag(const QString &section, const QString &key, bool defaultValue) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void setInteger(const QString &section, const QString &key, int value);
    void setFlag(const QString &section, const QString &key, bool value);
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);

    // The integer rule above, for a text already taken from a file.
    static bool parseInteger(const QString &text, int *value);

private:
    enum class Kind { Blank, Comment, Section, Key, Other };
    struct Line {
        QByteArray raw;      // the bytes as read (without the line end); empty for new lines
        QByteArray eol;      // "\r\n", "\n", "\r" or "" (last line without an end)
        QString text;        // the decoded text
        Kind kind = Kind::Other;
        QString name;        // section or key name
        bool changed = false; // written from text, not from raw
    };
    static Line makeLine(const QString &text);
    static void classify(Line &line);
    int findSection(const QString &section) const;
    int sectionEnd(int sectionLine) const;                 // index after the section's last line
    int findKey(const QString &section, const QString &key) const;
    void insertLine(int at, const QString &text);
    QByteArray encodeLine(const QString &text, Encoding encoding) const;
    Encoding encodingForSave() const;

    QString m_path;
    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Windows1250;
    QByteArray m_newLineEnd = QByteArrayLiteral("\r\n");
};

} // namespace ini
