#include "adapters/qt/ToolkitTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ruvo {
namespace {

// The texts Debian's catalogue leaves out: the file dialog's type column
// ("Folder" beside every folder).
class MissingToolkitTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        static const std::pair<const char*, const char*> kTexts[] = {
            {"Folder", "文件夹"}, {"Drive", "驱动器"}, {"Shortcut", "快捷方式"}, {"Unknown", "未知"}};
        for (const auto& [english, chinese] : kTexts)
            if (qstrcmp(source, english) == 0) return QString::fromUtf8(chinese);
        return {};
    }
};

}  // namespace

bool LoadToolkitTranslations() {
    // Dates, file types and numbers in the dialogs as a Chinese desktop shows them.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QCoreApplication::installTranslator(new MissingToolkitTexts(QCoreApplication::instance()));
    auto* translator = new QTranslator(QCoreApplication::instance());
    // "qt_zh_CN" gathers the catalogues of every Qt module.
    if (!translator->load(QStringLiteral("qt_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace ruvo
