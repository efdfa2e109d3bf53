// The formatted-text surface a text chart engine writes its report into.
// Positions count characters of the surface's own text (Unicode code points
// of the UTF-8 text here; a line break counts one). Colours are 24-bit
// integers with red in the low byte, sizes are points.
#pragma once

#include <string>

namespace varrow {

class ReportSink {
public:
    virtual ~ReportSink() = default;

    // Removes all text.
    virtual void Clear() = 0;
    // The surface's font size, as the user set it.
    virtual int BaseFontSize() const = 0;
    // Style of text placed afterwards.
    virtual void SetDefaultStyle(int size, int colour, bool bold) = 0;
    // Replaces the whole content by a multi-line text ("\n" between lines)
    // in the default style.
    virtual void SetText(const std::string& utf8) = 0;
    // GBK byte length of the content with each line break written as "\r\n";
    // only ever used as the end of search ranges, so it may exceed the number
    // of positions.
    virtual int TextLength() const = 0;
    // First position p >= from of an exact, case-sensitive match lying wholly
    // within the count positions from `from`, or -1.
    virtual int FindText(const std::string& utf8, int from, int count) const = 0;
    virtual void Select(int start, int length) = 0;
    virtual void SetSelectionColour(int colour) = 0;
    virtual void SetSelectionSize(int size) = 0;
    virtual void SetSelectionBold(bool bold) = 0;
    // Empty selection at position 0, caret there, surface focused.
    virtual void Home() = 0;
    // 0-based line of the caret.
    virtual int CaretLine() const = 0;
    // The user-edit flag.
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
    // Rich text file in and out; `plain` writes the bare text in GBK.
    virtual bool LoadFile(const std::string& path) = 0;
    virtual bool SaveFile(const std::string& path, bool plain) = 0;
    // Appearance of the whole surface.
    virtual void SetFont(const std::string& name, int size) = 0;
    virtual void SetBackground(int colour) = 0;
};

} // namespace varrow
