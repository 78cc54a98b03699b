#pragma once
// What the fuzz targets share: the input as text, and a scratch folder in
// memory-backed /dev/shm (else /tmp) for the parsers that read files.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "config/FileSystem.h"

namespace ruvo::fuzz {

inline std::string_view TextOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// One folder per process, made once.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/ruvo-fuzz-XXXXXX");
        return std::string(mkdtemp(pattern.data()) ? pattern : "/tmp");
    }();
    return folder;
}

inline std::string ScratchFile(std::string_view name) { return JoinPath(ScratchFolder(), name); }

// Puts the bytes into a scratch file as they are (no encoding).
inline std::string WriteScratchFile(std::string_view name, std::string_view bytes) {
    const std::string path = ScratchFile(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// Stops the run with a finding the fuzzer reports.
inline void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace ruvo::fuzz
