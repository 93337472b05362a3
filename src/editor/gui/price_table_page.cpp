#include "editor/gui/price_table_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/gui/number_item.h"

namespace trevane {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PriceTablePage::PriceTablePage(DatabaseDocument& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName("PriceTablePage");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* groupLabel = new QLabel("&Group:", this);
    group_ = new QComboBox(this);
    group_->setObjectName("PriceGroupCombo");
    for (int g = 0; g < kMaterialGroupCount; ++g) group_->addItem(Q(GroupCaption(static_cast<MaterialGroup>(g))));
    groupLabel->setBuddy(group_);
    connect(group_, &QComboBox::currentIndexChanged, this, [this] { Reload(); });
    top->addWidget(groupLabel);
    top->addWidget(group_);
    top->addSpacing(24);
    auto* raiseLabel = new QLabel("&Raise by:", this);
    percent_ = new QLineEdit(this);
    percent_->setObjectName("RaisePercentEdit");
    percent_->setPlaceholderText("e.g. 3.5");
    percent_->setMaximumWidth(80);
    raiseLabel->setBuddy(percent_);
    raise_ = new QPushButton("% Raise prices", this);
    raise_->setObjectName("RaiseBtn");
    raise_->setToolTip("Raise the prices by the percentage, rounded to whole pence");
    selectedOnly_ = new QCheckBox("only the &selected rows", this);
    selectedOnly_->setObjectName("RaiseSelectedCheck");
    connect(raise_, &QPushButton::clicked, this, [this] { RaiseClick(); });
    connect(percent_, &QLineEdit::returnPressed, this, [this] { RaiseClick(); });
    top->addWidget(raiseLabel);
    top->addWidget(percent_);
    top->addWidget(raise_);
    top->addWidget(selectedOnly_);
    top->addStretch(1);
    layout->addLayout(top);

    grid_ = new QTableWidget(0, 5, this);
    grid_->setObjectName("PriceGrid");
    grid_->setHorizontalHeaderLabels({"Material", "Size", "Unit", "Price (\u00A3)", "Stocked"});
    grid_->verticalHeader()->setVisible(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // list order until a heading is clicked
    grid_->setSortingEnabled(true);
    connect(grid_, &QTableWidget::itemChanged, this, &PriceTablePage::ItemChanged);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
        if (col == 3) return;
        const int r = grid_->item(row, 0)->data(Qt::UserRole).toInt();
        emit ShowMaterialRequested(rows_[static_cast<std::size_t>(r)].material);
    });
    layout->addWidget(grid_, 1);
    Reload();
}

MaterialGroup PriceTablePage::Group() const { return static_cast<MaterialGroup>(std::max(0, group_->currentIndex())); }

void PriceTablePage::SetGroup(MaterialGroup group) { group_->setCurrentIndex(static_cast<int>(group)); }

void PriceTablePage::Reload() {
    // The grid's items are replaced: not while one of them is still reporting its change.
    if (inChange_) {
        if (!reloadLater_)
            QMetaObject::invokeMethod(
                this,
                [this] {
                    reloadLater_ = false;
                    Reload();
                },
                Qt::QueuedConnection);
        reloadLater_ = true;
        return;
    }
    loading_ = true;
    rows_ = PriceRows(doc_.Materials(), Group());
    const bool sorting = grid_->isSortingEnabled();
    grid_->setSortingEnabled(false);
    grid_->setRowCount(static_cast<int>(rows_.size()));
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const PriceRow& r = rows_[i];
        const int row = static_cast<int>(i);
        auto fixed = [&](int col, QTableWidgetItem* item) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setData(Qt::UserRole, row);
            grid_->setItem(row, col, item);
        };
        fixed(0, new QTableWidgetItem(Q(r.name)));
        fixed(1, new QTableWidgetItem(Q(r.size)));
        fixed(2, new QTableWidgetItem(Q(r.unit)));
        auto* price = new NumberItem(Q(FormatPence(r.pence)));
        price->setData(Qt::UserRole, row);
        price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(row, 3, price);
        fixed(4, new QTableWidgetItem(r.stocked ? "yes" : "no"));
    }
    grid_->setSortingEnabled(sorting);
    grid_->resizeColumnsToContents();
    loading_ = false;
}

void PriceTablePage::ItemChanged(QTableWidgetItem* item) {
    if (loading_ || !item || item->column() != 3) return;
    const PriceRow row = rows_[static_cast<std::size_t>(item->data(Qt::UserRole).toInt())];
    const std::string problem = doc_.SetPrice(row, item->text().toStdString());
    inChange_ = true;
    if (problem.empty())
        emit Edited(row.material);
    else {
        emit Refused(Q(problem));
        Reload();
    }
    inChange_ = false;
}

QString PriceTablePage::RaiseClick() {
    std::vector<PriceRow> chosen;
    if (selectedOnly_->isChecked()) {
        QSet<int> picked;
        for (QTableWidgetItem* item : grid_->selectedItems()) picked.insert(item->data(Qt::UserRole).toInt());
        if (picked.isEmpty()) {
            emit Refused("Raise by: select the rows to raise first");
            return "Raise by: select the rows to raise first";
        }
        for (int r : picked) chosen.push_back(rows_[static_cast<std::size_t>(r)]);
    }
    const std::string problem = doc_.RaisePrices(Group(), percent_->text().trimmed().toStdString(), chosen);
    if (!problem.empty()) {
        emit Refused(Q(problem));
        return Q(problem);
    }
    emit Edited(-1);
    return {};
}

}  // namespace trevane
