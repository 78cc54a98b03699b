#include "adapters/qt/WebProfile.h"

#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include "base/PrivateSchemes.h"
#include "adapters/qt/LinkCapture.h"
#include "adapters/qt/LocalFilesGuard.h"

namespace ruvo {
namespace {

// Without a handler the engine blocks the scheme before the navigation
// request reaches the page; with this one, anything that gets this far fails.
class RefusingSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob* job) override { job->fail(QWebEngineUrlRequestJob::RequestDenied); }
};

QByteArray SchemeName(std::string_view scheme) { return QByteArray(scheme.data(), static_cast<int>(scheme.size())); }

}  // namespace

void RegisterPrivateSchemes() {
    for (const auto scheme : kPrivateSchemes) {
        QWebEngineUrlScheme definition(SchemeName(scheme));
        definition.setSyntax(QWebEngineUrlScheme::Syntax::Path);  // never adds a trailing "/"
        QWebEngineUrlScheme::registerScheme(definition);
    }
}

QWebEngineProfile* CreateSharedProfile(const QString& programFolder, QObject* parent) {
    auto* profile = new QWebEngineProfile(QStringLiteral("RuvoBox"), parent);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    auto* handler = new RefusingSchemeHandler(profile);
    for (const auto scheme : kPrivateSchemes) profile->installUrlSchemeHandler(SchemeName(scheme), handler);
    QWebEngineSettings* settings = profile->settings();
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    // The list pages are local files: they must not reach other sites (nor,
    // through the guard, other local files); they show their own rows.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    profile->setUrlRequestInterceptor(new LocalFilesGuard(programFolder, profile));
    profile->scripts()->insert(LinkCapture::Script());
    return profile;
}

}  // namespace ruvo
