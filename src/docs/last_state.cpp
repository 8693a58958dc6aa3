// The last-state file that remembers the current design between runs, and default names.
#include "last_state.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "file_text.h"
#include "safe_file.h"

namespace tavro {

namespace {

// A longer last.srd holds no path: paths are a few hundred bytes at most.
constexpr qint64 kReadLimit = 64 * 1024;

std::string joinPath(const std::string& dir, const char* name) {
    if (dir.empty()) return name;
    const char separator = QDir::separator().toLatin1();
    // At the root the directory already ends with the separator; a doubled one is not a path
    // that every system accepts.
    return dir.back() == separator ? dir + name : dir + separator + name;
}

}  // namespace

std::string pathInAppDir(const std::string& appDir, const std::string& path) {
    if (path.empty() || appDir.empty() || QDir::isAbsolutePath(toQString(path))) return path;
    return joinPath(appDir, path.c_str());
}

std::string lastStatePath(const std::string& appDir) {
    return joinPath(appDir, "last.srd");
}

std::string lastStateFile(const std::string& appDir) {
    // An installed program's folder belongs to the system; the user's own folder keeps the file.
    if (QFileInfo(toQString(appDir)).isWritable()) return lastStatePath(appDir);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return folder.isEmpty() ? std::string() : joinPath(folder.toStdString(), "last.srd");
}

// Only the first line counts. A quoted path is what lies between the first two quotes (blanks
// before the opening one skipped); an unquoted line is taken whole, commas included, since a
// path may hold them. A UTF-8 byte-order mark makes the line read as UTF-8.
std::string lastStateField(QByteArray bytes) {
    const bool utf8 = takeUtf8Mark(bytes);
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    QByteArray line = bytes.left(end);
    qsizetype open = 0;
    while (open < line.size() && (line[open] == ' ' || line[open] == '\t')) ++open;
    if (open < line.size() && line[open] == '"') {
        const qsizetype close = line.indexOf('"', open + 1);
        line = close < 0 ? line.mid(open + 1) : line.mid(open + 1, close - open - 1);
    }
    return decodeFileText(line, utf8);
}

std::string ReadLastState(const std::string& appDir) {
    QByteArray bytes;
    const std::string file = lastStateFile(appDir);
    if (file.empty() || !readFileHead(toQString(file), kReadLimit, bytes)) return {};
    const std::string path = lastStateField(bytes);
    if (path.empty() || path.find('\0') != std::string::npos) return {};
    return QFileInfo(toQString(pathInAppDir(appDir, path))).isFile() ? path : std::string();
}

bool lastStateBytes(const std::string& documentPath, QByteArray& out) {
    // Nothing in the line is escaped, so a quote or a line end would cut the path short.
    if (documentPath.find_first_of(std::string("\"\r\n\0", 4)) != std::string::npos) return false;
    QByteArray encoded;
    if (encode1251(documentPath, encoded)) {
        out = '"' + encoded + "\"\r\n";
        return true;
    }
    // A name Windows-1251 cannot hold is kept as UTF-8 behind a byte-order mark, which the
    // reader recognises; bytes that are not UTF-8 at all could not come back as the same path.
    const QByteArray utf8 = QByteArray::fromStdString(documentPath);
    if (QString::fromUtf8(utf8).toUtf8() != utf8) return false;
    out = "\xEF\xBB\xBF\"" + utf8 + "\"\r\n";
    return true;
}

bool WriteLastState(const std::string& appDir, const std::string& documentPath) {
    QByteArray bytes;
    const std::string file = lastStateFile(appDir);
    if (file.empty() || !lastStateBytes(documentPath, bytes)) return false;
    const QString path = toQString(file);
    // Most runs end on the document they began with: a file that already holds these bytes is
    // left alone rather than written and flushed to disk again.
    QByteArray present;
    if (readFileHead(path, bytes.size() + 1, present) && present == bytes) return true;
    // The configuration folder may not exist yet; the program's folder always does.
    QDir().mkpath(QFileInfo(path).path());
    return replaceFile(path, bytes, nullptr);
}

std::string PictureBaseName(const std::string& path, const std::string& appDir) {
    // Only a dot in the file name starts its extension: a dot in a folder name (rev1.2,
    // .config) would send the picture into another folder under a wrong name. A leading dot
    // names a hidden file and starts no extension.
    const size_t slash = path.find_last_of(std::string("/") + QDir::separator().toLatin1());
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find('.', nameStart + 1);
    if (nameStart < path.size() && dot != std::string::npos) return path.substr(0, dot);
    return joinPath(appDir, "MyRocket");
}

}  // namespace tavro
