#include "Hdiscform.h"

namespace orlan {

THDiscFrm::THDiscFrm(MessageService& messages, QWidget* parent, Settings settings)
    : StorageForm(kHardDiskProfile, "HDiscFrm",
                  QT_TRANSLATE_NOOP("orlan::StorageForm", "Жёсткий диск ОРЛАН"), "HDiscBuffer",
                  messages, std::move(settings), parent) {}

}  // namespace orlan
