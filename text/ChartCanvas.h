// The fixed-size picture the Purple Star and star-fate engines draw on.
// Coordinates are pixels from the top-left corner; colours are 24-bit
// integers with red in the low byte.
#pragma once

#include <string>
#include <vector>

namespace varrow {

struct CanvasPoint {
    int x = 0, y = 0;
};

class ChartCanvas {
public:
    virtual ~ChartCanvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetFont(const std::string& name, int size) = 0;
    virtual void SetFontColour(int colour) = 0;
    // Lines and outlines, one pixel wide.
    virtual void SetPenColour(int colour) = 0;
    // Fill of rectangles, ellipses and text backgrounds; clear = transparent.
    virtual void SetBrush(int colour, bool clear) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Polyline(const std::vector<CanvasPoint>& points) = 0;
    // Right and bottom edges exclusive.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Text with its top-left corner at (x, y), background from the brush.
    virtual void TextOut(int x, int y, const std::string& utf8) = 0;
    virtual int TextWidth(const std::string& utf8) const = 0;
    virtual int TextHeight(const std::string& utf8) const = 0;
};

} // namespace varrow
