#pragma once
// The page canvas on a QPainter: the preview box on the screen, a printer's
// sheets and PDF pages alike.
#include <QColor>
#include <QFont>
#include <QTransform>
#include <functional>

#include "printing/canvas.h"

class QPainter;

namespace trevane {

class QPainterCanvas : public Canvas {
public:
    // penWidth in device pixels (0: the thinnest line the device draws). With
    // newSheet the canvas prints: a full sheet goes on over a new one, and a
    // newSheet that returns false fails the job (EPrinterError).
    explicit QPainterCanvas(QPainter& painter, int penWidth = 0, std::function<bool()> newSheet = {});

    void SetMapping(int pageWidth, int pageHeight, const Rect& target) override;
    void ResetMapping() override;
    void SetBrush(BrushStyle brush) override { brush_ = brush; }
    void SetFont(const PageFont& font) override;
    void FillRect(const Rect& r) override;
    void Rectangle(const Rect& r) override;
    void RoundRect(const Rect& r, int ellipseWidth, int ellipseHeight) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& text) override;
    int DrawTextBox(const Rect& box, const std::string& text, unsigned flags) override;
    int MeasureTextBox(int width, const std::string& text, unsigned flags) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void StretchPicture(const Rect& r, const Image& picture) override;
    bool Printing() const override { return static_cast<bool>(newSheet_); }
    void NewSheet() override;

    // The QFont a page font becomes (pixel size = character height).
    static QFont ToQFont(const PageFont& font);

private:
    void UseShapePen();

    QPainter& p_;
    int penWidth_;
    std::function<bool()> newSheet_;
    BrushStyle brush_ = BrushStyle::SolidWhite;
    QColor textColor_ = Qt::black;
    QTransform mapping_;
    bool mapped_ = false;
};

}  // namespace trevane
