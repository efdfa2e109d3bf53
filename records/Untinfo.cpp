#include "records/Untinfo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "calendar/Yidate.h"
#include "records/DialogFields.h"
#include "chart/InputLists.h"
#include "chart/InputRules.h"
#include "widgets/QtPanel.h"
#include "settings/Settings.h"
#include "widgets/Ui.h"

namespace varrow {
namespace {

constexpr int kNameBytes = 10;
constexpr int kQuestionBytes = 40;
constexpr int kCategoryBytes = 13;
constexpr int kRemarkBytes = 1000;

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
std::string s(const QString& text) { return text.toStdString(); }

QLineEdit* editOf(const QString& name, int width, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setFixedWidth(width);
    return e;
}

// A picker index from a stored number that a damaged record may hold out of range.
int pickerIndex(int value, int count) { return std::clamp(value, 0, count - 1); }

} // namespace

TFrmInfo::TFrmInfo(std::filesystem::path home, const IniFile& pinit, const RecordImage& record,
                   bool questionEnabled, QWidget* parent)
    : QDialog(parent), home_(std::move(home)), record_(record), questionEnabled_(questionEnabled) {
    BuildWidgets();
    for (const std::string& name : readCategories(pinit)) CboClass->addItem(q(name));
    ShowRecord();
}

void TFrmInfo::BuildWidgets() {
    setWindowTitle("记录信息");
    setObjectName("TFrmInfo");

    // Row 0: the moment, as on the input panel.
    MomentRow moment = buildMomentRow(this);
    auto* row0 = moment.layout;
    EdtYear = moment.EdtYear;
    UpDyear = moment.UpDyear;
    cbom = moment.cbom, cbod = moment.cbod, cbos = moment.cbos, cbomin = moment.cbomin;
    Rdogl = moment.Rdogl, Rdonl = moment.Rdonl;
    Chkrun = moment.Chkrun;

    // Row 1: the person and the place.
    auto* row1 = new QHBoxLayout;
    row1->addWidget(new QLabel("姓名", this));
    Edtname = editOf("Edtname", 90, this);
    limitBytes(Edtname, kNameBytes);
    row1->addWidget(Edtname);
    Rdona = new QRadioButton("男", this);
    Rdona->setObjectName("Rdona");
    Rdonv = new QRadioButton("女", this);
    Rdonv->setObjectName("Rdonv");
    auto* sexGroup = new QButtonGroup(this);
    sexGroup->addButton(Rdona);
    sexGroup->addButton(Rdonv);
    row1->addWidget(Rdona);
    row1->addWidget(Rdonv);
    cbodiZ = comboOf("cbodiZ", lists::provinces, this);
    cbodiZ->setMaxVisibleItems(25);
    cbodiC = new QComboBox(this);
    cbodiC->setObjectName("cbodiC");
    cbodiC->setToolTip("选择邻近城市");
    cbodiC->setMinimumWidth(90);
    row1->addWidget(cbodiZ);
    row1->addWidget(cbodiC);
    row1->addWidget(new QLabel("经度", this));
    ledtjing = editOf("ledtjing", 60, this);
    ledtjing->setMaxLength(7);
    row1->addWidget(ledtjing);
    row1->addWidget(new QLabel("纬度", this));
    ledtwei = editOf("ledtwei", 52, this);
    ledtwei->setMaxLength(6);
    row1->addWidget(ledtwei);
    row1->addStretch(1);

    // Row 2: the question and the category.
    auto* row2 = new QHBoxLayout;
    row2->addWidget(new QLabel("占问事宜", this));
    LedtEvent = new QLineEdit(this);
    LedtEvent->setObjectName("LedtEvent");
    LedtEvent->setMinimumWidth(260);
    LedtEvent->setEnabled(questionEnabled_);
    limitBytes(LedtEvent, kQuestionBytes);
    row2->addWidget(LedtEvent, 1);
    row2->addSpacing(12);
    row2->addWidget(new QLabel("类别", this));
    CboClass = new QComboBox(this);
    CboClass->setObjectName("CboClass");
    CboClass->setEditable(true);
    CboClass->setInsertPolicy(QComboBox::NoInsert);
    CboClass->setMinimumWidth(130);
    limitBytes(CboClass, kCategoryBytes);
    row2->addWidget(CboClass);

    MemoInfo = new QPlainTextEdit(this);
    MemoInfo->setObjectName("MemoInfo");
    MemoInfo->setMinimumHeight(120);
    limitBytes(MemoInfo, kRemarkBytes);

    auto* BtnSave = new QPushButton("保存", this);
    BtnSave->setObjectName("BtnSave");
    auto* BtnClose = new QPushButton("关闭", this);
    BtnClose->setObjectName("BtnClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnSave);
    buttons->addWidget(BtnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row0);
    layout->addLayout(row1);
    layout->addLayout(row2);
    layout->addWidget(new QLabel("附加信息", this));
    layout->addWidget(MemoInfo, 1);
    layout->addLayout(buttons);

    connect(UpDyear, &QSpinBox::valueChanged, this, &TFrmInfo::UpDyearClick);
    connect(cbodiZ, &QComboBox::activated, this, &TFrmInfo::cbodiZClick);
    connect(BtnSave, &QPushButton::clicked, this, &TFrmInfo::BtnSaveClick);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmInfo::ShowRecord() {
    const RecordImage& r = record_;
    {
        QSignalBlocker block(UpDyear);
        UpDyear->setValue(r.year);
    }
    EdtYear->setText(QString::number(toHistoricalYear(r.year)));
    cbom->setCurrentIndex(pickerIndex(r.month - 1, cbom->count()));
    cbod->setCurrentIndex(pickerIndex(r.day - 1, cbod->count()));
    cbos->setCurrentIndex(pickerIndex(r.hour, cbos->count()));
    cbomin->setCurrentIndex(pickerIndex(r.minute, cbomin->count()));
    (r.isLunar ? Rdonl : Rdogl)->setChecked(true);
    Chkrun->setChecked(r.isLeapMonth != 0);
    (r.isMale ? Rdona : Rdonv)->setChecked(true);
    Edtname->setText(q(getFixed(r.name)));
    // A province index out of the list reads as 未知地.
    int province = r.province >= 0 && r.province < cbodiZ->count() ? r.province : lists::kUnknownProvince;
    cbodiZ->setCurrentIndex(province);
    cbodiZClick(province);
    cbodiC->setCurrentIndex(r.city >= 0 && r.city < cbodiC->count() ? r.city : 0);
    MemoInfo->setPlainText(boxLines(getFixed(r.remark)));
    CboClass->setEditText(q(getFixed(r.category)));
    if (questionEnabled_) LedtEvent->setText(q(getFixed(r.question)));
    ledtjing->setText(q(formatCoordinate(r.longitude)));
    ledtwei->setText(q(formatCoordinate(r.latitude)));
}

void TFrmInfo::UpDyearClick(int position) { EdtYear->setText(QString::number(toHistoricalYear(position))); }

// Only the city list changes; the coordinate edits keep what they hold.
void TFrmInfo::cbodiZClick(int index) {
    cbodiC->clear();
    if (index < 0) return;
    if (index == lists::kUnknownProvince) {
        cbodiC->addItem("未知地");
    } else {
        IniFile places(home_ / "dat" / "dili.ini");
        for (const std::string& city : places.keys(lists::provinces[std::size_t(index)]))
            cbodiC->addItem(q(city));
    }
    if (cbodiC->count() > 0) cbodiC->setCurrentIndex(0);
}

void TFrmInfo::BtnSaveClick() {
    if (!Ui::current().question(this, "确定要保存修改吗？", "提示", BoxIcon::Information)) return;
    if (ReadControls()) accept();
}

bool TFrmInfo::ReadControls() {
    RecordImage& r = record_;
    std::string name = s(Edtname->text());
    if (CheckResult c = checkName(name); !c.ok) {
        showCheck(this, c);
        return false;
    }

    std::int16_t year = 0;
    if (CheckResult c = readYear(s(EdtYear->text()), year); !c.ok) {
        showCheck(this, c);
        return false;
    }
    r.year = year;
    {
        QSignalBlocker block(UpDyear);
        UpDyear->setValue(year);
    }

    r.month = std::int16_t(cbom->currentIndex() + 1);
    r.day = std::int16_t(cbod->currentIndex() + 1);
    r.hour = std::int16_t(cbos->currentIndex());
    r.minute = std::int16_t(cbomin->currentIndex());
    r.isLunar = Rdonl->isChecked();
    r.isLeapMonth = Chkrun->isChecked();
    r.isMale = Rdona->isChecked();
    r.province = std::int16_t(cbodiZ->currentIndex());
    r.city = std::int16_t(std::max(cbodiC->currentIndex(), 0));
    setFixed(r.name, name);
    setFixed(r.place, placeText(r.province, s(cbodiC->currentText())));

    float longitude = 0, latitude = 0;
    if (CheckResult c = ReadCoordinates(s(ledtjing->text()), s(ledtwei->text()), longitude, latitude);
        !c.ok) {
        showCheck(this, c);
        return false;
    }
    r.longitude = longitude;
    r.latitude = latitude;

    if (MemoInfo->toPlainText().isEmpty()) {
        Ui::current().message(this, "附加信息不能为空", "错误", BoxIcon::Error);
        return false;
    }
    setFixed(r.remark, storedLines(MemoInfo->toPlainText()));

    if (CboClass->currentText().isEmpty()) {
        Ui::current().message(this, "类别不能为空", "错误", BoxIcon::Error);
        return false;
    }
    setFixed(r.category, s(CboClass->currentText()));

    if (questionEnabled_) {
        if (LedtEvent->text().isEmpty()) {
            Ui::current().message(this, "占问事宜不能为空", "错误", BoxIcon::Error);
            return false;
        }
        setFixed(r.question, s(LedtEvent->text()));
    }
    return true;
}

} // namespace varrow
