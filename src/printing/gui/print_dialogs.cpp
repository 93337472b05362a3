#include "printing/gui/print_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/gui/dialog_registry.h"
#include "printing/preview_page.h"

namespace trevane {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QPushButton* Button(const char* name, const char* caption, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

void CentreOnScreen(QWidget* dialog) {
    dialog->adjustSize();
    const QScreen* screen = dialog->screen() ? dialog->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect r = dialog->frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    dialog->move(r.topLeft());
}

void RegisterPrintingDialogs() {
    RegisterDialog("GridTitleFrm", [](DialogModel& m, QWidget* parent) {
        TGridTitleFrm dlg(static_cast<GridTitleFrmModel&>(m), parent);
        dlg.exec();
        if (!m.Closed()) m.Close(GridTitleFrmModel::kCancel);
        return m.Result();
    });
    RegisterDialog("PrntFrm", [](DialogModel& m, QWidget* parent) {
        TPrntFrm dlg(static_cast<PrntFrmModel&>(m), parent);
        dlg.exec();
        if (!m.Closed()) m.Close(PrntFrmModel::kCancel);
        return m.Result();
    });
}

// ------------------------------------------------------------ titles

TGridTitleFrm::TGridTitleFrm(GridTitleFrmModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("GridTitleFrm");
    setWindowTitle(GridTitleFrmModel::kCaption);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(32, 32));
    auto* prompt = new QLabel(GridTitleFrmModel::kPrompt, this);
    prompt->setObjectName("Label1");
    top->addWidget(icon);
    top->addWidget(prompt, 1);
    outer->addLayout(top);
    pupilName_ = new QLineEdit(Q(model_.PupilNameEdit), this);
    pupilName_->setObjectName("PupilNameEdit");
    gridTitle_ = new QLineEdit(Q(model_.GridTitleEdit), this);
    gridTitle_->setObjectName("GridTitleEdit");
    outer->addWidget(pupilName_);
    outer->addWidget(gridTitle_);
    auto* buttons = new QHBoxLayout;
    auto* apply = Button("ApplyBtn", "apply", this);
    auto* cancel = Button("CancelBtn", "cancel", this);
    apply->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, [this] {
        model_.PupilNameEdit = pupilName_->text().toStdString();
        model_.GridTitleEdit = gridTitle_->text().toStdString();
        model_.ApplyClick();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        model_.CancelClick();
        reject();
    });
    setMinimumWidth(360);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    CentreOnScreen(this);
}

// ------------------------------------------------------------ confirmation

TPrntFrm::TPrntFrm(PrntFrmModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName("PrntFrm");
    setWindowTitle(PrntFrmModel::kCaption);
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    auto* job = new QLabel(Q(model_.JobLabel), this);
    job->setObjectName("JobLabel");
    QFont bold = job->font();
    bold.setBold(true);
    job->setFont(bold);
    outer->addWidget(label1_);
    outer->addWidget(job);

    auto* copiesRow = new QHBoxLayout;
    auto* label2 = new QLabel("Number of copies", this);
    label2->setObjectName("Label2");
    copies_ = new QLabel(this);
    copies_->setObjectName("StaticText1");
    copies_->setFrameShape(QFrame::Panel);
    copies_->setFrameShadow(QFrame::Sunken);
    copies_->setMinimumWidth(32);
    copies_->setAlignment(Qt::AlignCenter);
    auto* counter = new QWidget(this);
    counter->setObjectName("NumCopy");
    auto* arrows = new QVBoxLayout(counter);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    auto* up = new QToolButton(counter);
    up->setObjectName("NumCopyUp");
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    auto* down = new QToolButton(counter);
    down->setObjectName("NumCopyDown");
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    for (auto* b : {up, down}) b->setFixedSize(18, 12);
    arrows->addWidget(up);
    arrows->addWidget(down);
    copiesRow->addWidget(label2);
    copiesRow->addWidget(copies_);
    copiesRow->addWidget(counter);
    copiesRow->addStretch(1);
    outer->addLayout(copiesRow);

    auto* buttons = new QHBoxLayout;
    auto* print = Button("PrintBtn", "print", this);
    auto* cancel = Button("CancelBtn", "cancel", this);
    auto* setup = Button("SetupBtn", "printer set up", this);
    print->setDefault(true);
    buttons->addWidget(print);
    buttons->addWidget(cancel);
    buttons->addWidget(setup);
    outer->addLayout(buttons);

    connect(up, &QToolButton::clicked, this, [this] {
        model_.NumCopyClick(true);
        Show();
    });
    connect(down, &QToolButton::clicked, this, [this] {
        model_.NumCopyClick(false);
        Show();
    });
    connect(print, &QPushButton::clicked, this, [this] {
        model_.PrintClick();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        model_.CancelClick();
        reject();
    });
    connect(setup, &QPushButton::clicked, this, [this] {
        model_.SetupBtnClick();
        Show();
    });
    Show();
    setMinimumWidth(320);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    CentreOnScreen(this);
}

void TPrntFrm::Show() {
    label1_->setText(Q(model_.Label1));
    copies_->setText(Q(model_.StaticText1()));
}

// ------------------------------------------------------------ progress

TPrntProgFrm::TPrntProgFrm(const std::string& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName("PrntProgFrm");
    setWindowTitle(" ");
    auto* outer = new QVBoxLayout(this);
    auto* label = new QLabel(Q(text), this);
    label->setObjectName("PgrsLabel");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    outer->addWidget(label);
    outer->addWidget(bar_);
    setMinimumWidth(300);
    CentreOnScreen(this);
}

void TPrntProgFrm::SetPosition(int percent) {
    bar_->setValue(std::clamp(percent, 0, 100));
    repaint();
}

// ------------------------------------------------------------ printer set-up

PrinterSetupDlg::PrinterSetupDlg(const std::vector<std::string>& printers, const std::string& selected,
                                 const std::vector<std::string>& papers, const std::string& paper, QWidget* parent)
    : QDialog(parent) {
    setObjectName("PrinterSetupDlg");
    setWindowTitle("Printer set up");
    setModal(true);
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    printers_ = new QComboBox(this);
    printers_->setObjectName("PrinterCombo");
    for (const auto& p : printers) printers_->addItem(Q(p));
    printers_->setCurrentText(Q(selected));
    papers_ = new QComboBox(this);
    papers_->setObjectName("PaperCombo");
    for (const auto& p : papers) papers_->addItem(Q(p));
    papers_->setCurrentText(Q(paper));
    form->addRow("Printer:", printers_);
    form->addRow("Paper:", papers_);
    outer->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto* ok = Button("OKBtn", "OK", this);
    auto* cancel = Button("CancelBtn", "Cancel", this);
    ok->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(320);
    CentreOnScreen(this);
}

std::string PrinterSetupDlg::Printer() const { return printers_->currentText().toStdString(); }
std::string PrinterSetupDlg::Paper() const { return papers_->currentText().toStdString(); }

}  // namespace trevane
