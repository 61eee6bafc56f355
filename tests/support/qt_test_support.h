#pragma once

// Helpers for the window tests (offscreen Qt Test): finding controls by name and driving them
// as a user does.

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "test_support.h"

namespace brackmoor::test {

// The named control; a control that is missing or renamed ends the test with its name.
template <typename T = QWidget>
T* Child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

// Shows the window and waits until it can be driven.
inline void Show(QWidget* window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

// A left click on the named button.
inline void Click(const QObject* parent, const char* button) {
    QTest::mouseClick(Child<QAbstractButton>(parent, button), Qt::LeftButton);
}

// A click on the tab's header, as a user changes tabs.
inline void ShowTab(QTabWidget* tabs, int index) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
}

// A click in the middle of `rect` of the view, then (with `twice`) a double click there.
inline void ClickIn(QAbstractItemView* view, const QRect& rect, bool twice = false) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}
inline void ClickItem(QListWidget* list, int row, bool twice = false) {
    ClickIn(list, list->visualItemRect(list->item(row)), twice);
}

// The entries shown, in order.
inline QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}
inline QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// The texts of the messages shown, in order.
inline QStringList Texts(const RecordingMessages& messages) {
    QStringList texts;
    for (const Message& m : messages.shown)
        texts << QString::fromStdString(m.text);
    return texts;
}

}  // namespace brackmoor::test
