// What every device window does alike: keeping itself on top on request, and showing the bytes
// its device received as they arrive.
#pragma once

#include <QtGlobal>

class QAbstractScrollArea;
class QPlainTextEdit;
class QString;
class QTextDocument;
class QWidget;

namespace orlan {

class HexDump;

// Switches the stay-on-top flag of a window. New flags take a window off the screen: it comes
// back where it was if it was shown.
void setStayOnTop(QWidget* window, bool on);

// The read-only, fixed-pitch view of a device's hex dump; roomForALine makes it at least as wide
// as one full dump line beside its scroll bar.
QPlainTextEdit* makeDumpView(QWidget* parent, const QString& objectName, bool roomForALine);

// Appends to a dump's view what the dump gained since shownBytes, moves shownBytes on, and
// scrolls the view to its end. Nothing happens when nothing arrived.
void appendDumpTail(QTextDocument* document, QAbstractScrollArea* view, const HexDump& dump,
                    qsizetype& shownBytes);

}  // namespace orlan
