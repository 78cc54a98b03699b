#include "platform/qt/QtMediaDownloads.h"

#include <QDir>
#include <QFile>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QStorageInfo>

#include "platform/FileSystem.h"
#include "playback/PlayerFolder.h"

namespace ruvo {
namespace {

// Only files named the way this program names its downloads.
bool IsOurDownload(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{16}-"));
    return pattern.match(name).hasMatch() && !name.endsWith(QLatin1String(".part"));
}

}  // namespace

std::string QtMediaDownloads::CompletedFile(const std::string& url, const std::string& folder) const {
    if (folder.empty()) return {};
    const std::string path = JoinPath(folder, DownloadFileName(url));
    return active_.count(path) == 0 && PathExists(path) ? path : std::string();
}

void QtMediaDownloads::Prune(const std::string& folder) const {
    QDir dir(QString::fromStdString(folder));
    qint64 total = 0;
    QFileInfoList ours;
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed)) {  // oldest first
        if (!IsOurDownload(file.fileName())) continue;
        ours << file;
        total += file.size();
    }
    for (const QFileInfo& file : ours) {
        if (total <= kFolderLimit) break;
        if (QFile::remove(file.absoluteFilePath())) total -= file.size();
    }
}

bool QtMediaDownloads::Start(const std::string& url, const std::string& folder) {
    const QUrl address(QString::fromStdString(url));
    if (folder.empty() || !address.isValid() ||
        (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https")))
        return false;
    const std::string path = JoinPath(folder, DownloadFileName(url));
    if (active_.count(path) || PathExists(path)) return true;  // coming or there already
    if (!MakeFolders(folder) || !IsWritableFolder(folder)) return false;
    Prune(folder);
    if (QStorageInfo(QString::fromStdString(folder)).bytesAvailable() < kFreeSpaceReserve) return false;

    const QString finalPath = QString::fromStdString(path);
    auto* part = new QFile(finalPath + QStringLiteral(".part"));
    if (!part->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        delete part;
        return false;
    }
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_.get(request);
    part->setParent(reply);
    active_[path] = reply;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, part] {
        const QByteArray chunk = reply->readAll();
        if (part->write(chunk) != chunk.size() || part->size() > kFileLimit) reply->abort();  // disk full or too big
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, part, path, finalPath] {
        part->write(reply->readAll());
        const bool complete = reply->error() == QNetworkReply::NoError && part->flush();
        part->close();
        if (complete) QFile::rename(part->fileName(), finalPath);
        else part->remove();  // a download that failed half-way leaves nothing behind
        active_.erase(path);
        reply->deleteLater();
    });
    return true;
}

}  // namespace ruvo
