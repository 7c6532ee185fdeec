#include "SpeedControl.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QMenu>

#include "Commands.h"

namespace orlan {

namespace {

const QString kSection = QStringLiteral("View");
const QString kKey = QStringLiteral("Speed");
// Faster than the screen can show: several instructions go into one tick.
constexpr int kShortestTickMs = 16;

}  // namespace

const SpeedControl::Step SpeedControl::kSteps[7] = {
    {"1", QT_TRANSLATE_NOOP("orlan::SpeedControl", "1 такт/с"), 1, false},
    {"2", QT_TRANSLATE_NOOP("orlan::SpeedControl", "2 такта/с"), 2, false},
    {"5", QT_TRANSLATE_NOOP("orlan::SpeedControl", "5 тактов/с"), 5, false},
    {"10", QT_TRANSLATE_NOOP("orlan::SpeedControl", "10 тактов/с"), 10, false},
    {"50", QT_TRANSLATE_NOOP("orlan::SpeedControl", "50 тактов/с"), 50, false},
    {"1000i", QT_TRANSLATE_NOOP("orlan::SpeedControl", "1 000 команд/с"), 1000, true},
    {"max", QT_TRANSLATE_NOOP("orlan::SpeedControl", "Максимальная"), 0, false},
};

SpeedControl::SpeedControl(CCommands& cpu, Settings settings, QObject* parent)
    : QObject(parent), cpu_(cpu), settings_(std::move(settings)) {
    const QString stored = settings_.read(kSection, kKey, QLatin1String(kSteps[kFullSpeed].key)).trimmed();
    for (int i = 0; i < static_cast<int>(std::size(kSteps)); ++i)
        if (stored.compare(QLatin1String(kSteps[i].key), Qt::CaseInsensitive) == 0) speed_ = i;
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &SpeedControl::tick);
}

void SpeedControl::addMenu(QMenu* menu) {
    menu_ = menu->addMenu(QString());
    menu_->setObjectName(QStringLiteral("Speed_Menu"));
    // The submenu hears of a language switch like every widget; its texts follow.
    menu_->installEventFilter(this);
    group_ = new QActionGroup(menu_);
    group_->setExclusive(true);
    for (int i = 0; i < static_cast<int>(std::size(kSteps)); ++i) {
        QAction* a = menu_->addAction(QString());
        a->setObjectName(QStringLiteral("Speed_") + QLatin1String(kSteps[i].key));
        a->setCheckable(true);
        a->setChecked(i == speed_);
        group_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { setSpeed(i); });
    }
    retranslate();
}

void SpeedControl::retranslate() {
    menu_->setTitle(tr("Скорость"));
    const QList<QAction*> items = group_->actions();
    for (int i = 0; i < static_cast<int>(std::size(kSteps)); ++i) items.at(i)->setText(tr(kSteps[i].caption));
}

bool SpeedControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == menu_ && event->type() == QEvent::LanguageChange) retranslate();
    return QObject::eventFilter(watched, event);
}

void SpeedControl::setSpeed(int index) {
    if (index < 0 || index >= static_cast<int>(std::size(kSteps))) return;
    speed_ = index;
    if (group_) group_->actions().at(index)->setChecked(true);
    settings_.write(kSection, kKey, QLatin1String(kSteps[index].key));
    // A paced run goes on at the new pace; full speed takes effect at the next start.
    if (timer_.isActive()) timer_.start(std::max(kShortestTickMs, 1000 / std::max(1, kSteps[index].perSecond)));
}

void SpeedControl::startRun() {
    cpu_.beginPacedRun();
    // The first step comes at once: the press is answered without waiting a whole period.
    timer_.start(0);
}

void SpeedControl::cancel() {
    if (!timer_.isActive()) return;
    timer_.stop();
    emit finished();
}

void SpeedControl::tick() {
    // Full speed chosen during a paced run: it goes on at the fastest paced step.
    const Step& step = kSteps[paced() ? speed_ : kFullSpeed - 1];
    const int period = 1000 / std::max(1, step.perSecond);
    // At 1 000 instructions a second a tick carries the instructions of its 16 ms.
    const int steps = period >= kShortestTickMs ? 1 : kShortestTickMs / std::max(1, period);
    bool goesOn = cpu_.running();
    // A message box at the run's end runs its own event loop: the timer stays off meanwhile.
    ticking_ = true;
    for (int i = 0; i < steps && goesOn; ++i) goesOn = cpu_.pacedStep(step.instructions);
    ticking_ = false;
    emit stepped();
    if (goesOn)
        timer_.start(std::max(period, kShortestTickMs));
    else
        emit finished();
}

}  // namespace orlan
