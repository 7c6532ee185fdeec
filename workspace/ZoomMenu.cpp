#include "ZoomMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>

#include "Zoom.h"

namespace orlan {

ZoomMenu::ZoomMenu(Settings settings, QObject* parent)
    : QObject(parent), settings_(std::move(settings)) {
    connect(&Zoom::instance(), &Zoom::changed, this, &ZoomMenu::showPercent);
}

void ZoomMenu::addMenu(QMenu* menu) {
    menu_ = menu->addMenu(QString());
    menu_->setObjectName(QStringLiteral("Zoom_Menu"));
    menu_->installEventFilter(this);
    group_ = new QActionGroup(menu_);
    group_->setExclusive(true);
    for (const int percent : Zoom::kSteps) {
        QAction* a = menu_->addAction(QString());
        a->setObjectName(QStringLiteral("Zoom_%1").arg(percent));
        a->setData(percent);
        a->setCheckable(true);
        group_->addAction(a);
        connect(a, &QAction::triggered, this, [this, percent] { choose(percent); });
    }
    menu_->addSeparator();
    // Ctrl++ needs Shift on most keyboards; Ctrl+= is the same key without it.
    in_ = menu_->addAction(QString());
    in_->setObjectName(QStringLiteral("ZoomIn_Item"));
    in_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+=")), QKeySequence(QStringLiteral("Ctrl++"))});
    out_ = menu_->addAction(QString());
    out_->setObjectName(QStringLiteral("ZoomOut_Item"));
    out_->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    reset_ = menu_->addAction(QString());
    reset_->setObjectName(QStringLiteral("ZoomReset_Item"));
    reset_->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    auto stepBy = [this](int direction) {
        const auto& steps = Zoom::kSteps;
        const int now = Zoom::instance().percent();
        auto at = std::find(steps.begin(), steps.end(), now);
        if (direction > 0 && at + 1 < steps.end()) choose(*(at + 1));
        if (direction < 0 && at > steps.begin() && at < steps.end()) choose(*(at - 1));
    };
    connect(in_, &QAction::triggered, this, [stepBy] { stepBy(+1); });
    connect(out_, &QAction::triggered, this, [stepBy] { stepBy(-1); });
    connect(reset_, &QAction::triggered, this, [this] { choose(Zoom::kDefault); });
    retranslate();
    showPercent();
}

bool ZoomMenu::choose(int percent) {
    if (!Zoom::instance().setPercent(percent)) return false;
    saveZoom(settings_, percent);
    return true;
}

void ZoomMenu::retranslate() {
    menu_->setTitle(tr("Масштаб"));
    for (QAction* a : group_->actions()) a->setText(tr("%1 %").arg(a->data().toInt()));
    in_->setText(tr("Увеличить"));
    out_->setText(tr("Уменьшить"));
    reset_->setText(tr("Исходный масштаб"));
}

void ZoomMenu::showPercent() {
    if (!menu_) return;
    const int percent = Zoom::instance().percent();
    for (QAction* a : group_->actions())
        if (a->data().toInt() == percent) a->setChecked(true);
    in_->setEnabled(percent < Zoom::kSteps.back());
    out_->setEnabled(percent > Zoom::kSteps.front());
}

bool ZoomMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == menu_ && event->type() == QEvent::LanguageChange) retranslate();
    return QObject::eventFilter(watched, event);
}

}  // namespace orlan
