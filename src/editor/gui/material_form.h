#pragma once
// The fields of one material: details (every stored field and the picture),
// property values, values for the all-materials search and stock shapes. Every
// change goes to the document as one checked edit; a refused value is reported
// and the field shows the stored value again.
#include <QPlainTextEdit>
#include <QTabWidget>
#include <map>
#include <string>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QFormLayout;
class QWidget;

namespace trevane {

class DatabaseDocument;

// A description box that reports the end of editing, like a line edit.
class DescriptionEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;
signals:
    void editingFinished();

protected:
    void focusOutEvent(QFocusEvent* e) override;
};

class MaterialForm : public QTabWidget {
    Q_OBJECT
public:
    MaterialForm(DatabaseDocument& doc, QWidget* parent);
    // The fields lose the focus while they are destroyed: they must not edit then.
    ~MaterialForm() override;

    // Shows the material at `pos` (-1: none), building the fields of its kind.
    void ShowMaterial(int pos);
    // Shows the stored values again (after undo, redo or a refused value).
    void Reload();
    int Material() const { return pos_; }
    // The folder whose pictures the picture view shows.
    void SetPicturesFolder(const QString& dir);

signals:
    // An edit was made (the document changed).
    void Edited(int pos);
    // A value was refused; the message names the field.
    void Refused(const QString& message);
    void ImportPictureRequested();

private:
    void Commit(const std::string& problem);
    void BuildDetails();
    void BuildProperties();
    void BuildExtras();
    void BuildStock();
    void ShowPicture();
    void StockItemChanged(QTableWidgetItem* item);

    DatabaseDocument& doc_;
    int pos_ = -1;
    int kind_ = -2;
    bool loading_ = false;
    QString picsDir_;
    QWidget* details_;
    QFormLayout* form_ = nullptr;
    std::map<std::string, QWidget*> fields_;
    QLabel* picture_;
    QPushButton* importBtn_;
    QTableWidget* properties_;
    QTableWidget* extras_;
    QTableWidget* stock_;
};

}  // namespace trevane
