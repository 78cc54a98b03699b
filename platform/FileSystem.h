#pragma once
// Whole-file reads and atomic whole-file replacement. Every file of the
// program is opened, read or rewritten and closed within one call.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path`, flushes it to disk and
// renames it over `path`, so a reader (or a crash) never sees half a file.
// Returns false and leaves `path` untouched on any failure.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// True when something exists at `path` (a file or folder).
bool PathExists(const std::string& path);

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
