#include "adapters/mpv/MpvPlayerProbe.h"

#include <dlfcn.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <thread>

#include "config/FileSystem.h"
#include "adapters/mpv/MpvLibrary.h"

namespace ruvo {
namespace {

// The child's exit code when the library is missing or no player can be made.
constexpr int kCannotCreate = 3;
constexpr auto kWaitLimit = std::chrono::seconds(10);
constexpr size_t kLongestRecord = 4096;
constexpr const char* kRecordName = "player-check";

// The file the loaded library came from, with links resolved.
std::string LoadedLibraryFile(const MpvLibrary& mpv) {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(mpv.create), &info) == 0 || !info.dli_fname) return {};
    char resolved[PATH_MAX];
    return realpath(info.dli_fname, resolved) ? resolved : "";
}

// The record holds when the library file it names is still the same file.
bool RecordHolds(const std::string& recordFile) {
    const auto record = ReadWholeFile(recordFile);
    if (!record || record->empty() || record->size() > kLongestRecord) return false;
    const std::string path = record->substr(0, record->find('\n'));
    return !path.empty() && path[0] == '/' && MpvPlayerProbe::LibraryStamp(path) == *record;
}

[[noreturn]] void CheckInChild(const std::string& recordFolder) {
    std::setlocale(LC_NUMERIC, "C");  // libmpv refuses to start under a locale with a decimal comma
    const MpvLibrary* mpv = MpvLibrary::Get();
    mpv_handle* handle = mpv ? mpv->create() : nullptr;
    if (!handle) _exit(kCannotCreate);
    mpv->terminate_destroy(handle);
    const std::string stamp = MpvPlayerProbe::LibraryStamp(LoadedLibraryFile(*mpv));
    if (!stamp.empty() && !recordFolder.empty() && MakeFolders(recordFolder))
        ReplaceFileAtomically(JoinPath(recordFolder, kRecordName), stamp);
    _exit(0);
}

}  // namespace

MpvPlayerProbe::MpvPlayerProbe(const std::string& recordFolder) {
    if (!recordFolder.empty() && RecordHolds(JoinPath(recordFolder, kRecordName))) return;
    child_ = fork();
    if (child_ == 0) CheckInChild(recordFolder);
}

std::string MpvPlayerProbe::LibraryStamp(const std::string& path) {
    struct stat file{};
    if (path.empty() || stat(path.c_str(), &file) != 0 || !S_ISREG(file.st_mode)) return {};
    return path + '\n' + std::to_string(file.st_size) + '\n' + std::to_string(file.st_mtim.tv_sec) + '.' +
           std::to_string(file.st_mtim.tv_nsec) + '\n';
}

bool MpvPlayerProbe::CanCreatePlayer() {
    if (child_ < 0) return true;  // the record held, or there is no child to ask: not a "cannot create"
    const pid_t child = child_;
    child_ = -1;
    const auto deadline = std::chrono::steady_clock::now() + kWaitLimit;
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (done == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return true;
    }
    const bool exited = done > 0 && WIFEXITED(status);
    return !(exited && WEXITSTATUS(status) == kCannotCreate);
}

}  // namespace ruvo
