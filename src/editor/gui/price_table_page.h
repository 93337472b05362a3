#pragma once
// The price table: every price of one group of materials in one grid, editable,
// with "raise by x %" for the yearly price rise.
#include <QWidget>
#include <vector>

#include "editor/database_document.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace trevane {

class PriceTablePage : public QWidget {
    Q_OBJECT
public:
    PriceTablePage(DatabaseDocument& doc, QWidget* parent);

    // Shows the stored prices again.
    void Reload();
    MaterialGroup Group() const;
    void SetGroup(MaterialGroup group);
    // "Raise by": all prices of the group, or the selected rows when
    // RaiseSelectedCheck is ticked. Returns the problem, empty when done.
    QString RaiseClick();

signals:
    void Edited(int pos);
    void Refused(const QString& message);
    // The user asked to see a material (double click on its row).
    void ShowMaterialRequested(int pos);

private:
    void ItemChanged(QTableWidgetItem* item);

    DatabaseDocument& doc_;
    std::vector<PriceRow> rows_;
    bool loading_ = false;
    bool inChange_ = false;     // inside the grid's own change signal
    bool reloadLater_ = false;  // a reload asked for meanwhile
    QComboBox* group_;
    QTableWidget* grid_;
    QLineEdit* percent_;
    QCheckBox* selectedOnly_;
    QPushButton* raise_;
};

}  // namespace trevane
