#pragma once
// The cutting list on the costing page: the grid CutGrid with its context menu
// PopupMenu2, the "stock needed" summary under it, and the grid's toolbar tools
// (AddToGridBtn, GridEdit, CopyBtn, GridFontBtn, DeleteRowBtn, UpdateCostBtn).
//
// The tools are children of the panel. With ownToolbar they sit in a row above
// the grid; without it the host places them in its own toolbar (adding a widget
// to a layout re-parents it): EditTools() after the material selector, then the
// file and print tools, then GridTools().
#include <QList>
#include <QWidget>

#include "costing/cutting_list.h"

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace trevane {

class CutGridView;
class StockDiagramView;

class CutGridPanel : public QWidget {
    Q_OBJECT
public:
    CutGridPanel(CuttingList& list, QWidget* parent, bool ownToolbar = true);

    // Shows the buttons' states, GridEdit, the font, the widths and the current
    // cell again; called whenever the list announces a change (the grid's cells
    // follow the list's announcements by themselves).
    void Refresh();
    // The stock summary is worked out a moment after the last change of a field
    // that decides it, never while keys come in; this does it now.
    void ShowStockNow();

    CutGridView* Grid() const { return grid_; }
    QPlainTextEdit* StockSummary() const { return stock_; }
    StockDiagramView* StockDiagram() const { return diagram_; }
    QMenu* PopupMenu2() const { return menu_; }
    QList<QWidget*> EditTools() const;  // AddToGridBtn, GridEdit
    QList<QWidget*> GridTools() const;  // CopyBtn, GridFontBtn, DeleteRowBtn, UpdateCostBtn

private:
    QToolButton* MakeTool(const char* name, const QString& text, const char* hint, void (CuttingList::*click)());
    void ShowPopupMenu(const QPoint& globalPos);
    CuttingList& list_;
    CutGridView* grid_ = nullptr;
    QPlainTextEdit* stock_ = nullptr;
    StockDiagramView* diagram_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* copygrid1_ = nullptr;
    QAction* delete1_ = nullptr;
    QAction* deleterow1_ = nullptr;
    QAction* exportCsv1_ = nullptr;
    QToolButton* addToGridBtn_ = nullptr;
    QLineEdit* gridEdit_ = nullptr;
    QToolButton* copyBtn_ = nullptr;
    QToolButton* gridFontBtn_ = nullptr;
    QToolButton* deleteRowBtn_ = nullptr;
    QToolButton* updateCostBtn_ = nullptr;
    QTimer* stockTimer_ = nullptr;
    Notifier<CutListChange>::Subscription subscription_;
};

}  // namespace trevane
