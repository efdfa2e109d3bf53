#include "widgets/QtReportSink.h"

#include <QFile>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "widgets/Ui.h"
#include "text/Gbk.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

namespace varrow {
namespace {

QString q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }
std::string s(const QString& text) { return text.toUtf8().toStdString(); }

QTextCharFormat formatOf(const TextStyle& style) {
    QTextCharFormat f;
    f.setFontFamilies({q(style.font)});
    f.setFontPointSize(style.size);
    f.setForeground(toQColor(style.colour));
    f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    return f;
}

TextStyle styleOf(const QTextCharFormat& f, const QFont& base) {
    TextStyle style;
    QStringList families = f.fontFamilies().toStringList();
    style.font = s(families.isEmpty() ? base.family() : families.first());
    double size = f.fontPointSize();
    style.size = size > 0 ? int(size + 0.5) : base.pointSize();
    style.colour = f.hasProperty(QTextFormat::ForegroundBrush) ? fromQColor(f.foreground().color()) : 0;
    style.bold = f.fontWeight() >= QFont::Bold;
    return style;
}

// The plain text with each block separator as "\n" (one position).
QString plainOf(const QTextDocument& doc) {
    QString text = doc.toPlainText();
    text.replace(QChar::ParagraphSeparator, '\n');
    text.replace(QChar::LineSeparator, '\n');
    return text;
}

} // namespace

RichText richTextOf(const QTextDocument& doc) {
    RichText out;
    out.SetFont(s(doc.defaultFont().family()), doc.defaultFont().pointSize());
    QFont base = doc.defaultFont();
    bool first = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!first) out.append("\n", styleOf(block.charFormat(), base));
        first = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, '\n');
            out.append(s(text), styleOf(fragment.charFormat(), base));
        }
    }
    return out;
}

QtReportSink::QtReportSink(QTextEdit* edit) : edit_(edit) {
    defaultFormat_.setForeground(QColor(Qt::black));
}

void QtReportSink::Clear() { edit_->clear(); }

int QtReportSink::BaseFontSize() const { return edit_->font().pointSize(); }

void QtReportSink::SetDefaultStyle(int size, int colour, bool bold) {
    defaultFormat_ = QTextCharFormat();
    defaultFormat_.setFontFamilies({edit_->font().family()});
    defaultFormat_.setFontPointSize(size);
    defaultFormat_.setForeground(toQColor(colour));
    defaultFormat_.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    edit_->setCurrentCharFormat(defaultFormat_);
}

void QtReportSink::SetText(const std::string& utf8) {
    edit_->clear();
    QTextCursor c(edit_->document());
    c.beginEditBlock();
    c.setBlockCharFormat(defaultFormat_);
    c.insertText(q(utf8), defaultFormat_);
    c.endEditBlock();
}

int QtReportSink::TextLength() const {
    QString text = plainOf(*edit_->document());
    return int(Gbk::byteLength(s(text))) + int(text.count('\n'));
}

int QtReportSink::FindText(const std::string& utf8, int from, int count) const {
    QString needle = q(utf8);
    QString text = plainOf(*edit_->document());
    if (needle.isEmpty() || from < 0 || count <= 0 || from >= text.size()) return -1;
    qsizetype p = text.indexOf(needle, from, Qt::CaseSensitive);
    qsizetype end = std::min<qsizetype>(text.size(), qsizetype(from) + count);
    if (p < 0 || p + needle.size() > end) return -1;
    return int(p);
}

void QtReportSink::Select(int start, int length) {
    int n = int(plainOf(*edit_->document()).size());
    start = std::clamp(start, 0, n);
    length = std::clamp(length, 0, n - start);
    QTextCursor c = edit_->textCursor();
    c.setPosition(start);
    c.setPosition(start + length, QTextCursor::KeepAnchor);
    edit_->setTextCursor(c);
}

void QtReportSink::mergeSelection(const QTextCharFormat& format) {
    QTextCursor c = edit_->textCursor();
    if (!c.hasSelection()) return;
    c.mergeCharFormat(format);
}

void QtReportSink::SetSelectionColour(int colour) {
    QTextCharFormat f;
    f.setForeground(toQColor(colour));
    mergeSelection(f);
}

void QtReportSink::SetSelectionSize(int size) {
    QTextCharFormat f;
    f.setFontPointSize(size);
    mergeSelection(f);
}

void QtReportSink::SetSelectionBold(bool bold) {
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    mergeSelection(f);
}

void QtReportSink::Home() {
    QTextCursor c = edit_->textCursor();
    c.setPosition(0);
    edit_->setTextCursor(c);
    edit_->setFocus();
}

int QtReportSink::CaretLine() const {
    // Lines of the report are its paragraphs, whatever the wrapping shows.
    QTextCursor c = edit_->textCursor();
    QTextCursor end(edit_->document());
    end.setPosition(c.position());
    return end.blockNumber();
}

bool QtReportSink::IsModified() const { return edit_->document()->isModified(); }

void QtReportSink::SetModified(bool modified) { edit_->document()->setModified(modified); }

bool QtReportSink::LoadFile(const std::string& path) {
    QFile file(q(path));
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes = file.readAll();
    std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    if (isRtf(view)) {
        RichText doc;
        if (!readRtf(view, doc)) return false;
        setRichText(doc);
    } else {
        SetText(Gbk::toUtf8(view));
    }
    return true;
}

bool QtReportSink::SaveFile(const std::string& path, bool plain) {
    RichText doc = toRichText();
    std::string bytes = plain ? doc.toGbkText() : writeRtf(doc);
    QFile file(q(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) return false;
    return file.flush();
}

void QtReportSink::SetFont(const std::string& name, int size) {
    QFont font(q(name), size);
    edit_->setFont(font);
    edit_->document()->setDefaultFont(font);
}

void QtReportSink::SetBackground(int colour) {
    background_ = colour;
    QPalette p = edit_->palette();
    p.setColor(QPalette::Base, toQColor(colour));
    edit_->setPalette(p);
}

RichText QtReportSink::toRichText() const {
    RichText doc = richTextOf(*edit_->document());
    doc.SetBackground(background_);
    return doc;
}

void QtReportSink::setRichText(const RichText& doc) {
    edit_->clear();
    QTextCursor c(edit_->document());
    c.beginEditBlock();
    std::string text = doc.text();
    std::u32string points = toCodePoints(text);
    for (const StyledSpan& span : doc.spans()) {
        std::string piece = toUtf8(std::u32string_view(points).substr(span.start, span.length));
        c.insertText(q(piece), formatOf(span.style));
    }
    c.endEditBlock();
}

} // namespace varrow
