// Windows-1251 text and the reading of small files, shared by the parameter and last-state files.
#include "file_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tavro {

namespace {

constexpr const char* kCodePage = "windows-1251";
constexpr int kCaptionLength = 30;

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

bool readFileHead(const QString& path, qint64 limit, QByteArray& out) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    out = file.read(limit);
    return file.error() == QFileDevice::NoError;
}

}  // namespace tavro
