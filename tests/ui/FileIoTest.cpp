#include "platform/FileIo.h"

#include "TestFiles.h"
#include "Tmpfs.h"
#include "platform/IniSettingsStore.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvelt {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

using testing::ReadFile;
using testing::Tmpfs;
using testing::WriteFile;

// The names in a folder, so that a temporary file left behind shows.
std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

// Writes until the disk is full; then frees `free` bytes again (whole pages).
void FillDisk(const std::string& filler, off_t free) {
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const std::string block(4096, 'f');
    off_t size = 0;
    for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;)
        size += n;
    EXPECT_EQ(errno, ENOSPC);
    ASSERT_EQ(::ftruncate(fd, size - free), 0);
    ::close(fd);
}

class WriteFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    [[nodiscard]] std::string At(const std::string& name) const {
        return dir_.path().toStdString() + "/" + name;
    }
    static FileResult Write(const std::string& path, const std::string& bytes,
                            const std::string& permissionsFrom = {}) {
        return WriteFileAtomically(QString::fromStdString(path), bytes,
                                   QString::fromStdString(permissionsFrom));
    }

    QTemporaryDir dir_;
};

// Regression: QSaveFile missed the failed last flush on a full disk, so a small file became
// 0 bytes and the save was reported as a success.
TEST_F(WriteFileTest, AFullDiskFailsWithTheSystemsReasonAndLeavesTheOldFileWhole) {
    struct Row {
        const char* name;
        bool hardLinked;
        off_t freeAfterFill;
    };
    const Row rows[] = {
        {"robustness: one name, the disk is full", false, 0},
        {"robustness: two names, no room for the safe copy", true, 0},
        {"robustness: two names, the new content does not fit and the old is put back", true, 4096},
    };
    const std::string oldBytes(2048, 'o');
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string disk = At(std::string("disk") + (row.hardLinked ? "2" : "1") +
                                    std::to_string(row.freeAfterFill));
        Tmpfs small(disk);
        if (!small.Mounted())
            GTEST_SKIP() << "cannot mount a small tmpfs (needs root): " << small.Error();
        const std::string paper = disk + "/paper.tex";
        WriteFile(paper, oldBytes);
        std::vector<std::string> names = {"filler", "paper.tex"};
        if (row.hardLinked) {
            ASSERT_EQ(::link(paper.c_str(), (disk + "/other.tex").c_str()), 0);
            names.insert(names.begin() + 1, "other.tex");
        }
        FillDisk(disk + "/filler", row.freeAfterFill);

        const FileResult result = Write(paper, std::string(16384, 'n'));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error.toStdString(), "No space left on device");
        const std::string now = ReadFile(paper);
        EXPECT_TRUE(now == oldBytes) << "the old file became " << now.size() << " other bytes";
        EXPECT_EQ(Entries(disk), names) << "no temporary file is left behind";
        if (row.hardLinked) {
            EXPECT_EQ(StatOf(paper).st_nlink, 2u);
        }
    }
}

TEST_F(WriteFileTest, TheWrittenFileKeepsTheBitsOwnerAndGroupOfTheOneItReplaces) {
    struct Row {
        const char* name;
        mode_t oldMode; // 0: there is no file yet
        bool ownedByNobody;
        mode_t modelMode; // 0: no permissionsFrom
        mode_t umask;
        mode_t expected;
    };
    const Row rows[] = {
        {"nominal: a private file stays private", 0600, false, 0, 022, 0600},
        {"nominal: another user's file keeps its owner, group and bits", 0640, true, 0, 022, 0640},
        {"regression: a new sidecar of a private source is private, not 644", 0, false, 0600, 022,
         0600},
        {"nominal: a new file without a model follows the umask", 0, false, 0, 027, 0640},
        {"nominal: the replaced file's bits win over the model's", 0644, false, 0600, 022, 0644},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.ownedByNobody && ::geteuid() != 0)
            continue; // only root may give a file away
        const std::string path = At("file" + std::to_string(++index));
        const std::string model = path + ".model";
        if (row.oldMode != 0) {
            WriteFile(path, "old");
            ASSERT_EQ(::chmod(path.c_str(), row.oldMode), 0);
            if (row.ownedByNobody) {
                ASSERT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0);
            }
        }
        if (row.modelMode != 0) {
            WriteFile(model, "model");
            ASSERT_EQ(::chmod(model.c_str(), row.modelMode), 0);
        }
        const mode_t previous = ::umask(row.umask);
        const FileResult result = Write(path, "new", row.modelMode != 0 ? model : "");
        ::umask(previous);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        const struct stat info = StatOf(path);
        EXPECT_EQ(info.st_mode & 07777, row.expected);
        EXPECT_EQ(ReadFile(path), "new");
        if (row.ownedByNobody) {
            EXPECT_EQ(info.st_uid, kNobody);
            EXPECT_EQ(info.st_gid, kNogroup);
        }
    }
}

TEST_F(WriteFileTest, ASymlinkIsFollowedAndStaysALink) {
    struct Row {
        const char* name;
        const char* link;   // made in the temporary folder
        const char* points; // what the link holds; "@" stands for the temporary folder
        const char* target; // the file written, below the temporary folder
        bool targetExists;
    };
    const Row rows[] = {
        {"nominal: absolute link", "abs.tex", "@/real/abs.tex", "real/abs.tex", true},
        {"nominal: relative link into another folder", "sub/rel.tex", "../real/rel.tex",
         "real/rel.tex", true},
        {"nominal: a link to a link", "chain.tex", "sub/rel.tex", "real/rel.tex", true},
        {"nominal: a dangling link's target is created", "dangling.tex", "real/new.tex",
         "real/new.tex", false},
    };
    fs::create_directory(At("real"));
    fs::create_directory(At("sub"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string points = row.points;
        if (points.starts_with('@'))
            points = dir_.path().toStdString() + points.substr(1);
        if (row.targetExists)
            WriteFile(At(row.target), "old");
        const std::string link = At(row.link);
        ASSERT_EQ(::symlink(points.c_str(), link.c_str()), 0);
        const auto realBefore = Entries(At("real"));

        const FileResult result = Write(link, row.name);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(ReadFile(At(row.target)), row.name);
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link).string(), points);
        auto realAfter = realBefore;
        if (!row.targetExists)
            realAfter.push_back(fs::path(row.target).filename().string());
        std::sort(realAfter.begin(), realAfter.end());
        EXPECT_EQ(Entries(At("real")), realAfter) << "no temporary file is left behind";
    }
}

TEST_F(WriteFileTest, AFileWithTwoNamesKeepsBoth) {
    const std::string first = At("first.tex");
    const std::string second = At("second.tex");
    WriteFile(first, "old");
    ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
    const FileResult result = Write(first, "new content");
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(ReadFile(first), "new content");
    EXPECT_EQ(ReadFile(second), "new content") << "one file still";
    EXPECT_EQ(StatOf(first).st_nlink, 2u);
    EXPECT_EQ(Entries(dir_.path().toStdString()),
              (std::vector<std::string>{"first.tex", "second.tex"}));
}

// Runs the helper as nobody; nullopt (and a reason) when this machine cannot.
std::optional<std::string> AsNobody(const QStringList& arguments, std::string& whyNot) {
    const QString setpriv = QStandardPaths::findExecutable("setpriv");
    if (::geteuid() != 0 || setpriv.isEmpty()) {
        whyNot = "running a write as nobody needs root and setpriv (util-linux)";
        return std::nullopt;
    }
    QProcess helper;
    helper.start(setpriv, QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                      QStringLiteral(ORVELT_FILE_IO_HELPER)} +
                              arguments);
    if (!helper.waitForFinished(30000) || helper.exitCode() != 0) {
        whyNot = "the helper did not run: " + helper.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return helper.readAllStandardOutput().toStdString();
}

// Root may write anything, so these run as nobody, through the helper.
class AsNobodyTest : public WriteFileTest {
protected:
    void SetUp() override {
        WriteFileTest::SetUp();
        // nobody must reach the folders inside.
        ASSERT_EQ(::chmod(dir_.path().toLocal8Bit().constData(), 0755), 0);
        fs::create_directory(At("locked"));
        ASSERT_EQ(::chmod(At("locked").c_str(), 0755), 0);
        fs::create_directory(At("open"));
        ASSERT_EQ(::chmod(At("open").c_str(), 0777), 0);
    }
};

TEST_F(AsNobodyTest, AWriteThatIsNotAllowedChangesNothing) {
    struct Row {
        const char* name;
        const char* file;
        mode_t mode;
    };
    const Row rows[] = {
        {"robustness: a writable file in a folder nobody may not write", "locked/a.tex", 0666},
        {"regression: a read-only file in a folder anyone may write is not replaced", "open/b.tex",
         0644},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = At(row.file);
        const std::string folder = fs::path(path).parent_path().string();
        WriteFile(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), row.mode), 0);
        const auto before = Entries(folder);
        std::string whyNot;
        auto outcome = AsNobody({"write", QString::fromStdString(path), "new"}, whyNot);
        if (!outcome)
            GTEST_SKIP() << whyNot;
        EXPECT_EQ(*outcome, "Permission denied");
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(Entries(folder), before);
    }
}

TEST_F(AsNobodyTest, ASettingsCommitThatCannotWriteIsRemembered) {
    struct Row {
        const char* name;
        const char* ini;
        const char* named; // the file or folder the error names
    };
    const Row rows[] = {
        {"robustness: a settings folder nobody may not write", "locked/orvelt95.ini",
         "locked/orvelt95.ini"},
        {"robustness: a settings folder that cannot be made", "locked/sub/orvelt95.ini",
         "locked/sub"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string whyNot;
        auto outcome = AsNobody({"commit", QString::fromStdString(At(row.ini))}, whyNot);
        if (!outcome)
            GTEST_SKIP() << whyNot;
        EXPECT_EQ(*outcome, At(row.named) + "\nPermission denied");
        EXPECT_EQ(Entries(At("locked")), std::vector<std::string>{});
    }
}

TEST_F(WriteFileTest, ASettingsCommitThatWritesForgetsTheEarlierFailureAndIsReadBack) {
    // A file where the settings folder should be: any user fails to make it.
    WriteFile(At("config"), "");
    const QString file = QString::fromStdString(At("config/orvelt95/orvelt95.ini"));
    IniSettingsStore store(file);
    EXPECT_FALSE(store.Read("Left").has_value()) << "no file: every value is missing";
    store.Write("Left", "1");
    store.Commit();
    ASSERT_TRUE(store.LastCommitError().has_value());
    EXPECT_EQ(store.LastCommitError()->fileName.toStdString(), At("config/orvelt95"));
    EXPECT_EQ(store.LastCommitError()->reason.toStdString(), "Not a directory");

    fs::remove(At("config"));
    store.Commit();
    EXPECT_FALSE(store.LastCommitError().has_value());
    EXPECT_EQ(ReadFile(At("config/orvelt95/orvelt95.ini")), "[Orvelt95]\nLeft=1\n");
    EXPECT_EQ(IniSettingsStore(file).Read("Left"), "1");
}

} // namespace
} // namespace orvelt
