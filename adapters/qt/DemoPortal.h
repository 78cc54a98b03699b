#pragma once
// The installed demo portal, started by the program when no portal is set,
// so that a first start shows the demo rather than a page that failed to
// load. The portal runs as a child process that ends with the program; the
// sample media it serves is made once into the user's cache folder.
#include <functional>

#include <QObject>
#include <QProcess>
#include <QString>

namespace ruvo {

class DemoPortal : public QObject {
    Q_OBJECT
public:
    // The portal and its media maker are looked for beside the executable
    // (a build folder's "demo/") and in the installed helper folder.
    DemoPortal(const QString& executableFolder, const QString& mediaFolder);
    ~DemoPortal() override;  // ends the portal and the media maker

    // Starts the portal on loopback at `preferredPort`, or on a free port when
    // that one is taken; true once it listens. False when it is not
    // installed, not trusted (others may change it), or does not start.
    bool Start(quint16 preferredPort);
    // Its base address ("http://127.0.0.1:8790/box/") once started.
    const QString& Address() const { return address_; }

    // Makes the media the portal serves, in the background, at a low
    // priority: progress(done, total) after each clip made, then finished(ok).
    void MakeMedia(std::function<void(int done, int total)> progress, std::function<void(bool ok)> finished);

private:
    QString Helper(const QString& name) const;  // its path, or empty when none may be run
    QString StartOn(quint16 port);               // its address, or empty when it does not listen
    void ReadMakerOutput();

    QString executableFolder_;
    QString mediaFolder_;
    QString server_;
    QString address_;
    QProcess portal_;
    QProcess maker_;
    int clipsToMake_ = 0;
    int clipsMade_ = 0;
    std::function<void(int, int)> progress_;
};

}  // namespace ruvo
