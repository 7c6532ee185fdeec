// Answers the window's message boxes from a script and remembers what was shown.
#pragma once

#include <functional>
#include <vector>

#include "MessageService.h"

namespace orlan::test {

struct ScriptedMessages : MessageService {
    std::vector<MessageBox> shown;
    std::vector<QWidget*> parents;  // the window each box was shown over
    bool answerYes = false;
    // Runs while a box is "open" (a modal box runs the event loop too).
    std::function<void(const MessageBox&)> whileShown;

    bool show(const MessageBox& box, QWidget* parent) override {
        shown.push_back(box);
        parents.push_back(parent);
        if (whileShown) whileShown(box);
        return answerYes;
    }
    int count(MessageId id) const {
        int n = 0;
        for (const MessageBox& b : shown) n += b.id == id;
        return n;
    }
};

}  // namespace orlan::test
