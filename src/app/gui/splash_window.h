#pragma once
#include <QWidget>

namespace trevane {

// TSplashFrm (SplashFrm): borderless, on top, centred, 510 x 339, a teal panel
// holding the picture.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace trevane
