#pragma once
// A table cell that sorts by the number it starts with ("12.50", "3 pieces")
// rather than by its text, so that 10 comes after 9.
#include <QTableWidgetItem>

namespace trevane {

class NumberItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override {
        return text().section(' ', 0, 0).toDouble() < other.text().section(' ', 0, 0).toDouble();
    }
};

}  // namespace trevane
