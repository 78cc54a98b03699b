#include "app/CommandLineOptions.h"

#include <string_view>

#ifndef RUVO_VERSION
#define RUVO_VERSION "1.0"
#endif

namespace ruvo {
namespace {

constexpr std::string_view kPortalOption = "--portal";

// "--portal ADDRESS" or "--portal=ADDRESS"; an address must be http(s).
bool TakePortal(int argc, const char* const argv[], int& i, CommandLineOptions& options) {
    const std::string_view argument = argv[i];
    std::string value;
    if (argument == kPortalOption) {
        if (i + 1 >= argc) {
            options.error = "--portal needs an address (http://… or https://…; \"\" for the built-in portal)";
            return true;
        }
        value = argv[++i];
    } else if (argument.rfind(std::string(kPortalOption) + "=", 0) == 0) {
        value = argument.substr(kPortalOption.size() + 1);
    } else {
        return false;
    }
    if (!value.empty() && value.rfind("http://", 0) != 0 && value.rfind("https://", 0) != 0)
        options.error = "--portal: not an http:// or https:// address: " + value;
    options.portal = value;
    return true;
}

}  // namespace

CommandLineOptions ParseCommandLineOptions(int argc, const char* const argv[]) {
    CommandLineOptions options;
    bool engineArguments = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (engineArguments || argument == "--webEngineArgs") {
            engineArguments = true;
            options.rest.emplace_back(argument);
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--verbose") {
            options.verbose = true;
        } else if (!TakePortal(argc, argv, i, options)) {
            options.rest.emplace_back(argument);
        }
    }
    return options;
}

std::string UsageText() {
    return "Usage: ruvo-box [OPTION]... [FILE-OR-ADDRESS]\n"
           "Ruvo影视盒: a video box for one video portal.\n"
           "\n"
           "A file or an address plays at once and is listed among the local files;\n"
           "while the program runs, a second start hands it to the running window.\n"
           "\n"
           "Options:\n"
           "  --portal ADDRESS  use the portal at ADDRESS (http:// or https://) from now on;\n"
           "                    --portal \"\" goes back to the built-in demo portal\n"
           "  --verbose         print every library's messages (as RUVO_DEBUG=1)\n"
           "  -h, --help        print this help and exit\n"
           "  --version         print the version and exit\n"
           "\n"
           "Environment:\n"
           "  RUVO_PORTAL       the portal's base address for this start (wins over --portal)\n"
           "  RUVO_HOME         the folder of the lists and settings\n"
           "  RUVO_PICTURE      opengl or software: how the picture is drawn\n"
           "  RUVO_DEBUG=1      as --verbose\n"
           "  RUVO_TRACE=FILE   append the diagnostic trace to FILE\n"
           "  XDG_DATA_HOME, XDG_CACHE_HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR\n"
           "\n"
           "Files:\n"
           "  $XDG_DATA_HOME/ruvo-box      settings (config.dll), lists (date.dat, date_f.dat),\n"
           "                               their pages, player/ and downloads/\n"
           "                               (the executable's folder when a file \"portable\" is beside it)\n"
           "  $XDG_CACHE_HOME/ruvo-box     the player check and the demo portal's media\n"
           "  $XDG_CONFIG_HOME/ruvo-box/portal  the address --portal remembered\n"
           "\n"
           "Without a portal of its own, the program starts the installed demo portal\n"
           "at http://127.0.0.1:8790/box/ and ends it when it exits.\n";
}

std::string VersionText() { return std::string("ruvo-box ") + RUVO_VERSION + "\n"; }

}  // namespace ruvo
