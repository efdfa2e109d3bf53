#include "widgets/QtCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdio>

#include <jpeglib.h>

#include "widgets/Ui.h"

namespace varrow {
namespace {
constexpr int kDotsPerMeter96Dpi = 3780;
QString q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
} // namespace

QtCanvas::QtCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
    image_.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image_.setDotsPerMeterY(kDotsPerMeter96Dpi);
    image_.fill(Qt::white);
    font_ = QFont("宋体", 9);
}

void QtCanvas::SetFont(const std::string& name, int size) { font_ = QFont(q(name), size); }
void QtCanvas::SetFontColour(int colour) { fontColour_ = toQColor(colour); }
void QtCanvas::SetPenColour(int colour) { pen_ = toQColor(colour); }
void QtCanvas::SetBrush(int colour, bool clear) {
    brush_ = toQColor(colour);
    brushClear_ = clear;
}
void QtCanvas::MoveTo(int x, int y) { at_ = QPoint(x, y); }

void QtCanvas::LineTo(int x, int y) {
    QPainter p(&image_);
    p.setPen(QPen(pen_, 1));
    p.drawLine(at_, QPoint(x, y));
    at_ = QPoint(x, y);
}

void QtCanvas::Polyline(const std::vector<CanvasPoint>& points) {
    if (points.size() < 2) return;
    QPainter p(&image_);
    p.setPen(QPen(pen_, 1));
    QPolygon poly;
    for (const auto& pt : points) poly << QPoint(pt.x, pt.y);
    p.drawPolyline(poly);
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    QPainter p(&image_);
    p.setPen(QPen(pen_, 1));
    p.setBrush(brushClear_ ? QBrush(Qt::NoBrush) : QBrush(brush_));
    // Right and bottom edges exclusive: the outline runs on x2 - 1 and y2 - 1.
    p.drawRect(QRect(QPoint(x1, y1), QPoint(x2 - 2, y2 - 2)));
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(pen_, 1));
    p.setBrush(brushClear_ ? QBrush(Qt::NoBrush) : QBrush(brush_));
    p.drawEllipse(QRect(QPoint(x1, y1), QPoint(x2 - 2, y2 - 2)));
}

void QtCanvas::TextOut(int x, int y, const std::string& utf8) {
    QPainter p(&image_);
    p.setFont(font_);
    QString text = q(utf8);
    QFontMetrics m(font_, &image_);
    QRect box(x, y, m.horizontalAdvance(text), m.height());
    if (!brushClear_) p.fillRect(box, brush_);
    p.setPen(fontColour_);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

int QtCanvas::TextWidth(const std::string& utf8) const {
    return QFontMetrics(font_, &image_).horizontalAdvance(q(utf8));
}

int QtCanvas::TextHeight(const std::string&) const { return QFontMetrics(font_, &image_).height(); }

bool saveBitmap(const QImage& image, const QString& path) { return image.save(path, "BMP"); }

bool saveJpeg(const QImage& image, const QString& path) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    FILE* out = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!out) return false;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo); // the encoder's default quality and settings
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    bool ok = std::ferror(out) == 0;
    return std::fclose(out) == 0 && ok;
}

} // namespace varrow
