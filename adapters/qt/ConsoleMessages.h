#pragma once
// What the program and the libraries it runs print on the console. A normal
// run prints only the program's own messages and real warnings, each once;
// verbose (--verbose or RUVO_DEBUG=1) prints everything, as the libraries
// would on their own.

namespace ruvo {

// Called first thing in main, before the toolkit and the web engine start:
// their logging is chosen from the environment as they start.
void SetUpConsoleMessages(bool verbose);

}  // namespace ruvo
