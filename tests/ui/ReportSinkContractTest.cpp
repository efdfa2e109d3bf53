// The two report surfaces, the in-memory one of the core and the Qt one of
// the window, give the same styled text for the same operations; the two
// canvases agree on what is drawn where.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <functional>

#include "widgets/QtCanvas.h"
#include "widgets/QtReportSink.h"
#include "widgets/Ui.h"
#include "text/RecordingCanvas.h"
#include "text/RichText.h"

using namespace varrow;

namespace {

// What an engine does: the whole text, then restyled markers, then Home.
void writeReport(ReportSink& sink) {
    sink.Clear();
    sink.SetDefaultStyle(sink.BaseFontSize(), 0, false);
    sink.SetText("命主姓名:某人\n乾造  己卯  丙子  戊午  壬子\n排大运：\n大运 乙亥 甲戌");
    int p = sink.FindText("己卯  丙子", 0, sink.TextLength());
    sink.Select(p, 10);
    sink.SetSelectionColour(255);
    p = sink.FindText("排大运：", p, sink.TextLength());
    sink.Select(p, 4);
    sink.SetSelectionColour(0xFF0000);
    sink.SetSelectionBold(true);
    sink.SetSelectionSize(sink.BaseFontSize() + 2);
    sink.Home();
}

std::vector<StyledSpan> spansWithoutFont(std::vector<StyledSpan> spans) {
    for (auto& s : spans) s.style.font.clear(); // each side names its own face
    return spans;
}

} // namespace

class ReportSinkContractTest : public QObject {
    Q_OBJECT

private slots:
    void sameOperationsGiveTheSameStyledText() {
        RichText core;
        core.SetFont("宋体", 12);
        QTextEdit edit;
        QtReportSink qt(&edit);
        qt.SetFont("宋体", 12);
        writeReport(core);
        writeReport(qt);
        RichText shown = qt.toRichText();
        QCOMPARE(QString::fromStdString(shown.text()), QString::fromStdString(core.text()));
        auto a = spansWithoutFont(core.spans()), b = spansWithoutFont(shown.spans());
        QCOMPARE(b.size(), a.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(b[i].start, a[i].start);
            QCOMPARE(b[i].length, a[i].length);
            QCOMPARE(b[i].style.colour, a[i].style.colour);
            QCOMPARE(b[i].style.bold, a[i].style.bold);
            QCOMPARE(b[i].style.size, a[i].style.size);
        }
        QCOMPARE(qt.TextLength(), core.TextLength());
        QCOMPARE(qt.CaretLine(), 0);
        QCOMPARE(qt.FindText("壬子", 0, qt.TextLength()), core.FindText("壬子", 0, core.TextLength()));
        QCOMPARE(qt.FindText("壬子", 0, 20), -1); // beyond the range searched
        QCOMPARE(core.FindText("壬子", 0, 20), -1);
    }

    void caretLineAndModifiedFlag() {
        QTextEdit edit;
        QtReportSink qt(&edit);
        qt.SetText("一\n二\n三");
        qt.Select(4, 0);
        QCOMPARE(qt.CaretLine(), 2);
        qt.SetModified(false);
        QVERIFY(!qt.IsModified());
        QTest::keyClick(&edit, Qt::Key_A);
        QVERIFY(qt.IsModified());
    }

    void savedRtfLoadsBackWithItsStyles() {
        QTemporaryDir dir;
        QTextEdit edit, other;
        QtReportSink qt(&edit), back(&other);
        writeReport(qt);
        std::string path = (dir.path() + "/r.rtf").toStdString();
        QVERIFY(qt.SaveFile(path, false));
        QVERIFY(back.LoadFile(path));
        QCOMPARE(QString::fromStdString(back.toRichText().text()), QString::fromStdString(qt.toRichText().text()));
        auto a = spansWithoutFont(qt.toRichText().spans()), b = spansWithoutFont(back.toRichText().spans());
        QCOMPARE(b.size(), a.size());
        for (std::size_t i = 0; i < a.size(); ++i) QCOMPARE(b[i].style.colour, a[i].style.colour);
        // Plain text is GBK with CR LF, and loads back as text.
        std::string txt = (dir.path() + "/r.txt").toStdString();
        QVERIFY(qt.SaveFile(txt, true));
        QVERIFY(back.LoadFile(txt));
        QCOMPARE(QString::fromStdString(back.toRichText().text()), QString::fromStdString(qt.toRichText().text()));
        QVERIFY(!back.LoadFile((dir.path() + "/missing.rtf").toStdString()));
    }

    void canvasesAgreeOnGeometry() {
        // The same drawing on both canvases: the Qt picture has the pixels the
        // recording says were drawn.
        RecordingCanvas rec(100, 80);
        QtCanvas img(100, 80);
        for (ChartCanvas* c : std::initializer_list<ChartCanvas*>{&rec, &img}) {
            c->SetPenColour(0);
            c->SetBrush(255, false);
            c->Rectangle(10, 10, 30, 20);
            c->SetPenColour(0xFF0000);
            c->MoveTo(0, 50);
            c->LineTo(99, 50);
        }
        QCOMPARE(rec.calls().size(), std::size_t(2));
        QCOMPARE(rec.calls()[0].x2, 30);
        const QImage& im = img.image();
        QCOMPARE(im.pixelColor(10, 10), QColor(Qt::black));   // outline corner
        QCOMPARE(im.pixelColor(29, 19), QColor(Qt::black));   // right and bottom edges exclusive
        QCOMPARE(im.pixelColor(30, 20), QColor(Qt::white));
        QCOMPARE(im.pixelColor(20, 15), QColor(Qt::red));     // filled with the brush
        QCOMPARE(im.pixelColor(50, 50), QColor(Qt::blue));
        img.SetFont("宋体", 9);
        QVERIFY(img.TextWidth("子平") > img.TextWidth("子"));
        QVERIFY(img.TextHeight("子") >= 9);
    }
};

QTEST_MAIN(ReportSinkContractTest)
#include "ReportSinkContractTest.moc"
