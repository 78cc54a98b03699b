// A library for LibraryPagesTest to load: data that is only ever read, many
// pages of it, and a table of addresses the loader relocates, which becomes
// a private copy of its page once loaded.
#include <array>
#include <cstddef>

namespace {

constexpr size_t kDataSize = 128 * 1024;

constexpr std::array<unsigned char, kDataSize> MakeData() {
    std::array<unsigned char, kDataSize> data{};
    for (size_t i = 0; i < kDataSize; ++i) data[i] = static_cast<unsigned char>(i * 31 + 7);
    return data;
}

constexpr std::array<unsigned char, kDataSize> kData = MakeData();

const char* const kNames[] = {"alpha", "beta", "gamma", "delta"};

}  // namespace

extern "C" {

__attribute__((visibility("default"))) const unsigned char* ReadOnlyData(size_t* size) {
    *size = kDataSize;
    return kData.data();
}

__attribute__((visibility("default"))) const char* NameAt(size_t index) { return kNames[index % 4]; }

}
