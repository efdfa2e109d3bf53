#include "widgets/Ui.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <QUrl>

namespace varrow {
namespace {

Ui* installed = nullptr;

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Error: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

int filterIndexOf(const QString& qtFilters, const QString& chosen) {
    return std::max(0, int(qtFilters.split(";;").indexOf(chosen)));
}

} // namespace

QColor toQColor(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
int fromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

QString qtFilter(const QString& pipeFilter) {
    QStringList parts = pipeFilter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + parts[i + 1] + ")";
    return out.join(";;");
}

void Ui::showMessage(QWidget* parent, const QString& text) {
    message(parent, text, kApplicationTitle, BoxIcon::None);
}

Ui& Ui::current() {
    static QtUi real;
    return installed ? *installed : real;
}

void Ui::install(Ui* ui) { installed = ui; }

void QtUi::message(QWidget* parent, const QString& text, const QString& title, BoxIcon icon) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtUi::question(QWidget* parent, const QString& text, const QString& title, BoxIcon icon) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtUi::inputText(QWidget* parent, const QString& title, const QString& label,
                                       const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

QString QtUi::openFile(QWidget* parent, const QString& title, const QString& filter, int* filterIndex) {
    QString filters = qtFilter(filter), chosen;
    QString path = QFileDialog::getOpenFileName(parent, title, QString(), filters, &chosen);
    if (filterIndex) *filterIndex = filterIndexOf(filters, chosen);
    return path;
}

QString QtUi::saveFile(QWidget* parent, const QString& title, const QString& filter, int* filterIndex) {
    QString filters = qtFilter(filter), chosen;
    // No default extension: the caller appends the filter's own.
    QString path = QFileDialog::getSaveFileName(parent, title, QString(), filters, &chosen,
                                                QFileDialog::DontConfirmOverwrite);
    if (filterIndex) *filterIndex = filterIndexOf(filters, chosen);
    return path;
}

QString QtUi::chooseFolder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title);
}

std::optional<QFont> QtUi::chooseFont(QWidget* parent, const QFont& initial, QColor* colour) {
    QFontDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (colour) *colour = colour->isValid() ? *colour : QColor(Qt::black);
    return dialog.selectedFont();
}

std::optional<QColor> QtUi::chooseColour(QWidget* parent, const QColor& initial) {
    QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

bool QtUi::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::openDocument(const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace varrow
