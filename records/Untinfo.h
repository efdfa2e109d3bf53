// The record edit dialog: the stored fields of one saved chart, laid out like
// the input panel. It edits a copy; the caller writes it back on confirmation.
#pragma once

#include <QDialog>
#include <filesystem>

#include "records/RecordImage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

namespace varrow {

class IniFile;

class TFrmInfo : public QDialog {
    Q_OBJECT
public:
    // home: the program directory (for the places file); pinit: the main
    // window's open dat/pinit.ini (for the categories). The question field is
    // enabled only with questionEnabled (the question kinds).
    TFrmInfo(std::filesystem::path home, const IniFile& pinit, const RecordImage& record,
             bool questionEnabled, QWidget* parent = nullptr);

    // The edited copy; complete once the dialog ended confirmed.
    const RecordImage& record() const { return record_; }

    void BtnSaveClick();
    void cbodiZClick(int index);
    void UpDyearClick(int position);

private:
    void BuildWidgets();
    void ShowRecord();
    // Checks and copies the controls into the record, in order; false at the first failure.
    bool ReadControls();

    std::filesystem::path home_;
    RecordImage record_;
    bool questionEnabled_;

    QLineEdit* EdtYear = nullptr;
    QSpinBox* UpDyear = nullptr;
    QComboBox *cbom = nullptr, *cbod = nullptr, *cbos = nullptr, *cbomin = nullptr;
    QRadioButton *Rdogl = nullptr, *Rdonl = nullptr;
    QCheckBox* Chkrun = nullptr;
    QRadioButton *Rdona = nullptr, *Rdonv = nullptr;
    QComboBox *cbodiZ = nullptr, *cbodiC = nullptr;
    QLineEdit *Edtname = nullptr, *ledtjing = nullptr, *ledtwei = nullptr, *LedtEvent = nullptr;
    QComboBox* CboClass = nullptr;
    QPlainTextEdit* MemoInfo = nullptr;
};

} // namespace varrow
