#pragma once
// The main window's controls that the logic reads and writes by name: labels,
// boxes, buttons. Several on/off states live in button tooltips and are read
// back (title button 4 "置顶", panel toggles containing "关闭", transport
// button 0 "暂停" while playing, transport button 2 "静音" while sound is on).
#include <string>

namespace ruvo {

enum class ControlName {
    zhun,        // status line
    bo_name,     // title line above the player
    times,       // position / duration label
    qk,          // list action label; contains "列表" while the local-file tab shows
    jbi,         // the other list action label
    qvod,        // box holding the player
    Pic1,        // box holding Web1
    Pic2,        // box holding Web2 (page player)
    pso,         // box holding Webso (search results)
    w1,          // load-error notice over the main area
    w5,          // load-error notice over Web5
    P3,          // right-panel tab 7: Web3
    P4,          // right-panel tab 8: Web4
    P5,          // right-panel tab 6: Web5
    RightPanel,
    LeftPanel,
    BAD,         // scrolling advertisement bar holding Web8
    ad_huan,     // player advertisement panel holding Web7
    adp,         // picture shown instead of ad_huan
    bo_ad,       // advertisement picture over the player
    bo_zt,       // status strip
    next_s,      // "正准备播放下一集，请稍后..."
    gunt,        // seek track
    gunt1,       // seek knob
    huan,        // downloaded-share bar
    npc,         // navigation and title buttons (indexed)
    bo_but,      // transport buttons (indexed)
    soso,        // search box
    yin,         // volume track
    bo_v,        // volume knob
    bo_y,        // filled part of the volume track, left of the knob
    p1,          // tooltip panel over the player bar
    bo_tip,      // its text
    // The frame and the containers the layout places.
    zz,          // content area below the title bar
    Pic3,        // left panel header, holding the search controls
    l4,          // left panel body
    l5,          // right panel body
    L1,          // centre column
    Pic4,        // centre header: panel toggles, title line, scrolling bar
    shan,        // right panel's bottom bar holding qk
    bo_foot,     // the player bar
    qvodx,       // strip over the top of the player
    QvodC,       // the player control's surface
    ni_name,     // the window's title label
    Im1,         // the logo
    ggx,         // the page player's close button
    soimg,       // frame of the search box
    sok,         // search button
    pane,        // a web pane in its host, indexed by Pane
};

struct ControlId {
    ControlName name;
    int index = 0;
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

class WindowControls {
public:
    virtual ~WindowControls() = default;
    virtual void SetText(ControlId control, const std::string& text) = 0;
    virtual std::string Text(ControlId control) const = 0;
    virtual void SetTooltip(ControlId control, const std::string& text) = 0;
    virtual std::string Tooltip(ControlId control) const = 0;
    virtual void SetVisible(ControlId control, bool visible) = 0;
    virtual bool IsVisible(ControlId control) const = 0;
    virtual void SetEnabled(ControlId control, bool enabled) = 0;
    // Gives a button one of its skin pictures (index into its image strip).
    virtual void SetPicture(ControlId control, int image) = 0;
    virtual Rect Geometry(ControlId control) const = 0;
    virtual void Move(ControlId control, const Rect& rect) = 0;
};

// Moves a control sideways (and sets its width), keeping its top and height.
inline void MoveLeftEdge(WindowControls& controls, ControlId control, int left) {
    Rect rect = controls.Geometry(control);
    rect.left = left;
    controls.Move(control, rect);
}
inline void PlaceHorizontally(WindowControls& controls, ControlId control, int left, int width) {
    Rect rect = controls.Geometry(control);
    rect.left = left;
    rect.width = width;
    controls.Move(control, rect);
}

}  // namespace ruvo
