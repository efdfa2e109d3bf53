// What the user does with a chart on screen: edit, restyle, copy, save,
// print, and the look of the seven text surfaces.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>

#include "widgets/QtCanvas.h"
#include "widgets/QtReportSink.h"
#include "widgets/Ui.h"
#include "shell/Untmain.h"

namespace varrow {
namespace {

constexpr int kDefaultBackground = 12635344;
constexpr const char* kImportFilter = "All.rtf|*.rtf|All.txt|*.txt";
constexpr const char* kTextFilter = "Rtf格式|*.rtf|Txt格式|*.txt";
constexpr const char* kPictureFilter = "bmp格式|*.bmp|jpg格式|*.jpg";

std::string local(const QString& path) { return path.toLocal8Bit().toStdString(); }

} // namespace

void TFrmMain::ApplyLook(const QString& fontName, int fontSize, int background) {
    for (auto& sink : sinks_) {
        sink->SetFont(fontName.toStdString(), fontSize);
        sink->SetBackground(background);
    }
}

void TFrmMain::LookDefaultClick() {
    ApplyLook("宋体", 12, kDefaultBackground);
    Ui::current().showMessage(this, "设置完成");
}

void TFrmMain::LookFontClick() {
    QColor colour;
    auto font = Ui::current().chooseFont(this, Redtbazi->font(), &colour);
    if (!font) return;
    // Only the name and the size: colour and style stay the surfaces' own.
    ApplyLook(font->family(), font->pointSize(), surface(ChartKind::Bazi).background());
    Ui::current().showMessage(this, "设置完成");
}

void TFrmMain::LookBackgroundClick() {
    auto colour = Ui::current().chooseColour(this, toQColor(surface(ChartKind::Bazi).background()));
    if (!colour) return;
    QFont f = Redtbazi->font();
    ApplyLook(f.family(), f.pointSize(), fromQColor(*colour));
    Ui::current().showMessage(this, "设置完成");
}

// Every text action works on the active tab's surface.
void TFrmMain::TextUndoClick() { surface(currentKind()).edit()->undo(); }
void TFrmMain::TextCopyClick() { surface(currentKind()).edit()->copy(); }
void TFrmMain::TextPasteClick() { surface(currentKind()).edit()->paste(); }
void TFrmMain::TextCutClick() { surface(currentKind()).edit()->cut(); }
void TFrmMain::TextDeleteClick() { surface(currentKind()).edit()->textCursor().removeSelectedText(); }
void TFrmMain::TextSelectAllClick() { surface(currentKind()).edit()->selectAll(); }

void TFrmMain::TextStyleSelectionClick() {
    QTextEdit* edit = surface(currentKind()).edit();
    QTextCursor c = edit->textCursor();
    if (!c.hasSelection()) return;
    QColor colour = c.charFormat().foreground().color();
    auto font = Ui::current().chooseFont(this, c.charFormat().font(), &colour);
    if (!font) return;
    QTextCharFormat f;
    f.setFont(*font);
    f.setForeground(colour);
    c.mergeCharFormat(f);
}

void TFrmMain::TextImportClick() {
    QString path = Ui::current().openFile(this, "导入文本文件", kImportFilter, nullptr);
    if (path.isEmpty()) return;
    QtReportSink& sink = surface(currentKind());
    sink.Clear();
    sink.SetDefaultStyle(sink.BaseFontSize(), 0, false);
    if (!sink.LoadFile(local(path))) Ui::current().message(this, "导入文件出错,请重试一次", "重试一次", BoxIcon::None);
}

void TFrmMain::TextSaveAsClick() {
    int filter = 0;
    QString path = Ui::current().saveFile(this, "另存为", kTextFilter, &filter);
    if (path.isEmpty()) return;
    // The filter's extension is always appended: "chart.rtf" becomes "chart.rtf.rtf".
    bool plain = filter == 1;
    path += plain ? ".txt" : ".rtf";
    if (!surface(currentKind()).SaveFile(local(path), plain)) {
        Ui::current().message(this, QString("无法写入 %1").arg(path), "错误", BoxIcon::Error);
        return;
    }
    Ui::current().showMessage(this, "已保存！");
}

void TFrmMain::TextPrintClick() {
    if (!Ui::current().question(this, "准备开始打印吗?", "打印", BoxIcon::Information)) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!Ui::current().choosePrinter(this, printer)) return;
    surface(currentKind()).edit()->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        Ui::current().message(this, "打印错误，请检查打印设备！", "打印错误", BoxIcon::Error);
}

void TFrmMain::PictureCopyClick(ChartKind kind) {
    QtCanvas& canvas = kind == ChartKind::Ziwei ? *ziweiCanvas_ : *xmingCanvas_;
    QApplication::clipboard()->setImage(canvas.image());
}

void TFrmMain::PictureSaveAsClick(ChartKind kind) {
    int filter = 0;
    QString path = Ui::current().saveFile(this, "另存为Bmp图片", kPictureFilter, &filter);
    if (path.isEmpty()) return;
    QtCanvas& canvas = kind == ChartKind::Ziwei ? *ziweiCanvas_ : *xmingCanvas_;
    bool ok = filter == 1 ? saveJpeg(canvas.image(), path + ".jpg") : saveBitmap(canvas.image(), path + ".bmp");
    if (!ok) {
        Ui::current().message(this, QString("无法写入 %1").arg(path), "错误", BoxIcon::Error);
        return;
    }
    Ui::current().showMessage(this, "已保存！");
}

void TFrmMain::PicturePrintClick(ChartKind kind) {
    if (!Ui::current().question(this, "准备开始打印吗?", "打印", BoxIcon::Information)) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!Ui::current().choosePrinter(this, printer)) return;
    QtCanvas& canvas = kind == ChartKind::Ziwei ? *ziweiCanvas_ : *xmingCanvas_;
    const double ratio = kind == ChartKind::Ziwei ? 0.72 : 0.89;
    QPainter painter;
    if (!painter.begin(&printer)) {
        Ui::current().message(this, "请检查打印机能否正常工作！", "打印错误", BoxIcon::Error);
        return;
    }
    // Stretched into left 8, top 30, right W - 8, bottom 30 + trunc((W - 16) * r).
    int w = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    QRect target(QPoint(8, 30), QPoint(w - 8 - 1, 30 + int((w - 16) * ratio) - 1));
    painter.drawImage(target, canvas.image());
    painter.end();
}

void TFrmMain::HelpClick() {
    QString path = QString::fromStdString((home_ / "dat" / "vwhelp.html").string());
    if (!Ui::current().openDocument(path)) Ui::current().message(this, "请重试一次", "重试", BoxIcon::Information);
}

} // namespace varrow
