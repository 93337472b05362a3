// Saving never loses the old file: faults of the file system come from an
// injected set of system calls (so they run under any user); the cases that need
// the system's own permission checks run as an unprivileged user.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "common/errors.h"
#include "common/file_io.h"
#include "support/other_user.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

namespace fs = std::filesystem;
using testing::RunAsPupil;
using testing::RunningAsRoot;
using testing::TempDir;
using testing::WriteTestFile;

// System calls of which one fails once, as the file system named would.
class FaultyCalls : public FileSystemCalls {
public:
    enum class Step { Create, Open, Write, Reserve, Truncate, Sync, ChangeOwner, ChangeMode, Close, Rename };
    using Real = FileSystemCalls;

    FaultyCalls(Step step, int err) : step_(step), err_(err) {}
    std::optional<uid_t> user;  // the effective user the save believes it runs as

    int Open(const char* path, int flags, mode_t mode) override {
        return Fails((flags & O_CREAT) ? Step::Create : Step::Open) ? -1 : Real::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const char* data, std::size_t n, off_t offset) override {
        // A write cut short by the fault leaves part of a block behind.
        if (step_ == Step::Write && !failed_) Real::Write(fd, "\xDE\xAD", std::min<std::size_t>(n, 2), offset);
        return Fails(Step::Write) ? -1 : Real::Write(fd, data, n, offset);
    }
    int Reserve(int fd, off_t size) override { return Fails(Step::Reserve) ? -1 : Real::Reserve(fd, size); }
    int Truncate(int fd, off_t size) override { return Fails(Step::Truncate) ? -1 : Real::Truncate(fd, size); }
    int Sync(int fd) override { return Fails(Step::Sync) ? -1 : Real::Sync(fd); }
    int ChangeOwner(int fd, uid_t u, gid_t g) override {
        return Fails(Step::ChangeOwner) ? -1 : Real::ChangeOwner(fd, u, g);
    }
    int ChangeMode(int fd, mode_t mode) override { return Fails(Step::ChangeMode) ? -1 : Real::ChangeMode(fd, mode); }
    int Close(int fd) override { return Real::Close(fd) != 0 || Fails(Step::Close) ? -1 : 0; }
    int Rename(const char* from, const char* to) override { return Fails(Step::Rename) ? -1 : Real::Rename(from, to); }
    uid_t EffectiveUser() override { return user.value_or(Real::EffectiveUser()); }

    bool Failed() const { return failed_; }

private:
    bool Fails(Step s) {
        if (s != step_ || failed_) return false;
        failed_ = true;
        errno = err_;
        return true;
    }
    Step step_;
    int err_;
    bool failed_ = false;
};

std::set<std::string> Names(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

// The message of the save's error, "" when it saved.
std::string SaveError(const std::string& path, const std::string& bytes,
                      FileSystemCalls& calls = FileSystemCalls::Real()) {
    try {
        WriteFileAtomically(path, bytes, calls);
    } catch (const EFileError& e) {
        return e.what();
    }
    return "";
}

const std::string kOld = "the pupil's saved work";
const std::string kNew = std::string(20000, 'n');  // longer: the space must be found first

TEST(SafeSave, EveryFaultKeepsTheOldFileAndLeavesNoTemporary) {
    using Step = FaultyCalls::Step;
    const struct {
        const char* what;
        Step step;
        int err;
        bool linked;  // a hard-linked file is rewritten in place
    } cases[] = {
        {"no room for the temporary", Step::Create, ENOSPC, false},
        {"disk full while writing", Step::Write, ENOSPC, false},
        {"flush fails", Step::Sync, EIO, false},
        {"mode cannot be set", Step::ChangeMode, EPERM, false},
        {"close reports a lost write", Step::Close, EIO, false},
        {"rename fails", Step::Rename, EIO, false},
        {"in place: cannot open", Step::Open, EACCES, true},
        {"in place: no room to reserve", Step::Reserve, ENOSPC, true},
        {"in place: disk full while writing", Step::Write, ENOSPC, true},
        {"in place: cannot cut to length", Step::Truncate, EIO, true},
        {"in place: flush fails", Step::Sync, EIO, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.File("work.prj");
        WriteTestFile(path, kOld);
        ASSERT_TRUE(!c.linked || ::link(path.c_str(), dir.File("copy.prj").c_str()) == 0);
        const auto before = Names(dir.Path());
        FaultyCalls calls(c.step, c.err);
        EXPECT_EQ(SaveError(path, kNew, calls), "Cannot write " + path + ": " + std::strerror(c.err));
        EXPECT_TRUE(calls.Failed());
        EXPECT_EQ(ReadWholeFile(path), kOld);
        EXPECT_EQ(ReadWholeFile(dir.File(c.linked ? "copy.prj" : "work.prj")), kOld);
        EXPECT_EQ(Names(dir.Path()), before);
    }
}

TEST(SafeSave, LinksKeepEveryNameOfTheFile) {
    TempDir dir;
    fs::create_directory(dir.File("target"));
    const std::string real = dir.File("target/real.prj");
    WriteTestFile(real, kOld);
    const std::string link = dir.File("link.prj");
    fs::create_symlink("target/real.prj", link);
    WriteFileAtomically(link, "through the link");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "through the link");
    EXPECT_EQ(Names(dir.File("target")), std::set<std::string>{"real.prj"});

    // A link whose file does not exist yet makes that file.
    fs::create_symlink("target/new.prj", dir.File("dangling.prj"));
    WriteFileAtomically(dir.File("dangling.prj"), "first save");
    EXPECT_TRUE(fs::is_symlink(dir.File("dangling.prj")));
    EXPECT_EQ(ReadWholeFile(dir.File("target/new.prj")), "first save");

    // Hard links: every name sees the save, and it is still one file.
    const std::string other = dir.File("other-name.prj");
    ASSERT_EQ(::link(real.c_str(), other.c_str()), 0);
    WriteFileAtomically(real, kNew);
    EXPECT_EQ(ReadWholeFile(other), kNew);
    EXPECT_EQ(StatOf(real).st_ino, StatOf(other).st_ino);
    WriteFileAtomically(other, "short");  // shorter than before: no old tail stays
    EXPECT_EQ(ReadWholeFile(real), "short");
}

TEST(SafeSave, ReadOnlyFilesAreNotReplaced) {
    TempDir dir;
    const std::string path = dir.File("handout.prj");
    WriteTestFile(path, kOld);
    fs::permissions(path, fs::perms(0444));
    EXPECT_EQ(SaveError(path, kNew), "Cannot write " + path + ": the file is read-only");
    EXPECT_EQ(ReadWholeFile(path), kOld);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"handout.prj"});

    // A file another user may write but this one may not, in a folder anyone may
    // change: the folder's permission does not make the file the pupil's.
    if (!RunningAsRoot()) GTEST_SKIP() << "needs a file of another user";
    fs::permissions(dir.Path(), fs::perms(0777));
    fs::permissions(path, fs::perms(0644));
    EXPECT_EQ(RunAsPupil([&] { return SaveError(path, kNew); }), "Cannot write " + path + ": the file is read-only");
    EXPECT_EQ(ReadWholeFile(path), kOld);
}

TEST(SafeSave, OwnerGroupAndModeStay) {
    TempDir dir;
    const std::string theirs = dir.File("theirs.mdf");
    WriteTestFile(theirs, kOld);
    fs::permissions(theirs, fs::perms(0640));
    WriteFileAtomically(theirs, kNew);
    EXPECT_EQ(StatOf(theirs).st_mode & 07777, 0640u);
    if (!RunningAsRoot()) GTEST_SKIP() << "files of another owner and group need root";

    // Root saves a colleague's file: owner, group and mode stay.
    constexpr gid_t kStaff = 4242;
    constexpr uid_t kColleague = 4243;
    fs::permissions(dir.Path(), fs::perms(0775));
    ASSERT_EQ(::chown(dir.Path().c_str(), 0, kStaff), 0);
    ASSERT_EQ(::chown(theirs.c_str(), kColleague, kStaff), 0);
    WriteFileAtomically(theirs, kNew);
    EXPECT_EQ(StatOf(theirs).st_uid, kColleague);
    EXPECT_EQ(StatOf(theirs).st_gid, kStaff);
    EXPECT_EQ(StatOf(theirs).st_mode & 07777, 0640u);

    // A writer that cannot give the group away rewrites the file in place.
    const std::string mine = dir.File("mine.mdf");
    WriteTestFile(mine, kOld);
    ASSERT_EQ(::chown(mine.c_str(), kColleague, kStaff), 0);
    FaultyCalls notInGroup(FaultyCalls::Step::ChangeOwner, EPERM);
    notInGroup.user = kColleague;
    WriteFileAtomically(mine, kNew, notInGroup);
    EXPECT_TRUE(notInGroup.Failed());
    EXPECT_EQ(ReadWholeFile(mine), kNew);
    EXPECT_EQ(StatOf(mine).st_gid, kStaff);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"mine.mdf", "theirs.mdf"}));

    // A teacher of the staff group saves a colleague's group-writable file, and
    // a file of the teacher's own that belongs to the group: both stay the group's.
    fs::permissions(theirs, fs::perms(0660));
    const std::string own = dir.File("own.mdf");
    WriteTestFile(own, kOld);
    ASSERT_EQ(::chown(own.c_str(), testing::kPupilUid, kStaff), 0);
    fs::permissions(own, fs::perms(0660));
    EXPECT_EQ(
        RunAsPupil([&] { return SaveError(theirs, "by a colleague") + SaveError(own, "by the owner"); }, {kStaff}), "");
    EXPECT_EQ(ReadWholeFile(theirs), "by a colleague");
    EXPECT_EQ(ReadWholeFile(own), "by the owner");
    for (const auto& [path, owner] : {std::pair{theirs, kColleague}, {own, testing::kPupilUid}}) {
        EXPECT_EQ(StatOf(path).st_uid, owner);
        EXPECT_EQ(StatOf(path).st_gid, kStaff);
    }
    EXPECT_EQ(StatOf(own).st_mode & 07777, 0660u);
}

TEST(SafeSave, WritableFileInAFolderWhereNothingCanBeMade) {
    TempDir dir;
    const std::string path = dir.File("existing.prj");
    WriteTestFile(path, kOld);
    FaultyCalls noNewFiles(FaultyCalls::Step::Create, EACCES);
    WriteFileAtomically(path, kNew, noNewFiles);
    EXPECT_EQ(ReadWholeFile(path), kNew);

    // The same with the system's own checks, and a new file there: the message
    // names the folder.
    fs::create_directory(dir.File("rodir"));
    const std::string inside = dir.File("rodir/existing.prj"), made = dir.File("rodir/new.prj");
    WriteTestFile(inside, kOld);
    if (RunningAsRoot()) {
        fs::permissions(dir.Path(), fs::perms(0755));
        ASSERT_EQ(::chown(dir.File("rodir").c_str(), testing::kPupilUid, testing::kPupilGid), 0);
        ASSERT_EQ(::chown(inside.c_str(), testing::kPupilUid, testing::kPupilGid), 0);
    }
    fs::permissions(dir.File("rodir"), fs::perms(0555));
    EXPECT_EQ(RunAsPupil([&] { return SaveError(inside, kNew) + "|" + SaveError(made, kNew); }),
              "|Cannot write " + made + ": " + std::strerror(EACCES) + " (no new file may be made in the folder " +
                  dir.File("rodir") + ")");
    EXPECT_EQ(ReadWholeFile(inside), kNew);
    EXPECT_EQ(Names(dir.File("rodir")), std::set<std::string>{"existing.prj"});
}

// Names up to the folder's limit save; a folder that is not there is an error
// that leaves nothing behind.
TEST(SafeSave, AnyNameTheFolderAllowsCanBeSaved) {
    TempDir dir;
    const std::string path = dir.File(std::string(251, 'b') + ".prj");  // 255 bytes
    WriteFileAtomically(path, kOld);
    WriteFileAtomically(path, kNew);
    EXPECT_EQ(ReadWholeFile(path), kNew);
    EXPECT_NE(SaveError(dir.File("missing/b.prj"), kNew).find("missing/b.prj"), std::string::npos);
    EXPECT_EQ(Names(dir.Path()).size(), 1u);
}

}  // namespace
}  // namespace trevane
