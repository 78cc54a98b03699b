#include "demo/Pages.h"

#include "base/HtmlText.h"
#include "base/JsEscape.h"
#include "demo/Catalog.h"

namespace demo {
namespace {

constexpr const char* kStyle =
    "body{margin:0;padding:12px;background:#1b1b1b;color:#ccc;font:13px 'Noto Sans CJK SC',sans-serif}"
    "a{color:#f0b429;text-decoration:none}a:hover{text-decoration:underline}"
    "h1{font-size:18px;color:#fff;margin:4px 0 10px}h2{font-size:15px;color:#eee;margin:14px 0 6px}"
    ".grid{display:flex;flex-wrap:wrap;gap:10px}"
    ".card{width:190px;background:#262626;border:1px solid #333;border-radius:4px;padding:8px}"
    ".card .name{font-size:15px;font-weight:bold}.genre{color:#888;font-size:12px}"
    ".eps a{display:inline-block;margin:3px 4px 0 0;padding:1px 5px;background:#333;border-radius:3px}"
    "ul{padding-left:18px}li{margin:3px 0}";

std::string Page(const std::string& title, const std::string& body) {
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title><style>" + kStyle +
           "</style></head><body>" + body + "</body></html>";
}

std::string Html(const std::string& text) { return ruvo::EscapeHtml(text); }

// "eebovod://" id "-" v "-" v1 "-" name: resolved by the program through h.asp.
std::string EpisodeLink(const Title& title, int source, int index, const std::string& label) {
    return "<a href=\"eebovod://" + std::to_string(title.id) + "-" + std::to_string(source) + "-" +
           std::to_string(index) + "-" + Html(title.name) + "\">" + Html(label) + "</a>";
}

std::string EpisodeLinks(const Title& title, int source) {
    std::string links;
    const auto& episodes = title.sources[static_cast<size_t>(source)].episodes;
    for (size_t i = 0; i < episodes.size(); ++i) links += EpisodeLink(title, source, static_cast<int>(i), episodes[i].label);
    return links;
}

std::string TitleCard(const Title& title) {
    return "<div class=\"card\"><a class=\"name\" href=\"eeshow://show/" + std::to_string(title.id) + ".html\">" +
           Html(title.name) + "</a><div class=\"genre\">" + Html(title.genre) + " · " +
           std::to_string(title.sources[0].episodes.size()) + "集</div><div class=\"eps\">" + EpisodeLinks(title, 0) +
           "</div></div>";
}

const char* kSearchForm =
    "<form action=\"/box/search.asp\" method=\"get\"><input name=\"searchword\" placeholder=\"片名\">"
    "<button>搜索</button></form>";

}  // namespace

std::string MediaAddress(const std::string& host, const std::string& file) { return "http://" + host + "/media/" + file; }

std::string HomePage() {
    std::string body = "<h1>演示影视门户</h1>" + std::string(kSearchForm) + "<h2>最新影视</h2><div class=\"grid\">";
    for (const Title& title : Titles()) body += TitleCard(title);
    body += "</div><h2>电视直播</h2><ul>";
    for (const Channel& channel : Channels())
        body += "<li><a href=\"eetvs://" + Html(channel.name) + "&amp;&amp;&amp;" + channel.query + "\">" +
                Html(channel.name) + "</a></li>";
    return Page("演示影视门户", body + "</ul>");
}

std::string SidePage() {
    std::string body = "<h2>热播排行</h2><ul>";
    for (const Title& title : Titles())
        body += "<li><a href=\"/show/" + std::to_string(title.id) + ".html\">" + Html(title.name) + "</a> " +
                EpisodeLink(title, 0, 0, "播放") + "</li>";
    body += "</ul><h2>热门搜索</h2><ul>";
    for (const char* word : {"星河", "山城", "夜色"})
        body += "<li><a href=\"/box/search.asp?searchword=" + std::string(word) + "\">" + word + "</a></li>";
    return Page("热播", body + "</ul>");
}

std::string TitlePage(int id) {
    const Title* title = FindTitle(id);
    if (!title) return {};
    std::string body = "<h1>" + Html(title->name) + "</h1><div class=\"genre\">" + Html(title->genre) + "</div><p>" +
                       Html(title->summary) + "</p>";
    for (size_t s = 0; s < title->sources.size(); ++s)
        body += "<h2>" + Html(title->sources[s].name) + "</h2><div class=\"eps\">" +
                EpisodeLinks(*title, static_cast<int>(s)) + "</div>";
    return Page(title->name, body);
}

std::string SearchPage(const std::string& word, const std::string& host) {
    std::string body = "<h1>搜索：" + Html(word) + "</h1><p><a href=\"fanhome://\">返回首页</a></p><ul>";
    int found = 0;
    for (const Title& title : Titles()) {
        if (!word.empty() && title.name.find(word) == std::string::npos) continue;
        ++found;
        const Episode& first = title.sources[0].episodes[0];
        const std::string play = "eeqvod://" + title.sources[0].kind + "&&&" +
                                 ruvo::JsEscape(MediaAddress(host, first.media)) + "&&&" + ruvo::JsEscape(title.name) +
                                 "&&&" + ruvo::JsEscape(first.label) + "&&&" + std::to_string(title.id) + "&&&0&&&0";
        body += "<li><a href=\"eeshow://show/" + std::to_string(title.id) + ".html\">" + Html(title.name) + "</a> " +
                EpisodeLink(title, 0, 0, "选集播放") + " <a href=\"" + Html(play) + "\">直接播放</a></li>";
    }
    if (found == 0) body += "<li>没有找到相关影片</li>";
    return Page("搜索", body + "</ul>");
}

std::string PlayPage() {
    // play.htm?kind$$$escaped address: the page plays the address itself.
    return Page("网页播放",
                "<video id=\"v\" controls autoplay style=\"width:100%;height:90vh;background:#000\"></video>"
                "<script>var q=location.search.substring(1);var i=q.indexOf('$$$');"
                "if(i>=0){document.getElementById('v').src=unescape(q.substring(i+3));}</script>");
}

std::string TvPage(const std::string& query) {
    const Channel* channel = FindChannel(query);
    if (!channel) return Page("电视直播", "<p>频道暂停播出</p>");
    return Page(channel->name, "<h2>" + Html(channel->name) + "</h2><video controls autoplay loop "
                                   "style=\"width:100%;height:80vh;background:#000\" src=\"/media/" +
                                   channel->media + "\"></video>");
}

std::string StatsPage(const std::string& identity) { return Page("统计", "<!-- " + Html(identity) + " -->"); }

std::string AdPage(const std::string& name) {
    const auto& titles = Titles();
    if (name == "qvodad")
        return Page("推荐", "<h2>正在热播</h2><p><a href=\"eeshow://show/12.html\">" + Html(titles[0].name) + "</a></p>");
    if (name == "gun") {
        std::string text;
        for (const Title& title : titles) text += "《" + Html(title.name) + "》 ";
        return Page("滚动", "<style>body{padding:3px 6px;overflow:hidden}</style><marquee style=\"color:#f0b429\">本周热播：" +
                                text + "</marquee>");
    }
    if (name == "fudong") return Page("浮动推荐", "<h2>今日推荐</h2><p>" + Html(titles[1].name) + "</p>");
    if (name == "tui") return Page("推荐影片", "<h2>感谢使用</h2><p>下次再看：" + Html(titles[2].name) + "</p>");
    return {};
}

std::string HelpPage() {
    return Page("帮助", "<h1>帮助</h1><p>本程序需要播放组件 libmpv。在 Debian 上安装：<code>apt-get install libmpv2</code></p>");
}

std::string NotFoundPage() { return Page("未找到", "<p>页面不存在</p>"); }

}  // namespace demo
