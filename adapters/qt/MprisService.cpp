#include "adapters/qt/MprisService.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusMessage>

#include "base/BidiControls.h"
#include "playback/PlaybackSpeed.h"

namespace ruvo {
namespace {

constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
constexpr int kPollMs = 1000;  // the player bar's own status tick
// The gap between two episodes is the end-of-play timer's 2 s and the load.
constexpr qint64 kTrackChangeMs = 4000;
// Stopped this close to its end, an item played to its end.
constexpr int64_t kEndMarginUs = 3'000'000;

}  // namespace

MprisRootAdaptor::MprisRootAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}
QString MprisRootAdaptor::Identity() const { return QStringLiteral("Ruvo影视盒"); }
void MprisRootAdaptor::Raise() { service_->Remote().Raise(); }
void MprisRootAdaptor::Quit() { service_->Remote().Quit(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const { return QString::fromStdString(service_->Status().playback); }
double MprisPlayerAdaptor::Volume() const { return service_->Status().volume; }
qlonglong MprisPlayerAdaptor::Position() const { return service_->Remote().Status().positionUs; }
bool MprisPlayerAdaptor::CanGoNext() const { return service_->Status().canGoNext; }
bool MprisPlayerAdaptor::CanGoPrevious() const { return service_->Status().canGoPrevious; }
bool MprisPlayerAdaptor::CanPlay() const { return service_->Status().canPlay; }
bool MprisPlayerAdaptor::CanSeek() const { return service_->Status().canSeek; }

QVariantMap MprisPlayerAdaptor::Metadata() const {
    const MediaStatus& status = service_->Status();
    QVariantMap metadata;
    if (!status.canPlay) return metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(service_->TrackId()));
    if (status.lengthUs > 0) metadata.insert(QStringLiteral("mpris:length"), qlonglong(status.lengthUs));
    metadata.insert(QStringLiteral("xesam:title"), QString::fromStdString(ShownText(status.title)));
    if (!status.url.empty()) metadata.insert(QStringLiteral("xesam:url"), QString::fromStdString(status.url));
    return metadata;
}

void MprisPlayerAdaptor::Act(void (MediaRemote::*action)()) {
    (service_->Remote().*action)();
    service_->Refresh();  // the desktop sees the new state at once
}

double MprisPlayerAdaptor::Rate() const { return service_->Status().rate; }
double MprisPlayerAdaptor::MinimumRate() const { return kSlowestSpeed; }
double MprisPlayerAdaptor::MaximumRate() const { return kFastestSpeed; }

void MprisPlayerAdaptor::SetRate(double rate) {
    service_->Remote().SetRate(rate);
    service_->Refresh();
}

void MprisPlayerAdaptor::SetVolume(double volume) {
    service_->Remote().SetVolume(volume);
    service_->Refresh();
}

void MprisPlayerAdaptor::Next() { Act(&MediaRemote::Next); }

void MprisPlayerAdaptor::Previous() { Act(&MediaRemote::Previous); }

void MprisPlayerAdaptor::Pause() { Act(&MediaRemote::Pause); }

void MprisPlayerAdaptor::PlayPause() { Act(&MediaRemote::PlayPause); }

void MprisPlayerAdaptor::Stop() { Act(&MediaRemote::Stop); }

void MprisPlayerAdaptor::Play() { Act(&MediaRemote::Play); }

void MprisPlayerAdaptor::Seek(qlonglong offset) {
    service_->Remote().SeekBy(offset);
    emit Seeked(Position());
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& track, qlonglong position) {
    if (track != service_->TrackId()) return;  // a stale request for another item
    service_->Remote().SeekTo(position);
    emit Seeked(Position());
}

MprisService::MprisService(MediaRemote& remote) : remote_(remote) {
    new MprisRootAdaptor(this);
    player_ = new MprisPlayerAdaptor(this);
    QDBusConnection bus = QDBusConnection::sessionBus();
    registered_ = bus.isConnected() && bus.registerObject(QString::fromLatin1(kObjectPath), this) &&
                  bus.registerService(QString::fromLatin1(kMprisService));
    if (!registered_) return;
    status_ = remote_.Status();
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &MprisService::Refresh);
    poll_.start();
}

QDBusObjectPath MprisService::TrackId() const {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(status_.url + status_.title), QCryptographicHash::Md5);
    return QDBusObjectPath(QStringLiteral("/org/ruvo/track/t") + QString::fromLatin1(digest.toHex()));
}

void MprisService::Refresh() {
    const MediaStatus before = status_;
    status_ = remote_.Status();
    HoldPlayingAcrossTrackChange(before);
    AnnounceChanges(before);
}

void MprisService::HoldPlayingAcrossTrackChange(const MediaStatus& before) {
    if (status_.playback != "Stopped") {
        endedFor_.invalidate();
        return;
    }
    const bool playedToTheEnd = before.playback == "Playing" && before.lengthUs > 0 &&
                                before.positionUs >= before.lengthUs - kEndMarginUs;
    if (playedToTheEnd && !endedFor_.isValid()) endedFor_.start();
    if (endedFor_.isValid() && endedFor_.elapsed() < kTrackChangeMs) status_.playback = "Playing";
}

void MprisService::AnnounceChanges(const MediaStatus& before) {
    if (!registered_) return;
    QVariantMap changed;
    if (before.playback != status_.playback)
        changed.insert(QStringLiteral("PlaybackStatus"), QString::fromStdString(status_.playback));
    if (before.title != status_.title || before.url != status_.url || before.lengthUs != status_.lengthUs ||
        before.canPlay != status_.canPlay)
        changed.insert(QStringLiteral("Metadata"), player_->Metadata());
    if (before.volume != status_.volume) changed.insert(QStringLiteral("Volume"), status_.volume);
    if (before.rate != status_.rate) changed.insert(QStringLiteral("Rate"), status_.rate);
    if (before.canGoNext != status_.canGoNext) changed.insert(QStringLiteral("CanGoNext"), status_.canGoNext);
    if (before.canGoPrevious != status_.canGoPrevious)
        changed.insert(QStringLiteral("CanGoPrevious"), status_.canGoPrevious);
    if (before.canPlay != status_.canPlay) {
        changed.insert(QStringLiteral("CanPlay"), status_.canPlay);
        changed.insert(QStringLiteral("CanPause"), status_.canPlay);
    }
    if (before.canSeek != status_.canSeek) changed.insert(QStringLiteral("CanSeek"), status_.canSeek);
    if (changed.isEmpty()) return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

}  // namespace ruvo
