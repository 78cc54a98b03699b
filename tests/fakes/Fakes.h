#pragma once
// Test doubles of the platform ports: they record what the logic asked for
// and answer what the test set up.
#include <map>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/MainWindowHost.h"
#include "platform/NetworkAdapters.h"
#include "platform/PlayerProbe.h"
#include "platform/Shell.h"
#include "platform/WebPane.h"

namespace ruvo::test {

class FakeClock final : public Clock {
public:
    LocalDateTime now{2011, 3, 28, 9, 5, 7};
    double random = 0.597;  // floor(0.597 * 900) + 100 = 637
    LocalDateTime LocalNow() override { return now; }
    double Random() override { return random; }
};

class FakeAdapters final : public NetworkAdapters {
public:
    std::string address;
    std::string FirstUsableHardwareAddress() override { return address; }
};

class FakePlayerProbe final : public PlayerProbe {
public:
    bool available = true;
    int probes = 0;
    bool CanCreatePlayer() override {
        ++probes;
        return available;
    }
};

class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        std::string text, title;
    };
    bool answerYes = false;
    std::vector<Shown> questions, notices;
    bool AskYesNo(const std::string& text, const std::string& title) override {
        questions.push_back({text, title});
        return answerYes;
    }
    void ShowNotice(const std::string& text, const std::string& title) override { notices.push_back({text, title}); }
};

class FakeShell final : public Shell {
public:
    std::vector<std::string> opened;
    bool OpenUrl(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
};

class FakeHost final : public MainWindowHost {
public:
    WorkArea area{0, 0, 1920, 1040};
    int maxWidth = -1, maxHeight = -1;
    int twipsWidth = -1, twipsHeight = -1;
    bool taskbarMinimize = false, keyPreview = false;
    WorkArea QueryWorkArea() override { return area; }
    void LimitMaximizedSize(int width, int height) override {
        maxWidth = width;
        maxHeight = height;
    }
    void EnableTaskbarMinimizeRestore() override { taskbarMinimize = true; }
    void ResizeTwips(int width, int height) override {
        twipsWidth = width;
        twipsHeight = height;
    }
    void SetKeyPreview(bool on) override { keyPreview = on; }
};

// A pane that records navigations and lets the test raise its events.
class FakeWebPane final : public WebPane {
public:
    std::vector<std::string> navigations;  // every Navigate call, cancelled or not
    std::string shownUrl;                   // the last navigation that was not cancelled
    bool silent = false, visible = true;
    WebPaneEvents events;

    void Navigate(const std::string& url) override {
        navigations.push_back(url);
        bool cancel = false;
        if (events.beforeNavigate) events.beforeNavigate(url, cancel);
        if (!cancel) shownUrl = url;
    }
    void SetSilent(bool on) override { silent = on; }
    void SetVisible(bool on) override { visible = on; }
    bool IsVisible() const override { return visible; }
    void Move(int, int, int, int) override {}
    void SetEvents(WebPaneEvents e) override { events = std::move(e); }
};

}  // namespace ruvo::test
