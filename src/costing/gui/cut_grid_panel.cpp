#include "costing/gui/cut_grid_panel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/session.h"
#include "costing/cutting_list.h"
#include "costing/gui/cut_grid_view.h"

namespace trevane {

namespace {

constexpr int kHelpCutList = 1011;

// Short part of a "short|long" hint as tooltip, the whole text as property "hint".
void GiveHint(QWidget* w, const char* hint) {
    const QString text = QString::fromUtf8(hint);
    const int bar = text.indexOf('|');
    w->setToolTip(bar < 0 ? text : text.left(bar).trimmed());
    w->setProperty("hint", text);
}

// Small drawn glyphs for the tool buttons.
QIcon Glyph(const char* which) {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QString w = QString::fromLatin1(which);
    if (w == "transfer") {  // an arrow from the text box into the grid
        p.setPen(QPen(QColor(0, 90, 0), 2));
        p.drawLine(17, 10, 5, 10);
        p.setBrush(QColor(0, 130, 0));
        p.drawPolygon(QPolygonF({QPointF(3, 10), QPointF(9, 5), QPointF(9, 15)}));
    } else if (w == "copy") {  // two sheets
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(3, 2, 10, 12);
        p.drawRect(7, 6, 10, 12);
    } else if (w == "font") {
        QFont f("Serif");
        f.setPixelSize(16);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0, 0, 140));
        p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, "A");
    } else if (w == "delete") {  // a row crossed out
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 128));
        p.drawRect(2, 6, 16, 8);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(4, 4, 16, 16);
        p.drawLine(16, 4, 4, 16);
    }
    return QIcon(pm);
}

}  // namespace

CutGridPanel::CutGridPanel(Session& session, QWidget* parent, bool ownToolbar)
    : QWidget(parent), session_(session), list_(session.CutList()) {
    setObjectName("CutGridPanel");

    addToGridBtn_ = MakeTool("AddToGridBtn", QString(), "add to grid| Transfer the contents of the text box to the grid",
                             &CuttingList::AddToGridBtnClick);
    addToGridBtn_->setIcon(Glyph("transfer"));
    gridEdit_ = new QLineEdit(this);
    gridEdit_->setObjectName("GridEdit");
    gridEdit_->setMinimumWidth(120);
    GiveHint(gridEdit_,
             "transfer to grid| Press return or click then button on the left to update the text in the grid");
    gridEdit_->setProperty("helpContext", kHelpCutList);
    connect(gridEdit_, &QLineEdit::textEdited, this, [this](const QString& t) { list_.GridEdit = t.toStdString(); });
    connect(gridEdit_, &QLineEdit::returnPressed, this, [this] { Forward([this] { list_.GridEditKeyPress(13); }); });

    copyBtn_ = MakeTool("CopyBtn", QString(), "copy grid| Copy the cutting list to the clipboard",
                        &CuttingList::CopyBtnClick);
    copyBtn_->setIcon(Glyph("copy"));
    gridFontBtn_ = MakeTool("GridFontBtn", QString(), "font| Change the font used in the cutting list",
                            &CuttingList::GridFontBtnClick);
    gridFontBtn_->setIcon(Glyph("font"));
    deleteRowBtn_ = MakeTool("DeleteRowBtn", QString(), "delete row| Delete the contents of the current row",
                             &CuttingList::DeleteRowBtnClick);
    deleteRowBtn_->setIcon(Glyph("delete"));
    updateCostBtn_ = MakeTool("UpdateCostBtn", "update cost", "update cost| Recalculte the cost entry in the grid",
                              &CuttingList::UpdateCostBtnClick);
    updateCostBtn_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    grid_ = new CutGridView(list_, this);
    GiveHint(grid_, "|Right click the grid for edit menu");
    grid_->setProperty("helpContext", kHelpCutList);
    grid_->onChanged = [this] { session_.Changed(); };
    grid_->onContextMenu = [this](const QPoint& pos) { ShowPopupMenu(pos); };

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu2");
    auto action = [this](const char* name, const QString& text, void (CuttingList::*click)()) {
        QAction* a = menu_->addAction(text);
        a->setObjectName(name);
        a->setShortcutContext(Qt::WidgetShortcut);  // the grid's own keys do the work
        connect(a, &QAction::triggered, this, [this, click] { Forward([this, click] { (list_.*click)(); }); });
        return a;
    };
    copygrid1_ = action("Copygrid1", "Copy grid", &CuttingList::Copygrid1Click);
    delete1_ = action("Delete1", "Delete", &CuttingList::Delete1Click);
    delete1_->setShortcut(QKeySequence(Qt::Key_Delete));
    deleterow1_ = action("Deleterow1", "Delete row", &CuttingList::Deleterow1Click);
    deleterow1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    menu_->addSeparator();
    exportCsv1_ = action("ExportCsv1", "Export CSV...", &CuttingList::ExportCsv1Click);

    auto* stockBox = new QWidget(this);
    stockBox->setObjectName("StockPanel");
    auto* stockColumn = new QVBoxLayout(stockBox);
    stockColumn->setContentsMargins(2, 2, 2, 2);
    stockColumn->setSpacing(2);
    auto* stockTitle = new QLabel("stock needed (whole sheets and lengths, 3 mm saw cuts)", stockBox);
    stockTitle->setObjectName("StockLabel");
    QFont bold = stockTitle->font();
    bold.setBold(true);
    stockTitle->setFont(bold);
    stock_ = new QPlainTextEdit(stockBox);
    stock_->setObjectName("StockSummary");
    stock_->setReadOnly(true);
    stock_->setLineWrapMode(QPlainTextEdit::NoWrap);
    stock_->setPlaceholderText("The sheets and stock lengths the pieces need are shown here.");
    GiveHint(stock_, "stock needed| The whole sheets and stock lengths the pieces in the list need");
    stock_->setProperty("helpContext", kHelpCutList);
    stockColumn->addWidget(stockTitle);
    stockColumn->addWidget(stock_);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("CutGridSplitter");
    split->setChildrenCollapsible(false);
    split->addWidget(grid_);
    split->addWidget(stockBox);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    split->setSizes({400, 110});

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    if (ownToolbar) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(2, 2, 2, 0);
        for (QWidget* w : EditTools() + GridTools()) row->addWidget(w);
        row->addStretch(1);
        column->addLayout(row);
    }
    column->addWidget(split, 1);

    // The session lives longer than the page: a closed panel no longer listens.
    session_.AddListener([self = QPointer<CutGridPanel>(this)] {
        if (self) self->Refresh();
    });
    Refresh();
}

QToolButton* CutGridPanel::MakeTool(const char* name, const QString& text, const char* hint,
                                    void (CuttingList::*click)()) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setAutoRaise(false);
    b->setIconSize(QSize(20, 20));
    GiveHint(b, hint);
    connect(b, &QToolButton::clicked, this, [this, click] { Forward([this, click] { (list_.*click)(); }); });
    return b;
}

QList<QWidget*> CutGridPanel::EditTools() const { return {addToGridBtn_, gridEdit_}; }

QList<QWidget*> CutGridPanel::GridTools() const { return {copyBtn_, gridFontBtn_, deleteRowBtn_, updateCostBtn_}; }

template <class F>
void CutGridPanel::Forward(F&& handler) {
    handler();
    session_.Changed();
}

void CutGridPanel::ShowPopupMenu(const QPoint& globalPos) {
    list_.PopupMenu2Popup();
    copygrid1_->setEnabled(list_.Copygrid1Enabled);
    delete1_->setEnabled(list_.Delete1Enabled);
    deleterow1_->setEnabled(list_.Deleterow1Enabled);
    exportCsv1_->setEnabled(list_.ExportCsv1Enabled);
    menu_->popup(globalPos);
}

void CutGridPanel::Refresh() {
    grid_->Refresh();
    copyBtn_->setEnabled(list_.CopyBtnEnabled);
    deleteRowBtn_->setEnabled(list_.DeleteRowBtnEnabled);
    const QString edit = QString::fromStdString(list_.GridEdit);
    if (gridEdit_->text() != edit) gridEdit_->setText(edit);
    const QString summary = QString::fromStdString(list_.StockNeeded().Text());
    if (stock_->toPlainText() != summary) stock_->setPlainText(summary);
}

}  // namespace trevane
