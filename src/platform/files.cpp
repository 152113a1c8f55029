#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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
        if (name.size() >= ending.size() && name.ends_with(ending)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadAll(std::string_view gamePath, std::string& bytes) {
    FILE* file = std::fopen(NativePath(gamePath).c_str(), "rb");
    if (!file) return false;
    bytes.clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

static bool WriteThroughTemporary(std::string_view gamePath, std::string_view bytes) {
    std::string target = NativePath(gamePath);
    std::string temporary = target + ".tmp" + std::to_string(::getpid());
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
    int fd = ::open(NativePath(gamePath).c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = WriteAllTo(fd, bytes);
    return (::close(fd) == 0) && ok;
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
