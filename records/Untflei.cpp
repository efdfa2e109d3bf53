#include "records/Untflei.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "records/DialogFields.h"
#include "records/RecordImage.h"
#include "settings/Settings.h"
#include "widgets/Ui.h"

namespace varrow {

namespace {
constexpr int kRemarkBytes = 801;
constexpr int kCategoryBytes = 13;
} // namespace

TFrmFenLei::TFrmFenLei(const IniFile& pinit, QWidget* parent) : QDialog(parent) {
    BuildWidgets();
    for (const std::string& name : readCategories(pinit)) CboClass->addItem(QString::fromStdString(name));
    CboClass->setCurrentIndex(CboClass->count() > 0 ? 0 : -1);
    MemoInfo->setPlainText("备注:");
    MemoInfo->moveCursor(QTextCursor::End);
}

void TFrmFenLei::BuildWidgets() {
    setWindowTitle("分类保存");
    setObjectName("TFrmFenLei");

    MemoInfo = new QPlainTextEdit(this);
    MemoInfo->setObjectName("MemoInfo");
    MemoInfo->setMinimumSize(320, 140);
    limitBytes(MemoInfo, kRemarkBytes);

    CboClass = new QComboBox(this);
    CboClass->setObjectName("CboClass");
    CboClass->setEditable(true);
    CboClass->setInsertPolicy(QComboBox::NoInsert);
    CboClass->setMinimumWidth(160);
    limitBytes(CboClass, kCategoryBytes);

    auto* BtnOk = new QPushButton("确定", this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setDefault(true);
    auto* BtnCancel = new QPushButton("取消", this);
    BtnCancel->setObjectName("BtnCancel");
    connect(BtnOk, &QPushButton::clicked, this, &TFrmFenLei::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("附加信息", this), 0, 0, 1, 2);
    grid->addWidget(MemoInfo, 1, 0, 1, 2);
    grid->addWidget(new QLabel("保存类别", this), 2, 0);
    grid->addWidget(CboClass, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

std::string TFrmFenLei::category() const { return CboClass->currentText().toStdString(); }

std::string TFrmFenLei::remark() const { return storedLines(MemoInfo->toPlainText()); }

void TFrmFenLei::fillRecord(RecordImage& record) const {
    setFixed(record.category, category());
    setFixed(record.remark, remark());
}

void TFrmFenLei::BtnOkClick() {
    if (CboClass->currentText().isEmpty()) {
        Ui::current().message(this, "类别名不能为空", "错误", BoxIcon::Error);
        return;
    }
    if (MemoInfo->toPlainText().isEmpty()) {
        Ui::current().message(this, "附加信息不能为空", "错误", BoxIcon::Error);
        return;
    }
    accept();
}

} // namespace varrow
