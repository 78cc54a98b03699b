#pragma once
// Downloads of media ahead of playing them, into a folder on disk.
#include <string>

namespace ruvo {

class MediaDownloads {
public:
    virtual ~MediaDownloads() = default;
    // Starts downloading `url` (http or https) into `folder` in the
    // background, unless it is being downloaded or is there already (then
    // nothing new starts). The file shows under its final name only once
    // complete. False when it is neither there nor coming (a bad address, a
    // folder that cannot be written, no room within the limits).
    virtual bool Start(const std::string& url, const std::string& folder) = 0;
    // The complete download of `url` in `folder`, or "" when there is none.
    virtual std::string CompletedFile(const std::string& url, const std::string& folder) const = 0;
};

}  // namespace ruvo
