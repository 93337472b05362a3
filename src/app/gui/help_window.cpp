#include "app/gui/help_window.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevane {

namespace {

constexpr const char* kStyle =
    "h1 { color: #006060; font-size: 20px; margin-bottom: 6px; }"
    "h2 { color: #006060; font-size: 15px; margin-top: 10px; }"
    "a { color: #0000c0; }";

}  // namespace

HelpBrowser::HelpBrowser(const HelpFile& help, QWidget* parent) : QTextBrowser(parent), help_(help) {
    setOpenLinks(true);
    setOpenExternalLinks(false);
    document()->setDefaultStyleSheet(kStyle);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const int number = HelpTopicFromUrl(name.toString().toStdString());
    if (number < 0) return QTextBrowser::loadResource(type, name);
    if (const HelpTopic* topic = help_.Find(number)) return QString::fromStdString(help_.TopicHtml(*topic));
    return QString::fromStdString("<h1>" + HelpTopicMissingText(number) + "</h1>");
}

HelpWindow::HelpWindow(const HelpFile& help, QWidget* parent) : QWidget(parent, Qt::Window), help_(help) {
    setObjectName("HelpFrm");
    setWindowTitle("Trevane Help");
    resize(760, 540);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    auto* bar = new QHBoxLayout;
    backBtn_ = new QToolButton(this);
    backBtn_->setObjectName("HelpBackBtn");
    backBtn_->setText("< Back");
    forwardBtn_ = new QToolButton(this);
    forwardBtn_->setObjectName("HelpForwardBtn");
    forwardBtn_->setText("Forward >");
    auto* contentsBtn = new QToolButton(this);
    contentsBtn->setObjectName("HelpContentsBtn");
    contentsBtn->setText("Contents");
    bar->addWidget(backBtn_);
    bar->addWidget(forwardBtn_);
    bar->addWidget(contentsBtn);
    bar->addStretch(1);
    outer->addLayout(bar);

    auto* split = new QSplitter(Qt::Horizontal, this);
    auto* side = new QWidget(split);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel("Search for help on:", side));
    searchBox_ = new QLineEdit(side);
    searchBox_->setObjectName("HelpSearchEdit");
    searchBox_->setPlaceholderText("Type a word, e.g. hardness");
    searchBox_->setClearButtonEnabled(true);
    sideLayout->addWidget(searchBox_);
    list_ = new QListWidget(side);
    list_->setObjectName("HelpTopicList");
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideRight);
    sideLayout->addWidget(list_, 1);
    browser_ = new HelpBrowser(help_, split);
    browser_->setObjectName("HelpView");
    split->addWidget(side);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({250, 510});
    outer->addWidget(split, 1);

    backBtn_->setEnabled(false);
    forwardBtn_->setEnabled(false);
    connect(backBtn_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardBtn_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, backBtn_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardBtn_, &QToolButton::setEnabled);
    connect(contentsBtn, &QToolButton::clicked, this, &HelpWindow::ShowContents);
    connect(searchBox_, &QLineEdit::textChanged, this, &HelpWindow::FillList);
    const auto open = [this](QListWidgetItem* item) {
        if (item) ShowTopic(item->data(Qt::UserRole).toInt());
    };
    connect(list_, &QListWidget::itemActivated, this, open);
    connect(list_, &QListWidget::itemClicked, this, open);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (list_->count() > 0) ShowTopic(list_->item(0)->data(Qt::UserRole).toInt());
    });
    FillList({});
}

void HelpWindow::FillList(const QString& words) {
    list_->clear();
    for (const HelpTopic* t : help_.Search(words.toStdString())) {
        auto* item = new QListWidgetItem(
            QString::fromStdString(t->Title.empty() ? "Topic " + std::to_string(t->Number) : t->Title), list_);
        item->setData(Qt::UserRole, t->Number);
    }
}

void HelpWindow::ShowTopic(int number) {
    if (CurrentTopic() != number)
        browser_->setSource(QUrl(QString::fromStdString(HelpTopicUrl(number))), QTextDocument::HtmlResource);
    Present();
}

void HelpWindow::ShowContents() {
    searchBox_->clear();
    FillList({});
    if (help_.Find(1)) ShowTopic(1);
    Present();
}

void HelpWindow::ShowSearch() {
    searchBox_->clear();
    FillList({});
    Present();
    searchBox_->setFocus();
}

void HelpWindow::Reload() {
    FillList(searchBox_->text());
    browser_->clearHistory();
    browser_->clear();
}

int HelpWindow::CurrentTopic() const { return HelpTopicFromUrl(browser_->source().toString().toStdString()); }

void HelpWindow::Present() {
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace trevane
