// The category dialog of a new saved chart: a category from the list of
// dat/pinit.ini (or a typed one) and a remark.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QPlainTextEdit;

namespace varrow {

class IniFile;
struct RecordImage;

class TFrmFenLei : public QDialog {
    Q_OBJECT
public:
    // pinit: the main window's open dat/pinit.ini, for the categories.
    explicit TFrmFenLei(const IniFile& pinit, QWidget* parent = nullptr);

    // After confirmation: the category and the remark (lines separated by "\r\n"), UTF-8.
    std::string category() const;
    std::string remark() const;
    // Puts both into the record's fields.
    void fillRecord(RecordImage& record) const;

    void BtnOkClick();

private:
    void BuildWidgets();

    QPlainTextEdit* MemoInfo = nullptr;
    QComboBox* CboClass = nullptr;
};

} // namespace varrow
