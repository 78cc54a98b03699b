#pragma once
// The track of one of the player bar's sliders (seek, volume) as a control
// of its own: it holds where the slider stands, moves it by the arrow keys
// with the focus, shows that focus, and tells screen readers its value.
#include <QWidget>
#include <functional>

namespace ruvo {

class SliderTrack final : public QWidget {
    Q_OBJECT

public:
    // `step` is what one arrow key moves it by, in the slider's own unit.
    SliderTrack(int step, QWidget* parent);
    // Where it stands, from the logic; screen readers hear the change.
    void SetValue(int value, int maximum);
    int Value() const { return value_; }
    int Maximum() const { return maximum_; }
    int Step() const { return step_; }
    // Asks for a new value (the keyboard, a screen reader); the logic
    // decides and draws it back.
    void RequestValue(int value);

    std::function<void(int)> onRequest;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int value_ = 0;
    int maximum_ = 0;
    int step_;
};

}  // namespace ruvo
