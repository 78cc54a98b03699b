#include "adapters/qt/OutsideOpens.h"

#include <QElapsedTimer>

namespace ruvo {

bool OutsideOpens::Take() {
    static QElapsedTimer last;  // the user-interface thread's only
    if (last.isValid() && last.elapsed() < kSpacingMs) return false;
    last.start();
    return true;
}

}  // namespace ruvo
