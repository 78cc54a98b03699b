#pragma once
// A label whose caption is a letter of the Windows symbol font Marlett (not
// on Linux desktops): it keeps the caption and paints the symbol the letter
// stands for ("r" the close cross, "0" minimise, "1" maximise, "2" restore).
#include <QLabel>

namespace ruvo {

class MarlettLabel final : public QLabel {
public:
    using QLabel::QLabel;
    // The symbol a Marlett letter shows; other text as it is.
    static QString SymbolOf(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace ruvo
