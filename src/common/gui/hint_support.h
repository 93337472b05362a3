#pragma once
// Hints on widgets: the whole "short|long" text is kept in the dynamic property
// "hint"; the short part is the tooltip. Help contexts are the dynamic property
// "helpContext" (an int). Both are looked up from a widget through its parents.
#include <QString>

class QWidget;

namespace trevane {

// Sets a widget's hint: tooltip = short part, property "hint" = whole text.
void SetHint(QWidget* widget, const QString& hint);
// The whole hint of the widget or of its nearest parent that has one ("" if none).
QString HintOf(const QWidget* widget);
// The help context of the widget or its nearest parent that has one (0 if none).
int HelpContextOf(const QWidget* widget);

}  // namespace trevane
