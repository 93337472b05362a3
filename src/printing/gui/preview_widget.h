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
    // defaultUserDir: where the "Save as PDF" dialog starts.
    PreviewPageWidget(PreviewPage& page, IUserInterface& ui, std::function<std::string()> defaultUserDir,
                      QWidget* parent);
    ~PreviewPageWidget() override;
    void Refresh() override;

private:
    PreviewPage& Page() { return page_; }
    void Show(PreviewChange change);
    void ApplyZoom();
    void ShowLabels();

    PreviewPage& page_;
    IUserInterface& ui_;
    Notifier<PreviewChange>::Subscription subscription_;

    QToolButton* titleBtn_;
    QLabel* fontLabel_;
    QLabel* pageLabel_;
    QScrollArea* scroll_;
    PrntPicBox* pic_;
    // The system's printers, when the program's user interface has none yet.
    std::unique_ptr<QtPrinterSystem> printers_;
};

}  // namespace trevane
