#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/PlayableAddress.h"
#include "fakes/TempFolder.h"

namespace ruvo {
namespace {

// Every scheme libmpv or ffmpeg would open besides the web's, from a portal
// or from the user: none reaches the player.
TEST(PlayableAddress, OnlyTheWebOrTheUsersOwnFile) {
    test::TempFolder folder;
    folder.Write("clip.mp4", "video");
    mkfifo(folder.File("fifo").c_str(), 0600);
    const std::string file = folder.File("clip.mp4");
    struct Row {
        std::string address;
        bool fromOutside, fromUser;
    };
    const Row rows[] = {
        {"http://portal/media/1.mp4", true, true},
        {"HTTPS://portal/media/1.mp4?a=1&b=%20", true, true},
        {file, false, true},
        {"file://" + file, false, false},  // the caller turns a desktop's file address into its path first
        {"av://lavfi:amovie=/etc/passwd", false, false},
        {"lavf://file:/etc/passwd", false, false},
        {"edl://" + file, false, false},
        {"slice://0-10@" + file, false, false},
        {"appending://" + file, false, false},
        {"memory://text", false, false},
        {"hex://00", false, false},
        {"fd://0", false, false},
        {"av://x11grab::0", false, false},
        {"http://", false, false},
        {"http:///etc/passwd", false, false},
        {"http://host/a b", true, true},
        {"http://ho st/a", false, false},
        {"http://host/a\nb", false, false},
        {"clip.mp4", false, false},                 // relative
        {folder.Path(), false, false},              // a folder
        {folder.File("fifo"), false, false},        // would never end
        {folder.File("gone.mp4"), false, false},
        {"", false, false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsPlayableAddress(row.address, AddressOrigin::Outside), row.fromOutside) << row.address;
        EXPECT_EQ(IsPlayableAddress(row.address, AddressOrigin::User), row.fromUser) << row.address;
    }
    EXPECT_EQ(LocalPathOf("file://" + folder.File("a%20b%E4%B8%AD.mp4")), folder.File("a b中.mp4"));
    EXPECT_EQ(LocalPathOf("file://localhost/x/y"), "/x/y");
    EXPECT_EQ(LocalPathOf("file://otherhost/x"), "file://otherhost/x");
    EXPECT_EQ(LocalPathOf("file:///x%00y%2"), std::string("/x\0y%2", 6));
    EXPECT_FALSE(IsPlayableAddress(LocalPathOf("file://" + file + "%00.txt"), AddressOrigin::User));
}

}  // namespace
}  // namespace ruvo
