// The file layer against what another local user or a damaged disk can put
// where the program keeps its files: FIFOs, devices, oversized files, links
// to other files, read-only and set-id files, folders others may write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "config/FileSystem.h"
#include "config/ProgramPlaces.h"
#include "config/TextFile.h"
#include "fakes/TempFolder.h"

namespace ruvo {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode;
}

TEST(FileSafety, OnlyRegularFilesOfSaneSizeAreRead) {
    test::TempFolder folder;
    const std::string fifo = folder.File("date.dat");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadTextFileLines(fifo));  // no writer ever comes: it must not wait for one
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    const std::string zero = folder.File("date_f.dat");
    std::filesystem::create_symlink("/dev/zero", zero);
    EXPECT_FALSE(ReadWholeFile(zero));  // endless: never read

    const std::string big = folder.File("c.dat");
    folder.Write("c.dat", "x");
    std::filesystem::resize_file(big, kListFileLimit + 1);
    EXPECT_FALSE(ReadWholeFile(big));
    folder.Write("config.dll", std::string(kSettingsFileLimit + 1, 'x'));
    EXPECT_FALSE(ReadWholeFile(folder.File("config.dll"), kSettingsFileLimit));
    EXPECT_TRUE(ReadWholeFile(folder.File("config.dll")));  // a list may be that large
}

TEST(FileSafety, AFileThatCannotBeReadIsSetAsideWhole) {
    test::TempFolder folder;
    ASSERT_EQ(mkfifo(folder.File("date.dat").c_str(), 0600), 0);
    EXPECT_TRUE(SetAsideIfDamaged(folder.File("date.dat"), kListFileLimit));
    EXPECT_FALSE(PathExists(folder.File("date.dat")));
    EXPECT_TRUE(PathExists(folder.File("date.dat.damaged")));
    folder.Write("config.dll", std::string(kSettingsFileLimit + 1, 'x'));
    EXPECT_TRUE(SetAsideIfDamaged(folder.File("config.dll"), kSettingsFileLimit));
    EXPECT_EQ(ReadWholeFile(folder.File("config.dll.damaged")).value_or("").size(), kSettingsFileLimit + 1);
    folder.Write("date_f.dat", "\r\n");
    EXPECT_FALSE(SetAsideIfDamaged(folder.File("date_f.dat"), kListFileLimit));  // a good file stays
    EXPECT_FALSE(SetAsideIfDamaged(folder.File("missing"), kListFileLimit));
}

TEST(FileSafety, ReplacingNeverTakesALinkTargetsOrSetIdMode) {
    test::TempFolder folder;
    folder.Write("elsewhere", "theirs");
    chmod(folder.File("elsewhere").c_str(), 0666);
    std::filesystem::create_symlink(folder.File("elsewhere"), folder.File("config.dll"));
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("config.dll"), "[S_q]\r\n"));
    EXPECT_TRUE(S_ISREG(ModeOf(folder.File("config.dll"))));  // the link itself was replaced
    EXPECT_EQ(ModeOf(folder.File("config.dll")) & 07777, 0644u);
    EXPECT_EQ(folder.Read("elsewhere"), "theirs");

    folder.Write("date.dat", "a");
    chmod(folder.File("date.dat").c_str(), 04755);
    ASSERT_TRUE(ReplaceFileAtomically(folder.File("date.dat"), "b"));
    EXPECT_EQ(ModeOf(folder.File("date.dat")) & 07777, 0755u);
}

TEST(FileSafety, AFileTheUserMadeReadOnlyIsLeftAsItIs) {
    test::TempFolder folder;
    folder.Write("date.dat", "kept");
    chmod(folder.File("date.dat").c_str(), 0444);
    EXPECT_FALSE(ReplaceFileAtomically(folder.File("date.dat"), "replaced"));
    EXPECT_EQ(folder.Read("date.dat"), "kept");
    EXPECT_EQ(ModeOf(folder.File("date.dat")) & 07777, 0444u);
}

TEST(FileSafety, ProgramsAndFoldersOthersMayChangeAreNotTrusted) {
    test::TempFolder folder;
    const std::string helpers = folder.File("player");
    MakeFolders(helpers);
    chmod(helpers.c_str(), 0755);
    const std::string helper = JoinPath(helpers, "QvodTerminal.exe");
    folder.Write("player/QvodTerminal.exe", "#!/bin/sh\n");
    chmod(helper.c_str(), 0755);
    EXPECT_TRUE(IsTrustedProgram(helper));
    chmod(helper.c_str(), 0775);
    EXPECT_FALSE(IsTrustedProgram(helper));  // the group may change it
    chmod(helper.c_str(), 0755);
    chmod(helpers.c_str(), 0777);
    EXPECT_FALSE(IsTrustedProgram(helper));  // anyone may replace it
    std::filesystem::create_symlink(helper, folder.File("link.exe"));
    EXPECT_FALSE(IsTrustedProgram(folder.File("link.exe")));
    if (geteuid() == 0) {
        chmod(helpers.c_str(), 0755);
        ASSERT_EQ(chown(helper.c_str(), 4321, 4321), 0);
        EXPECT_FALSE(IsTrustedProgram(helper));  // another user's program
    }
}

TEST(FileSafety, AnExecutableFolderOthersMayWriteIsNotTheProgramFolder) {
    test::TempFolder folder;
    const std::string shared = folder.File("bin");
    MakeFolders(shared);
    ASSERT_TRUE(ReplaceFileAtomically(JoinPath(shared, "portable"), ""));
    chmod(shared.c_str(), 0777);
    const std::string data = folder.File("data");
    EXPECT_EQ(ChooseProgramFolder({nullptr, shared, data.c_str(), "/home/x"}), JoinPath(data, "ruvo-box"));
    chmod(shared.c_str(), 0755);
    EXPECT_EQ(ChooseProgramFolder({nullptr, shared, data.c_str(), "/home/x"}), shared);
}

}  // namespace
}  // namespace ruvo
