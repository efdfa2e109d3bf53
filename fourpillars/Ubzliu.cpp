#include "fourpillars/Ubzliu.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QTreeWidget>

#include "fourpillars/FlowingMonths.h"
#include "widgets/Ui.h"

namespace varrow {

TFrmBzLiu::TFrmBzLiu(int birthYear, int startAge, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), birthYear_(birthYear), startAge_(startAge) {
    setAttribute(Qt::WA_DeleteOnClose);
    BuildWidgets();
    for (const std::string& item : bazi::flowingYearList(birthYear_, startAge_))
        LstYear->addItem(QString::fromStdString(item));
    LstYear->setCurrentRow(0);
}

void TFrmBzLiu::BuildWidgets() {
    setWindowTitle("八字流月、流日速查");
    setObjectName("TFrmBzLiu");

    LstYear = new QListWidget(this);
    LstYear->setObjectName("LstYear");
    LstYear->setFixedWidth(170);
    Treemd = new QTreeWidget(this);
    Treemd->setObjectName("Treemd");
    Treemd->setHeaderHidden(true);
    Treemd->setColumnCount(1);
    Treemd->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Treemd->header()->setStretchLastSection(false);
    Treemd->setMinimumWidth(430);
    connect(LstYear, &QListWidget::currentRowChanged, this, &TFrmBzLiu::LstYearClick);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(LstYear);
    layout->addWidget(Treemd, 1);
    resize(640, 460);
}

void TFrmBzLiu::LstYearClick(int row) {
    if (row >= 0) ShowTree(birthYear_ + row);
}

// A year the tables do not cover leaves the tree as it was.
void TFrmBzLiu::ShowTree(int year) {
    std::vector<bazi::MonthNode> months;
    std::string message;
    if (!bazi::flowingMonthTree(year, months, message)) {
        SetStayOnTop(false);
        Ui::current().message(this, QString::fromStdString(message), "无法查看", BoxIcon::Information);
        SetStayOnTop(true);
        return;
    }
    Treemd->clear();
    for (const bazi::MonthNode& month : months) {
        auto* node = new QTreeWidgetItem(Treemd, QStringList(QString::fromStdString(month.text)));
        for (const std::string& day : month.days)
            new QTreeWidgetItem(node, QStringList(QString::fromStdString(day)));
    }
}

void TFrmBzLiu::SetStayOnTop(bool on) {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on); // hides the window: show it again
    if (shown) show();
}

} // namespace varrow
