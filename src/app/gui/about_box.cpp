#include "app/gui/about_box.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/gui/artwork.h"
#include "common/gui/dialog_registry.h"

namespace trevane {

namespace {

class LogoView : public QWidget {
public:
    explicit LogoView(QWidget* parent) : QWidget(parent) { setFixedSize(72, 72); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintLogo(p, QRectF(rect()).adjusted(2, 2, -2, -2));
    }
};

}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutFrm");
    setWindowTitle("About");
    setModal(true);
    setFont(QFont("Arial", 8));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 12);
    outer->setSpacing(10);
    auto* top = new QHBoxLayout;
    auto* logo = new LogoView(this);
    logo->setObjectName("ProgramIcon");
    top->addWidget(logo, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    auto* product = new QLabel("Trevane", this);
    product->setObjectName("ProductName");
    QFont big("Arial");
    big.setPixelSize(32);
    big.setBold(true);
    product->setFont(big);
    names->addWidget(product);
    auto* version = new QLabel("Version 1.0", this);
    version->setObjectName("Version");
    names->addWidget(version);
    auto* purpose = new QLabel(
        "Resistant materials for design and technology:\nbrowse, search and cost timbers, "
        "boards, metals and plastics.",
        this);
    purpose->setObjectName("Comments");
    names->addWidget(purpose);
    top->addLayout(names, 1);
    outer->addLayout(top);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    auto* publisher = new QLabel(
        "Published for school design and technology departments.\n"
        "Teachers keep the materials databases beside the program.",
        panel);
    publisher->setObjectName("Copyright");
    panelLayout->addWidget(publisher);
    outer->addWidget(panel);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("SpeedButton1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(ok, 0, Qt::AlignHCenter);

    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
}

void RegisterShellDialogs() {
    RegisterDialog("AboutFrm", [](DialogModel& model, QWidget* parent) -> int {
        AboutBox box(parent);
        box.exec();
        model.Close(1);
        return model.Result();
    });
}

}  // namespace trevane
