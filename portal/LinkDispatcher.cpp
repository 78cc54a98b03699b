#include "portal/LinkDispatcher.h"

#include "base/JsEscape.h"
#include "base/LinkText.h"
#include "base/NumberText.h"
#include "config/FileSystem.h"
#include "config/PlayableAddress.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "config/TextFile.h"
#include "history/HistoryRecords.h"
#include "portal/PlayLinks.h"

namespace ruvo {
namespace {

// The text of an "open://" or "delk://" link as a line number; nothing when
// it is not a number.
std::optional<int> LineNumberOf(const std::string& text) {
    if (!IsNumberText(text)) return std::nullopt;
    return TextToInt(text);
}

// The address with the doubled slashes of its path made single, as the
// portal's server reads it ("/box//search.asp" is its search page too).
std::string WithSingleSlashes(const std::string& address) {
    const size_t scheme = address.find("://");
    const size_t pathStart = address.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    std::string single = address.substr(0, pathStart);
    for (size_t i = pathStart; i < address.size(); ++i)
        if (!(address[i] == '/' && !single.empty() && single.back() == '/')) single += address[i];
    return single;
}

}  // namespace

LinkDispatcher::Handler LinkDispatcher::HandlerFor(Pane pane) {
    using Method = void (LinkDispatcher::*)(const std::string&, bool&);
    Method method = nullptr;
    switch (pane) {
        case Pane::PortalPage: method = &LinkDispatcher::OnPortalPage; break;
        case Pane::HistoryList: method = &LinkDispatcher::OnHistoryList; break;
        case Pane::LocalList: method = &LinkDispatcher::OnLocalList; break;
        case Pane::SidePage: method = &LinkDispatcher::OnSidePage; break;
        case Pane::SearchResults: method = &LinkDispatcher::OnSearchResults; break;
        default: return {};
    }
    return [this, method](const std::string& url, bool& cancel) { (this->*method)(url, cancel); };
}

void LinkDispatcher::OnPortalPage(const std::string& url, bool& cancel) {
    if (Contains(url, "eeshow://")) {
        cancel = true;
        ShowTitlePage(url);
    } else if (Contains(url, "eetvs://")) {
        cancel = true;
        PlayTelevisionPage(url);
    } else if (Contains(url, "eebovod://")) {
        cancel = true;
        parts_.playback.LookUpAndPlay(EpisodeOfLink(url));
    } else if (Contains(url, "eeqvod://")) {
        cancel = true;
        parts_.playback.Start({EpisodePlayOfLink(url)});
    }
}

void LinkDispatcher::OnHistoryList(const std::string& url, bool& cancel) {
    if (StartsWith(url, "delk://")) {
        cancel = true;
        DeleteListLine(url);
    } else if (StartsWith(url, "open://")) {
        cancel = true;
        ReplayListItem(url);
    }
}

void LinkDispatcher::OnLocalList(const std::string& url, bool& cancel) {
    if (StartsWith(url, "open://") || StartsWith(url, "delk://")) ForwardLink(Pane::HistoryList, url, cancel);
}

void LinkDispatcher::OnSidePage(const std::string& url, bool& cancel) {
    if (Contains(url, "eebovod://") || Contains(url, "eeqvod://")) {
        ForwardLink(Pane::PortalPage, url, cancel);
    } else if (IsPortalSearchPage(url)) {
        cancel = true;
        ShowSearch(url);
    }
}

// The portal's own search page, its origin and path exactly: another site
// whose address merely mentions one ("http://other/?x=search.asp") is shown
// where it was opened, never in the main area.
bool LinkDispatcher::IsPortalSearchPage(const std::string& url) const {
    const std::string page = WithSingleSlashes(parts_.portal.base + "search.asp");
    const std::string address = WithSingleSlashes(url.substr(0, url.find_first_of("?#")));
    return address == page;
}

void LinkDispatcher::OnSearchResults(const std::string& url, bool& cancel) {
    if (Contains(url, "eeshow://") || Contains(url, "eebovod://") || Contains(url, "eeqvod://")) {
        ForwardLink(Pane::PortalPage, url, cancel);
    } else if (Contains(url, "fanhome://")) {
        cancel = true;
        CloseSearch();
    }
}

void LinkDispatcher::ForwardLink(Pane target, const std::string& url, bool& cancel) {
    cancel = true;
    bool handled = false;
    HandlerFor(target)(url, handled);
}

void LinkDispatcher::ShowTitlePage(const std::string& url) {
    parts_.failures.sidePane = false;
    PaneOf(Pane::SidePage).Navigate(parts_.portal.root + TrimLink(url, "eeshow://"));
    parts_.showRightPanel(true);
    parts_.showTitlePages();
}

void LinkDispatcher::PlayTelevisionPage(const std::string& url) {
    parts_.playback.Start({TelevisionOfLink(url)});
    parts_.showRightPanel(false);
}

void LinkDispatcher::ShowSearch(const std::string& url) {
    WindowView& c = parts_.controls;
    PaneOf(Pane::SearchResults).Navigate(url);
    c.SetVisible({ControlName::MainPaneBox}, false);
    c.SetVisible({ControlName::SearchResultsBox}, true);
    c.SetVisible({ControlName::MainAreaNotice}, false);
}

void LinkDispatcher::CloseSearch() {
    WindowView& c = parts_.controls;
    c.SetVisible({ControlName::SearchResultsBox}, false);
    if (!parts_.failures.mainPane) {
        c.SetVisible({ControlName::MainPaneBox}, true);
        c.SetVisible({ControlName::MainAreaNotice}, false);
    } else {
        c.SetVisible({ControlName::MainAreaNotice}, true);
    }
}


void LinkDispatcher::DeleteListLine(const std::string& url) {
    const std::string listName(parts_.localListLast() ? kLocalListFile : kWatchListFile);
    std::string number = TrimLink(url, "delk://");
    std::erase(number, '/');  // every "/", not only a trailing one
    if (const auto line = LineNumberOf(number)) parts_.lists.RemoveListLine(listName, *line);
}

// What plays is stopped and its place stored before the row is read: the
// row of the item that plays holds its place only then.
void LinkDispatcher::ReplayListItem(const std::string& url) {
    const bool localList = parts_.localListLast();
    std::string titleId;
    const bool started = parts_.playback.StartFromList([&]() -> std::optional<PlayRequest> {
        const auto lineNumber = LineNumberOf(TrimLink(url, "open://"));
        if (!lineNumber) return std::nullopt;
        const auto lines = ReadTextFileLines(JoinPath(parts_.programFolder, localList ? kLocalListFile : kWatchListFile));
        if (!lines) return std::nullopt;
        const std::string record =
            *lineNumber >= 1 && static_cast<size_t>(*lineNumber) <= lines->size() ? (*lines)[*lineNumber - 1] : "";
        if (localList) return LocalFileRequest(*lineNumber, record);
        const auto fields = SplitText(record, "|");
        titleId = FieldAt(fields, 0);
        const EpisodePlay play{{titleId, FieldAt(fields, 5), FieldAt(fields, 6), UnescapedName(FieldAt(fields, 1))},
                               UnescapedName(FieldAt(fields, 2)), FieldAt(fields, 4), FieldAt(fields, 3)};
        return PlayRequest{HistoryPlay{play}, TextToInt(FieldAt(fields, 7))};
    });
    if (!started || localList) return;
    parts_.failures.sidePane = false;  // the title's page shows beside it
    PaneOf(Pane::SidePage).Navigate(parts_.portal.base + "show.asp?id=" + titleId);
}

std::optional<PlayRequest> LinkDispatcher::LocalFileRequest(int lineNumber, const std::string& record) {
    const auto fields = SplitText(record, "|");
    const std::string name = FieldAt(fields, 0), path = FieldAt(fields, 1);
    if (!IsPlayableAddress(path, AddressOrigin::User) && IsMissingFile(path)) {
        parts_.dialogs.ShowNotice(path + "不存在", "提示：");
        parts_.lists.RemoveListLine(kLocalListFile, lineNumber);
        return std::nullopt;
    }
    return PlayRequest{LocalFilePlay{path, UnescapedName(name), true}, TextToInt(FieldAt(fields, 2))};
}

}  // namespace ruvo
