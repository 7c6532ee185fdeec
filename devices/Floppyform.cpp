#include "Floppyform.h"

namespace orlan {

TFloppyFrm::TFloppyFrm(MessageService& messages, QWidget* parent, Settings settings)
    : StorageForm(kFloppyProfile, "FloppyFrm",
                  QT_TRANSLATE_NOOP("orlan::StorageForm", "Дисковод ОРЛАН"), "FloppyBuffer",
                  messages, std::move(settings), parent) {}

}  // namespace orlan
