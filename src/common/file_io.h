#pragma once
// Whole-file reading and safe writing. Every file the program or its tools write
// goes through WriteFileAtomically: the old file survives any failure.
#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trevane {

// The system calls a save is made of, each returning what the call returns (and
// setting errno). The program uses the real ones; tests replace some of them with
// calls that fail as a full disk, a read-only folder or a file system without
// owners would.
class FileSystemCalls {
public:
    virtual ~FileSystemCalls() = default;
    virtual int Open(const char* path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const char* data, std::size_t n, off_t offset);
    virtual ssize_t Read(int fd, char* data, std::size_t n, off_t offset);
    // Reserves disk space for `size` bytes without changing the file's length;
    // 0 also where the file system cannot reserve.
    virtual int Reserve(int fd, off_t size);
    virtual int Truncate(int fd, off_t size);
    virtual int Sync(int fd);
    virtual int ChangeOwner(int fd, uid_t uid, gid_t gid);
    virtual int ChangeMode(int fd, mode_t mode);
    virtual int Close(int fd);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
    // Whether the running user may write the file (0, else -1 and errno).
    virtual int MayWrite(const char* path);
    virtual uid_t EffectiveUser();

    static FileSystemCalls& Real();
};

bool FileExists(const std::string& path);

// Reads the whole file; throws EFileError with the system's message on failure.
// Files larger than `maxBytes` are refused with EFileError.
std::string ReadWholeFile(const std::string& path, std::size_t maxBytes = 512u * 1024u * 1024u);

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk,
// then renames it over `path`. Throws EFileError naming the file and the reason;
// on failure the previous file is whole and no temporary is left.
// - A symbolic link is followed: the file it names is replaced, the link stays.
// - A replaced file keeps its mode, its group and (when root saves) its owner.
// - A file with several names (hard links), a file whose owner or group the
//   writer cannot give to a new file, and a writable file in a folder where no
//   file can be created are rewritten in place instead: the space is reserved
//   first, and should writing fail all the same the old bytes are put back.
// - A file that is read-only (no write permission for anyone, or not for the
//   running user) is refused: "Cannot write <path>: the file is read-only".
void WriteFileAtomically(const std::string& path, std::string_view bytes);
void WriteFileAtomically(const std::string& path, std::string_view bytes, FileSystemCalls& calls);

// The first `maxBytes` bytes of a file (all of it when shorter); throws EFileError.
std::string ReadFileStart(const std::string& path, std::size_t maxBytes);

// Finds `name` in folder `dir`: the exact name when it exists, else the first entry
// whose name equals it without regard to ASCII letter case. Returns the full path,
// or nothing when neither exists.
std::optional<std::string> FindFileNoCase(const std::string& dir, const std::string& name);

// Joins a folder and a file name with one separator.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace trevane
