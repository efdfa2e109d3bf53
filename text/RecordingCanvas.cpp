#include "text/RecordingCanvas.h"

#include "text/Gbk.h"

namespace varrow {

RecordingCanvas::Call& RecordingCanvas::record(const char* op, int x1, int y1, int x2, int y2) {
    Call c;
    c.op = op;
    c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
    c.pen = pen_, c.brush = brush_, c.brushClear = brushClear_;
    c.fontColour = fontColour_, c.fontSize = fontSize_, c.font = font_;
    calls_.push_back(c);
    return calls_.back();
}

void RecordingCanvas::LineTo(int x, int y) {
    record("line", x_, y_, x, y);
    x_ = x, y_ = y;
}

void RecordingCanvas::Polyline(const std::vector<CanvasPoint>& points) {
    for (std::size_t i = 1; i < points.size(); ++i)
        record("line", points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

void RecordingCanvas::TextOut(int x, int y, const std::string& utf8) {
    record("text", x, y, x + TextWidth(utf8), y + TextHeight(utf8)).text = utf8;
}

int RecordingCanvas::TextWidth(const std::string& utf8) const {
    return static_cast<int>(Gbk::byteLength(utf8)) * fontSize_ / 2;
}

int RecordingCanvas::TextHeight(const std::string&) const { return fontSize_; }

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const auto& c : calls_)
        if (c.op == "text") out.push_back(c.text);
    return out;
}

} // namespace varrow
