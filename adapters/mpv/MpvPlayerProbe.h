#pragma once
// The start-up check on libmpv. The program itself loads libmpv only when a
// video first plays, so the check loads it in a child process forked before
// the toolkit starts. A check that passed is remembered with the library
// file's size and time: while that file is unchanged, later starts skip
// loading some 170 libraries (60 ms) and only look at the file.
#include <sys/types.h>

#include <string>

#include "platform/PlayerProbe.h"

namespace ruvo {

class MpvPlayerProbe final : public PlayerProbe {
public:
    // Reads the record of the last good check ("player-check" in
    // `recordFolder`, none when empty) and, unless it still holds, forks the
    // checking child; call before any thread exists.
    explicit MpvPlayerProbe(const std::string& recordFolder);
    // Waits for the child (10 s at most, then it counts as an error that is
    // not "cannot create" and start-up goes on).
    bool CanCreatePlayer() override;
    // Whether this check loaded the library (the record did not hold).
    bool LoadsLibrary() const { return child_ > 0; }

    // The record for the library file at `path`: its path, size and change
    // time, one per line; empty when there is no such file.
    static std::string LibraryStamp(const std::string& path);

private:
    pid_t child_ = -1;
};

}  // namespace ruvo
