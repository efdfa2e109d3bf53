// The chart runs of the main window: the chart button, the birth and the
// question families, and the tools that follow a Four Pillars chart.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "fourpillars/Bazimp.h"
#include "widgets/QtReportSink.h"
#include "widgets/Ui.h"
#include "shell/Untmain.h"

#include "shell/Untsetcan.h"
#include "shell/Untendfo.h"
#include "fourpillars/Ubzliu.h"
#include "fourpillars/Untfant.h"

namespace varrow {
namespace {
QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
} // namespace



void TFrmMain::BtnpaiClick() {
    writeReport_ = true;
    ChartKind kind = currentKind();
    if (!engineAvailable(kind)) return;
    bool ok = false;
    switch (kind) {
    case ChartKind::Bazi:
    case ChartKind::Ziwei:
    case ChartKind::Xming: ok = RunBirthChart(); break;
    case ChartKind::Liuyao: ok = RunQuestionChart(-1); break;
    case ChartKind::Qimen: ok = RunQuestionChart(10); break;
    case ChartKind::Jkj: ok = RunQuestionChart(11); break;
    case ChartKind::Liuren:
        questionRequest_.otherStart = 0;
        ok = RunQuestionChart(12);
        break;
    }
    if (ok) {
        TabState& t = tabState(kind);
        t.viewed = false;
        t.surface->SetModified(false);
    }
}

// Before a new run over a viewed record's edited note.
bool TFrmMain::askSaveModifiedNote(ChartKind kind) {
    TabState& t = tabState(kind);
    if (!t.viewed || !t.surface->IsModified()) return true;
    if (Ui::current().question(this, "当前记录文本已改变，要保存吗？", "提示", BoxIcon::Warning)) {
        if (saveNote(*t.surface, t.notePath)) t.surface->SetModified(false);
    }
    return true;
}

bool TFrmMain::RunBirthChart() {
    birthChartValid_ = false;
    if (!checkCommon()) return false;
    ChartKind kind = currentKind();
    askSaveModifiedNote(kind);
    readCommon(birthRequest_);
    birthRequest_.writeReport = writeReport_;
    copyRequestToRecord(birthRequest_, kind, pending_);

    if (kind == ChartKind::Bazi) {
        CBaZimp engine(surface(kind));
        engine.SetProgramDir(home_.string());
        engine.SetTrueSolarTime(birthRequest_.useTrueSolarTime);
        if (!engine.MakeChart(birthRequest_)) {
            Ui::current().message(this, q(engine.ErrorText()), "错误", BoxIcon::Error);
            return false;
        }
        engine.GetPillars(pillars_.data());
        engine.GetBirthInfo(baziBirthYear_, baziSecond_);
        if (bzLiu_) bzLiu_->close();
    } else {
        return false; // no engine for this kind in this build
    }
    birthChartValid_ = true;
    return true;
}

bool TFrmMain::RunQuestionChart(int /*mode*/) {
    questionChartValid_ = false;
    if (!checkCommon()) return false;
    askSaveModifiedNote(currentKind());
    readCommon(questionRequest_);
    copyRequestToRecord(questionRequest_, currentKind(), pending_);
    // The question engines come with their own chart kinds.
    return false;
}

void TFrmMain::OpenChartSettings(int page) {
    TFrmSetcan dialog(home_, page, this);
    dialog.exec();
}

void TFrmMain::OpenClosingText() {
    TFrmEndfo dialog(home_, this);
    dialog.exec();
}

void TFrmMain::SbtoFanTuiClick() {
    FourPillars last{GanZhi(pillars_[0]), GanZhi(pillars_[1]), GanZhi(pillars_[2]), GanZhi(pillars_[3])};
    TFrmFanTui dialog(last, birthRequest_.isMale, this);
    if (dialog.exec() != QDialog::Accepted) return;
    SolarDate d = dialog.foundDate();
    d.minute = 0;
    fillPanelDate(d, dialog.male());
    ChkSun->setChecked(false);
    PageControl1->setCurrentIndex(int(ChartKind::Bazi));
    BtnpaiClick();
}

void TFrmMain::SbtoBzLiuClick() {
    if (!birthChartValid_ || baziBirthYear_ < 1900 || baziBirthYear_ > 2099) {
        Ui::current().message(this, "请先排一个正确的盘,且流月查看时间在1900-2100年之间", "排盘",
                              BoxIcon::Information);
        return;
    }
    if (!bzLiu_) {
        auto* w = new TFrmBzLiu(baziBirthYear_, baziSecond_, this);
        w->setAttribute(Qt::WA_DeleteOnClose);
        bzLiu_ = w;
    }
    bzLiu_->show();
    bzLiu_->raise();
}

} // namespace varrow
