#include "text/RichText.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "text/Gbk.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"

namespace varrow {

std::u32string toCodePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = n > 0 && i + n <= s.size();
        for (int k = 1; ok && k < n; ++k) {
            unsigned char t = static_cast<unsigned char>(s[i + k]);
            ok = (t & 0xC0) == 0x80;
            cp = (cp << 6) | (t & 0x3F);
        }
        out.push_back(ok ? cp : U'\uFFFD');
        i += ok ? n : 1;
    }
    return out;
}

std::string toUtf8(std::u32string_view cps) {
    std::string out;
    out.reserve(cps.size() * 3);
    for (char32_t c : cps) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

RichText::RichText() { Clear(); }

std::uint16_t RichText::intern(const TextStyle& style) {
    auto it = std::find(styles_.begin(), styles_.end(), style);
    if (it != styles_.end()) return static_cast<std::uint16_t>(it - styles_.begin());
    styles_.push_back(style);
    return static_cast<std::uint16_t>(styles_.size() - 1);
}

void RichText::Clear() {
    TextStyle def = styles_.empty() ? TextStyle{fontName_, baseSize_, 0, false} : defaultStyle();
    text_.clear();
    styleOf_.clear();
    styles_.assign(1, def);
    defaultStyle_ = 0;
    selStart_ = selLength_ = 0;
    modified_ = false;
}

void RichText::SetDefaultStyle(int size, int colour, bool bold) {
    defaultStyle_ = intern(TextStyle{fontName_, size, colour, bold});
}

void RichText::append(std::string_view utf8, const TextStyle& style) {
    std::uint16_t id = intern(style);
    std::u32string cps = toCodePoints(utf8);
    text_.reserve(text_.size() + cps.size());
    for (std::size_t i = 0; i < cps.size(); ++i) {
        char32_t c = cps[i];
        if (c == U'\r') {
            if (i + 1 < cps.size() && cps[i + 1] == U'\n') continue;
            c = U'\n';
        }
        text_.push_back(c);
        styleOf_.push_back(id);
    }
}

void RichText::SetText(const std::string& utf8) {
    TextStyle def = defaultStyle();
    text_.clear();
    styleOf_.clear();
    styles_.assign(1, def);
    defaultStyle_ = 0;
    append(utf8, def);
    selStart_ = selLength_ = 0;
}

int RichText::TextLength() const {
    // GBK holds every character in one byte (ASCII) or two; a character GBK
    // lacks is written as a two-byte replacement.
    int n = 0;
    for (char32_t c : text_) n += c == U'\n' ? 2 : c < 0x80 ? 1 : 2;
    return n;
}

int RichText::FindText(const std::string& utf8, int from, int count) const {
    std::u32string needle = toCodePoints(utf8);
    if (needle.empty() || from < 0 || count <= 0 || from >= size()) return -1;
    std::size_t end = std::min<std::size_t>(text_.size(), static_cast<std::size_t>(from) + count);
    std::size_t p = text_.find(needle, from);
    if (p == std::u32string::npos || p + needle.size() > end) return -1;
    return static_cast<int>(p);
}

void RichText::Select(int start, int length) {
    int n = size();
    selStart_ = std::clamp(start, 0, n);
    selLength_ = std::clamp(length, 0, n - selStart_);
}

template <class F> void RichText::restyleSelection(F change) {
    // Restyle through a small cache: a selection usually spans few styles.
    std::vector<std::pair<std::uint16_t, std::uint16_t>> seen;
    for (int i = selStart_; i < selStart_ + selLength_; ++i) {
        std::uint16_t old = styleOf_[i];
        auto hit = std::find_if(seen.begin(), seen.end(), [old](auto& p) { return p.first == old; });
        if (hit == seen.end()) {
            TextStyle s = styles_[old];
            change(s);
            seen.emplace_back(old, intern(s));
            hit = seen.end() - 1;
        }
        styleOf_[i] = hit->second;
    }
}

void RichText::SetSelectionColour(int colour) {
    restyleSelection([colour](TextStyle& s) { s.colour = colour; });
}
void RichText::SetSelectionSize(int size) {
    restyleSelection([size](TextStyle& s) { s.size = size; });
}
void RichText::SetSelectionBold(bool bold) {
    restyleSelection([bold](TextStyle& s) { s.bold = bold; });
}

void RichText::Home() { selStart_ = selLength_ = 0; }

int RichText::CaretLine() const {
    // The caret sits at the end of the selection.
    auto end = text_.begin() + selStart_ + selLength_;
    return static_cast<int>(std::count(text_.begin(), end, U'\n'));
}

void RichText::SetFont(const std::string& name, int size) {
    fontName_ = name;
    baseSize_ = size;
    for (TextStyle& s : styles_) s.font = name;
}

std::string RichText::text() const { return toUtf8(text_); }

std::vector<StyledSpan> RichText::spans() const {
    std::vector<StyledSpan> out;
    for (int i = 0; i < size();) {
        int j = i;
        while (j < size() && styles_[styleOf_[j]] == styles_[styleOf_[i]]) ++j;
        out.push_back({i, j - i, styles_[styleOf_[i]]});
        i = j;
    }
    return out;
}

std::string RichText::toGbkText() const {
    std::string utf8;
    utf8.reserve(text_.size() * 3);
    for (const char c : text()) {
        if (c == '\n') utf8 += '\r';
        utf8 += c;
    }
    return Gbk::fromUtf8(utf8);
}

std::string RichText::toRtf() const { return writeRtf(*this); }

namespace {

std::string htmlColour(int colour) {
    static constexpr char hex[] = "0123456789abcdef";
    int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    std::string s = "#";
    for (int v : {r, g, b}) {
        s += hex[v >> 4];
        s += hex[v & 15];
    }
    return s;
}

void appendEscaped(std::string& out, std::string_view utf8) {
    for (char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

} // namespace

std::string RichText::toHtml() const {
    std::string out =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n</head>\n<body style=\"background:";
    out += htmlColour(background_);
    out += "\">\n<pre style=\"white-space:pre-wrap;margin:0;font-family:";
    appendEscaped(out, "'" + fontName_ + "'");
    out += ",serif\">";
    for (const StyledSpan& span : spans()) {
        out += "<span style=\"font-size:" + std::to_string(span.style.size) +
               "pt;color:" + htmlColour(span.style.colour);
        if (span.style.bold) out += ";font-weight:bold";
        if (span.style.font != fontName_) {
            out += ";font-family:";
            appendEscaped(out, "'" + span.style.font + "'");
        }
        out += "\">";
        appendEscaped(out, toUtf8(std::u32string_view(text_).substr(span.start, span.length)));
        out += "</span>";
    }
    out += "</pre>\n</body>\n</html>\n";
    return out;
}

bool RichText::SaveFile(const std::string& path, bool plain) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    std::string bytes = plain ? toGbkText() : toRtf();
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

bool RichText::LoadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return false;
    if (isRtf(bytes)) {
        RichText doc;
        doc.SetFont(fontName_, baseSize_);
        doc.SetDefaultStyle(defaultStyle().size, defaultStyle().colour, defaultStyle().bold);
        if (!readRtf(bytes, doc)) return false;
        *this = std::move(doc);
    } else {
        // Not rich text: the bare text in GBK, in the default style.
        SetText(Gbk::toUtf8(bytes));
    }
    selStart_ = selLength_ = 0;
    modified_ = false;
    return true;
}

} // namespace varrow
