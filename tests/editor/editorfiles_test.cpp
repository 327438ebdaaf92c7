// Opening and saving the editor's files on disk: what the player gets, and that no failure ever
// damages a file that was there before.

#include "ui/editor/editorfiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/errors.h"
#include "words/editortext.h"

namespace dyx {
namespace {

std::string readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "(unreadable)";
    }
    return file.readAll().toStdString();
}

void writeBytes(const QString& path, std::string_view bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

template <class Call>
std::string errorOf(Call&& call) {
    try {
        call();
    } catch (const GameError& error) {
        return error.what();
    }
    return "(no error)";
}

bool isCharacterDevice(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISCHR(info.st_mode);
}

class EditorFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    // Everything in the folder, temporary files included.
    QStringList entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDir::Name);
    }

    static constexpr std::string_view kOldFile =
        "STAR\xC1 SLOVA\r\nKTER\xC1 SE NESM\xCD ZTRATIT\r\n";

    QTemporaryDir m_dir;
};

TEST_F(EditorFiles, LfFileOpensAsLinesAndIsSavedBackWithCrLf) {
    writeBytes(path("LF.KIL"), "PES\nKO\xC8KA\n");
    const QString text = editor::open(path("LF.KIL"));
    EXPECT_EQ(text, QString::fromUtf8("PES\nKOČKA\n"));

    // Saving over a longer file replaces it whole, with nothing of the old bytes left.
    writeBytes(path("OLD.KIL"), kOldFile);
    editor::save(path("OLD.KIL"), text);
    EXPECT_EQ(readBytes(path("OLD.KIL")), "PES\r\nKO\xC8KA\r\n");

    editor::save(path("NEW.KIL"), QString::fromUtf8("PES\nKOČKA"));
    EXPECT_EQ(readBytes(path("NEW.KIL")), "PES\r\nKO\xC8KA");

    editor::save(path("EMPTY"), QString());
    EXPECT_TRUE(QFile::exists(path("EMPTY")));
    EXPECT_EQ(QFile(path("EMPTY")).size(), 0);

    EXPECT_EQ(entries(), QStringList({"EMPTY", "LF.KIL", "NEW.KIL", "OLD.KIL"}));
}

TEST_F(EditorFiles, LettersWithCombiningAccentsAreSavedAsTheirCp1250Letters) {
    // "KůŇ" as some programs paste it: u + combining ring, N + combining caron.
    editor::save(path("NFD.KIL"), QString::fromUtf8("Ku\u030aN\u030c"));
    EXPECT_EQ(readBytes(path("NFD.KIL")), "K\xF9\xD2");
}

TEST_F(EditorFiles, OpenFailureNamesThePath) {
    for (const QString& bad : {path("MISSING.KIL"), m_dir.path()}) {
        EXPECT_EQ(errorOf([&] { editor::open(bad); }), "Cannot open file " + bad.toStdString());
    }
}

TEST_F(EditorFiles, OpenRefusesAFileBeyondTheCapacityWithoutReadingItAll) {
    // Letters with a line end after every 99 of them, as many bytes as the editor takes.
    std::string full(kMemoCapacity, 'A');
    for (std::size_t i = 99; i < full.size(); i += 100) {
        full[i] = '\n';
    }
    writeBytes(path("FULL.KIL"), full);
    EXPECT_EQ(editor::open(path("FULL.KIL")).size(), static_cast<qsizetype>(kMemoCapacity));

    writeBytes(path("OVER.KIL"), full + "A");
    EXPECT_EQ(errorOf([&] { editor::open(path("OVER.KIL")); }), "Text exceeds memo capacity");

    // 64 GiB of holes: reading it whole would exhaust the memory long before the check.
    QFile huge(path("HUGE.KIL"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64{64} << 30));
    huge.close();
    EXPECT_EQ(errorOf([&] { editor::open(path("HUGE.KIL")); }), "Text exceeds memo capacity");
}

TEST_F(EditorFiles, UnencodableTextIsRefusedBeforeAnythingIsWritten) {
    writeBytes(path("OLD.KIL"), kOldFile);
    const QString text = QString::fromUtf8("PES\nSNĚHULÁK ☃");
    const std::string refusal =
        "Znak „☃“ (U+2603) na řádku 2, ve sloupci 10, nelze uložit v kódování CP1250. "
        "Nic nebylo uloženo";
    EXPECT_EQ(errorOf([&] { editor::save(path("OLD.KIL"), text); }), refusal);
    EXPECT_EQ(errorOf([&] { editor::save(path("NEW.KIL"), text); }), refusal);
    EXPECT_EQ(readBytes(path("OLD.KIL")), kOldFile);
    EXPECT_EQ(entries(), QStringList({"OLD.KIL"}));
}

TEST_F(EditorFiles, SaveWhereNoFileCanBeCreatedNamesThePath) {
    const QString text = QStringLiteral("PES");
    const QString inMissingFolder = path("NIC/SLOVA.KIL");
    EXPECT_EQ(errorOf([&] { editor::save(inMissingFolder, text); }),
              "Cannot create file " + inMissingFolder.toStdString());

    ASSERT_TRUE(QDir(m_dir.path()).mkdir("SLOZKA.KIL"));
    EXPECT_EQ(errorOf([&] { editor::save(path("SLOZKA.KIL"), text); }),
              "Cannot create file " + path("SLOZKA.KIL").toStdString());

    EXPECT_EQ(entries(), QStringList({"SLOZKA.KIL"}));
    EXPECT_TRUE(QDir(path("SLOZKA.KIL")).isEmpty());
}

TEST_F(EditorFiles, SavingThroughALinkWritesItsTargetAndKeepsTheLink) {
    writeBytes(path("TARGET.KIL"), kOldFile);
    ASSERT_TRUE(QFile::link(path("TARGET.KIL"), path("LINK.KIL")));
    editor::save(path("LINK.KIL"), QStringLiteral("PES"));
    EXPECT_EQ(readBytes(path("TARGET.KIL")), "PES");
    EXPECT_EQ(QFileInfo(path("LINK.KIL")).symLinkTarget(), path("TARGET.KIL"));
}

TEST(EditorFilesOnDevices, DevicesAreWrittenDirectlyAndNeverReplaced) {
    editor::save("/dev/null", QStringLiteral("PES\nKOČKA"));
    EXPECT_TRUE(isCharacterDevice("/dev/null"));

    EXPECT_EQ(errorOf([] { editor::save("/dev/full", QStringLiteral("PES")); }),
              "Stream write error");
    EXPECT_TRUE(isCharacterDevice("/dev/full"));

    EXPECT_EQ(QDir("/dev").entryList({"null?*", "full?*"}, QDir::AllEntries | QDir::System),
              QStringList())
        << "a temporary file was left beside a device";
}

using EditorFilesDeathTest = EditorFiles;

// Runs in a child process: saves under a limit on the size of any file the process writes, which
// the kernel enforces like a full disk, and reports the error message on stderr.
[[noreturn]] void saveOnAFullDisk(const QString& target, const QString& text) {
    rlimit limit{};
    limit.rlim_cur = 4096;
    limit.rlim_max = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        editor::save(target, text);
    } catch (const GameError& error) {
        std::fputs(error.what(), stderr);
        std::_Exit(0);
    }
    std::fputs("saved without an error", stderr);
    std::_Exit(1);
}

// The write of the new text fails part way; the old file must stay exactly as it was. A short
// text fails where a buffered write would only fail while the file is being committed.
TEST_F(EditorFilesDeathTest, FullDiskReportsStreamWriteErrorAndKeepsTheOldFile) {
    writeBytes(path("OLD.KIL"), kOldFile);
    for (const qsizetype size : {10'000, 200'000}) {
        SCOPED_TRACE(size);
        EXPECT_EXIT(saveOnAFullDisk(path("OLD.KIL"), QString(size, u'A')),
                    ::testing::ExitedWithCode(0), "^Stream write error$");
        EXPECT_EQ(readBytes(path("OLD.KIL")), kOldFile);
        EXPECT_EQ(entries(), QStringList({"OLD.KIL"})) << "the temporary file was left behind";
    }
}

}  // namespace
}  // namespace dyx
