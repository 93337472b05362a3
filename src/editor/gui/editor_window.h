#pragma once
// The staff program's main window: the materials by group, the fields of the
// chosen material, the price table, and the class order window.
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "editor/database_document.h"

class QAction;
class QApplication;
class QLabel;
class QTabWidget;
class QTreeWidget;

namespace trevane {

class ClassOrderWindow;
class EditorPrompts;
class MaterialForm;
class PriceTablePage;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // `programDir`: the folder of the programs and their data (databases, pics/).
    EditorWindow(EditorPrompts& prompts, const QString& programDir, QWidget* parent = nullptr);
    ~EditorWindow() override;

    DatabaseDocument& Document() { return doc_; }
    // Opens a database or source file; false (after the message) when it cannot be read.
    bool OpenFile(const QString& path);
    // Saves to the open file (or asks for one); false when not saved.
    bool Save();
    bool SaveAs();
    // Asks about unsaved changes; false when the user cancels.
    bool MaySpoilChanges();
    // The material shown (-1: none) and choosing one.
    int Current() const;
    void SelectMaterial(int pos);
    ClassOrderWindow* ClassOrder();
    QString PicturesFolder() const;

    // Menu commands.
    void NewClick();
    void OpenClick();
    void ImportSourceClick();
    void ExportSourceClick();
    void UndoClick();
    void RedoClick();
    void AddMaterialClick();
    void DuplicateClick();
    void DeleteClick();
    void MoveClick(int by);
    void CheckClick();
    void ImportPictureClick();
    void ClassOrderClick();

protected:
    void closeEvent(QCloseEvent* e) override;
    // Coming back to the window: a file another teacher saved meanwhile is noted.
    void changeEvent(QEvent* e) override;

private:
    void BuildMenus();
    // Ends the typing in the field that has the focus, so that what was typed is
    // an edit before a command runs (Ctrl+S while the cursor is still in a field).
    void CommitTyping();
    // Shows the document again: the list, the fields, the prices, the actions.
    void Refresh(int select);
    void Edited(int pos);
    void Refused(const QString& message);
    void ShowProblems(const std::vector<Problem>& problems);
    bool SaveTo(const std::string& path);

    EditorPrompts& prompts_;
    QString programDir_;
    DatabaseDocument doc_;
    QTabWidget* mainTabs_;
    QTreeWidget* tree_;
    MaterialForm* form_;
    PriceTablePage* prices_;
    QLabel* fileLabel_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QPointer<ClassOrderWindow> order_;
    std::unique_ptr<TMaterialList> orderDatabase_;
    bool diskNoted_ = false;
};

// Runs the staff program: the database given on the command line, or the
// program's own higher.mdf.
int RunEditor(QApplication& app);

}  // namespace trevane
