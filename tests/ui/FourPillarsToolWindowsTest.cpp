// The flowing-months window and the reverse lookup dialog.
#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "fourpillars/Ubzliu.h"
#include "fourpillars/Untfant.h"
#include "support/ScriptedUi.h"

using namespace varrow;
using varrow::test::ScriptedUi;

namespace {

// 己卯 丙子 戊午 壬子
FourPillars examplePillars() {
    return FourPillars{GanZhi::of(6, 4), GanZhi::of(3, 1), GanZhi::of(5, 7), GanZhi::of(9, 1)};
}

QString itemText(QTreeWidgetItem* item) { return item->text(0); }

void maybeGrab(QWidget& w, const QString& file) {
    QString dir = qEnvironmentVariable("VARROW_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    // The program's face, as main() sets it up.
    QFont::insertSubstitution("宋体", "Noto Serif CJK SC");
    w.setFont(QFont("宋体", 9));
    w.show();
    w.grab().save(dir + "/" + file);
}

} // namespace

class FourPillarsToolWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void flowingYearsAndMonthsOfABirthYear();
    void choosingAnotherYearRebuildsTheTree();
    void yearOutsideTheTablesIsRefused();
    void closingTheWindowEndsIt();

    void reverseLookupFindsTheExample();
    void reverseLookupAppendsAndNotFoundReplaces();
    void reverseLookupRefusesBadInput_data();
    void reverseLookupRefusesBadInput();
    void yearStepperShowsHistoricalYears();
};

void FourPillarsToolWindowsTest::flowingYearsAndMonthsOfABirthYear() {
    ScriptedUi ui;
    TFrmBzLiu w(2000, 3);
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    auto* years = w.findChild<QListWidget*>("LstYear");
    QCOMPARE(years->count(), 82); // ages 1 .. startAge + 79
    QCOMPARE(years->item(0)->text(), QString("2000年-庚辰(1岁)"));
    QCOMPARE(years->item(81)->text(), QString("2081年-辛丑(82岁)"));
    QCOMPARE(years->currentRow(), 0);

    auto* tree = w.findChild<QTreeWidget*>("Treemd");
    QCOMPARE(tree->topLevelItemCount(), 12);
    QTreeWidgetItem* first = tree->topLevelItem(0);
    QCOMPARE(itemText(first), QString("1月-戊寅 2000年2月4日20时40分-2000年3月5日14时43分"));
    // From the 立春 day up to the day before 惊蛰 (2000 is a leap year).
    QCOMPARE(first->childCount(), 30);
    QCOMPARE(itemText(first->child(0)), QString("2月4日-壬辰"));
    QCOMPARE(itemText(first->child(29)), QString("3月4日-辛酉"));
    QVERIFY(itemText(tree->topLevelItem(11)).startsWith("12月-己丑 2001年1月5日"));
    QVERIFY(ui.boxes.empty());
    tree->expandItem(first);
    maybeGrab(w, "bzliu.png");
}

void FourPillarsToolWindowsTest::choosingAnotherYearRebuildsTheTree() {
    ScriptedUi ui;
    TFrmBzLiu w(2000, 3);
    w.findChild<QListWidget*>("LstYear")->setCurrentRow(1);
    auto* tree = w.findChild<QTreeWidget*>("Treemd");
    QCOMPARE(tree->topLevelItemCount(), 12);
    QVERIFY(itemText(tree->topLevelItem(0)).startsWith("1月-庚寅 2001年2月4日"));
}

void FourPillarsToolWindowsTest::yearOutsideTheTablesIsRefused() {
    ScriptedUi ui;
    TFrmBzLiu w(2095, 2);
    w.show();
    auto* tree = w.findChild<QTreeWidget*>("Treemd");
    QString before = itemText(tree->topLevelItem(0));
    w.findChild<QListWidget*>("LstYear")->setCurrentRow(5); // 2100
    QVERIFY(ui.last());
    QCOMPARE(ui.last()->text, QString("流月、流日查看的年份在1900-2100年之间"));
    QCOMPARE(ui.last()->title, QString("无法查看"));
    QCOMPARE(ui.last()->icon, BoxIcon::Information);
    QCOMPARE(itemText(tree->topLevelItem(0)), before); // the tree stays
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
}

void FourPillarsToolWindowsTest::closingTheWindowEndsIt() {
    ScriptedUi ui;
    QPointer<TFrmBzLiu> w = new TFrmBzLiu(1990, 5);
    w->show();
    w->close();
    QTRY_VERIFY(w.isNull());
}

void FourPillarsToolWindowsTest::reverseLookupFindsTheExample() {
    ScriptedUi ui;
    TFrmFanTui dlg(examplePillars(), false);
    QCOMPARE(dlg.windowTitle(), QString("从八字反求出生日期"));
    QCOMPARE(dlg.findChild<QComboBox*>("cbotian0")->currentText(), QString("己"));
    QCOMPARE(dlg.findChild<QComboBox*>("cbodi0")->currentText(), QString("卯"));
    QCOMPARE(dlg.findChild<QComboBox*>("cbotian3")->currentText(), QString("壬"));
    QCOMPARE(dlg.findChild<QComboBox*>("cbodi3")->currentText(), QString("子"));
    QVERIFY(dlg.findChild<QRadioButton*>("Rdonv1")->isChecked());
    QCOMPARE(dlg.findChild<QLineEdit*>("Edtyear")->text(), QString("1950"));
    auto* pai = dlg.findChild<QPushButton*>("Btnpai");
    QVERIFY(!pai->isEnabled());

    dlg.findChild<QPushButton*>("Btncha")->click();
    QVERIFY(ui.boxes.empty());
    QCOMPARE(dlg.findChild<QPlainTextEdit*>("Memo1")->toPlainText(),
             QString("符合命例\n2000年1月1日0时\n\n"));
    QVERIFY(pai->isEnabled());
    maybeGrab(dlg, "fantui.png");

    dlg.findChild<QRadioButton*>("Rdona1")->setChecked(true);
    pai->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.foundDate(), (SolarDate{2000, 1, 1, 0, 5}));
    QVERIFY(dlg.male());
    QCOMPARE(dlg.pillars(), examplePillars());
}

void FourPillarsToolWindowsTest::reverseLookupAppendsAndNotFoundReplaces() {
    ScriptedUi ui;
    TFrmFanTui dlg(examplePillars(), true);
    auto* memo = dlg.findChild<QPlainTextEdit*>("Memo1");
    auto* year = dlg.findChild<QLineEdit*>("Edtyear");
    auto* cha = dlg.findChild<QPushButton*>("Btncha");
    cha->click();
    year->setText("2001"); // a later start finds the next cycle's date
    cha->click();
    QCOMPARE(memo->toPlainText().count("符合命例"), 2);
    QVERIFY(memo->toPlainText().endsWith("\n\n"));
    QVERIFY(dlg.foundDate().year >= 2001);

    year->setText("2090"); // no 己卯 year before 2100
    cha->click();
    QCOMPARE(memo->toPlainText(), QString("没有符合的八字，改变起始年反推，或许可以找到。\n\n"));
    QVERIFY(!dlg.findChild<QPushButton*>("Btnpai")->isEnabled());
}

void FourPillarsToolWindowsTest::reverseLookupRefusesBadInput_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("monthStem");  // list item of cbotian1
    QTest::addColumn<int>("hourBranch"); // list item of cbodi3
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    const QString yearText = "起始年必须在-850到2100年之间，并且没有公元0年\r\n"
                             "注意：公元前用负数，比如公元前120年，就输入-120";
    // Example pillars: month 丙子 is item 2 of the stems, hour 壬子 item 0 of the branches.
    QTest::newRow("year 0") << "0" << 2 << 0 << yearText << "年份错误" << int(BoxIcon::Warning);
    QTest::newRow("year text") << "abc" << 2 << 0 << yearText << "年份错误" << int(BoxIcon::Warning);
    QTest::newRow("year 2101") << "2101" << 2 << 0 << yearText << "年份错误" << int(BoxIcon::Warning);
    QTest::newRow("month stem") << "1950" << 0 << 0 << "不存在这个月柱！"
                                << "无效的八字" << int(BoxIcon::Error);
    QTest::newRow("hour parity") << "1950" << 2 << 1 << "不存在这个时柱！"
                                 << "无效的八字" << int(BoxIcon::Error);
}

void FourPillarsToolWindowsTest::reverseLookupRefusesBadInput() {
    QFETCH(QString, year);
    QFETCH(int, monthStem);
    QFETCH(int, hourBranch);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, icon);
    ScriptedUi ui;
    TFrmFanTui dlg(examplePillars(), true);
    auto* memo = dlg.findChild<QPlainTextEdit*>("Memo1");
    dlg.findChild<QPushButton*>("Btncha")->click(); // a first hit enables "排八字"
    QString shown = memo->toPlainText();

    dlg.findChild<QLineEdit*>("Edtyear")->setText(year);
    dlg.findChild<QComboBox*>("cbotian1")->setCurrentIndex(monthStem);
    dlg.findChild<QComboBox*>("cbodi3")->setCurrentIndex(hourBranch);
    dlg.findChild<QPushButton*>("Btncha")->click();
    QCOMPARE(ui.boxes.size(), std::size_t(1));
    QCOMPARE(ui.last()->text, text);
    QCOMPARE(ui.last()->title, title);
    QCOMPARE(int(ui.last()->icon), icon);
    QCOMPARE(memo->toPlainText(), shown);
    // A bad year changes nothing; a bad pillar has already withdrawn the last result.
    QCOMPARE(dlg.findChild<QPushButton*>("Btnpai")->isEnabled(), title == "年份错误");
}

void FourPillarsToolWindowsTest::yearStepperShowsHistoricalYears() {
    ScriptedUi ui;
    TFrmFanTui dlg(examplePillars(), true);
    auto* year = dlg.findChild<QLineEdit*>("Edtyear");
    auto* down = dlg.findChild<QToolButton*>("UpyearDown");
    auto* up = dlg.findChild<QToolButton*>("UpyearUp");
    year->setText("2");
    down->click();
    QCOMPARE(year->text(), QString("1"));
    down->click(); // no year 0
    QCOMPARE(year->text(), QString("-1"));
    up->click();
    QCOMPARE(year->text(), QString("1"));
    year->setText("2100");
    up->click();
    QCOMPARE(year->text(), QString("2100"));
    year->setText("-900"); // accepted, but the search starts where the calendar does
    dlg.findChild<QPushButton*>("Btncha")->click();
    QVERIFY(ui.boxes.empty());
    QCOMPARE(year->text(), QString("-850"));
}

QTEST_MAIN(FourPillarsToolWindowsTest)
#include "FourPillarsToolWindowsTest.moc"
