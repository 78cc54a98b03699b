#pragma once
// The toolkit's own texts (the buttons of message boxes, the file and folder
// dialogs, the context menus of text fields) in Chinese, as the rest of the
// interface is, whatever the desktop's language.

namespace ruvo {

// Installs Qt's Chinese translations (Debian's qt6-translations-l10n) into
// the running application; false when they are not installed, and the
// toolkit's texts stay English.
bool LoadToolkitTranslations();

}  // namespace ruvo
