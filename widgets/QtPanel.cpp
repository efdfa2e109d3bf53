#include "widgets/QtPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "calendar/Yidate.h"
#include "chart/InputLists.h"

namespace varrow {

YearStepper::YearStepper(QWidget* parent) : QSpinBox(parent) {
    setRange(CYiDate::kFirstYear, CYiDate::kLastYear);
    setWrapping(false);
    lineEdit()->setVisible(false);
    setFixedWidth(18);
    setFocusPolicy(Qt::NoFocus);
}

MomentRow buildMomentRow(QWidget* parent) {
    MomentRow r;
    r.layout = new QHBoxLayout;
    r.EdtYear = new QLineEdit(parent);
    r.EdtYear->setObjectName("EdtYear");
    r.EdtYear->setMaxLength(4);
    r.EdtYear->setFixedWidth(52);
    QFont bold = r.EdtYear->font();
    bold.setBold(true);
    r.EdtYear->setFont(bold);
    r.UpDyear = new YearStepper(parent);
    r.UpDyear->setObjectName("UpDyear");
    r.layout->addWidget(r.EdtYear);
    r.layout->addWidget(r.UpDyear);
    r.layout->addWidget(new QLabel("年", parent));
    r.cbom = comboOf("cbom", lists::months, parent);
    r.cbod = comboOf("cbod", lists::days, parent);
    r.cbos = comboOf("cbos", lists::hours, parent);
    r.cbomin = comboOf("cbomin", lists::minutes, parent);
    for (QComboBox* c : {r.cbom, r.cbod, r.cbos, r.cbomin}) r.layout->addWidget(c);
    r.Rdogl = new QRadioButton("公历", parent);
    r.Rdogl->setObjectName("Rdogl");
    r.Rdonl = new QRadioButton("农历", parent);
    r.Rdonl->setObjectName("Rdonl");
    auto* calendarGroup = new QButtonGroup(parent);
    calendarGroup->addButton(r.Rdogl);
    calendarGroup->addButton(r.Rdonl);
    r.Chkrun = new QCheckBox("农历闰月", parent);
    r.Chkrun->setObjectName("Chkrun");
    r.layout->addWidget(r.Rdogl);
    r.layout->addWidget(r.Rdonl);
    r.layout->addWidget(r.Chkrun);
    r.layout->addStretch(1);
    return r;
}

} // namespace varrow
