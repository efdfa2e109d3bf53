#include "fourpillars/Untfant.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "fourpillars/ReverseLookup.h"
#include "widgets/Ui.h"

namespace varrow {
namespace {

constexpr std::array<const char*, 4> kPillarCaptions = {"年柱", "月柱", "日柱", "时柱"};

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
// The memo is a Qt text: one "\n" per line break.
QString memoText(const std::string& crlf) { return QString::fromStdString(crlf).replace("\r\n", "\n"); }

int historical(int y) { return y <= 0 ? y - 1 : y; }
int astronomical(long typed) { return int(typed < 0 ? typed + 1 : typed); }

// List item k of a stem list is stem (k + 1) mod 10, of a branch list branch (k + 1) mod 12.
int stemItem(int stem) { return (stem + 9) % 10; }
int branchItem(int branch) { return (branch + 11) % 12; }

} // namespace

TFrmFanTui::TFrmFanTui(const FourPillars& pillars, bool male, QWidget* parent)
    : QDialog(parent), pillars_(pillars) {
    BuildWidgets();
    SelectPillars(pillars);
    (male ? Rdona1 : Rdonv1)->setChecked(true);
    ShowYear();
}

bool TFrmFanTui::male() const { return Rdona1->isChecked(); }

void TFrmFanTui::BuildWidgets() {
    setWindowTitle("从八字反求出生日期");
    setObjectName("TFrmFanTui");

    auto* pillarBox = new QGroupBox("八字", this);
    auto* grid = new QGridLayout(pillarBox);
    for (int k = 0; k < 4; ++k) {
        cbotian[k] = new QComboBox(pillarBox);
        cbotian[k]->setObjectName(QString("cbotian%1").arg(k));
        for (int i = 0; i < 10; ++i) cbotian[k]->addItem(qs(names::stems[(i + 1) % 10]));
        cbodi[k] = new QComboBox(pillarBox);
        cbodi[k]->setObjectName(QString("cbodi%1").arg(k));
        for (int i = 0; i < 12; ++i) cbodi[k]->addItem(qs(names::branches[(i + 1) % 12]));
        grid->addWidget(new QLabel(kPillarCaptions[k], pillarBox), 0, k, Qt::AlignHCenter);
        grid->addWidget(cbotian[k], 1, k);
        grid->addWidget(cbodi[k], 2, k);
    }

    Rdona1 = new QRadioButton("男", this);
    Rdona1->setObjectName("Rdona1");
    Rdonv1 = new QRadioButton("女", this);
    Rdonv1->setObjectName("Rdonv1");

    Edtyear = new QLineEdit(this);
    Edtyear->setObjectName("Edtyear");
    Edtyear->setMaxLength(4);
    Edtyear->setFixedWidth(Edtyear->fontMetrics().horizontalAdvance("-8888") + 12);
    // The stepper: two arrow buttons over the year edit's number.
    auto* Upyear = new QWidget(this);
    Upyear->setObjectName("Upyear");
    auto* arrows = new QVBoxLayout(Upyear);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (int step : {1, -1}) {
        auto* arrow = new QToolButton(Upyear);
        arrow->setObjectName(step > 0 ? "UpyearUp" : "UpyearDown");
        arrow->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(16, 11);
        connect(arrow, &QToolButton::clicked, this, [this, step] { UpyearClick(step); });
        arrows->addWidget(arrow);
    }

    Btncha = new QPushButton("反推", this);
    Btncha->setObjectName("Btncha");
    Btncha->setDefault(true);
    Btnpai = new QPushButton("排八字", this);
    Btnpai->setObjectName("Btnpai");
    Btnpai->setEnabled(false);
    connect(Btncha, &QPushButton::clicked, this, &TFrmFanTui::BtnchaClick);
    connect(Btnpai, &QPushButton::clicked, this, &QDialog::accept);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setMinimumHeight(110);

    auto* row = new QHBoxLayout;
    row->addWidget(Rdona1);
    row->addWidget(Rdonv1);
    row->addSpacing(16);
    row->addWidget(new QLabel("起始年", this));
    row->addWidget(Edtyear);
    row->addWidget(Upyear);
    row->addStretch();
    row->addWidget(Btncha);
    row->addWidget(Btnpai);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pillarBox);
    layout->addLayout(row);
    layout->addWidget(Memo1);
}

void TFrmFanTui::SelectPillars(const FourPillars& p) {
    const GanZhi g[4] = {p.year, p.month, p.day, p.hour};
    for (int k = 0; k < 4; ++k) {
        cbotian[k]->setCurrentIndex(stemItem(g[k].stem()));
        cbodi[k]->setCurrentIndex(branchItem(g[k].branch()));
    }
}

// The edit shows the stepper's position in historical form.
void TFrmFanTui::ShowYear() { Edtyear->setText(QString::number(historical(upyear_))); }

// A number typed in the edit becomes the stepper's position, within its range.
void TFrmFanTui::TakeTypedYear() {
    bool ok = false;
    long typed = Edtyear->text().trimmed().toLong(&ok);
    if (ok && typed != 0) upyear_ = std::clamp(astronomical(typed), kFirstYear, kLastYear);
}

void TFrmFanTui::UpyearClick(int step) {
    TakeTypedYear();
    upyear_ = std::clamp(upyear_ + step, kFirstYear, kLastYear);
    ShowYear();
}

void TFrmFanTui::BtnchaClick() {
    bool ok = false;
    long typed = Edtyear->text().trimmed().toLong(&ok);
    if (!ok) typed = -1000;
    std::string message;
    if (!bazi::checkStartYear(typed, message)) {
        Ui::current().message(this, QString::fromStdString(message), "年份错误", BoxIcon::Warning);
        Edtyear->setFocus();
        return;
    }
    Btnpai->setEnabled(false);

    bazi::PillarChoice choice[4];
    for (int k = 0; k < 4; ++k)
        choice[k] = {(cbotian[k]->currentIndex() + 1) % 10, (cbodi[k]->currentIndex() + 1) % 12};
    FourPillars wanted;
    if (!bazi::choosePillars(choice, wanted, message)) {
        Ui::current().message(this, QString::fromStdString(message), "无效的八字", BoxIcon::Error);
        return;
    }
    pillars_ = wanted;

    // The stepper keeps the calendar's range, so a start before it searches from its first year.
    TakeTypedYear();
    ShowYear();
    std::optional<SolarDate> found = bazi::reverseLookup(wanted, historical(upyear_));
    if (!found) {
        Memo1->setPlainText(memoText(bazi::reverseLookupText(found)));
        return;
    }
    found_ = *found;
    Memo1->moveCursor(QTextCursor::End);
    Memo1->insertPlainText(memoText(bazi::reverseLookupText(found)));
    Memo1->moveCursor(QTextCursor::End);
    Btnpai->setEnabled(true);
}

} // namespace varrow
