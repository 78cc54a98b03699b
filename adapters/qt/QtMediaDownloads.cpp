#include "adapters/qt/QtMediaDownloads.h"

#include <QDir>
#include <QFile>
#include <QNetworkReply>
#include <QStorageInfo>
#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <utility>
#include <set>

#include "base/SplitText.h"
#include "config/FileSystem.h"
#include "config/PlayerFolder.h"

namespace ruvo {
namespace {

// The names of the downloads this program completed in a folder, one a
// line: only those are ever played from it or deleted from it (a user's own
// file may look like one of ours).
constexpr const char* kIndexFile = ".ruvo-downloads";
// How often a running download looks at the free space.
constexpr qint64 kSpaceCheckBytes = 8LL << 20;

std::set<std::string> ReadIndex(const std::string& folder) {
    std::set<std::string> names;
    const auto text = ReadWholeFile(JoinPath(folder, kIndexFile), 1 << 20);
    if (!text) return names;
    for (const auto& line : SplitText(*text, "\n"))
        if (!line.empty() && line.find('/') == std::string::npos) names.insert(line);
    return names;
}

void WriteIndex(const std::string& folder, const std::set<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += name + "\n";
    ReplaceFileAtomically(JoinPath(folder, kIndexFile), text);
}

// The part file, made new: never through a link someone put in its place,
// never into a file that is there already.
int CreatePartFile(const std::string& path) {
    ::unlink(path.c_str());  // a part file a crash left (or a link in its place)
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

// Bytes the folder's disk may still take before its free space falls below
// the reserve (negative when it is below already).
qint64 Headroom(const std::string& folder) {
    return QStorageInfo(QString::fromStdString(folder)).bytesAvailable() - QtMediaDownloads::kFreeSpaceReserve;
}

// How large the part file may grow: the free space is measured again every
// few megabytes, and no chunk is written that would take the disk below the
// reserve, however large the chunk the network hands over at once.
class SpaceBudget {
public:
    SpaceBudget(std::string folder, qint64 written) : folder_(std::move(folder)) { Measure(written); }

    // True when `bytes` more may be written to a file of `written` bytes,
    // which has been handed to the kernel (flushed).
    bool Allows(qint64 written, qint64 bytes) {
        if (written - measuredAt_ >= kSpaceCheckBytes || written + bytes > limit_) Measure(written);
        return written + bytes <= limit_;
    }

private:
    void Measure(qint64 written) {
        measuredAt_ = written;
        limit_ = written + Headroom(folder_);
    }
    std::string folder_;
    qint64 measuredAt_ = 0;
    qint64 limit_ = 0;
};

// Writes the reply's waiting bytes to the part file; false when they do not
// fit the budget or the disk.
bool WriteWithin(QNetworkReply* reply, QFile* part, SpaceBudget& budget) {
    const QByteArray chunk = reply->readAll();
    if (chunk.isEmpty()) return true;
    if (!part->flush() || part->size() + chunk.size() > QtMediaDownloads::kFileLimit ||
        !budget.Allows(part->size(), chunk.size()))
        return false;
    return part->write(chunk) == chunk.size();
}

}  // namespace

std::string QtMediaDownloads::CompletedFile(const std::string& url, const std::string& folder) const {
    if (folder.empty()) return {};
    const std::string name = DownloadFileName(url);
    const std::string path = JoinPath(folder, name);
    if (active_.count(path) != 0 || !PathExists(path) || ReadIndex(folder).count(name) == 0) return {};
    return path;
}

void QtMediaDownloads::Prune(const std::string& folder) const {
    std::set<std::string> index = ReadIndex(folder);
    QDir dir(QString::fromStdString(folder));
    qint64 total = 0;
    QFileInfoList ours;
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed)) {  // oldest first
        if (index.count(file.fileName().toStdString()) == 0) continue;
        ours << file;
        total += file.size();
    }
    for (const QFileInfo& file : ours) {
        if (total <= kFolderLimit) break;
        if (!QFile::remove(file.absoluteFilePath())) continue;
        total -= file.size();
        index.erase(file.fileName().toStdString());
    }
    WriteIndex(folder, index);
}

void QtMediaDownloads::Remember(const std::string& folder, const std::string& name) const {
    std::set<std::string> index = ReadIndex(folder);
    index.insert(name);
    WriteIndex(folder, index);
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
    if (Headroom(folder) <= 0) return false;

    const QString finalPath = QString::fromStdString(path);
    const int fd = CreatePartFile(path + ".part");
    if (fd < 0) return false;
    auto* part = new QFile;
    if (!part->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        delete part;
        return false;
    }
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network_.get(request);
    part->setParent(reply);
    active_[path] = reply;
    // The reserve holds while it downloads, not only when it starts.
    auto budget = std::make_shared<SpaceBudget>(folder, 0);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, part, budget] {
        if (!WriteWithin(reply, part, *budget)) reply->abort();  // too big, or the disk is (nearly) full
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, part, path, finalPath, folder, budget] {
        const bool written = WriteWithin(reply, part, *budget);
        const bool complete = written && reply->error() == QNetworkReply::NoError && part->flush();
        part->close();
        // (A file opened from its descriptor has no name of its own.)
        const QString partPath = finalPath + QStringLiteral(".part");
        if (complete && QFile::rename(partPath, finalPath))
            Remember(folder, finalPath.mid(finalPath.lastIndexOf(QLatin1Char('/')) + 1).toStdString());
        else QFile::remove(partPath);  // a download that failed half-way leaves nothing behind
        active_.erase(path);
        reply->deleteLater();
    });
    return true;
}

}  // namespace ruvo
