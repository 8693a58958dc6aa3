// The last-state file and the default picture name, on real files in a folder of their own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "docs_test_util.h"
#include "last_state.h"

namespace tavro {
namespace {

using test::readAll;
using test::writeAll;

struct LastStateTest : ::testing::Test {
    QTemporaryDir appDir;
    std::string app() const { return test::utf8(appDir.path()); }
    QString lastSrd() const { return appDir.filePath("last.srd"); }
    // A design file that exists, under a name of the test's choosing.
    std::string document(const QString& name) const {
        const QString path = appDir.filePath(name);
        writeAll(path, "\"c\",\"t\"\r\n");
        return test::utf8(path);
    }
};

TEST_F(LastStateTest, PathsRoundTrip) {
    const QString names[] = {"test.dat",    "a, b.dat",  "сопло №1.dat",
                             " blank .dat", "x'y;z.dat", "rev1.2 test.dat"};
    for (const QString& name : names) {
        const std::string doc = document(name);
        ASSERT_TRUE(WriteLastState(app(), doc)) << doc;
        EXPECT_EQ(ReadLastState(app()), doc);
    }
}

TEST_F(LastStateTest, FileLayout) {
    ASSERT_TRUE(WriteLastState(app(), ""));
    EXPECT_EQ(readAll(lastSrd()), "\"\"\r\n");
    EXPECT_EQ(ReadLastState(app()), "");
    ASSERT_TRUE(WriteLastState(app(), "/опыт/a.dat"));
    EXPECT_EQ(readAll(lastSrd()), "\"/\xEE\xEF\xFB\xF2/a.dat\"\r\n");
}

// Whatever lies in last.srd, a start without a usable document yields an empty path.
TEST_F(LastStateTest, UnusableContentGivesNoDocument) {
    const std::string doc = document("d.dat");
    const QByteArray q = QByteArray::fromStdString(doc);
    const QByteArray cases[] = {
        "",
        "\r\n",
        "\"\"",
        "\"" + q + ".gone\"\r\n",
        "\"" + appDir.path().toUtf8() + "\"\r\n",  // a folder
        QByteArray("\"") + '\0' + q + "\"",
        "\xFF\xFE\"\x00/\x00",
    };
    for (const QByteArray& bytes : cases) {
        writeAll(lastSrd(), bytes);
        EXPECT_EQ(ReadLastState(app()), "") << bytes.toHex().constData();
    }
    EXPECT_EQ(ReadLastState(test::utf8(appDir.filePath("nowhere"))), "");
}

TEST_F(LastStateTest, HandWrittenFiles) {
    const std::string doc = document("d, e.dat");
    const QByteArray q = QByteArray::fromStdString(doc);
    const QByteArray cases[] = {
        "\"" + q + "\"", "\"" + q + "\"\n\"/other\"\r\n", "  \"" + q + "\",junk",
        q + "\n",        "\xEF\xBB\xBF\"" + q + "\"\r\n",
    };
    for (const QByteArray& bytes : cases) {
        writeAll(lastSrd(), bytes);
        EXPECT_EQ(ReadLastState(app()), doc) << bytes.constData();
    }
}

// A relative document path names a file in the program's folder, wherever the process was
// started; it is kept as written.
TEST_F(LastStateTest, RelativePathLiesInTheProgramFolder) {
    document("rel.dat");
    QTemporaryDir elsewhere;
    const QString startedIn = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    writeAll(lastSrd(), "\"rel.dat\"\r\n");
    EXPECT_EQ(ReadLastState(app()), "rel.dat");
    EXPECT_EQ(pathInAppDir(app(), "rel.dat"), test::utf8(appDir.filePath("rel.dat")));
    EXPECT_EQ(pathInAppDir(app(), "/abs/a.dat"), "/abs/a.dat");
    EXPECT_EQ(pathInAppDir(app(), ""), "");
    ASSERT_TRUE(QFile::remove(appDir.filePath("rel.dat")));
    writeAll(elsewhere.filePath("rel.dat"), "\"c\",\"t\"\r\n");  // only in the working folder
    EXPECT_EQ(ReadLastState(app()), "");
    ASSERT_TRUE(QDir::setCurrent(startedIn));
}

// Ending on the document the run began with leaves last.srd as it was, not even replaced by an
// equal copy; another document replaces it.
TEST_F(LastStateTest, TheSameDocumentIsNotWrittenAgain) {
    const std::string doc = document("d.dat");
    ASSERT_TRUE(WriteLastState(app(), doc));
    const auto inode = [this] {
        struct stat st {};
        EXPECT_EQ(stat(lastSrd().toLocal8Bit().constData(), &st), 0);
        return st.st_ino;
    };
    const QByteArray before = readAll(lastSrd());
    const auto first = inode();
    ASSERT_TRUE(WriteLastState(app(), doc));
    EXPECT_EQ(inode(), first);
    EXPECT_EQ(readAll(lastSrd()), before);
    ASSERT_TRUE(WriteLastState(app(), document("e.dat")));
    EXPECT_NE(readAll(lastSrd()), before);
}

TEST_F(LastStateTest, DeletedDocumentGivesNoDocument) {
    const std::string doc = document("d.dat");
    ASSERT_TRUE(WriteLastState(app(), doc));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(doc)));
    EXPECT_EQ(ReadLastState(app()), "");
}

// A path that would come back as another path is not stored: the old last.srd stays.
TEST_F(LastStateTest, UnstorablePathKeepsOldFile) {
    const std::string doc = document("d.dat");
    ASSERT_TRUE(WriteLastState(app(), doc));
    const QByteArray before = readAll(lastSrd());
    const std::string cases[] = {"/a\"b.dat", "/a\r\nb.dat", "/\xC3.dat", std::string("/a\0b", 4)};
    for (const std::string& path : cases) {
        EXPECT_FALSE(WriteLastState(app(), path));
        EXPECT_EQ(readAll(lastSrd()), before);
    }
    EXPECT_EQ(ReadLastState(app()), doc);
}

// A name Windows-1251 cannot hold is kept as UTF-8 behind a byte-order mark.
TEST_F(LastStateTest, PathOutsideWindows1251IsStoredAsUtf8) {
    const std::string doc = document("日本 ✓.dat");
    ASSERT_TRUE(WriteLastState(app(), doc));
    EXPECT_EQ(readAll(lastSrd()), "\xEF\xBB\xBF\"" + QByteArray::fromStdString(doc) + "\"\r\n");
    EXPECT_EQ(ReadLastState(app()), doc);
}

// The program's folder cannot be written (an installed program; /proc/self refuses new files even
// to root): last.srd is kept in the user's configuration folder and read back from there.
TEST_F(LastStateTest, UnwritableProgramFolderUsesTheConfigurationFolder) {
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QCoreApplication::setApplicationName("tavro-nozzle");
    const std::string doc = document("d.dat");
    EXPECT_TRUE(WriteLastState("/proc/self", doc));
    EXPECT_EQ(readAll(config.filePath("tavro-nozzle/last.srd")),
              "\"" + QByteArray::fromStdString(doc) + "\"\r\n");
    EXPECT_EQ(ReadLastState("/proc/self"), doc);
    // A program in a folder it can write keeps its own last.srd.
    EXPECT_EQ(ReadLastState(app()), "");
    qputenv("XDG_CONFIG_HOME", "/dev/null/no-configuration");
}

// Neither the program's folder nor a configuration folder can be written: nothing is stored.
TEST_F(LastStateTest, UnwritableDirectoryIsSilent) {
    writeAll(appDir.filePath("plain"), "x");
    EXPECT_FALSE(WriteLastState(test::utf8(appDir.filePath("plain")), "/a.dat"));
    EXPECT_EQ(readAll(appDir.filePath("plain")), "x");
    EXPECT_EQ(ReadLastState(test::utf8(appDir.filePath("plain"))), "");
}

TEST(LastStatePathTest, JoinsWithOneSeparator) {
    EXPECT_EQ(lastStatePath("/opt/tavro"), "/opt/tavro/last.srd");
    EXPECT_EQ(lastStatePath("/"), "/last.srd");
}

TEST(PictureBaseNameTest, CutsTheExtensionOfTheFileName) {
    const struct {
        const char* document;
        const char* app;
        const char* expected;
    } cases[] = {
        {"/home/u/test.dat", "/opt/t", "/home/u/test"},
        {"/home/u/a.b.dat", "/opt/t", "/home/u/a"},
        {"/home/u/rev1.2/test.dat", "/opt/t", "/home/u/rev1.2/test"},
        {"/home/u/.config/test.dat", "/opt/t", "/home/u/.config/test"},
        {"/home/u/rev1.2/test", "/opt/t", "/opt/t/MyRocket"},
        {"/home/u/.hidden", "/opt/t", "/opt/t/MyRocket"},
        {"/home/u/test", "/opt/t", "/opt/t/MyRocket"},
        {"", "/opt/t", "/opt/t/MyRocket"},
        {"", "/", "/MyRocket"},
        {"test.dat", "/opt/t", "test"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureBaseName(c.document, c.app), c.expected) << c.document;
}

}  // namespace
}  // namespace tavro
