#pragma once
// The cutting diagrams of the cutting list on the costing page (StockDiagram):
// every sheet and length the list needs, one below the other at the view's
// width, drawn through the same code as the printed diagram pages. It shows the
// list's stock summary again whenever Refresh is called.
#include <QWidget>
#include <vector>

#include "printing/cutting_diagram_layout.h"

namespace trevane {

class CuttingList;

class StockDiagramView : public QWidget {
    Q_OBJECT
public:
    StockDiagramView(CuttingList& list, QWidget* parent);

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

    CuttingList& list_;
    std::vector<DiagramStock> items_;
};

}  // namespace trevane
