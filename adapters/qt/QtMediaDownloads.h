#pragma once
#include <QNetworkAccessManager>
#include <map>

#include "platform/MediaDownloads.h"

namespace ruvo {

// Downloads on Qt's network stack into "<name>.part", renamed when complete
// and noted in the folder's index of the program's own downloads. The folder
// never holds more than kFolderLimit of them (the oldest go first; files not
// in the index are never touched or played), no download grows past
// kFileLimit, and none starts or goes on while the disk has less than
// kFreeSpaceReserve left (the part file goes).
class QtMediaDownloads final : public MediaDownloads {
public:
    static constexpr qint64 kFolderLimit = 2LL << 30;
    static constexpr qint64 kFileLimit = 2LL << 30;
    static constexpr qint64 kFreeSpaceReserve = 512LL << 20;

    bool Start(const std::string& url, const std::string& folder) override;
    std::string CompletedFile(const std::string& url, const std::string& folder) const override;

private:
    void Prune(const std::string& folder) const;
    // Notes a completed download in the folder's index.
    void Remember(const std::string& folder, const std::string& name) const;

    QNetworkAccessManager network_;
    std::map<std::string, QNetworkReply*> active_;  // by final path
};

}  // namespace ruvo
