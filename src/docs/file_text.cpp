// Windows-1251 text and safe replacement of files, shared by the parameter and last-state files.
#include "file_text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tavro {

namespace {

constexpr const char* kCodePage = "windows-1251";
constexpr int kCaptionLength = 30;

void tell(std::string* why, const QString& reason) {
    if (why) *why = reason.toStdString();
}

// Writes straight into a device or pipe: there is no file there to keep, and renaming a
// temporary file over it would replace the device itself.
bool writeDirectly(const QString& path, const QByteArray& bytes, std::string* why) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        tell(why, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        tell(why, file.errorString());
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        tell(why, file.errorString());
        return false;
    }
    return true;
}

}  // namespace

// UTF-8 to QString keeping everything, a leading U+FEFF included (Qt drops it by default).
QString decodeUtf8(QByteArrayView bytes, bool* valid) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                     QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (valid) *valid = !decoder.hasError();
    return text;
}

QString toQString(const std::string& utf8) {
    return decodeUtf8(QByteArrayView(utf8.data(), qsizetype(utf8.size())), nullptr);
}

bool encode1251(const std::string& utf8, QByteArray& out) {
    bool valid = false;
    const QString text = decodeUtf8(QByteArrayView(utf8.data(), qsizetype(utf8.size())), &valid);
    if (!valid) return false;
    QStringEncoder encoder(kCodePage);
    if (!encoder.isValid()) return false;
    out = encoder.encode(text);
    if (encoder.hasError()) return false;
    // Some converters map a missing character to a look-alike without an error: only an
    // exact way back counts.
    QStringDecoder back(kCodePage);
    return QString(back.decode(out)) == text;
}

std::string decodeFileText(const QByteArray& bytes, bool utf8) {
    if (utf8) return decodeUtf8(bytes, nullptr).toStdString();
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid()) return {};
    return QString(decoder.decode(bytes)).toStdString();
}

bool takeUtf8Mark(QByteArray& bytes) {
    if (!bytes.startsWith("\xEF\xBB\xBF")) return false;
    bytes.remove(0, 3);
    return true;
}

std::string fitCaption(const std::string& utf8) {
    QList<uint> characters = toQString(utf8).toUcs4();
    characters.resize(kCaptionLength, uint(' '));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                             characters.size())
        .toStdString();
}

bool replaceFile(const QString& path, const QByteArray& bytes, std::string* why) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return writeDirectly(path, bytes, why);

    // The new content goes to a temporary file beside the old one and replaces it only when
    // it has been written completely.
    // Unbuffered, so that a short write (a disk that fills up part way) shows in the count:
    // QSaveFile would otherwise commit what a late buffer flush managed to write.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        tell(why, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        tell(why, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        tell(why, file.errorString());
        return false;
    }
    return true;
}

bool readFileHead(const QString& path, qint64 limit, QByteArray& out) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    out = file.read(limit);
    return file.error() == QFileDevice::NoError;
}

}  // namespace tavro
