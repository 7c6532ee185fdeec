#include "Hdiscform.h"

namespace orlan {

THDiscFrm::THDiscFrm(MessageService& messages, QWidget* parent, Settings settings)
    : StorageForm(kHardDiskProfile, "HDiscFrm", QStringLiteral("Жёсткий диск ОРЛАН"), "HDiscBuffer", messages,
                  std::move(settings), parent) {}

}  // namespace orlan
