#include "editor/gui/class_order_window.h"

#include <QAction>
#include <QColor>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include "common/errors.h"
#include "common/file_io.h"
#include "costing/csv_export.h"
#include "costing/gui/stock_diagram_view.h"
#include "editor/gui/editor_prompts.h"
#include "editor/gui/number_item.h"
#include "editor/material_fields.h"
#include "printing/cutting_diagram_layout.h"
#include "printing/gui/qpainter_canvas.h"

namespace trevane {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QTableWidget* Grid(const char* name, const QStringList& headings, QWidget* parent) {
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // the order's own until a heading is clicked
    t->setSortingEnabled(true);
    return t;
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

ClassOrderWindow::ClassOrderWindow(EditorPrompts& prompts,
                                   std::function<const TMaterialList&(const ClassOrder&)> materials, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), materials_(std::move(materials)) {
    setObjectName("ClassOrderWindow");
    setWindowTitle("Class order");
    setAttribute(Qt::WA_DeleteOnClose, false);

    QMenu* file = menuBar()->addMenu("&Order");
    file->setObjectName("OrderMenu");
    auto action = [&](const QString& text, const char* name, QKeySequence key, auto fn) {
        QAction* a = file->addAction(text);
        a->setObjectName(name);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    action("&Add projects...", "AddProjectsAction", QKeySequence::Open, [this] { AddProjectsClick(); });
    action("&Print...", "PrintOrderAction", QKeySequence::Print, [this] { PrintClick(); });
    action("Save as P&DF...", "PdfAction", QKeySequence(Qt::CTRL | Qt::Key_D), [this] { PdfClick(); });
    action("Export &CSV...", "CsvAction", QKeySequence(Qt::CTRL | Qt::Key_E), [this] { CsvClick(); });
    file->addSeparator();
    action("&Close", "CloseOrderAction", QKeySequence::Close, [this] { close(); });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* buttons = new QHBoxLayout;
    auto* add = Button("&Add projects...", "AddProjectsBtn", central);
    auto* remove = Button("&Remove", "RemoveProjectsBtn", central);
    auto* clear = Button("C&lear", "ClearProjectsBtn", central);
    auto* print = Button("&Print...", "PrintBtn", central);
    auto* pdf = Button("Save as P&DF...", "PdfBtn", central);
    auto* csv = Button("Export &CSV...", "CsvBtn", central);
    connect(add, &QPushButton::clicked, this, [this] { AddProjectsClick(); });
    connect(remove, &QPushButton::clicked, this, [this] { RemoveSelectedProjects(); });
    connect(clear, &QPushButton::clicked, this, [this] { ClearProjects(); });
    connect(print, &QPushButton::clicked, this, [this] { PrintClick(); });
    connect(pdf, &QPushButton::clicked, this, [this] { PdfClick(); });
    connect(csv, &QPushButton::clicked, this, [this] { CsvClick(); });
    for (QPushButton* b : {add, remove, clear}) buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {print, pdf, csv}) buttons->addWidget(b);
    layout->addLayout(buttons);

    auto* split = new QSplitter(Qt::Horizontal, central);
    split->setObjectName("OrderSplitter");
    auto* left = new QWidget(split);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel("Projects:", left));
    projectList_ = new QListWidget(left);
    projectList_->setObjectName("ProjectList");
    projectList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    leftLayout->addWidget(projectList_, 1);
    costGrid_ = Grid("ProjectCostGrid", {"Project", "Pieces", "Cost (\u00A3)"}, left);
    leftLayout->addWidget(costGrid_, 1);
    total_ = new QLabel(left);
    total_->setObjectName("TotalLabel");
    QFont bold = total_->font();
    bold.setBold(true);
    total_->setFont(bold);
    leftLayout->addWidget(total_);

    auto* right = new QWidget(split);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    problems_ = new QLabel(right);
    problems_->setObjectName("ProblemLabel");
    problems_->setWordWrap(true);
    problems_->setStyleSheet("color: #a00000");
    rightLayout->addWidget(problems_);
    QStringList headings;
    for (const auto& h : OrderHeadings()) headings << Q(h);
    orderGrid_ = Grid("OrderGrid", headings, right);
    rightLayout->addWidget(orderGrid_, 3);
    rightLayout->addWidget(new QLabel("Stock needed for the whole order (3 mm saw cuts):", right));
    stockText_ = new QPlainTextEdit(right);
    stockText_->setObjectName("StockText");
    stockText_->setReadOnly(true);
    stockText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The cutting diagrams beside the text, in a scroller of their own.
    diagram_ = new StockDiagramView([this]() -> const StockSummary& { return stock_; }, right);
    auto* diagramScroll = new QScrollArea(right);
    diagramScroll->setObjectName("OrderDiagramScroll");
    diagramScroll->setWidgetResizable(true);
    diagramScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    diagramScroll->setWidget(diagram_);
    diagramScroll->setMinimumWidth(220);
    auto* stockSplit = new QSplitter(Qt::Horizontal, right);
    stockSplit->setObjectName("OrderStockSplitter");
    stockSplit->setChildrenCollapsible(false);
    stockSplit->addWidget(stockText_);
    stockSplit->addWidget(diagramScroll);
    stockSplit->setSizes({350, 450});
    rightLayout->addWidget(stockSplit, 2);
    split->setStretchFactor(1, 3);
    layout->addWidget(split, 1);
    setCentralWidget(central);
    statusBar()->setObjectName("OrderStatusBar");
    resize(1100, 700);
    Show();
}

void ClassOrderWindow::AddProjects(const QStringList& paths) {
    for (const QString& p : paths)
        if (!paths_.contains(p)) paths_ << p;
    Combine();
}

void ClassOrderWindow::RemoveSelectedProjects() {
    QStringList keep;
    for (int i = 0; i < projectList_->count(); ++i)
        if (!projectList_->item(i)->isSelected()) keep << projectList_->item(i)->data(Qt::UserRole).toString();
    paths_ = keep;
    Combine();
}

void ClassOrderWindow::ClearProjects() {
    paths_.clear();
    Combine();
}

void ClassOrderWindow::Combine() {
    std::vector<std::string> files;
    for (const QString& p : paths_) files.push_back(p.toStdString());
    // A class's projects read in a moment; a whole year group may take longer.
    QProgressDialog progress("Reading projects...", "Stop", 0, static_cast<int>(files.size()), this);
    progress.setObjectName("OrderProgress");
    progress.setMinimumDuration(500);
    progress.setWindowModality(Qt::WindowModal);
    order_ = CombineProjects(files, [&](std::size_t done) {
        progress.setValue(static_cast<int>(done));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    stock_ = OrderStock(order_, materials_(order_));
    Show();
}

void ClassOrderWindow::Show() {
    projectList_->clear();
    for (const QString& p : paths_) {
        auto* item = new QListWidgetItem(QFileInfo(p).fileName(), projectList_);
        item->setData(Qt::UserRole, p);
        item->setToolTip(p);
        for (const auto& problem : order_.problems)
            if (Q(problem).startsWith(p + ": ")) {
                item->setForeground(QColor(0xa0, 0, 0));
                item->setToolTip(Q(problem));
            }
    }
    orderGrid_->setSortingEnabled(false);
    orderGrid_->setRowCount(static_cast<int>(order_.rows.size()));
    for (std::size_t r = 0; r < order_.rows.size(); ++r) {
        const auto cells = OrderCells(order_, order_.rows[r]);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const bool number = c == 3 || c == 5;
            QTableWidgetItem* item = number ? new NumberItem(Q(cells[c])) : new QTableWidgetItem(Q(cells[c]));
            if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            orderGrid_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    orderGrid_->setSortingEnabled(true);
    orderGrid_->resizeColumnsToContents();
    costGrid_->setSortingEnabled(false);
    costGrid_->setRowCount(static_cast<int>(order_.projects.size()));
    for (std::size_t p = 0; p < order_.projects.size(); ++p) {
        const auto& pr = order_.projects[p];
        costGrid_->setItem(static_cast<int>(p), 0, new QTableWidgetItem(Q(pr.label)));
        auto* pieces = new NumberItem(QString::number(pr.pieces));
        pieces->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        costGrid_->setItem(static_cast<int>(p), 1, pieces);
        auto* cost = new NumberItem(Q(FormatPence(pr.pence)));
        cost->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        costGrid_->setItem(static_cast<int>(p), 2, cost);
    }
    costGrid_->setSortingEnabled(true);
    costGrid_->resizeColumnsToContents();
    total_->setText("Total: \u00A3 " + Q(FormatPence(order_.totalPence)));
    QStringList problems;
    for (const auto& p : order_.problems) problems << Q(p);
    problems_->setText(problems.join("\n"));
    problems_->setVisible(!problems.isEmpty());
    stockText_->setPlainText(Q(stock_.Text()));
    diagram_->Refresh();
    statusBar()->showMessage(
        QString("%1 projects combined, %2 rows").arg(order_.projects.size()).arg(order_.rows.size()));
}

QString ClassOrderWindow::Html() const {
    QString h = "<html><body><h2>Class order</h2><table border=1 cellspacing=0 cellpadding=3><tr>";
    for (const auto& head : OrderHeadings()) h += "<th>" + Q(head).toHtmlEscaped() + "</th>";
    h += "</tr>";
    for (const auto& row : order_.rows) {
        h += "<tr>";
        const auto cells = OrderCells(order_, row);
        for (std::size_t c = 0; c < cells.size(); ++c)
            h += QString(c == 3 || c == 5 ? "<td align=right>" : "<td>") + Q(cells[c]).toHtmlEscaped() + "</td>";
        h += "</tr>";
    }
    h += "</table><h3>Cost of each project</h3><table border=1 cellspacing=0 cellpadding=3>"
         "<tr><th>Project</th><th>Pieces</th><th>Cost (\u00A3)</th></tr>";
    for (const auto& p : order_.projects)
        h += "<tr><td>" + Q(p.label).toHtmlEscaped() + "</td><td align=right>" + QString::number(p.pieces) +
             "</td><td align=right>" + Q(FormatPence(p.pence)) + "</td></tr>";
    h += "<tr><td><b>Total</b></td><td></td><td align=right><b>" + Q(FormatPence(order_.totalPence)) +
         "</b></td></tr></table>";
    if (!stock_.Text().empty())
        h += "<h3>Stock needed (3 mm saw cuts; cutting diagrams on the pages after)</h3><pre>" +
             Q(stock_.Text()).toHtmlEscaped() + "</pre>";
    if (!order_.problems.empty()) {
        h += "<h3>Left out</h3><ul>";
        for (const auto& p : order_.problems) h += "<li>" + Q(p).toHtmlEscaped() + "</li>";
        h += "</ul>";
    }
    return h + "</body></html>";
}

int ClassOrderWindow::PrintTo(QPrinter& printer) const {
    const int dpi = printer.resolution();
    const QRect paper = printer.pageLayout().paintRectPixels(dpi);
    const int footer = dpi / 3;  // the page number's line
    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&printer);
    doc.setDefaultFont(QFont("Sans Serif", 10));
    doc.setHtml(Html());
    const QSizeF text(paper.width(), paper.height() - footer);
    doc.setPageSize(text);
    const int textPages = doc.pageCount();
    const PageSetup setup{paper.width(), paper.height(), dpi, dpi, 96};
    const std::vector<DiagramPagePlan> plan = PlanCuttingDiagrams(setup, stock_);
    const int total = textPages + static_cast<int>(plan.size());
    auto pageText = [total](int page) { return QString("page %1 of %2").arg(page).arg(total); };

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    painter.setFont(QFont("Sans Serif", 8));
    for (int i = 0; i < textPages; ++i) {
        if (i > 0 && !printer.newPage()) return 0;
        painter.save();
        painter.translate(0, -i * text.height());
        doc.drawContents(&painter, QRectF(QPointF(0, i * text.height()), text));
        painter.restore();
        painter.drawText(QRect(0, paper.height() - footer, paper.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                         pageText(i + 1));
    }
    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (!printer.newPage()) return 0;
        QPainterCanvas canvas(painter, std::max(1, dpi / 200));
        DrawCuttingDiagramPage(canvas, Rect{0, 0, paper.width(), paper.height()}, setup, stock_, plan, i,
                               pageText(textPages + 1 + static_cast<int>(i)).toStdString(), PageFont{});
    }
    return painter.end() ? total : 0;
}

bool ClassOrderWindow::SavePdf(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    return PrintTo(printer) > 0 && QFileInfo(path).size() > 0;
}

bool ClassOrderWindow::SaveCsv(const QString& path) {
    try {
        WriteFileAtomically(path.toStdString(), std::string(kUtf8Bom) + OrderCsv(order_));
        return true;
    } catch (const EQelError& e) {
        prompts_.ShowError(this, "Export CSV", Q(e.what()));
        return false;
    }
}

void ClassOrderWindow::AddProjectsClick() {
    const QStringList files = prompts_.ChooseOpenFiles(this, "Add projects", {}, "Projects (*.prj);;All files (*)");
    if (files.isEmpty()) return;
    AddProjects(files);
    if (!order_.problems.empty()) {
        QStringList problems;
        for (const auto& p : order_.problems) problems << Q(p);
        prompts_.ShowInformation(this, "Class order", problems.join("\n"));
    }
}

void ClassOrderWindow::PrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!prompts_.ChoosePrinter(this, printer)) return;
    if (const int pages = PrintTo(printer))
        statusBar()->showMessage(QString("Printed %1 pages").arg(pages));
    else
        prompts_.ShowError(this, "Print", "The printer could not print the order.");
}

void ClassOrderWindow::PdfClick() {
    QString path = prompts_.ChooseSaveFile(this, "Save as PDF", "class-order.pdf", "PDF (*.pdf)");
    if (path.isEmpty()) return;
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    if (SavePdf(path))
        statusBar()->showMessage("Saved " + path);
    else
        prompts_.ShowError(this, "Save as PDF", "Cannot write " + path);
}

void ClassOrderWindow::CsvClick() {
    QString path = prompts_.ChooseSaveFile(this, "Export CSV", "class-order.csv", "CSV (*.csv)");
    if (path.isEmpty()) return;
    if (!path.endsWith(".csv", Qt::CaseInsensitive)) path += ".csv";
    if (SaveCsv(path)) statusBar()->showMessage("Exported " + path);
}

}  // namespace trevane
