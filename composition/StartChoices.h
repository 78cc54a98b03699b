#pragma once
// What a start decides before the window exists: the engine's process
// model, the command line handed on, the portal, and the demo portal.
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLineOptions.h"
#include "app/MainWindow.h"
#include "config/ProgramPlaces.h"
#include "adapters/qt/DemoPortal.h"

namespace ruvo {

// The variable's value, or null when it is not set.
const char* Environment(const char* name);
// The user's cache folder ($XDG_CACHE_HOME, else ~/.cache).
std::string CacheFolder();
void ChooseRendererProcessModel();
// The arguments that are not the program's options, joined as one command
// line, a relative file made absolute.
std::string CommandLine(const std::vector<std::string>& arguments);
// RUVO_DEBUG set to anything but "" or "0".
bool DebugAsked();
// --help, --version and a wrong option, answered without a window.
int AnswerWithoutWindow(const CommandLineOptions& options);
PortalChoice ChoosePortal(const CommandLineOptions& options);
// The built-in demo portal, started by the program itself; null (and
// `failed`) when it could not start.
std::unique_ptr<DemoPortal> StartDemoPortal(bool& failed);
// The demo media's making, in the status line.
void ShowDemoMediaProgress(DemoPortal& demo, MainWindow& window);

}  // namespace ruvo
