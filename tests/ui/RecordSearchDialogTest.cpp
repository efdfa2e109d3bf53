// The search dialog of saved charts over a small store.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "records/Database.h"
#include "records/Untsearch.h"
#include "settings/Settings.h"
#include "support/ScriptedUi.h"
#include "support/TestHome.h"

using namespace varrow;
using varrow::test::ScriptedUi;
using varrow::test::TestHome;

namespace {

using Ids = std::vector<std::int32_t>;

template <class W> W* child(QWidget& dlg, const char* name) {
    W* w = dlg.findChild<W*>(name);
    if (!w) qFatal("no control %s", name);
    return w;
}
QLineEdit* edit(QWidget& dlg, const char* name) { return child<QLineEdit>(dlg, name); }
QCheckBox* check(QWidget& dlg, const char* name) { return child<QCheckBox>(dlg, name); }
void click(QWidget& dlg, const char* button) { child<QPushButton>(dlg, button)->click(); }

RecordImage record(const char* name, bool male, int year, int province, const char* category,
                   const char* question = "") {
    RecordImage r;
    setFixed(r.name, name);
    r.isMale = male;
    r.year = std::int16_t(year);
    r.month = r.day = 1;
    r.province = std::int16_t(province);
    setFixed(r.category, category);
    setFixed(r.question, question);
    setFixed(r.remark, "备注:");
    return r;
}

// Four Pillars records 0..4 and Liu Yao records 0..2.
void fillStore(const TestHome& home) {
    MDataBase db;
    QVERIFY(db.open(home.path(), ChartKind::Bazi));
    for (const RecordImage& r :
         {record("张三", true, 1950, 0, "朋友"), record("小张", false, 1980, 1, "客户"),
          record("张", true, -119, 34, "朋友"), record("李四", false, 1950, 0, "同事"),
          record("王五", true, 1979, 1, "朋友")})
        QVERIFY(db.add(r));
    QVERIFY(db.open(home.path(), ChartKind::Liuyao));
    for (const RecordImage& r :
         {record("甲", true, 2000, 0, "问事", "问工作"), record("乙", true, 2001, 0, "问事", "工作"),
          record("丙", false, 2002, 0, "问事", "问婚姻")})
        QVERIFY(db.add(r));
}

// Counts the times the search animation is shown.
class ShowCounter : public QObject {
public:
    int shown = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) ++shown;
        return false;
    }
};

// A dialog over a filled store, shown (not exec'd) so that its animation can appear.
struct Fixture {
    ScriptedUi ui;
    TestHome home;
    IniFile pinit;
    MDataBase db;
    SearchCriteria kept;

    explicit Fixture(ChartKind kind = ChartKind::Bazi, bool fill = true) {
        if (fill) fillStore(home);
        pinit = openWindowSettings(home.path());
        db.open(home.path(), kind);
    }
};

} // namespace

class RecordSearchDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsKeptCriteria();
    void emptyStoreSaysSoWithoutAnimation();
    void searchByName_data();
    void searchByName();
    void answerNoKeepsDialogOpen();
    void noMatchSaysSo();
    void searchByYearRange_data();
    void searchByYearRange();
    void yearRefusals_data();
    void yearRefusals();
    void searchBySexAndProvince();
    void clearedNameTurnsTestOff();
    void allClearsEveryControl();
    void questionOnlyOnQuestionKinds();
};

void RecordSearchDialogTest::showsKeptCriteria() {
    Fixture f;
    f.kept.sexTest = true;
    f.kept.sex = 0;
    f.kept.yearTest = true;
    f.kept.yearFrom = -119;
    f.kept.yearTo = 1950;
    f.kept.name = "张";
    f.kept.nameMode = SearchCriteria::Equals;
    f.kept.category = "朋友";
    f.kept.categoryMode = SearchCriteria::Contains;
    f.kept.province = 3;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    QCOMPARE(dlg.windowTitle(), QString("查找记录"));
    QVERIFY(child<QRadioButton>(dlg, "RdoFemale")->isChecked());
    QCOMPARE(edit(dlg, "EdtYearFrom")->text(), QString("-120"));
    QCOMPARE(edit(dlg, "EdtYearTo")->text(), QString("1950"));
    QCOMPARE(edit(dlg, "EdtName")->text(), QString("张"));
    QVERIFY(check(dlg, "ChkName")->isChecked());
    QCOMPARE(child<QComboBox>(dlg, "CboClass")->currentText(), QString("朋友"));
    QVERIFY(!check(dlg, "ChkClass")->isChecked());
    QCOMPARE(child<QComboBox>(dlg, "CboProvince")->currentIndex(), 4);
    QCOMPARE(child<QComboBox>(dlg, "CboProvince")->count(), 36);
    QCOMPARE(child<QComboBox>(dlg, "CboProvince")->itemText(0), QString(" "));
    QVERIFY(!edit(dlg, "EdtEvent")->isEnabled());
    QVERIFY(!check(dlg, "ChkEvent")->isEnabled());
    QVERIFY(!child<QProgressBar>(dlg, "AniSearch")->isVisibleTo(&dlg));

    // The defaults: no sex test, no years, any province.
    SearchCriteria fresh;
    TFrmSearch blank(f.db, f.pinit, fresh, true);
    QVERIFY(child<QRadioButton>(blank, "RdoSexAll")->isChecked());
    QCOMPARE(edit(blank, "EdtYearFrom")->text(), QString());
    QCOMPARE(child<QComboBox>(blank, "CboProvince")->currentIndex(), 0);
    QVERIFY(edit(blank, "EdtEvent")->isEnabled());

    QString dir = qEnvironmentVariable("VARROW_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        dlg.show();
        dlg.grab().save(dir + "/rec-search.png");
        child<QProgressBar>(blank, "AniSearch")->setVisible(true);
        blank.show();
        blank.grab().save(dir + "/rec-search-busy.png");
    }
}

void RecordSearchDialogTest::emptyStoreSaysSoWithoutAnimation() {
    Fixture f(ChartKind::Bazi, false);
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    dlg.show();
    ShowCounter counter;
    child<QProgressBar>(dlg, "AniSearch")->installEventFilter(&counter);
    click(dlg, "BtnFind");
    QCOMPARE(f.ui.boxes.size(), std::size_t(1));
    QCOMPARE(f.ui.last()->text, QString("没有记录，无从查找。"));
    QCOMPARE(f.ui.last()->title, QString(kApplicationTitle));
    QCOMPARE(counter.shown, 0);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordSearchDialogTest::searchByName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<Ids>("ids");
    QTest::newRow("contains") << "张" << false << Ids{0, 1, 2};
    QTest::newRow("whole word") << "张" << true << Ids{2};
    QTest::newRow("contains two characters") << "张三" << false << Ids{0};
}

void RecordSearchDialogTest::searchByName() {
    QFETCH(QString, name);
    QFETCH(bool, whole);
    QFETCH(Ids, ids);
    Fixture f;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    dlg.show();
    ShowCounter counter;
    child<QProgressBar>(dlg, "AniSearch")->installEventFilter(&counter);
    edit(dlg, "EdtName")->setText(name);
    check(dlg, "ChkName")->setChecked(whole);
    f.ui.questions.push_back(true);
    click(dlg, "BtnFind");
    QCOMPARE(dlg.ids(), ids);
    QCOMPARE(f.ui.last()->kind, QString("question"));
    QCOMPARE(f.ui.last()->text, QString("共找到%1条记录，要显示到记录列表中吗？").arg(ids.size()));
    QCOMPARE(f.ui.last()->title, QString("提示"));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(f.kept.name, name.toStdString());
    QCOMPARE(int(f.kept.nameMode), whole ? 2 : 1);
    // The animation ran and is gone again, the buttons usable.
    QCOMPARE(counter.shown, 1);
    QVERIFY(!child<QProgressBar>(dlg, "AniSearch")->isVisibleTo(&dlg));
    QVERIFY(child<QPushButton>(dlg, "BtnFind")->isEnabled());
    QVERIFY(child<QPushButton>(dlg, "BtnAll")->isEnabled());
    QVERIFY(child<QPushButton>(dlg, "BtnClose")->isEnabled());
}

void RecordSearchDialogTest::answerNoKeepsDialogOpen() {
    Fixture f;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    edit(dlg, "EdtName")->setText("李");
    click(dlg, "BtnFind"); // no scripted answer: No
    QCOMPARE(f.ui.last()->text, QString("共找到1条记录，要显示到记录列表中吗？"));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    click(dlg, "BtnClose");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordSearchDialogTest::noMatchSaysSo() {
    Fixture f;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    edit(dlg, "EdtName")->setText("赵");
    click(dlg, "BtnFind");
    QCOMPARE(f.ui.boxes.size(), std::size_t(1));
    QCOMPARE(f.ui.last()->text, QString("没有找到符合条件的记录。"));
    QCOMPARE(f.ui.last()->title, QString("信息"));
    QCOMPARE(int(f.ui.last()->icon), int(BoxIcon::Information));
    QVERIFY(dlg.ids().empty());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordSearchDialogTest::searchByYearRange_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<Ids>("ids");
    QTest::addColumn<int>("storedFrom");
    QTest::newRow("one year") << "1950"
                              << "1950" << Ids{0, 3} << 1950;
    QTest::newRow("120 BC") << "-120"
                            << "-120" << Ids{2} << -119;
    QTest::newRow("earliest to 1979") << "-850"
                                      << "1979" << Ids{0, 2, 3, 4} << -849;
}

void RecordSearchDialogTest::searchByYearRange() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(Ids, ids);
    QFETCH(int, storedFrom);
    Fixture f;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    edit(dlg, "EdtYearFrom")->setText(from);
    edit(dlg, "EdtYearTo")->setText(to);
    f.ui.questions.push_back(true);
    click(dlg, "BtnFind");
    QCOMPARE(dlg.ids(), ids);
    QVERIFY(f.kept.yearTest);
    QCOMPARE(int(f.kept.yearFrom), storedFrom);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void RecordSearchDialogTest::yearRefusals_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("text");
    const QString year =
        "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120";
    QTest::newRow("end before start") << "1980"
                                      << "1979"
                                      << "结束年必须大于或等于起始年";
    QTest::newRow("only the start") << "1980"
                                    << "" << year;
    QTest::newRow("only the end") << ""
                                  << "1980" << year;
    QTest::newRow("year 0") << "0"
                            << "1980" << year;
    QTest::newRow("before -850") << "-851"
                                 << "1980" << year;
    QTest::newRow("letters") << "1980"
                             << "abc" << year;
}

void RecordSearchDialogTest::yearRefusals() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, text);
    Fixture f;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    dlg.show();
    ShowCounter counter;
    child<QProgressBar>(dlg, "AniSearch")->installEventFilter(&counter);
    edit(dlg, "EdtYearFrom")->setText(from);
    edit(dlg, "EdtYearTo")->setText(to);
    click(dlg, "BtnFind");
    QCOMPARE(f.ui.boxes.size(), std::size_t(1));
    QCOMPARE(f.ui.last()->text, text);
    QCOMPARE(f.ui.last()->title, QString("年份错误"));
    QCOMPARE(int(f.ui.last()->icon), int(BoxIcon::Warning));
    QCOMPARE(counter.shown, 0); // no search ran
    QVERIFY(!f.kept.yearTest);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void RecordSearchDialogTest::searchBySexAndProvince() {
    Fixture f;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);
    auto* province = child<QComboBox>(dlg, "CboProvince");
    province->setCurrentIndex(1); // 福建省, index 0
    f.ui.questions.push_back(true);
    click(dlg, "BtnFind");
    QCOMPARE(dlg.ids(), (Ids{0, 3}));
    QCOMPARE(int(f.kept.province), 0);

    TFrmSearch again(f.db, f.pinit, f.kept, false);
    QCOMPARE(child<QComboBox>(again, "CboProvince")->currentIndex(), 1);
    child<QComboBox>(again, "CboProvince")->setCurrentIndex(2); // 北京市
    child<QRadioButton>(again, "RdoMale")->setChecked(true);
    f.ui.questions.push_back(true);
    click(again, "BtnFind");
    QCOMPARE(again.ids(), Ids{4});
    QVERIFY(f.kept.sexTest);
    QCOMPARE(int(f.kept.sex), 1);

    // The first item searches any province.
    TFrmSearch any(f.db, f.pinit, f.kept, false);
    child<QComboBox>(any, "CboProvince")->setCurrentIndex(0);
    child<QRadioButton>(any, "RdoFemale")->setChecked(true);
    f.ui.questions.push_back(true);
    click(any, "BtnFind");
    QCOMPARE(any.ids(), (Ids{1, 3}));
    QCOMPARE(int(f.kept.province), -1);
}

void RecordSearchDialogTest::clearedNameTurnsTestOff() {
    Fixture f;
    {
        TFrmSearch dlg(f.db, f.pinit, f.kept, false);
        edit(dlg, "EdtName")->setText("张");
        check(dlg, "ChkName")->setChecked(true);
        f.ui.questions.push_back(false);
        click(dlg, "BtnFind");
        QCOMPARE(int(f.kept.nameMode), 2);

        edit(dlg, "EdtName")->clear();
        f.ui.questions.push_back(true);
        click(dlg, "BtnFind");
        QCOMPARE(dlg.ids(), (Ids{0, 1, 2, 3, 4}));
        QCOMPARE(int(f.kept.nameMode), 0);
        QCOMPARE(f.kept.name, std::string("张"));
    }
    TFrmSearch reopened(f.db, f.pinit, f.kept, false);
    QCOMPARE(edit(reopened, "EdtName")->text(), QString("张"));
    QVERIFY(!check(reopened, "ChkName")->isChecked());
}

void RecordSearchDialogTest::allClearsEveryControl() {
    Fixture f;
    f.kept.sexTest = true;
    f.kept.sex = 1;
    f.kept.yearTest = true;
    f.kept.yearFrom = f.kept.yearTo = 1950;
    f.kept.name = "张";
    f.kept.nameMode = SearchCriteria::Equals;
    f.kept.category = "朋友";
    f.kept.categoryMode = SearchCriteria::Equals;
    f.kept.province = 0;
    TFrmSearch dlg(f.db, f.pinit, f.kept, false);

    click(dlg, "BtnAll"); // answered No: nothing changes
    QCOMPARE(f.ui.last()->text, QString("这将清除所有输入的条件参数，以便搜索所有记录，确定吗？"));
    QCOMPARE(f.ui.last()->title, QString("提示"));
    QCOMPARE(f.ui.boxes.size(), std::size_t(1));
    QCOMPARE(edit(dlg, "EdtName")->text(), QString("张"));

    f.ui.questions = {true, true};
    click(dlg, "BtnAll");
    QVERIFY(child<QRadioButton>(dlg, "RdoSexAll")->isChecked());
    QCOMPARE(edit(dlg, "EdtYearFrom")->text(), QString());
    QCOMPARE(edit(dlg, "EdtYearTo")->text(), QString());
    QCOMPARE(edit(dlg, "EdtName")->text(), QString());
    QCOMPARE(child<QComboBox>(dlg, "CboClass")->currentText(), QString());
    QVERIFY(!check(dlg, "ChkName")->isChecked());
    QVERIFY(!check(dlg, "ChkClass")->isChecked());
    QCOMPARE(child<QComboBox>(dlg, "CboProvince")->currentIndex(), 0);
    QCOMPARE(dlg.ids(), (Ids{0, 1, 2, 3, 4}));
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!f.kept.sexTest && !f.kept.yearTest);
    QCOMPARE(int(f.kept.nameMode) + int(f.kept.categoryMode), 0);
}

void RecordSearchDialogTest::questionOnlyOnQuestionKinds() {
    Fixture f(ChartKind::Liuyao);
    TFrmSearch dlg(f.db, f.pinit, f.kept, true);
    edit(dlg, "EdtEvent")->setText("工作");
    f.ui.questions.push_back(true);
    click(dlg, "BtnFind");
    QCOMPARE(dlg.ids(), (Ids{0, 1}));
    QCOMPARE(f.kept.question, std::string("工作"));

    TFrmSearch whole(f.db, f.pinit, f.kept, true);
    QCOMPARE(edit(whole, "EdtEvent")->text(), QString("工作"));
    check(whole, "ChkEvent")->setChecked(true);
    f.ui.questions.push_back(true);
    click(whole, "BtnFind");
    QCOMPARE(whole.ids(), Ids{1});

    // Without the question field (a birth kind) the kept question test is left alone.
    f.kept.questionMode = SearchCriteria::Equals;
    TFrmSearch birth(f.db, f.pinit, f.kept, false);
    edit(birth, "EdtEvent")->setText("婚姻");
    f.ui.questions.push_back(true);
    click(birth, "BtnFind");
    QCOMPARE(f.kept.question, std::string("工作"));
    QCOMPARE(int(f.kept.questionMode), 2);
}

QTEST_MAIN(RecordSearchDialogTest)
#include "RecordSearchDialogTest.moc"
