// Every message box of the program goes through one MessageService, so the window shows the
// system's titles, texts, icons and buttons, and tests can answer the boxes from a script.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "Messages.h"

class QWidget;

namespace orlan {

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box modally; returns true when the user answered "Да".
    virtual bool show(const MessageBox& box, QWidget* parent) = 0;
};

// Real message boxes, in the program's language.
class DialogMessageService : public MessageService {
    Q_DECLARE_TR_FUNCTIONS(DialogMessageService)
public:
    bool show(const MessageBox& box, QWidget* parent) override;
};

// The box's title and text in the current language: the template is translated first, then its
// "%1"/"%2" get the box's arguments (file names and the like are never looked up).
QString messageTitle(const MessageBox& box);
QString messageText(const MessageBox& box);

}  // namespace orlan
