// The closing-text dialog: edits dat/EndInfo.txt and the switch that makes
// the text engines append it (global/endinfo of dat/set.ini).
#pragma once

#include <QDialog>
#include <filesystem>

class QCheckBox;
class QPlainTextEdit;

namespace varrow {

class TFrmEndfo : public QDialog {
    Q_OBJECT
public:
    explicit TFrmEndfo(std::filesystem::path home, QWidget* parent = nullptr);

private:
    void BuildWidgets();
    void BtnOkClick();

    std::filesystem::path home_;
    QPlainTextEdit* MemoInfo = nullptr;
    QCheckBox* ChkAdd = nullptr;
};

} // namespace varrow
