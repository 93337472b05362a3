#include "app/gui/splash_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/gui/artwork.h"

namespace trevane {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("SplashFrm");
    setFixedSize(510, 339);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgb(kTeal));  // the panel
    PaintSplashPicture(p, QRectF(2, 1.5, 506, 336));
}

}  // namespace trevane
