// Saving over what lies at the chosen name: folders and files the user may not write, a full
// disk, a pipe, a folder; the reason of a failure in the user's words.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "docs_test_util.h"
#include "params_file.h"
#include "safe_file.h"

namespace tavro {
namespace {

// Runs fn as an ordinary user when the tests run as root, for whom no folder is read-only, and
// returns what it returned.
std::string unprivileged(const std::function<std::string()>& fn) {
    if (geteuid() != 0) return fn();
    int out[2];
    if (pipe(out) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        const std::string result = fn();
        const ssize_t written = write(out[1], result.data(), result.size());
        _exit(written == ssize_t(result.size()) ? 0 : 3);
    }
    close(out[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "the child failed";
}

struct Case {
    const char* name;
    mode_t folder;       // the folder's permissions while saving
    const char* before;  // the file beforehand: nullptr none, "|" a pipe, "/" a folder
    mode_t file;
    const char* result;  // "saved" or the reason
};

class SaveOver : public ::testing::TestWithParam<Case> {};

TEST_P(SaveOver, SavesOrKeepsWhatWasThereAndSaysWhy) {
    const Case& c = GetParam();
    QTemporaryDir dir;
    const QString target = dir.filePath("d/a.dat");
    ASSERT_TRUE(QDir(dir.path()).mkdir("d"));
    const std::string before = c.before ? c.before : "";
    if (before == "|") {
        ASSERT_EQ(mkfifo(QFile::encodeName(target).constData(), 0666), 0);
    } else if (before == "/") {
        ASSERT_TRUE(QDir(dir.path()).mkdir("d/a.dat"));
    } else if (c.before) {
        test::writeAll(target, c.before);
        chmod(QFile::encodeName(target).constData(), c.file);
    }
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    chmod(QFile::encodeName(dir.filePath("d")).constData(), c.folder);

    FieldTable fields;
    fields.setText(kRowTitle, "Опыт");
    QByteArray expected;
    ASSERT_TRUE(paramsFileBytes(fields, expected));
    const std::string result = unprivileged([&] {
        DesignState state;
        std::string why;
        return SaveParams(target.toStdString(), state, fields, &why) ? "saved" : why;
    });
    chmod(QFile::encodeName(dir.filePath("d")).constData(), 0755);
    EXPECT_EQ(result, c.result);
    if (std::string(c.result) == "saved") {
        EXPECT_EQ(test::readAll(target), expected);
    } else if (c.before && before != "|" && before != "/") {
        EXPECT_EQ(test::readAll(target), QByteArray(c.before));
    }
    // Nothing is left beside the file.
    EXPECT_LE(QDir(dir.filePath("d")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Targets, SaveOver,
                         ::testing::Values(Case{"new_file", 0777, nullptr, 0, "saved"},
                                           Case{"over_a_file", 0777, "old", 0666, "saved"},
                                           Case{"writable_file_in_a_read_only_folder", 0555, "old",
                                                0666, "saved"},
                                           Case{"read_only_file_in_a_writable_folder", 0777, "old",
                                                0444, "Отказано в доступе"},
                                           Case{"new_file_in_a_read_only_folder", 0555, nullptr, 0,
                                                "Отказано в доступе"},
                                           Case{"pipe", 0777, "|", 0, "Не является обычным файлом"},
                                           Case{"folder", 0777, "/", 0, "Это каталог"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveOverADevice, AFullDiskIsNamedAndTheDeviceStays) {
    std::string why;
    EXPECT_FALSE(replaceFile(std::string("/dev/full"), QByteArray("x"), &why));
    EXPECT_EQ(why, "Нет места на устройстве");
    struct stat st {};
    ASSERT_EQ(stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_TRUE(replaceFile(std::string("/dev/null"), QByteArray("x"), &why));
}

}  // namespace
}  // namespace tavro
