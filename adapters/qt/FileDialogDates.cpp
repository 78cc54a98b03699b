#include "adapters/qt/FileDialogDates.h"

#include <QFileSystemModel>
#include <QLocale>

namespace ruvo {

QVariant FileDialogDates::data(const QModelIndex& index, int role) const {
    constexpr int kModifiedColumn = 3;  // QFileSystemModel's
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole || index.column() != kModifiedColumn)
        return QIdentityProxyModel::data(index, role);
    // The program's own language (the default locale), not the desktop's.
    return QLocale().toString(files->lastModified(mapToSource(index)), QLocale::ShortFormat);
}

}  // namespace ruvo
