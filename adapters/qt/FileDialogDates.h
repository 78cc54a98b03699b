#pragma once
// The file dialog's "modified" column in the interface's language. Qt's own
// dialog writes dates in the desktop's language ("9 Dec 2026 15:50"), while
// every other text of the program is Chinese.
#include <QIdentityProxyModel>

namespace ruvo {

class FileDialogDates final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace ruvo
