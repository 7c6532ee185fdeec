#include "MessageService.h"

#include <QMessageBox>
#include <QPushButton>
#include <string>

#include "Translations.h"

namespace orlan {

QString messageTitle(const MessageBox& box) {
    return translated("Messages", messageTemplate(box.id).title);
}

QString messageText(const MessageBox& box) {
    const std::string text = translated("Messages", messageTemplate(box.id).text).toStdString();
    QString shown = QString::fromStdString(fillArguments(text, box.arg1, box.arg2));
    if (box.runStopped) shown += QLatin1Char('\n') + translated("Messages", kRunStoppedLine);
    return shown;
}

bool DialogMessageService::show(const MessageBox& box, QWidget* parent) {
    QMessageBox dialog(parent);
    dialog.setWindowTitle(messageTitle(box));
    dialog.setText(messageText(box));
    switch (box.icon) {
        case MessageIcon::None: dialog.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Stop:
        case MessageIcon::Error: dialog.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Warning:
        case MessageIcon::Exclamation: dialog.setIcon(QMessageBox::Warning); break;
    }
    QPushButton* yes = nullptr;
    if (box.buttons == MessageButtons::YesNo) {
        yes = dialog.addButton(tr("Да"), QMessageBox::YesRole);
        QPushButton* no = dialog.addButton(tr("Нет"), QMessageBox::NoRole);
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
