#include "app/gui/start_page.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "app/gui/artwork.h"
#include "common/gui/cursors.h"
#include "common/gui/hint_support.h"

namespace trevane {

namespace {

// The paint box that fills the page in teal.
class BackPicture : public QWidget {
public:
    explicit BackPicture(QWidget* parent) : QWidget(parent) {
        setObjectName("BackPic");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor::fromRgb(kTeal));
    }
};

struct Activity {
    const char* hint;
    const char* caption;
};

constexpr Activity kActivities[3] = {
    {"browse database| Browse the properties of the materials in the database.", "Browse materials"},
    {"search| Search the database for specific material properties.", "Search for a material"},
    {"cost| Calculate the cost of the materials used in your project.", "Costings and cutting list"},
};

constexpr int kRowTop = 8;
constexpr int kRowStep = 78;
constexpr int kButtonSize = 72;
constexpr int kShapeLeft = 100;
constexpr int kShapeHeight = 40;

}  // namespace

StartPage::StartPage(QWidget* parent) : QWidget(parent) {
    setObjectName("PageA");
    backPic_ = new BackPicture(this);

    menuPanel_ = new QFrame(this);
    menuPanel_->setObjectName("MenuPanel");
    menuPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    menuPanel_->setLineWidth(2);
    menuPanel_->setAutoFillBackground(true);
    menuPanel_->setFixedSize(kPanelWidth, kPanelHeight);

    QFont labelFont("Arial");
    labelFont.setPixelSize(19);

    QLabel* labels[3] = {};
    QFrame* shapes[3] = {};
    for (int tag = 0; tag < 3; ++tag) {
        const int n = tag + 1;
        const int top = kRowTop + tag * kRowStep;

        auto* button = new QToolButton(menuPanel_);
        button->setObjectName(QString("MenuBtn%1").arg(n));
        button->setProperty("tag", tag);
        button->setIcon(QIcon(MenuButtonPicture(tag, 128)));
        button->setIconSize(QSize(kButtonSize - 10, kButtonSize - 10));
        button->setGeometry(12, top, kButtonSize, kButtonSize);
        button->setCursor(HandCursor());
        SetHint(button, kActivities[tag].hint);
        connect(button, &QToolButton::clicked, this, [this, tag] { emit MenuButtonClicked(tag); });

        auto* shape = new QFrame(menuPanel_);
        shape->setObjectName(QString("Shape%1").arg(n));
        shape->setFrameStyle(QFrame::Box | QFrame::Plain);
        shape->setLineWidth(1);
        shape->setAutoFillBackground(true);
        QPalette sp = shape->palette();
        sp.setColor(QPalette::Window, Qt::white);
        sp.setColor(QPalette::WindowText, Qt::black);
        shape->setPalette(sp);
        shapes[tag] = shape;

        auto* label = new QLabel(kActivities[tag].caption, menuPanel_);
        label->setObjectName(QString("Label%1").arg(n));
        label->setFont(labelFont);
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, Qt::blue);
        lp.setColor(QPalette::Window, Qt::white);
        label->setPalette(lp);
        label->setAutoFillBackground(true);
        label->adjustSize();
        labels[tag] = label;
    }

    // Shape3 is Label3's width + 50; the other frames take its width.
    const int shapeWidth = labels[2]->width() + 50;
    for (int tag = 0; tag < 3; ++tag) {
        const int rowTop = kRowTop + tag * kRowStep;
        const int shapeTop = rowTop + (kButtonSize - kShapeHeight) / 2;
        shapes[tag]->setGeometry(kShapeLeft, shapeTop, shapeWidth, kShapeHeight);
        labels[tag]->move(kShapeLeft + 25, shapeTop + (kShapeHeight - labels[tag]->height()) / 2);
        labels[tag]->raise();
    }
    CentreMenuPanel();
}

void StartPage::resizeEvent(QResizeEvent*) {
    backPic_->setGeometry(rect());
    CentreMenuPanel();
}

void StartPage::CentreMenuPanel() {
    menuPanel_->move((width() - menuPanel_->width()) / 2, (height() - menuPanel_->height()) / 2);
}

}  // namespace trevane
