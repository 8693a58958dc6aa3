// Windows-1251 text and the reading of small files, shared by the parameter and last-state files.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace tavro {

// Encodes UTF-8 text as Windows-1251. False when the text is not valid UTF-8 or holds a character
// that Windows-1251 cannot hold exactly: such text is never written with substitutes.
bool encode1251(const std::string& utf8, QByteArray& out);

// Decodes bytes of a file: Windows-1251, or UTF-8 when utf8 is set (files edited elsewhere).
std::string decodeFileText(const QByteArray& bytes, bool utf8);

// True when the bytes open with the UTF-8 byte-order mark; the mark is then removed.
bool takeUtf8Mark(QByteArray& bytes);

// A caption cut or padded with blanks to the 30 characters that the saved rows keep.
std::string fitCaption(const std::string& utf8);

// Reads at most limit bytes of a regular file; false when it is missing, not a regular file
// or unreadable. Devices and pipes are refused: they may never end.
bool readFileHead(const QString& path, qint64 limit, QByteArray& out);

// UTF-8 text from memory as it is; malformed sequences become U+FFFD.
QString toQString(const std::string& utf8);

}  // namespace tavro
