#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "app/CommandLineOptions.h"
#include "app/MachineIdentity.h"
#include "app/Startup.h"
#include "base/TextCodec.h"
#include "config/FileSystem.h"
#include "config/ProgramPlaces.h"
#include "config/SettingsFile.h"
#include "fakes/Fakes.h"
#include "fakes/TempFolder.h"

namespace ruvo {
namespace {

class Startup : public testing::Test {
protected:
    test::TempFolder folder;
    test::FakePlayerProbe player;
    test::FakeDialogs dialogs;
    test::FakeShell shell;
    test::FakeAdapters adapters;
    test::FakeClock clock;
    StartupPorts ports{player, dialogs, shell, adapters, clock};
    PortalAddress portal = PortalFrom("http://127.0.0.1:9/box/");

    SettingsFile settings{folder.File("config.dll")};

    StartupOutcome Run() { return RunStartup(folder.Path(), settings, portal, ports); }
    std::string Setting(const char* section, const char* key) {
        return ReadSetting(folder.File("config.dll"), section, key, "0");
    }
};

TEST_F(Startup, FirstRunWritesTheFifteenKeysInOrder) {
    adapters.address = "08:00:27:ab:cd:ef";
    ASSERT_EQ(Run(), StartupOutcome::ShowMainWindow);
    EXPECT_EQ(folder.Read("config.dll"),
              "[main]\r\nName=Ruvo\xD3\xB0\xCA\xD3\xBA\xD0\r\n"
              "[User]\r\nName=08-00-27-AB-CD-EF\r\n"
              "[Skin]\r\nNum=1\r\n"
              "[Ver]\r\nName=1.0\r\n"
              "[S_q]\r\nts=3\r\nquit=2\r\nqvodk=2\r\ns_size=2\r\nh_w=14750\r\nh_h=7820\r\n"
              "s_h=2\r\ns_bo=2\r\ns_jd=2\r\nqvodqi=2\r\ns_pao=2\r\n");
}

TEST_F(Startup, FirstRunCreatesListsPagesAndIcon) {
    Run();
    EXPECT_EQ(folder.Read("date.dat"), "\r\n");
    EXPECT_EQ(folder.Read("date_f.dat"), "\r\n");
    EXPECT_NE(folder.Read("c.htm").find(EncodeGb18030("暂无记录")), std::string::npos);
    EXPECT_FALSE(folder.Read("f.htm").empty());
    EXPECT_EQ(folder.Read("i.gif").substr(0, 6), "GIF89a");
}

TEST_F(Startup, ExistingFilesAreLeftAlone) {
    folder.Write("date.dat", "");
    folder.Write("c.htm", "mine");
    Run();
    EXPECT_EQ(folder.Read("date.dat"), "");
    EXPECT_EQ(folder.Read("c.htm"), "mine");
}

struct RepairCase {
    const char* name;
    const char* section;
    const char* key;
    const char* stored;  // nullptr: the key is missing
    const char* expected;
};

class StartupRepair : public Startup, public testing::WithParamInterface<RepairCase> {};

TEST_P(StartupRepair, RepairsInvalidValues) {
    Run();  // a complete file first
    const RepairCase& c = GetParam();
    std::string text = folder.Read("config.dll");
    const std::string line = std::string(c.key) + "=" + Setting(c.section, c.key) + "\r\n";
    const size_t sectionAt = text.find(std::string("[") + c.section + "]");
    text.erase(text.find(line, sectionAt), line.size());
    folder.Write("config.dll", text);
    if (c.stored) WriteSetting(folder.File("config.dll"), c.section, c.key, c.stored);
    adapters.address = "08:00:27:00:00:01";
    Run();
    EXPECT_EQ(Setting(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, StartupRepair,
    testing::Values(RepairCase{"UserZero", "User", "Name", "0", "08-00-27-00-00-01"},
                    RepairCase{"UserEmpty", "User", "Name", "", "08-00-27-00-00-01"},
                    RepairCase{"UserKept", "User", "Name", "2011328957537", "2011328957537"},
                    RepairCase{"VersionNewer", "Ver", "Name", "1.1", "1.0"},
                    RepairCase{"PromptTwoKept", "S_q", "ts", "2", "2"},
                    RepairCase{"PromptOneKept", "S_q", "ts", "1", "1"},
                    RepairCase{"PromptSeven", "S_q", "ts", "7", "3"},
                    RepairCase{"QuitEmpty", "S_q", "quit", "", "2"},
                    RepairCase{"QuitOffKept", "S_q", "quit", "1", "1"},
                    RepairCase{"QvodkText", "S_q", "qvodk", "yes", "2"},
                    RepairCase{"WidthMissing", "S_q", "h_w", nullptr, "14750"},
                    RepairCase{"WidthKept", "S_q", "h_w", "20000", "20000"},
                    RepairCase{"HeightZero", "S_q", "h_h", "0", "7820"},
                    RepairCase{"SizeOptionOffKept", "S_q", "s_size", "1", "1"},
                    RepairCase{"AutoPlayText", "S_q", "s_bo", "x", "2"},
                    RepairCase{"BalloonsMissing", "S_q", "s_pao", nullptr, "2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, MissingPlayerAnsweredNoEndsWithoutAnyFile) {
    player.available = false;
    const std::string home = folder.File("home");
    SettingsFile homeSettings(JoinPath(home, "config.dll"));
    EXPECT_EQ(RunStartup(home, homeSettings, portal, ports), StartupOutcome::EndProgram);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "程序检测到您的电脑未安装快播(Qvod)播放器，是否要下载Qvod播放器？");
    EXPECT_EQ(dialogs.questions[0].title, "提示：");
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(PathExists(home));
}

TEST_F(Startup, MissingPlayerAnsweredYesOpensTheHelpPage) {
    player.available = false;
    dialogs.answerYes = true;
    EXPECT_EQ(Run(), StartupOutcome::EndProgram);
    EXPECT_EQ(shell.opened, std::vector<std::string>{"http://127.0.0.1:9/help/"});
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(Startup, DamagedFilesAreRepairedAndRecordsKept) {
    folder.Write("config.dll", std::string("\xFF\xFE\x00garbage", 10));
    folder.Write("date.dat", "1|t|e|qvod|a|0|0|5\r\nno bar line\r\n\xFF\xFE|bad bytes\r\n");
    Run();
    EXPECT_EQ(Setting("S_q", "quit"), "2");
    EXPECT_EQ(folder.Read("config.dll").substr(0, 10), std::string("\xFF\xFE\x00garbage", 10));
    EXPECT_EQ(folder.Read("date.dat"), "1|t|e|qvod|a|0|0|5\r\nno bar line\r\n\xFF\xFE|bad bytes\r\n");
}

TEST_F(Startup, UnwritableFolderStillStarts) {
    chmod(folder.Path().c_str(), 0500);
    EXPECT_EQ(Run(), StartupOutcome::ShowMainWindow);
    chmod(folder.Path().c_str(), 0700);
}

// A folder other users may write (group- or world-writable, or a link to
// one) could hold lists and pages they planted: nothing is read or written
// there, and the user is told why the program ends.
TEST_F(Startup, AFolderOthersMayChangeIsNotUsed) {
    test::TempFolder shared;
    chmod(shared.Path().c_str(), 0777);
    const std::string link = folder.File("program");
    ASSERT_EQ(symlink(shared.Path().c_str(), link.c_str()), 0);
    SettingsFile linkedSettings(JoinPath(link, "config.dll"));
    EXPECT_EQ(RunStartup(link, linkedSettings, portal, ports), StartupOutcome::EndProgram);
    EXPECT_TRUE(ListFolderFiles(shared.Path()).empty());
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(dialogs.notices[0].text, link + kSharedFolderNotice);
    chmod(shared.Path().c_str(), 0700);
}

// A replace killed half-way leaves its temporary file: the next start
// removes it once it is a minute old (a running copy may be writing one).
TEST_F(Startup, TemporariesOfAKilledWriteGo) {
    folder.Write("date.dat.tmp-Ab12Cd", "half");
    folder.Write("date_f.dat.tmp-Zz99zz", "just now");
    folder.Write("date.dat.tmp-other-file", "not one of ours");
    const timespec old[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
    utimensat(AT_FDCWD, folder.File("date.dat.tmp-Ab12Cd").c_str(), old, 0);
    utimensat(AT_FDCWD, folder.File("date.dat.tmp-other-file").c_str(), old, 0);
    Run();
    EXPECT_FALSE(PathExists(folder.File("date.dat.tmp-Ab12Cd")));
    EXPECT_TRUE(PathExists(folder.File("date_f.dat.tmp-Zz99zz")));
    EXPECT_TRUE(PathExists(folder.File("date.dat.tmp-other-file")));
}

TEST(MachineIdentity, UsesTheHardwareAddressInUpperCase) {
    test::FakeAdapters adapters;
    test::FakeClock clock;
    adapters.address = "52:54:00:12:3a:bc";
    EXPECT_EQ(MachineIdentity(adapters, clock), "52-54-00-12-3A-BC");
}

TEST(MachineIdentity, FallsBackToDateTimeAndRandomNumber) {
    test::FakeAdapters adapters;
    test::FakeClock clock;
    clock.random = 0.486;  // floor(437.4) + 100 = 537
    for (const char* unusable : {"", "00:00:00:00:00:00", "00:53:45:00:00:00"}) {
        adapters.address = unusable;
        EXPECT_EQ(MachineIdentity(adapters, clock), "2011328957537") << unusable;
    }
    clock.now = {2026, 12, 31, 23, 59, 59};
    clock.random = 0.9999;
    EXPECT_EQ(MachineIdentity(adapters, clock), "20261231235959999");
    clock.now = {2026, 1, 1, 0, 0, 0};
    clock.random = 0.0;
    EXPECT_EQ(MachineIdentity(adapters, clock), "202611000100");
}

TEST(ProgramPlaces, PortalRootAndBase) {
    const PortalAddress portal = PortalFrom("http://127.0.0.1:8123/box/");
    EXPECT_EQ(portal.base, "http://127.0.0.1:8123/box/");
    EXPECT_EQ(portal.root, "http://127.0.0.1:8123");
    EXPECT_EQ(PortalFrom("https://video.example/box").base, "https://video.example/box/");
    EXPECT_EQ(PortalFrom(nullptr).base, kDefaultPortalBase);
}

TEST(ProgramPlaces, AnInstalledProgramKeepsItsFilesInTheDataFolder) {
    test::TempFolder bin;
    EXPECT_EQ(ChooseProgramFolder({"/override", bin.Path(), nullptr, "/home/u"}), "/override");
    // Writable, but neither portable nor used before: never beside the executable.
    EXPECT_EQ(ChooseProgramFolder({nullptr, bin.Path(), nullptr, "/home/u"}), "/home/u/.local/share/ruvo-box");
    EXPECT_EQ(ChooseProgramFolder({"", bin.Path(), "/data", "/home/u"}), "/data/ruvo-box");
    EXPECT_EQ(ChooseProgramFolder({nullptr, bin.Path(), "relative", "/home/u"}), "/home/u/.local/share/ruvo-box");
    EXPECT_EQ(ChooseProgramFolder({nullptr, "/nonexistent/bin", nullptr, "/home/u"}), "/home/u/.local/share/ruvo-box");
}

TEST(ProgramPlaces, APortableCopyOrAFolderUsedBeforeKeepsItsFiles) {
    test::TempFolder portable;
    ASSERT_TRUE(ReplaceFileAtomically(portable.File("portable"), ""));
    EXPECT_EQ(ChooseProgramFolder({nullptr, portable.Path(), "/data", "/home/u"}), portable.Path());
    test::TempFolder usedBefore;
    ASSERT_TRUE(ReplaceFileAtomically(usedBefore.File("config.dll"), "[ruvo]\r\n"));
    EXPECT_EQ(ChooseProgramFolder({nullptr, usedBefore.Path(), "/data", "/home/u"}), usedBefore.Path());
}

TEST(ProgramPlaces, ARememberedPortalHoldsUntilChangedAndTheVariableWins) {
    test::TempFolder config;
    const std::string folder = config.File("ruvo-box");
    EXPECT_TRUE(ChoosePortal(nullptr, ReadRememberedPortal(folder)).builtIn);
    ASSERT_TRUE(RememberPortal(folder, "https://video.example/box/"));
    EXPECT_EQ(ReadWholeFile(JoinPath(folder, "portal")), "https://video.example/box/\n");
    const PortalChoice remembered = ChoosePortal(nullptr, ReadRememberedPortal(folder));
    EXPECT_FALSE(remembered.builtIn);
    EXPECT_EQ(remembered.address.base, "https://video.example/box/");
    const PortalChoice variable = ChoosePortal("http://127.0.0.1:9000/b", ReadRememberedPortal(folder));
    EXPECT_EQ(variable.address.base, "http://127.0.0.1:9000/b/");
    EXPECT_FALSE(variable.builtIn);
    ASSERT_TRUE(RememberPortal(folder, ""));
    EXPECT_FALSE(PathExists(JoinPath(folder, "portal")));
    EXPECT_TRUE(ChoosePortal("", ReadRememberedPortal(folder)).builtIn);
}

TEST(ProgramPlaces, ARememberedPortalThatIsNoWebAddressIsIgnored) {
    test::TempFolder config;
    for (const char* text : {"file:///etc/passwd\n", "javascript:alert(1)", "http://a/\nhttp://b/", ""}) {
        ASSERT_TRUE(ReplaceFileAtomically(config.File("portal"), text));
        EXPECT_EQ(ReadRememberedPortal(config.Path()), std::nullopt) << text;
    }
    ASSERT_TRUE(ReplaceFileAtomically(config.File("portal"), std::string(9000, 'h')));
    EXPECT_EQ(ReadRememberedPortal(config.Path()), std::nullopt);
}

TEST(CommandLineOptions, OursAreTakenAndTheRestPassedOn) {
    const char* argv[] = {"ruvo-box", "--verbose", "--portal", "http://p/box/", "/v/a b.mp4", "-platform", "xcb",
                          "--webEngineArgs", "--portal", "x"};
    const CommandLineOptions options = ParseCommandLineOptions(std::size(argv), argv);
    EXPECT_TRUE(options.verbose);
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.portal, "http://p/box/");
    EXPECT_EQ(options.rest, (std::vector<std::string>{"/v/a b.mp4", "-platform", "xcb", "--webEngineArgs", "--portal", "x"}));
    EXPECT_TRUE(options.error.empty());

    const char* equals[] = {"ruvo-box", "--portal=", "--help", "--version"};
    const CommandLineOptions reset = ParseCommandLineOptions(std::size(equals), equals);
    EXPECT_EQ(reset.portal, "");
    EXPECT_TRUE(reset.help && reset.version);
    EXPECT_TRUE(reset.rest.empty());
}

TEST(CommandLineOptions, APortalThatIsNoWebAddressOrMissingIsAnError) {
    const char* missing[] = {"ruvo-box", "--portal"};
    EXPECT_FALSE(ParseCommandLineOptions(std::size(missing), missing).error.empty());
    const char* file[] = {"ruvo-box", "--portal", "file:///etc/"};
    EXPECT_FALSE(ParseCommandLineOptions(std::size(file), file).error.empty());
}

}  // namespace
}  // namespace ruvo
