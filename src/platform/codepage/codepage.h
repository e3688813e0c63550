#pragma once

#include <QByteArray>
#include <QString>

// The two 8-bit code pages the program meets at its file boundaries, with tables of our own:
// Windows-1250 for the bank files and the data-set INI files, DOS Latin 2 (852) for the files
// of the DOS conversion program. The lower half (0x00-0x7F) of both is ASCII; the upper half
// is given by one table of 128 characters per code page.
//
// Characters a code page cannot hold. Encoding never drops a character and never writes two
// bytes for one, so fixed columns keep their widths:
//   1. The text is composed first (a letter followed by combining accents becomes the one
//      precomposed letter when there is one: "e" + U+0301 is "é").
//   2. A character the code page holds becomes its byte.
//   3. Otherwise the character becomes its base letter without accents when that letter is in
//      the code page ("ā" -> "a", "ǒ" -> "o", "Ａ" -> "A"), or the nearest look-alike from a
//      short list of letters and dashes without such a decomposition ("ø" -> "o", "ı" -> "i",
//      "ħ" -> "h", U+2011 and U+2212 -> "-").
//   4. Anything else becomes one "?" (also a character outside the Basic Multilingual Plane,
//      such as an emoji, and a lone surrogate).
//   A combining accent that could not be composed with its letter is part of that letter and
//   writes no byte of its own.
//
// Decoding: a byte the code page leaves undefined (Windows-1250 has five: 0x81, 0x83, 0x88,
// 0x90, 0x98) becomes U+FFFD.
namespace codepage {

enum class CodePage {
    Windows1250,  // Central European Windows ("ANSI") code page
    Dos852,       // DOS Latin 2 ("OEM") code page
};

// The characters of bytes in a code page.
QString toUnicode(CodePage page, const QByteArray &bytes);
QString toUnicode(CodePage page, const char *data, qsizetype size);

// The bytes of a text in a code page, by the rule above: one byte per character.
QByteArray fromUnicode(CodePage page, const QString &text);

// True when every character of the text (after composition) has a byte of its own in the
// code page, so that fromUnicode loses nothing.
bool canEncode(CodePage page, const QString &text);

} // namespace codepage
