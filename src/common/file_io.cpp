#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <algorithm>
#include <random>

#include "common/errors.h"
#include "common/text.h"

namespace trevane {
namespace fs = std::filesystem;

namespace {

std::string SystemMessage(int err) { return std::strerror(err); }

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
    throw EFileError(what + " " + path + ": " + SystemMessage(err));
}

std::string ReadFile(const std::string& path, std::size_t maxBytes, bool refuseLarger) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("Cannot open", path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        Fail("Cannot read", path, err);
    }
    if (refuseLarger && st.st_size > 0 && static_cast<std::size_t>(st.st_size) > maxBytes) {
        ::close(fd);
        throw EFileError("Cannot read " + path + ": the file is too large");
    }
    std::string data;
    data.reserve(std::min(maxBytes, static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0)));
    char buf[65536];
    while (data.size() < maxBytes || refuseLarger) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            Fail("Cannot read", path, err);
        }
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
        if (data.size() > maxBytes) {
            if (!refuseLarger) {
                data.resize(maxBytes);
                break;
            }
            ::close(fd);
            throw EFileError("Cannot read " + path + ": the file is too large");
        }
    }
    ::close(fd);
    return data;
}

// The file a path names once every symbolic link on the way is followed (the
// path itself when it is no link). A link to a file that does not exist yet
// gives the name that file will have.
std::string FollowLinks(const std::string& path) {
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(p, ec)) return p.string();
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return p.string();
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p.string();
}

std::string FolderOf(const std::string& path) {
    const fs::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

// Writes all of `bytes` at `offset`; the errno of the failure, or 0.
int WriteAll(FileSystemCalls& calls, int fd, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A fresh temporary file beside the target: a short name, so that any name the
// folder allows can be saved. Its descriptor, or -1 with errno.
int CreateTemporary(FileSystemCalls& calls, const std::string& dir, std::string& name) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device rd;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::string leaf = ".trv-";
        for (int i = 0; i < 6; ++i) leaf += kLetters[rd() % (sizeof kLetters - 1)];
        name = (fs::path(dir) / leaf).string();
        const int fd = calls.Open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Rewrites an existing file where it is, so that every name of it, its owner and
// its group stay. The space is reserved before the first byte changes; should
// writing fail all the same, the old bytes are written back.
void WriteInPlace(FileSystemCalls& calls, const std::string& path, const std::string& file, std::string_view bytes) {
    const int fd = calls.Open(file.c_str(), O_RDWR | O_CLOEXEC, 0);
    if (fd < 0) Fail("Cannot write", path, errno);
    auto fail = [&](int err) {
        calls.Close(fd);
        Fail("Cannot write", path, err);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0) fail(errno);
    std::string old(static_cast<std::size_t>(st.st_size), '\0');
    for (std::size_t done = 0; done < old.size();) {
        const ssize_t n = calls.Read(fd, old.data() + done, old.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        if (n == 0) {
            old.resize(done);
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (bytes.size() > old.size() && calls.Reserve(fd, static_cast<off_t>(bytes.size())) != 0) fail(errno);
    int err = WriteAll(calls, fd, bytes, 0);
    if (err == 0 && calls.Truncate(fd, static_cast<off_t>(bytes.size())) != 0) err = errno;
    if (err == 0 && calls.Sync(fd) != 0) err = errno;
    if (err != 0) {
        if (WriteAll(calls, fd, old, 0) == 0) calls.Truncate(fd, static_cast<off_t>(old.size()));
        calls.Sync(fd);
        fail(err);
    }
    if (calls.Close(fd) != 0) Fail("Cannot write", path, errno);
}

}  // namespace

int FileSystemCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSystemCalls::Write(int fd, const char* data, std::size_t n, off_t offset) {
    return ::pwrite(fd, data, n, offset);
}
ssize_t FileSystemCalls::Read(int fd, char* data, std::size_t n, off_t offset) { return ::pread(fd, data, n, offset); }
int FileSystemCalls::Reserve(int fd, off_t size) {
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0) return 0;
    return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : -1;
}
int FileSystemCalls::Truncate(int fd, off_t size) { return ::ftruncate(fd, size); }
int FileSystemCalls::Sync(int fd) { return ::fsync(fd); }
int FileSystemCalls::ChangeOwner(int fd, uid_t uid, gid_t gid) { return ::fchown(fd, uid, gid); }
int FileSystemCalls::ChangeMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileSystemCalls::Close(int fd) { return ::close(fd); }
int FileSystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int FileSystemCalls::Unlink(const char* path) { return ::unlink(path); }
int FileSystemCalls::MayWrite(const char* path) { return ::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS); }
uid_t FileSystemCalls::EffectiveUser() { return ::geteuid(); }

FileSystemCalls& FileSystemCalls::Real() {
    static FileSystemCalls real;
    return real;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes) { return ReadFile(path, maxBytes, true); }

std::string ReadFileStart(const std::string& path, std::size_t maxBytes) { return ReadFile(path, maxBytes, false); }

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    WriteFileAtomically(path, bytes, FileSystemCalls::Real());
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, FileSystemCalls& calls) {
    const std::string file = FollowLinks(path);
    const std::string dir = FolderOf(file);

    struct stat old {};
    const bool replacing = ::stat(file.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) Fail("Cannot write", path, EISDIR);
    bool inPlace = false;
    if (replacing && S_ISREG(old.st_mode)) {
        // A file nobody may write, or this user may not, is someone's decision to
        // keep it as it is; the folder's permission to replace it does not count.
        if ((old.st_mode & 0222) == 0 || (calls.MayWrite(file.c_str()) != 0 && errno != ENOENT))
            throw EFileError("Cannot write " + path + ": the file is read-only");
        const uid_t me = calls.EffectiveUser();
        // Every name of a hard-linked file sees the save; a file of another owner
        // keeps that owner (only root can give a new file away).
        inPlace = old.st_nlink > 1 || (me != 0 && old.st_uid != me);
    }

    if (!inPlace) {
        std::string tmpName;
        const int fd = CreateTemporary(calls, dir, tmpName);
        if (fd < 0) {
            const int err = errno;
            // A writable file in a folder where no file may be created.
            if (replacing && S_ISREG(old.st_mode) && (err == EACCES || err == EPERM)) {
                WriteInPlace(calls, path, file, bytes);
                return;
            }
            if (err == EACCES || err == EPERM)
                throw EFileError("Cannot write " + path + ": " + SystemMessage(err) +
                                 " (no new file may be made in the folder " + dir + ")");
            Fail("Cannot write", path, err);
        }
        auto failAndClean = [&](int err) {
            calls.Close(fd);
            calls.Unlink(tmpName.c_str());
            Fail("Cannot write", path, err);
        };
        if (replacing && S_ISREG(old.st_mode)) {
            // The replacement keeps the group (a database a teacher shares with
            // colleagues stays theirs), the owner when root saves, and the mode.
            struct stat made {};
            if (::fstat(fd, &made) != 0) failAndClean(errno);
            const bool root = calls.EffectiveUser() == 0;
            if (made.st_gid != old.st_gid || (root && made.st_uid != old.st_uid)) {
                if (calls.ChangeOwner(fd, root ? old.st_uid : static_cast<uid_t>(-1), old.st_gid) != 0) {
                    // Not in that group: rewrite the file itself, which keeps both.
                    calls.Close(fd);
                    calls.Unlink(tmpName.c_str());
                    WriteInPlace(calls, path, file, bytes);
                    return;
                }
            }
            if (calls.ChangeMode(fd, old.st_mode & 07777) != 0) failAndClean(errno);
        }
        if (const int err = WriteAll(calls, fd, bytes, 0)) failAndClean(err);
        if (calls.Sync(fd) != 0) failAndClean(errno);
        if (calls.Close(fd) != 0) {
            const int err = errno;
            calls.Unlink(tmpName.c_str());
            Fail("Cannot write", path, err);
        }
        if (calls.Rename(tmpName.c_str(), file.c_str()) != 0) {
            const int err = errno;
            calls.Unlink(tmpName.c_str());
            Fail("Cannot write", path, err);
        }
        // Make the rename itself durable.
        const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
        return;
    }
    WriteInPlace(calls, path, file, bytes);
}

std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name) {
    const std::string exact = JoinPath(dir, name);
    if (FileExists(exact)) return exact;
    std::error_code ec;
    const std::string want = LowerAscii(name);
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (LowerAscii(it->path().filename().string()) == want && it->is_regular_file(ec)) return it->path().string();
    }
    return std::nullopt;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

}  // namespace trevane
