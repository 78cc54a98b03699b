#pragma once
#include <QNetworkAccessManager>
#include <map>

#include "platform/MediaDownloads.h"

namespace ruvo {

// Downloads on Qt's network stack into "<name>.part", renamed when complete.
// The folder never holds more than kFolderLimit of the program's downloads
// (the oldest go first; other files in it are never touched), no download
// grows past kFileLimit, and none starts when the disk has less than
// kFreeSpaceReserve left.
class QtMediaDownloads final : public MediaDownloads {
public:
    static constexpr qint64 kFolderLimit = 2LL << 30;
    static constexpr qint64 kFileLimit = 2LL << 30;
    static constexpr qint64 kFreeSpaceReserve = 512LL << 20;

    bool Start(const std::string& url, const std::string& folder) override;
    std::string CompletedFile(const std::string& url, const std::string& folder) const override;

private:
    void Prune(const std::string& folder) const;

    QNetworkAccessManager network_;
    std::map<std::string, QNetworkReply*> active_;  // by final path
};

}  // namespace ruvo
