#include <gtest/gtest.h>

#include "adapters/mpv/MpvPlayState.h"

namespace ruvo {
namespace {

struct StateCase {
    const char* name;
    MpvSnapshot snapshot;
    PlayerState expected;
};

class PlayStateMapping : public testing::TestWithParam<StateCase> {};

TEST_P(PlayStateMapping, FromWhatMpvReports) { EXPECT_EQ(MapPlayState(GetParam().snapshot), GetParam().expected); }

MpvSnapshot Loaded() {
    MpvSnapshot s;
    s.hasUrl = true;
    return s;
}

MpvSnapshot With(void (*change)(MpvSnapshot&)) {
    MpvSnapshot s = Loaded();
    change(s);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    States, PlayStateMapping,
    testing::Values(StateCase{"NothingLoaded", MpvSnapshot{}, PlayerState::Idle}, StateCase{"Playing", Loaded(), PlayerState::Playing},
                    StateCase{"Paused", With([](MpvSnapshot& s) { s.paused = true; }), PlayerState::Paused},
                    StateCase{"Buffering", With([](MpvSnapshot& s) { s.pausedForCache = true; }), PlayerState::Buffering},
                    StateCase{"ConnectingToAStream", With([](MpvSnapshot& s) { s.loading = s.network = true; }), PlayerState::Connecting},
                    StateCase{"OpeningAFile", With([](MpvSnapshot& s) { s.loading = true; }), PlayerState::Preparing},
                    StateCase{"Stopped", With([](MpvSnapshot& s) { s.stopped = s.idle = true; }), PlayerState::Stopped},
                    StateCase{"EndedOnItsLastFrame", With([](MpvSnapshot& s) { s.endOfFile = s.paused = true; }), PlayerState::Ended},
                    StateCase{"FailedToOpen", With([](MpvSnapshot& s) { s.failed = s.idle = true; }), PlayerState::Idle}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ruvo
