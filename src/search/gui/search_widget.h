#pragma once
#include "app/gui/page_widget.h"

class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QSplitter;

namespace trevane {

class CriteriaGridView;
class Cp1252TextEdit;
class FoundListModel;
class SearchPage;

// The page PageC of the main window: the criteria grid on the left of the
// splitter, results, advice and the evaluation on the right.
class SearchPageWidget : public PageWidget {
    Q_OBJECT
public:
    SearchPageWidget(Session& session, QWidget* parent);
    void Refresh() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildResults();
    // Runs a page action, then lets every view show the new state.
    template <class F>
    void Act(F&& action);

    SearchPage& page_;
    QLabel* categoryLabel_ = nullptr;
    CriteriaGridView* grid_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QLabel* numFound_ = nullptr;
    QListView* found_ = nullptr;
    FoundListModel* foundModel_ = nullptr;
    QLabel* nearMissLabel_ = nullptr;
    QListWidget* nearMisses_ = nullptr;
    QPushButton* showDetails_ = nullptr;
    Cp1252TextEdit* memo_ = nullptr;
    bool widthsSet_ = false;
    bool refreshing_ = false;
};

}  // namespace trevane
