// The toolkit's own texts in the interface's language, and where the
// open-file dialog starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "fakes/Fakes.h"
#include "adapters/qt/FileDialogDates.h"
#include "adapters/qt/QtDialogs.h"
#include "adapters/qt/ToolkitTranslations.h"

namespace ruvo {
namespace {

TEST(ToolkitTexts, MessageBoxButtonsSpeakChinese) {
    ASSERT_TRUE(LoadToolkitTranslations()) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
}

TEST(ToolkitTexts, TheFileDialogStartsInTheLastFolderElseVideosElseHome) {
    QTemporaryDir home;
    const QString videos = home.filePath(QStringLiteral("视频"));
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral(".config"))) && QDir().mkpath(videos));
    QFile userDirs(home.filePath(QStringLiteral(".config/user-dirs.dirs")));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_VIDEOS_DIR=\"$HOME/视频\"\n");
    userDirs.close();
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());

    EXPECT_EQ(FileDialogStartFolder(QString()), videos);
    const QString last = home.filePath(QStringLiteral("films"));
    ASSERT_TRUE(QDir().mkpath(last));
    EXPECT_EQ(FileDialogStartFolder(last), last);
    ASSERT_TRUE(QDir(last).removeRecursively());
    EXPECT_EQ(FileDialogStartFolder(last), videos);  // gone since: the Videos folder again
    ASSERT_TRUE(QDir(videos).removeRecursively());
    EXPECT_EQ(FileDialogStartFolder(QString()), home.path());
}

// The file dialog's type column: a folder and a film as a Chinese desktop
// names them, whatever the desktop's language.
TEST(ToolkitTexts, TheFileDialogNamesFoldersAndFileTypesInChinese) {
    ASSERT_TRUE(LoadToolkitTranslations());
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("电影")));
    QFile film(root.filePath(QStringLiteral("a.mp4")));
    ASSERT_TRUE(film.open(QIODevice::WriteOnly));
    film.close();
    QFileSystemModel model;
    model.setRootPath(root.path());
    const auto typeOf = [&](const QString& name) {
        const QModelIndex at = model.index(root.filePath(name));
        return model.data(model.index(at.row(), 2, at.parent())).toString();
    };
    QElapsedTimer clock;
    clock.start();
    while ((typeOf(QStringLiteral("电影")).isEmpty() || typeOf(QStringLiteral("a.mp4")).isEmpty()) && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(typeOf(QStringLiteral("电影")), QStringLiteral("文件夹"));
    EXPECT_TRUE(typeOf(QStringLiteral("a.mp4")).contains(QStringLiteral("视频"))) << typeOf(QStringLiteral("a.mp4")).toStdString();
    // The dates as the dialog shows them through its proxy: Chinese whatever the desktop's language.
    FileDialogDates dates;
    dates.setSourceModel(&model);
    const QModelIndex folder = dates.mapFromSource(model.index(root.filePath(QStringLiteral("电影"))));
    const QString date = dates.data(dates.index(folder.row(), 3, folder.parent()), Qt::DisplayRole).toString();
    EXPECT_TRUE(date.startsWith(QString::number(QDate::currentDate().year()) + QLatin1Char('/'))) << date.toStdString();
}

// The address dialog shows an address whole, not a fifth of it.
TEST(ToolkitTexts, TheAddressDialogIsWideEnoughForAnAddress) {
    QtDialogs dialogs;
    int width = 0;
    QTimer::singleShot(300, [&width] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            width = dialog->width();
            dialog->close();
        }
    });
    EXPECT_EQ(dialogs.AskText("视频网址(http:// 或 https://)：", "打开网址"), "");  // closed: cancelled
    EXPECT_GE(width, 480);
}

// Without xdg-open or any browser, "官方主页" and "管理下载文件" say what to install.
TEST(ToolkitTexts, WithoutAnOpenerANoticeSaysWhatToInstall) {
    QTemporaryDir emptyPath;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    for (const char* variable : {"BROWSER", "DEFAULT_BROWSER"}) qunsetenv(variable);
    test::FakeDialogs dialogs;
    QtShell shell(dialogs);
    EXPECT_FALSE(shell.OpenFolder(emptyPath.path().toStdString()));
    qputenv("PATH", path);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].text.find("xdg-utils"), std::string::npos);
}

}  // namespace
}  // namespace ruvo
