#pragma once
#include "common/gui/page_widget.h"
#include "search/search_page.h"

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
    SearchPageWidget(SearchPage& page, QWidget* parent);
    void Refresh() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* BuildToolbar();
    QWidget* BuildResults();
    void Show(SearchChange change);
    void ShowCriteria();
    void ShowResults();
    void ShowEvaluation();

    SearchPage& page_;
    Notifier<SearchChange>::Subscription subscription_;
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
};

}  // namespace trevane
