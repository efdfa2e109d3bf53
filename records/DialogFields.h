// What the record dialogs share about their fields: byte limits (the record
// fields hold GBK, so limits count GBK bytes, two per Chinese character, and
// a line break in a text box counts as the "\r\n" the record stores), the
// stored form of a text box, and the box of a failed check.
#pragma once

#include <QString>
#include <string>

class QComboBox;
class QWidget;
class QLineEdit;
class QPlainTextEdit;

namespace varrow {

struct CheckResult;

// Cuts typed or pasted text that would take the control past bytes.
void limitBytes(QLineEdit* edit, int bytes);
void limitBytes(QComboBox* editableCombo, int bytes);
void limitBytes(QPlainTextEdit* box, int bytes);

// A text box's text as the record stores it ("\r\n" line ends, UTF-8), and back.
std::string storedLines(const QString& boxText);
QString boxLines(const std::string& stored);

// GBK bytes of a text as stored ("\n" counted as "\r\n").
int storedByteLength(const QString& boxText);

// Shows the box of a failed input check and moves the focus to the control it names.
void showCheck(QWidget* parent, const CheckResult& r);

} // namespace varrow
