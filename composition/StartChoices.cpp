#include "composition/StartChoices.h"

#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

#include "config/FileSystem.h"
#include "config/ProgramPlaces.h"
#include "adapters/qt/WebProfile.h"

namespace ruvo {

// Nine panes of one site share renderer processes: about 275 MB instead of
// 325 MB for the whole tree.
void ChooseRendererProcessModel() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site")) flags += " --process-per-site";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

// The arguments that are not the program's options (nor, after
// "--webEngineArgs", the engine's), joined as one command line. A file named
// relative to the folder the program was started in is made absolute, so the
// running instance, which runs elsewhere, finds it too.
std::string CommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& given : arguments) {
        if (given == "--webEngineArgs") break;
        std::string argument = given;
        const QFileInfo file(QFile::decodeName(given.c_str()));
        if (!argument.empty() && argument[0] != '/' && argument.find("://") == std::string::npos && file.exists())
            argument = QFile::encodeName(file.absoluteFilePath()).toStdString();
        if (!line.empty()) line += ' ';
        line += argument;
    }
    return line;
}

const char* Environment(const char* name) { return std::getenv(name); }

// RUVO_DEBUG set to anything but "" or "0".
bool DebugAsked() {
    const char* value = Environment("RUVO_DEBUG");
    return value && *value && std::string_view(value) != "0";
}

std::string CacheFolder() { return UserFolder(Environment("XDG_CACHE_HOME"), Environment("HOME"), ".cache"); }
std::string ConfigFolder() { return UserFolder(Environment("XDG_CONFIG_HOME"), Environment("HOME"), ".config"); }

// --help, --version and a wrong option are answered without a window and
// without touching any file.
int AnswerWithoutWindow(const CommandLineOptions& options) {
    if (!options.error.empty()) {
        std::fprintf(stderr, "ruvo-box: %s\nTry 'ruvo-box --help'.\n", options.error.c_str());
        return 2;
    }
    std::fputs(options.help ? UsageText().c_str() : VersionText().c_str(), stdout);
    return 0;
}

// RUVO_PORTAL for this start; else --portal, remembered from now on (empty:
// forgotten); else the address remembered before; else the built-in one.
PortalChoice ChoosePortal(const CommandLineOptions& options) {
    std::optional<std::string> remembered;
    if (options.portal) {
        if (!RememberPortal(ConfigFolder(), *options.portal))
            std::fprintf(stderr, "ruvo-box: the portal address could not be remembered in %s\n", ConfigFolder().c_str());
        if (!options.portal->empty()) remembered = options.portal;
    } else {
        remembered = ReadRememberedPortal(ConfigFolder());
    }
    return ChoosePortal(Environment("RUVO_PORTAL"), remembered);
}

// The built-in portal is the demo portal, which the program starts itself
// (never one that merely answers at its port), and its media is made in the
// background with the progress in the status line. Null when it could not
// start.
std::unique_ptr<DemoPortal> StartDemoPortal(bool& failed) {
    failed = false;
    auto demo = std::make_unique<DemoPortal>(QCoreApplication::applicationDirPath(),
                                                   QString::fromStdString(JoinPath(CacheFolder(), "demo-media")));
    if (demo->Start(kDefaultPortalPort)) return demo;
    std::fprintf(stderr, "ruvo-box: the demo portal could not be started; set the portal with --portal ADDRESS\n");
    failed = true;
    return nullptr;
}

void ShowDemoMediaProgress(DemoPortal& demo, MainWindow& window) {
    demo.MakeMedia(
        [&window](int done, int total) {
            window.ShowBackgroundWork("正在准备演示视频 " + std::to_string(done) + "/" + std::to_string(total));
        },
        [&window](bool ok) { window.ShowBackgroundWork(ok ? "" : "演示视频无法制作(需要 ffmpeg)"); });
}

}  // namespace ruvo
