// Writing a file the user named so that a failed write never costs the file that was there.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>
#include <string>

class QFile;
class QSaveFile;

namespace tavro {

// The system's reason for a failed file operation (an errno value), in the program's words.
std::string systemReason(int error);

// A file being written. The content goes to a temporary file beside the target and replaces
// it at commit, only when all of it was written and the disk took it; where the folder refuses
// the temporary file, the target itself is overwritten at commit, after a check that the disk
// has room, and its old bytes are put back when that write fails. A character device (/dev/null, a
// terminal) is written directly. A target that exists but is not writable, and anything that is
// neither a regular file nor a character device (a pipe would block the program, a folder cannot be
// replaced), is refused at open. Writers (QPdfWriter, QImageWriter) write into the SafeFile itself.
class SafeFile : public QIODevice {
  public:
    explicit SafeFile(const QString& path);
    // An open file that was not committed is thrown away, never left half-written.
    ~SafeFile() override;

    // Opens the target for writing; false with the reason when it cannot be written.
    bool begin(std::string* why);
    // Ends the write; false with the reason (Russian) when any of it failed. The earlier file
    // then stays as it was.
    bool commit(std::string* why);
    // Throws away what was written.
    void cancel();

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

  private:
    bool refuse(std::string* why, const std::string& reason);
    std::string reasonOf(int error) const;
    bool commitInPlace(std::string* why);
    void release();

    QString path_;
    std::unique_ptr<QSaveFile> saved_;
    std::unique_ptr<QFile> direct_;
    // Written in place: the new content, kept until commit, and the old one to put back.
    bool inPlace_ = false;
    QByteArray pending_;
    QByteArray old_;
    int error_ = 0;
};

// Replaces the file at path with bytes through SafeFile; false with the reason on failure.
bool replaceFile(const QString& path, const QByteArray& bytes, std::string* why);
bool replaceFile(const std::string& path, const QByteArray& bytes, std::string* why);

}  // namespace tavro
