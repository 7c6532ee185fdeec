#include "Floppyform.h"

namespace orlan {

TFloppyFrm::TFloppyFrm(MessageService& messages, QWidget* parent, Settings settings)
    : StorageForm(kFloppyProfile, "FloppyFrm", QStringLiteral("Дисковод ОРЛАН"), "FloppyBuffer", messages,
                  std::move(settings), parent) {}

}  // namespace orlan
