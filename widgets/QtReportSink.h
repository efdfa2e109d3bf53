// The report surface of a text tab: a ReportSink over a QTextEdit.
// Positions are QString positions of the document; a line break counts one.
#pragma once

#include <QTextCharFormat>

#include "text/ReportSink.h"
#include "text/RichText.h"

class QTextEdit;
class QTextDocument;

namespace varrow {

class QtReportSink : public ReportSink {
public:
    explicit QtReportSink(QTextEdit* edit);

    void Clear() override;
    int BaseFontSize() const override;
    void SetDefaultStyle(int size, int colour, bool bold) override;
    void SetText(const std::string& utf8) override;
    int TextLength() const override;
    int FindText(const std::string& utf8, int from, int count) const override;
    void Select(int start, int length) override;
    void SetSelectionColour(int colour) override;
    void SetSelectionSize(int size) override;
    void SetSelectionBold(bool bold) override;
    void Home() override;
    int CaretLine() const override;
    bool IsModified() const override;
    void SetModified(bool modified) override;
    bool LoadFile(const std::string& path) override;
    bool SaveFile(const std::string& path, bool plain) override;
    void SetFont(const std::string& name, int size) override;
    void SetBackground(int colour) override;

    QTextEdit* edit() const { return edit_; }
    int background() const { return background_; }

    // The document as the core's styled model, and back.
    RichText toRichText() const;
    void setRichText(const RichText& doc);

private:
    void mergeSelection(const QTextCharFormat& format);

    QTextEdit* edit_;
    QTextCharFormat defaultFormat_;
    int background_ = 0xFFFFFF;
};

// The core's model of any document (spans of font, size, colour, bold).
RichText richTextOf(const QTextDocument& doc);

} // namespace varrow
