#include "search/gui/search_dialogs_qt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "common/gui/dialog_registry.h"
#include "search/search_dialogs.h"
#include "search/search_types.h"

namespace trevane {

QString LabelText(const char* crlfText) { return QString::fromUtf8(crlfText).replace("\r\n", "\n"); }

namespace {

// A fixed-size dialog of the given client size, centred on the screen.
void MakeFixedDialog(QDialog* d, const char* name, const char* caption, int w, int h) {
    d->setObjectName(name);
    d->setWindowTitle(caption);
    d->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    d->setFont(QFont("Arial", 9));
    d->setFixedSize(w, h);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        d->move(screen->availableGeometry().center() - d->rect().center());
}

// A white box with a frame, like the dialogs' framed texts and panels.
QFrame* WhitePanel(QWidget* parent, const char* name, QFrame::Shadow shadow) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameStyle(QFrame::Panel | shadow);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, Qt::white);
    f->setPalette(pal);
    return f;
}

QLabel* ColouredLabel(const QString& text, const QColor& colour, QWidget* parent, const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (name) l->setObjectName(name);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    return l;
}

template <class Model, class View>
DialogRunner RunnerFor() {
    return [](DialogModel& m, QWidget* parent) -> int {
        auto* model = dynamic_cast<Model*>(&m);
        if (!model) return m.Result();
        View view(*model, parent);
        view.exec();
        return m.Result();
    };
}

}  // namespace

void RegisterSearchDialogs() {
    RegisterDialog("SearchFrm", RunnerFor<TSearchFrm, SearchFrmDialog>());
    RegisterDialog("SubSearchFrm", RunnerFor<TSubSearchFrm, SubSearchFrmDialog>());
    RegisterDialog("SillySrchFrm", RunnerFor<TSillySrchFrm, SillySrchFrmDialog>());
}

// ---------------------------------------------------------------- search type

SearchFrmDialog::SearchFrmDialog(TSearchFrm& model, QWidget* parent) : QDialog(parent), model_(model) {
    MakeFixedDialog(this, "SearchFrm", TSearchFrm::kCaption, TSearchFrm::kWidth, TSearchFrm::kHeight);
    auto* layout = new QVBoxLayout(this);

    auto* promptBox = WhitePanel(this, "PromptPanel", QFrame::Plain);
    promptBox->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* promptLayout = new QVBoxLayout(promptBox);
    auto* prompt = ColouredLabel(TSearchFrm::kPrompt, Qt::red, promptBox, "PromptLabel");
    prompt->setWordWrap(true);
    promptLayout->addWidget(prompt);
    layout->addWidget(promptBox);

    auto* rg = new QGroupBox(this);
    rg->setObjectName("SearchMaterialRG");
    rg->setProperty("helpContext", TSearchFrm::kHelpContext);
    auto* rgLayout = new QVBoxLayout(rg);
    group_ = new QButtonGroup(this);
    for (int i = 0; i < kSearchTypeCount; ++i) {
        auto* item = new QRadioButton(QString::fromStdString(SearchTypeCaption(i)), rg);
        item->setObjectName(QString("SearchMaterialRG%1").arg(i));
        group_->addButton(item, i);
        rgLayout->addWidget(item);
    }
    layout->addWidget(rg, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(" search", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    oldSearch_ = new QPushButton("previous search", this);
    oldSearch_->setObjectName("OldSearchBtn");
    auto* cancel = new QPushButton("cancel", this);
    cancel->setObjectName("CancelBtn");
    buttons->addWidget(ok);
    buttons->addWidget(oldSearch_);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == model_.SearchMaterialRG) return;
        model_.SearchMaterialRGClick(id);
        Show();
        Settle();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        model_.OKBtnClick();
        Settle();
    });
    connect(oldSearch_, &QPushButton::clicked, this, [this] {
        model_.OldSearchBtnClick();
        Settle();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        model_.CancelBtnClick();
        Settle();
    });
    Show();
}

void SearchFrmDialog::Show() {
    oldSearch_->setEnabled(model_.OldSearchBtnEnabled);
    if (QAbstractButton* b = group_->button(model_.SearchMaterialRG)) {
        b->setChecked(true);
    } else if (QAbstractButton* checked = group_->checkedButton()) {
        group_->setExclusive(false);
        checked->setChecked(false);
        group_->setExclusive(true);
    }
}

void SearchFrmDialog::Settle() {
    if (model_.Closed()) QDialog::done(model_.Result());
}

void SearchFrmDialog::done(int) {
    if (!model_.Closed()) model_.CancelBtnClick();
    QDialog::done(model_.Result());
}

// ---------------------------------------------------------------- working properties

SubSearchFrmDialog::SubSearchFrmDialog(TSubSearchFrm& model, QWidget* parent) : QDialog(parent), model_(model) {
    MakeFixedDialog(this, "SubSearchFrm", TSubSearchFrm::kCaption, TSubSearchFrm::kWidth, TSubSearchFrm::kHeight);
    auto* layout = new QVBoxLayout(this);

    auto* promptBox = WhitePanel(this, "PromptPanel", QFrame::Plain);
    promptBox->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* promptLayout = new QVBoxLayout(promptBox);
    promptLayout->setContentsMargins(6, 3, 6, 3);
    promptLayout->addWidget(new QLabel(TSubSearchFrm::kPrompt, promptBox));
    layout->addWidget(promptBox);

    auto* box = new QGroupBox(this);
    box->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(box);
    struct Check {
        const char* name;
        const char* caption;
        int tag;
        bool TSubSearchFrm::*state;
    };
    const Check checks[] = {{"FabChk", "fabrication", kFabrication, &TSubSearchFrm::FabChk},
                            {"FormChk", "forming", kForming, &TSubSearchFrm::FormChk},
                            {"CastChk", "casting", kCasting, &TSubSearchFrm::CastChk},
                            {"WasteChk", "wasting", kWasting, &TSubSearchFrm::WasteChk}};
    int i = 0;
    for (const Check& c : checks) {
        auto* chk = new QCheckBox(c.caption, box);
        chk->setObjectName(c.name);
        chk->setProperty("tag", c.tag);
        chk->setChecked(model_.*(c.state));
        connect(chk, &QCheckBox::toggled, this, [this, state = c.state](bool on) { model_.*state = on; });
        grid->addWidget(chk, i / 2, i % 2);
        ++i;
    }
    layout->addWidget(box, 1);

    auto* buttons = new QHBoxLayout;
    auto* search = new QPushButton("search", this);
    search->setObjectName("SpeedButton1");
    search->setDefault(true);
    auto* cancel = new QPushButton("cancel", this);
    cancel->setObjectName("SpeedButton2");
    buttons->addWidget(search);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(search, &QPushButton::clicked, this, [this] {
        model_.SpeedButton1Click();
        Settle();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        model_.SpeedButton2Click();
        Settle();
    });
}

void SubSearchFrmDialog::Settle() {
    if (model_.Closed()) QDialog::done(model_.Result());
}

void SubSearchFrmDialog::done(int) {
    if (!model_.Closed()) model_.SpeedButton2Click();
    QDialog::done(model_.Result());
}

// ---------------------------------------------------------------- advice

SillySrchFrmDialog::SillySrchFrmDialog(TSillySrchFrm& model, QWidget* parent) : QDialog(parent), model_(model) {
    MakeFixedDialog(this, "SillySrchFrm", TSillySrchFrm::kCaption, TSillySrchFrm::kWidth, TSillySrchFrm::kHeight);
    auto* layout = new QGridLayout(this);

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setFixedSize(32, 32);
    layout->addWidget(icon, 0, 0, Qt::AlignTop | Qt::AlignLeft);

    const QColor navy(0, 0, 128);
    auto panel = [&](const char* name, const char* text1, const char* text2, bool visible) {
        auto* p = WhitePanel(this, name, QFrame::Sunken);
        auto* v = new QVBoxLayout(p);
        v->addWidget(ColouredLabel(LabelText(text1), navy, p, "Label1"));
        v->addSpacing(8);
        v->addWidget(ColouredLabel(LabelText(text2), navy, p, "Label2"));
        v->addStretch(1);
        p->setVisible(visible);
        layout->addWidget(p, 0, 1);  // both panels share one place
    };
    panel("TooManyGB", TSillySrchFrm::kTooManyText1, TSillySrchFrm::kTooManyText2, model_.TooManyGBVisible);
    panel("ZeroGB", TSillySrchFrm::kZeroText1, TSillySrchFrm::kZeroText2, model_.ZeroGBVisible);

    auto* tip = new QCheckBox("don't show this message again", this);
    tip->setObjectName("SearchTipChk");
    tip->setChecked(model_.SearchTipChk);
    connect(tip, &QCheckBox::toggled, this, [this](bool on) { model_.SearchTipChk = on; });
    layout->addWidget(tip, 1, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("SpeedButton1");
    ok->setDefault(true);
    auto* help = new QPushButton("help", this);
    help->setObjectName("SpeedButton2");
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(help);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    connect(ok, &QPushButton::clicked, this, [this] {
        model_.SpeedButton1Click();
        QDialog::done(model_.Result());
    });
    connect(help, &QPushButton::clicked, this, [this] { model_.SpeedButton2Click(); });
}

void SillySrchFrmDialog::done(int) {
    if (!model_.Closed()) model_.SpeedButton1Click();
    QDialog::done(model_.Result());
}

}  // namespace trevane
