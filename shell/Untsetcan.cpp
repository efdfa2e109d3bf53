#include "shell/Untsetcan.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <string_view>

#include "widgets/Ui.h"

namespace varrow {
namespace {

// One radio group of a page; the colour group has no choices.
struct Group {
    int page;
    IntKey key;
    std::string_view caption;
    std::array<std::string_view, 3> choices;
};

constexpr std::array<std::string_view, TFrmSetcan::kPages> kPageCaptions = {
    "子平八字", "紫微斗数", "中国星命", "奇门遁甲", "金口诀", "大六壬"};

// Jin Kou Jue has a single group and no "默认值" button.
constexpr int kJinKouJuePage = 4;
constexpr int kWhite = 16777215;

// In the order of setini::dialogKeys, so the index of a group is the index of its key.
constexpr std::array<Group, setini::dialogKeys.size()> kGroups = {{
    {0, setini::baziZishi, "夜、早子时", {"不区分", "区分"}},
    {0, setini::baziPai, "八字版式", {"八字横排", "八字竖排"}},
    {1, setini::ziweiTg5, "戊干四化", {"贪阴弼机", "贪阴阳机"}},
    {1, setini::ziweiTg7, "庚干四化", {"阳武同阴", "阳武阴同", "阳武府同"}},
    {1, setini::ziweiTg9, "壬干四化", {"梁紫左武", "梁紫府武"}},
    {1, setini::ziweiTm, "天马", {"按生月起", "按生年起"}},
    {1, setini::ziweiRun, "闰月", {"当做下月", "当做上月", "月中分界"}},
    {2, setini::xmingGuidao, "星盘制式", {"黄道制", "赤道制"}},
    {2, setini::xmingBkcolor, "背景色", {}},
    {2, setini::xmingLuoji, "罗喉、计都", {"罗南计北", "罗北计南"}},
    {2, setini::xmingMGong, "命宫求法", {"按弧角计算", "按时支计算"}},
    {3, setini::qimenQiju, "起局方式", {"拆补法", "超接置闰法"}},
    {4, setini::jkjYuejiang, "月将", {"以节入定", "以中气定"}},
    {5, setini::dlrGui157, "贵人", {"甲戊庚牛羊", "甲羊戊庚牛"}},
    {5, setini::dlrYuejiang, "月将", {"以中气定", "以节入定"}},
}};

constexpr bool sameKey(const IntKey& a, const IntKey& b) { return a.section == b.section && a.key == b.key; }

constexpr bool groupsFollowKeys() {
    for (std::size_t i = 0; i < kGroups.size(); ++i)
        if (!sameKey(kGroups[i].key, setini::dialogKeys[i])) return false;
    return true;
}
static_assert(groupsFollowKeys(), "the groups must list the keys in the order of setini::dialogKeys");

constexpr bool isColour(const Group& g) { return g.choices[0].empty(); }
constexpr int defaultOf(const Group& g) { return isColour(g) ? kWhite : 0; }

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
QString controlName(std::string_view prefix, const IntKey& k) {
    return qs(prefix) + qs(k.section) + qs(k.key);
}

} // namespace

TFrmSetcan::TFrmSetcan(std::filesystem::path home, int page, QWidget* parent)
    : QDialog(parent), home_(std::move(home)), set_(openChartSettings(home_)) {
    for (std::size_t i = 0; i < kKeys; ++i) values_[i] = set_.get(setini::dialogKeys[i]);
    BuildWidgets(std::clamp(page, 0, kPages - 1));
    ShowValues();
    ShowColour();
}

int TFrmSetcan::currentPage() const { return PageControl->currentIndex(); }

int TFrmSetcan::value(const IntKey& key) const {
    for (std::size_t i = 0; i < kKeys; ++i)
        if (sameKey(setini::dialogKeys[i], key)) return values_[i];
    return key.fallback;
}

void TFrmSetcan::BuildWidgets(int page) {
    setWindowTitle("排盘设置");
    setObjectName("TFrmSetcan");

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->setUsesScrollButtons(false); // all six captions in view: the dialog widens instead
    for (int p = 0; p < kPages; ++p) PageControl->addTab(BuildPage(p), qs(kPageCaptions[p]));
    PageControl->setCurrentIndex(page);

    auto* BtnOk = new QPushButton("确认", this);
    BtnOk->setObjectName("BtnOk");
    BtnOk->setDefault(true);
    auto* BtnCancel = new QPushButton("取消", this);
    BtnCancel->setObjectName("BtnCancel");
    connect(BtnOk, &QPushButton::clicked, this, &TFrmSetcan::BtnOkClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
    layout->addLayout(buttons);
}

QWidget* TFrmSetcan::BuildPage(int page) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QString("TabSheet%1").arg(page));
    auto* layout = new QVBoxLayout(sheet);

    for (std::size_t i = 0; i < kKeys; ++i) {
        const Group& g = kGroups[i];
        if (g.page != page) continue;
        auto* box = new QGroupBox(qs(g.caption), sheet);
        box->setObjectName(controlName("Rgp", g.key));
        auto* row = new QHBoxLayout(box);
        if (isColour(g)) {
            ShpColor = new QFrame(box);
            ShpColor->setObjectName("ShpColor");
            ShpColor->setFrameStyle(QFrame::Box | QFrame::Plain);
            ShpColor->setFixedSize(64, 22);
            ShpColor->setAutoFillBackground(true);
            auto* BtnColor = new QPushButton("设置", box);
            BtnColor->setObjectName("BtnColor");
            connect(BtnColor, &QPushButton::clicked, this, &TFrmSetcan::BtnColorClick);
            row->addWidget(ShpColor);
            row->addWidget(BtnColor);
        } else {
            auto* group = new QButtonGroup(box);
            for (int c = 0; c < int(g.choices.size()) && !g.choices[c].empty(); ++c) {
                auto* radio = new QRadioButton(qs(g.choices[c]), box);
                radio->setObjectName(controlName("Rdo", g.key) + QString::number(c));
                group->addButton(radio, c);
                row->addWidget(radio);
            }
            connect(group, &QButtonGroup::idToggled, this, [this, i](int id, bool on) {
                if (on) RadioClick(i, id);
            });
            groups_[i] = group;
        }
        row->addStretch();
        layout->addWidget(box);
    }
    layout->addStretch();

    if (page != kJinKouJuePage) {
        auto* BtnDefault = new QPushButton("默认值", sheet);
        BtnDefault->setObjectName(QString("BtnDefault%1").arg(page));
        connect(BtnDefault, &QPushButton::clicked, this, [this, page] { BtnDefaultClick(page); });
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(BtnDefault);
        layout->addLayout(row);
    }
    return sheet;
}

// A stored value outside a group's list checks no radio; it is written back
// unchanged unless the user picks a choice.
void TFrmSetcan::ShowValues() {
    for (std::size_t i = 0; i < kKeys; ++i) {
        QButtonGroup* group = groups_[i];
        if (!group) continue;
        QAbstractButton* radio = group->button(values_[i]);
        if (radio) {
            radio->setChecked(true);
            continue;
        }
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) b->setChecked(false);
        group->setExclusive(true);
    }
}

void TFrmSetcan::ShowColour() {
    QPalette pal = ShpColor->palette();
    pal.setColor(QPalette::Window, toQColor(value(setini::xmingBkcolor)));
    ShpColor->setPalette(pal);
}

void TFrmSetcan::RadioClick(std::size_t key, int choice) { values_[key] = choice; }

void TFrmSetcan::BtnDefaultClick(int page) {
    for (std::size_t i = 0; i < kKeys; ++i)
        if (kGroups[i].page == page) values_[i] = defaultOf(kGroups[i]);
    ShowValues();
    ShowColour();
}

void TFrmSetcan::BtnColorClick() {
    std::size_t colour = 0;
    while (!isColour(kGroups[colour])) ++colour;
    std::optional<QColor> chosen = Ui::current().chooseColour(this, toQColor(values_[colour]));
    if (!chosen || !chosen->isValid()) return;
    values_[colour] = fromQColor(*chosen);
    ShowColour();
}

// Rewrites every key from what the dialog holds, on top of the file as it is
// now, so keys the dialog does not own (global/endinfo) survive. A file that
// cannot be written is reported and the dialog stays open.
void TFrmSetcan::BtnOkClick() {
    set_.reload();
    for (std::size_t i = 0; i < kKeys; ++i) set_.set(setini::dialogKeys[i], values_[i]);
    if (!set_.save()) {
        Ui::current().message(this, QString::fromStdString(set_.lastError()), "错误", BoxIcon::Error);
        return;
    }
    accept();
}

} // namespace varrow
