#pragma once
#include <QColor>
#include <string>
#include <vector>

#include "common/gui/page_widget.h"
#include "common/list_entry.h"
#include "costing/costing_page.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace trevane {

class CuttingList;
class CutGridPanel;

// The page PageD of the main window: the toolbar Panel5 (inside PageScroller1)
// with "Main menu" and the material selector, the costing tabs MaterialPC with
// the shared buttons of Panel7 on the left of Splitter3, and the pane for the
// cutting list on the right. It forwards every event to CostingPage and shows
// the parts of the page that CostingPage says have changed.
class CostingPageWidget : public PageWidget {
    Q_OBJECT
public:
    CostingPageWidget(CostingPage& page, CuttingList& cutList, QWidget* parent);
    // Shows every part of the page again.
    void Refresh() override;

    // The toolbar Panel5 and its row; AddToolbarWidget appends a tool after the
    // ones already there (the cutting list puts its tools here, left to right).
    QWidget* ToolbarPanel() const { return panel5_; }
    QHBoxLayout* ToolbarLayout() const { return toolbarRow_; }
    void AddToolbarWidget(QWidget* tool);

    // The right pane of Splitter3, where the cutting list grid goes; its layout
    // is a QVBoxLayout without margins.
    QWidget* GridHost() const { return gridHost_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A control of the page bound to the core member of the same name.
    // Each binding belongs to a part of the page (CostingPage::Part).
    struct EditBinding {
        QLineEdit* edit;
        std::string CostingPage::*text;
        bool (CostingPage::*keyPress)(char32_t key);  // the edit's key handler
        unsigned part;
    };
    struct LabelBinding {
        QLabel* label;
        std::string CostingPage::*text;
        unsigned part;
    };
    struct RadioBinding {
        QButtonGroup* group;
        int CostingPage::*index;
        unsigned part;
    };
    struct ListBinding {
        QListWidget* list;
        IndexedList CostingPage::*items;
        int CostingPage::*index;
        unsigned part;
    };

    // Shows the parts of the page a handler changed.
    void Show(unsigned parts);

    QWidget* BuildToolbar();
    // The cutting list's tools and the project, preview and help tools, in the
    // toolbar's order after the material selector.
    void AddCuttingListTools(CutGridPanel* cutList);
    QWidget* BuildWoodTab();
    QWidget* BuildMetalTab();
    QWidget* BuildPlasticTab();
    struct SectionTab;
    QWidget* BuildSectionTab(const SectionTab& tab, QButtonGroup*& sections, QLabel*& widthLabel,
                             QLineEdit*& widthEdit);
    QWidget* BuildBoardTab();

    QLineEdit* MakeEdit(QWidget* parent, const char* name, std::string CostingPage::*text, const char* hint,
                        bool (CostingPage::*keyPress)(char32_t key));
    QLabel* MakeLabel(QWidget* parent, const char* name, std::string CostingPage::*text, bool bold = false);
    QWidget* MakeUnitsGroup(QWidget* parent, const char* name, const char* caption, const char* first,
                            const char* second, int CostingPage::*index, void (CostingPage::*click)(int),
                            const char* hint);
    QListWidget* MakeList(QWidget* parent, const char* name, IndexedList CostingPage::*items, int CostingPage::*index,
                          void (CostingPage::*click)(int), const char* hint);
    QWidget* MakeSectionButtons(QWidget* parent, const char* namePrefix, const std::vector<int>& kinds,
                                const std::vector<const char*>& hints, QColor fill, void (CostingPage::*click)(int),
                                QButtonGroup*& group);

    CostingPage& page_;
    Notifier<CostingChange>::Subscription subscription_;
    unsigned buildingPart_ = 0;  // the part whose controls are being made

    QScrollArea* pageScroller1_ = nullptr;
    QWidget* panel5_ = nullptr;
    QHBoxLayout* toolbarRow_ = nullptr;
    QComboBox* dMaterialCombo_ = nullptr;
    QSplitter* splitter3_ = nullptr;
    QTabWidget* materialPC_ = nullptr;
    QWidget* gridHost_ = nullptr;
    QButtonGroup* metalSections_ = nullptr;
    QButtonGroup* plasticSections_ = nullptr;
    QLabel* metalWidthLabel_ = nullptr;
    QLineEdit* metalWidthEdit_ = nullptr;
    QLabel* plasticWidthLabel_ = nullptr;
    QLineEdit* plasticWidthEdit_ = nullptr;

    IndexedList shownMaterials_;
    std::vector<EditBinding> edits_;
    std::vector<LabelBinding> labels_;
    std::vector<RadioBinding> radios_;
    std::vector<ListBinding> lists_;
};

}  // namespace trevane
