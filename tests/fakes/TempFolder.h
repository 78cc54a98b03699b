#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>

#include "config/FileSystem.h"

namespace ruvo::test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ruvo-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return JoinPath(path_, name); }
    // The raw bytes of a file in the folder ("" when missing).
    std::string Read(std::string_view name) const { return ReadWholeFile(File(name)).value_or(""); }
    void Write(std::string_view name, std::string_view bytes) const { ReplaceFileAtomically(File(name), bytes); }

private:
    std::string path_;
};

}  // namespace ruvo::test
