#pragma once
// The program's own options on its command line. Everything else (a file or
// an address to play, the toolkit's options) is passed on as before.
#include <optional>
#include <string>
#include <vector>

namespace ruvo {

struct CommandLineOptions {
    bool help = false;     // --help, -h: print the usage and end
    bool version = false;  // --version: print the version and end
    bool verbose = false;  // --verbose: every library's messages on the console
    // --portal ADDRESS (or --portal=ADDRESS): the portal to use from now on;
    // an empty address goes back to the built-in one.
    std::optional<std::string> portal;
    std::vector<std::string> rest;  // the arguments that are not ours, in order
    std::string error;              // set when an option of ours is incomplete or wrong
};

// Reads argv[1..argc). Arguments after "--webEngineArgs" belong to the web
// engine and are kept in `rest` untouched.
CommandLineOptions ParseCommandLineOptions(int argc, const char* const argv[]);

// What --help prints: the arguments, options, environment variables and files.
std::string UsageText();

// What --version prints.
std::string VersionText();

}  // namespace ruvo
