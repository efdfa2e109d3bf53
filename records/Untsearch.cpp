#include "records/Untsearch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "records/DialogFields.h"
#include "chart/InputLists.h"
#include "chart/InputRules.h"
#include "settings/Settings.h"
#include "widgets/Ui.h"

namespace varrow {
namespace {

constexpr int kNameBytes = 10;
constexpr int kCategoryBytes = 13;
constexpr int kQuestionBytes = 40;

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// A text criterion from its edit and its "全字匹配" box. An empty text turns
// the test off and keeps the text, so the next opening shows it again.
void collectText(const QString& text, const QCheckBox* whole, std::string& kept, std::uint8_t& mode) {
    if (text.isEmpty()) {
        mode = SearchCriteria::NotTested;
        return;
    }
    mode = whole->isChecked() ? SearchCriteria::Equals : SearchCriteria::Contains;
    kept = text.toStdString();
}

} // namespace

TFrmSearch::TFrmSearch(MDataBase& db, const IniFile& pinit, SearchCriteria& criteria, bool questionEnabled,
                       QWidget* parent)
    : QDialog(parent), db_(db), criteria_(criteria), questionEnabled_(questionEnabled) {
    BuildWidgets();
    for (const std::string& name : readCategories(pinit)) CboClass->addItem(q(name));
    ShowCriteria();
}

void TFrmSearch::BuildWidgets() {
    setWindowTitle("查找记录");
    setObjectName("TFrmSearch");

    auto textRow = [this](QGridLayout* grid, int row, const QString& caption, QWidget* field,
                          const QString& checkName) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(field, row, 1, 1, 3);
        auto* check = new QCheckBox("全字匹配", this);
        check->setObjectName(checkName);
        grid->addWidget(check, row, 4);
        return check;
    };

    auto* grid = new QGridLayout;
    EdtName = new QLineEdit(this);
    EdtName->setObjectName("EdtName");
    limitBytes(EdtName, kNameBytes);
    ChkName = textRow(grid, 0, "姓名", EdtName, "ChkName");

    CboClass = new QComboBox(this);
    CboClass->setObjectName("CboClass");
    CboClass->setEditable(true);
    CboClass->setInsertPolicy(QComboBox::NoInsert);
    limitBytes(CboClass, kCategoryBytes);
    ChkClass = textRow(grid, 1, "类别", CboClass, "ChkClass");

    EdtEvent = new QLineEdit(this);
    EdtEvent->setObjectName("EdtEvent");
    EdtEvent->setMinimumWidth(240);
    limitBytes(EdtEvent, kQuestionBytes);
    ChkEvent = textRow(grid, 2, "占问事宜", EdtEvent, "ChkEvent");
    EdtEvent->setEnabled(questionEnabled_);
    ChkEvent->setEnabled(questionEnabled_);

    grid->addWidget(new QLabel("记录年从", this), 3, 0);
    EdtYearFrom = new QLineEdit(this);
    EdtYearFrom->setObjectName("EdtYearFrom");
    EdtYearTo = new QLineEdit(this);
    EdtYearTo->setObjectName("EdtYearTo");
    for (QLineEdit* e : {EdtYearFrom, EdtYearTo}) {
        e->setMaxLength(4);
        e->setFixedWidth(56);
    }
    grid->addWidget(EdtYearFrom, 3, 1);
    grid->addWidget(new QLabel("到", this), 3, 2, Qt::AlignCenter);
    grid->addWidget(EdtYearTo, 3, 3, Qt::AlignLeft);

    grid->addWidget(new QLabel("省份", this), 4, 0);
    CboProvince = new QComboBox(this);
    CboProvince->setObjectName("CboProvince");
    CboProvince->addItem(" "); // any province
    for (std::string_view p : lists::provinces) CboProvince->addItem(q(p));
    CboProvince->setMaxVisibleItems(25);
    grid->addWidget(CboProvince, 4, 1, 1, 3, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);

    auto* sexBox = new QGroupBox("性别", this);
    sexBox->setObjectName("GrpSex");
    RdoSexAll = new QRadioButton("不分", sexBox);
    RdoSexAll->setObjectName("RdoSexAll");
    RdoMale = new QRadioButton("男", sexBox);
    RdoMale->setObjectName("RdoMale");
    RdoFemale = new QRadioButton("女", sexBox);
    RdoFemale->setObjectName("RdoFemale");
    auto* sexGroup = new QButtonGroup(this);
    auto* sexRow = new QHBoxLayout(sexBox);
    for (QRadioButton* r : {RdoSexAll, RdoMale, RdoFemale}) {
        sexGroup->addButton(r);
        sexRow->addWidget(r);
    }
    sexRow->addStretch();

    AniSearch = new QProgressBar(this);
    AniSearch->setObjectName("AniSearch");
    AniSearch->setRange(0, 0); // a busy bar: it moves without a known end
    AniSearch->setTextVisible(false);
    AniSearch->setFixedHeight(14);
    AniSearch->setVisible(false);

    BtnAll = new QPushButton("全部", this);
    BtnAll->setObjectName("BtnAll");
    BtnFind = new QPushButton("查找", this);
    BtnFind->setObjectName("BtnFind");
    BtnFind->setDefault(true);
    BtnClose = new QPushButton("关闭", this);
    BtnClose->setObjectName("BtnClose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {BtnAll, BtnFind, BtnClose}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sexBox);
    layout->addWidget(AniSearch);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(BtnFind, &QPushButton::clicked, this, &TFrmSearch::BtnFindClick);
    connect(BtnAll, &QPushButton::clicked, this, &TFrmSearch::BtnAllClick);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmSearch::ShowCriteria() {
    const SearchCriteria& c = criteria_;
    (!c.sexTest ? RdoSexAll : c.sex ? RdoMale : RdoFemale)->setChecked(true);
    if (c.yearTest) {
        EdtYearFrom->setText(QString::number(toHistoricalYear(c.yearFrom)));
        EdtYearTo->setText(QString::number(toHistoricalYear(c.yearTo)));
    }
    ChkName->setChecked(c.nameMode == SearchCriteria::Equals);
    ChkClass->setChecked(c.categoryMode == SearchCriteria::Equals);
    ChkEvent->setChecked(c.questionMode == SearchCriteria::Equals);
    if (!c.name.empty()) EdtName->setText(q(c.name));
    CboClass->setEditText(q(c.category));
    if (!c.question.empty()) EdtEvent->setText(q(c.question));
    int item = c.province + 1;
    CboProvince->setCurrentIndex(item >= 0 && item < CboProvince->count() ? item : 0);
}

bool TFrmSearch::CollectCriteria() {
    SearchCriteria& c = criteria_;
    c.sexTest = !RdoSexAll->isChecked();
    if (c.sexTest) c.sex = RdoMale->isChecked() ? 1 : 0;
    c.province = std::int16_t(std::max(CboProvince->currentIndex(), 0) - 1);

    if (EdtYearFrom->text().isEmpty() && EdtYearTo->text().isEmpty()) {
        c.yearTest = false;
    } else {
        std::int16_t from = 0, to = 0;
        CheckResult check = readYear(EdtYearFrom->text().toStdString(), from);
        if (check.ok) check = readYear(EdtYearTo->text().toStdString(), to);
        if (!check.ok) {
            check.focus.clear();
            showCheck(this, check);
            return false;
        }
        if (to < from) {
            Ui::current().message(this, "结束年必须大于或等于起始年", "年份错误", BoxIcon::Warning);
            return false;
        }
        c.yearFrom = from;
        c.yearTo = to;
        c.yearTest = true;
    }

    collectText(EdtName->text(), ChkName, c.name, c.nameMode);
    collectText(CboClass->currentText(), ChkClass, c.category, c.categoryMode);
    if (questionEnabled_) collectText(EdtEvent->text(), ChkEvent, c.question, c.questionMode);
    return true;
}

void TFrmSearch::SetSearching(bool searching) {
    for (QPushButton* b : {BtnAll, BtnFind, BtnClose}) b->setEnabled(!searching);
    AniSearch->setVisible(searching);
    // The search runs on this thread: paint the bar before it starts.
    if (searching) AniSearch->repaint();
}

bool TFrmSearch::SearchAndAsk() {
    if (!CollectCriteria()) return false;
    if (db_.count() == 0) {
        Ui::current().showMessage(this, "没有记录，无从查找。");
        return false;
    }
    SetSearching(true);
    bool read = db_.search(criteria_, ids_);
    SetSearching(false);
    if (!read) {
        ids_.clear();
        Ui::current().message(this, QString::fromStdString(db_.lastError()), "错误", BoxIcon::Error);
        return false;
    }
    if (ids_.empty()) {
        Ui::current().message(this, "没有找到符合条件的记录。", "信息", BoxIcon::Information);
        return false;
    }
    return Ui::current().question(this, QString("共找到%1条记录，要显示到记录列表中吗？").arg(ids_.size()),
                                  "提示", BoxIcon::Information);
}

void TFrmSearch::BtnFindClick() {
    if (SearchAndAsk()) accept();
}

void TFrmSearch::BtnAllClick() {
    if (!Ui::current().question(this, "这将清除所有输入的条件参数，以便搜索所有记录，确定吗？", "提示",
                                BoxIcon::Information))
        return;
    RdoSexAll->setChecked(true);
    EdtYearFrom->clear();
    EdtYearTo->clear();
    EdtName->clear();
    CboClass->setEditText(QString());
    EdtEvent->clear();
    for (QCheckBox* b : {ChkName, ChkClass, ChkEvent}) b->setChecked(false);
    CboProvince->setCurrentIndex(0);
    if (SearchAndAsk()) accept();
}

} // namespace varrow
