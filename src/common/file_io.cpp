#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "common/errors.h"

namespace trevane {
namespace fs = std::filesystem;

namespace {

std::string SystemMessage(int err) { return std::strerror(err); }

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
    throw EFileError(what + " " + path + ": " + SystemMessage(err));
}

}  // namespace

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

std::string ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("Cannot open", path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        Fail("Cannot read", path, err);
    }
    if (st.st_size > 0 && static_cast<std::size_t>(st.st_size) > maxBytes) {
        ::close(fd);
        throw EFileError("Cannot read " + path + ": the file is too large");
    }
    std::string data;
    data.reserve(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 0));
    char buf[65536];
    for (;;) {
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
            ::close(fd);
            throw EFileError("Cannot read " + path + ": the file is too large");
        }
    }
    ::close(fd);
    return data;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target(path);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A replaced file keeps its permissions (a database a teacher shares with
    // colleagues stays group-writable); a new one gets 0644 less the umask.
    struct stat old {};
    const bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    std::random_device rd;
    std::string tmpName;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        tmpName = (dir / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000))).string();
        fd = ::open(tmpName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) Fail("Cannot write", path, errno);
    auto failAndClean = [&](int err) {
        ::close(fd);
        ::unlink(tmpName.c_str());
        Fail("Cannot write", path, err);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            failAndClean(errno);
        }
        if (n == 0) failAndClean(ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) failAndClean(errno);
    if (::fsync(fd) != 0) failAndClean(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpName.c_str());
        Fail("Cannot write", path, err);
    }
    if (::rename(tmpName.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmpName.c_str());
        Fail("Cannot write", path, err);
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name) {
    const std::string exact = JoinPath(dir, name);
    if (FileExists(exact)) return exact;
    std::error_code ec;
    auto lower = [](std::string s) {
        for (auto& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    const std::string want = lower(name);
    for (fs::directory_iterator it(dir.empty() ? "." : dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (lower(it->path().filename().string()) == want && it->is_regular_file(ec))
            return it->path().string();
    }
    return std::nullopt;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

}  // namespace trevane
