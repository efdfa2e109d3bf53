// The chart settings dialog and the closing-text dialog over a throw-away
// program directory.
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "fourpillars/Bazimp.h"
#include "settings/EndInfo.h"
#include "settings/Settings.h"
#include "shell/Untendfo.h"
#include "shell/Untsetcan.h"
#include "support/ScriptedUi.h"
#include "support/TestHome.h"
#include "text/Gbk.h"
#include "text/RichText.h"

using namespace varrow;
using varrow::test::ScriptedUi;
using varrow::test::TestHome;

namespace {

std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeGbk(const std::filesystem::path& p, const std::string& utf8) {
    std::ofstream(p, std::ios::binary) << Gbk::fromUtf8(utf8);
}

QString name(const char* prefix, const IntKey& k) {
    return QString(prefix) + QString::fromUtf8(k.section.data(), k.section.size()) +
           QString::fromUtf8(k.key.data(), k.key.size());
}

QRadioButton* radio(QWidget& dlg, const IntKey& k, int choice) {
    return dlg.findChild<QRadioButton*>(name("Rdo", k) + QString::number(choice));
}

// The checked choice of a group, or -1 when none is checked.
int checked(QWidget& dlg, const IntKey& k) {
    for (int c = 0; c < 3; ++c)
        if (QRadioButton* r = radio(dlg, k, c); r && r->isChecked()) return c;
    return -1;
}

QPushButton* button(QWidget& dlg, const QString& objectName) {
    return dlg.findChild<QPushButton*>(objectName);
}

QColor sample(QWidget& dlg) { return dlg.findChild<QFrame*>("ShpColor")->palette().color(QPalette::Window); }

bool isColourKey(const IntKey& k) { return k.key == setini::xmingBkcolor.key; }

// A file where every key holds a value other than its default: the highest
// choice of each group, and blue for the colour.
constexpr int kBlue = 16711680;
int sampleValue(const IntKey& k) {
    if (isColourKey(k)) return kBlue;
    bool three = k.key == "tg7" || k.key == "run";
    return three ? 2 : 1;
}

void writeSampleSettings(const std::filesystem::path& home) {
    IniFile set(chartSettingsPath(home));
    for (const IntKey& k : setini::dialogKeys) set.set(k, sampleValue(k));
    set.set(setini::globalEndinfo, true);
    QVERIFY(set.save());
}

// Grabs a dialog to PNG when VARROW_SCREENSHOT_DIR names a folder.
void maybeGrab(QWidget& w, const QString& file) {
    QString dir = qEnvironmentVariable("VARROW_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    // The program's face, as main() sets it up.
    QFont::insertSubstitution("宋体", "Noto Serif CJK SC");
    w.setFont(QFont("宋体", 9));
    w.adjustSize();
    w.show();
    w.grab().save(dir + "/" + file);
}

} // namespace

class SettingsDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryKeyWhateverThePage();
    void readsMissingFileAsDefaults();
    void confirmOnOnePageRewritesAllKeys();
    void defaultThenCancelLeavesFileUnchanged();
    void defaultButtonOnEveryPageButJinKouJue();
    void colourChooser();
    void valueOutsideListIsKept();
    void unwritableFileIsReported();

    void closingTextEmptyRefused();
    void closingTextSavedWithTick();
    void closingTextLoadedAndCancelWritesNothing();
};

void SettingsDialogsTest::readsEveryKeyWhateverThePage() {
    ScriptedUi ui;
    TestHome home;
    writeSampleSettings(home.path());
    for (int page = 0; page < TFrmSetcan::kPages; ++page) {
        TFrmSetcan dlg(home.path(), page);
        QCOMPARE(dlg.currentPage(), page);
        QCOMPARE(dlg.findChild<QTabWidget*>("PageControl")->tabText(page).isEmpty(), false);
        for (const IntKey& k : setini::dialogKeys) {
            QCOMPARE(dlg.value(k), sampleValue(k));
            if (!isColourKey(k)) QCOMPARE(checked(dlg, k), sampleValue(k));
        }
        QCOMPARE(sample(dlg), QColor(0, 0, 255));
        maybeGrab(dlg, QString("setcan-page%1.png").arg(page));
    }
}

void SettingsDialogsTest::readsMissingFileAsDefaults() {
    ScriptedUi ui;
    TestHome home(false);
    TFrmSetcan dlg(home.path(), 2);
    for (const IntKey& k : setini::dialogKeys)
        if (!isColourKey(k)) QCOMPARE(checked(dlg, k), 0);
    QCOMPARE(sample(dlg), QColor(Qt::white));
}

void SettingsDialogsTest::confirmOnOnePageRewritesAllKeys() {
    ScriptedUi ui;
    TestHome home;
    // Most keys missing from the file: confirming writes them with what the dialog read.
    writeGbk(chartSettingsPath(home.path()),
             "[dlr]\r\ngui157=1\r\n[global]\r\nendinfo=1\r\n[bazi]\r\npai=1\r\n");

    TFrmSetcan dlg(home.path(), 5);
    radio(dlg, setini::dlrGui157, 0)->click();
    button(dlg, "BtnOk")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    IniFile after(chartSettingsPath(home.path()));
    for (const IntKey& k : setini::dialogKeys) {
        QVERIFY2(after.hasKey(k.section, k.key), k.key.data());
        int expected = k.key == "pai" ? 1 : k.fallback; // gui157 changed back to 0 by the click
        QCOMPARE(after.get(k), expected);
    }
    QCOMPARE(after.get(setini::globalEndinfo), true);
}

void SettingsDialogsTest::defaultThenCancelLeavesFileUnchanged() {
    ScriptedUi ui;
    TestHome home;
    writeSampleSettings(home.path());
    std::string before = readBytes(chartSettingsPath(home.path()));

    TFrmSetcan dlg(home.path(), 1);
    button(dlg, "BtnDefault1")->click();
    for (const IntKey& k :
         {setini::ziweiTg5, setini::ziweiTg7, setini::ziweiTg9, setini::ziweiTm, setini::ziweiRun})
        QCOMPARE(checked(dlg, k), 0);
    QCOMPARE(checked(dlg, setini::baziPai), 1); // other pages keep their values
    button(dlg, "BtnCancel")->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(readBytes(chartSettingsPath(home.path())), before);
}

void SettingsDialogsTest::defaultButtonOnEveryPageButJinKouJue() {
    ScriptedUi ui;
    TestHome home;
    TFrmSetcan dlg(home.path(), 0);
    for (int page = 0; page < TFrmSetcan::kPages; ++page)
        QCOMPARE(button(dlg, QString("BtnDefault%1").arg(page)) != nullptr, page != 4);
}

void SettingsDialogsTest::colourChooser() {
    ScriptedUi ui;
    TestHome home;
    TFrmSetcan dlg(home.path(), 2);

    ui.colours.push_back(QColor(0x12, 0x34, 0x56));
    button(dlg, "BtnColor")->click();
    QCOMPARE(ui.last()->kind, QString("colour"));
    QCOMPARE(dlg.value(setini::xmingBkcolor), 0x563412);
    QCOMPARE(sample(dlg), QColor(0x12, 0x34, 0x56));

    ui.colours.push_back(std::nullopt); // cancelled: the sample stays
    button(dlg, "BtnColor")->click();
    QCOMPARE(dlg.value(setini::xmingBkcolor), 0x563412);

    button(dlg, "BtnOk")->click();
    QCOMPARE(openChartSettings(home.path()).get(setini::xmingBkcolor), 0x563412);

    TFrmSetcan again(home.path(), 2);
    QCOMPARE(sample(again), QColor(0x12, 0x34, 0x56));
    button(again, "BtnDefault2")->click();
    QCOMPARE(again.value(setini::xmingBkcolor), 16777215);
    QCOMPARE(sample(again), QColor(Qt::white));
}

void SettingsDialogsTest::valueOutsideListIsKept() {
    ScriptedUi ui;
    TestHome home;
    writeGbk(chartSettingsPath(home.path()), "[ziwei]\r\ntm=7\r\n");
    TFrmSetcan dlg(home.path(), 1);
    QCOMPARE(checked(dlg, setini::ziweiTm), -1);
    button(dlg, "BtnOk")->click();
    QCOMPARE(openChartSettings(home.path()).get(setini::ziweiTm), 7);
}

void SettingsDialogsTest::unwritableFileIsReported() {
    ScriptedUi ui;
    TestHome home(false);
    std::filesystem::create_directories(chartSettingsPath(home.path())); // a folder where the file should be
    TFrmSetcan dlg(home.path(), 0);
    button(dlg, "BtnOk")->click();
    QVERIFY(ui.last());
    QCOMPARE(ui.last()->title, QString("错误"));
    QCOMPARE(ui.last()->icon, BoxIcon::Error);
    QCOMPARE(dlg.result(), int(QDialog::Rejected)); // still open, nothing accepted
}

void SettingsDialogsTest::closingTextEmptyRefused() {
    ScriptedUi ui;
    TestHome home(false);
    TFrmEndfo dlg(home.path());
    QCOMPARE(dlg.windowTitle(), QString("编辑尾部信息"));
    QCOMPARE(dlg.findChild<QPlainTextEdit*>("MemoInfo")->toPlainText(), QString());
    button(dlg, "BtnOk")->click();
    QCOMPARE(ui.boxes.size(), std::size_t(1));
    QCOMPARE(ui.last()->text, QString("输入不能为空"));
    QCOMPARE(ui.last()->title, QString("信息"));
    QCOMPARE(ui.last()->icon, BoxIcon::Information);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!std::filesystem::exists(endInfoPath(home.path())));
    QVERIFY(!std::filesystem::exists(chartSettingsPath(home.path())));
}

void SettingsDialogsTest::closingTextSavedWithTick() {
    ScriptedUi ui;
    TestHome home;
    writeSampleSettings(home.path());
    IniFile set(chartSettingsPath(home.path()));
    set.set(setini::globalEndinfo, false);
    QVERIFY(set.save());

    TFrmEndfo dlg(home.path());
    QVERIFY(!dlg.findChild<QCheckBox*>("ChkAdd")->isChecked());
    dlg.findChild<QPlainTextEdit*>("MemoInfo")->setPlainText("本命稿仅供参考\n第二行");
    dlg.findChild<QCheckBox*>("ChkAdd")->setChecked(true);
    maybeGrab(dlg, "endfo.png");
    button(dlg, "BtnOk")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(ui.boxes.empty());

    QCOMPARE(readBytes(endInfoPath(home.path())), Gbk::fromUtf8("本命稿仅供参考\r\n第二行\r\n"));
    IniFile after = openChartSettings(home.path());
    QCOMPARE(after.get(setini::globalEndinfo), true);
    for (const IntKey& k : setini::dialogKeys) QCOMPARE(after.get(k), sampleValue(k)); // the rest untouched
    QCOMPARE(closingText(home.path(), after), std::string("本命稿仅供参考\n第二行\n"));

    // The next Four Pillars report ends with the saved lines.
    RichText doc;
    CBaZimp engine(doc);
    engine.SetProgramDir(home.path().string());
    QVERIFY(engine.MakeChart(ChartRequest{}));
    const std::string report = doc.text();
    QVERIFY2(report.ends_with("本命稿仅供参考\n第二行\n"), report.substr(report.size() - 40).c_str());
}

void SettingsDialogsTest::closingTextLoadedAndCancelWritesNothing() {
    ScriptedUi ui;
    TestHome home(false);
    writeGbk(endInfoPath(home.path()), "甲\r\n乙\r\n");
    writeGbk(chartSettingsPath(home.path()), "[global]\r\nendinfo=1\r\n");
    std::string before = readBytes(endInfoPath(home.path()));

    TFrmEndfo dlg(home.path());
    QCOMPARE(dlg.findChild<QPlainTextEdit*>("MemoInfo")->toPlainText(), QString("甲\n乙"));
    QVERIFY(dlg.findChild<QCheckBox*>("ChkAdd")->isChecked());
    dlg.findChild<QPlainTextEdit*>("MemoInfo")->setPlainText("丙");
    button(dlg, "BtnCancel")->click();
    QCOMPARE(readBytes(endInfoPath(home.path())), before);
}

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
