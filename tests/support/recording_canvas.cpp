#include "support/recording_canvas.h"

#include <algorithm>

namespace trevane {

void RecordingCanvas::Add(CanvasOp op, const Rect& r, int x, int y, std::string text, unsigned flags) {
    calls.push_back({op, r, x, y, std::move(text), flags, font_, brush_, sheet_});
}

void RecordingCanvas::SetMapping(int pageWidth, int pageHeight, const Rect& target) {
    Add(CanvasOp::Mapping, target, pageWidth, pageHeight);
}
void RecordingCanvas::ResetMapping() { Add(CanvasOp::ResetMapping, {}); }

void RecordingCanvas::FillRect(const Rect& r) { Add(CanvasOp::Fill, r); }
void RecordingCanvas::Rectangle(const Rect& r) { Add(CanvasOp::Rectangle, r); }
void RecordingCanvas::RoundRect(const Rect& r, int w, int h) { Add(CanvasOp::RoundRect, r, w, h); }
void RecordingCanvas::Line(int x1, int y1, int x2, int y2) { Add(CanvasOp::Line, {x1, y1, x2, y2}); }
void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    Add(CanvasOp::TextOut, {x, y, x + TextWidth(text), y + TextHeight(text)}, x, y, text);
}

std::vector<std::string> RecordingCanvas::Lines(int width, const std::string& text, unsigned flags) const {
    // Paragraphs split at line breaks; word-wrapped paragraphs break at blanks.
    std::vector<std::string> paragraphs;
    std::string cur;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' && !(flags & kTextSingleLine)) {
            paragraphs.push_back(cur);
            cur.clear();
        } else {
            cur += text[i];
        }
    }
    paragraphs.push_back(cur);
    if (!(flags & kTextWordWrap) || (flags & kTextSingleLine)) return paragraphs;

    const int charWidth = std::max(1, font_.height / 2);
    const int perLine = std::max(1, width / charWidth);
    std::vector<std::string> lines;
    for (const auto& p : paragraphs) {
        std::string line;
        std::size_t i = 0;
        if (p.empty()) lines.emplace_back();
        while (i < p.size()) {
            std::size_t j = p.find(' ', i);
            if (j == std::string::npos) j = p.size();
            const std::string word = p.substr(i, j - i);
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && Utf8Length(candidate) > perLine) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            i = j + 1;
        }
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

int RecordingCanvas::MeasureTextBox(int width, const std::string& text, unsigned flags) {
    return static_cast<int>(Lines(width, text, flags).size()) * font_.height;
}

int RecordingCanvas::DrawTextBox(const Rect& box, const std::string& text, unsigned flags) {
    const int h = MeasureTextBox(box.Width(), text, flags);
    Add(CanvasOp::TextBox, box, 0, 0, text, flags);
    if (flags & kTextVCenter) return (box.Height() - h) / 2 + h;
    return h;
}

int RecordingCanvas::TextWidth(const std::string& text) { return Utf8Length(text) * (font_.height / 2); }
int RecordingCanvas::TextHeight(const std::string&) { return font_.height; }
void RecordingCanvas::StretchPicture(const Rect& r, const Image&) { Add(CanvasOp::Picture, r); }

void RecordingCanvas::NewSheet() {
    Add(CanvasOp::NewSheet, {});
    ++sheet_;
}

std::vector<const CanvasCall*> RecordingCanvas::Of(CanvasOp op) const {
    std::vector<const CanvasCall*> out;
    for (const auto& c : calls)
        if (c.op == op) out.push_back(&c);
    return out;
}

const CanvasCall* RecordingCanvas::Text(const std::string& text) const {
    for (const auto& c : calls)
        if ((c.op == CanvasOp::TextOut || c.op == CanvasOp::TextBox) && c.text == text) return &c;
    return nullptr;
}

}  // namespace trevane
