#pragma once
// A control the window draws itself: a cell of a skin picture stretched over
// the whole widget, with an optional text centred on it (the tabs). It reports
// clicks, double clicks and the pointer's moves, a leave as (-1, -1).
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace ruvo {

class SkinCell final : public QWidget {
public:
    explicit SkinCell(QWidget* parent = nullptr);
    void SetCell(const QPixmap& cell);
    void SetText(const QString& text);
    QString Text() const { return text_; }

    std::function<void()> onClick;
    std::function<void(int, int)> onMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap cell_;
    QString text_;
    bool pressed_ = false;
};

}  // namespace ruvo
