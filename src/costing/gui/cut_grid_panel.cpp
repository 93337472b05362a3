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
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "help/help_contexts.h"
#include "common/gui/hint_support.h"
#include "common/gui/tool_glyphs.h"
#include "costing/cutting_list.h"
#include "costing/gui/cut_grid_view.h"
#include "costing/gui/stock_diagram_view.h"

namespace trevane {

CutGridPanel::CutGridPanel(CuttingList& list, QWidget* parent, bool ownToolbar) : QWidget(parent), list_(list) {
    setObjectName("CutGridPanel");

    addToGridBtn_ =
        MakeTool("AddToGridBtn", QString(), "add to grid| Transfer the contents of the text box to the grid",
                 &CuttingList::AddToGridBtnClick);
    addToGridBtn_->setIcon(ToolGlyphIcon(ToolGlyph::Transfer));
    gridEdit_ = new QLineEdit(this);
    gridEdit_->setObjectName("GridEdit");
    gridEdit_->setMinimumWidth(120);
    SetHint(gridEdit_,
            "transfer to grid| Press return or click then button on the left to update the text in the grid");
    gridEdit_->setProperty("helpContext", kHelpCutList);
    connect(gridEdit_, &QLineEdit::textEdited, this, [this](const QString& t) { list_.GridEdit = t.toStdString(); });
    connect(gridEdit_, &QLineEdit::returnPressed, this, [this] { list_.GridEditKeyPress(13); });

    copyBtn_ =
        MakeTool("CopyBtn", QString(), "copy grid| Copy the cutting list to the clipboard", &CuttingList::CopyBtnClick);
    copyBtn_->setIcon(ToolGlyphIcon(ToolGlyph::Copy));
    gridFontBtn_ = MakeTool("GridFontBtn", QString(), "font| Change the font used in the cutting list",
                            &CuttingList::GridFontBtnClick);
    gridFontBtn_->setIcon(ToolGlyphIcon(ToolGlyph::Font));
    deleteRowBtn_ = MakeTool("DeleteRowBtn", QString(), "delete row| Delete the contents of the current row",
                             &CuttingList::DeleteRowBtnClick);
    deleteRowBtn_->setIcon(ToolGlyphIcon(ToolGlyph::DeleteRow));
    updateCostBtn_ = MakeTool("UpdateCostBtn", "update cost", "update cost| Recalculte the cost entry in the grid",
                              &CuttingList::UpdateCostBtnClick);
    updateCostBtn_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    grid_ = new CutGridView(list_, this);
    SetHint(grid_, "|Right click the grid for edit menu");
    grid_->setProperty("helpContext", kHelpCutList);
    grid_->onContextMenu = [this](const QPoint& pos) { ShowPopupMenu(pos); };

    menu_ = new QMenu(this);
    menu_->setObjectName("PopupMenu2");
    auto action = [this](const char* name, const QString& text, void (CuttingList::*click)()) {
        QAction* a = menu_->addAction(text);
        a->setObjectName(name);
        a->setShortcutContext(Qt::WidgetShortcut);  // the grid's own keys do the work
        connect(a, &QAction::triggered, this, [this, click] { std::invoke(click, list_); });
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
    SetHint(stock_, "stock needed| The whole sheets and stock lengths the pieces in the list need");
    stock_->setProperty("helpContext", kHelpCutList);
    // The diagrams beside the text, in a scroller of their own.
    diagram_ = new StockDiagramView(list_, stockBox);
    SetHint(diagram_,
            "cutting diagrams| Where each piece comes out of its sheet or length; hatched parts are left over");
    diagram_->setProperty("helpContext", kHelpCutList);
    auto* diagramScroll = new QScrollArea(stockBox);
    diagramScroll->setObjectName("StockDiagramScroll");
    diagramScroll->setWidgetResizable(true);
    diagramScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    diagramScroll->setWidget(diagram_);
    auto* stockSplit = new QSplitter(Qt::Horizontal, stockBox);
    stockSplit->setObjectName("StockSplitter");
    stockSplit->setChildrenCollapsible(false);
    stockSplit->addWidget(stock_);
    stockSplit->addWidget(diagramScroll);
    diagramScroll->setMinimumWidth(220);
    stockSplit->setStretchFactor(0, 2);
    stockSplit->setStretchFactor(1, 3);
    stockSplit->setSizes({400, 600});
    stockColumn->addWidget(stockTitle);
    stockColumn->addWidget(stockSplit, 1);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("CutGridSplitter");
    split->setChildrenCollapsible(false);
    split->addWidget(grid_);
    split->addWidget(stockBox);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({330, 220});

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

    stockTimer_ = new QTimer(this);
    stockTimer_->setSingleShot(true);
    stockTimer_->setInterval(400);
    connect(stockTimer_, &QTimer::timeout, this, &CutGridPanel::ShowStockNow);
    subscription_ = list_.Changes.Subscribe([this](const CutListChange& change) {
        if (list_.StockChanged()) stockTimer_->start();  // restarted by every change that comes in
        if (change.kind == CutListChange::StateChanged) Refresh();
    });

    Refresh();
    ShowStockNow();
}

void CutGridPanel::ShowStockNow() {
    stockTimer_->stop();
    const QString summary = QString::fromStdString(list_.StockNeeded().Text());
    if (stock_->toPlainText() != summary) stock_->setPlainText(summary);
    diagram_->Refresh();
}

QToolButton* CutGridPanel::MakeTool(const char* name, const QString& text, const char* hint,
                                    void (CuttingList::*click)()) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setAutoRaise(false);
    b->setIconSize(QSize(20, 20));
    SetHint(b, hint);
    connect(b, &QToolButton::clicked, this, [this, click] { std::invoke(click, list_); });
    return b;
}

QList<QWidget*> CutGridPanel::EditTools() const { return {addToGridBtn_, gridEdit_}; }

QList<QWidget*> CutGridPanel::GridTools() const { return {copyBtn_, gridFontBtn_, deleteRowBtn_, updateCostBtn_}; }

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
    if (list_.StockChanged() && !stockTimer_->isActive()) stockTimer_->start();
}

}  // namespace trevane
