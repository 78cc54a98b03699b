#pragma once
// A script injected into every page and frame (in its own isolated world) that
// catches clicks on private links before the engine parses them, and reports
// the exact href text, and the link under a right-click, through console
// messages carrying a secret prefix. In a frame it also tells of the
// user's input there (what lets a frame navigate the page around it).
#include <QString>

class QWebEngineScript;

namespace ruvo {

struct LinkCapture {
    enum class Kind { None, Click, ContextMenu, Editing, FrameInput };
    // A private link longer than this is not one of the portal's (its
    // longest, with an address and two names at their limits, is far
    // shorter): it is dropped before anything reads it.
    static constexpr int kLongestPrivateLink = 256 * 1024;
    // The prefix is random per run: a page cannot forge a report.
    static const QString& Prefix();
    static QWebEngineScript Script();
    // What a console message reports, and the link text it carries.
    static Kind Parse(const QString& message, QString& link);
};

}  // namespace ruvo
