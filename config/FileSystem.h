#pragma once
// Whole-file reads and atomic whole-file replacement. Every file of the
// program is opened, read or rewritten and closed within one call.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

// The lists are never larger; a settings file is far smaller.
inline constexpr size_t kListFileLimit = 16u << 20;
inline constexpr size_t kSettingsFileLimit = 1u << 20;

// The file's bytes, or nothing when it cannot be opened or read. Only a
// regular file is read (a FIFO or device planted in its place would hang or
// never end), and none larger than `limit`: such a file is damaged and reads
// as unreadable, so nothing replaces it with the little that would fit.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit = kListFileLimit);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a reader (or a crash) never sees half a file.
// Returns false and leaves `path` untouched on any failure, and when the
// user made the file read-only. The new file has the old regular file's
// permissions without set-id bits, else 0644 (never a link target's).
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// Deletes the temporary files beside `path` that a replace left when the
// program was killed during it (older than a minute, so that a write under
// way in another process is left alone).
void RemoveLeftoverTemporaries(const std::string& path);

// Moves a file that cannot be read as one of the program's (not a regular
// file, or larger than `limit`) to `path` + ".damaged", so a new one can
// take its place and nothing of it is lost; true when it did.
bool SetAsideIfDamaged(const std::string& path, size_t limit);

// True when users other than its owner may change what is in `path` (it is
// group- or world-writable), or it belongs to someone other than this user
// and root.
bool OthersMayChange(const std::string& path);

// True when `program` may be run: a regular file of this user or root that
// nobody else may change, in a folder nobody else may change.
bool IsTrustedProgram(const std::string& program);

// What tells one version of a file from another without reading it: a file
// replaced by a rename has a new inode, one rewritten in place a new size or
// modification time. Equal identities mean the file was not changed, as far
// as the file system's clock can tell.
struct FileIdentity {
    bool exists = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};
FileIdentity IdentityOf(const std::string& path);

// True when something exists at `path` (a file or folder).
bool PathExists(const std::string& path);

// True when `path` names a regular file (through links), not a folder, FIFO
// or device.
bool IsRegularFile(const std::string& path);

// True when `folder` exists and a file can be created in it.
bool IsWritableFolder(const std::string& folder);

// Creates `folder` and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

// The names (not paths) of the files in `folder`, in the order the file
// system gives them; none when it cannot be read.
std::vector<std::string> ListFolderFiles(const std::string& folder);

// Deletes the file; true when it is gone afterwards.
bool RemoveFile(const std::string& path);

// folder + "/" + name, without doubling a trailing "/".
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace ruvo
