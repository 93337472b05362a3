#include "common/gui/hint_support.h"

#include <QVariant>
#include <QWidget>

#include "common/hints.h"

namespace trevane {

void SetHint(QWidget* widget, const QString& hint) {
    widget->setProperty("hint", hint);
    widget->setToolTip(QString::fromStdString(GetShortHint(hint.toStdString())).trimmed());
}

QString HintOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant hint = w->property("hint");
        if (hint.isValid() && !hint.toString().isEmpty()) return hint.toString();
        if (!w->toolTip().isEmpty()) return w->toolTip();
        if (w->isWindow()) break;
    }
    return {};
}

int HelpContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        bool ok = false;
        const int context = w->property("helpContext").toInt(&ok);
        if (ok && context != 0) return context;
    }
    return 0;
}

}  // namespace trevane
