#include "platform/linux/LibraryPages.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ruvo {
namespace {

// How many pages of [data, data + size) are mapped into this process now.
size_t MappedPages(const void* data, size_t size) {
    const auto pageSize = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<uintptr_t>(data) / pageSize;
    const auto end = (reinterpret_cast<uintptr_t>(data) + size + pageSize - 1) / pageSize;
    std::vector<uint64_t> entries(end - start);
    const int pagemap = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    if (pagemap < 0) return 0;
    const auto bytes = static_cast<ssize_t>(entries.size() * sizeof(uint64_t));
    const bool read = pread(pagemap, entries.data(), bytes, static_cast<off_t>(start * sizeof(uint64_t))) == bytes;
    close(pagemap);
    size_t mapped = 0;
    for (uint64_t entry : entries) mapped += read && (entry >> 63) != 0;
    return mapped;
}

unsigned Checksum(const unsigned char* data, size_t size) {
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) sum = sum * 131 + data[i];
    return sum;
}

TEST(LibraryPages, UnmapsTheCleanPagesOfANewLibraryAndKeepsWhatTheLoaderWrote) {
    const auto before = LoadedObjects();
    void* library = dlopen(RUVO_PAGES_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto loaded = LoadedBetween(before, LoadedObjects());
    EXPECT_EQ(loaded, std::set<std::string>{RUVO_PAGES_MODULE});

    auto readOnlyData = reinterpret_cast<const unsigned char* (*)(size_t*)>(dlsym(library, "ReadOnlyData"));
    auto nameAt = reinterpret_cast<const char* (*)(size_t)>(dlsym(library, "NameAt"));
    ASSERT_TRUE(readOnlyData && nameAt);
    size_t size = 0;
    const unsigned char* data = readOnlyData(&size);
    const unsigned sum = Checksum(data, size);
    const size_t pages = MappedPages(data, size);
    ASSERT_GE(pages, size / static_cast<size_t>(sysconf(_SC_PAGESIZE)));

    EXPECT_EQ(ReleaseCleanPages({}), 0u);  // nothing named: nothing unmapped
    EXPECT_EQ(MappedPages(data, size), pages);
    EXPECT_GE(ReleaseCleanPages(loaded), size);
    EXPECT_LE(MappedPages(data, size), 2u);  // a page shared with the code beside it may stay

    // Read again, the data are the file's; the relocated addresses survived.
    EXPECT_EQ(Checksum(data, size), sum);
    EXPECT_STREQ(nameAt(0), "alpha");
    EXPECT_STREQ(nameAt(3), "delta");
    dlclose(library);
}

}  // namespace
}  // namespace ruvo
