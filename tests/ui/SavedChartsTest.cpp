// The road of a saved chart in the main window: chart, save with a category
// and remark, the row, view, edit, delete, search, and the File menu.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "records/Database.h"
#include "widgets/QtReportSink.h"
#include "shell/Untmain.h"
#include "support/DialogDriver.h"
#include "support/ScriptedUi.h"
#include "support/TestHome.h"

using namespace varrow;
using varrow::test::ScriptedUi;
using varrow::test::TestHome;
using varrow::test::onDialog;

namespace {

void saveWith(TFrmMain& w, const QString& category, const QString& remark) {
    onDialog("TFrmFenLei", [category, remark](QDialog* d) {
        d->findChild<QComboBox*>("CboClass")->setCurrentText(category);
        if (auto* memo = d->findChild<QPlainTextEdit*>("MemoInfo"))
            memo->setPlainText(remark);
        else if (auto* rich = d->findChild<QTextEdit*>("MemoInfo"))
            rich->setPlainText(remark);
        d->findChild<QPushButton*>("BtnOk")->click();
        if (d->isVisible()) {
            qWarning() << "save dialog refused" << d->findChild<QComboBox*>("CboClass")->currentText();
            d->reject();
        }
    });
    w.SaveCurrentChart();
}

} // namespace

class SavedChartsTest : public QObject {
    Q_OBJECT

    template <class T> T* child(TFrmMain& w, const char* name) {
        T* c = w.findChild<T*>(name);
        if (!c) qFatal("no control %s", name);
        return c;
    }
    void chart(TFrmMain& w, const QString& name, const QString& year, int month = 0, int day = 0) {
        child<QLineEdit>(w, "Edtname")->setText(name);
        child<QLineEdit>(w, "EdtYear")->setText(year);
        child<QComboBox>(w, "cbom")->setCurrentIndex(month);
        child<QComboBox>(w, "cbod")->setCurrentIndex(day);
        child<QComboBox>(w, "cbos")->setCurrentIndex(0);
        child<QComboBox>(w, "cbomin")->setCurrentIndex(0);
        w.BtnpaiClick();
        QVERIFY(w.birthChartValid());
    }
    QString report(TFrmMain& w) { return child<QTextEdit>(w, "Redtbazi")->toPlainText(); }

private slots:
    void saveViewEditDelete() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        // Saving before any chart is refused.
        w.SaveCurrentChart();
        QCOMPARE(ui.last()->text, QString("当前选择的排盘方式没有排得正确的盘，请先排一个正确的盘后再保存"));

        chart(w, "张三", "2000");
        saveWith(w, "客户", "备注:老客户");
        QTreeWidget* list = w.historyList(ChartKind::Bazi);
        QCOMPARE(list->topLevelItemCount(), 1);
        QTreeWidgetItem* row = list->topLevelItem(0);
        QCOMPARE(row->text(0), QString("张三"));
        QCOMPARE(row->text(1), QString("公2000-1-1"));
        QCOMPARE(row->text(2), QString("客户"));
        QCOMPARE(row->text(3), QString("0"));
        QVERIFY(QFile::exists(QString::fromStdString((home.path() / "bazi_f" / "0.rtf").string())));
        QString saved = report(w);

        // Another chart, then view the saved one: the panel and the note come back.
        chart(w, "李四", "1990", 5, 9);
        list->setCurrentItem(row);
        w.HistoryViewClick();
        QCOMPARE(child<QLineEdit>(w, "Edtname")->text(), QString("张三"));
        QCOMPARE(child<QLineEdit>(w, "EdtYear")->text(), QString("2000"));
        QCOMPARE(report(w), saved);
        QVERIFY(w.tabState(ChartKind::Bazi).viewed);

        // While viewing, saving stores only the edited note.
        child<QTextEdit>(w, "Redtbazi")->append("我的断语");
        w.SaveCurrentChart();
        QCOMPARE(ui.last()->text, QString("已保存编辑后的文本。"));
        QCOMPARE(list->topLevelItemCount(), 1);

        // Deleting the viewed record asks twice, empties the surface and ends the viewing.
        ui.questions = {true, true};
        w.HistoryDeleteClick();
        QCOMPARE(ui.boxes[ui.boxes.size() - 2].text, QString("确定要删除\"张三\"这条记录吗？"));
        QCOMPARE(ui.last()->text, QString("确定要删除当前正在查看的记录吗？"));
        QCOMPARE(list->topLevelItemCount(), 0);
        QVERIFY(report(w).isEmpty());
        QVERIFY(!w.tabState(ChartKind::Bazi).viewed);
        QVERIFY(!QFile::exists(QString::fromStdString((home.path() / "bazi_f" / "0.rtf").string())));
        // No later save writes into the deleted record's note.
        w.SaveCurrentChart();
        QCOMPARE(ui.last()->text, QString("当前选择的排盘方式没有排得正确的盘，请先排一个正确的盘后再保存"));
        QVERIFY(!QFile::exists(QString::fromStdString((home.path() / "bazi_f" / "0.rtf").string())));
    }

    void aMissingNoteIsMadeAgainOnView() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        chart(w, "某人", "-120", 5, 0);
        saveWith(w, "古人", "备注:公元前");
        QTreeWidget* list = w.historyList(ChartKind::Bazi);
        QVERIFY(list->topLevelItem(0));
        QCOMPARE(list->topLevelItem(0)->text(1), QString("公-120-6-1"));
        QString note = QString::fromStdString((home.path() / "bazi_f" / "0.rtf").string());
        QVERIFY(QFile::remove(note));
        child<QTextEdit>(w, "Redtbazi")->clear();
        list->setCurrentItem(list->topLevelItem(0));
        w.HistoryViewClick();
        QVERIFY(report(w).contains("某人"));
        QVERIFY(QFile::exists(note));
    }

    void editRebuildsTheRowInHistoricalYears() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        chart(w, "王五", "1999");
        saveWith(w, "客户", "备注:二");
        QTreeWidget* list = w.historyList(ChartKind::Bazi);
        QVERIFY(list->topLevelItem(0));
        list->setCurrentItem(list->topLevelItem(0));
        ui.questions = {true}; // 确定要保存修改吗？
        onDialog("TFrmInfo", [](QDialog* d) {
            d->findChild<QLineEdit*>("EdtYear")->setText("-120");
            d->findChild<QPushButton*>("BtnSave")->click();
            if (d->isVisible()) d->reject();
        });
        w.HistoryEditClick();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->text(1), QString("公-120-1-1"));
        MDataBase db;
        RecordImage r;
        QVERIFY(db.open(home.path(), ChartKind::Bazi, false) && db.read(0, r));
        QCOMPARE(r.year, std::int16_t(-119));
        w.resize(900, 600);
        QDir().mkpath("/tmp/varrow-shots");
        w.grab().save("/tmp/varrow-shots/history-list.png");
    }

    void startUpListsTheFirstHundredSlots() {
        ScriptedUi ui;
        TestHome home;
        {
            MDataBase db;
            QVERIFY(db.open(home.path(), ChartKind::Bazi));
            RecordImage r{};
            r.year = 1980, r.month = 1, r.day = 1;
            for (int i = 0; i < 150; ++i) {
                setFixed(r.name, "人" + std::to_string(i));
                QVERIFY(db.add(r).has_value());
            }
        }
        TFrmMain w(home.path());
        w.show();
        QTreeWidget* list = w.historyList(ChartKind::Bazi);
        QCOMPARE(list->topLevelItemCount(), 100);
        QCOMPARE(list->topLevelItem(99)->text(3), QString("99"));
        // A search lists the rest.
        w.FillHistoryList(ChartKind::Bazi, {120, 149});
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(1)->text(0), QString("人149"));
    }

    void actionsWithoutASelectionSayso() {
        ScriptedUi ui;
        TestHome home;
        TFrmMain w(home.path());
        w.show();
        w.HistoryViewClick();
        QCOMPARE(ui.last()->text, QString("请先选择一条记录。"));
        w.HistoryDeleteClick();
        QCOMPARE(ui.last()->text, QString("请先选择一条记录。"));
    }

    void importFromAFolderWithoutRecordsChangesNothing() {
        ScriptedUi ui;
        TestHome home, empty(false);
        TFrmMain w(home.path());
        w.show();
        chart(w, "张三", "2000");
        saveWith(w, "客户", "备注:一");
        ui.folders.push_back(empty.qpath());
        w.FileImportClick();
        QCOMPARE(ui.last()->title, QString("错误"));
        MDataBase db;
        QVERIFY(db.open(home.path(), ChartKind::Bazi, false));
        QCOMPARE(db.count(), 1);
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(SavedChartsTest)
#include "SavedChartsTest.moc"
