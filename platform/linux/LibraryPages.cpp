#include "platform/linux/LibraryPages.h"

#include <fcntl.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace ruvo {
namespace {

// Bits of a /proc/PID/pagemap entry.
constexpr uint64_t kPresent = 1ULL << 63;
constexpr uint64_t kSwapped = 1ULL << 62;
constexpr uint64_t kFileOrShared = 1ULL << 61;

struct Range {
    uintptr_t start = 0;
    uintptr_t end = 0;
};

struct SegmentSearch {
    const std::set<std::string>* objects = nullptr;
    uintptr_t pageSize = 0;
    std::vector<Range> found;
};

// Whole pages only: a page a segment shares with its neighbour stays.
int AddReadOnlySegments(dl_phdr_info* info, size_t, void* data) {
    auto& search = *static_cast<SegmentSearch*>(data);
    if (!info->dlpi_name || search.objects->count(info->dlpi_name) == 0) return 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type != PT_LOAD || (segment.p_flags & PF_W) != 0) continue;
        const uintptr_t from = info->dlpi_addr + segment.p_vaddr;
        const uintptr_t start = (from + search.pageSize - 1) / search.pageSize * search.pageSize;
        const uintptr_t end = (from + segment.p_memsz) / search.pageSize * search.pageSize;
        if (start < end) search.found.push_back({start, end});
    }
    return 0;
}

int AddName(dl_phdr_info* info, size_t, void* data) {
    // The program itself has an empty name, the kernel's vDSO one without a path.
    if (info->dlpi_name && info->dlpi_name[0] == '/') static_cast<std::set<std::string>*>(data)->insert(info->dlpi_name);
    return 0;
}

// A page that may go: a page of the file itself, or none yet. A private
// copy, in memory or swapped out, holds what was written to it and stays.
bool Releasable(uint64_t entry) {
    if ((entry & kPresent) != 0) return (entry & kFileOrShared) != 0;
    return (entry & kSwapped) == 0;
}

// Unmaps the releasable runs of pages in `range`; returns the bytes that were mapped.
size_t ReleaseRange(int pagemap, const Range& range, uintptr_t pageSize) {
    const size_t pages = (range.end - range.start) / pageSize;
    std::vector<uint64_t> entries(pages);
    const auto bytes = static_cast<ssize_t>(pages * sizeof(uint64_t));
    if (pread(pagemap, entries.data(), bytes, static_cast<off_t>(range.start / pageSize * sizeof(uint64_t))) != bytes)
        return 0;
    size_t released = 0;
    size_t runStart = 0, present = 0;
    for (size_t i = 0; i <= pages; ++i) {
        if (i < pages && Releasable(entries[i])) {
            present += (entries[i] & kPresent) != 0;
            continue;
        }
        if (present > 0 &&
            madvise(reinterpret_cast<void*>(range.start + runStart * pageSize), (i - runStart) * pageSize,
                    MADV_DONTNEED) == 0)
            released += present * pageSize;
        runStart = i + 1;
        present = 0;
    }
    return released;
}

}  // namespace

std::set<std::string> LoadedObjects() {
    std::set<std::string> names;
    dl_iterate_phdr(AddName, &names);
    return names;
}

std::set<std::string> LoadedBetween(const std::set<std::string>& before, const std::set<std::string>& after) {
    std::set<std::string> added;
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::inserter(added, added.end()));
    return added;
}

size_t ReleaseCleanPages(const std::set<std::string>& objects) {
    SegmentSearch search;
    search.objects = &objects;
    search.pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    dl_iterate_phdr(AddReadOnlySegments, &search);
    const int pagemap = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    if (pagemap < 0) return 0;
    size_t released = 0;
    for (const Range& range : search.found) released += ReleaseRange(pagemap, range, search.pageSize);
    close(pagemap);
    return released;
}

}  // namespace ruvo
