#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {
long fullDiskAfter = -1;
std::string lastFailure;

// Remembers why a write or rename failed, from errno as the failing call left it.
bool Failed() {
    lastFailure = std::strerror(errno ? errno : EIO);
    return false;
}

bool WriteAllTo(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        size_t chunk = bytes.size() - done;
        if (fullDiskAfter >= 0) {
            if (done >= static_cast<size_t>(fullDiskAfter)) {
                errno = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, static_cast<size_t>(fullDiskAfter) - done);
        }
        ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC; // nothing written and no error: the device took no more
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Opens a file for reading only when it is a regular file no larger than `largest`: a FIFO
// would block the open or the read for ever, a device (/dev/zero) never ends. Non-blocking,
// so a FIFO without a writer cannot stall the open itself; -1 for anything refused.
int OpenRegularForReading(std::string_view gamePath, size_t largest) {
    int fd = ::open(NativePath(gamePath).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<unsigned long long>(info.st_size) > largest) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// What a reader does with the chunk it was given.
enum class tchunk { More, Stop, Refuse };

// Feeds a regular file of at most `largest` bytes to `take` chunk by chunk, until the file
// ends or `take` stops; false when it cannot be opened or read, or `take` refuses.
bool ReadChunks(std::string_view gamePath, size_t largest,
                const std::function<tchunk(std::string_view)>& take) {
    int fd = OpenRegularForReading(gamePath, largest);
    if (fd < 0) return false;
    char buffer[65536];
    tchunk answer = tchunk::More;
    bool ok = true;
    while (answer == tchunk::More) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        answer = take(std::string_view(buffer, static_cast<size_t>(n)));
    }
    ::close(fd);
    return ok && answer != tchunk::Refuse;
}

// The temporary name of a save in progress: "<target>.tmp<PID>".
constexpr std::string_view TemporaryMark = ".tmp";

// The process id of a name of our temporary naming, or 0 when the name is not one.
long TemporaryOwner(std::string_view name) {
    const size_t mark = name.rfind(TemporaryMark);
    if (mark == std::string_view::npos || mark == 0) return 0;
    std::string_view digits = name.substr(mark + TemporaryMark.size());
    if (digits.empty() || digits.size() > 9 || digits[0] == '0') return 0;
    long pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}
} // namespace

std::string NativePath(std::string_view gamePath) {
    std::string path(gamePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string ProgramFolder() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    std::string path(buffer, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/') + 1);
}

bool SetCurrentFolder(std::string_view folder) {
    return !folder.empty() && ::chdir(NativePath(folder).c_str()) == 0;
}

bool Exists(std::string_view gamePath) {
    struct stat info;
    return ::stat(NativePath(gamePath).c_str(), &info) == 0;
}

bool Delete(std::string_view gamePath) {
    return ::unlink(NativePath(gamePath).c_str()) == 0;
}

bool MakeFolder(std::string_view gamePath) {
    std::error_code error;
    std::filesystem::create_directories(NativePath(gamePath), error);
    return std::filesystem::is_directory(NativePath(gamePath), error);
}

bool CanWriteIn(std::string_view gameFolder) {
    std::string folder = gameFolder.empty() ? "./" : NativePath(gameFolder);
    if (folder.back() != '/') folder += '/';
    // A file without a name first: it goes with its descriptor, so nothing can be left in
    // the folder, whatever happens.
    int fd = ::open(folder.c_str(), O_WRONLY | O_TMPFILE | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // Only a file system without such files gets a named probe.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
    const std::string probe = folder + ".write-test" + std::to_string(::getpid());
    fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    // A folder whose files cannot be removed cannot have them replaced either: a save
    // there would fail at its rename.
    return ::unlink(probe.c_str()) == 0;
}

bool Rename(std::string_view fromGamePath, std::string_view toGamePath) {
    return ::rename(NativePath(fromGamePath).c_str(), NativePath(toGamePath).c_str()) == 0 ||
           Failed();
}

std::vector<std::string> List(std::string_view pattern) {
    std::string path = NativePath(pattern);
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string mask = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string ending = mask.starts_with("*") ? mask.substr(1) : mask;

    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error)) continue;
        std::string name = entry.path().filename().string();
        // A backslash is an ordinary character here but a folder separator in a game path:
        // "..\..\evil.dat" would name a file outside the folder.
        if (name.find('\\') != std::string::npos) continue;
        if (name.size() >= ending.size() && name.ends_with(ending)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadAll(std::string_view gamePath, std::string& bytes, size_t largest) {
    bytes.clear();
    return ReadChunks(gamePath, largest, [&](std::string_view chunk) {
        // The file may grow while we read it.
        if (bytes.size() + chunk.size() > largest) return tchunk::Refuse;
        bytes.append(chunk);
        return tchunk::More;
    });
}

bool ReadFirstLine(std::string_view gamePath, std::string& line, size_t largest) {
    line.clear();
    return ReadChunks(gamePath, largest, [&](std::string_view chunk) {
        const size_t end = chunk.find_first_of("\r\n");
        line.append(chunk.substr(0, end));
        if (end != std::string_view::npos) return tchunk::Stop;
        return line.size() > largest ? tchunk::Refuse : tchunk::More;
    });
}

static bool WriteThroughTemporary(std::string_view gamePath, std::string_view bytes) {
    std::string target = NativePath(gamePath);
    std::string temporary = target + std::string(TemporaryMark) + std::to_string(::getpid());
    // Created afresh, never through a link planted under the (predictable) name. Whatever
    // holds the name is a leftover of a killed process that had our id, or planted: it goes
    // (unlink removes a link, not what it points to), and one more try must create the file.
    constexpr int Flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(temporary.c_str(), Flags, 0644);
    if (fd < 0 && errno == EEXIST && ::unlink(temporary.c_str()) == 0)
        fd = ::open(temporary.c_str(), Flags, 0644);
    if (fd < 0) return false;
    bool ok = WriteAllTo(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int why = errno; // the failure, not the clean-up, is what the player hears
        ::unlink(temporary.c_str());
        errno = why;
    }
    return ok;
}

bool WriteSafely(std::string_view gamePath, std::string_view bytes) {
    errno = 0;
    return WriteThroughTemporary(gamePath, bytes) || Failed();
}

bool AppendToExisting(std::string_view gamePath, std::string_view bytes) {
    // Never through a link (it would append to any file the player can write), and never to
    // a FIFO or device, whose open or write could block the game.
    int fd = ::open(NativePath(gamePath).c_str(),
                    O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    bool ok = WriteAllTo(fd, bytes);
    return (::close(fd) == 0) && ok;
}

int RemoveStaleTemporaries(std::string_view gameFolder) {
    std::string folder = gameFolder.empty() ? "." : NativePath(gameFolder);
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const long pid = TemporaryOwner(name);
        if (pid <= 0 || pid == ::getpid()) continue;
        // A save of another running copy of the game is still being written.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        if (entry.is_directory(error) && !entry.is_symlink(error)) continue;
        if (::unlink(entry.path().c_str()) == 0) ++removed;
    }
    return removed;
}

std::string LastFailure() {
    return lastFailure;
}

void SimulateFullDiskAfter(long bytes) {
    fullDiskAfter = bytes;
}

namespace {
std::string homeFolder;
}

void SetHomeFolder(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
    homeFolder = std::move(folder);
}

const std::string& HomeFolder() {
    return homeFolder;
}

std::string HomePath(std::string_view gamePath) {
    if (gamePath.starts_with('/')) return std::string(gamePath);
    return homeFolder + std::string(gamePath);
}

} // namespace files
