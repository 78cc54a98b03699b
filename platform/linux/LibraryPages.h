#pragma once
// Handing back the memory a library load touched only once.
//
// Loading a large library with its dependencies (libmpv brings some 170)
// reads their symbol tables and relocation records and runs their start-up
// code: tens of megabytes of file pages stay mapped into the process though
// nothing reads them again. Those pages are clean copies of the files, so
// they can be unmapped at no risk: the system keeps them in its file cache,
// and a later access maps them again (a minor fault, no disk read while the
// cache holds them). Pages the loader wrote (relocated data) are private and
// are never touched here.
#include <cstddef>
#include <set>
#include <string>

namespace ruvo {

// The shared objects loaded in this process, by the names the loader gives them.
std::set<std::string> LoadedObjects();

// The objects in `after` that are not in `before`.
std::set<std::string> LoadedBetween(const std::set<std::string>& before, const std::set<std::string>& after);

// Unmaps the clean file pages of the read-only and executable segments of
// the loaded `objects`. Returns the bytes unmapped; 0 where the kernel does
// not show which pages are private copies (/proc/self/pagemap unreadable):
// nothing is unmapped then.
size_t ReleaseCleanPages(const std::set<std::string>& objects);

}  // namespace ruvo
