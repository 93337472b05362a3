#pragma once
// A canvas that draws nothing and keeps every call with its geometry in page
// pixels, for tests and benchmarks. Text is measured with a fixed model: every
// character is half the font height wide and a line is one font height high.
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "printing/canvas.h"

namespace trevane {

enum class CanvasOp { Mapping, ResetMapping, Fill, Rectangle, RoundRect, Line, TextOut, TextBox, Picture, NewSheet };

struct CanvasCall {
    CanvasOp op = CanvasOp::Fill;
    Rect rect;         // box, rectangle, target of a mapping; a line's end points as left/top, right/bottom
    int x = 0, y = 0;  // TextOut position; RoundRect ellipse size; Mapping page size
    std::string text;
    unsigned flags = 0;
    PageFont font;  // the font at the time of a text call
    BrushStyle brush = BrushStyle::SolidWhite;
    int sheet = 0;  // 0 for the first sheet of the job
};

class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(bool printing = false) : printing_(printing) {}

    void SetMapping(int pageWidth, int pageHeight, const Rect& target) override;
    void ResetMapping() override;
    void SetBrush(BrushStyle brush) override { brush_ = brush; }
    void SetFont(const PageFont& font) override { font_ = font; }
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
    bool Printing() const override { return printing_; }
    void NewSheet() override;

    std::vector<CanvasCall> calls;
    int Sheets() const { return sheet_ + 1; }

    // The calls of one kind, and the first text call whose text is `text` (nullptr: none).
    std::vector<const CanvasCall*> Of(CanvasOp op) const;
    const CanvasCall* Text(const std::string& text) const;

private:
    void Add(CanvasOp op, const Rect& r, int x = 0, int y = 0, std::string text = {}, unsigned flags = 0);
    std::vector<std::string> Lines(int width, const std::string& text, unsigned flags) const;

    bool printing_;
    int sheet_ = 0;
    BrushStyle brush_ = BrushStyle::SolidWhite;
    PageFont font_;
};

}  // namespace trevane
