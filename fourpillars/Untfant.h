// The reverse lookup: from four pillars and a start year to the first birth
// date and hour that give them. "排八字" accepts the dialog; the caller then
// reads foundDate() and male() into its input panel.
#pragma once

#include <QDialog>
#include <array>

#include "calendar/GanZhi.h"
#include "calendar/Yidate.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace varrow {

class TFrmFanTui : public QDialog {
    Q_OBJECT
public:
    TFrmFanTui(const FourPillars& pillars, bool male, QWidget* parent = nullptr);

    // The moment found by the last successful search (astronomical year,
    // the even hour of the branch plus 5 minutes).
    const SolarDate& foundDate() const { return found_; }
    bool male() const;
    // The pillars of the last search that passed the checks.
    const FourPillars& pillars() const { return pillars_; }

    static constexpr int kFirstYear = -849, kLastYear = 2100, kStartYear = 1950;

private:
    void BuildWidgets();
    void SelectPillars(const FourPillars& p);
    void ShowYear();
    void TakeTypedYear();

    void BtnchaClick();
    void UpyearClick(int step);

    std::array<QComboBox*, 4> cbotian{};
    std::array<QComboBox*, 4> cbodi{};
    QRadioButton* Rdona1 = nullptr;
    QRadioButton* Rdonv1 = nullptr;
    QLineEdit* Edtyear = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Btncha = nullptr;
    QPushButton* Btnpai = nullptr;

    int upyear_ = kStartYear; // the stepper's position, astronomical
    FourPillars pillars_;
    SolarDate found_;
};

} // namespace varrow
