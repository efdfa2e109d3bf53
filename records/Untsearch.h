// The search dialog of saved charts: edits the main window's kept search
// criteria and runs the store's search, showing an animation meanwhile.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "records/Database.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace varrow {

class IniFile;

class TFrmSearch : public QDialog {
    Q_OBJECT
public:
    // db: the store, already open on the tab's kind. criteria: the kept
    // criteria, shown at opening and rewritten by every search started here,
    // whether or not the dialog ends with a result. The question criterion is
    // enabled only with questionEnabled (the question kinds).
    TFrmSearch(MDataBase& db, const IniFile& pinit, SearchCriteria& criteria, bool questionEnabled,
               QWidget* parent = nullptr);

    // The ids found by the search that ended the dialog confirmed.
    const std::vector<std::int32_t>& ids() const { return ids_; }

    void BtnFindClick();
    void BtnAllClick();

private:
    void BuildWidgets();
    void ShowCriteria();
    // Copies the controls into the kept criteria, in order; false when a year is refused.
    bool CollectCriteria();
    // Collects and searches; true when ids were found and the user wants them listed.
    bool SearchAndAsk();
    void SetSearching(bool searching);

    MDataBase& db_;
    SearchCriteria& criteria_;
    bool questionEnabled_;
    std::vector<std::int32_t> ids_;

    QLineEdit* EdtName = nullptr;
    QCheckBox* ChkName = nullptr;
    QComboBox* CboClass = nullptr;
    QCheckBox* ChkClass = nullptr;
    QLineEdit* EdtEvent = nullptr;
    QCheckBox* ChkEvent = nullptr;
    QLineEdit *EdtYearFrom = nullptr, *EdtYearTo = nullptr;
    QRadioButton *RdoSexAll = nullptr, *RdoMale = nullptr, *RdoFemale = nullptr;
    QComboBox* CboProvince = nullptr;
    QProgressBar* AniSearch = nullptr;
    QPushButton *BtnAll = nullptr, *BtnFind = nullptr, *BtnClose = nullptr;
};

} // namespace varrow
