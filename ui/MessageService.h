// Every message box of the program goes through one MessageService, so the window shows the
// system's titles, texts, icons and buttons, and tests can answer the boxes from a script.
#pragma once

#include <QString>

#include "messages.h"

class QWidget;

namespace orlan {

class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows the box modally; returns true when the user answered "Да".
    virtual bool show(const MessageBox& box, QWidget* parent) = 0;
};

// Real message boxes.
class DialogMessageService : public MessageService {
public:
    bool show(const MessageBox& box, QWidget* parent) override;
};

}  // namespace orlan
