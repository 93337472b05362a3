#pragma once
// The cutting diagrams of the cutting list on the costing page (StockDiagram),
// and of a class order in the staff program: every sheet and length the stock
// summary holds, one below the other at the view's width, drawn through the same
// code as the printed diagram pages. It takes the summary again whenever Refresh
// is called.
#include <QWidget>
#include <functional>
#include <vector>

#include "printing/cutting_diagram_layout.h"

namespace trevane {

class CuttingList;

class StockDiagramView : public QWidget {
    Q_OBJECT
public:
    using StockSource = std::function<const StockSummary&()>;
    StockDiagramView(CuttingList& list, QWidget* parent);
    StockDiagramView(StockSource stock, QWidget* parent);

    // Takes the list's stock summary again and redraws.
    void Refresh();
    // The sheets and lengths drawn, at the present width.
    const std::vector<DiagramStock>& Items() const { return items_; }
    PageSetup Setup() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Stack();

    StockSource stock_;
    std::vector<DiagramStock> items_;
};

}  // namespace trevane
