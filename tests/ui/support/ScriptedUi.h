// A Ui for tests: records every box and returns scripted answers, so no
// test ever blocks on a modal dialog.
#pragma once

#include <QStringList>
#include <deque>
#include <optional>

#include "widgets/Ui.h"

namespace varrow::test {

struct Box {
    QString kind; // "message", "question", "input", "open", "save", "folder", "font", "colour", "print", "open-doc"
    QString text, title;
    BoxIcon icon = BoxIcon::None;
};

class ScriptedUi : public Ui {
public:
    ScriptedUi() { Ui::install(this); }
    ~ScriptedUi() override { Ui::install(nullptr); }

    // Answers, taken in order; a missing answer means No / cancel.
    std::deque<bool> questions;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::pair<QString, int>> files; // path, filter index
    std::deque<QString> folders;
    std::deque<std::optional<QFont>> fonts;
    std::deque<std::optional<QColor>> colours;
    std::deque<bool> printers;
    bool openDocumentResult = true;
    QString printToPdf; // when set, an accepted print dialog prints into this PDF file

    std::vector<Box> boxes;
    const Box* last() const { return boxes.empty() ? nullptr : &boxes.back(); }
    void clear() { boxes.clear(); }

    void message(QWidget*, const QString& text, const QString& title, BoxIcon icon) override;
    bool question(QWidget*, const QString& text, const QString& title, BoxIcon icon) override;
    std::optional<QString> inputText(QWidget*, const QString& title, const QString& label,
                                     const QString& initial) override;
    QString openFile(QWidget*, const QString& title, const QString& filter, int* filterIndex) override;
    QString saveFile(QWidget*, const QString& title, const QString& filter, int* filterIndex) override;
    QString chooseFolder(QWidget*, const QString& title) override;
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial, QColor* colour) override;
    std::optional<QColor> chooseColour(QWidget*, const QColor& initial) override;
    bool choosePrinter(QWidget*, QPrinter& printer) override;
    bool openDocument(const QString& path) override;

private:
    void record(const QString& kind, const QString& text, const QString& title, BoxIcon icon = BoxIcon::None);
};

} // namespace varrow::test
