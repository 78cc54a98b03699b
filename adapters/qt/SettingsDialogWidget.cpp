#include "adapters/qt/SettingsDialogWidget.h"

#include "adapters/qt/ControlAccessibility.h"
#include "adapters/qt/KeyboardFocus.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ruvo {
namespace {

constexpr std::array<const char*, 3> kTabTexts{"关于软件", "软件设置", "缓存设置"};

QPushButton* NamedButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

SettingsDialogWidget::SettingsDialogWidget(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("settingsDialog"));
    GiveLabelsTheirRoles(this);
    setWindowTitle(QStringLiteral("软件设置"));
    setModal(false);
    if (owner) setWindowIcon(owner->windowIcon());
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    auto* strip = new QVBoxLayout;
    for (size_t i = 0; i < tabs_.size(); ++i) {
        // Each tab caption ends with a line break, as the dialog draws them.
        tabs_[i] = new QLabel(QString::fromUtf8(kTabTexts[i]) + QStringLiteral("\n"), this);
        tabs_[i]->setObjectName(QStringLiteral("d_z_%1").arg(i));
        tabs_[i]->setAlignment(Qt::AlignCenter);
        tabs_[i]->setFixedWidth(90);
        tabs_[i]->setCursor(Qt::PointingHandCursor);
        tabs_[i]->installEventFilter(this);
        tabs_[i]->setAccessibleName(QString::fromUtf8(kTabTexts[i]));
        MakePressable(tabs_[i]);  // Tab reaches it, Space or Enter selects it
        SetSpokenRole(tabs_[i], QAccessible::PageTab);
        strip->addWidget(tabs_[i]);
    }
    strip->addStretch(1);
    body->addLayout(strip);
    auto* right = new QVBoxLayout;
    header_ = new QLabel(this);
    header_->setObjectName(QStringLiteral("bb"));
    header_->setStyleSheet(QStringLiteral("font-weight:bold"));
    right->addWidget(header_);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(AboutPage());
    pages_->addWidget(OptionsPage());
    pages_->addWidget(FolderPage());
    right->addWidget(pages_, 1);
    body->addLayout(right, 1);
    layout->addLayout(body, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = NamedButton("确定", "cmdOK", this);
    QPushButton* cancel = NamedButton("取消", "cmdCancel", this);
    QPushButton* apply = NamedButton("应用(&A)", "cmdApply", this);
    for (QPushButton* button : {ok, cancel, apply}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    connect(ok, &QPushButton::clicked, this, [this] { if (actions_.ok) actions_.ok(); });
    connect(cancel, &QPushButton::clicked, this, [this] { if (actions_.cancel) actions_.cancel(); });
    connect(apply, &QPushButton::clicked, this, [this] { if (actions_.apply) actions_.apply(); });
    layout->addLayout(buttons);
    resize(460, 380);
}

QWidget* SettingsDialogWidget::AboutPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* name = new QLabel(QStringLiteral("Ruvo影视盒"));
    name->setStyleSheet(QStringLiteral("font-weight:bold;font-size:14pt"));
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("版本 1.0    发布日期 2011.3.31")));
    auto* frame = new QGroupBox(QStringLiteral("关于"));
    auto* lines = new QVBoxLayout(frame);
    for (const char* line : {"Ruvo影视盒是一款以快播QVOD为核心的", "播放软件。", "软件以搜索引擎的方式整合了互联网上的",
                             "QVOD媒体资源。为用户提供方便快捷的浏", "览体验。"})
        lines->addWidget(new QLabel(QString::fromUtf8(line)));
    layout->addWidget(frame);
    layout->addStretch(1);
    return page;
}

QCheckBox* SettingsDialogWidget::Box(int index, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setObjectName(QStringLiteral("Check1_%1").arg(index));
    boxes_[static_cast<size_t>(index)] = box;
    return box;
}

QWidget* SettingsDialogWidget::OptionsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* playback = new QGroupBox(QStringLiteral("播放设置"));
    auto* inFrame = new QVBoxLayout(playback);
    inFrame->addWidget(Box(0, "保存软件界面大小"));
    inFrame->addWidget(Box(1, "自动缓冲下一集"));
    inFrame->addWidget(Box(2, "自动播放下一集"));
    inFrame->addWidget(Box(3, "记录影片播放进度"));
    inFrame->addWidget(Box(9, "自动跳过片头"));
    inFrame->addWidget(Box(10, "自动跳过片尾"));
    layout->addWidget(playback);
    layout->addWidget(Box(5, "关闭软件最小化到托盘"));
    layout->addWidget(Box(6, "关闭软件同时关闭快播(Qvod)"));
    layout->addWidget(Box(7, "启动软件不启动快播(Qvod)"));
    layout->addWidget(Box(8, "托盘显示气泡提示"));
    layout->addStretch(1);
    return page;
}

QWidget* SettingsDialogWidget::FolderPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* caption = new QLabel(QStringLiteral("设置影片接收下载路径："));
    layout->addWidget(caption);
    auto* row = new QHBoxLayout;
    folder_ = new QLineEdit;
    caption->setBuddy(folder_);  // a screen reader names the field by it
    folder_->setObjectName(QStringLiteral("Text1"));
    QPushButton* browse = NamedButton("浏览", "Command1", page);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this] { if (actions_.browse) actions_.browse(); });
    row->addWidget(folder_, 1);
    row->addWidget(browse);
    layout->addLayout(row);
    layout->addStretch(1);
    return page;
}

void SettingsDialogWidget::SetChecked(int index, bool checked) {
    if (index >= 0 && index < static_cast<int>(boxes_.size()) && boxes_[static_cast<size_t>(index)])
        boxes_[static_cast<size_t>(index)]->setChecked(checked);
}

bool SettingsDialogWidget::IsChecked(int index) const {
    return index >= 0 && index < static_cast<int>(boxes_.size()) && boxes_[static_cast<size_t>(index)] &&
           boxes_[static_cast<size_t>(index)]->isChecked();
}

void SettingsDialogWidget::SetFolderText(const std::string& text) { folder_->setText(QString::fromStdString(text)); }

std::string SettingsDialogWidget::FolderText() const { return folder_->text().toStdString(); }

void SettingsDialogWidget::ShowTab(int index, const std::string& header) {
    const QString focus = QStringLiteral("QLabel:focus{border:2px solid palette(text)}");
    const QString selected = QStringLiteral("QLabel{background:palette(highlight);color:white;padding:6px}") + focus;
    const QString normal = QStringLiteral("QLabel{background:white;color:black;padding:6px}") + focus;
    for (size_t i = 0; i < tabs_.size(); ++i) {
        const bool isSelected = static_cast<int>(i) == index;
        tabs_[i]->setStyleSheet(isSelected ? selected : normal);
        MarkSelected(tabs_[i], isSelected);
    }
    pages_->setCurrentIndex(index);
    header_->setText(QString::fromStdString(header));
}

void SettingsDialogWidget::Show() {
    show();
    raise();
    activateWindow();
}

void SettingsDialogWidget::reject() {
    if (actions_.cancel) actions_.cancel();
    else QDialog::reject();
}

bool SettingsDialogWidget::eventFilter(QObject* watched, QEvent* event) {
    const bool pressed = event->type() == QEvent::KeyPress && ControlKeepsKey(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonRelease || pressed) {
        for (size_t i = 0; i < tabs_.size(); ++i)
            if (watched == tabs_[i] && actions_.tabClicked) actions_.tabClicked(static_cast<int>(i));
    }
    return QDialog::eventFilter(watched, event);
}

std::string SettingsDialogWidget::PlaceOf(const QString& name) const {
    const QWidget* widget = findChild<QWidget*>(name);
    if (!widget || !widget->isVisible()) return {};
    const QPoint at = widget->mapTo(this, QPoint(0, 0));
    return std::to_string(at.x()) + "," + std::to_string(at.y()) + "," + std::to_string(widget->width()) + "," +
           std::to_string(widget->height());
}

}  // namespace ruvo
