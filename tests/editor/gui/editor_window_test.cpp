#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <deque>

#include <gtest/gtest.h>

#include "costing/gui/stock_diagram_view.h"
#include "editor/gui/class_order_window.h"
#include "editor/gui/editor_prompts.h"
#include "editor/gui/editor_window.h"
#include "common/file_io.h"
#include "project/project_file.h"
#include "support/temp_dir.h"

namespace trevane {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

// Answers the questions from queues; a question with no answer queued fails the test.
class FakePrompts : public EditorPrompts {
public:
    std::deque<SaveChoice> saveChoices;
    std::deque<DiskChoice> diskChoices;
    std::deque<QString> files;
    std::deque<QStringList> fileLists;
    std::deque<QString> texts;
    std::deque<int> items;
    std::deque<QString> printers;  // the PDF file a "printer" writes; empty: cancel
    QStringList errors, information;

    SaveChoice AskSaveChanges(QWidget*, const QString&) override { return Next(saveChoices, SaveChoice::Cancel); }
    DiskChoice AskChangedOnDisk(QWidget*, const QString&) override { return Next(diskChoices, DiskChoice::Cancel); }
    void ShowError(QWidget*, const QString&, const QString& m) override { errors << m; }
    void ShowInformation(QWidget*, const QString&, const QString& m) override { information << m; }
    QString ChooseOpenFile(QWidget*, const QString&, const QString&, const QString&) override {
        return Next(files, {});
    }
    QStringList ChooseOpenFiles(QWidget*, const QString&, const QString&, const QString&) override {
        return Next(fileLists, {});
    }
    QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return Next(files, {});
    }
    QString AskText(QWidget*, const QString&, const QString&, const QString&) override { return Next(texts, {}); }
    int AskItem(QWidget*, const QString&, const QString&, const QStringList&) override { return Next(items, -1); }
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        const QString pdf = Next(printers, {});
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return !pdf.isEmpty();
    }
    ~FakePrompts() override {
        EXPECT_TRUE(saveChoices.empty() && diskChoices.empty() && files.empty() && fileLists.empty() && texts.empty() &&
                    items.empty() && printers.empty())
            << "answers left unused";
    }

private:
    template <class T>
    T Next(std::deque<T>& q, T none) {
        if (q.empty()) {
            ADD_FAILURE() << "a question nobody answered";
            return none;
        }
        T v = q.front();
        q.pop_front();
        return v;
    }
};

template <class W = QWidget>
W* Find(QWidget* root, const char* name) {
    W* w = root->findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Trigger(QWidget* root, const char* action) {
    QAction* a = root->findChild<QAction*>(action);
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
}

// A line edit typed into and left.
void TypeInto(QWidget* root, const char* name, const QString& text) {
    auto* e = Find<QLineEdit>(root, name);
    e->setText(text);
    emit e->editingFinished();
}

struct EditorFixture : ::testing::Test {
    TempDir dir;
    FakePrompts prompts;
    std::string db;
    std::unique_ptr<EditorWindow> window;
    void SetUp() override {
        db = dir.File("higher.mdf");
        WriteTestFile(db, ReadWholeFile(std::string(TREVANE_BIN_DIR) + "/higher.mdf"));
        window = std::make_unique<EditorWindow>(prompts, QString::fromStdString(dir.Path()));
        ASSERT_TRUE(window->OpenFile(QString::fromStdString(db)));
    }
    int PositionOf(const std::string& name) {
        const auto& list = window->Document().Materials();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i]->Name == name) return static_cast<int>(i);
        return -1;
    }
};

TEST_F(EditorFixture, EveryControlHasItsName) {
    for (const char* name :
         {"MainTabs",           "MaterialsPage",     "MaterialTree",  "MaterialTabs",     "DetailsPage",
          "PictureView",        "ImportPictureBtn",  "PropertyTable", "ExtraTable",       "StockTable",
          "PriceTablePage",     "PriceGroupCombo",   "PriceGrid",     "RaisePercentEdit", "RaiseBtn",
          "RaiseSelectedCheck", "StatusBar",         "FileLabel",     "Field_name",       "Field_picture",
          "Field_available",    "Field_category",    "Field_origin",  "Field_other_name", "Field_hardwood",
          "Field_price",        "Field_description", "Property_3",    "Extra_1"})
        EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;
    for (const char* name :
         {"NewAction",           "OpenAction",       "ImportSourceAction",  "SaveAction",       "SaveAsAction",
          "ExportSourceAction",  "ClassOrderAction", "QuitAction",          "UndoAction",       "RedoAction",
          "AddMaterialAction",   "DuplicateAction",  "DeleteAction",        "MoveUpAction",     "MoveDownAction",
          "ImportPictureAction", "CheckAction",      "ShowMaterialsAction", "ShowPricesAction", "AboutAction"})
        EXPECT_NE(window->findChild<QAction*>(name), nullptr) << name;
    EXPECT_EQ(window->findChild<QAction*>("SaveAction")->shortcut(), QKeySequence::Save);
    EXPECT_EQ(window->findChild<QAction*>("UndoAction")->shortcut(), QKeySequence(QKeySequence::Undo));
    ClassOrderWindow* order = window->ClassOrder();
    for (const char* name : {"AddProjectsBtn", "RemoveProjectsBtn", "ClearProjectsBtn", "PrintBtn", "PdfBtn", "CsvBtn",
                             "ProjectList", "OrderGrid", "ProjectCostGrid", "TotalLabel", "ProblemLabel", "StockText"})
        EXPECT_NE(order->findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(EditorFixture, APriceAndAStockSizeEditedSavedAndUndone) {
    const int oak = PositionOf("Oak");
    window->SelectMaterial(oak);
    TypeInto(window.get(), "Field_price", "2310.50");
    EXPECT_EQ(window->Document().UndoText(), "Change Price (\xC2\xA3 per m\xC2\xB3)");
    EXPECT_TRUE(window->isWindowModified());

    const int steel = PositionOf("Mild steel");
    window->SelectMaterial(steel);
    auto* stock = Find<QTableWidget>(window.get(), "StockTable");
    EXPECT_EQ(stock->item(0, 0)->text(), "12 x 3 [strip]");
    stock->item(0, 3)->setText("250");  // largest length (cm)
    stock->item(0, 1)->setText("0.95");

    // A wrong value is refused, named in the status bar, and the cell shows the stored value.
    stock->item(0, 1)->setText("ninety");
    EXPECT_EQ(window->statusBar()->currentMessage(),
              "12 x 3 [strip], Price (\xC2\xA3 per m, sheet per m\xC2\xB2): \"ninety\" is not an amount in pounds such "
              "as 12.50");
    EXPECT_EQ(stock->item(0, 1)->text(), "0.95");

    Trigger(window.get(), "SaveAction");
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join("\n").toStdString();
    EXPECT_FALSE(window->isWindowModified());
    TMaterialList loaded;
    std::uint8_t level = 0;
    LoadDatabase(db, loaded, level);
    EXPECT_EQ(dynamic_cast<TWood&>(*loaded[static_cast<std::size_t>(oak)]).Price, 231050);
    const auto& shape = *dynamic_cast<TSteel&>(*loaded[static_cast<std::size_t>(steel)]).Shapes[0];
    EXPECT_EQ(shape.MaxLength, 250);
    EXPECT_EQ(shape.Price, 95);
    EXPECT_TRUE(FileExists(db + ".bak"));

    Trigger(window.get(), "UndoAction");
    Trigger(window.get(), "UndoAction");
    EXPECT_EQ(Find<QTableWidget>(window.get(), "StockTable")->item(0, 3)->text(), "300");
    Trigger(window.get(), "RedoAction");
    EXPECT_EQ(Find<QTableWidget>(window.get(), "StockTable")->item(0, 3)->text(), "250");
}

TEST_F(EditorFixture, SavingTakesWhatIsStillBeingTyped) {
    window->show();
    auto* description = Find<QWidget>(window.get(), "Field_description");
    description->setFocus();
    QApplication::processEvents();
    description->setProperty("plainText", "Typed, not yet left.");
    Trigger(window.get(), "SaveAction");
    TMaterialList loaded;
    std::uint8_t level = 0;
    LoadDatabase(db, loaded, level);
    EXPECT_EQ(loaded[0]->Description, "Typed, not yet left.");
}

TEST_F(EditorFixture, PropertyAndSearchValuesSetFlags) {
    const int oak = PositionOf("Oak");
    window->SelectMaterial(oak);
    auto* hardness = Find<QComboBox>(window.get(), "Property_3");
    hardness->setCurrentText("soft");
    emit hardness->activated(hardness->currentIndex());
    EXPECT_EQ(window->Document().Material(oak).PropertyValueText(0), "soft");
    EXPECT_TRUE(window->Document().Material(oak).Flags.Has(2));
    auto* glued = Find<QComboBox>(window.get(), "Extra_37");
    glued->setCurrentText("no");
    emit glued->activated(glued->currentIndex());
    EXPECT_TRUE(window->Document().Material(oak).Flags.Has(91));
    EXPECT_FALSE(window->Document().Material(oak).Flags.Has(51));
}

TEST_F(EditorFixture, PriceTableRaise) {
    Trigger(window.get(), "ShowPricesAction");
    auto* page = Find<QWidget>(window.get(), "PriceTablePage");
    Find<QComboBox>(page, "PriceGroupCombo")->setCurrentIndex(2);  // metal
    auto* grid = Find<QTableWidget>(page, "PriceGrid");
    EXPECT_EQ(grid->item(0, 1)->text(), "12 x 3 [strip]");
    const QString before = grid->item(0, 3)->text();
    Find<QLineEdit>(page, "RaisePercentEdit")->setText("10");
    Find<QPushButton>(page, "RaiseBtn")->click();
    EXPECT_EQ(window->Document().UndoText(), "Raise Metal prices by 10 %");
    EXPECT_EQ(grid->item(0, 3)->text().toStdString(),
              FormatPence(*RaisedPrice(static_cast<std::int32_t>(*ParsePounds(before.toStdString())), 10)));
    // Typed into the grid: refused and restored when it is not an amount.
    grid->item(0, 3)->setText("1.234");
    EXPECT_TRUE(window->statusBar()->currentMessage().endsWith("\"1.234\" is not an amount in pounds such as 12.50"));
    QApplication::processEvents();
    EXPECT_EQ(grid->item(0, 3)->text().toStdString(),
              FormatPence(*RaisedPrice(static_cast<std::int32_t>(*ParsePounds(before.toStdString())), 10)));
    grid->item(0, 3)->setText("2");
    QApplication::processEvents();
    EXPECT_EQ(grid->item(0, 3)->text(), "2.00");
    EXPECT_EQ(GetShapeField(window->Document().Material(PositionOf("Mild steel")), 0, "price"), "2.00");
}

TEST_F(EditorFixture, UnsavedChangesAreNeverDroppedWithoutAsking) {
    TypeInto(window.get(), "Field_name", "Oak (English)");
    prompts.saveChoices = {EditorPrompts::SaveChoice::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(window->Document().Material(0).Name, "Oak (English)");
    prompts.saveChoices = {EditorPrompts::SaveChoice::Cancel};
    Trigger(window.get(), "OpenAction");  // cancelled before a file is asked for
    prompts.saveChoices = {EditorPrompts::SaveChoice::Discard};
    EXPECT_TRUE(window->close());
}

TEST_F(EditorFixture, AFileChangedOnDiskIsOverwrittenOnlyWhenChosen) {
    DatabaseDocument other;
    other.Open(db);
    ASSERT_EQ(other.SetField(1, "name", "Their ash"), "");
    other.Save();
    const std::string theirs = ReadWholeFile(db);
    // Coming back to the window says so before anything is typed.
    window->show();
    window->activateWindow();
    for (int i = 0; i < 100 && !window->isActiveWindow(); ++i) QApplication::processEvents();
    ASSERT_TRUE(window->isActiveWindow());
    EXPECT_TRUE(window->statusBar()->currentMessage().contains("was changed on disk"))
        << window->statusBar()->currentMessage().toStdString();

    TypeInto(window.get(), "Field_name", "My oak");
    prompts.diskChoices = {EditorPrompts::DiskChoice::Cancel};
    EXPECT_FALSE(window->Save());
    EXPECT_EQ(ReadWholeFile(db), theirs);
    prompts.diskChoices = {EditorPrompts::DiskChoice::Reload};
    EXPECT_FALSE(window->Save());
    EXPECT_EQ(window->Document().Material(1).Name, "Their ash");
    EXPECT_FALSE(window->isWindowModified());

    TypeInto(window.get(), "Field_name", "My oak");
    ASSERT_EQ(other.SetField(2, "name", "Their beech"), "");
    other.Save(true);
    prompts.diskChoices = {EditorPrompts::DiskChoice::Overwrite};
    EXPECT_TRUE(window->Save());
    TMaterialList loaded;
    std::uint8_t level = 0;
    LoadDatabase(db, loaded, level);
    EXPECT_EQ(loaded[0]->Name, "My oak");
}

TEST_F(EditorFixture, APhotoIsImportedUnderAFreePictureNumber) {
    QImage photo(800, 200, QImage::Format_RGB32);
    photo.fill(QColor(200, 30, 30));
    const QString source = QString::fromStdString(dir.File("photo.png"));
    ASSERT_TRUE(photo.save(source));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.File("pics"))));
    WriteTestFile(dir.File("pics/90.jpg"), "taken");
    int largest = 90;
    for (const auto& m : window->Document().Materials())
        largest = std::max(largest, static_cast<int>(m->PictureNumber));
    const int expected = largest + 1;
    window->SelectMaterial(3);
    prompts.files = {source};
    Trigger(window.get(), "ImportPictureAction");
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join("\n").toStdString();
    EXPECT_EQ(window->Document().Material(3).PictureNumber, expected);
    const QImage written(QString::fromStdString(dir.File("pics/" + std::to_string(expected) + ".jpg")));
    EXPECT_EQ(written.size(), QSize(200, 150));
    EXPECT_FALSE(Find<QLabel>(window.get(), "PictureView")->pixmap().isNull());

    WriteTestFile(dir.File("notes.png"), "not a picture");
    prompts.files = {QString::fromStdString(dir.File("notes.png"))};
    Trigger(window.get(), "ImportPictureAction");
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_EQ(window->Document().Material(3).PictureNumber, expected);
}

TEST_F(EditorFixture, AddDuplicateMoveDelete) {
    const int count = window->Document().Count();
    prompts.items = {2};  // steel
    prompts.texts = {"Bright steel"};
    Trigger(window.get(), "AddMaterialAction");
    EXPECT_EQ(window->Document().Count(), count + 1);
    const int added = window->Current();
    EXPECT_EQ(window->Document().Material(added).Name, "Bright steel");
    Trigger(window.get(), "DuplicateAction");
    EXPECT_EQ(window->Document().Material(window->Current()).Name, "Bright steel (copy)");
    Trigger(window.get(), "MoveUpAction");
    EXPECT_EQ(window->Document().Material(added).Name, "Bright steel (copy)");
    Trigger(window.get(), "DeleteAction");
    Trigger(window.get(), "DeleteAction");
    EXPECT_EQ(window->Document().Count(), count);
    Trigger(window.get(), "UndoAction");
    EXPECT_EQ(window->Document().Count(), count + 1);
}

TEST_F(EditorFixture, ClassOrderOfThreeProjectsAndADamagedOne) {
    StringGrid criteria(2, 2, 0, 1);
    auto project = [&](const std::string& name, const std::vector<std::string>& row) {
        StringGrid cut(9, 5, 1, 1);
        for (int c = 0; c < 8; ++c) cut.SetCell(c + 1, 1, row[static_cast<std::size_t>(c)]);
        cut.SetCell(7, 2, "total");
        WriteTestFile(dir.File(name), SerializeProject("higher.mdf", -1, 0, criteria, "", cut));
        return QString::fromStdString(dir.File(name));
    };
    const QStringList files = {project("A.prj", {"leg", "Oak", "2", "300", "45", "45", "1.50", "3.00"}),
                               project("B.prj", {"leg", "Oak", "1", "300", "45", "45", "1.50", "1.50"}),
                               project("C.prj", {"top", "MDF", "1", "600", "400", "18 (mm)", "2.21", "2.21"})};
    WriteTestFile(dir.File("D.prj"), "PRJ?");
    Trigger(window.get(), "ClassOrderAction");
    ClassOrderWindow* order = window->ClassOrder();
    prompts.fileLists = {files + QStringList{QString::fromStdString(dir.File("D.prj"))}};
    order->AddProjectsClick();
    ASSERT_EQ(prompts.information.size(), 1);
    EXPECT_TRUE(
        prompts.information[0].contains("D.prj: This is not a valid *.prj project file; left out of the order"));
    auto* grid = Find<QTableWidget>(order, "OrderGrid");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->item(0, 0)->text(), "MDF");
    EXPECT_EQ(grid->item(1, 4)->text(), "A (2), B (1)");
    EXPECT_EQ(grid->item(1, 5)->text(), "4.50");
    EXPECT_EQ(Find<QLabel>(order, "TotalLabel")->text(), "Total: \u00A3 6.71");
    EXPECT_TRUE(Find<QLabel>(order, "ProblemLabel")->text().contains("D.prj"));
    EXPECT_FALSE(Find<QWidget>(order, "StockText")->property("plainText").toString().isEmpty());

    const QString csv = QString::fromStdString(dir.File("order.csv"));
    prompts.files = {csv};
    order->CsvClick();
    EXPECT_EQ(ReadWholeFile(csv.toStdString()), std::string("\xEF\xBB\xBF") + OrderCsv(order->Order()));

    // The stock is drawn beside its text, and printed after the order, one page
    // per diagram page, all numbered.
    ASSERT_FALSE(order->Stock().Lines.empty());
    EXPECT_FALSE(Find<StockDiagramView>(order, "StockDiagram")->Items().empty());
    auto pdfPages = [&](const std::string& path) {
        const QString pdf = QString::fromStdString(ReadWholeFile(path));
        return pdf.count(QRegularExpression("/Type\\s*/Page[^s]"));
    };
    prompts.files = {QString::fromStdString(dir.File("order"))};
    order->PdfClick();
    QPrinter sized(QPrinter::HighResolution);
    sized.setPageOrientation(QPageLayout::Landscape);
    sized.setOutputFormat(QPrinter::PdfFormat);
    sized.setOutputFileName(QString::fromStdString(dir.File("sized.pdf")));
    const int pages = order->PrintTo(sized);
    EXPECT_GE(pages, 2);
    EXPECT_EQ(pdfPages(dir.File("order.pdf")), pages);

    prompts.printers = {QString::fromStdString(dir.File("printed.pdf"))};
    Find<QPushButton>(order, "PrintBtn")->click();
    EXPECT_EQ(pdfPages(dir.File("printed.pdf")), pages);
    EXPECT_EQ(order->statusBar()->currentMessage(), QString("Printed %1 pages").arg(pages));
    prompts.printers = {QString()};
    Find<QPushButton>(order, "PrintBtn")->click();
    EXPECT_TRUE(prompts.errors.isEmpty());
}

}  // namespace
}  // namespace trevane
