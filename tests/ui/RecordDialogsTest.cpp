// The save, edit and category dialogs of saved charts over a throw-away
// program directory.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <cmath>
#include <cstring>
#include <fstream>

#include "records/Database.h"
#include "records/DialogFields.h"
#include "records/Untcedit.h"
#include "records/Untflei.h"
#include "records/Untinfo.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"
#include "support/TestHome.h"
#include "text/Gbk.h"

using namespace varrow;
using varrow::test::ScriptedUi;
using varrow::test::TestHome;

namespace {

std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

template <class W> W* child(QWidget& dlg, const char* name) {
    W* w = dlg.findChild<W*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
}

void click(QWidget& dlg, const char* button) { child<QPushButton>(dlg, button)->click(); }
QLineEdit* edit(QWidget& dlg, const char* name) { return child<QLineEdit>(dlg, name); }
QComboBox* combo(QWidget& dlg, const char* name) { return child<QComboBox>(dlg, name); }
QPlainTextEdit* memo(QWidget& dlg, const char* name) { return child<QPlainTextEdit>(dlg, name); }

// The last box shown, as text, title and icon.
void expectBox(const ScriptedUi& ui, const QString& text, const QString& title, BoxIcon icon) {
    QVERIFY(ui.last());
    QCOMPARE(ui.last()->text, text);
    QCOMPARE(ui.last()->title, title);
    QCOMPARE(int(ui.last()->icon), int(icon));
}

void writeCategoriesFile(const TestHome& home, const std::string& classesSection) {
    std::ofstream(windowSettingsPath(home.path()), std::ios::binary)
        << Gbk::fromUtf8("[winpos]\r\nleft=10\r\n[classes]\r\n" + classesSection);
}

// Two provinces of a small places file: 福建省 (0) and 北京市 (1).
void writePlaces(const TestHome& home) {
    std::ofstream(home.path() / "dat" / "dili.ini", std::ios::binary)
        << Gbk::fromUtf8("[福建省]\r\n福州=119:18*26:05\r\n厦门=118:06*24:27\r\n泉州=118:35*24:55\r\n"
                         "[北京市]\r\n北京=116:28*39:54\r\n");
}

// Grabs a dialog to PNG when VARROW_SCREENSHOT_DIR names a folder.
void maybeGrab(QWidget& w, const QString& file) {
    QString dir = qEnvironmentVariable("VARROW_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    w.show();
    w.grab().save(dir + "/" + file);
    w.hide();
}

// A saved question chart of 120 BC with every field set.
RecordImage sampleRecord() {
    RecordImage r;
    r.id = 7;
    setFixed(r.name, "张三");
    setFixed(r.category, "朋友");
    r.year = -119;
    r.month = 6;
    r.day = 15;
    r.hour = 13;
    r.minute = 45;
    r.isLunar = 1;
    r.isLeapMonth = 1;
    r.isMale = 0;
    r.province = 0; // 福建省
    r.city = 1;     // 厦门
    r.timeZone = 5;
    r.longitude = 118.1f;
    r.latitude = 24.45f;
    setFixed(r.remark, "第一行\r\n第二行");
    setFixed(r.question, "问工作");
    setFixed(r.place, "福建省-厦门");
    setFixed(r.primaryLines, "123412");
    setFixed(r.changedLines, "124312");
    setFixed(r.castMethod, "铜钱摇卦");
    r.diFen = 3;
    r.birthYear = 1978;
    r.zhanShiIndex = 4;
    r.otherStart = 2;
    r.reserved1116[0] = 0x5a;
    return r;
}

bool sameBytes(const RecordImage& a, const RecordImage& b) { return encodeRecord(a) == encodeRecord(b); }

} // namespace

class RecordDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void saveDialogListsCategories();
    void saveDialogRefusesEmptyFields();
    void saveDialogGivesCategoryAndRemark();
    void saveDialogLimitsBytes();

    void editDialogShowsRecord();
    void editDialogProvinceReloadsCitiesOnly();
    void editDialogNoKeepsEverything();
    void editDialogRefusals_data();
    void editDialogRefusals();
    void editDialogYearFocus();
    void editDialogQuestionOnlyOnQuestionKinds();
    void editedRecordComesBackThroughStore();

    void categoryEditorShowsList();
    void categoryEditorRefusals_data();
    void categoryEditorRefusals();
    void categoryEditorWritesKeys();
    void categoryEditorCancelWritesNothing();
};

void RecordDialogsTest::saveDialogListsCategories() {
    ScriptedUi ui;
    TestHome home;
    writeCategoriesFile(home, "count=3\r\n1=朋友\r\n3=客户\r\n");
    IniFile pinit = openWindowSettings(home.path());
    TFrmFenLei dlg(pinit);
    QCOMPARE(dlg.windowTitle(), QString("分类保存"));
    QComboBox* c = combo(dlg, "CboClass");
    QCOMPARE(c->count(), 3);
    QCOMPARE(c->itemText(1), QString("临时保存")); // key 2 is missing
    QCOMPARE(c->currentText(), QString("朋友"));
    QCOMPARE(memo(dlg, "MemoInfo")->toPlainText(), QString("备注:"));
    maybeGrab(dlg, "rec-fenlei.png");
}

void RecordDialogsTest::saveDialogRefusesEmptyFields() {
    ScriptedUi ui;
    TestHome home;
    IniFile pinit = openWindowSettings(home.path()); // the shipped file: no categories
    TFrmFenLei dlg(pinit);
    QCOMPARE(combo(dlg, "CboClass")->currentText(), QString());

    click(dlg, "BtnOk");
    expectBox(ui, "类别名不能为空", "错误", BoxIcon::Error);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));

    combo(dlg, "CboClass")->setEditText("临时");
    memo(dlg, "MemoInfo")->clear();
    click(dlg, "BtnOk");
    expectBox(ui, "附加信息不能为空", "错误", BoxIcon::Error);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(ui.boxes.size(), std::size_t(2));

    click(dlg, "BtnCancel");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordDialogsTest::saveDialogGivesCategoryAndRemark() {
    ScriptedUi ui;
    TestHome home;
    writeCategoriesFile(home, "count=2\r\n1=朋友\r\n2=客户\r\n");
    IniFile pinit = openWindowSettings(home.path());
    TFrmFenLei dlg(pinit);
    combo(dlg, "CboClass")->setCurrentIndex(1);
    memo(dlg, "MemoInfo")->setPlainText("备注:\n生于医院");
    click(dlg, "BtnOk");
    QVERIFY(ui.boxes.empty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.category(), std::string("客户"));
    QCOMPARE(dlg.remark(), std::string("备注:\r\n生于医院"));

    RecordImage r;
    dlg.fillRecord(r);
    QCOMPARE(getFixed(r.category), std::string("客户"));
    QCOMPARE(getFixed(r.remark), std::string("备注:\r\n生于医院"));
}

void RecordDialogsTest::saveDialogLimitsBytes() {
    ScriptedUi ui;
    TestHome home;
    IniFile pinit = openWindowSettings(home.path());
    TFrmFenLei dlg(pinit);

    // The category picker takes 13 bytes: six Chinese characters and one letter.
    QLineEdit* category = combo(dlg, "CboClass")->lineEdit();
    category->insert("甲乙丙丁戊己x庚");
    QCOMPARE(category->text(), QString("甲乙丙丁戊己x"));

    // The remark takes 801 bytes, a line break counting two; text typed in
    // the middle is cut, the rest stays whole.
    QPlainTextEdit* box = memo(dlg, "MemoInfo");
    box->moveCursor(QTextCursor::End);
    box->insertPlainText("\n" + QString(500, QChar(0x4e00)));
    QCOMPARE(storedByteLength(box->toPlainText()), 801);
    QVERIFY(box->toPlainText().startsWith("备注:\n"));
    box->moveCursor(QTextCursor::Start);
    box->insertPlainText("ab");
    QCOMPARE(box->toPlainText().left(4), QString("备注:\n"));
    QCOMPARE(storedByteLength(box->toPlainText()), 801);
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    end.deletePreviousChar(); // two bytes free
    box->setTextCursor(end);
    box->insertPlainText("abc");
    QCOMPARE(storedByteLength(box->toPlainText()), 801);
    QVERIFY(box->toPlainText().endsWith("ab"));
}

void RecordDialogsTest::editDialogShowsRecord() {
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    writeCategoriesFile(home, "count=1\r\n1=客户\r\n");
    IniFile pinit = openWindowSettings(home.path());
    RecordImage r = sampleRecord();
    TFrmInfo dlg(home.path(), pinit, r, true);
    QCOMPARE(dlg.windowTitle(), QString("记录信息"));
    QCOMPARE(edit(dlg, "EdtYear")->text(), QString("-120"));
    QCOMPARE(child<QSpinBox>(dlg, "UpDyear")->value(), -119);
    QCOMPARE(combo(dlg, "cbom")->currentText(), QString("6月"));
    QCOMPARE(combo(dlg, "cbod")->currentText(), QString("15日"));
    QCOMPARE(combo(dlg, "cbos")->currentText(), QString("13时未"));
    QCOMPARE(combo(dlg, "cbomin")->currentText(), QString("45分"));
    QVERIFY(child<QRadioButton>(dlg, "Rdonl")->isChecked());
    QVERIFY(child<QCheckBox>(dlg, "Chkrun")->isChecked());
    QVERIFY(child<QRadioButton>(dlg, "Rdonv")->isChecked());
    QCOMPARE(edit(dlg, "Edtname")->text(), QString("张三"));
    QCOMPARE(combo(dlg, "cbodiZ")->currentText(), QString("福建省"));
    QCOMPARE(combo(dlg, "cbodiC")->count(), 3);
    QCOMPARE(combo(dlg, "cbodiC")->currentText(), QString("厦门"));
    // The stored coordinates, not the city's.
    QCOMPARE(edit(dlg, "ledtjing")->text(), QString("118:6"));
    QCOMPARE(edit(dlg, "ledtwei")->text(), QString("24:27"));
    QCOMPARE(combo(dlg, "CboClass")->currentText(), QString("朋友"));
    QCOMPARE(combo(dlg, "CboClass")->count(), 1);
    QCOMPARE(edit(dlg, "LedtEvent")->text(), QString("问工作"));
    QVERIFY(edit(dlg, "LedtEvent")->isEnabled());
    QCOMPARE(memo(dlg, "MemoInfo")->toPlainText(), QString("第一行\n第二行"));
    maybeGrab(dlg, "rec-info.png");

    // A city index beyond the province's list shows its first city; 未知地
    // keeps the stored coordinates too.
    r.city = 9;
    TFrmInfo far(home.path(), pinit, r, true);
    QCOMPARE(combo(far, "cbodiC")->currentIndex(), 0);
    r.province = 34;
    r.longitude = -0.25f;
    TFrmInfo unknown(home.path(), pinit, r, false);
    QCOMPARE(combo(unknown, "cbodiC")->count(), 1);
    QCOMPARE(combo(unknown, "cbodiC")->currentText(), QString("未知地"));
    QCOMPARE(edit(unknown, "ledtjing")->text(), QString("-0:15"));
    QCOMPARE(edit(unknown, "LedtEvent")->text(), QString());
    QVERIFY(!edit(unknown, "LedtEvent")->isEnabled());
}

void RecordDialogsTest::editDialogProvinceReloadsCitiesOnly() {
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    IniFile pinit = openWindowSettings(home.path());
    TFrmInfo dlg(home.path(), pinit, sampleRecord(), true);
    dlg.cbodiZClick(1);
    QCOMPARE(combo(dlg, "cbodiC")->count(), 1);
    QCOMPARE(combo(dlg, "cbodiC")->currentText(), QString("北京"));
    QCOMPARE(edit(dlg, "ledtjing")->text(), QString("118:6"));
    dlg.cbodiZClick(34);
    QCOMPARE(combo(dlg, "cbodiC")->currentText(), QString("未知地"));
    QCOMPARE(edit(dlg, "ledtwei")->text(), QString("24:27"));

    // The year stepper writes the historical year into the edit.
    auto* stepper = child<QSpinBox>(dlg, "UpDyear");
    stepper->setValue(1);
    stepper->stepDown();
    QCOMPARE(edit(dlg, "EdtYear")->text(), QString("-1"));
    stepper->setValue(-849);
    stepper->stepDown();
    QCOMPARE(edit(dlg, "EdtYear")->text(), QString("-850"));
}

void RecordDialogsTest::editDialogNoKeepsEverything() {
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    IniFile pinit = openWindowSettings(home.path());
    RecordImage r = sampleRecord();
    TFrmInfo dlg(home.path(), pinit, r, true);
    edit(dlg, "Edtname")->setText("李四");
    ui.questions.push_back(false);
    click(dlg, "BtnSave");
    QCOMPARE(ui.boxes.size(), std::size_t(1));
    expectBox(ui, "确定要保存修改吗？", "提示", BoxIcon::Information);
    QCOMPARE(ui.boxes[0].kind, QString("question"));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(sameBytes(dlg.record(), r));

    click(dlg, "BtnClose");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordDialogsTest::editDialogRefusals_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    const QString year =
        "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120";
    const QString format = "例如:东经117度48分,北纬25度42分,就按以下格式输入:\n 经度=117:48  纬度=25:42\n"
                           "注意:东经为正，西经为负。北纬为正，南纬为负。";
    const int info = int(BoxIcon::Information), warning = int(BoxIcon::Warning), error = int(BoxIcon::Error);
    QTest::newRow("empty name") << "Edtname"
                                << ""
                                << "姓名不能为空"
                                << "提示" << info;
    QTest::newRow("year -851") << "EdtYear"
                               << "-851" << year << "年份错误" << warning;
    QTest::newRow("year 0") << "EdtYear"
                            << "0" << year << "年份错误" << warning;
    QTest::newRow("year 2101") << "EdtYear"
                               << "2101" << year << "年份错误" << warning;
    QTest::newRow("year letters") << "EdtYear"
                                  << "ab" << year << "年份错误" << warning;
    QTest::newRow("longitude no colon") << "ledtjing"
                                        << "117" << format << "格式错误" << error;
    QTest::newRow("longitude minutes") << "ledtjing"
                                       << "117:60"
                                       << "分数在0-59"
                                       << "格式错误" << error;
    QTest::newRow("longitude 180") << "ledtjing"
                                   << "180:00"
                                   << "经度在-180至180之间，纬度在-90至90之间"
                                   << "数据无效" << error;
    QTest::newRow("latitude degrees") << "ledtwei"
                                      << "91:00"
                                      << "纬度在-90至90之间"
                                      << "纬度错误" << error;
    QTest::newRow("empty remark") << "MemoInfo"
                                  << ""
                                  << "附加信息不能为空"
                                  << "错误" << error;
    QTest::newRow("empty category") << "CboClass"
                                    << ""
                                    << "类别不能为空"
                                    << "错误" << error;
    QTest::newRow("empty question") << "LedtEvent"
                                    << ""
                                    << "占问事宜不能为空"
                                    << "错误" << error;
}

void RecordDialogsTest::editDialogRefusals() {
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(int, icon);
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    IniFile pinit = openWindowSettings(home.path());
    TFrmInfo dlg(home.path(), pinit, sampleRecord(), true);
    QByteArray name = control.toLatin1();
    if (control == "MemoInfo")
        memo(dlg, name)->setPlainText(value);
    else if (control == "CboClass")
        combo(dlg, name)->setEditText(value);
    else
        edit(dlg, name)->setText(value);
    ui.questions.push_back(true);
    click(dlg, "BtnSave");
    QCOMPARE(ui.boxes.size(), std::size_t(2)); // the question, then the refusal
    expectBox(ui, text, title, BoxIcon(icon));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordDialogsTest::editDialogYearFocus() {
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    IniFile pinit = openWindowSettings(home.path());
    TFrmInfo dlg(home.path(), pinit, sampleRecord(), true);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    edit(dlg, "Edtname")->setFocus();
    edit(dlg, "EdtYear")->setText("-851");
    ui.questions.push_back(true);
    click(dlg, "BtnSave");
    QCOMPARE(dlg.focusWidget(), edit(dlg, "EdtYear"));

    // The earliest year is taken and held as -849, the stepper following.
    edit(dlg, "EdtYear")->setText("-850");
    ui.questions.push_back(true);
    click(dlg, "BtnSave");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.record().year, std::int16_t(-849));
    QCOMPARE(child<QSpinBox>(dlg, "UpDyear")->value(), -849);
}

void RecordDialogsTest::editDialogQuestionOnlyOnQuestionKinds() {
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    IniFile pinit = openWindowSettings(home.path());
    RecordImage r = sampleRecord();
    setFixed(r.question, "");
    TFrmInfo dlg(home.path(), pinit, r, false);
    ui.questions.push_back(true);
    click(dlg, "BtnSave");
    QCOMPARE(ui.boxes.size(), std::size_t(1));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(getFixed(dlg.record().question), std::string());
}

void RecordDialogsTest::editedRecordComesBackThroughStore() {
    ScriptedUi ui;
    TestHome home;
    writePlaces(home);
    writeCategoriesFile(home, "count=2\r\n1=朋友\r\n2=客户\r\n");
    IniFile pinit = openWindowSettings(home.path());
    MDataBase db;
    QVERIFY(db.open(home.path(), ChartKind::Liuyao));
    RecordImage original = sampleRecord();
    std::optional<std::int32_t> id = db.add(original);
    QVERIFY(id);
    RecordImage stored;
    QVERIFY(db.read(*id, stored));

    TFrmInfo dlg(home.path(), pinit, stored, true);
    edit(dlg, "EdtYear")->setText("1984");
    combo(dlg, "cbom")->setCurrentIndex(1);
    combo(dlg, "cbod")->setCurrentIndex(28);
    combo(dlg, "cbos")->setCurrentIndex(0);
    combo(dlg, "cbomin")->setCurrentIndex(5);
    child<QRadioButton>(dlg, "Rdogl")->setChecked(true);
    child<QCheckBox>(dlg, "Chkrun")->setChecked(false);
    child<QRadioButton>(dlg, "Rdona")->setChecked(true);
    edit(dlg, "Edtname")->setText("王五");
    combo(dlg, "cbodiZ")->setCurrentIndex(1);
    dlg.cbodiZClick(1);
    edit(dlg, "ledtjing")->setText("-116:28");
    edit(dlg, "ledtwei")->setText("39:54");
    memo(dlg, "MemoInfo")->setPlainText("改过\n两行");
    combo(dlg, "CboClass")->setCurrentIndex(1);
    edit(dlg, "LedtEvent")->setText("问婚姻");
    ui.questions.push_back(true);
    click(dlg, "BtnSave");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(db.update(*id, dlg.record()));

    RecordImage back;
    QVERIFY(db.read(*id, back));
    QCOMPARE(getFixed(back.name), std::string("王五"));
    QCOMPARE(back.year, std::int16_t(1984));
    QCOMPARE(back.month, std::int16_t(2));
    QCOMPARE(back.day, std::int16_t(29));
    QCOMPARE(back.hour, std::int16_t(0));
    QCOMPARE(back.minute, std::int16_t(5));
    QCOMPARE(back.isLunar, std::uint8_t(0));
    QCOMPARE(back.isLeapMonth, std::uint8_t(0));
    QCOMPARE(back.isMale, std::uint8_t(1));
    QCOMPARE(back.province, std::int16_t(1));
    QCOMPARE(back.city, std::int16_t(0));
    QCOMPARE(getFixed(back.place), std::string("北京市-北京"));
    QVERIFY(std::abs(back.longitude - (-116.0f - 28.0f / 60.0f)) < 1e-4f);
    QVERIFY(std::abs(back.latitude - (39.0f + 54.0f / 60.0f)) < 1e-4f);
    QCOMPARE(getFixed(back.remark), std::string("改过\r\n两行"));
    QCOMPARE(getFixed(back.category), std::string("客户"));
    QCOMPARE(getFixed(back.question), std::string("问婚姻"));
    // Fields the dialog does not edit keep their stored bytes.
    RecordImage expected = back;
    std::memcpy(expected.name, stored.name, sizeof expected.name);
    expected.year = stored.year;
    expected.month = stored.month;
    expected.day = stored.day;
    expected.hour = stored.hour;
    expected.minute = stored.minute;
    expected.isLunar = stored.isLunar;
    expected.isLeapMonth = stored.isLeapMonth;
    expected.isMale = stored.isMale;
    expected.province = stored.province;
    expected.city = stored.city;
    expected.longitude = stored.longitude;
    expected.latitude = stored.latitude;
    std::memcpy(expected.place, stored.place, sizeof expected.place);
    std::memcpy(expected.remark, stored.remark, sizeof expected.remark);
    std::memcpy(expected.category, stored.category, sizeof expected.category);
    std::memcpy(expected.question, stored.question, sizeof expected.question);
    QVERIFY(sameBytes(expected, stored));
}

void RecordDialogsTest::categoryEditorShowsList() {
    ScriptedUi ui;
    TestHome home;
    writeCategoriesFile(home, "count=3\r\n1=朋友\r\n3=客户\r\n");
    IniFile pinit = openWindowSettings(home.path());
    TFrmClassEdit dlg(pinit);
    QCOMPARE(dlg.windowTitle(), QString("类别编辑"));
    QCOMPARE(memo(dlg, "MemoClass")->toPlainText(), QString("朋友\n\n客户"));
    maybeGrab(dlg, "rec-classedit.png");

    QCOMPARE(TFrmClassEdit::categoryLines(""), std::vector<std::string>{});
    QCOMPARE(TFrmClassEdit::categoryLines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
    QCOMPARE(TFrmClassEdit::categoryLines("a\n\n"), (std::vector<std::string>{"a", ""}));
}

void RecordDialogsTest::categoryEditorRefusals_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty box") << ""
                               << "类别不能为空";
    QTest::newRow("seven characters") << "朋友\n甲乙丙丁戊己庚"
                                      << "第2行类别名不合规定，不能加入。";
    QTest::newRow("thirteen letters") << "abcdefghijklm"
                                      << "第1行类别名不合规定，不能加入。";
    QTest::newRow("empty line in the middle") << "朋友\n客户\n\n同事"
                                              << "第3行类别名不合规定，不能加入。";
    QTest::newRow("only a line break") << "\n"
                                       << "第1行类别名不合规定，不能加入。";
}

void RecordDialogsTest::categoryEditorRefusals() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    ScriptedUi ui;
    TestHome home;
    writeCategoriesFile(home, "count=1\r\n1=朋友\r\n");
    std::string before = readBytes(windowSettingsPath(home.path()));
    IniFile pinit = openWindowSettings(home.path());
    TFrmClassEdit dlg(pinit);
    memo(dlg, "MemoClass")->setPlainText(text);
    click(dlg, "BtnSave");
    expectBox(ui, message, kApplicationTitle, BoxIcon::None);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(readBytes(windowSettingsPath(home.path())), before);
    QCOMPARE(readCategories(pinit), std::vector<std::string>{"朋友"});
}

void RecordDialogsTest::categoryEditorWritesKeys() {
    ScriptedUi ui;
    TestHome home;
    writeCategoriesFile(home, "count=3\r\n1=朋友\r\n2=客户\r\n3=同事\r\n");
    IniFile pinit = openWindowSettings(home.path());
    TFrmClassEdit dlg(pinit);
    memo(dlg, "MemoClass")->setPlainText("甲乙丙丁戊己\nabc\n"); // six characters are twelve bytes
    click(dlg, "BtnSave");
    QVERIFY(ui.boxes.empty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));

    // Written through at once; the old key 3 stays beyond the count.
    IniFile onDisk(windowSettingsPath(home.path()));
    QCOMPARE(onDisk.get(pinit::classesCount), 2);
    QCOMPARE(readCategories(onDisk), (std::vector<std::string>{"甲乙丙丁戊己", "abc"}));
    QCOMPARE(onDisk.readString("classes", "3", ""), std::string("同事"));
    QCOMPARE(onDisk.readInteger("winpos", "left", 0), 10);

    // The save dialog opened next lists the new categories.
    TFrmFenLei save(pinit);
    QCOMPARE(combo(save, "CboClass")->count(), 2);
    QCOMPARE(combo(save, "CboClass")->currentText(), QString("甲乙丙丁戊己"));
}

void RecordDialogsTest::categoryEditorCancelWritesNothing() {
    ScriptedUi ui;
    TestHome home;
    writeCategoriesFile(home, "count=1\r\n1=朋友\r\n");
    std::string before = readBytes(windowSettingsPath(home.path()));
    IniFile pinit = openWindowSettings(home.path());
    TFrmClassEdit dlg(pinit);
    memo(dlg, "MemoClass")->setPlainText("客户");
    click(dlg, "BtnCancel");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(readBytes(windowSettingsPath(home.path())), before);
}

QTEST_MAIN(RecordDialogsTest)
#include "RecordDialogsTest.moc"
