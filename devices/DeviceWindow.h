// What every device window does alike: keeping itself on top on request, and showing the bytes
// its device received as they arrive.
#pragma once

#include <QtGlobal>

class QString;
class QWidget;

namespace orlan {

class HexDump;
class HexDumpView;

// Switches the stay-on-top flag of a window. New flags take a window off the screen: it comes
// back where it was if it was shown.
void setStayOnTop(QWidget* window, bool on);

// The fixed-pitch view of a device's hex dump; roomForALine makes it at least as wide as one full
// dump line beside its scroll bar.
HexDumpView* makeDumpView(const HexDump& dump, QWidget* parent, const QString& objectName,
                          bool roomForALine);

}  // namespace orlan
