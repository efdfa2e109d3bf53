// The picture of the Purple Star and star-fate tabs: a ChartCanvas over a
// QImage of fixed size, at 96 dots per inch so point sizes match the design.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>

#include "text/ChartCanvas.h"

namespace varrow {

class QtCanvas : public ChartCanvas {
public:
    QtCanvas(int width, int height);

    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    void SetFont(const std::string& name, int size) override;
    void SetFontColour(int colour) override;
    void SetPenColour(int colour) override;
    void SetBrush(int colour, bool clear) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const std::vector<CanvasPoint>& points) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, const std::string& utf8) override;
    int TextWidth(const std::string& utf8) const override;
    int TextHeight(const std::string& utf8) const override;

    const QImage& image() const { return image_; }

private:
    QImage image_;
    QFont font_;
    QColor fontColour_ = Qt::black, pen_ = Qt::black, brush_ = Qt::white;
    bool brushClear_ = false;
    QPoint at_;
};

// Writes the picture as a Windows bitmap or, with libjpeg at its default
// settings, as JPEG. False when the file cannot be written.
bool saveBitmap(const QImage& image, const QString& path);
bool saveJpeg(const QImage& image, const QString& path);

} // namespace varrow
