// The last-state file that remembers the current design between runs, and default names.
#pragma once

#include <QByteArray>
#include <string>

namespace tavro {

// The application directory is the directory of the executable; the window and the command-line
// tool pass QCoreApplication::applicationDirPath(), tests a directory of their own.

// Where a path the program keeps lies on disk: a relative one (last.srd may name a document so)
// is taken from appDir, whatever the working directory of the process.
std::string pathInAppDir(const std::string& appDir, const std::string& path);

// The path of last.srd in appDir, joined with the platform's separator.
std::string lastStatePath(const std::string& appDir);

// The last.srd the program reads and writes: lastStatePath(appDir) when appDir can be written,
// otherwise last.srd in the user's configuration folder (QStandardPaths::AppConfigLocation);
// "" when there is no such folder.
std::string lastStateFile(const std::string& appDir);

// The document path stored in the program's last.srd, as stored, when it names an existing file
// (a relative one in appDir), else "".
std::string ReadLastState(const std::string& appDir);

// Stores documentPath in the program's last.srd. A path that would read back as a different path
// (not UTF-8, or holding a double quote or a line end) is not stored, and neither is anything
// when the file cannot be written: the previous last.srd then stays as it was. A last.srd that
// already holds exactly these bytes is not written again. Callers show nothing either way; the
// result is for those who care.
bool WriteLastState(const std::string& appDir, const std::string& documentPath);

// The bytes of a last.srd holding documentPath: Windows-1251, or UTF-8 behind a byte-order mark
// for a path Windows-1251 cannot hold; false when it would read back otherwise.
bool lastStateBytes(const std::string& documentPath, QByteArray& out);

// The path stored in the bytes of a last.srd, before it is checked against the disk.
std::string lastStateField(QByteArray bytes);

// The picture name offered for a document: the document path without the extension of its
// file name, or MyRocket in appDir when the document has none.
std::string PictureBaseName(const std::string& path, const std::string& appDir);

}  // namespace tavro
