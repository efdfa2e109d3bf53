// Saved charts in the main window: the history lists, saving, viewing,
// editing, deleting and searching records, and the history of the File menu.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>

#include "records/HistoryMenu.h"
#include "chart/InputLists.h"
#include "widgets/QtReportSink.h"
#include "settings/Settings.h"
#include "widgets/Ui.h"
#include "shell/Untmain.h"

#include "records/Untcedit.h"
#include "records/Untflei.h"
#include "records/Untinfo.h"
#include "records/Untsearch.h"

namespace varrow {
namespace {

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
constexpr int kIdColumnBirth = 3, kIdColumnQuestion = 4;
constexpr int kFirstListed = 100; // slots listed at start-up

int idColumn(ChartKind kind) { return isBirthKind(kind) ? kIdColumnBirth : kIdColumnQuestion; }

QIcon sexIcon(bool male) {
    QPixmap p(12, 12);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(male ? QColor(40, 90, 200) : QColor(200, 50, 80));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(1, 1, 10, 10);
    return QIcon(p);
}

// "农" or "公", "闰" for a leap lunar month, then the date with a historical year.
QString dateText(const RecordImage& r) {
    QString s = r.isLunar ? "农" : "公";
    if (r.isLunar && r.isLeapMonth) s += "闰";
    return s + QString("%1-%2-%3").arg(toHistoricalYear(r.year)).arg(r.month).arg(r.day);
}

} // namespace

void TFrmMain::setupHistoryList(ChartKind kind) {
    QTreeWidget* list = ListView[std::size_t(kind)];
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    if (isBirthKind(kind)) {
        list->setHeaderLabels({"姓名", "生日", "类别", "ID"});
        for (auto [col, w] : {std::pair{0, 80}, {1, 85}, {2, 85}, {3, 10}}) list->setColumnWidth(col, w);
    } else {
        list->setHeaderLabels({"求测人", "日期", "类别", "占问事宜", "ID"});
        for (auto [col, w] : {std::pair{0, 80}, {1, 80}, {2, 60}, {3, 80}, {4, 10}}) list->setColumnWidth(col, w);
    }
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QTreeWidget::customContextMenuRequested, this,
            [this, list](const QPoint& p) { PopList->popup(list->viewport()->mapToGlobal(p)); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { HistoryViewClick(); });
}

QMenu* TFrmMain::buildListMenu() {
    auto* m = new QMenu(this);
    m->setObjectName("PopList");
    m->addAction("查看", this, &TFrmMain::HistoryViewClick);
    m->addAction("编辑记录", this, &TFrmMain::HistoryEditClick);
    m->addAction("删除记录", this, &TFrmMain::HistoryDeleteClick);
    m->addSeparator();
    m->addAction("编辑类别", this, &TFrmMain::HistoryClassesClick);
    m->addAction("查找记录", this, &TFrmMain::HistorySearchClick);
    return m;
}

QTreeWidgetItem* TFrmMain::rowOf(const RecordImage& r, ChartKind kind) const {
    QStringList cells{q(getFixed(r.name)), dateText(r), q(getFixed(r.category))};
    if (!isBirthKind(kind)) cells << q(getFixed(r.question));
    cells << QString::number(r.id);
    auto* item = new QTreeWidgetItem(cells);
    if (isBirthKind(kind)) item->setIcon(0, sexIcon(r.isMale));
    return item;
}

void TFrmMain::FillHistoryList(ChartKind kind, const std::vector<std::int32_t>& ids) {
    QTreeWidget* list = ListView[std::size_t(kind)];
    list->clear();
    if (!db_.open(home_, kind, false)) return;
    QList<QTreeWidgetItem*> rows;
    RecordImage r;
    for (std::int32_t id : ids)
        if (db_.read(id, r)) rows << rowOf(r, kind);
    list->addTopLevelItems(rows);
}

void TFrmMain::fillAllHistoryLists() {
    std::vector<std::int32_t> first(kFirstListed);
    for (int i = 0; i < kFirstListed; ++i) first[std::size_t(i)] = i;
    for (int k = 0; k < kChartKindCount; ++k) FillHistoryList(ChartKind(k), first);
}

// The id of the selected row, or -1 (after the notice) when none is selected.
std::int32_t TFrmMain::selectedRecordId(bool tellWhenNone) {
    ChartKind kind = currentKind();
    QTreeWidgetItem* item = ListView[std::size_t(kind)]->currentItem();
    if (!item || !item->isSelected()) {
        if (tellWhenNone) Ui::current().showMessage(this, "请先选择一条记录。");
        return -1;
    }
    bool ok = false;
    int id = item->text(idColumn(kind)).toInt(&ok);
    return ok && id >= 0 ? id : -1;
}

std::string TFrmMain::notePathOf(ChartKind kind, std::int32_t id) const {
    return (home_ / MDataBase::notesFolderName(kind) / (std::to_string(id) + ".rtf")).string();
}

bool TFrmMain::saveNote(QtReportSink& sink, const std::string& path) {
    // The notes folder may be missing (an import does not create it).
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (sink.SaveFile(path, false)) return true;
    Ui::current().message(this, QString("无法写入 %1").arg(q(path)), "错误", BoxIcon::Error);
    return false;
}

void TFrmMain::SaveCurrentChart() {
    ChartKind kind = currentKind();
    TabState& t = tabState(kind);
    if (t.viewed) {
        if (!saveNote(*t.surface, t.notePath)) return;
        t.surface->SetModified(false);
        Ui::current().showMessage(this, "已保存编辑后的文本。");
        return;
    }
    if (!(isBirthKind(kind) ? birthChartValid_ : questionChartValid_)) {
        Ui::current().message(this, "当前选择的排盘方式没有排得正确的盘，请先排一个正确的盘后再保存", "提示",
                              BoxIcon::Information);
        return;
    }
    TFrmFenLei dialog(pinit_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.fillRecord(pending_);
    if (!db_.open(home_, kind)) {
        Ui::current().message(this, q(db_.lastError()), "错误", BoxIcon::Error);
        return;
    }
    auto id = db_.add(pending_);
    if (!id) {
        Ui::current().message(this, q(db_.lastError()), "错误", BoxIcon::Error);
        return;
    }
    if (!saveNote(*t.surface, notePathOf(kind, *id))) return;
    RecordImage saved;
    if (db_.read(*id, saved)) ListView[std::size_t(kind)]->addTopLevelItem(rowOf(saved, kind));
}

void TFrmMain::fillFromRecord(const RecordImage& r, ChartKind kind) {
    {
        QSignalBlocker block(UpDyear);
        UpDyear->setValue(r.year);
    }
    EdtYear->setText(QString::number(toHistoricalYear(r.year)));
    cbom->setCurrentIndex(std::clamp(int(r.month) - 1, 0, 11));
    cbod->setCurrentIndex(std::clamp(int(r.day) - 1, 0, 30));
    cbos->setCurrentIndex(std::clamp(int(r.hour), 0, 23));
    cbomin->setCurrentIndex(std::clamp(int(r.minute), 0, 59));
    (r.isLunar ? Rdonl : Rdogl)->setChecked(true);
    Chkrun->setChecked(r.isLeapMonth);
    (r.isMale ? Rdona : Rdonv)->setChecked(true);
    Edtname->setText(q(getFixed(r.name)));
    int province = std::clamp(int(r.province), 0, lists::kUnknownProvince);
    cbodiZ->setCurrentIndex(province);
    cbodiZClick(province);
    cbodiC->setCurrentIndex(r.city >= 0 && r.city < cbodiC->count() ? r.city : 0);
    if (province == lists::kUnknownProvince) {
        ledtjing->setText("120:00");
        ledtwei->setText("30:00");
    } else {
        ledtjing->setText(q(formatCoordinate(r.longitude)));
        ledtwei->setText(q(formatCoordinate(r.latitude)));
    }
    if (kind == ChartKind::Xming) Cboshiqu->setCurrentIndex(std::clamp(int(r.timeZone), 0, 23));
    if (!isBirthKind(kind)) LedtEvent[std::size_t(int(kind) - 3)]->setText(q(getFixed(r.question)));
    if (kind == ChartKind::Liuyao) {
        questionRequest_.setPrimaryLines(getFixed(r.primaryLines));
        questionRequest_.setChangedLines(getFixed(r.changedLines));
        questionRequest_.setCastMethod(getFixed(r.castMethod));
    }
    if (kind == ChartKind::Jkj) {
        CboYy->setCurrentIndex(std::clamp(int(r.jkjNobleMode), 0, 2));
        int item = r.diFen == 0 ? 11 : std::clamp(int(r.diFen) - 1, 0, 11);
        CboDiFen->setCurrentIndex(item);
    }
    if (kind == ChartKind::Liuren) {
        CboYy2->setCurrentIndex(std::clamp(int(r.dlrNobleMode), 0, 2));
        CboZhanShi->setCurrentIndex(std::clamp(int(r.zhanShiIndex), 0, 11));
        LedtYear->setText(QString::number(r.birthYear));
    }
}

void TFrmMain::HistoryViewClick() {
    ChartKind kind = currentKind();
    std::int32_t id = selectedRecordId(true);
    if (id < 0 || !db_.open(home_, kind, false)) return;
    RecordImage r;
    if (!db_.read(id, r)) return;
    askSaveModifiedNote(kind);
    fillFromRecord(r, kind);
    TabState& t = tabState(kind);
    t.recordId = id;
    t.notePath = notePathOf(kind, id);
    if (std::filesystem::exists(t.notePath)) {
        t.surface->Clear();
        if (!t.surface->LoadFile(t.notePath))
            Ui::current().message(this, QString("无法读取 %1").arg(q(t.notePath)), "错误", BoxIcon::Error);
        t.surface->SetModified(false);
        writeReport_ = false;
    } else {
        writeReport_ = true;
    }
    if (isBirthKind(kind)) {
        RunBirthChart();
    } else {
        if (kind == ChartKind::Liuren) questionRequest_.otherStart = 0;
        RunQuestionChart(kind == ChartKind::Liuyao ? -1 : kind == ChartKind::Qimen ? 10 : kind == ChartKind::Jkj ? 11 : 12);
    }
    // A missing note is made from the chart just drawn.
    if (writeReport_) saveNote(*t.surface, t.notePath);
    t.viewed = true;
    t.surface->SetModified(false);
}

void TFrmMain::HistoryEditClick() {
    ChartKind kind = currentKind();
    std::int32_t id = selectedRecordId(true);
    if (id < 0 || !db_.open(home_, kind, false)) return;
    RecordImage r;
    if (!db_.read(id, r)) return;
    TFrmInfo dialog(home_, pinit_, r, !isBirthKind(kind), this);
    if (dialog.exec() != QDialog::Accepted) return;
    RecordImage edited = dialog.record();
    if (!db_.update(id, edited)) {
        Ui::current().message(this, q(db_.lastError()), "错误", BoxIcon::Error);
        return;
    }
    QTreeWidget* list = ListView[std::size_t(kind)];
    int row = list->indexOfTopLevelItem(list->currentItem());
    delete list->takeTopLevelItem(row);
    list->insertTopLevelItem(row, rowOf(edited, kind));
    list->setCurrentItem(list->topLevelItem(row));
}

void TFrmMain::HistoryDeleteClick() {
    ChartKind kind = currentKind();
    std::int32_t id = selectedRecordId(true);
    if (id < 0 || !db_.open(home_, kind, false)) return;
    QTreeWidget* list = ListView[std::size_t(kind)];
    QTreeWidgetItem* item = list->currentItem();
    QString question = QString("确定要删除\"%1\"这条记录吗？").arg(item->text(0));
    if (!Ui::current().question(this, question, "注意", BoxIcon::Warning)) return;
    TabState& t = tabState(kind);
    bool viewingIt = t.viewed && t.recordId == id;
    if (viewingIt) {
        if (!Ui::current().question(this, "确定要删除当前正在查看的记录吗？", "提示", BoxIcon::Warning)) return;
        t.surface->Clear();
        // The tab stops showing the record, so nothing later writes into its
        // note, and the emptied chart can no longer be saved as a new record.
        (isBirthKind(kind) ? birthChartValid_ : questionChartValid_) = false;
        t.viewed = false;
        t.recordId = -1;
        t.notePath.clear();
        t.surface->SetModified(false);
    }
    std::error_code ec;
    std::filesystem::remove(notePathOf(kind, id), ec);
    delete list->takeTopLevelItem(list->indexOfTopLevelItem(item));
    if (!db_.remove(id)) Ui::current().message(this, q(db_.lastError()), "错误", BoxIcon::Error);
}

void TFrmMain::HistoryClassesClick() {
    TFrmClassEdit dialog(pinit_, this);
    dialog.exec();
}

void TFrmMain::HistorySearchClick() {
    ChartKind kind = currentKind();
    if (!db_.open(home_, kind)) return;
    TFrmSearch dialog(db_, pinit_, criteria_, !isBirthKind(kind), this);
    if (dialog.exec() == QDialog::Accepted) FillHistoryList(kind, dialog.ids());
}

void TFrmMain::FileExportClick() {
    QString folder = Ui::current().chooseFolder(this, q(history::kExportFolderTitle));
    if (folder.isEmpty()) return;
    history::Outcome o = history::exportAll(db_, home_, folder.toStdString());
    if (o.ok)
        Ui::current().showMessage(this, q(o.message));
    else
        Ui::current().message(this, q(o.message), "错误", BoxIcon::Error);
}

void TFrmMain::FileImportClick() {
    QString folder = Ui::current().chooseFolder(this, q(history::kImportFolderTitle));
    if (folder.isEmpty()) return;
    history::Outcome o = history::importAll(db_, home_, folder.toStdString());
    if (!o.ok) {
        Ui::current().message(this, q(o.message), "错误", BoxIcon::Error);
        return;
    }
    Ui::current().showMessage(this, q(o.message));
    stopViewing();
    close();
}

void TFrmMain::FileClearClick() {
    if (!Ui::current().question(this, q(history::kClearQuestion1), q(history::kClearTitle), BoxIcon::Warning) ||
        !Ui::current().question(this, q(history::kClearQuestion2), q(history::kClearTitle), BoxIcon::Warning))
        return;
    history::Outcome o = history::clearAll(db_, home_);
    if (!o.ok) {
        Ui::current().message(this, q(o.message), "错误", BoxIcon::Error);
        return;
    }
    Ui::current().showMessage(this, q(o.message));
    stopViewing();
    close();
}

// After the whole history was replaced no tab shows a record any more.
void TFrmMain::stopViewing() {
    for (TabState& t : tabs_) {
        t.viewed = false;
        t.recordId = -1;
        t.notePath.clear();
    }
}

} // namespace varrow
