// The toolkit's own texts in the interface's language, and where the
// open-file dialog starts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/qt/QtDialogs.h"
#include "platform/qt/ToolkitTranslations.h"

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

}  // namespace
}  // namespace ruvo
