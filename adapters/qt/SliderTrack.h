#pragma once
// One of the player bar's sliders (seek, volume) as a control of its own:
// the track with its knob and its filled part (the downloaded share under
// the seek knob, the part left of the volume knob). It places them from
// the value it is given, moves the knob under the mouse and says where it
// was let go, moves by the arrow keys with the focus, shows that focus, and
// tells screen readers its value.
#include <QWidget>
#include <functional>

#include "platform/WindowIntents.h"

namespace ruvo {

class SliderTrack final : public QWidget {
    Q_OBJECT

public:
    // `step` is what one arrow key moves it by, in the slider's own unit.
    SliderTrack(Slider kind, int step, QWidget* parent);
    // Where it stands, from the logic; screen readers hear the change. A
    // knob the mouse holds stays where the mouse put it.
    void SetValue(int value, int maximum);
    // The seek slider's downloaded share, in per mille.
    void SetDownloaded(int perMille);
    int Value() const { return value_; }
    int Maximum() const { return maximum_; }
    int Step() const { return step_; }
    QWidget* Knob() const { return knob_; }
    QWidget* Filled() const { return filled_; }
    // Asks for a new value (the keyboard, a screen reader, the volume's
    // knob under the mouse); the logic decides and draws it back.
    void RequestValue(int value);

    std::function<void(int)> onRequest;
    // The seek knob let go, over what and at what share of its run.
    std::function<void(SeekRelease, double)> onLetGo;
    // The volume knob dragged past either end, where it stays.
    std::function<void()> onPastTheEnd;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Run() const;  // how far the knob's left edge travels
    void PlaceKnob(int left);
    void PlaceFromValue();
    void Pressed(int x);
    void Dragged(int x);
    void LetGo(const QObject* over);

    Slider kind_;
    int value_ = 0;
    int maximum_ = 0;
    int step_;
    int downloaded_ = 0;
    bool held_ = false;  // the left button went down on the slider and is not up yet
    QWidget* filled_;
    QWidget* knob_;
};

}  // namespace ruvo
