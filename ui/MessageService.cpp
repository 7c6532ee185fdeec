#include "MessageService.h"

#include <QMessageBox>
#include <QPushButton>

namespace orlan {

bool DialogMessageService::show(const MessageBox& box, QWidget* parent) {
    QMessageBox dialog(parent);
    dialog.setWindowTitle(QString::fromStdString(box.title));
    dialog.setText(QString::fromStdString(box.text));
    switch (box.icon) {
        case MessageIcon::None: dialog.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Stop:
        case MessageIcon::Error: dialog.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Warning:
        case MessageIcon::Exclamation: dialog.setIcon(QMessageBox::Warning); break;
    }
    QPushButton* yes = nullptr;
    if (box.buttons == MessageButtons::YesNo) {
        yes = dialog.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = dialog.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        dialog.setDefaultButton(no);
        dialog.setEscapeButton(no);
    } else {
        QPushButton* ok = dialog.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        dialog.setDefaultButton(ok);
        dialog.setEscapeButton(ok);
    }
    dialog.exec();
    return yes && dialog.clickedButton() == yes;
}

}  // namespace orlan
