#include <gtest/gtest.h>
#include <httplib.h>

#include <set>
#include <thread>

#include "base/JsEscape.h"
#include "demo/Catalog.h"
#include "demo/PortalServer.h"
#include "fakes/TempFolder.h"

namespace demo {
namespace {

// A demo portal on a free port, with a 200 000-byte stand-in media file.
class PortalContract : public testing::Test {
protected:
    ruvo::test::TempFolder media;
    std::unique_ptr<PortalServer> server;
    std::thread thread;
    int port = 0;
    std::unique_ptr<httplib::Client> client;
    std::string mediaBytes;

    void SetUp() override {
        for (int i = 0; i < 200000; ++i) mediaBytes += static_cast<char>(i * 31 % 251);
        media.Write("t15-s0-e1.mp4", mediaBytes);
        server = std::make_unique<PortalServer>(media.Path());
        server->SetControlKey("test-key");
        port = server->Bind(0);
        ASSERT_GT(port, 0);
        thread = std::thread([this] { server->Run(); });
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_read_timeout(10, 0);
    }
    void TearDown() override {
        server->Stop();
        thread.join();
    }
    std::string Body(const std::string& path) {
        auto result = client->Get(path.c_str());
        return result ? result->body : "<no reply>";
    }
    int Status(const std::string& path) {
        auto result = client->Get(path.c_str());
        return result ? result->status : -1;
    }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
};

TEST_F(PortalContract, EpisodeReplies) {
    EXPECT_EQ(Body("/box/h.asp?id=12&v=0&v1=0"), "第1集$http://" + Host() + "/media/t12-s0-e1.mp4$qvod");
    EXPECT_EQ(Body("/box/h.asp?id=12&v=1&v1=1"), "第2集$http://" + Host() + "/media/t12-s1-e2.webm$html5");
    EXPECT_EQ(Body("/box/h.asp?id=12&v=0&v1=4"), "0");   // past the last episode
    EXPECT_EQ(Body("/box/h.asp?id=12&v=0&v1=-1"), "0");  // before the first
    EXPECT_EQ(Body("/box/h.asp?id=404&v=0&v1=0"), "1");  // unknown title
    EXPECT_EQ(Body("/box/h.asp?id=&v=&v1="), "1");
}

TEST_F(PortalContract, PagesCarryThePrivateLinks) {
    const std::string home = Body("/box/");
    EXPECT_NE(home.find("href=\"eebovod://12-0-0-星河漫游记\""), std::string::npos);
    EXPECT_NE(home.find("href=\"eeshow://show/12.html\""), std::string::npos);
    EXPECT_NE(home.find("href=\"eetvs://演示新闻台&amp;&amp;&amp;ch=1\""), std::string::npos);
    EXPECT_NE(home.find("eebovod://27-0-2-城市-夜色"), std::string::npos);
    const std::string side = Body("/box//right.asp");
    EXPECT_NE(side.find("search.asp?searchword="), std::string::npos);
    EXPECT_NE(side.find("eebovod://"), std::string::npos);
    const std::string title = Body("/show/12.html");
    EXPECT_NE(title.find("eebovod://12-1-1-星河漫游记"), std::string::npos);  // every episode of every source
    EXPECT_EQ(Body("/box/show.asp?id=12"), title);
    EXPECT_EQ(Status("/show/99.html"), 404);
}

TEST_F(PortalContract, SearchResultsPlayAndGoHome) {
    const std::string page = Body("/box/search.asp?searchword=%E5%B1%B1%E5%9F%8E");  // 山城, UTF-8
    EXPECT_NE(page.find("fanhome://"), std::string::npos);
    EXPECT_NE(page.find("eeshow://show/15.html"), std::string::npos);
    EXPECT_NE(page.find("eebovod://15-0-0-"), std::string::npos);
    const std::string play = "eeqvod://qvod&amp;&amp;&amp;" + ruvo::JsEscape("http://" + Host() + "/media/t15-s0-e1.mp4") +
                             "&amp;&amp;&amp;" + ruvo::JsEscape("山城往事");
    EXPECT_NE(page.find(play), std::string::npos) << page;
    EXPECT_EQ(Body("/box/search.asp?searchword=%C9%BD%B3%C7"), page);  // 山城 in GBK
    EXPECT_NE(Body("/box/search.asp?searchword=zzz").find("没有找到"), std::string::npos);
}

TEST_F(PortalContract, OtherAddressesTheProgramUses) {
    for (const char* path : {"/box/play.htm?html5$$$http%3A//x/y.webm", "/box/tv/eebotv.htm?ch=1", "/box/tj/tj.asp?id=AA-BB",
                             "/box/js/ads/qvodad.html", "/box/js/ads/gun.html", "/box/js/ads/fudong.html",
                             "/box/js/ads/tui.html", "/help/", "/box/update/update.exe"})
        EXPECT_EQ(Status(path), 200) << path;
    EXPECT_EQ(Body("/box/lib/wen.txt"), "0====0====0====0====1.0");
    EXPECT_NE(server->Requests().end(),
              std::find(server->Requests().begin(), server->Requests().end(), "GET /box/tj/tj.asp?id=AA-BB"));
}

TEST_F(PortalContract, MediaServesRangesAndTheRateCap) {
    httplib::Headers range{{"Range", "bytes=1000-1999"}};
    auto part = client->Get("/media/t15-s0-e1.mp4", range);
    ASSERT_TRUE(part);
    EXPECT_EQ(part->status, 206);
    EXPECT_EQ(part->body, mediaBytes.substr(1000, 1000));
    EXPECT_EQ(Body("/media/t15-s0-e1.mp4"), mediaBytes);
    EXPECT_EQ(Status("/media/../etc/passwd"), 404);

    // At 400 000 bytes a second the file goes out in 40 000-byte chunks a
    // tenth of a second apart: the last of five arrives 0.4 s after the first.
    server->FaultSwitches().SetRate(400000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Body("/media/t15-s0-e1.mp4").size(), mediaBytes.size());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(390));
}

TEST_F(PortalContract, FaultsOnDemand) {
    const std::string path = "/box/h.asp?id=12&v=0&v1=0";
    EXPECT_EQ(Body("/control?key=test-key&target=h.asp&fault=one"), "ok\n");
    EXPECT_EQ(Body(path), "1");
    Body("/control?key=test-key&target=h.asp&fault=zero");
    EXPECT_EQ(Body(path), "0");
    Body("/control?key=test-key&target=h.asp&fault=malformed");
    EXPECT_EQ(Body(path).find('$'), std::string::npos);
    Body("/control?key=test-key&target=h.asp&fault=500");
    EXPECT_EQ(Status(path), 500);
    Body("/control?key=test-key&target=h.asp&fault=drop");
    EXPECT_FALSE(client->Get(path.c_str()));
    Body("/control?key=test-key&target=/box/&fault=500");  // the home page fails to load
    EXPECT_EQ(Status("/box/"), 500);
    Body("/control?key=test-key&target=h.asp&fault=slow:300");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(Body(path).find('$'), std::string::npos);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(290));
    Body("/control?key=test-key&clear=1");
    EXPECT_EQ(Status("/box/"), 200);
    EXPECT_EQ(Status("/control?key=test-key&target=h.asp&fault=bogus"), 400);
}

// Any user of the computer may reach a loopback port: without the key the
// switches and the request log are not there.
TEST_F(PortalContract, ControlNeedsTheKey) {
    Body("/box/search.asp?searchword=secret");
    for (const char* request : {"/control/requests", "/control/requests?key=", "/control/requests?key=test-keyX",
                                "/control?version=9.9", "/control?key=Test-key&version=9.9"})
        EXPECT_EQ(Status(request), 404) << request;
    EXPECT_EQ(Body("/box/lib/wen.txt").find("9.9"), std::string::npos);
    EXPECT_NE(Body("/control/requests?key=test-key").find("secret"), std::string::npos);
    server->SetControlKey("");
    EXPECT_EQ(Status("/control/requests?key="), 404);
}

// Another account floods the portal with long requests: the log the control
// reads holds only the latest lines, each cut short.
TEST_F(PortalContract, TheRequestLogKeepsTheLatestLines) {
    const std::string padding(6000, 'x');
    const int sent = static_cast<int>(PortalServer::kKeptRequests) + 1500;
    for (int i = 0; i < sent; ++i) client->Get(("/box/flood?n=" + std::to_string(i) + "&p=" + padding).c_str());
    const std::string log = Body("/control/requests?key=test-key");
    size_t lines = 0, longest = 0;
    for (size_t at = 0, end; (end = log.find('\n', at)) != std::string::npos; at = end + 1, ++lines)
        longest = std::max(longest, end - at);
    EXPECT_EQ(lines, PortalServer::kKeptRequests);
    EXPECT_EQ(longest, PortalServer::kLongestRequestLine);
    EXPECT_EQ(log.find("n=1499&"), std::string::npos);
    EXPECT_NE(log.find("n=1500&"), std::string::npos);
    EXPECT_NE(log.find("n=" + std::to_string(sent - 1) + "&"), std::string::npos);
}

TEST_F(PortalContract, UpdateFileSwitches) {
    Body("/control?key=test-key&exit=1&scroll=1&version=1.1");
    EXPECT_EQ(Body("/box/lib/wen.txt"), "1====0====0====1====1.1");
    Body("/control?key=test-key&wen=1%3D%3D%3D%3D1");
    EXPECT_EQ(Body("/box/lib/wen.txt"), "1====1");
}

TEST_F(PortalContract, ConcurrentRequestsAllAnswer) {
    std::vector<std::thread> clients;
    std::atomic<int> answered{0};
    for (int i = 0; i < 12; ++i)
        clients.emplace_back([&] {
            httplib::Client own("127.0.0.1", port);
            auto result = own.Get("/box/");
            if (result && result->status == 200) ++answered;
        });
    for (auto& c : clients) c.join();
    EXPECT_EQ(answered, 12);
}

TEST(DemoCatalog, EveryEpisodeHasItsClip) {
    size_t episodes = 0;
    for (const auto& title : Titles())
        for (const auto& source : title.sources) episodes += source.episodes.size();
    EXPECT_EQ(MediaClips().size() + SeriesClips().size(), episodes + Channels().size());
}

// The series' episodes share an opening and credits of one length after cold
// opens all of different lengths, one of them none; the film has neither.
TEST(DemoCatalog, SeriesShareOpeningAndCreditsTheFilmNothing) {
    const auto& series = FindTitle(40)->sources.at(0).episodes;
    ASSERT_EQ(series.size(), 4u);
    std::set<int> coldOpens;
    for (const Episode& episode : series) {
        ASSERT_TRUE(episode.parts);
        coldOpens.insert(episode.parts->OpeningStart());
        EXPECT_EQ(episode.parts->OpeningEnd() - episode.parts->OpeningStart(), series[0].parts->opening);
        EXPECT_EQ(episode.parts->Seconds() - episode.parts->CreditsStart(), series[0].parts->credits);
        EXPECT_EQ(episode.seconds, episode.parts->Seconds());
    }
    EXPECT_EQ(coldOpens.size(), 4u);
    EXPECT_EQ(*coldOpens.begin(), 0);
    const Episode& film = FindTitle(44)->sources.at(0).episodes.at(0);
    ASSERT_TRUE(film.parts);
    EXPECT_EQ(film.parts->OpeningEnd(), film.parts->OpeningStart());
    EXPECT_EQ(film.parts->CreditsStart(), film.seconds);
}

}  // namespace
}  // namespace demo
