#include "adapters/qt/SliderTrack.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

#include "adapters/qt/FocusMark.h"

namespace ruvo {
namespace {

constexpr int kHeight = 7;
// Out of sight to the left while nothing is downloaded.
constexpr int kHiddenLeft = -30;
// A knob let go this close to the track's start seeks to the start itself.
constexpr int kStartSlack = 2;

QWidget* Part(QWidget* track, const char* name) {
    auto* part = new QWidget(track);
    part->setObjectName(QString::fromLatin1(name));
    part->setAttribute(Qt::WA_StyledBackground);
    part->installEventFilter(track);
    return part;
}

}  // namespace

SliderTrack::SliderTrack(Slider kind, int step, QWidget* parent)
    : QWidget(parent),
      kind_(kind),
      step_(step),
      filled_(Part(this, kind == Slider::Seek ? "downloadedBar" : "volumeFill")),
      knob_(Part(this, kind == Slider::Seek ? "seekKnob" : "volumeKnob")) {
    setAttribute(Qt::WA_StyledBackground);
    // Reached with Tab, never taken by a click: a click leaves the keys with the player.
    setFocusPolicy(Qt::TabFocus);
    installEventFilter(this);
    knob_->setGeometry(0, 0, kind == Slider::Seek ? 12 : 8, kHeight);
    if (kind == Slider::Seek) filled_->setGeometry(kHiddenLeft, 0, 0, kHeight);
    else filled_->setGeometry(0, 2, 0, 2);
}

int SliderTrack::Run() const { return width() - knob_->width(); }

void SliderTrack::SetValue(int value, int maximum) {
    const bool changed = value != value_ || maximum != maximum_;
    value_ = value;
    maximum_ = maximum;
    if (!held_) PlaceFromValue();
    if (!changed) return;
    QAccessibleValueChangeEvent event(this, value);
    QAccessible::updateAccessibility(&event);
}

void SliderTrack::PlaceFromValue() {
    // A length of 0 (nothing loaded, a live stream) keeps the knob at the start.
    const double share = maximum_ > 0 ? static_cast<double>(value_) / maximum_ : 0.0;
    PlaceKnob(static_cast<int>(std::clamp(share * Run(), -1e6, 1e6)));
}

void SliderTrack::PlaceKnob(int left) {
    knob_->move(left, 0);
    if (kind_ == Slider::Volume) filled_->resize(std::max(left, 0), filled_->height());
}

void SliderTrack::SetDownloaded(int perMille) {
    downloaded_ = perMille;
    if (perMille < 1) return filled_->setGeometry(kHiddenLeft, 0, 0, kHeight);
    filled_->setGeometry(0, 0, static_cast<int>(static_cast<long long>(width()) * std::min(perMille, 1000) / 1000), kHeight);
}

void SliderTrack::resizeEvent(QResizeEvent*) {
    if (!held_) PlaceFromValue();
    if (kind_ == Slider::Seek) SetDownloaded(downloaded_);
}

void SliderTrack::RequestValue(int value) {
    if (onRequest) onRequest(std::clamp(value, 0, std::max(maximum_, 0)));
}

// A press on the track (or the filled part) puts the knob's left edge under
// the pointer. On the seek track it is not held to the run: a press past
// the run overshoots, and the seek comes back from beyond the end.
void SliderTrack::Pressed(int x) {
    const int run = Run();
    if (run <= 0) return;
    if (kind_ == Slider::Seek) return PlaceKnob(x);
    PlaceKnob(std::min(x, run));
    RequestValue(knob_->x() * 100 / run);
}

// The knob follows the pointer; `x` is the pointer in the knob's own frame.
void SliderTrack::Dragged(int x) {
    const int run = Run();
    if (run <= 0) return;
    const int left = knob_->x() + x;
    if (kind_ == Slider::Seek) return PlaceKnob(std::clamp(left, 0, run));
    if (left < 0 || left > run) {  // beyond either end the volume knob stays
        if (onPastTheEnd) onPastTheEnd();
        return;
    }
    PlaceKnob(left);
    RequestValue(left * 100 / run);
}

void SliderTrack::LetGo(const QObject* over) {
    const bool wasHeld = held_;
    held_ = false;
    const int run = Run();
    if (kind_ == Slider::Volume || run <= 0 || !wasHeld) return PlaceFromValue();
    const int left = knob_->x();
    SeekRelease where = over == knob_ ? SeekRelease::OverKnob
                        : over == filled_ ? SeekRelease::OverDownloadedBar
                                          : SeekRelease::OverTrack;
    if (where == SeekRelease::OverKnob && left <= kStartSlack) where = SeekRelease::OverTrack;
    if (onLetGo) onLetGo(where, static_cast<double>(left) / run);
}

bool SliderTrack::eventFilter(QObject* watched, QEvent* event) {
    if (watched != this && watched != knob_ && watched != filled_) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = static_cast<int>(mouse->position().x());
    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton) return true;
        held_ = Run() > 0;  // a click on the knob alone lets it go where it stands
        if (watched != knob_) Pressed(watched == filled_ ? x + filled_->x() : x);
        return true;
    }
    if (type == QEvent::MouseMove) {
        if (watched == knob_ && (mouse->buttons() & Qt::LeftButton)) Dragged(x);
        return true;
    }
    if (mouse->button() == Qt::LeftButton) LetGo(watched);
    return true;
}

void SliderTrack::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: case Qt::Key_Down: return RequestValue(value_ - step_);
        case Qt::Key_Right: case Qt::Key_Up: return RequestValue(value_ + step_);
        case Qt::Key_PageDown: return RequestValue(value_ - 6 * step_);
        case Qt::Key_PageUp: return RequestValue(value_ + 6 * step_);
        case Qt::Key_Home: return RequestValue(0);
        case Qt::Key_End: return RequestValue(maximum_);
        default: QWidget::keyPressEvent(event);
    }
}

void SliderTrack::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);  // the style sheet's track
    if (hasFocus()) DrawFocusMark(painter, rect());
}

}  // namespace ruvo
