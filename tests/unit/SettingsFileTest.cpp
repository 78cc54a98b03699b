#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "base/NumberText.h"
#include "config/SettingsFile.h"
#include "fakes/TempFolder.h"

namespace ruvo {
namespace {

constexpr uid_t kNobody = 65534;

// Runs `check` as a user meets permissions: as it is for a user, and in a
// child process that became "nobody" when run as root (as CI runs), since
// root writes anywhere. True when `check` was.
template <typename Check>
bool AsAUser(Check check) {
    if (geteuid() != 0) return check();
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0;
        _exit(dropped && check() ? 0 : 1);
    }
    int status = 1;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Settings : public testing::Test {
protected:
    test::TempFolder folder;
    std::string path = folder.File("config.dll");
};

TEST_F(Settings, MissingFileSectionOrKeyReadsAsDefault) {
    EXPECT_EQ(ReadSetting(path, "S_q", "quit", "0"), "0");
    folder.Write("config.dll", "[S_q]\r\nts=3\r\n");
    EXPECT_EQ(ReadSetting(path, "S_q", "quit", "0"), "0");
    EXPECT_EQ(ReadSetting(path, "Other", "ts", "0"), "0");
}

TEST_F(Settings, EmptyValueReadsAsEmptyText) {
    folder.Write("config.dll", "[S_q]\r\nquit=\r\n");
    EXPECT_EQ(ReadSetting(path, "S_q", "quit", "0"), "");
}

TEST_F(Settings, NamesMatchWithoutRegardToCase) {
    WriteSetting(path, "User", "Name", "AA-BB");
    EXPECT_EQ(ReadSetting(path, "user", "NAME", "0"), "AA-BB");
    folder.Write("config.dll", "[user]\r\nname=x\r\n");
    EXPECT_EQ(ReadSetting(path, "User", "Name", "0"), "x");
    WriteSetting(path, "USER", "NAME", "y");
    EXPECT_EQ(folder.Read("config.dll"), "[user]\r\nname=y\r\n");  // replaced in place, spelling kept
}

TEST_F(Settings, ValuesAreCutTo254Bytes) {
    const std::string ascii(300, 'v');
    WriteSetting(path, "S_q", "long", ascii);
    EXPECT_EQ(ReadSetting(path, "S_q", "long", "0"), ascii.substr(0, 254));
    WriteSetting(path, "S_q", "exact", ascii.substr(0, 254));
    EXPECT_EQ(ReadSetting(path, "S_q", "exact", "0").size(), 254u);
    // 127 Chinese characters are 254 bytes in GBK; one more is cut off whole.
    std::string chinese;
    for (int i = 0; i < 128; ++i) chinese += "海";
    WriteSetting(path, "S_q", "cn", chinese);
    EXPECT_EQ(ReadSetting(path, "S_q", "cn", "0"), chinese.substr(0, 127 * 3));
}

TEST_F(Settings, NewSectionsAndKeysAreAppendedInWriteOrder) {
    WriteSetting(path, "main", "Name", "Ruvo影视盒");
    WriteSetting(path, "S_q", "ts", "3");
    WriteSetting(path, "S_q", "quit", "2");
    WriteSetting(path, "main", "Extra", "1");
    WriteSetting(path, "S_q", "ts", "1");
    EXPECT_EQ(folder.Read("config.dll"),
              "[main]\r\nName=Ruvo\xD3\xB0\xCA\xD3\xBA\xD0\r\nExtra=1\r\n[S_q]\r\nts=1\r\nquit=2\r\n");
}

TEST_F(Settings, KeyIsAppendedAfterTheSectionsLastLineNotAfterBlankLines) {
    folder.Write("config.dll", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
    WriteSetting(path, "a", "z", "3");
    EXPECT_EQ(folder.Read("config.dll"), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(Settings, LineBreaksInAValueNeverMakeANewLine) {
    WriteSetting(path, "S_q", "qvodw", "/a\r\n[evil]\r\nts=9");
    EXPECT_EQ(ReadSetting(path, "S_q", "qvodw", "0"), "/a[evil]ts=9");
    EXPECT_EQ(ReadSetting(path, "evil", "ts", "0"), "0");
}

TEST_F(Settings, GbkValuesAndLfOnlyFilesRead) {
    folder.Write("config.dll", "[main]\nName=Ruvo\xD3\xB0\xCA\xD3\xBA\xD0\n");
    EXPECT_EQ(ReadSetting(path, "main", "Name", "0"), "Ruvo影视盒");
}

TEST_F(Settings, BinaryOrHugeFileNeverCrashesAndKeepsWhatItCouldRead) {
    std::string binary(512 << 10, '\0');
    for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919) & 0xFF);
    std::replace(binary.begin(), binary.end(), '\r', 'r');  // line ends are rewritten as CR LF
    std::replace(binary.begin(), binary.end(), '\n', 'n');
    folder.Write("config.dll", binary + "\r\n[S_q]\r\nts=2\r\n");
    EXPECT_EQ(ReadSetting(path, "S_q", "ts", "0"), "2");
    WriteSetting(path, "S_q", "quit", "2");
    const std::string after = folder.Read("config.dll");
    EXPECT_EQ(after.substr(0, binary.size()), binary);  // nothing it could read is lost
    EXPECT_EQ(ReadSetting(path, "S_q", "quit", "0"), "2");

    // Past 1 MiB a settings file is damaged: its values read as the defaults
    // and it is never replaced.
    const std::string huge = std::string(10 << 20, 'x') + "\r\n[S_q]\r\nquit=1\r\n";
    folder.Write("config.dll", huge);
    EXPECT_EQ(ReadSetting(path, "S_q", "quit", "0"), "0");
    EXPECT_FALSE(WriteSetting(path, "S_q", "quit", "2"));
    EXPECT_EQ(folder.Read("config.dll").size(), huge.size());
}

TEST_F(Settings, WriteIntoReadOnlyFolderFailsWithoutHarm) {
    WriteSetting(path, "S_q", "ts", "2");
    if (geteuid() == 0) {
        ASSERT_EQ(chown(folder.Path().c_str(), kNobody, kNobody), 0);  // the user's own folder
    }
    chmod(folder.Path().c_str(), 0500);
    EXPECT_TRUE(AsAUser([&] { return !WriteSetting(path, "S_q", "ts", "1") && ReadSetting(path, "S_q", "ts", "0") == "2"; }));
    chmod(folder.Path().c_str(), 0700);
    EXPECT_EQ(folder.Read("config.dll"), "[S_q]\r\nts=2\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);  // no temporary left
}

// The file is read once and held: a change that leaves its identity on disk
// as it was (same inode, size and time) is not seen, while another program
// replacing the file or editing it in place is, and the held file's own
// writes are seen at once.
TEST_F(Settings, HeldFileIsReadAgainOnlyWhenChangedOnDisk) {
    folder.Write("config.dll", "[S_q]\r\nts=2\r\n");
    SettingsFile held(path);
    EXPECT_EQ(held.Read("S_q", "ts", "0"), "2");
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    {
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        ASSERT_TRUE(file);
        std::fputs("[S_q]\r\nts=3\r\n", file);
        std::fclose(file);
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    EXPECT_EQ(held.Read("S_q", "ts", "0"), "2");  // the held text: the file was not read again

    WriteSetting(path, "S_q", "ts", "4");  // another writer replaces the file
    EXPECT_EQ(held.Read("S_q", "ts", "0"), "4");
    {
        std::FILE* file = std::fopen(path.c_str(), "ab");  // an editor appends in place
        std::fputs("quit=2\r\n", file);
        std::fclose(file);
    }
    EXPECT_EQ(held.Read("S_q", "quit", "0"), "2");

    ASSERT_TRUE(held.Write("S_q", "quit", "1"));
    EXPECT_EQ(held.Read("S_q", "quit", "0"), "1");
    EXPECT_EQ(folder.Read("config.dll"), "[S_q]\r\nts=4\r\nquit=1\r\n");
}

// A write that cannot reach the disk changes nothing held either: what is
// read stays what the file says.
TEST_F(Settings, FailedWriteLeavesTheHeldValues) {
    const std::string inner = folder.File("inner");
    ASSERT_EQ(mkdir(inner.c_str(), 0700), 0);
    SettingsFile held(JoinPath(inner, "config.dll"));
    ASSERT_TRUE(held.Write("S_q", "ts", "2"));
    ASSERT_EQ(rename(inner.c_str(), folder.File("moved").c_str()), 0);  // the folder is gone
    EXPECT_FALSE(held.Write("S_q", "ts", "1"));
    EXPECT_EQ(held.Read("S_q", "ts", "0"), "0");  // no file: defaults, as a fresh reader sees
    ASSERT_EQ(rename(folder.File("moved").c_str(), inner.c_str()), 0);
    EXPECT_EQ(held.Read("S_q", "ts", "0"), "2");
}

TEST(NumberText, ConversionOfSettingTexts) {
    EXPECT_EQ(TextToInt("14750"), 14750);
    EXPECT_EQ(TextToInt(" 2 "), 2);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt("12abc"), 0);
    EXPECT_EQ(TextToInt("-5"), -5);
    EXPECT_EQ(TextToInt("99999999999"), 0);
    EXPECT_EQ(TextToInt("inf"), 0);
    EXPECT_FALSE(IsNumberText("0x10"));
}

}  // namespace
}  // namespace ruvo
