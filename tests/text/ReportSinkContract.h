// The contract every ReportSink meets: the same operations give the same
// text, styled spans and caret. RichText runs it here; the shell's
// QTextEdit sink runs the same cases, reading its spans its own way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "text/ReportSink.h"

namespace varrow::contract {

struct Span {
    int start, length, size, colour;
    bool bold;
    friend bool operator==(const Span&, const Span&) = default;
};

struct Case {
    const char* name;
    std::function<void(ReportSink&)> apply; // starts from a sink with base size 12
    std::string text;                       // the content afterwards, "\n" between lines
    std::vector<Span> spans;                // maximal runs of one style
    int caretLine;
};

inline std::vector<Case> reportSinkCases() {
    constexpr int red = 255, blue = 0xFF0000;
    return {
        {"engine report",
         [](ReportSink& s) {
             s.Clear();
             s.SetDefaultStyle(s.BaseFontSize(), 0, false);
             s.SetText("命主\n乾造  己卯\n排大运：\n三命通会论断：x");
             int T = s.TextLength();
             int p = s.FindText("三命通会论断", 0, T);
             s.Select(p, T - p + 1); // past the end: clamped
             s.SetSelectionSize(s.BaseFontSize() - 2);
             int a = s.FindText("造  ", 0, T);
             s.Select(a - 1, 6);
             s.SetSelectionColour(red);
             int c = s.FindText("排大运", a, T - a);
             s.Select(c, 4);
             s.SetSelectionColour(blue);
             s.SetSelectionBold(true);
             s.Home();
         },
         "命主\n乾造  己卯\n排大运：\n三命通会论断：x",
         {{0, 3, 12, 0, false},
          {3, 6, 12, red, false},
          {9, 1, 12, 0, false},
          {10, 4, 12, blue, true},
          {14, 1, 12, 0, false},
          {15, 8, 10, 0, false}},
         0},
        {"line breaks count one",
         [](ReportSink& s) {
             s.SetDefaultStyle(s.BaseFontSize(), 0, false);
             s.SetText("甲\r\n乙\n丙");
             s.Select(s.FindText("丙", 0, s.TextLength()), 1);
             s.SetSelectionBold(true);
         },
         "甲\n乙\n丙",
         {{0, 4, 12, 0, false}, {4, 1, 12, 0, true}},
         2},
        {"find stays inside its range",
         [](ReportSink& s) {
             s.SetDefaultStyle(9, blue, false);
             s.SetText("大运 大运");
             // The second match ends one position past the range, so nothing is found and nothing styled.
             int p = s.FindText("大运", 1, 3);
             if (p >= 0) {
                 s.Select(p, 2);
                 s.SetSelectionColour(red);
             }
             s.Select(s.FindText("大运", 1, 4), 2);
             s.SetSelectionSize(14);
         },
         "大运 大运",
         {{0, 3, 9, blue, false}, {3, 2, 14, blue, false}},
         0},
    };
}

} // namespace varrow::contract
