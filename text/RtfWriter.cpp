#include "text/RtfWriter.h"

#include <algorithm>
#include <vector>

#include "text/Gbk.h"
#include "text/RichText.h"

namespace varrow {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void appendHexByte(std::string& out, unsigned char b) {
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

// \uN takes a signed 16-bit value; characters beyond the BMP go as a
// surrogate pair. "?" is the fallback a reader without Unicode shows.
void appendUnicode(std::string& out, char32_t c) {
    auto unit = [&out](unsigned u) {
        out += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(u))) + "?";
    };
    if (c < 0x10000) {
        unit(static_cast<unsigned>(c));
    } else {
        c -= 0x10000;
        unit(0xD800 + (c >> 10));
        unit(0xDC00 + (c & 0x3FF));
    }
}

// Text in code page 936: ASCII as is (with the three RTF specials escaped),
// everything else as its GBK bytes, or \uN when GBK lacks the character.
void appendText(std::string& out, std::u32string_view text) {
    for (char32_t c : text) {
        if (c == U'\\' || c == U'{' || c == U'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == U'\n') {
            out += "\\par\r\n";
        } else if (c == U'\t') {
            out += "\\tab ";
        } else if (c < 0x20) {
            continue;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            std::string gbk = Gbk::fromUtf8(toUtf8(std::u32string_view(&c, 1)));
            bool lacking = gbk == "\xA3\xBF" && c != U'\uFF1F';
            if (lacking) {
                appendUnicode(out, c);
            } else {
                for (char b : gbk) appendHexByte(out, static_cast<unsigned char>(b));
            }
        }
    }
}

void appendFontName(std::string& out, const std::string& name) { appendText(out, toCodePoints(name)); }

template <class T> int indexOf(std::vector<T>& list, const T& value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end()) return static_cast<int>(it - list.begin());
    list.push_back(value);
    return static_cast<int>(list.size() - 1);
}

} // namespace

std::string writeRtf(const RichText& doc) {
    std::vector<StyledSpan> spans = doc.spans();
    std::vector<std::string> fonts{doc.fontName()};
    std::vector<int> colours{0};
    for (const StyledSpan& s : spans) {
        indexOf(fonts, s.style.font);
        indexOf(colours, s.style.colour);
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang2052\\viewbksp1\r\n{\\fonttbl";
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset134 ";
        appendFontName(out, fonts[i]);
        out += ";}";
    }
    // Entry 0 of the colour table stays "auto"; \cfN counts from 1.
    out += "}\r\n{\\colortbl ;";
    for (int c : colours)
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ";";
    out += "}\r\n";
    // The page colour, in the drawing-object form Word and LibreOffice read;
    // fillColor takes the same red-in-the-low-byte integer we keep.
    out += "{\\*\\background{\\shp{\\*\\shpinst{\\sp{\\sn fillColor}{\\sv " +
           std::to_string(doc.background()) + "}}{\\sp{\\sn fillType}{\\sv 0}}}}}\r\n";
    out += "\\uc1\\pard\\plain\\f0\\fs" + std::to_string(doc.BaseFontSize() * 2) + "\r\n";

    std::u32string text = toCodePoints(doc.text());
    for (const StyledSpan& s : spans) {
        out += "\\f" + std::to_string(indexOf(fonts, s.style.font));
        out += "\\fs" + std::to_string(s.style.size * 2);
        out += "\\cf" + std::to_string(indexOf(colours, s.style.colour) + 1);
        out += s.style.bold ? "\\b " : "\\b0 ";
        appendText(out, std::u32string_view(text).substr(s.start, s.length));
    }
    out += "\r\n}\r\n";
    return out;
}

} // namespace varrow
