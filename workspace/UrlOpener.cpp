#include "UrlOpener.h"

#include <QDesktopServices>

namespace orlan {

bool DesktopUrlOpener::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace orlan
