// The main window, offscreen, through the scripted Ui: the panel's checks,
// the Four Pillars run, and the output actions.
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "settings/EndInfo.h"
#include "widgets/QtCanvas.h"
#include "widgets/QtReportSink.h"
#include "settings/Settings.h"
#include "shell/Untmain.h"
#include "support/DialogDriver.h"
#include "support/ScriptedUi.h"
#include "support/TestHome.h"

using namespace varrow;
using varrow::test::ScriptedUi;
using varrow::test::TestHome;

class MainWindowTest : public QObject {
    Q_OBJECT

    template <class T> T* child(TFrmMain& w, const char* name) {
        T* c = w.findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }
    // A chart of 2000-01-01 00:00 on the Four Pillars tab.
    void setMoment(TFrmMain& w, const QString& year = "2000") {
        child<QLineEdit>(w, "EdtYear")->setText(year);
        child<QComboBox>(w, "cbom")->setCurrentIndex(0);
        child<QComboBox>(w, "cbod")->setCurrentIndex(0);
        child<QComboBox>(w, "cbos")->setCurrentIndex(0);
        child<QComboBox>(w, "cbomin")->setCurrentIndex(0);
    }
    QString report(TFrmMain& w) { return child<QTextEdit>(w, "Redtbazi")->toPlainText(); }

private slots:
    void panelChecksShowTheirBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("empty name") << "" << "2000" << "120:30" << "30:00" << "姓名不能为空" << "提示"
                                    << int(BoxIcon::Information);
        QTest::newRow("year 0") << "某人" << "0" << "120:30" << "30:00"
                                << "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"
                                << "年份错误" << int(BoxIcon::Warning);
        QTest::newRow("letters") << "某人" << "abc" << "120:30" << "30:00"
                                 << "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120"
                                 << "年份错误" << int(BoxIcon::Warning);
        QTest::newRow("no colon") << "某人" << "2000" << "117" << "30:00"
                                  << "例如:东经117度48分,北纬25度42分,就按以下格式输入:\n 经度=117:48  纬度=25:42\n注意:东经为正，西经为负。北纬为正，南纬为负。"
                                  << "格式错误" << int(BoxIcon::Error);
        QTest::newRow("minutes") << "某人" << "2000" << "117:60" << "30:00" << "分数在0-59" << "格式错误"
                                 << int(BoxIcon::Error);
        QTest::newRow("180") << "某人" << "2000" << "180:00" << "30:00" << "经度在-180至180之间，纬度在-90至90之间"
                             << "数据无效" << int(BoxIcon::Error);
        QTest::newRow("latitude") << "某人" << "2000" << "120:00" << "91:00" << "纬度在-90至90之间" << "纬度错误"
                                  << int(BoxIcon::Error);
    }
    void panelChecksShowTheirBoxes() {
        QFETCH(QString, name);
        QFETCH(QString, year);
        QFETCH(QString, lon);
        QFETCH(QString, lat);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, icon);
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        QVERIFY(w.birthChartValid());
        QString before = report(w);
        ui.clear();
        child<QLineEdit>(w, "Edtname")->setText(name);
        child<QLineEdit>(w, "EdtYear")->setText(year);
        child<QLineEdit>(w, "ledtjing")->setText(lon);
        child<QLineEdit>(w, "ledtwei")->setText(lat);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        QCOMPARE(ui.boxes.size(), std::size_t(1));
        QCOMPARE(ui.last()->text, text);
        QCOMPARE(ui.last()->title, title);
        QCOMPARE(int(ui.last()->icon), icon);
        // The old chart stays on screen but can no longer be saved.
        QVERIFY(!w.birthChartValid());
        QCOMPARE(report(w), before);
    }

    void chartButtonWritesTheFourPillarsReport() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        QVERIFY2(ui.boxes.empty(), ui.boxes.empty() ? "" : qPrintable(ui.last()->text));
        QVERIFY(w.birthChartValid());
        QString text = report(w);
        for (const char* pillar : {"己卯", "丙子", "戊午", "壬子"}) QVERIFY2(text.contains(pillar), pillar);
        QCOMPARE(w.birthRequest().year, std::int16_t(2000));
        QCOMPARE(QString::fromStdString(w.birthRequest().nameText()), QString("某人"));
        QCOMPARE(w.pendingRecord().year, std::int16_t(2000));
        QCOMPARE(w.lastPillars()[2], std::uint8_t(55)); // 戊午
        w.resize(1000, 700);
        QDir().mkpath("/tmp/varrow-shots");
        w.grab().save("/tmp/varrow-shots/main-bazi.png");
    }

    void aFailingChartKeepsTheOldReportAndClearsTheFlag() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        QString before = report(w);
        QVERIFY(w.birthChartValid());
        // 2001-02-29 does not exist: the engine refuses it.
        child<QLineEdit>(w, "EdtYear")->setText("2001");
        child<QComboBox>(w, "cbom")->setCurrentIndex(1);
        child<QComboBox>(w, "cbod")->setCurrentIndex(28);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        QCOMPARE(ui.boxes.size(), std::size_t(1));
        QCOMPARE(ui.last()->title, QString("错误"));
        QCOMPARE(int(ui.last()->icon), int(BoxIcon::Error));
        QVERIFY(!w.birthChartValid());
        QCOMPARE(report(w), before);
    }

    void theClosingTextEndsTheNextReport() {
        ScriptedUi ui;
        TestHome home;
        std::string error;
        QVERIFY(writeEndInfo(home.path(), {"以上仅供参考。"}, error));
        IniFile set = openChartSettings(home.path());
        QVERIFY(set.set(setini::globalEndinfo, true) && set.save());
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        QVERIFY(report(w).trimmed().endsWith("以上仅供参考。"));
    }

    void saveAsAppendsTheFiltersExtension() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        ui.files.push_back({home.file("chart"), 1});
        ui.files.push_back({home.file("chart.rtf"), 0});
        w.TextSaveAsClick();
        w.TextSaveAsClick();
        QFile txt(home.file("chart.txt"));
        QVERIFY(txt.open(QIODevice::ReadOnly));
        QByteArray plain = txt.readAll();
        QVERIFY(!plain.startsWith("{\\rtf"));
        QVERIFY(plain.contains("\r\n"));
        QFile rtf(home.file("chart.rtf.rtf"));
        QVERIFY(rtf.open(QIODevice::ReadOnly));
        QVERIFY(rtf.readAll().startsWith("{\\rtf1"));
        QCOMPARE(ui.last()->text, QString("已保存！"));
        QCOMPARE(ui.last()->title, QString("VarrowV2.5"));
    }

    void picturesSaveAsBitmapAndJpeg() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        w.ziweiCanvas().SetBrush(0x0000FF, false);
        w.ziweiCanvas().Rectangle(10, 10, 100, 60);
        ui.files.push_back({home.file("zw"), 0});
        ui.files.push_back({home.file("zw"), 1});
        w.PictureSaveAsClick(ChartKind::Ziwei);
        w.PictureSaveAsClick(ChartKind::Ziwei);
        for (const char* name : {"zw.bmp", "zw.jpg"}) {
            QImageReader reader(home.file(name));
            QImage image = reader.read();
            QVERIFY2(!image.isNull(), name);
            QCOMPARE(image.size(), QSize(545, 393));
            QColor c = image.pixelColor(50, 30); // inside the red rectangle
            QVERIFY2(c.red() > 200 && c.green() < 60 && c.blue() < 60, name);
        }
        QCOMPARE(QImageReader(home.file("zw.jpg")).format(), QByteArray("jpeg"));
        QCOMPARE(QImageReader(home.file("zw.bmp")).format(), QByteArray("bmp"));
    }

    void printingGoesToThePrinterChosen() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        // Cancelling the confirmation prints nothing.
        ui.questions = {false};
        w.TextPrintClick();
        QCOMPARE(ui.last()->text, QString("准备开始打印吗?"));
        ui.printToPdf = home.file("report.pdf");
        ui.questions = {true};
        ui.printers = {true};
        w.TextPrintClick();
        QVERIFY(QFileInfo(home.file("report.pdf")).size() > 1000);
        ui.printToPdf = home.file("picture.pdf");
        ui.questions = {true};
        ui.printers = {true};
        w.PicturePrintClick(ChartKind::Xming);
        QVERIFY(QFileInfo(home.file("picture.pdf")).size() > 1000);
        // The report's text is in the PDF (when poppler's pdftotext is there).
        QProcess p;
        p.start("pdftotext", {home.file("report.pdf"), "-"});
        if (p.waitForFinished(20000) && p.exitCode() == 0) {
            // Shared glyphs come back as Kangxi radicals (⼰ for 己): compare compatibility forms.
            QString text = QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
            QVERIFY2(text.contains("己卯"), qPrintable(text.left(300)));
        }
    }

    void theLookReachesAllSevenSurfacesAndTheNextStart() {
        ScriptedUi ui;
        TestHome home;
        {
            TFrmMain w(home.path());
            w.show();
            ui.colours.push_back(QColor(0, 0, 255));
            w.LookBackgroundClick();
            for (int k = 0; k < kChartKindCount; ++k) QCOMPARE(w.surface(ChartKind(k)).background(), 0xFF0000);
            QCOMPARE(ui.last()->text, QString("设置完成"));
            w.close();
        }
        IniFile pinit = openWindowSettings(home.path());
        QCOMPARE(pinit.get(pinit::minggaoBcolor), 0xFF0000);
        TFrmMain again(home.path());
        again.show();
        QCOMPARE(again.surface(ChartKind::Xming).background(), 0xFF0000);
    }

    void theReverseLookupFillsThePanelAndCharts() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        setMoment(w);
        QTest::mouseClick(child<QPushButton>(w, "Btnpai"), Qt::LeftButton);
        // Another moment on the panel, then look the first chart's pillars up again.
        child<QLineEdit>(w, "EdtYear")->setText("1990");
        child<QComboBox>(w, "cbomin")->setCurrentIndex(33);
        child<QRadioButton>(w, "Rdonl")->setChecked(true);
        test::onDialog("TFrmFanTui", [](QDialog* d) {
            d->findChild<QPushButton*>("Btncha")->click();
            d->findChild<QPushButton*>("Btnpai")->click();
        });
        w.findChild<QToolButton*>("SbtoFanTui")->click();
        QCOMPARE(child<QLineEdit>(w, "EdtYear")->text(), QString("2000"));
        QCOMPARE(child<QComboBox>(w, "cbom")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(w, "cbod")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(w, "cbos")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(w, "cbomin")->currentIndex(), 0);
        QVERIFY(child<QRadioButton>(w, "Rdogl")->isChecked());
        QVERIFY(w.birthChartValid());
        QVERIFY(report(w).contains("2000年1月1日0时0分"));
    }

    void otherTabsSayTheirChartIsNotAvailableYet() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        auto* button = child<QPushButton>(w, "Btnpai");
        QVERIFY(button->isEnabled());
        w.pages()->setCurrentIndex(int(ChartKind::Qimen));
        QVERIFY(!button->isEnabled());
        QVERIFY(button->toolTip().contains("奇门遁甲"));
        w.pages()->setCurrentIndex(int(ChartKind::Bazi));
        QVERIFY(button->isEnabled());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
