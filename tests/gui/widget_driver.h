#pragma once
// Driving real widgets in the tests: find them by object name, press the mouse
// on them and type into them, as a user (or a program driving Trevane) would.
// The widget classes the tests look at come with it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
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

// A press and its release, as a click.
inline void Click(QWidget* target, QPoint at, Qt::MouseButton button) {
    Press(target, at, button);
    QMouseEvent e(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

inline void Move(QWidget* target, QPoint at) {
    QMouseEvent e(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

inline void Key(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &e);
}

inline void Type(QWidget* target, const QString& text) { Key(target, 0, text); }

}  // namespace trevane::testing
