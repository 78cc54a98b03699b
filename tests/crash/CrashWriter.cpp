// Writes the settings file and the watch history over and over, each write
// numbered, until it is killed: the crash-safety test kills it at random
// moments and then reads what is left.
// Usage: ruvo_crash_writer FOLDER
#include <algorithm>
#include <cstdlib>
#include <string>

#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "history/HistoryLists.h"

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string folder = argv[1];
    ruvo::HistoryLists lists(folder);
    const std::string settings = ruvo::JoinPath(folder, "config.dll");
    // As start-up leaves it when missing: one empty line.
    const std::string history = ruvo::JoinPath(folder, "date.dat");
    if (!ruvo::PathExists(history)) ruvo::WriteTextFile(history, "\r\n");
    // Numbers go on from the last run's, so the newest record is always on top.
    const int last = std::stoi("0" + ruvo::ReadSetting(settings, "S_q", "n", "0"));
    const auto lines = ruvo::ReadTextFileLines(history);
    const int top = lines && !lines->empty() ? std::atoi((*lines)[0].c_str()) : 0;
    for (int n = std::max(last, top) + 1;; ++n) {
        ruvo::WriteSetting(settings, "S_q", "n", std::to_string(n));
        lists.AddHistoryRecord({n, "标题" + std::to_string(n), "第1集", "qvod", "http%3A//h/" + std::to_string(n), 0, 0, n});
    }
}
