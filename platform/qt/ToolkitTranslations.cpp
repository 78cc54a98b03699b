#include "platform/qt/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ruvo {

bool LoadToolkitTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    // "qt_zh_CN" gathers the catalogues of every Qt module.
    if (!translator->load(QStringLiteral("qt_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace ruvo
