// TFloppyFrm: the window of the floppy drive on port 01h.
#pragma once

#include "StorageForm.h"

namespace orlan {

class TFloppyFrm : public StorageForm {
    Q_OBJECT
  public:
    explicit TFloppyFrm(MessageService& messages, QWidget* parent = nullptr, Settings settings = Settings());
};

}  // namespace orlan
