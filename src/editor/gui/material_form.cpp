#include "editor/gui/material_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/database_document.h"
#include "editor/material_fields.h"
#include "materials/matching.h"
#include "materials/tables.h"

namespace trevane {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QTableWidget* MakeTable(const char* name, const QStringList& headings, QWidget* parent) {
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    return t;
}

// A value box of the words the flag rule knows for the property.
QComboBox* WordBox(const QString& name, int index, const std::string& current, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItem("");
    for (const auto& w : RuleWords(index)) box->addItem(Q(w));
    if (box->findText(Q(current)) < 0) box->addItem(Q(current));  // a stored value the rule does not know
    box->setCurrentIndex(box->findText(Q(current)));
    return box;
}

}  // namespace

void DescriptionEdit::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    emit editingFinished();
}

MaterialForm::MaterialForm(DatabaseDocument& doc, QWidget* parent) : QTabWidget(parent), doc_(doc) {
    setObjectName("MaterialTabs");
    details_ = new QWidget(this);
    details_->setObjectName("DetailsPage");
    auto* detailsLayout = new QHBoxLayout(details_);
    auto* formHost = new QWidget(details_);
    formHost->setObjectName("DetailsForm");
    form_ = new QFormLayout(formHost);
    detailsLayout->addWidget(formHost, 1);
    auto* pictureColumn = new QVBoxLayout;
    picture_ = new QLabel(details_);
    picture_->setObjectName("PictureView");
    picture_->setFixedSize(204, 154);
    picture_->setFrameShape(QFrame::Box);
    picture_->setAlignment(Qt::AlignCenter);
    importBtn_ = new QPushButton("&Import picture...", details_);
    importBtn_->setObjectName("ImportPictureBtn");
    importBtn_->setToolTip("Import a JPEG or PNG photo as this material's picture");
    connect(importBtn_, &QPushButton::clicked, this, &MaterialForm::ImportPictureRequested);
    pictureColumn->addWidget(picture_);
    pictureColumn->addWidget(importBtn_);
    pictureColumn->addStretch(1);
    detailsLayout->addLayout(pictureColumn);
    addTab(details_, "&Details");

    properties_ = MakeTable("PropertyTable", {"Property", "Value"}, this);
    addTab(properties_, "&Properties");
    extras_ = MakeTable("ExtraTable", {"Property", "Value for the all-materials search"}, this);
    addTab(extras_, "&Search values");
    stock_ = MakeTable("StockTable", {"Size", "Price (\u00A3)", "Stocked", "Largest length (cm)", "Largest width (cm)"},
                       this);
    connect(stock_, &QTableWidget::itemChanged, this, &MaterialForm::StockItemChanged);
    addTab(stock_, "S&tock");
    ShowMaterial(-1);
}

MaterialForm::~MaterialForm() {
    for (auto& [key, w] : fields_) w->blockSignals(true);
}

void MaterialForm::SetPicturesFolder(const QString& dir) {
    picsDir_ = dir;
    ShowPicture();
}

void MaterialForm::Commit(const std::string& problem) {
    if (loading_) return;
    if (!problem.empty()) {
        emit Refused(Q(problem));
        Reload();
        return;
    }
    emit Edited(pos_);
}

void MaterialForm::ShowMaterial(int pos) {
    if (pos >= doc_.Count()) pos = -1;
    const int kind = pos < 0 ? -1 : doc_.Material(pos).RecordKind();
    pos_ = pos;
    if (kind != kind_) {
        kind_ = kind;
        BuildDetails();
    }
    setEnabled(pos >= 0);
    loading_ = true;
    BuildProperties();
    BuildExtras();
    BuildStock();
    loading_ = false;
    Reload();
}

void MaterialForm::BuildDetails() {
    while (form_->rowCount() > 0) form_->removeRow(0);
    fields_.clear();
    if (pos_ < 0) return;
    const TMaterial& m = doc_.Material(pos_);
    for (const FieldInfo& f : MaterialFields(m)) {
        const QString name = Q("Field_" + f.key);
        const std::string key = f.key;
        QWidget* w = nullptr;
        switch (f.type) {
            case FieldType::LongText: {
                auto* e = new DescriptionEdit(details_);
                e->setTabChangesFocus(true);
                connect(e, &DescriptionEdit::editingFinished, this, [this, e, key] {
                    if (pos_ >= 0 && S(e->toPlainText()) != GetField(doc_.Material(pos_), key))
                        Commit(doc_.SetField(pos_, key, S(e->toPlainText())));
                });
                w = e;
                break;
            }
            case FieldType::Switch: {
                auto* c = new QCheckBox(details_);
                connect(c, &QCheckBox::toggled, this, [this, key](bool on) {
                    if (!loading_) Commit(doc_.SetField(pos_, key, on ? "true" : "false"));
                });
                w = c;
                break;
            }
            case FieldType::Choice: {
                auto* c = new QComboBox(details_);
                for (const auto& choice : FieldChoices(key)) c->addItem(Q(choice));
                connect(c, &QComboBox::activated, this,
                        [this, c, key](int) { Commit(doc_.SetField(pos_, key, S(c->currentText()))); });
                w = c;
                break;
            }
            default: {
                auto* e = new QLineEdit(details_);
                connect(e, &QLineEdit::editingFinished, this, [this, e, key] {
                    if (pos_ >= 0 && S(e->text()) != GetField(doc_.Material(pos_), key))
                        Commit(doc_.SetField(pos_, key, S(e->text())));
                });
                w = e;
                break;
            }
        }
        w->setObjectName(name);
        form_->addRow(Q(f.label), w);
        fields_[key] = w;
    }
}

void MaterialForm::Reload() {
    loading_ = true;
    const bool has = pos_ >= 0 && pos_ < doc_.Count();
    if (has) {
        const TMaterial& m = doc_.Material(pos_);
        for (auto& [key, w] : fields_) {
            const QString v = Q(GetField(m, key));
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->setText(v);
            else if (auto* d = qobject_cast<QPlainTextEdit*>(w)) {
                if (d->toPlainText() != v) d->setPlainText(v);
            } else if (auto* c = qobject_cast<QCheckBox*>(w))
                c->setChecked(v == "true");
            else if (auto* b = qobject_cast<QComboBox*>(w)) {
                if (b->findText(v) < 0) b->addItem(v);
                b->setCurrentIndex(b->findText(v));
            }
        }
    }
    if (has) {
        const TMaterial& m = doc_.Material(pos_);
        auto setWord = [](QWidget* w, const std::string& word) {
            auto* box = qobject_cast<QComboBox*>(w);
            if (!box) return;
            if (box->findText(Q(word)) < 0) box->addItem(Q(word));
            box->setCurrentIndex(box->findText(Q(word)));
        };
        for (int e = 0; e < m.PropertyCount() && e < properties_->rowCount(); ++e)
            setWord(properties_->cellWidget(e, 1), m.PropertyValueText(e));
        for (int row = 0; row < extras_->rowCount(); ++row) {
            auto* box = extras_->cellWidget(row, 1);
            const int index = box ? box->objectName().mid(6).toInt() : 0;
            setWord(box, ExtraValue(m, index));
        }
        const bool was = stock_->blockSignals(true);
        for (int sh = 0; sh < stock_->rowCount() && sh < m.ShapeCount(); ++sh)
            for (int c = 1; c < stock_->columnCount(); ++c) {
                QTableWidgetItem* item = stock_->item(sh, c);
                if (!item) continue;
                const std::string v = GetShapeField(m, sh, S(item->data(Qt::UserRole).toString()));
                if (item->data(Qt::UserRole + 1).toBool())
                    item->setCheckState(v == "true" ? Qt::Checked : Qt::Unchecked);
                else
                    item->setText(Q(v));
            }
        stock_->blockSignals(was);
    }
    ShowPicture();
    loading_ = false;
}

void MaterialForm::BuildProperties() {
    properties_->setRowCount(0);
    if (pos_ < 0) return;
    const TMaterial& m = doc_.Material(pos_);
    properties_->setRowCount(m.PropertyCount());
    for (int e = 0; e < m.PropertyCount(); ++e) {
        auto* name = new QTableWidgetItem(Q(m.PropertyName(e)));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        properties_->setItem(e, 0, name);
        auto* box = WordBox("Property_" + QString::number(m.PropertyIndex(e)), m.PropertyIndex(e),
                            m.PropertyValueText(e), properties_);
        connect(box, &QComboBox::activated, this,
                [this, box, e](int) { Commit(doc_.SetPropertyValue(pos_, e, S(box->currentText()))); });
        properties_->setCellWidget(e, 1, box);
    }
    properties_->resizeColumnToContents(0);
}

void MaterialForm::BuildExtras() {
    extras_->setRowCount(0);
    if (pos_ < 0) return;
    const TMaterial& m = doc_.Material(pos_);
    for (int index = 1; index <= kPropertyCount; ++index) {
        if (m.PropSet.Has(index)) continue;
        const int row = extras_->rowCount();
        extras_->insertRow(row);
        auto* name = new QTableWidgetItem(Q(PropertyTitle(index)));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        extras_->setItem(row, 0, name);
        auto* box = WordBox("Extra_" + QString::number(index), index, ExtraValue(m, index), extras_);
        connect(box, &QComboBox::activated, this,
                [this, box, index](int) { Commit(doc_.SetExtraValue(pos_, index, S(box->currentText()))); });
        extras_->setCellWidget(row, 1, box);
    }
    extras_->resizeColumnToContents(0);
}

void MaterialForm::BuildStock() {
    const bool was = stock_->blockSignals(true);
    stock_->setRowCount(0);
    const bool has = pos_ >= 0 && doc_.Material(pos_).ShapeCount() > 0;
    setTabEnabled(indexOf(stock_), has);
    if (has) {
        const TMaterial& m = doc_.Material(pos_);
        const auto fields = ShapeFields(m);
        QStringList headings = {"Size"};
        for (const auto& f : fields) headings << Q(f.label);
        stock_->setColumnCount(static_cast<int>(headings.size()));
        stock_->setHorizontalHeaderLabels(headings);
        stock_->setRowCount(m.ShapeCount());
        for (int s = 0; s < m.ShapeCount(); ++s) {
            auto* size = new QTableWidgetItem(Q(ShapeSizeText(m, s)));
            size->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            stock_->setItem(s, 0, size);
            for (std::size_t c = 0; c < fields.size(); ++c) {
                const std::string v = GetShapeField(m, s, fields[c].key);
                auto* item = new QTableWidgetItem;
                item->setData(Qt::UserRole, Q(fields[c].key));
                if (fields[c].type == FieldType::Switch) {
                    item->setData(Qt::UserRole + 1, true);
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
                    item->setCheckState(v == "true" ? Qt::Checked : Qt::Unchecked);
                } else {
                    item->setText(Q(v));
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                }
                stock_->setItem(s, static_cast<int>(c) + 1, item);
            }
        }
        stock_->resizeColumnsToContents();
    }
    stock_->blockSignals(was);
}

void MaterialForm::StockItemChanged(QTableWidgetItem* item) {
    if (loading_ || pos_ < 0 || !item || item->column() == 0) return;
    const std::string key = S(item->data(Qt::UserRole).toString());
    const std::string text = item->data(Qt::UserRole + 1).toBool()
                                 ? (item->checkState() == Qt::Checked ? "true" : "false")
                                 : S(item->text());
    if (text == GetShapeField(doc_.Material(pos_), item->row(), key)) return;
    Commit(doc_.SetShapeField(pos_, item->row(), key, text));
}

void MaterialForm::ShowPicture() {
    importBtn_->setEnabled(pos_ >= 0);
    if (pos_ < 0) {
        picture_->clear();
        return;
    }
    const QString file = picsDir_ + "/" + QString::number(doc_.Material(pos_).PictureNumber) + ".jpg";
    QPixmap pixmap;
    if (QFile::exists(file) && pixmap.load(file))
        picture_->setPixmap(pixmap.scaled(200, 150, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        picture_->setText("no picture\n" + QString::number(doc_.Material(pos_).PictureNumber) + ".jpg");
}

}  // namespace trevane
