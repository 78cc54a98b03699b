#include "adapters/qt/LinkCapture.h"

#include <QRandomGenerator>
#include <QWebEngineScript>

#include "base/PrivateSchemes.h"

namespace ruvo {

const QString& LinkCapture::Prefix() {
    static const QString prefix = QStringLiteral("\u0001ruvo-%1-").arg(QRandomGenerator::system()->generate64(), 0, 36);
    return prefix;
}

QWebEngineScript LinkCapture::Script() {
    QStringList schemes;
    for (const auto scheme : kPrivateSchemes)
        schemes << QStringLiteral("\"%1://\"").arg(QString::fromLatin1(scheme.data(), static_cast<int>(scheme.size())));
    const QString source = QStringLiteral(R"JS(
(function () {
  if (window.__ruvoLinkCapture) return;
  window.__ruvoLinkCapture = true;
  var prefix = %1, schemes = [%2];
  function hrefOf(event) {
    for (var node = event.target; node; node = node.parentNode)
      if (node.tagName && node.tagName.toLowerCase() === 'a' && node.hasAttribute('href')) return node.getAttribute('href');
    return null;
  }
  function isPrivate(href) {
    for (var i = 0; i < schemes.length; i++) if (href.indexOf(schemes[i]) === 0) return true;
    return false;
  }
  document.addEventListener('click', function (event) {
    var href = hrefOf(event);
    if (href === null || !isPrivate(href)) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    if (href.length > %3) return;  // no link of the portal is that long
    console.log(prefix + 'link:' + location.href + '\n' + href);  // where it was clicked, and what
  }, true);
  // Whether a text field has the focus: its keys are then the field's, not shortcuts.
  function editable(node) {
    if (!node || !node.tagName) return false;
    if (node.isContentEditable) return true;
    var tag = node.tagName.toLowerCase();
    if (tag === 'textarea' || tag === 'select') return true;
    if (tag !== 'input') return false;
    var type = (node.getAttribute('type') || 'text').toLowerCase();
    return ['button', 'checkbox', 'radio', 'submit', 'reset', 'image', 'range', 'color', 'file'].indexOf(type) < 0;
  }
  document.addEventListener('focusin', function (event) {
    console.log(prefix + 'edit:' + (editable(event.target) ? '1' : '0'));
  }, true);
  document.addEventListener('focusout', function () { console.log(prefix + 'edit:0'); }, true);
  // A frame of another site may navigate the page around it once the user
  // has pressed a key or button in it: the program hears of each such input
  // (on the window, first of all listeners, so the frame cannot hide one).
  if (window !== window.top) {
    ['pointerdown', 'mousedown', 'pointerup', 'touchend', 'keydown'].forEach(function (type) {
      window.addEventListener(type, function (event) {
        if (event.isTrusted) console.log(prefix + 'input:' + self.origin + '\n' + location.href);
      }, true);
    });
  }
  document.addEventListener('contextmenu', function (event) {
    var href = hrefOf(event);
    console.log(prefix + 'menu:' + (href === null ? '' : href));
  }, true);
})();
)JS")
                               .arg(QStringLiteral("\"%1\"").arg(Prefix()), schemes.join(','))
                               .arg(kLongestPrivateLink);
    QWebEngineScript script;
    script.setName(QStringLiteral("ruvo-link-capture"));
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

LinkCapture::Kind LinkCapture::Parse(const QString& message, QString& link) {
    if (!message.startsWith(Prefix())) return Kind::None;
    const QString rest = message.mid(Prefix().size());
    if (rest.startsWith(QLatin1String("link:"))) {
        link = rest.mid(5);
        return Kind::Click;
    }
    if (rest.startsWith(QLatin1String("edit:"))) {
        link = rest.mid(5);
        return Kind::Editing;
    }
    if (rest.startsWith(QLatin1String("input:"))) {
        link = rest.mid(6);
        return Kind::FrameInput;
    }
    if (rest.startsWith(QLatin1String("menu:"))) {
        link = rest.mid(5);
        return Kind::ContextMenu;
    }
    return Kind::None;
}

}  // namespace ruvo
