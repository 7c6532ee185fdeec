#include "UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace orlan {

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(minimum > 0 ? minimum : 0) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setPosition(int p) { position_ = std::clamp(p, minimum_, maximum_); }

void UpDown::stepUp() {
    if (position_ >= maximum_) return;
    ++position_;
    emit stepped(position_, +1);
}

void UpDown::stepDown() {
    if (position_ <= minimum_) return;
    --position_;
    emit stepped(position_, -1);
}

}  // namespace orlan
