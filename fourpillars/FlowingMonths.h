// The contents of the flowing-months window: the years of a life, and for
// one year its twelve solar-term months with every day's pillar.
#pragma once

#include <string>
#include <vector>

namespace varrow::bazi {

// One item per year from the birth year (astronomical) to startAge + 78
// years on: "2000年-庚辰(1岁)".
std::vector<std::string> flowingYearList(int birthYear, int startAge);

struct MonthNode {
    std::string text;              // "1月-戊寅 2000年2月4日20时40分-2000年3月5日14时43分"
    std::vector<std::string> days; // "2月4日-癸巳", one per civil day of the month
};

// The tree of a year. False with the message for a year outside 1900 .. 2099.
bool flowingMonthTree(int year, std::vector<MonthNode>& months, std::string& message);

} // namespace varrow::bazi
