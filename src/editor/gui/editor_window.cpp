#include "editor/gui/editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "editor/gui/class_order_window.h"
#include "editor/gui/editor_prompts.h"
#include "editor/gui/material_form.h"
#include "editor/gui/picture_import.h"
#include "editor/gui/price_table_page.h"
#include "editor/material_fields.h"
#include "common/file_io.h"
#include "trevane-db/source_format.h"

namespace trevane {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* const kDatabaseFilter = "Databases (*.mdf);;Database sources (*.json);;All files (*)";

// Tree items sort by the number they show in the position and picture columns.
class MaterialItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        if (!parent() && !other.parent()) return data(0, Qt::UserRole).toInt() < other.data(0, Qt::UserRole).toInt();
        const int col = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (col == 2 || col == 4) return text(col).toLongLong() < other.text(col).toLongLong();
        return QString::localeAwareCompare(text(col), other.text(col)) < 0;
    }
};

}  // namespace

EditorWindow::EditorWindow(EditorPrompts& prompts, const QString& programDir, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts), programDir_(programDir) {
    setObjectName("EditorWindow");
    mainTabs_ = new QTabWidget(this);
    mainTabs_->setObjectName("MainTabs");

    auto* split = new QSplitter(Qt::Horizontal, mainTabs_);
    split->setObjectName("MaterialsPage");
    tree_ = new QTreeWidget(split);
    tree_->setObjectName("MaterialTree");
    tree_->setHeaderLabels({"Material", "Kind", "Picture", "Available", "#"});
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(4, Qt::AscendingOrder);
    tree_->setUniformRowHeights(true);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setStretchLastSection(false);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item || !item->parent()) return;
        const int pos = item->data(0, Qt::UserRole).toInt();
        if (pos != form_->Material()) form_->ShowMaterial(pos);
    });
    form_ = new MaterialForm(doc_, split);
    form_->SetPicturesFolder(PicturesFolder());
    connect(form_, &MaterialForm::Edited, this, &EditorWindow::Edited);
    connect(form_, &MaterialForm::Refused, this, &EditorWindow::Refused);
    connect(form_, &MaterialForm::ImportPictureRequested, this, &EditorWindow::ImportPictureClick);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    mainTabs_->addTab(split, "&Materials");

    prices_ = new PriceTablePage(doc_, mainTabs_);
    connect(prices_, &PriceTablePage::Edited, this, &EditorWindow::Edited);
    connect(prices_, &PriceTablePage::Refused, this, &EditorWindow::Refused);
    connect(prices_, &PriceTablePage::ShowMaterialRequested, this, [this](int pos) {
        mainTabs_->setCurrentIndex(0);
        SelectMaterial(pos);
    });
    mainTabs_->addTab(prices_, "P&rice table");
    setCentralWidget(mainTabs_);

    statusBar()->setObjectName("StatusBar");
    fileLabel_ = new QLabel(this);
    fileLabel_->setObjectName("FileLabel");
    statusBar()->addPermanentWidget(fileLabel_);
    BuildMenus();
    resize(1200, 760);
    Refresh(-1);
}

EditorWindow::~EditorWindow() {
    // The widgets use the document: they go while it is still there.
    delete order_.data();
    delete takeCentralWidget();
}

QString EditorWindow::PicturesFolder() const {
    // The pictures beside the database (the program's folder, where the program
    // reads them); a database kept elsewhere without pictures of its own shows
    // and adds to the program's.
    if (doc_.HasPath()) {
        const QString beside = QFileInfo(Q(doc_.Path())).absolutePath() + "/pics";
        if (QFileInfo(beside).isDir()) return beside;
    }
    return programDir_ + "/pics";
}

void EditorWindow::BuildMenus() {
    auto add = [this](QMenu* menu, const QString& text, const char* name, const QKeySequence& key, auto fn) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (!key.isEmpty()) a->setShortcut(key);
        connect(a, &QAction::triggered, this, fn);
        return a;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    add(file, "&New database", "NewAction", QKeySequence::New, [this] { NewClick(); });
    add(file, "&Open...", "OpenAction", QKeySequence::Open, [this] { OpenClick(); });
    add(file, "&Import source...", "ImportSourceAction", QKeySequence(Qt::CTRL | Qt::Key_I),
        [this] { ImportSourceClick(); });
    file->addSeparator();
    add(file, "&Save", "SaveAction", QKeySequence::Save, [this] { Save(); });
    add(file, "Save &as...", "SaveAsAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveAs(); });
    add(file, "&Export source...", "ExportSourceAction", QKeySequence(Qt::CTRL | Qt::Key_E),
        [this] { ExportSourceClick(); });
    file->addSeparator();
    add(file, "&Class order...", "ClassOrderAction", QKeySequence(Qt::CTRL | Qt::Key_K), [this] { ClassOrderClick(); });
    file->addSeparator();
    add(file, "&Quit", "QuitAction", QKeySequence::Quit, [this] { close(); });

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("EditMenu");
    undo_ = add(edit, "&Undo", "UndoAction", QKeySequence::Undo, [this] { UndoClick(); });
    redo_ = add(edit, "&Redo", "RedoAction", QKeySequence(), [this] { RedoClick(); });
    redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    add(edit, "&Add material...", "AddMaterialAction", QKeySequence(Qt::CTRL | Qt::Key_Insert),
        [this] { AddMaterialClick(); });
    add(edit, "D&uplicate material", "DuplicateAction", QKeySequence(Qt::CTRL | Qt::Key_D),
        [this] { DuplicateClick(); });
    add(edit, "&Delete material", "DeleteAction", QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { DeleteClick(); });
    add(edit, "Move u&p", "MoveUpAction", QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { MoveClick(-1); });
    add(edit, "Move do&wn", "MoveDownAction", QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { MoveClick(1); });
    edit->addSeparator();
    add(edit, "Import &picture...", "ImportPictureAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
        [this] { ImportPictureClick(); });
    add(edit, "&Check database", "CheckAction", QKeySequence(Qt::Key_F7), [this] { CheckClick(); });

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("ViewMenu");
    add(view, "&Materials", "ShowMaterialsAction", QKeySequence(Qt::CTRL | Qt::Key_1),
        [this] { mainTabs_->setCurrentIndex(0); });
    add(view, "P&rice table", "ShowPricesAction", QKeySequence(Qt::CTRL | Qt::Key_2),
        [this] { mainTabs_->setCurrentIndex(1); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("HelpMenu");
    add(help, "&About", "AboutAction", QKeySequence(), [this] {
        prompts_.ShowInformation(this, "About",
                                 "Trevane editor: the materials database, its prices, stock and pictures, "
                                 "and class orders from pupils' projects.");
    });
}

int EditorWindow::Current() const { return form_->Material(); }

void EditorWindow::CommitTyping() {
    QPointer<QWidget> focused = QApplication::focusWidget();
    if (!focused || !isAncestorOf(focused)) return;
    focused->clearFocus();  // a line edit, the description or a grid cell ends its editing
    if (focused) focused->setFocus();
}

void EditorWindow::SelectMaterial(int pos) {
    for (int g = 0; g < tree_->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tree_->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i)
            if (group->child(i)->data(0, Qt::UserRole).toInt() == pos) {
                tree_->setCurrentItem(group->child(i));
                tree_->scrollToItem(group->child(i));
                // The same material keeps its fields (a value box or grid cell
                // may still be reporting the edit that led here); another is built.
                if (pos == form_->Material())
                    form_->Reload();
                else
                    form_->ShowMaterial(pos);
                return;
            }
    }
    form_->ShowMaterial(-1);
}

void EditorWindow::Refresh(int select) {
    const bool was = tree_->blockSignals(true);
    QList<bool> expanded;
    for (int g = 0; g < tree_->topLevelItemCount(); ++g) expanded << tree_->topLevelItem(g)->isExpanded();
    tree_->clear();
    std::vector<QTreeWidgetItem*> groups;
    for (int g = 0; g < kMaterialGroupCount; ++g) {
        auto* item = new MaterialItem(tree_);
        item->setFlags(Qt::ItemIsEnabled);
        item->setExpanded(g >= expanded.size() || expanded[g]);
        item->setData(0, Qt::UserRole, g);  // groups keep their order whatever the sorting
        groups.push_back(item);
    }
    std::vector<int> counts(kMaterialGroupCount, 0);
    for (int i = 0; i < doc_.Count(); ++i) {
        const TMaterial& m = doc_.Material(i);
        const int g = static_cast<int>(GroupOf(m));
        ++counts[static_cast<std::size_t>(g)];
        auto* item = new MaterialItem(groups[static_cast<std::size_t>(g)]);
        item->setText(0, Q(m.Name));
        item->setText(1, Q(m.RecordKind() == 0 ? (GetField(m, "hardwood") == "true" ? "hardwood" : "softwood")
                                               : KindWord(m.RecordKind())));
        item->setText(2, QString::number(m.PictureNumber));
        item->setText(3, m.CostingFlag != 0 ? "yes" : "no");
        item->setText(4, QString::number(i));
        item->setData(0, Qt::UserRole, i);
    }
    for (int g = 0; g < kMaterialGroupCount; ++g)
        groups[static_cast<std::size_t>(g)]->setText(0, Q(GroupCaption(static_cast<MaterialGroup>(g))) + " (" +
                                                            QString::number(counts[static_cast<std::size_t>(g)]) + ")");
    tree_->blockSignals(was);
    for (int c = 1; c < 5; ++c) tree_->resizeColumnToContents(c);
    SelectMaterial(select);
    prices_->Reload();
    form_->SetPicturesFolder(PicturesFolder());

    undo_->setEnabled(doc_.CanUndo());
    undo_->setText(doc_.CanUndo() ? "&Undo " + Q(doc_.UndoText()) : "&Undo");
    redo_->setEnabled(doc_.CanRedo());
    redo_->setText(doc_.CanRedo() ? "&Redo " + Q(doc_.RedoText()) : "&Redo");
    const QString name = doc_.HasPath() ? QFileInfo(Q(doc_.Path())).fileName() : "untitled.mdf";
    setWindowTitle("Trevane editor - " + name + "[*]");
    setWindowModified(doc_.Modified());
    fileLabel_->setText(QString("%1 materials, %2 level").arg(doc_.Count()).arg(doc_.Level() ? "higher" : "lower"));
}

void EditorWindow::Edited(int pos) {
    // Only the names and numbers in the list and the prices change; the fields
    // being typed into stay as they are.
    const int current = Current();
    Refresh(current >= 0 ? current : pos);
    statusBar()->showMessage(Q(doc_.UndoText()), 4000);
}

void EditorWindow::Refused(const QString& message) {
    QApplication::beep();
    statusBar()->showMessage(message, 10000);
}

bool EditorWindow::MaySpoilChanges() {
    CommitTyping();
    if (!doc_.Modified()) return true;
    const QString name = doc_.HasPath() ? QFileInfo(Q(doc_.Path())).fileName() : "the new database";
    switch (prompts_.AskSaveChanges(this, name)) {
        case EditorPrompts::SaveChoice::Save: return Save();
        case EditorPrompts::SaveChoice::Discard: return true;
        case EditorPrompts::SaveChoice::Cancel: return false;
    }
    return false;
}

bool EditorWindow::OpenFile(const QString& path) {
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        doc_.Open(path.toStdString());
        diskNoted_ = false;
        QApplication::restoreOverrideCursor();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        prompts_.ShowError(this, "Open", Q(e.what()));
        return false;
    }
    Refresh(doc_.Count() > 0 ? 0 : -1);
    statusBar()->showMessage("Opened " + path, 4000);
    return true;
}

void EditorWindow::ShowProblems(const std::vector<Problem>& problems) {
    QStringList lines;
    for (std::size_t i = 0; i < problems.size() && i < 20; ++i) lines << Q(problems[i].message);
    if (problems.size() > 20) lines << QString("... and %1 more").arg(problems.size() - 20);
    prompts_.ShowError(this, "Database problems",
                       "The database was not saved. Put these right first:\n\n" + lines.join("\n"));
    if (!problems.empty() && problems.front().material >= 0) {
        mainTabs_->setCurrentIndex(0);
        SelectMaterial(problems.front().material);
    }
}

bool EditorWindow::SaveTo(const std::string& path) {
    bool overwrite = false;
    for (;;) {
        try {
            doc_.Save(path, overwrite);
            diskNoted_ = false;
            Refresh(Current());
            statusBar()->showMessage(
                "Saved " + Q(path) + " (the previous file is kept as " + QFileInfo(Q(path)).fileName() + ".bak)", 6000);
            return true;
        } catch (const EDatabaseProblems& e) {
            ShowProblems(e.Problems);
            return false;
        } catch (const EChangedOnDisk& e) {
            switch (prompts_.AskChangedOnDisk(this, Q(e.what()))) {
                case EditorPrompts::DiskChoice::Overwrite: overwrite = true; continue;
                case EditorPrompts::DiskChoice::Reload: OpenFile(Q(path)); return false;
                case EditorPrompts::DiskChoice::Cancel: return false;
            }
        } catch (const std::exception& e) {
            prompts_.ShowError(this, "Save", Q(e.what()));
            return false;
        }
    }
}

bool EditorWindow::Save() {
    CommitTyping();
    if (!doc_.HasPath()) return SaveAs();
    return SaveTo(doc_.Path());
}

bool EditorWindow::SaveAs() {
    CommitTyping();
    const QString dir = doc_.HasPath() ? Q(doc_.Path()) : programDir_ + "/untitled.mdf";
    QString path = prompts_.ChooseSaveFile(this, "Save database as", dir, kDatabaseFilter);
    if (path.isEmpty()) return false;
    if (!path.endsWith(".mdf", Qt::CaseInsensitive) && !path.endsWith(".json", Qt::CaseInsensitive)) path += ".mdf";
    return SaveTo(path.toStdString());
}

void EditorWindow::NewClick() {
    if (!MaySpoilChanges()) return;
    const int level = prompts_.AskItem(this, "New database", "Level:", {"higher", "lower"});
    if (level < 0) return;
    doc_.New(level == 0 ? 1 : 0);
    Refresh(-1);
}

void EditorWindow::OpenClick() {
    if (!MaySpoilChanges()) return;
    const QString path = prompts_.ChooseOpenFile(this, "Open database", programDir_, kDatabaseFilter);
    if (!path.isEmpty()) OpenFile(path);
}

void EditorWindow::ImportSourceClick() {
    if (!MaySpoilChanges()) return;
    const QString path =
        prompts_.ChooseOpenFile(this, "Import database source", programDir_, "Database sources (*.json)");
    if (!path.isEmpty()) OpenFile(path);
}

void EditorWindow::ExportSourceClick() {
    CommitTyping();
    QString path = prompts_.ChooseSaveFile(this, "Export database source", programDir_, "Database sources (*.json)");
    if (path.isEmpty()) return;
    if (!path.endsWith(".json", Qt::CaseInsensitive)) path += ".json";
    try {
        doc_.ExportSource(path.toStdString());
        statusBar()->showMessage("Exported " + path, 4000);
    } catch (const std::exception& e) {
        prompts_.ShowError(this, "Export source", Q(e.what()));
    }
}

void EditorWindow::UndoClick() {
    CommitTyping();
    if (!doc_.CanUndo()) return;
    const QString text = Q(doc_.UndoText());
    const int pos = doc_.Undo();
    form_->ShowMaterial(-1);
    Refresh(pos >= 0 ? std::min(pos, doc_.Count() - 1) : Current());
    statusBar()->showMessage("Undone: " + text, 4000);
}

void EditorWindow::RedoClick() {
    CommitTyping();
    if (!doc_.CanRedo()) return;
    const QString text = Q(doc_.RedoText());
    const int pos = doc_.Redo();
    form_->ShowMaterial(-1);
    Refresh(pos >= 0 ? std::min(pos, doc_.Count() - 1) : Current());
    statusBar()->showMessage("Redone: " + text, 4000);
}

void EditorWindow::AddMaterialClick() {
    CommitTyping();
    static const std::vector<std::pair<int, const char*>> kinds = {
        {0, "wood"},   {10, "board"},           {5, "steel"},  {6, "aluminium"}, {7, "brass"},
        {8, "copper"}, {1, "metal (no stock)"}, {2, "plastic"}};
    QStringList names;
    for (const auto& k : kinds) names << k.second;
    const int k = prompts_.AskItem(this, "Add material", "Kind of material:", names);
    if (k < 0) return;
    const QString name = prompts_.AskText(this, "Add material", "Name:", "New material");
    if (name.trimmed().isEmpty()) return;
    const int pos = doc_.AddMaterial(kinds[static_cast<std::size_t>(k)].first, name.toStdString());
    form_->ShowMaterial(-1);
    Refresh(pos);
}

void EditorWindow::DuplicateClick() {
    CommitTyping();
    if (Current() < 0) return;
    const int pos = doc_.DuplicateMaterial(Current());
    form_->ShowMaterial(-1);
    Refresh(pos);
}

void EditorWindow::DeleteClick() {
    CommitTyping();
    const int pos = Current();
    if (pos < 0) return;
    doc_.DeleteMaterial(pos);
    form_->ShowMaterial(-1);
    Refresh(std::min(pos, doc_.Count() - 1));
    statusBar()->showMessage(Q(doc_.UndoText()) + " (Ctrl+Z brings it back)", 6000);
}

void EditorWindow::MoveClick(int by) {
    CommitTyping();
    const int pos = Current();
    const int to = pos + by;
    if (pos < 0 || to < 0 || to >= doc_.Count()) return;
    doc_.MoveMaterial(pos, to);
    Refresh(to);
}

void EditorWindow::CheckClick() {
    CommitTyping();
    const auto problems = doc_.Check();
    if (problems.empty()) {
        statusBar()->showMessage("No problems found", 4000);
        return;
    }
    QStringList lines;
    for (const auto& p : problems) lines << Q(p.message);
    prompts_.ShowInformation(this, "Check database", lines.join("\n"));
    if (problems.front().material >= 0) SelectMaterial(problems.front().material);
}

void EditorWindow::ImportPictureClick() {
    CommitTyping();
    const int pos = Current();
    if (pos < 0) return;
    const QString source = prompts_.ChooseOpenFile(this, "Import picture", QDir::homePath(),
                                                   "Pictures (*.jpg *.jpeg *.png *.JPG *.JPEG *.PNG)");
    if (source.isEmpty()) return;
    const PictureImport result = ImportPicture(source, PicturesFolder(), doc_.Materials());
    if (result.number == 0) {
        prompts_.ShowError(this, "Import picture", result.error);
        return;
    }
    doc_.SetPicture(pos, result.number);
    Refresh(pos);
    statusBar()->showMessage(QString("Picture %1.jpg written to %2").arg(result.number).arg(PicturesFolder()), 6000);
}

ClassOrderWindow* EditorWindow::ClassOrder() {
    if (!order_) {
        order_ = new ClassOrderWindow(
            prompts_,
            [this](const trevane::ClassOrder& order) -> const TMaterialList& {
                // The stock sizes come from the database the first project was made with.
                const std::string name = order.projects.empty() ? "higher.mdf" : order.projects.front().database;
                const auto path = FindFileNoCase(programDir_.toStdString(), name);
                if (path && doc_.HasPath() && QFileInfo(Q(*path)) == QFileInfo(Q(doc_.Path()))) return doc_.Materials();
                orderDatabase_ = std::make_unique<TMaterialList>();
                std::uint8_t level = 1;
                try {
                    if (path) LoadDatabase(*path, *orderDatabase_, level);
                } catch (const std::exception&) {
                    orderDatabase_->clear();
                }
                return *orderDatabase_;
            },
            this);
        order_->setWindowFlag(Qt::Window);
    }
    return order_;
}

void EditorWindow::ClassOrderClick() {
    ClassOrderWindow* w = ClassOrder();
    w->show();
    w->raise();
    w->activateWindow();
}

void EditorWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isActiveWindow() || diskNoted_ || !doc_.ChangedOnDisk()) return;
    diskNoted_ = true;
    statusBar()->showMessage(QFileInfo(Q(doc_.Path())).fileName() +
                             " was changed on disk since it was opened; saving will ask what to do");
}

void EditorWindow::closeEvent(QCloseEvent* e) {
    if (!MaySpoilChanges()) {
        e->ignore();
        return;
    }
    if (order_) order_->close();
    e->accept();
}

int RunEditor(QApplication& app) {
    QApplication::setApplicationName("Trevane editor");
    QApplication::setApplicationDisplayName("Trevane editor");
    const QString programDir = QCoreApplication::applicationDirPath();
    QtEditorPrompts prompts;
    EditorWindow window(prompts, programDir);
    // trevane-editor [DATABASE] [--order PROJECT...]: the database to edit (the
    // program's own higher.mdf when none is named), and a class order of the projects.
    QStringList args = QCoreApplication::arguments().mid(1);
    const qsizetype order = args.indexOf("--order");
    const QStringList projects = order < 0 ? QStringList() : args.mid(order + 1);
    if (order >= 0) args = args.mid(0, order);
    if (!args.isEmpty()) {
        window.OpenFile(args.front());
    } else if (const auto path = FindFileNoCase(programDir.toStdString(), "higher.mdf")) {
        window.OpenFile(Q(*path));
    }
    window.show();
    if (order >= 0) {
        window.ClassOrderClick();
        window.ClassOrder()->AddProjects(projects);
    }
    return app.exec();
}

}  // namespace trevane
