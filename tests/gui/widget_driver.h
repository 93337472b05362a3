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

// A mouse event of `type` at `at`; `button` is held only while pressing.
inline void Mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    QMouseEvent e(type, at, target->mapToGlobal(at), button,
                  type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}
inline void Press(QWidget* target, QPoint at, Qt::MouseButton button) {
    Mouse(target, QEvent::MouseButtonPress, at, button);
}
inline void Click(QWidget* target, QPoint at, Qt::MouseButton button) {
    Press(target, at, button);
    Mouse(target, QEvent::MouseButtonRelease, at, button);
}

inline void Key(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(target, &e);
}

}  // namespace trevane::testing
