// The chart settings dialog: six pages of radio groups over dat/set.ini.
// It reads every key at opening and writes every key on "确认", whatever
// page is shown, so one confirmation leaves a complete file.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>

#include "settings/IniFile.h"
#include "settings/Settings.h"

class QButtonGroup;
class QFrame;
class QTabWidget;

namespace varrow {

class TFrmSetcan : public QDialog {
    Q_OBJECT
public:
    // page 0 子平八字, 1 紫微斗数, 2 中国星命, 3 奇门遁甲, 4 金口诀, 5 大六壬.
    TFrmSetcan(std::filesystem::path home, int page, QWidget* parent = nullptr);

    static constexpr int kPages = 6;
    int currentPage() const;
    // The value the dialog holds for a key of setini::dialogKeys (what was
    // read, or the user's choice since).
    int value(const IntKey& key) const;

private:
    static constexpr std::size_t kKeys = setini::dialogKeys.size();

    void BuildWidgets(int page);
    QWidget* BuildPage(int page);
    void ShowValues();
    void ShowColour();

    void BtnOkClick();
    void BtnDefaultClick(int page);
    void BtnColorClick();
    void RadioClick(std::size_t key, int choice);

    std::filesystem::path home_;
    IniFile set_;
    std::array<int, kKeys> values_{};
    std::array<QButtonGroup*, kKeys> groups_{}; // null for the colour key
    QFrame* ShpColor = nullptr;
    QTabWidget* PageControl = nullptr;
};

} // namespace varrow
