#pragma once
// The installed demo portal, started by the program when it uses the
// built-in portal address and nothing answers there, so that a first start
// shows the demo rather than a page that failed to load. The portal runs as
// a child process that ends with the program; the sample media it serves is
// made once into the user's cache folder.
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

    // True when something accepts a connection at `port` on loopback.
    static bool Answers(quint16 port);

    // Starts the portal on `port`; true once it listens. False when it is
    // not installed, not trusted (others may change it), or does not start.
    bool Start(quint16 port);

    // Makes the media the portal serves, in the background, at a low
    // priority: progress(done, total) after each clip made, then finished(ok).
    void MakeMedia(std::function<void(int done, int total)> progress, std::function<void(bool ok)> finished);

private:
    QString Helper(const QString& name) const;  // its path, or empty when none may be run
    void ReadMakerOutput();

    QString executableFolder_;
    QString mediaFolder_;
    QString server_;
    QProcess portal_;
    QProcess maker_;
    int clipsToMake_ = 0;
    int clipsMade_ = 0;
    std::function<void(int, int)> progress_;
};

}  // namespace ruvo
