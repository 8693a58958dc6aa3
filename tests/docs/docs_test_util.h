// Small file helpers shared by the document tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

#include "golden_file.h"

namespace tavro::test {

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

inline QByteArray golden(const char* name) {
    return readAll(QString(TAVRO_DOCS_GOLDEN) + "/" + name);
}

// Whether the bytes are the named golden file's; differing bytes are left beside it for review.
inline ::testing::AssertionResult matchesGolden(const char* name, const QByteArray& bytes) {
    return matchesGolden(std::string(TAVRO_DOCS_GOLDEN) + "/" + name, bytes.toStdString());
}

inline std::string utf8(const QString& s) {
    return s.toStdString();
}

}  // namespace tavro::test
