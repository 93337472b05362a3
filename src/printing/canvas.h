#pragma once
// The surface a printed page is drawn on: the preview box on the screen, a
// printer's sheet or a PDF page. The pen is always black; the brush is either
// solid white or clear. Coordinates are page pixels once a mapping is set.
#include <cstdint>
#include <string>

#include "common/user_interface.h"

namespace trevane {

struct Image;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

enum class BrushStyle { SolidWhite, Clear };

// How text is placed in a box. Left and top are the defaults (no bit).
enum TextFlags : unsigned {
    kTextLeft = 0,
    kTextTop = 0,
    kTextSingleLine = 1u << 0,
    kTextWordWrap = 1u << 1,
    kTextRight = 1u << 2,
    kTextCenter = 1u << 3,
    kTextVCenter = 1u << 4,
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Page coordinates (0, 0)..(pageWidth, pageHeight) map linearly onto target,
    // x and y scaled independently. ResetMapping returns to plain device pixels.
    virtual void SetMapping(int pageWidth, int pageHeight, const Rect& target) = 0;
    virtual void ResetMapping() = 0;

    virtual void SetBrush(BrushStyle brush) = 0;
    // font.height is the character height in page pixels.
    virtual void SetFont(const PageFont& font) = 0;

    // Fills with white (whatever the brush).
    virtual void FillRect(const Rect& r) = 0;
    // Outline in the pen, inside filled when the brush is solid.
    virtual void Rectangle(const Rect& r) = 0;
    // Corners are quarters of an ellipse ellipseWidth x ellipseHeight.
    virtual void RoundRect(const Rect& r, int ellipseWidth, int ellipseHeight) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Text with its top-left corner at (x, y); a solid brush fills behind it.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Text placed in the box by TextFlags and clipped to it. Returns the height
    // of the text drawn (for a vertically centred text: from the box's top to the
    // bottom of the text). Lines are separated by "\r\n" or "\n".
    virtual int DrawTextBox(const Rect& box, const std::string& text, unsigned flags) = 0;
    // The height the text takes when drawn in a box of this width.
    virtual int MeasureTextBox(int width, const std::string& text, unsigned flags) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // The picture stretched to fill r exactly (proportions not kept).
    virtual void StretchPicture(const Rect& r, const Image& picture) = 0;

    // True on a printer's job: the drawing may then start new sheets.
    virtual bool Printing() const { return false; }
    // Starts a new sheet of the job (only while Printing()).
    virtual void NewSheet() {}
};

// a * b / c to the nearest integer, halves away from zero, in 64 bits; 0 when c is 0.
inline int MulDiv(int a, int b, int c) {
    if (c == 0) return 0;
    const std::int64_t n = static_cast<std::int64_t>(a) * b;
    const bool negative = (n < 0) != (c < 0);
    const std::int64_t an = n < 0 ? -n : n;
    const std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (an + ac / 2) / ac;
    return static_cast<int>(negative ? -q : q);
}

}  // namespace trevane
