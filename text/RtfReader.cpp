#include "text/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "text/Gbk.h"
#include "text/RichText.h"

namespace varrow {
namespace {

// Destinations whose content is not document text.
constexpr std::string_view kSkippedDestinations[] = {"info",
                                                     "stylesheet",
                                                     "pict",
                                                     "header",
                                                     "footer",
                                                     "headerl",
                                                     "headerr",
                                                     "footerl",
                                                     "footerr",
                                                     "footnote",
                                                     "object",
                                                     "themedata",
                                                     "colorschememapping",
                                                     "latentstyles",
                                                     "datastore",
                                                     "xmlnstbl",
                                                     "listtable",
                                                     "listoverridetable",
                                                     "rsidtbl",
                                                     "generator",
                                                     "filetbl",
                                                     "revtbl",
                                                     "pgdsctbl",
                                                     "fldinst",
                                                     "shp",
                                                     "shpinst",
                                                     "background",
                                                     "template",
                                                     "mmathPr",
                                                     "pnseclvl",
                                                     "listtext"};

// Control characters other than line breaks and tabs are not document text.
std::string withoutControls(std::string s) {
    std::erase_if(s, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t'; });
    return s;
}

struct GroupState {
    TextStyle style;
    int ucSkip = 1;
    enum Kind { Text, FontTable, ColourTable, Skip } kind = Text;
};

class Reader {
public:
    Reader(std::string_view in, RichText& doc) : in_(in), doc_(doc) {
        base_.style = doc.defaultStyle();
        base_.style.font = doc.fontName();
    }

    bool run() {
        std::vector<GroupState> stack{base_};
        while (pos_ < in_.size()) {
            char c = in_[pos_];
            if (c == '{') {
                flush(stack.back());
                stack.push_back(stack.back());
                ++pos_;
                if (stack.back().kind == GroupState::FontTable) fontEntry_.clear(), fontNumber_ = -1;
            } else if (c == '}') {
                flush(stack.back());
                if (stack.back().kind == GroupState::FontTable && fontNumber_ >= 0) finishFont();
                stack.pop_back();
                ++pos_;
                if (stack.empty()) return true;
            } else if (c == '\\') {
                control(stack);
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                pending_ += c;
                ++pos_;
            }
        }
        flush(stack.back());
        return true;
    }

private:
    void control(std::vector<GroupState>& stack) {
        GroupState& g = stack.back();
        ++pos_;
        if (pos_ >= in_.size()) return;
        char c = in_[pos_];
        if (c == '\'') {
            if (pos_ + 2 < in_.size() + 0 && std::isxdigit(static_cast<unsigned char>(in_[pos_ + 1])) &&
                std::isxdigit(static_cast<unsigned char>(in_[pos_ + 2]))) {
                pending_ += static_cast<char>(std::stoi(std::string(in_.substr(pos_ + 1, 2)), nullptr, 16));
                pos_ += 3;
            } else {
                ++pos_;
            }
            return;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            if (c == '*') {
                // An optional destination we do not know is skipped whole.
                g.kind = GroupState::Skip;
            } else if (c == '\\' || c == '{' || c == '}') {
                pending_ += c;
            } else if (c == '~') {
                pending_ += ' ';
            }
            return;
        }
        std::size_t start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) ++pos_;
        std::string_view word = in_.substr(start, pos_ - start);
        bool hasArg = false;
        int arg = 0;
        std::size_t argStart = pos_;
        if (pos_ < in_.size() && (in_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(in_[pos_])))) {
            ++pos_;
            while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) ++pos_;
            std::string digits(in_.substr(argStart, pos_ - argStart));
            hasArg = digits != "-";
            if (hasArg) arg = static_cast<int>(std::strtol(digits.c_str(), nullptr, 10));
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        apply(stack, word, hasArg, arg);
    }

    void apply(std::vector<GroupState>& stack, std::string_view word, bool hasArg, int arg) {
        GroupState& g = stack.back();
        if (g.kind == GroupState::Skip) return;
        if (word == "fonttbl") {
            g.kind = GroupState::FontTable;
            return;
        }
        if (word == "colortbl") {
            g.kind = GroupState::ColourTable;
            colours_.clear();
            red_ = green_ = blue_ = 0;
            return;
        }
        for (std::string_view d : kSkippedDestinations)
            if (word == d) {
                flush(g);
                g.kind = GroupState::Skip;
                return;
            }
        if (g.kind == GroupState::FontTable) {
            if (word == "f" && hasArg) fontNumber_ = arg;
            return;
        }
        if (g.kind == GroupState::ColourTable) {
            flush(g);
            // A component outside 0..255 would spill into its neighbours.
            int v = std::clamp(arg, 0, 255);
            if (word == "red") red_ = v;
            if (word == "green") green_ = v;
            if (word == "blue") blue_ = v;
            return;
        }
        flush(g);
        if (word == "par" || word == "line") {
            pending_ += '\n';
        } else if (word == "tab") {
            pending_ += '\t';
        } else if (word == "plain") {
            g.style = base_.style;
        } else if (word == "f" && hasArg) {
            for (auto& [n, name] : fonts_)
                if (n == arg) g.style.font = name;
        } else if (word == "fs" && hasArg) {
            g.style.size = std::clamp(arg / 2, 1, 1638);
        } else if (word == "cf" && hasArg) {
            g.style.colour = arg >= 0 && arg < static_cast<int>(colours_.size()) ? colours_[arg] : 0;
        } else if (word == "b") {
            g.style.bold = !hasArg || arg != 0;
        } else if (word == "uc" && hasArg) {
            g.ucSkip = arg;
        } else if (word == "u" && hasArg) {
            unicode(static_cast<char32_t>(arg < 0 ? arg + 65536 : arg));
            skipFallback(g.ucSkip);
        }
        flush(g);
    }

    void unicode(char32_t u) {
        if (u >= 0xD800 && u < 0xDC00) {
            highSurrogate_ = u;
            return;
        }
        if (u >= 0xDC00 && u < 0xE000 && highSurrogate_) {
            u = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (u - 0xDC00);
        }
        highSurrogate_ = 0;
        unicodeText_ += toUtf8(std::u32string_view(&u, 1));
    }

    void skipFallback(int n) {
        for (int k = 0; k < n && pos_ < in_.size(); ++k) {
            if (in_[pos_] == '\\' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '\'')
                pos_ += 4;
            else if (in_[pos_] == '{' || in_[pos_] == '}')
                break;
            else
                ++pos_;
        }
    }

    // Hands the text gathered so far to the document in the group's style.
    void flush(GroupState& g) {
        if (g.kind == GroupState::ColourTable) {
            // Each ";" closes one entry; an empty first entry is "auto" (black here).
            for (char c : pending_)
                if (c == ';') {
                    colours_.push_back(red_ | (green_ << 8) | (blue_ << 16));
                    red_ = green_ = blue_ = 0;
                }
            pending_.clear();
            return;
        }
        if (g.kind == GroupState::FontTable) {
            fontEntry_ += pending_;
            pending_.clear();
            return;
        }
        if (g.kind == GroupState::Skip) {
            pending_.clear();
            unicodeText_.clear();
            return;
        }
        if (!pending_.empty()) doc_.append(withoutControls(Gbk::toUtf8(pending_)), g.style);
        if (!unicodeText_.empty()) doc_.append(withoutControls(unicodeText_), g.style);
        pending_.clear();
        unicodeText_.clear();
    }

    void finishFont() {
        std::string name = Gbk::toUtf8(fontEntry_);
        if (auto semi = name.find(';'); semi != std::string::npos) name.resize(semi);
        while (!name.empty() && name.front() == ' ') name.erase(name.begin());
        fonts_.emplace_back(fontNumber_, name);
        fontEntry_.clear();
        fontNumber_ = -1;
    }

    std::string_view in_;
    RichText& doc_;
    GroupState base_;
    std::size_t pos_ = 0;
    std::string pending_;     // GBK bytes not yet appended
    std::string unicodeText_; // UTF-8 from \u escapes not yet appended
    char32_t highSurrogate_ = 0;
    std::vector<std::pair<int, std::string>> fonts_;
    std::string fontEntry_;
    int fontNumber_ = -1;
    std::vector<int> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
};

} // namespace

bool isRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

bool readRtf(std::string_view bytes, RichText& doc) {
    if (!isRtf(bytes)) return false;
    return Reader(bytes, doc).run();
}

} // namespace varrow
