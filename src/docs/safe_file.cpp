// Writing a file the user named so that a failed write never costs the file that was there.
#include "safe_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "file_text.h"

namespace tavro {

std::string systemReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "Отказано в доступе";
        case ENOSPC:
            return "Нет места на устройстве";
        case EDQUOT:
            return "Превышена дисковая квота";
        case EROFS:
            return "Файловая система доступна только для чтения";
        case ENOENT:
            return "Нет такого файла или каталога";
        case ENOTDIR:
            return "Часть пути не является каталогом";
        case EISDIR:
            return "Это каталог";
        case ENAMETOOLONG:
            return "Слишком длинное имя файла";
        case EFBIG:
            return "Файл слишком велик";
        case EIO:
            return "Ошибка ввода-вывода";
        case ELOOP:
            return "Слишком много символьных ссылок";
        case EMFILE:
        case ENFILE:
            return "Слишком много открытых файлов";
        default:
            return std::strerror(error);
    }
}

SafeFile::SafeFile(const QString& path) : path_(path) {}

SafeFile::~SafeFile() {
    cancel();
}

std::string SafeFile::reasonOf(int error, const QString& qtReason) const {
    if (error != 0) return systemReason(error);
    return qtReason.isEmpty() ? systemReason(EIO) : qtReason.toStdString();
}

bool SafeFile::refuse(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    saved_.reset();
    direct_.reset();
    return false;
}

bool SafeFile::begin(std::string* why) {
    const QByteArray native = QFile::encodeName(path_);
    struct stat st {};
    if (path_.isEmpty()) return refuse(why, "Не задано имя файла");
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return refuse(why, systemReason(EISDIR));
        if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode))
            return refuse(why, "Не является обычным файлом");
        // A file the user may not write stays as it is, although the folder would let a
        // new file take its place.
        if (::access(native.constData(), W_OK) != 0) return refuse(why, systemReason(errno));
        if (S_ISCHR(st.st_mode)) {
            // There is no file to keep, and renaming over a device would replace the device.
            direct_ = std::make_unique<QFile>(path_);
            errno = 0;
            if (!direct_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
                const int error = errno;
                return refuse(why, reasonOf(error, direct_->errorString()));
            }
            return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        }
    }
    saved_ = std::make_unique<QSaveFile>(path_);
    // Shared folders often let a user write a file but not create one beside it.
    saved_->setDirectWriteFallback(true);
    errno = 0;
    // Unbuffered, so that every failed write shows: a buffer flushed late at commit could
    // fail unnoticed and leave a short file in place of the old one.
    if (!saved_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int error = errno;
        return refuse(why, reasonOf(error, saved_->errorString()));
    }
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SafeFile::readData(char*, qint64) {
    return -1;
}

qint64 SafeFile::writeData(const char* data, qint64 size) {
    QFileDevice* file = saved_ ? static_cast<QFileDevice*>(saved_.get()) : direct_.get();
    if (!file || error_ != 0) return -1;
    errno = 0;
    const qint64 written = file->write(data, size);
    if (written != size) {
        error_ = errno != 0 ? errno : EIO;
        return -1;
    }
    return written;
}

bool SafeFile::commit(std::string* why) {
    if (!isOpen()) return refuse(why, systemReason(EIO));
    QIODevice::close();
    const int writeError = error_;
    if (direct_) {
        errno = 0;
        direct_->close();
        const int error = writeError != 0 ? writeError : errno;
        const bool ok = writeError == 0 && direct_->error() == QFileDevice::NoError;
        const QString qtReason = direct_->errorString();
        direct_.reset();
        return ok || refuse(why, reasonOf(error, qtReason));
    }
    if (writeError != 0) {
        saved_->cancelWriting();
        saved_->commit();
        return refuse(why, systemReason(writeError));
    }
    errno = 0;
    if (!saved_->commit()) {
        const int error = errno;
        return refuse(why, reasonOf(error, saved_->errorString()));
    }
    saved_.reset();
    return true;
}

void SafeFile::cancel() {
    if (isOpen()) QIODevice::close();
    if (saved_) {
        saved_->cancelWriting();
        saved_->commit();
    }
    saved_.reset();
    direct_.reset();
}

bool replaceFile(const QString& path, const QByteArray& bytes, std::string* why) {
    SafeFile file(path);
    if (!file.begin(why)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.commit(why);
        return false;
    }
    return file.commit(why);
}

bool replaceFile(const std::string& path, const QByteArray& bytes, std::string* why) {
    return replaceFile(toQString(path), bytes, why);
}

}  // namespace tavro
