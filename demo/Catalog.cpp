#include "demo/Catalog.h"

namespace demo {
namespace {

std::vector<Episode> Episodes(int titleId, int source, int count, int seconds, const char* extension) {
    std::vector<Episode> episodes;
    for (int n = 1; n <= count; ++n)
        episodes.push_back({"第" + std::to_string(n) + "集",
                            "t" + std::to_string(titleId) + "-s" + std::to_string(source) + "-e" + std::to_string(n) +
                                extension,
                            seconds});
    return episodes;
}

// The length of the opening and of the closing credits every episode of a
// series shares.
constexpr int kOpeningSeconds = 36;
constexpr int kCreditsSeconds = 24;

// A series' episodes, each a cold open and its own content (in seconds, with
// the seed that picks what is said) around the shared opening and credits.
struct OwnParts {
    int coldOpen;
    int content;
    int seed;
};
std::vector<Episode> SeriesEpisodes(int titleId, const std::vector<OwnParts>& own) {
    std::vector<Episode> episodes = Episodes(titleId, 0, static_cast<int>(own.size()), 0, ".mp4");
    for (size_t i = 0; i < own.size(); ++i) {
        episodes[i].parts = EpisodeParts{own[i].coldOpen, kOpeningSeconds, own[i].content, kCreditsSeconds, own[i].seed};
        episodes[i].seconds = episodes[i].parts->Seconds();
    }
    return episodes;
}

std::vector<Title> BuildTitles() {
    std::vector<Title> titles{
        {12, "星河漫游记", "科幻", "一艘旧货船在星河边缘捡到一枚会说话的信标。",
         {{"qvod", "快播高清", Episodes(12, 0, 4, 8, ".mp4")}, {"html5", "网页播放", Episodes(12, 1, 2, 8, ".webm")}}},
        {15, "山城往事", "剧情", "雾气里的老街，三代人的一家面馆。", {{"qvod", "快播高清", Episodes(15, 0, 3, 5, ".mp4")}}},
        {18, "竹林茶话", "纪录", "走访南方茶山的采茶人。", {{"qvod", "快播高清", Episodes(18, 0, 2, 20, ".mp4")}}},
        {23, "极地追光", "电影", "两名摄影师在极夜里寻找极光。",
         {{"qvod", "快播高清", {{"高清版", "t23-s0-e1.mp4", 30}}}}},
        {27, "城市-夜色", "都市", "出租车司机的十二个夜晚。", {{"qvod", "快播高清", Episodes(27, 0, 3, 5, ".mp4")}}},
        {31, "快乐厨房", "综艺", "每周一道家常菜，一位神秘嘉宾。", {{"qvod", "快播高清", Episodes(31, 0, 3, 10, ".mp4")}}},
        // A long series of short episodes, for the hundred-episode memory benchmark.
        {35, "百日晨光", "短片", "一百个清晨，每个两秒。", {{"qvod", "快播高清", Episodes(35, 0, 100, 2, ".mp4")}}},
        // Episodes that share an opening after cold opens of different lengths,
        // and closing credits, and a film that shares nothing: for finding the
        // opening and the credits by listening.
        {40, "雾港灯塔", "悬疑", "每逢起雾的夜晚，废弃多年的灯塔又亮了起来。",
         {{"qvod", "快播高清", SeriesEpisodes(40, {{0, 130, 1}, {20, 120, 2}, {45, 110, 3}, {60, 100, 4}})}}},
        {44, "银杏之约", "电影", "老银杏树下，两位老人约好每年秋天见一面。",
         {{"qvod", "快播高清", {{"正片", "t44-s0-e1.mp4", 185, EpisodeParts{0, 0, 185, 0, 5}}}}}},
    };
    return titles;
}

}  // namespace

const std::vector<Title>& Titles() {
    static const std::vector<Title> titles = BuildTitles();
    return titles;
}

const std::vector<Channel>& Channels() {
    static const std::vector<Channel> channels{
        {"演示新闻台", "ch=1", "tv-1.webm"},
        {"演示电影台", "ch=2", "tv-2.webm"},
    };
    return channels;
}

const Title* FindTitle(int id) {
    for (const Title& title : Titles())
        if (title.id == id) return &title;
    return nullptr;
}

const Channel* FindChannel(const std::string& query) {
    for (const Channel& channel : Channels())
        if (query.find(channel.query) != std::string::npos) return &channel;
    return nullptr;
}

std::vector<MediaClip> MediaClips() {
    std::vector<MediaClip> clips;
    int tone = 330;
    for (const Title& title : Titles())
        for (const Source& source : title.sources)
            for (const Episode& episode : source.episodes) {
                if (episode.parts) continue;
                clips.push_back({episode.media, episode.seconds, title.name + " " + episode.label, tone});
                tone = tone >= 880 ? 330 : tone + 55;
            }
    for (const Channel& channel : Channels()) clips.push_back({channel.media, 12, channel.name, 660});
    return clips;
}

std::vector<SeriesClip> SeriesClips() {
    std::vector<SeriesClip> clips;
    for (const Title& title : Titles())
        for (const Source& source : title.sources)
            for (const Episode& episode : source.episodes)
                if (episode.parts) clips.push_back({episode.media, *episode.parts, title.name, title.name + " " + episode.label});
    return clips;
}

}  // namespace demo
