#include "support/ScriptedUi.h"

#include <QPrinter>

namespace varrow::test {

void ScriptedUi::record(const QString& kind, const QString& text, const QString& title, BoxIcon icon) {
    boxes.push_back(Box{kind, text, title, icon});
}

void ScriptedUi::message(QWidget*, const QString& text, const QString& title, BoxIcon icon) {
    record("message", text, title, icon);
}

bool ScriptedUi::question(QWidget*, const QString& text, const QString& title, BoxIcon icon) {
    record("question", text, title, icon);
    if (questions.empty()) return false;
    bool a = questions.front();
    questions.pop_front();
    return a;
}

std::optional<QString> ScriptedUi::inputText(QWidget*, const QString& title, const QString& label,
                                             const QString&) {
    record("input", label, title);
    if (inputs.empty()) return std::nullopt;
    bool given = inputs.front().has_value();
    QString value = inputs.front().value_or(QString());
    inputs.pop_front();
    if (!given) return std::nullopt;
    return value;
}

QString ScriptedUi::openFile(QWidget*, const QString& title, const QString& filter, int* filterIndex) {
    record("open", filter, title);
    if (files.empty()) return {};
    auto [path, index] = files.front();
    files.pop_front();
    if (filterIndex) *filterIndex = index;
    return path;
}

QString ScriptedUi::saveFile(QWidget*, const QString& title, const QString& filter, int* filterIndex) {
    record("save", filter, title);
    if (files.empty()) return {};
    auto [path, index] = files.front();
    files.pop_front();
    if (filterIndex) *filterIndex = index;
    return path;
}

QString ScriptedUi::chooseFolder(QWidget*, const QString& title) {
    record("folder", {}, title);
    if (folders.empty()) return {};
    QString a = folders.front();
    folders.pop_front();
    return a;
}

std::optional<QFont> ScriptedUi::chooseFont(QWidget*, const QFont&, QColor*) {
    record("font", {}, {});
    if (fonts.empty()) return std::nullopt;
    auto a = fonts.front();
    fonts.pop_front();
    return a;
}

std::optional<QColor> ScriptedUi::chooseColour(QWidget*, const QColor&) {
    record("colour", {}, {});
    if (colours.empty()) return std::nullopt;
    auto a = colours.front();
    colours.pop_front();
    return a;
}

bool ScriptedUi::choosePrinter(QWidget*, QPrinter& printer) {
    record("print", {}, {});
    if (printers.empty()) return false;
    bool a = printers.front();
    printers.pop_front();
    if (a && !printToPdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToPdf);
    }
    return a;
}

bool ScriptedUi::openDocument(const QString& path) {
    record("open-doc", path, {});
    return openDocumentResult;
}

} // namespace varrow::test
