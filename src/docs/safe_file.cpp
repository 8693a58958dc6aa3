// Writing a file the user named so that a failed write never costs the file that was there.
#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <new>

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
        case EXDEV:
            return "Файл нельзя перенести на другое устройство";
        case EBUSY:
        case ETXTBSY:
            return "Файл занят";
        case ENOMEM:
            return "Недостаточно памяти";
        case EINVAL:
            return "Недопустимый аргумент";
        case EAGAIN:
            return "Ресурс временно недоступен";
        case EINTR:
            return "Операция прервана";
        case ENXIO:
        case ENODEV:
            return "Нет такого устройства";
        case EPIPE:
            return "Канал закрыт";
        case ESPIPE:
            return "Недопустимое позиционирование";
        case EBADF:
            return "Неверный дескриптор файла";
        case EEXIST:
            return "Файл уже существует";
        case ESTALE:
            return "Файл на сетевом диске больше недоступен";
        case ETIMEDOUT:
            return "Время ожидания истекло";
        case EOVERFLOW:
            return "Значение слишком велико";
        case EMLINK:
            return "Слишком много ссылок";
        case ENOTSUP:
            return "Операция не поддерживается";
        default:
            // Never the system's English text: the user reads Russian.
            return "Системная ошибка номер " + std::to_string(error);
    }
}

namespace {

// Writes all bytes at the start of the file; false with errno set when any of them failed.
bool writeAt0(int fd, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done),
                     static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

bool replaceContent(int fd, const QByteArray& bytes) {
    return writeAt0(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
           ::fdatasync(fd) == 0;
}

// Whether the file system can take the new content in place of the old one, counted in whole
// blocks, so that a full disk is found before the first byte of the old file is overwritten.
bool roomFor(int fd, qint64 size) {
    struct statvfs v {};
    struct stat st {};
    if (::fstatvfs(fd, &v) != 0 || ::fstat(fd, &st) != 0) return true;  // unknown: try
    const unsigned long long block = v.f_frsize ? v.f_frsize : (v.f_bsize ? v.f_bsize : 4096);
    const unsigned long long need = (static_cast<unsigned long long>(size) + block - 1) / block;
    const unsigned long long held =
        (static_cast<unsigned long long>(st.st_blocks) * 512 + block - 1) / block;
    return need <= static_cast<unsigned long long>(v.f_bavail) + held;
}

}  // namespace

SafeFile::SafeFile(const QString& path) : path_(path) {}

SafeFile::~SafeFile() {
    cancel();
}

std::string SafeFile::reasonOf(int error) const {
    return systemReason(error != 0 ? error : EIO);
}

bool SafeFile::refuse(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    release();
    return false;
}

void SafeFile::release() {
    saved_.reset();
    direct_.reset();
    inPlace_ = false;
    pending_.clear();
    old_.clear();
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
                return refuse(why, reasonOf(errno));
            }
            return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        }
    }
    const bool exists = ::stat(native.constData(), &st) == 0;
    saved_ = std::make_unique<QSaveFile>(path_);
    errno = 0;
    // Unbuffered, so that every failed write shows: a buffer flushed late at commit could
    // fail unnoticed and leave a short file in place of the old one.
    if (saved_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const int error = errno;
    saved_.reset();
    // Shared folders often let a user write a file but not create one beside it. The file is
    // then written in place, at commit, with its old bytes kept to put back.
    if (error != EACCES || !exists) return refuse(why, reasonOf(error));
    QFile old(path_);
    errno = 0;
    if (!old.open(QIODevice::ReadOnly)) return refuse(why, reasonOf(errno));
    old_ = old.readAll();
    if (old.error() != QFileDevice::NoError || old_.size() != old.size())
        return refuse(why, reasonOf(errno));
    inPlace_ = true;
    return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 SafeFile::readData(char*, qint64) {
    return -1;
}

qint64 SafeFile::writeData(const char* data, qint64 size) {
    if (inPlace_) {
        if (error_ != 0) return -1;
        try {
            pending_.append(data, static_cast<qsizetype>(size));
        } catch (const std::bad_alloc&) {
            error_ = ENOMEM;
            return -1;
        }
        return size;
    }
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
        direct_.reset();
        return ok || refuse(why, reasonOf(error));
    }
    if (inPlace_) return commitInPlace(why);
    if (writeError != 0) {
        saved_->cancelWriting();
        saved_->commit();
        return refuse(why, systemReason(writeError));
    }
    // QSaveFile syncs but does not look at the answer; a file the disk did not take must not
    // replace the one it did.
    if (::fdatasync(saved_->handle()) != 0) {
        const int error = errno;
        saved_->cancelWriting();
        saved_->commit();
        return refuse(why, reasonOf(error));
    }
    errno = 0;
    if (!saved_->commit()) return refuse(why, reasonOf(errno));
    saved_.reset();
    return true;
}

bool SafeFile::commitInPlace(std::string* why) {
    if (error_ != 0) return refuse(why, systemReason(error_));
    const QByteArray native = QFile::encodeName(path_);
    const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return refuse(why, reasonOf(errno));
    if (!roomFor(fd, pending_.size())) {
        ::close(fd);
        return refuse(why, systemReason(ENOSPC));
    }
    if (replaceContent(fd, pending_)) {
        if (::close(fd) == 0) {
            release();
            return true;
        }
        const int error = errno;
        // The close reported a lost write: the old content goes back as well as it can.
        const int again = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
        if (again >= 0) {
            replaceContent(again, old_);
            ::close(again);
        }
        return refuse(why, reasonOf(error));
    }
    const int error = errno;
    replaceContent(fd, old_);
    ::close(fd);
    return refuse(why, reasonOf(error));
}

void SafeFile::cancel() {
    if (isOpen()) QIODevice::close();
    if (saved_) {
        saved_->cancelWriting();
        saved_->commit();
    }
    release();
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
