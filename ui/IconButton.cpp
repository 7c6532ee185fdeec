#include "IconButton.h"

#include <QToolButton>

#include "Zoom.h"

namespace orlan {

QToolButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        bool autoRaise) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(growingIcon(parent->style()->standardIcon(icon)));
    b->setAutoRaise(autoRaise);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace orlan
