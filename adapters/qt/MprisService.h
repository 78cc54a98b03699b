#pragma once
// The program as a media player on the session bus (MPRIS 2, service
// "org.mpris.MediaPlayer2.ruvo_box"): media keys, headset buttons and the
// desktop's media widget reach the player bar's actions through the
// MediaRemote, and see the state, the title and the times.
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QTimer>
#include <QVariantMap>

#include "playback/MediaRemote.h"

namespace ruvo {

inline constexpr const char* kMprisService = "org.mpris.MediaPlayer2.ruvo_box";

class MprisService;

// org.mpris.MediaPlayer2: who the player is.
class MprisRootAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    MprisRootAdaptor(MprisService* service);
    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const;
    QString DesktopEntry() const { return QStringLiteral("ruvo-box"); }
    QStringList SupportedUriSchemes() const { return {}; }
    QStringList SupportedMimeTypes() const { return {}; }
public slots:
    void Raise();
    void Quit();

private:
    MprisService* service_;
};

// org.mpris.MediaPlayer2.Player: the controls and what plays.
class MprisPlayerAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(double MinimumRate READ MinimumRate)
    Q_PROPERTY(double MaximumRate READ MaximumRate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPlay)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    MprisPlayerAdaptor(MprisService* service);
    QString PlaybackStatus() const;
    double Rate() const;
    void SetRate(double rate);
    double MinimumRate() const;
    double MaximumRate() const;
    QVariantMap Metadata() const;
    double Volume() const;
    void SetVolume(double volume);
    qlonglong Position() const;
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    bool CanPlay() const;
    bool CanSeek() const;
    bool CanControl() const { return true; }
public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& track, qlonglong position);
    void OpenUri(const QString&) {}
signals:
    void Seeked(qlonglong position);

private:
    void Act(void (MediaRemote::*action)());

    MprisService* service_;
};

class MprisService final : public QObject {
    Q_OBJECT
public:
    // Registers on the session bus; without one it does nothing.
    explicit MprisService(MediaRemote& remote);
    bool Registered() const { return registered_; }
    MediaRemote& Remote() { return remote_; }
    // What plays now, as last looked at.
    const MediaStatus& Status() const { return status_; }
    // The track id of what plays: one per loaded address.
    QDBusObjectPath TrackId() const;
    // Looks at the player now and tells the desktop what changed.
    void Refresh();

private:
    void AnnounceChanges(const MediaStatus& before);
    // An item that played to its end is followed by the next episode some
    // two seconds later: in between, the desktop keeps seeing "Playing"
    // (a track change, not a stop and a start).
    void HoldPlayingAcrossTrackChange(const MediaStatus& before);

    MediaRemote& remote_;
    MediaStatus status_;
    QTimer poll_;
    bool registered_ = false;
    MprisPlayerAdaptor* player_ = nullptr;
    QElapsedTimer endedFor_;  // since an item that played to its end stopped
};

}  // namespace ruvo
