// An in-memory styled document: text plus runs of font, size, colour and
// bold. It is the ReportSink of the command-line tool and of the tests, and
// writes plain text, RTF (code page 936) and HTML.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/ReportSink.h"

namespace varrow {

struct TextStyle {
    std::string font = "宋体";
    int size = 12;
    int colour = 0;
    bool bold = false;

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// A maximal run of characters in one style; start and length in positions.
struct StyledSpan {
    int start = 0;
    int length = 0;
    TextStyle style;

    friend bool operator==(const StyledSpan&, const StyledSpan&) = default;
};

class RichText : public ReportSink {
public:
    static constexpr int kWhite = 0xFFFFFF;

    RichText();

    // ReportSink
    void Clear() override;
    int BaseFontSize() const override { return baseSize_; }
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
    bool IsModified() const override { return modified_; }
    void SetModified(bool modified) override { modified_ = modified; }
    bool LoadFile(const std::string& path) override;
    bool SaveFile(const std::string& path, bool plain) override;
    void SetFont(const std::string& name, int size) override;
    void SetBackground(int colour) override { background_ = colour; }

    // The model.
    int size() const { return static_cast<int>(text_.size()); }
    std::string text() const; // UTF-8, "\n" between lines
    std::vector<StyledSpan> spans() const;
    const TextStyle& styleAt(int position) const { return styles_[styleOf_[position]]; }
    const TextStyle& defaultStyle() const { return styles_[defaultStyle_]; }
    const std::string& fontName() const { return fontName_; }
    int background() const { return background_; }
    int selectionStart() const { return selStart_; }
    int selectionLength() const { return selLength_; }
    // Appends text in a style ("\r\n" and a lone "\r" become "\n"); readers use it.
    void append(std::string_view utf8, const TextStyle& style);

    // Output forms.
    std::string toPlainText() const { return text(); }
    std::string toRtf() const;  // 7-bit RTF, GBK bytes as \'hh escapes
    std::string toHtml() const; // UTF-8
    // The bare text in GBK with "\r\n" line breaks, as plain saving writes it.
    std::string toGbkText() const;

private:
    std::uint16_t intern(const TextStyle& style);
    template <class F> void restyleSelection(F change);

    std::u32string text_;
    std::vector<std::uint16_t> styleOf_; // style index of each position
    std::vector<TextStyle> styles_;      // interned styles
    std::uint16_t defaultStyle_ = 0;
    std::string fontName_ = "宋体";
    int baseSize_ = 12;
    int background_ = kWhite;
    int selStart_ = 0;
    int selLength_ = 0;
    bool modified_ = false;
};

// UTF-8 <-> code points (malformed bytes become U+FFFD).
std::u32string toCodePoints(std::string_view utf8);
std::string toUtf8(std::u32string_view codePoints);

} // namespace varrow
