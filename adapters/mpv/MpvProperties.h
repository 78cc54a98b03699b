#pragma once
// The libmpv properties the player watches, named once.

namespace ruvo::mpvprop {

inline constexpr const char* kTimePos = "time-pos";
inline constexpr const char* kDuration = "duration";
inline constexpr const char* kPause = "pause";
inline constexpr const char* kPausedForCache = "paused-for-cache";
inline constexpr const char* kEofReached = "eof-reached";
inline constexpr const char* kIdleActive = "idle-active";
inline constexpr const char* kCacheSpeed = "cache-speed";              // bytes a second
inline constexpr const char* kDemuxerCacheState = "demuxer-cache-state";  // map: cache-end, eof ...
inline constexpr const char* kVideoBitrate = "video-bitrate";          // bits a second
inline constexpr const char* kAudioBitrate = "audio-bitrate";
inline constexpr const char* kVolume = "volume";
inline constexpr const char* kMute = "mute";
inline constexpr const char* kTrackList = "track-list";  // node: the item's tracks
inline constexpr const char* kSpeed = "speed";
inline constexpr const char* kSubDelay = "sub-delay";   // seconds

// Reply ids of observed properties: their index in this list.
inline constexpr const char* kObserved[] = {kTimePos,        kDuration,     kPause,        kPausedForCache,
                                            kEofReached,     kIdleActive,   kCacheSpeed,   kDemuxerCacheState,
                                            kVideoBitrate,   kAudioBitrate, kVolume,       kMute,
                                            kTrackList,      kSpeed,        kSubDelay};

}  // namespace ruvo::mpvprop
