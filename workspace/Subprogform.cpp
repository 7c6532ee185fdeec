#include "Subprogform.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "Notation.h"

namespace orlan {

namespace {

QFont dialogFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

QLineEdit* cellField(QWidget* parent, const char* name, const QString& text) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(4);
    QFont f(QStringLiteral("DejaVu Sans Mono"));
    f.setPixelSize(13);
    f.setBold(true);
    field->setFont(f);
    return field;
}

uint16_t cellOf(const QLineEdit* field) {
    return static_cast<uint16_t>(parseHex(field->text().toStdString()).value_or(0));
}

}  // namespace

TSubProgFrm::TSubProgFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SubProgFrm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    setFont(dialogFont());
    setFixedSize(260, 124);

    label3_ = new QLabel(this);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setGeometry(12, 10, 244, 16);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(12, 38, 120, 16);
    fromEd_ = cellField(this, "From_Ed", QStringLiteral("0000"));
    fromEd_->setGeometry(140, 34, 60, 24);

    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(12, 66, 120, 16);
    toEd_ = cellField(this, "To_Ed", QStringLiteral("FFFF"));
    toEd_->setGeometry(140, 62, 60, 24);

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("OK_BTN"));
    ok_->setGeometry(40, 94, 80, 24);
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Cancel_BTN"));
    cancel_->setGeometry(130, 94, 80, 24);

    connect(fromEd_, &QLineEdit::textChanged, this, [this] { onFieldChanged(fromEd_); });
    connect(toEd_, &QLineEdit::textChanged, this, [this] { onFieldChanged(toEd_); });
    connect(ok_, &QPushButton::clicked, this, &TSubProgFrm::transferRequested);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    setMode(Mode::Load);
}

void TSubProgFrm::setMode(Mode mode) {
    const bool save = mode == Mode::Save;
    label2_->setVisible(save);
    toEd_->setVisible(save);
    retranslate();
}

void TSubProgFrm::retranslate() {
    const bool save = mode() == Mode::Save;
    setWindowTitle(save ? tr("Сохранение подпрограммы") : tr("Открытие подпрограммы"));
    label3_->setText(save ? tr("Сохранить подпрограмму в файл")
                          : tr("Загрузить подпрограмму в область ОЗУ"));
    label1_->setText(tr("начиная с ячейки:"));
    label2_->setText(tr("и заканчивая:"));
    ok_->setText(tr("ОК"));
    cancel_->setText(tr("Отмена"));
}

void TSubProgFrm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

// The dialog may be hidden: what counts is whether To_Ed is shown with it.
TSubProgFrm::Mode TSubProgFrm::mode() const {
    return toEd_->isHidden() ? Mode::Load : Mode::Save;
}

uint16_t TSubProgFrm::fromCell() const {
    return cellOf(fromEd_);
}
uint16_t TSubProgFrm::toCell() const {
    return cellOf(toEd_);
}

void TSubProgFrm::onFieldChanged(QLineEdit* field) {
    const QString text = field->text();
    const QString filtered = QString::fromStdString(filterHexDigits(text.toStdString()));
    if (filtered != text) {
        // The caret stays after the last character kept, not at the end of the field.
        const int caret = static_cast<int>(
            filterHexDigits(text.left(field->cursorPosition()).toStdString()).size());
        field->setText(filtered);  // runs this rule again on the filtered text
        field->setCursorPosition(caret);
        return;
    }
    if (field == fromEd_)
        ok_->setEnabled(filtered.size() == 4);
    else if (toEd_->isEnabled())
        ok_->setEnabled(filtered.size() == 4);
}

void TSubProgFrm::showEvent(QShowEvent* event) {
    // Centred on the main window every time it appears.
    if (QWidget* owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->window()->frameGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

}  // namespace orlan
