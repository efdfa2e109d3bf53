#include "shell/Untmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "chart/InputLists.h"
#include "widgets/QtCanvas.h"
#include "widgets/QtReportSink.h"
#include "settings/Settings.h"
#include "widgets/Ui.h"

namespace varrow {
namespace {

constexpr int kZiweiWidth = 545, kZiweiHeight = 393;
constexpr int kXmingWidth = 577, kXmingHeight = 509;
constexpr const char* kNotesFirstLine = "在此添加自己的断语。";

QString q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QToolButton* toolButton(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setObjectName(name);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(false);
    return b;
}

QLabel* legend(const QString& text, const char* background, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet(QString("color: white; background: %1; padding: 1px 4px;").arg(background));
    return l;
}

} // namespace

TFrmMain::TFrmMain(std::filesystem::path home, QWidget* parent) : QMainWindow(parent), home_(std::move(home)) {
    setWindowTitle(kApplicationTitle);
    // The question request starts with the last-casting defaults.
    questionRequest_ = ChartRequest();
    birthRequest_ = ChartRequest();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName("PageControl1");
    layout->addWidget(PageControl1, 1);
    auto* panel = new QWidget(central);
    panel->setObjectName("Panel2");
    layout->addWidget(panel);
    setCentralWidget(central);

    buildTabs();
    buildPanel(panel);
    buildMenus();
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFrmMain::PageControl1Change);
    surface(ChartKind::Bazi).Clear();

    // Nothing may be cut off on a 1366 x 768 screen.
    setMinimumSize(780, 560);
    resize(960, 640);
}

TFrmMain::~TFrmMain() = default;

void TFrmMain::buildTabs() {
    for (int k = 0; k < kChartKindCount; ++k) {
        auto kind = ChartKind(k);
        PageControl1->addTab(buildTab(kind), q(tabCaption(kind)));
    }
    sinks_[0] = std::make_unique<QtReportSink>(Redtbazi);
    sinks_[1] = std::make_unique<QtReportSink>(Redtziwei);
    sinks_[2] = std::make_unique<QtReportSink>(Redtxingming);
    sinks_[3] = std::make_unique<QtReportSink>(Redtliuyao);
    sinks_[4] = std::make_unique<QtReportSink>(Redtqimen);
    sinks_[5] = std::make_unique<QtReportSink>(Redtjkj);
    sinks_[6] = std::make_unique<QtReportSink>(Redtdlr);
    for (int k = 0; k < kChartKindCount; ++k) tabs_[k].surface = sinks_[k].get();
    // The notes under the two pictures belong to the user.
    for (QTextEdit* notes : {Redtziwei, Redtxingming}) {
        notes->setPlainText(kNotesFirstLine);
        notes->document()->setModified(false);
    }
}

QWidget* TFrmMain::buildTab(ChartKind kind) {
    auto* page = new QWidget(PageControl1);
    page->setObjectName(QString("TabSheet%1").arg(int(kind) + 1));
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(buildBar(kind));

    auto* split = new QSplitter(Qt::Horizontal, page);
    split->setHandleWidth(3);
    auto* list = new QTreeWidget(split);
    list->setObjectName(QString("ListView%1").arg(int(kind)));
    list->setRootIsDecorated(false);
    ListView[std::size_t(kind)] = list;
    setupHistoryList(kind);

    auto makeText = [&](const char* name) {
        auto* edit = new QTextEdit(split);
        edit->setObjectName(name);
        edit->setAcceptRichText(true);
        edit->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(edit, &QTextEdit::customContextMenuRequested, this,
                [this, edit](const QPoint& p) { PopRedt->popup(edit->mapToGlobal(p)); });
        return edit;
    };
    auto makePicture = [&](QLabel*& image, QScrollArea*& scroll, QTextEdit*& notes, const char* imageName,
                           const char* notesName, ChartKind k, int w, int h) {
        scroll = new QScrollArea(split);
        auto* inner = new QWidget(scroll);
        auto* iv = new QVBoxLayout(inner);
        iv->setContentsMargins(0, 0, 0, 0);
        image = new QLabel(inner);
        image->setObjectName(imageName);
        image->setFixedSize(w, h);
        image->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(image, &QLabel::customContextMenuRequested, this, [this, image, k](const QPoint& p) {
            (k == ChartKind::Ziwei ? popimg : PopZhangX)->popup(image->mapToGlobal(p));
        });
        iv->addWidget(image, 0, Qt::AlignLeft | Qt::AlignTop);
        notes = new QTextEdit(inner);
        notes->setObjectName(notesName);
        notes->setFixedHeight(400);
        notes->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(notes, &QTextEdit::customContextMenuRequested, this,
                [this, notes](const QPoint& p) { PopRedt->popup(notes->mapToGlobal(p)); });
        iv->addWidget(notes);
        scroll->setWidget(inner);
        scroll->setWidgetResizable(true);
    };

    switch (kind) {
    case ChartKind::Bazi: Redtbazi = makeText("Redtbazi"); break;
    case ChartKind::Ziwei:
        ziweiCanvas_ = std::make_unique<QtCanvas>(kZiweiWidth, kZiweiHeight);
        makePicture(Imgziwei, ScrollZiwei, Redtziwei, "Imgziwei", "Redtziwei", kind, kZiweiWidth, kZiweiHeight);
        Imgziwei->setPixmap(QPixmap::fromImage(ziweiCanvas_->image()));
        break;
    case ChartKind::Xming:
        xmingCanvas_ = std::make_unique<QtCanvas>(kXmingWidth, kXmingHeight);
        makePicture(Imgzhanxing, ScrollXming, Redtxingming, "Imgzhanxing", "Redtxingming", kind, kXmingWidth,
                    kXmingHeight);
        break;
    case ChartKind::Liuyao: Redtliuyao = makeText("Redtliuyao"); break;
    case ChartKind::Qimen: Redtqimen = makeText("Redtqimen"); break;
    case ChartKind::Jkj: Redtjkj = makeText("Redtjkj"); break;
    case ChartKind::Liuren: Redtdlr = makeText("Redtdlr"); break;
    }
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({180, 600});
    v->addWidget(split, 1);
    return page;
}

QWidget* TFrmMain::buildBar(ChartKind kind) {
    auto* bar = new QWidget;
    bar->setFixedHeight(28);
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(4, 2, 4, 2);
    auto question = [&](int i) {
        h->addWidget(new QLabel("占问事宜", bar));
        auto* e = new QLineEdit("关心的事情。", bar);
        e->setObjectName(QString("LedtEvent%1").arg(i));
        limitBytes(e, 40);
        LedtEvent[std::size_t(i)] = e;
        h->addWidget(e, 1);
    };
    auto combo = [&](const QString& label, const QString& name, auto items) {
        h->addWidget(new QLabel(label, bar));
        auto* c = new QComboBox(bar);
        c->setObjectName(name);
        for (auto item : items) c->addItem(q(item));
        h->addWidget(c);
        return c;
    };
    switch (kind) {
    case ChartKind::Bazi:
        SbtoFanTui = toolButton("反推八字", "SbtoFanTui", bar);
        SbtoBzLiu = toolButton("流月流日", "SbtoBzLiu", bar);
        connect(SbtoFanTui, &QToolButton::clicked, this, &TFrmMain::SbtoFanTuiClick);
        connect(SbtoBzLiu, &QToolButton::clicked, this, &TFrmMain::SbtoBzLiuClick);
        h->addWidget(SbtoFanTui);
        h->addWidget(SbtoBzLiu);
        break;
    case ChartKind::Ziwei:
        h->addWidget(new QLabel("流年盘(年龄/流年)", bar));
        LedtLiu = new QLineEdit("20", bar);
        LedtLiu->setObjectName("LedtLiu");
        LedtLiu->setMaxLength(4);
        LedtLiu->setFixedWidth(48);
        LedtLiu->setToolTip("回车排盘");
        h->addWidget(LedtLiu);
        Rdo_zw_arg = new QRadioButton("年龄", bar);
        Rdo_zw_arg->setObjectName("Rdo_zw_arg");
        Rdo_zw_arg->setChecked(true);
        Rdo_zw_year = new QRadioButton("流年", bar);
        Rdo_zw_year->setObjectName("Rdo_zw_year");
        h->addWidget(Rdo_zw_arg);
        h->addWidget(Rdo_zw_year);
        h->addSpacing(12);
        h->addWidget(legend("★先天", "green", bar));
        h->addWidget(legend("★大限", "maroon", bar));
        h->addWidget(legend("★流年", "blue", bar));
        break;
    case ChartKind::Xming:
        Cboshiqu = combo("时区", "Cboshiqu", lists::timeZones);
        Cboshiqu->setToolTip("时区");
        Cboshiqu->setCurrentIndex(lists::kDefaultTimeZone);
        SbtoZw_liu = toolButton("流年盘", "SbtoZw_liu", bar);
        h->addWidget(SbtoZw_liu);
        break;
    case ChartKind::Liuyao: {
        const char* names[] = {"铜钱摇卦", "时间起卦", "数字起卦", "汉字起卦", "其它方式"};
        for (int i = 0; i < 5; ++i) {
            castButtons[std::size_t(i)] = toolButton(names[i], QString("SbtoCast%1").arg(i), bar);
            h->addWidget(castButtons[std::size_t(i)]);
        }
        question(0);
        break;
    }
    case ChartKind::Qimen:
        question(1);
        CboQiMenCustom = combo("手工定局", "CboQiMenCustom", lists::qiMenCustom);
        CboQiMenCustom->setMaxVisibleItems(21);
        break;
    case ChartKind::Jkj:
        question(2);
        CboYy = combo("起贵神方式", "CboYy", lists::nobleModes);
        CboDiFen = combo("起课数(地分)", "CboDiFen", lists::diFenItems);
        CboDiFen->setEditable(true);
        break;
    case ChartKind::Liuren:
        question(3);
        CboYy2 = combo("起贵神方式", "CboYy2", lists::nobleModes);
        CboZhanShi = combo("占时", "CboZhanShi", lists::zhanShiItems);
        SBtoShi = toolButton("抽签", "SBtoShi", bar);
        SBtoShi->setToolTip("抽签决定占时");
        connect(SBtoShi, &QToolButton::clicked, this, &TFrmMain::SBtoShiClick);
        h->addWidget(SBtoShi);
        h->addWidget(new QLabel("生年", bar));
        LedtYear = new QLineEdit("1978", bar);
        LedtYear->setObjectName("LedtYear");
        LedtYear->setMaxLength(4);
        LedtYear->setFixedWidth(48);
        h->addWidget(LedtYear);
        SpeedButton6 = toolButton("其它起课法", "SpeedButton6", bar);
        h->addWidget(SpeedButton6);
        break;
    }
    if (kind != ChartKind::Liuyao && kind != ChartKind::Qimen && kind != ChartKind::Jkj &&
        kind != ChartKind::Liuren)
        h->addStretch(1);
    // Controls of charts this build cannot draw yet stay visible but idle.
    if (!engineAvailable(kind))
        for (QWidget* w : bar->findChildren<QWidget*>())
            if (qobject_cast<QToolButton*>(w)) {
                w->setEnabled(false);
                w->setToolTip(q(tabCaption(kind)) + "排盘尚未提供");
            }
    return bar;
}

void TFrmMain::buildMenus() {
    QMenu* file = menuBar()->addMenu("文件(&F)");
    file->addAction("保存记录", this, &TFrmMain::SaveCurrentChart);
    file->addSeparator();
    file->addAction("导入历史记录", this, &TFrmMain::FileImportClick);
    file->addAction("导出历史记录", this, &TFrmMain::FileExportClick);
    file->addAction("清除历史记录", this, &TFrmMain::FileClearClick);
    file->addSeparator();
    file->addAction("退出程序", this, &QWidget::close);

    QMenu* tools = menuBar()->addMenu("辅助工具(&T)");
    for (const char* item : {"易经卦爻辞", "求干支", "经纬度设置", "万年历"}) tools->addAction(item)->setEnabled(false);

    QMenu* options = menuBar()->addMenu("选项(&O)");
    QMenu* look = options->addMenu("命稿设置");
    look->addAction("默认", this, &TFrmMain::LookDefaultClick);
    look->addAction("字体设置", this, &TFrmMain::LookFontClick);
    look->addAction("背景色设置", this, &TFrmMain::LookBackgroundClick);
    QMenu* settings = options->addMenu("排盘设置");
    const char* pages[] = {"子平八字", "紫微斗数", "中国星命", "奇门遁甲", "金口诀", "大六壬"};
    for (int i = 0; i < 6; ++i) settings->addAction(pages[i], this, [this, i] { OpenChartSettings(i); });
    options->addAction("命稿结尾信息", this, [this] { OpenClosingText(); });

    QMenu* help = menuBar()->addMenu("帮助(&H)");
    help->addAction("软件帮助", this, &TFrmMain::HelpClick);

    PopRedt = buildTextMenu();
    popimg = buildPictureMenu(ChartKind::Ziwei);
    PopZhangX = buildPictureMenu(ChartKind::Xming);
    PopList = buildListMenu();
}

QMenu* TFrmMain::buildTextMenu() {
    auto* m = new QMenu(this);
    m->setObjectName("PopRedt");
    m->addAction("撤销", this, &TFrmMain::TextUndoClick);
    m->addSeparator();
    m->addAction("复制", this, &TFrmMain::TextCopyClick);
    m->addAction("粘贴", this, &TFrmMain::TextPasteClick);
    m->addAction("剪切", this, &TFrmMain::TextCutClick);
    m->addAction("删除", this, &TFrmMain::TextDeleteClick);
    m->addAction("全选", this, &TFrmMain::TextSelectAllClick);
    m->addSeparator();
    m->addAction("设置选中文字", this, &TFrmMain::TextStyleSelectionClick);
    m->addAction("导入文本文件", this, &TFrmMain::TextImportClick);
    m->addAction("另存为", this, &TFrmMain::TextSaveAsClick);
    m->addAction("打印", this, &TFrmMain::TextPrintClick);
    return m;
}

QMenu* TFrmMain::buildPictureMenu(ChartKind kind) {
    auto* m = new QMenu(this);
    m->setObjectName(kind == ChartKind::Ziwei ? "popimg" : "PopZhangX");
    m->addAction("复制", this, [this, kind] { PictureCopyClick(kind); });
    m->addAction("另存为...", this, [this, kind] { PictureSaveAsClick(kind); });
    m->addAction("打印", this, [this, kind] { PicturePrintClick(kind); });
    return m;
}

void TFrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShown_) {
        firstShown_ = true;
        firstShow();
    }
}

void TFrmMain::firstShow() {
    // The window settings stay open, written through, until the window closes.
    pinit_ = openWindowSettings(home_);
    int left = pinit_.get(pinit::winposLeft), top = pinit_.get(pinit::winposTop);
    int width = pinit_.get(pinit::winposWidth), height = pinit_.get(pinit::winposHeight);
    QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    width = std::clamp(width, minimumWidth(), std::max(minimumWidth(), screen.width()));
    height = std::clamp(height, minimumHeight(), std::max(minimumHeight(), screen.height()));
    setGeometry(left, top, width, height);
    int state = pinit_.get(pinit::winposState);
    if (state == 2) setWindowState(Qt::WindowMaximized);
    ApplyLook(q(pinit_.get(pinit::minggaoFname)), pinit_.get(pinit::minggaoFsize), pinit_.get(pinit::minggaoBcolor));
    for (int k = 0; k < kChartKindCount; ++k) {
        auto* split = qobject_cast<QSplitter*>(ListView[std::size_t(k)]->parentWidget());
        if (split) split->setSizes({pinit_.get(pinit::listWidth[std::size_t(k)]), 600});
    }
    // The star-fate picture starts as a white field in a black frame.
    xmingCanvas_->SetBrush(0xFFFFFF, false);
    xmingCanvas_->SetPenColour(0);
    xmingCanvas_->Rectangle(0, 0, kXmingWidth, kXmingHeight);
    Imgzhanxing->setPixmap(QPixmap::fromImage(xmingCanvas_->image()));
    fillAllHistoryLists();
}

void TFrmMain::closeEvent(QCloseEvent* event) {
    for (int k = 0; k < kChartKindCount; ++k) {
        TabState& t = tabs_[std::size_t(k)];
        if (t.viewed && t.surface->IsModified() &&
            Ui::current().question(this, "历史记录文本已改变，要保存吗？", "提示", BoxIcon::Warning))
            saveNote(*t.surface, t.notePath);
    }
    if (pinit_.path().empty()) pinit_ = openWindowSettings(home_);
    if (windowState() == Qt::WindowNoState) {
        QRect g = normalGeometry();
        pinit_.set(pinit::winposLeft, g.left());
        pinit_.set(pinit::winposTop, g.top());
        pinit_.set(pinit::winposWidth, g.width());
        pinit_.set(pinit::winposHeight, g.height());
    }
    pinit_.set(pinit::winposState, isMaximized() ? 2 : isMinimized() ? 1 : 0);
    QFont font = Redtbazi->font();
    pinit_.set(pinit::minggaoFname, font.family().toStdString());
    pinit_.set(pinit::minggaoFsize, font.pointSize());
    pinit_.set(pinit::minggaoBcolor, surface(ChartKind::Bazi).background());
    for (int k = 0; k < kChartKindCount; ++k)
        pinit_.set(pinit::listWidth[std::size_t(k)], ListView[std::size_t(k)]->width());
    if (!pinit_.save())
        Ui::current().message(this, QString::fromStdString(pinit_.lastError()), "错误", BoxIcon::Error);
    if (bzLiu_) bzLiu_->close();
    event->accept();
}

} // namespace varrow
