#pragma once
// The class order window: many pupils' projects combined into what to order,
// with the cost of each project, the total and the stock the order needs;
// printed, saved as PDF or exported as CSV.
#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "editor/class_order.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPrinter;
class QTableWidget;

namespace trevane {

class EditorPrompts;
class StockDiagramView;

class ClassOrderWindow : public QMainWindow {
    Q_OBJECT
public:
    // `materials` gives the database whose stock sizes the stock summary uses
    // (called each time the order is combined).
    ClassOrderWindow(EditorPrompts& prompts, std::function<const TMaterialList&(const ClassOrder&)> materials,
                     QWidget* parent);

    // Adds project files and combines the order again.
    void AddProjects(const QStringList& paths);
    void RemoveSelectedProjects();
    void ClearProjects();
    const ClassOrder& Order() const { return order_; }
    QStringList Projects() const { return paths_; }

    // The order as an HTML page (what is printed before the cutting diagrams).
    QString Html() const;
    // Prints the order, then the cutting diagrams of its stock, every page
    // numbered; returns the number of pages (0: the printer would not start).
    int PrintTo(QPrinter& printer) const;
    const StockSummary& Stock() const { return stock_; }
    bool SavePdf(const QString& path);
    bool SaveCsv(const QString& path);

    // The buttons' commands (they ask for files).
    void AddProjectsClick();
    void PrintClick();
    void PdfClick();
    void CsvClick();

private:
    void Combine();
    void Show();

    EditorPrompts& prompts_;
    std::function<const TMaterialList&(const ClassOrder&)> materials_;
    QStringList paths_;
    ClassOrder order_;
    StockSummary stock_;
    QListWidget* projectList_;
    QTableWidget* orderGrid_;
    QTableWidget* costGrid_;
    QLabel* total_;
    QLabel* problems_;
    QPlainTextEdit* stockText_;
    StockDiagramView* diagram_;
};

}  // namespace trevane
