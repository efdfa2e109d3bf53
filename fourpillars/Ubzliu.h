// The flowing-months window: the years of a native's life on the left, the
// twelve solar-term months of the chosen year with every day's pillar on the
// right. Not modal and on top; it deletes itself on close, so the caller keeps
// it in a QPointer and creates a new one when the pointer is empty.
#pragma once

#include <QWidget>

class QListWidget;
class QTreeWidget;

namespace varrow {

class TFrmBzLiu : public QWidget {
    Q_OBJECT
public:
    // birthYear astronomical (1900 .. 2099 when the main window opens it),
    // startAge the age the first luck cycle begins.
    TFrmBzLiu(int birthYear, int startAge, QWidget* parent = nullptr);

    int birthYear() const { return birthYear_; }

private:
    void BuildWidgets();
    void LstYearClick(int row);
    void ShowTree(int year);
    // The message box must not hide behind a window that stays on top.
    void SetStayOnTop(bool on);

    int birthYear_;
    int startAge_;
    QListWidget* LstYear = nullptr;
    QTreeWidget* Treemd = nullptr;
};

} // namespace varrow
