#include "costing/gui/stock_diagram_view.h"

#include <QPaintEvent>
#include <QPainter>

#include "costing/cutting_list.h"
#include "costing/stock_needed.h"
#include "printing/gui/qpainter_canvas.h"

namespace trevane {

namespace {

constexpr int kMargin = 4;  // pixels around the drawings

}  // namespace

StockDiagramView::StockDiagramView(CuttingList& list, QWidget* parent)
    : StockDiagramView([&list]() -> const StockSummary& { return list.StockNeeded(); }, parent) {}

StockDiagramView::StockDiagramView(StockSource stock, QWidget* parent) : QWidget(parent), stock_(std::move(stock)) {
    setObjectName("StockDiagram");
    setAttribute(Qt::WA_OpaquePaintEvent);
    Stack();
}

PageSetup StockDiagramView::Setup() const {
    const int ppi = logicalDpiY() > 0 ? logicalDpiY() : 96;
    return {width(), height(), ppi, ppi, ppi};
}

void StockDiagramView::Stack() {
    const int w = std::max(1, width() - 2 * kMargin);
    items_ = StackCuttingDiagrams(Setup(), stock_(), w);
    for (DiagramStock& item : items_) {
        item.cell.left += kMargin;
        item.cell.right += kMargin;
        item.cell.top += kMargin;
        item.cell.bottom += kMargin;
    }
    const int h = items_.empty() ? 0 : items_.back().cell.bottom + kMargin;
    if (minimumHeight() != h) setMinimumHeight(h);
}

void StockDiagramView::Refresh() {
    Stack();
    update();
}

void StockDiagramView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Stack();
}

void StockDiagramView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const StockSummary& stock = stock_();
    if (items_.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         tr("The cutting diagrams of the sheets and lengths are drawn here."));
        return;
    }
    QPainterCanvas canvas(painter);
    canvas.SetBrush(BrushStyle::Clear);
    const PageSetup page = Setup();
    const QRect exposed = event->rect();
    for (const DiagramStock& item : items_) {
        if (item.cell.bottom < exposed.top() || item.cell.top > exposed.bottom()) continue;
        // The summary may have been worked out again since the items were
        // stacked (the next Refresh stacks them anew): draw only what it holds.
        if (item.line >= stock.Lines.size() || item.use >= stock.Lines[item.line].Layout.Stock.size()) continue;
        DrawDiagramStock(canvas, page, stock, item);
    }
}

}  // namespace trevane
