#pragma once
// Faults on demand and the update file's switches, changed from the command
// line or the control endpoint while the server runs.
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace demo {

// What a request whose path ends with a fault's target gets instead.
struct Fault {
    enum class Kind { Slow, ReplyOne, ReplyZero, Malformed, ServerError, Drop, Huge, Loop, Popups, SelfClicks, Text, Page, Redirect };
    Kind kind = Kind::Slow;
    int delayMs = 0;    // Slow: the normal reply, this much later
    std::string body;   // Text, Page: what is answered; Redirect: where to
};

// "slow:5000", "one", "zero", "malformed", "500", "drop", "huge" (100 MB of
// bytes), "loop" (a page that loads itself again at once), "popups" (a page
// that opens 300 browser windows and 1000 blank ones by script) or
// "selfclicks" (a page that clicks an episode link every 3 s), "text:BODY"
// (a plain-text reply of a hostile portal), "page:HTML" (a page of one) or
// "redirect:ADDRESS" (a 302 reply sending the client there); nothing when
// unknown.
std::optional<Fault> ParseFault(const std::string& text);

class Faults {
public:
    void Set(const std::string& target, const Fault& fault);
    void ClearAll();
    // The fault for a request path (the longest matching target wins).
    std::optional<Fault> For(const std::string& path) const;

    // The update file "lib/wen.txt": five fields joined by "====".
    void SetUpdateText(const std::string& text);
    // Changes one field: 0 exit, 1 float, 2 player ad, 3 scroll, 4 version.
    void SetUpdateField(int index, const std::string& value);
    std::string UpdateText() const;

    // Media throughput cap in bytes a second; 0 = none.
    void SetRate(long bytesPerSecond);
    long Rate() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, Fault> faults_;
    std::string updateText_ = "0====0====0====0====1.0";
    long rate_ = 0;
};

}  // namespace demo
