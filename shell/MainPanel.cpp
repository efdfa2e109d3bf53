// The input panel at the foot of the main window: its controls, their
// handlers, and reading it into a request.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include "calendar/GanZhi.h"
#include "calendar/Yidate.h"
#include "chart/InputLists.h"
#include "widgets/QtPanel.h"
#include "shell/Untmain.h"
#include "widgets/Ui.h"
#include "text/Gbk.h"

namespace varrow {
namespace {

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
std::string s(const QString& text) { return text.toUtf8().toStdString(); }

BoxIcon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return BoxIcon::Information;
    case MessageIcon::Warning: return BoxIcon::Warning;
    case MessageIcon::Error: return BoxIcon::Error;
    case MessageIcon::None: break;
    }
    return BoxIcon::None;
}

} // namespace

void TFrmMain::limitBytes(QLineEdit* edit, int bytes) {
    // Limits count GBK bytes: a Chinese character takes two.
    connect(edit, &QLineEdit::textEdited, edit, [edit, bytes](const QString& text) {
        std::string utf8 = s(text);
        if (int(Gbk::byteLength(utf8)) <= bytes) return;
        int cursor = edit->cursorPosition();
        edit->setText(q(Gbk::truncate(utf8, std::size_t(bytes))));
        edit->setCursorPosition(std::min(cursor, int(edit->text().size())));
    });
}

void TFrmMain::buildPanel(QWidget* panel) {
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    // Row 0: the moment.
    MomentRow moment = buildMomentRow(panel);
    auto* row0 = moment.layout;
    EdtYear = moment.EdtYear;
    UpDyear = moment.UpDyear;
    cbom = moment.cbom, cbod = moment.cbod, cbos = moment.cbos, cbomin = moment.cbomin;
    Rdogl = moment.Rdogl, Rdonl = moment.Rdonl;
    Chkrun = moment.Chkrun;
    Rdogl->setChecked(true);
    SbtoNow = new QToolButton(panel);
    SbtoNow->setObjectName("SbtoNow");
    SbtoNow->setText("现在");
    SbtoNow->setToolTip("现在时间");
    row0->addWidget(SbtoNow);
    grid->addLayout(row0, 0, 0);

    // Row 1: the person and the place.
    auto* row1 = new QHBoxLayout;
    row1->addWidget(new QLabel("姓名", panel));
    Edtname = new QLineEdit("某人", panel);
    Edtname->setObjectName("Edtname");
    Edtname->setFixedWidth(90);
    limitBytes(Edtname, 10);
    row1->addWidget(Edtname);
    Rdona = new QRadioButton("男", panel);
    Rdona->setObjectName("Rdona");
    Rdonv = new QRadioButton("女", panel);
    Rdonv->setObjectName("Rdonv");
    auto* sexGroup = new QButtonGroup(panel);
    sexGroup->addButton(Rdona);
    sexGroup->addButton(Rdonv);
    Rdona->setChecked(true);
    row1->addWidget(Rdona);
    row1->addWidget(Rdonv);
    cbodiZ = comboOf("cbodiZ", lists::provinces, panel);
    cbodiZ->setMaxVisibleItems(25);
    cbodiC = new QComboBox(panel);
    cbodiC->setObjectName("cbodiC");
    cbodiC->setToolTip("选择邻近城市");
    cbodiC->setMinimumWidth(90);
    row1->addWidget(cbodiZ);
    row1->addWidget(cbodiC);
    row1->addWidget(new QLabel("经度", panel));
    ledtjing = new QLineEdit("120:30", panel);
    ledtjing->setObjectName("ledtjing");
    ledtjing->setMaxLength(7);
    ledtjing->setFixedWidth(60);
    row1->addWidget(ledtjing);
    row1->addWidget(new QLabel("纬度", panel));
    ledtwei = new QLineEdit("30:00", panel);
    ledtwei->setObjectName("ledtwei");
    ledtwei->setMaxLength(6);
    ledtwei->setFixedWidth(52);
    row1->addWidget(ledtwei);
    ChkSun = new QCheckBox("使用真太阳时", panel);
    ChkSun->setObjectName("ChkSun");
    row1->addWidget(ChkSun);
    row1->addStretch(1);
    grid->addLayout(row1, 1, 0);

    Btnpai = new QPushButton("排盘", panel);
    Btnpai->setObjectName("Btnpai");
    Btnpai->setMinimumHeight(40);
    SbtoSave = new QToolButton(panel);
    SbtoSave->setObjectName("SbtoSave");
    SbtoSave->setText("保存");
    SbtoSave->setToolTip("保存记录");
    SbtoSave->setMinimumHeight(40);
    grid->addWidget(Btnpai, 0, 1, 2, 1);
    grid->addWidget(SbtoSave, 0, 2, 2, 1);
    grid->setColumnStretch(0, 1);

    // Defaults, as at first show.
    QDateTime now = QDateTime::currentDateTime();
    int year = std::min(now.date().year(), int(CYiDate::kLastYear));
    UpDyear->setValue(year);
    EdtYear->setText(QString::number(year));
    cbom->setCurrentIndex(now.date().month() - 1);
    cbod->setCurrentIndex(now.date().day() - 1);
    cbos->setCurrentIndex(now.time().hour());
    cbomin->setCurrentIndex(now.time().minute());
    cbodiZ->setCurrentIndex(lists::kUnknownProvince);
    cbodiZClick(lists::kUnknownProvince);
    CboZhanShi->setCurrentIndex(hourBranchIndex(now.time().hour()));

    connect(UpDyear, &QSpinBox::valueChanged, this, &TFrmMain::UpDyearClick);
    connect(SbtoNow, &QToolButton::clicked, this, &TFrmMain::SbtoNowClick);
    connect(cbodiZ, &QComboBox::activated, this, &TFrmMain::cbodiZClick);
    connect(cbodiC, &QComboBox::activated, this, &TFrmMain::cbodiCClick);
    connect(Btnpai, &QPushButton::clicked, this, &TFrmMain::BtnpaiClick);
    connect(SbtoSave, &QToolButton::clicked, this, &TFrmMain::SaveCurrentChart);
    refreshChartButton();
}

void TFrmMain::UpDyearClick(int position) { EdtYear->setText(QString::number(toHistoricalYear(position))); }

void TFrmMain::SbtoNowClick() {
    QDateTime now = QDateTime::currentDateTime();
    Rdogl->setChecked(true);
    Chkrun->setChecked(false);
    int year = std::min(now.date().year(), int(CYiDate::kLastYear));
    QSignalBlocker block(UpDyear);
    UpDyear->setValue(year);
    EdtYear->setText(QString::number(year));
    cbom->setCurrentIndex(now.date().month() - 1);
    cbod->setCurrentIndex(now.date().day() - 1);
    cbos->setCurrentIndex(now.time().hour());
    cbomin->setCurrentIndex(now.time().minute());
}

void TFrmMain::cbodiZClick(int index) {
    cbodiC->clear();
    cityCoordinates_.clear();
    if (index < 0) return;
    if (index == lists::kUnknownProvince) {
        // The coordinate edits keep what they hold.
        cbodiC->addItem("未知地");
        cbodiC->setCurrentIndex(0);
        cityCoordinates_.push_back(CityCoordinates{});
        return;
    }
    IniFile places(home_ / "dat" / "dili.ini");
    std::string section(lists::provinces[std::size_t(index)]);
    for (const std::string& city : places.keys(section)) {
        cbodiC->addItem(q(city));
        cityCoordinates_.push_back(parseCityValue(places.readString(section, city, "120:0*30:0")));
    }
    if (cbodiC->count() > 0) {
        cbodiC->setCurrentIndex(0);
        cbodiCClick(0);
    }
}

void TFrmMain::cbodiCClick(int index) {
    if (cbodiZ->currentIndex() < 0 || index < 0 || std::size_t(index) >= cityCoordinates_.size()) return;
    CoordinateTexts t = cityChosenTexts(cbodiZ->currentIndex(), cityCoordinates_[std::size_t(index)]);
    ledtjing->setText(q(t.longitude));
    ledtwei->setText(q(t.latitude));
}

void TFrmMain::SBtoShiClick() {
    int i = int(QRandomGenerator::global()->bounded(12));
    CboZhanShi->setCurrentIndex(i);
    Ui::current().message(this, QString("抽得%1时。").arg(q(names::branches[std::size_t((i + 1) % 12)])), "活时盘",
                          BoxIcon::Information);
}

void TFrmMain::showCheck(const CheckResult& r) {
    Ui::current().message(this, q(r.message), q(r.title), boxIcon(r.icon));
    if (r.focus.empty()) return;
    if (auto* w = findChild<QWidget*>(q(r.focus))) w->setFocus();
}

CheckResult TFrmMain::ReadCoordinates(float& longitude, float& latitude) const {
    return varrow::ReadCoordinates(s(ledtjing->text()), s(ledtwei->text()), longitude, latitude);
}

// Name, year and coordinates, in this order; the first failure is shown.
bool TFrmMain::checkCommon() {
    std::string name = s(Edtname->text());
    if (currentKind() == ChartKind::Liuren) name = latinLower(name);
    CheckResult r = checkName(name);
    if (!r.ok) return showCheck(r), false;
    std::int16_t year = 0;
    r = readYear(s(EdtYear->text()), year);
    if (!r.ok) return showCheck(r), false;
    {
        QSignalBlocker block(UpDyear);
        UpDyear->setValue(year);
    }
    float lon = 0, lat = 0;
    r = ReadCoordinates(lon, lat);
    if (!r.ok) return showCheck(r), false;
    return true;
}

// The common part of a request, once checkCommon() has passed.
void TFrmMain::readCommon(ChartRequest& r) const {
    std::string name = s(Edtname->text());
    if (currentKind() == ChartKind::Liuren) name = latinLower(name);
    r.setName(name);
    std::int16_t year = 0;
    readYear(s(EdtYear->text()), year);
    r.year = year;
    r.month = std::int16_t(cbom->currentIndex() + 1);
    r.day = std::int16_t(cbod->currentIndex() + 1);
    r.hour = std::int16_t(cbos->currentIndex());
    r.minute = std::int16_t(cbomin->currentIndex());
    r.isLunar = Rdonl->isChecked();
    r.isLeapMonth = Chkrun->isChecked();
    r.isMale = Rdona->isChecked();
    r.province = std::int16_t(cbodiZ->currentIndex());
    r.city = std::int16_t(std::max(0, cbodiC->currentIndex()));
    r.setPlace(placeText(r.province, s(cbodiC->currentText())));
    r.timeZone = std::int8_t(Cboshiqu->currentIndex());
    r.useTrueSolarTime = ChkSun->isChecked();
    ReadCoordinates(r.longitude, r.latitude);
    // Jin Kou Jue and Da Liu Ren take the coordinates of the chosen city.
    ChartKind kind = currentKind();
    if ((kind == ChartKind::Jkj || kind == ChartKind::Liuren) && std::size_t(r.city) < cityCoordinates_.size()) {
        r.longitude = cityCoordinates_[std::size_t(r.city)].longitude;
        r.latitude = cityCoordinates_[std::size_t(r.city)].latitude;
    }
}

void TFrmMain::fillPanelDate(const SolarDate& d, bool isMale) {
    Rdogl->setChecked(true);
    Chkrun->setChecked(false);
    {
        QSignalBlocker block(UpDyear);
        UpDyear->setValue(d.year);
    }
    EdtYear->setText(QString::number(toHistoricalYear(d.year)));
    cbom->setCurrentIndex(d.month - 1);
    cbod->setCurrentIndex(d.day - 1);
    cbos->setCurrentIndex(d.hour);
    cbomin->setCurrentIndex(d.minute);
    (isMale ? Rdona : Rdonv)->setChecked(true);
}

ChartKind TFrmMain::currentKind() const { return ChartKind(std::max(0, PageControl1->currentIndex())); }

void TFrmMain::PageControl1Change(int) { refreshChartButton(); }

void TFrmMain::refreshChartButton() {
    ChartKind kind = currentKind();
    bool available = engineAvailable(kind);
    Btnpai->setEnabled(available);
    Btnpai->setToolTip(available ? QString() : q(tabCaption(kind)) + "排盘尚未提供");
}

} // namespace varrow
