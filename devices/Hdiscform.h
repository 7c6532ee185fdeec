// THDiscFrm: the window of the hard disk on port 02h.
#pragma once

#include "StorageForm.h"

namespace orlan {

class THDiscFrm : public StorageForm {
    Q_OBJECT
  public:
    explicit THDiscFrm(MessageService& messages, QWidget* parent = nullptr, Settings settings = Settings());
};

}  // namespace orlan
