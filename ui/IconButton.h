// The small picture buttons of the main window and the device windows.
#pragma once

#include <QStyle>

class QToolButton;
class QWidget;

namespace orlan {

// A tool button showing one of the style's standard pictures: named (objectName) for the tests,
// never taking the keyboard focus, its picture growing with the zoom (growingIcon).
QToolButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        bool autoRaise = true);

}  // namespace orlan
