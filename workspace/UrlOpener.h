// Opening web links (and local files) with the desktop, behind a seam so tests can see what the
// program asked to open without a browser starting.
#pragma once

#include <QUrl>

namespace orlan {

class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    // Returns false when the desktop could not open it.
    virtual bool open(const QUrl& url) = 0;
};

// The desktop's own handler (the browser for web links).
class DesktopUrlOpener : public UrlOpener {
  public:
    bool open(const QUrl& url) override;
};

}  // namespace orlan
