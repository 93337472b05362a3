#pragma once
// Driving real widgets in the tests: find them by object name, press the mouse
// on them and type into them, as a user (or a program driving Trevane) would.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace trevane::testing {

// The child of `root` named `name`; a test failure when there is none.
template <class W = QWidget>
W* Find(QWidget* root, const char* name) {
    W* w = root->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void Press(QWidget* target, QPoint at, Qt::MouseButton button) {
    QMouseEvent e(QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

inline void Type(QWidget* target, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(target, &e);
}

}  // namespace trevane::testing
