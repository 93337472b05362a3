// The help window and the Qt user interface: topics, contents, search, the
// messages for missing help, dialogs by name and file filters.
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTextBrowser>

#include "help/help_file.h"
#include "app/gui/help_window.h"
#include "app/gui/qt_user_interface.h"
#include "support/temp_dir.h"
#include "gui/widget_driver.h"

namespace trevane {
namespace {

// Runs `action` and hands the modal window it opens to `seen`, which closes it.
void WithNextModal(const std::function<void()>& action, const std::function<void(QWidget*)>& seen) {
    QTimer::singleShot(0, [&seen] {
        if (QWidget* w = QApplication::activeModalWidget()) seen(w);
    });
    action();
}

std::string TextOfNextMessage(const std::function<void()>& action) {
    std::string text;
    WithNextModal(action, [&text](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            text = box->text().toStdString();
            box->done(QMessageBox::Ok);
        }
    });
    return text;
}

class QtHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::WriteTestFile(dir.File("QEL.hlp"),
                               "@topic 1\n@title Contents\n- [[2003]]\n"
                               "@topic 2003\n@title Hardness\n@keywords hard; soft\nSee [[2006]].\n"
                               "@topic 2006\n@title Density\n@keywords heavy\nMass per volume.\n");
        ui.SetHelpFile(dir.File("QEL.hlp"));
    }
    testing::TempDir dir;
    QtUserInterface ui;
};

TEST_F(QtHelpTest, OpensTopicsContentsAndSearchOrSaysWhatIsMissing) {
    ui.ShowHelp(2003);
    HelpWindow* help = ui.Help();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName(), "HelpFrm");
    EXPECT_TRUE(help->isVisible());
    auto* view = help->findChild<QTextBrowser*>("HelpView");
    EXPECT_TRUE(view->toPlainText().contains("Density"));

    view->setSource(QUrl("topic:2006"));  // following the link
    EXPECT_EQ(help->CurrentTopic(), 2006);
    view->backward();
    EXPECT_EQ(help->CurrentTopic(), 2003);

    ui.HelpContents();
    EXPECT_EQ(help->CurrentTopic(), 1);
    EXPECT_EQ(help->TopicList()->count(), 3);  // the index of every title

    ui.HelpSearch();
    help->SearchBox()->setText("HEAV");
    ASSERT_EQ(help->TopicList()->count(), 1);
    EXPECT_EQ(help->TopicList()->item(0)->text(), "Density");

    ui.CloseHelp();
    EXPECT_EQ(ui.Help(), nullptr);
    // A missing topic or file says so.
    EXPECT_EQ(TextOfNextMessage([&] { ui.ShowHelp(4242); }), HelpTopicMissingText(4242));
    ui.SetHelpFile(dir.File("nothing.hlp"));
    EXPECT_EQ(TextOfNextMessage([&] { ui.HelpContents(); }), "The help file QEL.hlp could not be opened");
}

// The font and save dialogs carry their names; the Save as dialog of projects
// leaves the question about an existing file to the command, which asks about
// the name it completes; other save dialogs ask.
TEST(QtUserInterfaceTest, FontAndSaveDialogs) {
    QtUserInterface ui;
    QString name;
    const auto font = [&] { EXPECT_FALSE(ui.FontDialog(PageFont{"Arial", 13}).has_value()); };
    WithNextModal(font, [&name](QWidget* w) { name = w->objectName(), qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(name, "FontDlg");

    testing::TempDir dir;
    for (const bool ask : {false, true}) {
        FileDialogRequest request;
        request.initialDir = dir.Path();
        request.askBeforeReplacing = ask;
        QString seen;
        WithNextModal([&] { EXPECT_FALSE(ui.SaveFileDialog(request).has_value()); },
                      [&](QWidget* w) {
                          auto* dlg = qobject_cast<QFileDialog*>(w);
                          ASSERT_NE(dlg, nullptr);
                          const bool asks = !dlg->testOption(QFileDialog::DontConfirmOverwrite);
                          seen = dlg->objectName() + " in " + dlg->directory().absolutePath() + (asks ? " asks" : "");
                          dlg->reject();
                      });
        EXPECT_EQ(seen, "SaveDlg in " + QString::fromStdString(dir.Path()) + (ask ? " asks" : ""));
    }
}

}  // namespace
}  // namespace trevane
