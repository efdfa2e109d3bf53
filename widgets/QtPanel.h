// Pieces the input panel and the record edit dialog share: the year stepper,
// list pickers, and the row that holds a moment.
#pragma once

#include <QComboBox>
#include <QSpinBox>
#include <QString>
#include <string_view>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;

namespace varrow {

// The year stepper shows only its arrows; the year edit beside it shows the year.
class YearStepper : public QSpinBox {
public:
    explicit YearStepper(QWidget* parent);
};

// A drop-down list of the given texts.
template <class Items> QComboBox* comboOf(const QString& name, const Items& items, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    for (std::string_view item : items) c->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
    return c;
}

// Year edit and stepper, month, day, hour and minute pickers, "公历"/"农历" and
// "农历闰月", laid out in one row, with the object names of the panel.
struct MomentRow {
    QHBoxLayout* layout = nullptr;
    QLineEdit* EdtYear = nullptr;
    QSpinBox* UpDyear = nullptr;
    QComboBox *cbom = nullptr, *cbod = nullptr, *cbos = nullptr, *cbomin = nullptr;
    QRadioButton *Rdogl = nullptr, *Rdonl = nullptr;
    QCheckBox* Chkrun = nullptr;
};
MomentRow buildMomentRow(QWidget* parent);

} // namespace varrow
