#include "records/Untcedit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "settings/Settings.h"
#include "widgets/Ui.h"
#include "text/Gbk.h"

namespace varrow {
namespace {
constexpr std::size_t kCategoryBytes = 12;
} // namespace

TFrmClassEdit::TFrmClassEdit(IniFile& pinit, QWidget* parent) : QDialog(parent), pinit_(pinit) {
    BuildWidgets();
    QStringList lines;
    for (const std::string& name : readCategories(pinit_, "")) lines << QString::fromStdString(name);
    MemoClass->setPlainText(lines.join('\n'));
}

void TFrmClassEdit::BuildWidgets() {
    setWindowTitle("类别编辑");
    setObjectName("TFrmClassEdit");

    MemoClass = new QPlainTextEdit(this);
    MemoClass->setObjectName("MemoClass");
    MemoClass->setMinimumSize(240, 260);

    auto* BtnSave = new QPushButton("保存", this);
    BtnSave->setObjectName("BtnSave");
    auto* BtnCancel = new QPushButton("取消", this);
    BtnCancel->setObjectName("BtnCancel");
    connect(BtnSave, &QPushButton::clicked, this, &TFrmClassEdit::BtnSaveClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSave);
    buttons->addWidget(BtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("一行一个类别，类别名最长6个汉字", this));
    layout->addWidget(MemoClass, 1);
    layout->addLayout(buttons);
}

std::vector<std::string> TFrmClassEdit::categoryLines(const QString& text) {
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    QStringList parts = text.split('\n');
    if (text.endsWith('\n')) parts.removeLast();
    for (const QString& line : parts) lines.push_back(line.toStdString());
    return lines;
}

void TFrmClassEdit::BtnSaveClick() {
    std::vector<std::string> lines = categoryLines(MemoClass->toPlainText());
    if (lines.empty()) {
        Ui::current().showMessage(this, "类别不能为空");
        return;
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || Gbk::byteLength(lines[i]) > kCategoryBytes) {
            Ui::current().showMessage(this, QString("第%1行类别名不合规定，不能加入。").arg(i + 1));
            return;
        }
    }
    // The file is written through at once: a failed write is said, not hidden.
    if (!writeCategories(pinit_, lines)) {
        Ui::current().message(this, QString::fromStdString(pinit_.lastError()), "错误", BoxIcon::Error);
        return;
    }
    accept();
}

} // namespace varrow
