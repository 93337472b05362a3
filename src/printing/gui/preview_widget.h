#pragma once
#include <functional>
#include <memory>

#include "common/gui/page_widget.h"
#include "printing/preview_page.h"

class QLabel;
class QScrollArea;
class QToolButton;

namespace trevane {

class PreviewPage;
class QtPrinterSystem;

// The preview box PrntPic: paints the previewed page at its own size each time
// (nothing is kept between paints); left click zooms in, right click out.
class PrntPicBox : public QWidget {
    Q_OBJECT
public:
    PrntPicBox(PreviewPage& page, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PreviewPage& page_;
};

// The page pageE of the main window: the tool bar Panel6 and the scroll area
// PrntScroll with the preview box.
class PreviewPageWidget : public PageWidget {
    Q_OBJECT
public:
    PreviewPageWidget(PreviewPage& page, QWidget* parent);
    void Refresh() override;

private:
    PreviewPage& Page() { return page_; }
    void Show(PreviewChange change);
    void ApplyZoom();
    void ShowLabels();

    PreviewPage& page_;
    Notifier<PreviewChange>::Subscription subscription_;

    QToolButton* titleBtn_;
    QLabel* fontLabel_;
    QLabel* pageLabel_;
    QToolButton* prevPageBtn_;
    QToolButton* nextPageBtn_;
    QScrollArea* scroll_;
    PrntPicBox* pic_;
};

}  // namespace trevane
