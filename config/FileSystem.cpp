#include "config/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

namespace ruvo {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit) {
    // Non-blocking: opening a FIFO for reading would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<size_t>(info.st_size) > limit) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.append(buffer, static_cast<size_t>(got));
        if (bytes.size() > limit) {  // it grew while read
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return bytes;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    // The old file's permissions, when it is a regular file; a link (to
    // whatever it points at) gets an ordinary new file.
    mode_t mode = 0644;
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (!(old.st_mode & S_IWUSR)) return false;  // the user made it read-only: left as it is
        mode = old.st_mode & 0777;
    }
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    const bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ::fchmod(fd, mode);
    if (::close(fd) != 0 || !ok || ::rename(name.data(), path.c_str()) != 0) {
        ::unlink(name.data());
        return false;
    }
    return true;
}

void RemoveLeftoverTemporaries(const std::string& path) {
    constexpr time_t kSettledSeconds = 60;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".tmp-";
    const size_t nameLength = prefix.size() + 6;  // mkstemp's six characters
    for (const std::string& name : ListFolderFiles(folder)) {
        if (name.size() != nameLength || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string leftover = JoinPath(folder, name);
        struct stat info {};
        if (::lstat(leftover.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
        if (::time(nullptr) - info.st_mtime >= kSettledSeconds) ::unlink(leftover.c_str());
    }
}

bool SetAsideIfDamaged(const std::string& path, size_t limit) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0) return false;  // nothing there
    } else if (S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) <= limit) {
        return false;  // a file the program can read
    }
    return ::rename(path.c_str(), (path + ".damaged").c_str()) == 0;
}

bool OthersMayChange(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return true;
    const bool ownOrRoot = info.st_uid == ::geteuid() || info.st_uid == 0;
    return !ownOrRoot || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

bool IsTrustedProgram(const std::string& program) {
    struct stat info {};
    if (::lstat(program.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const size_t slash = program.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : program.substr(0, slash);
    return !OthersMayChange(program) && !OthersMayChange(folder);
}

FileIdentity IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return {true, static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino),
            static_cast<unsigned long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsWritableFolder(const std::string& folder) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool MakeFolders(const std::string& folder) {
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos == folder.size() || folder[pos] == '/') ::mkdir(folder.substr(0, pos).c_str(), 0755);
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> ListFolderFiles(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::stat(JoinPath(folder, entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace ruvo
