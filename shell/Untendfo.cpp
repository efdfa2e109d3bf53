#include "shell/Untendfo.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "settings/EndInfo.h"
#include "settings/Settings.h"
#include "widgets/Ui.h"

namespace varrow {

TFrmEndfo::TFrmEndfo(std::filesystem::path home, QWidget* parent) : QDialog(parent), home_(std::move(home)) {
    BuildWidgets();
    if (auto lines = readEndInfo(home_)) {
        QStringList text;
        for (const std::string& line : *lines) text << QString::fromStdString(line);
        MemoInfo->setPlainText(text.join('\n'));
    }
    ChkAdd->setChecked(openChartSettings(home_).get(setini::globalEndinfo));
}

void TFrmEndfo::BuildWidgets() {
    setWindowTitle("编辑尾部信息");
    setObjectName("TFrmEndfo");

    MemoInfo = new QPlainTextEdit(this);
    MemoInfo->setObjectName("MemoInfo");
    MemoInfo->setMinimumSize(360, 200);
    ChkAdd = new QCheckBox("加入到命稿尾部", this);
    ChkAdd->setObjectName("ChkAdd");

    auto* BtnOk = new QPushButton("确定", this);
    BtnOk->setObjectName("BtnOk");
    auto* BtnCancel = new QPushButton("取消", this);
    BtnCancel->setObjectName("BtnCancel");
    connect(BtnOk, &QPushButton::clicked, this, &TFrmEndfo::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(ChkAdd);
    row->addStretch();
    row->addWidget(BtnOk);
    row->addWidget(BtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoInfo);
    layout->addLayout(row);
}

// The text first, then the switch: a switch turned on must never point at a
// text that failed to save. A failed write is reported and the dialog stays.
void TFrmEndfo::BtnOkClick() {
    QString text = MemoInfo->toPlainText();
    if (text.isEmpty()) {
        Ui::current().message(this, "输入不能为空", "信息", BoxIcon::Information);
        MemoInfo->setFocus();
        return;
    }
    std::string error;
    if (!writeEndInfo(home_, splitLines(text.toStdString()), error)) {
        Ui::current().message(this, QString::fromStdString(error), "错误", BoxIcon::Error);
        return;
    }
    IniFile set = openChartSettings(home_);
    set.set(setini::globalEndinfo, ChkAdd->isChecked());
    if (!set.save()) {
        Ui::current().message(this, QString::fromStdString(set.lastError()), "错误", BoxIcon::Error);
        return;
    }
    accept();
}

} // namespace varrow
