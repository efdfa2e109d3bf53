// The main window: seven chart tabs over one input panel, the menus, and the
// dispatch of a request to the chart engines.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "calendar/Yidate.h"
#include "records/Database.h"
#include "records/RecordImage.h"
#include "chart/ChartKinds.h"
#include "chart/ChartRequest.h"
#include "settings/IniFile.h"
#include "chart/InputRules.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace varrow {

class QtCanvas;
class QtReportSink;


class TFrmMain : public QMainWindow {
    Q_OBJECT

public:
    // home: the program directory, whose dat/ holds the settings and records.
    explicit TFrmMain(std::filesystem::path home, QWidget* parent = nullptr);
    ~TFrmMain() override;

    // What a tab shows and whether it shows a saved record's note.
    struct TabState {
        bool viewed = false;
        std::int32_t recordId = -1;
        std::string notePath;
        QtReportSink* surface = nullptr;
    };

    // The chart runs and the checks they start with.
    void BtnpaiClick();
    bool RunBirthChart();
    bool RunQuestionChart(int mode);
    CheckResult ReadCoordinates(float& longitude, float& latitude) const;
    void OpenChartSettings(int page);
    void OpenClosingText();

    // State the tests and the record actions look at.
    const std::filesystem::path& home() const { return home_; }
    bool birthChartValid() const { return birthChartValid_; }
    bool questionChartValid() const { return questionChartValid_; }
    const ChartRequest& birthRequest() const { return birthRequest_; }
    const ChartRequest& questionRequest() const { return questionRequest_; }
    const RecordImage& pendingRecord() const { return pending_; }
    TabState& tabState(ChartKind kind) { return tabs_[std::size_t(kind)]; }
    QtReportSink& surface(ChartKind kind) { return *tabs_[std::size_t(kind)].surface; }
    QtCanvas& ziweiCanvas() { return *ziweiCanvas_; }
    QtCanvas& xmingCanvas() { return *xmingCanvas_; }
    QTabWidget* pages() const { return PageControl1; }
    IniFile& windowSettings() { return pinit_; }
    const std::array<std::uint8_t, 4>& lastPillars() const { return pillars_; }

    // Output actions.
    void ApplyLook(const QString& fontName, int fontSize, int background);
    void LookDefaultClick();
    void LookFontClick();
    void LookBackgroundClick();
    void TextUndoClick();
    void TextCopyClick();
    void TextPasteClick();
    void TextCutClick();
    void TextDeleteClick();
    void TextSelectAllClick();
    void TextStyleSelectionClick();
    void TextImportClick();
    void TextSaveAsClick();
    void TextPrintClick();
    void PictureCopyClick(ChartKind kind);
    void PictureSaveAsClick(ChartKind kind);
    void PicturePrintClick(ChartKind kind);
    void HelpClick();

    // Saved charts.
    void SaveCurrentChart();
    void FillHistoryList(ChartKind kind, const std::vector<std::int32_t>& ids);
    void HistoryViewClick();
    void HistoryEditClick();
    void HistoryDeleteClick();
    void HistoryClassesClick();
    void HistorySearchClick();
    void FileImportClick();
    void FileExportClick();
    void FileClearClick();
    QTreeWidget* historyList(ChartKind kind) const { return ListView[std::size_t(kind)]; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Construction, one place per part of the window.
    void buildPanel(QWidget* panel);
    void buildTabs();
    QWidget* buildTab(ChartKind kind);
    QWidget* buildBar(ChartKind kind);
    void buildMenus();
    QMenu* buildTextMenu();
    QMenu* buildPictureMenu(ChartKind kind);
    void firstShow();
    void setupHistoryList(ChartKind kind);
    QMenu* buildListMenu();
    QTreeWidgetItem* rowOf(const RecordImage& r, ChartKind kind) const;
    void fillAllHistoryLists();
    std::int32_t selectedRecordId(bool tellWhenNone);
    std::string notePathOf(ChartKind kind, std::int32_t id) const;
    bool saveNote(QtReportSink& sink, const std::string& path);
    void fillFromRecord(const RecordImage& r, ChartKind kind);
    void stopViewing();

    // Panel handlers.
    void UpDyearClick(int position);
    void SbtoNowClick();
    void cbodiZClick(int index);
    void cbodiCClick(int index);
    void SBtoShiClick();
    void PageControl1Change(int index);
    void SbtoFanTuiClick();
    void SbtoBzLiuClick();
    void limitBytes(QLineEdit* edit, int bytes);

    // Reading the panel.
    bool checkCommon();
    void readCommon(ChartRequest& r) const;
    void showCheck(const CheckResult& r);
    bool askSaveModifiedNote(ChartKind kind);
    ChartKind currentKind() const;
    void refreshChartButton();
    void fillPanelDate(const SolarDate& d, bool isMale);

    std::filesystem::path home_;
    IniFile pinit_;
    bool firstShown_ = false;

    bool birthChartValid_ = false;
    bool questionChartValid_ = false;
    bool writeReport_ = true;
    std::array<TabState, kChartKindCount> tabs_;
    ChartRequest birthRequest_;
    ChartRequest questionRequest_;
    RecordImage pending_{};
    std::array<std::uint8_t, 4> pillars_{};
    std::int32_t baziBirthYear_ = 0, baziSecond_ = 0;
    std::vector<CityCoordinates> cityCoordinates_;
    MDataBase db_;
    SearchCriteria criteria_;

    std::unique_ptr<QtCanvas> ziweiCanvas_, xmingCanvas_;
    std::array<std::unique_ptr<QtReportSink>, kChartKindCount> sinks_;
    QPointer<QWidget> bzLiu_; // the flowing-months window, while open

    // Tabs and surfaces.
    QTabWidget* PageControl1 = nullptr;
    std::array<QTreeWidget*, kChartKindCount> ListView{};
    QTextEdit *Redtbazi = nullptr, *Redtziwei = nullptr, *Redtxingming = nullptr, *Redtliuyao = nullptr,
              *Redtqimen = nullptr, *Redtjkj = nullptr, *Redtdlr = nullptr;
    QLabel *Imgziwei = nullptr, *Imgzhanxing = nullptr;
    QScrollArea *ScrollZiwei = nullptr, *ScrollXming = nullptr;
    QMenu *PopRedt = nullptr, *popimg = nullptr, *PopZhangX = nullptr, *PopList = nullptr;

    // Panel.
    QLineEdit* EdtYear = nullptr;
    QSpinBox* UpDyear = nullptr;
    QComboBox *cbom = nullptr, *cbod = nullptr, *cbos = nullptr, *cbomin = nullptr;
    QRadioButton *Rdogl = nullptr, *Rdonl = nullptr, *Rdona = nullptr, *Rdonv = nullptr;
    QCheckBox *Chkrun = nullptr, *ChkSun = nullptr;
    QLineEdit* Edtname = nullptr;
    QComboBox *cbodiZ = nullptr, *cbodiC = nullptr;
    QLineEdit *ledtjing = nullptr, *ledtwei = nullptr;
    QToolButton *SbtoNow = nullptr, *SbtoSave = nullptr;
    QPushButton* Btnpai = nullptr;

    // Tab bars.
    QToolButton *SbtoFanTui = nullptr, *SbtoBzLiu = nullptr, *SbtoZw_liu = nullptr, *SBtoShi = nullptr,
                *SpeedButton6 = nullptr;
    std::array<QToolButton*, 5> castButtons{};
    QLineEdit* LedtLiu = nullptr;
    QRadioButton *Rdo_zw_arg = nullptr, *Rdo_zw_year = nullptr;
    QComboBox* Cboshiqu = nullptr;
    std::array<QLineEdit*, 4> LedtEvent{};
    QComboBox *CboQiMenCustom = nullptr, *CboYy = nullptr, *CboDiFen = nullptr, *CboYy2 = nullptr,
              *CboZhanShi = nullptr;
    QLineEdit* LedtYear = nullptr;
};

} // namespace varrow
