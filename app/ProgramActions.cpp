#include "app/ProgramActions.h"

#include "app/ExitProgram.h"
#include "app/UpdateCheck.h"

namespace ruvo {

MainWindow::ProgramActions ProgramActionsFor(MainWindow& window) {
    return {[&window] { CheckForUpdate(window); }, [&window] { OfferUpdate(window); }, [&window] { ExitProgram(window); }};
}

}  // namespace ruvo
