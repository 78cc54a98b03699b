#pragma once
// A control the window draws itself: a cell of a skin picture stretched over
// the whole widget, with an optional text centred on it (the tabs). It reports
// clicks, double clicks and the pointer's moves, a leave as (-1, -1). Tab
// reaches it, Space or Enter press it, and screen readers know it as a
// button or, for the tabs, a page tab.
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>

namespace ruvo {

class SkinCell final : public QWidget {
    Q_OBJECT

public:
    // A tab strip is the tabs' background: no control of its own.
    enum class Kind { Button, Tab, TabStrip };
    explicit SkinCell(Kind kind, QWidget* parent = nullptr);
    void SetCell(const QPixmap& cell);
    void SetText(const QString& text);
    QString Text() const { return text_; }
    Kind CellKind() const { return kind_; }
    // Whether a tab is selected or a button that stays down is down; nothing
    // for a button that never stays down. Screen readers hear the change.
    void SetOn(std::optional<bool> on);
    std::optional<bool> On() const { return on_; }
    // A press from the keyboard or a screen reader: a click.
    void Activate();

    std::function<void()> onClick;
    std::function<void(int, int)> onMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Kind kind_;
    QPixmap cell_;
    QString text_;
    std::optional<bool> on_;
    bool pressed_ = false;
};

}  // namespace ruvo
