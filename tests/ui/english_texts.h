// For the window tests in English: every text a widget tree shows (captions, labels, buttons,
// menu items, hints, group and tab titles, header sections), with the Russian ones picked out.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

#include "Translations.h"

namespace orlan::test {

inline bool hasCyrillic(const QString& text) {
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return cyrillic.match(text).hasMatch();
}

// "where: text" for each Russian text shown by root and its children (hidden ones included: a
// dialog's page not yet open still counts). `allowed`: texts that stay Russian on purpose (the
// language menu's "Язык / Language" and "Русский").
inline QStringList russianTexts(QWidget* root, const QStringList& allowed = {}) {
    QStringList found;
    auto check = [&](const QObject* where, const QString& what, const QString& text) {
        if (text.isEmpty() || !hasCyrillic(text) || allowed.contains(text)) return;
        const QString name = where->objectName().isEmpty()
                                 ? QString::fromLatin1(where->metaObject()->className())
                                 : where->objectName();
        found << name + QLatin1Char('.') + what + QStringLiteral(": ") + text;
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->isWindow()) check(w, QStringLiteral("windowTitle"), w->windowTitle());
        check(w, QStringLiteral("toolTip"), w->toolTip());
        check(w, QStringLiteral("statusTip"), w->statusTip());
        check(w, QStringLiteral("whatsThis"), w->whatsThis());
        if (auto* l = qobject_cast<QLabel*>(w)) check(w, QStringLiteral("text"), l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, QStringLiteral("text"), b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(w, QStringLiteral("title"), g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w))
            check(w, QStringLiteral("placeholder"), e->placeholderText());
        if (auto* m = qobject_cast<QMenu*>(w)) check(w, QStringLiteral("title"), m->title());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) check(w, QStringLiteral("tab"), t->tabText(i));
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) check(w, QStringLiteral("item"), c->itemText(i));
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            for (int c = 0; c < m->columnCount(); ++c)
                check(w, QStringLiteral("header"), m->headerData(c, Qt::Horizontal).toString());
        }
        for (QAction* a : w->actions()) {
            check(a, QStringLiteral("text"), a->text());
            check(a, QStringLiteral("toolTip"), a->toolTip() == a->text().remove(QLatin1Char('&'))
                                                     ? QString() : a->toolTip());
            check(a, QStringLiteral("statusTip"), a->statusTip());
        }
    }
    found.removeDuplicates();
    return found;
}

}  // namespace orlan::test
