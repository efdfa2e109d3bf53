#include "records/DialogFields.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "chart/InputRules.h"
#include "widgets/Ui.h"
#include "text/Gbk.h"

namespace varrow {
namespace {

int bytesOf(const QString& text) { return int(Gbk::byteLength(text.toStdString())); }

// The longest prefix of piece, in whole code points, whose stored form fits into budget bytes.
qsizetype fittingPrefix(const QString& piece, int budget) {
    qsizetype i = 0;
    while (i < piece.size()) {
        qsizetype step = piece[i].isHighSurrogate() && i + 1 < piece.size() ? 2 : 1;
        int cost = piece[i] == '\n' ? 2 : bytesOf(piece.mid(i, step));
        if (cost > budget) break;
        budget -= cost;
        i += step;
    }
    return i;
}

} // namespace

void limitBytes(QLineEdit* edit, int bytes) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, bytes](const QString& text) {
        if (bytesOf(text) <= bytes) return;
        int cursor = edit->cursorPosition();
        edit->setText(QString::fromStdString(Gbk::truncate(text.toStdString(), std::size_t(bytes))));
        edit->setCursorPosition(std::min(cursor, int(edit->text().size())));
    });
}

void limitBytes(QComboBox* editableCombo, int bytes) {
    if (QLineEdit* edit = editableCombo->lineEdit()) limitBytes(edit, bytes);
}

void limitBytes(QPlainTextEdit* box, int bytes) {
    // Only the newly inserted piece is cut, so the text already there stays
    // whole wherever the caret is.
    auto accepted = std::make_shared<QString>(box->toPlainText());
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, bytes, accepted] {
        QString now = box->toPlainText();
        int total = storedByteLength(now);
        if (total <= bytes) {
            *accepted = now;
            return;
        }
        const QString& before = *accepted;
        qsizetype head = 0;
        qsizetype limit = std::min(before.size(), now.size());
        while (head < limit && before[head] == now[head]) ++head;
        qsizetype tail = 0;
        while (tail < limit - head && before[before.size() - 1 - tail] == now[now.size() - 1 - tail]) ++tail;
        if (head > 0 && now[head - 1].isHighSurrogate()) --head;
        QString inserted = now.mid(head, now.size() - head - tail);
        int budget = bytes - (total - storedByteLength(inserted));
        qsizetype keep = budget > 0 ? fittingPrefix(inserted, budget) : 0;
        QTextCursor cut(box->document());
        cut.setPosition(int(head + keep));
        cut.setPosition(int(head + inserted.size()), QTextCursor::KeepAnchor);
        cut.removeSelectedText(); // emits textChanged again, now within the limit
        *accepted = box->toPlainText();
    });
}

std::string storedLines(const QString& boxText) {
    QString crlf = boxText;
    crlf.replace('\n', "\r\n");
    return crlf.toStdString();
}

QString boxLines(const std::string& stored) {
    QString text = QString::fromStdString(stored);
    text.replace("\r\n", "\n");
    return text;
}

int storedByteLength(const QString& boxText) { return bytesOf(boxText) + int(boxText.count('\n')); }

void showCheck(QWidget* parent, const CheckResult& r) {
    BoxIcon icon = BoxIcon::None;
    switch (r.icon) {
    case MessageIcon::Information:
        icon = BoxIcon::Information;
        break;
    case MessageIcon::Warning:
        icon = BoxIcon::Warning;
        break;
    case MessageIcon::Error:
        icon = BoxIcon::Error;
        break;
    case MessageIcon::None:
        break;
    }
    Ui::current().message(parent, QString::fromStdString(r.message), QString::fromStdString(r.title), icon);
    if (r.focus.empty() || !parent) return;
    if (auto* w = parent->findChild<QWidget*>(QString::fromStdString(r.focus))) w->setFocus();
}

} // namespace varrow
