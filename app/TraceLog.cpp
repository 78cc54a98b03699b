#include "app/TraceLog.h"

#include <array>
#include <ctime>
#include <fstream>

namespace ruvo {
namespace {

// In the order of ControlName.
constexpr std::array<const char*, 50> kNames{
    "zhun", "bo_name", "times", "qk", "jbi", "qvod", "Pic1", "Pic2", "pso", "w1", "w5", "P3", "P4", "P5",
    "RightPanel", "LeftPanel", "BAD", "ad_huan", "adp", "bo_ad", "bo_zt", "next_s", "gunt", "gunt1", "huan",
    "npc", "bo_but", "soso", "yin", "bo_v", "bo_y", "p1", "bo_tip", "zz", "Pic3", "l4", "l5", "L1", "Pic4",
    "shan", "bo_foot", "qvodx", "QvodC", "ni_name", "Im1", "ggx", "skip", "soimg", "sok", "pane"};
static_assert(kNames.size() == static_cast<size_t>(ControlName::WebPane) + 1, "one name for every control");

bool Indexed(ControlName name) {
    return name == ControlName::WindowButton || name == ControlName::TransportButton || name == ControlName::WebPane;
}

}  // namespace

void TraceLog::Line(const std::string& line) {
    if (path_.empty()) return;
    // Each line starts with the system's monotonic clock in milliseconds, so
    // a measuring program can time what it sees.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ms = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    std::ofstream(path_, std::ios::app) << ms << ' ' << line << '\n';
}

std::string TraceName(ControlId control) {
    const auto index = static_cast<size_t>(control.name);
    std::string name = index < kNames.size() ? kNames[index] : "?";
    if (Indexed(control.name)) name += std::to_string(control.index);
    return name;
}

void TracedControls::SetText(ControlId c, const std::string& text) {
    const auto [shown, first] = texts_.try_emplace(KeyOf(c), text);
    if (first || shown->second != text) log_.Line("text " + TraceName(c) + "=" + text);
    shown->second = text;
    inner_.SetText(c, text);
}

void TracedControls::SetTooltip(ControlId c, const std::string& text) {
    std::string& shown = tooltips_[KeyOf(c)];
    if (shown != text) log_.Line("tooltip " + TraceName(c) + "=" + text);
    shown = text;
    inner_.SetTooltip(c, text);
}

void TracedControls::SetVisible(ControlId c, bool visible) {
    const auto [shown, first] = visible_.try_emplace(KeyOf(c), visible);
    if (first || shown->second != visible) log_.Line("visible " + TraceName(c) + "=" + (visible ? "1" : "0"));
    shown->second = visible;
    inner_.SetVisible(c, visible);
}

void TracedForms::Unload(FormName form) {
    static constexpr std::array<const char*, 5> kForms{"tip", "adsb", "BA3", "BA1", "ba4"};  // by FormName
    log_.Line(std::string("unload ") + kForms[static_cast<size_t>(form)]);
    inner_.Unload(form);
}

}  // namespace ruvo
