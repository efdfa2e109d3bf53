// A ChartCanvas that records every drawing call, with fixed text metrics
// (GBK bytes times half the font size wide, the font size high), so tests
// can assert geometry exactly.
#pragma once

#include <string>
#include <vector>

#include "text/ChartCanvas.h"

namespace varrow {

class RecordingCanvas : public ChartCanvas {
public:
    struct Call {
        std::string op;       // "line", "rect", "ellipse", "text"
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text;     // TextOut only
        int pen = 0, brush = 0, fontColour = 0, fontSize = 0;
        bool brushClear = false;
        std::string font;
    };

    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void SetFont(const std::string& name, int size) override { font_ = name, fontSize_ = size; }
    void SetFontColour(int colour) override { fontColour_ = colour; }
    void SetPenColour(int colour) override { pen_ = colour; }
    void SetBrush(int colour, bool clear) override { brush_ = colour, brushClear_ = clear; }
    void MoveTo(int x, int y) override { x_ = x, y_ = y; }
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<CanvasPoint>& points) override;
    void Rectangle(int x1, int y1, int x2, int y2) override { record("rect", x1, y1, x2, y2); }
    void Ellipse(int x1, int y1, int x2, int y2) override { record("ellipse", x1, y1, x2, y2); }
    void TextOut(int x, int y, const std::string& utf8) override;
    int TextWidth(const std::string& utf8) const override;
    int TextHeight(const std::string& utf8) const override;

    const std::vector<Call>& calls() const { return calls_; }
    // The texts drawn, in order.
    std::vector<std::string> texts() const;

private:
    Call& record(const char* op, int x1, int y1, int x2, int y2);

    int width_, height_;
    std::vector<Call> calls_;
    std::string font_ = "宋体";
    int fontSize_ = 9, fontColour_ = 0, pen_ = 0, brush_ = 0xFFFFFF;
    bool brushClear_ = false;
    int x_ = 0, y_ = 0;
};

} // namespace varrow
