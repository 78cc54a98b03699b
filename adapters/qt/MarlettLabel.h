#pragma once
// A label whose caption is a letter of the Windows symbol font Marlett (not
// on Linux desktops): it keeps the caption and paints the symbol the letter
// stands for ("r" the close cross, "0" minimise, "1" maximise, "2" restore)
// in its text colour on a light plate, readable over any title bar.
#include <QLabel>

namespace ruvo {

class MarlettLabel final : public QLabel {
public:
    using QLabel::QLabel;
    // The symbol a Marlett letter shows; other text as it is.
    static QString SymbolOf(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Restore: two overlapping windows, drawn (no common font has the sign).
    void PaintRestore(QPainter& painter, const QColor& color) const;
};

}  // namespace ruvo
