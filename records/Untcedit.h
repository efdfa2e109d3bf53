// The category editor: one category a line, written to section classes of
// the main window's open dat/pinit.ini.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace varrow {

class IniFile;

class TFrmClassEdit : public QDialog {
    Q_OBJECT
public:
    explicit TFrmClassEdit(IniFile& pinit, QWidget* parent = nullptr);

    void BtnSaveClick();

    // The lines of the text box as a list box holds them: none for an empty
    // box, and no extra empty line after a final line break.
    static std::vector<std::string> categoryLines(const QString& text);

private:
    void BuildWidgets();

    IniFile& pinit_;
    QPlainTextEdit* MemoClass = nullptr;
};

} // namespace varrow
