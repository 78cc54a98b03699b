#pragma once
// The one web profile all panes share: named and persistent, so logins and
// cookies survive a restart.

class QObject;
class QString;
class QWebEngineProfile;

namespace ruvo {

// Registers the private link schemes with the engine. Must run before the
// application object exists.
void RegisterPrivateSchemes();

// Creates the shared profile, with a handler that refuses to load any private
// link (the panes' handlers act on them before that); of the local files only
// the program folder's list pages and their picture load.
QWebEngineProfile* CreateSharedProfile(const QString& programFolder, QObject* parent);

}  // namespace ruvo
