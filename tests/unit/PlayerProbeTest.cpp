// The start-up check on the installed libmpv, in a real child process, and
// the record that lets later starts skip loading the library.
#include <gtest/gtest.h>

#include "config/FileSystem.h"
#include "fakes/TempFolder.h"
#include "adapters/mpv/MpvPlayerProbe.h"

namespace ruvo {
namespace {

class PlayerProbe : public testing::Test {
protected:
    test::TempFolder folder;
    std::string record = folder.File("player-check");
};

TEST_F(PlayerProbe, FirstCheckLoadsTheLibraryAndRemembersItsFile) {
    MpvPlayerProbe probe(folder.Path());
    EXPECT_TRUE(probe.LoadsLibrary());
    EXPECT_TRUE(probe.CanCreatePlayer());
    const auto stamp = ReadWholeFile(record);
    ASSERT_TRUE(stamp);
    const std::string library = stamp->substr(0, stamp->find('\n'));
    EXPECT_NE(library.find("libmpv.so"), std::string::npos) << library;
    EXPECT_EQ(MpvPlayerProbe::LibraryStamp(library), *stamp);

    MpvPlayerProbe later(folder.Path());
    EXPECT_FALSE(later.LoadsLibrary());
    EXPECT_TRUE(later.CanCreatePlayer());
}

TEST_F(PlayerProbe, ChangedMissingOrBrokenRecordsCheckAgain) {
    MpvPlayerProbe(folder.Path()).CanCreatePlayer();
    const std::string good = ReadWholeFile(record).value();
    const std::string library = good.substr(0, good.find('\n'));
    const std::string cases[] = {
        library + "\n1\n0.0\n",                      // the library was replaced
        folder.File("gone.so") + "\n1\n0.0\n",       // it went away
        "relative/libmpv.so.2\n1\n0.0\n",            // not a path this program writes
        std::string(1 << 20, '\xff'),                // garbage, and far too long
        "",
    };
    for (const std::string& bad : cases) {
        ASSERT_TRUE(ReplaceFileAtomically(record, bad));
        MpvPlayerProbe probe(folder.Path());
        EXPECT_TRUE(probe.LoadsLibrary()) << bad.substr(0, 60);
        EXPECT_TRUE(probe.CanCreatePlayer());
        EXPECT_EQ(ReadWholeFile(record).value_or(""), good);
    }
}

TEST_F(PlayerProbe, WithoutARecordFolderEveryStartChecks) {
    MpvPlayerProbe probe("");
    EXPECT_TRUE(probe.LoadsLibrary());
    EXPECT_TRUE(probe.CanCreatePlayer());
    EXPECT_FALSE(PathExists(record));
}

TEST(LibraryStamp, IsEmptyForWhatIsNoFile) {
    test::TempFolder folder;
    EXPECT_EQ(MpvPlayerProbe::LibraryStamp(folder.File("none")), "");
    EXPECT_EQ(MpvPlayerProbe::LibraryStamp(folder.Path()), "");  // a folder
    EXPECT_EQ(MpvPlayerProbe::LibraryStamp(""), "");
}

}  // namespace
}  // namespace ruvo
