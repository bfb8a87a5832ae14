// A plain, allocation-heavy model of the arithmetic on text, written straight from
// its rules, to check the interpreter's optimised evaluation against.
#pragma once

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/strings.h"

namespace ml::reference {

inline bool digitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }

inline bool levelOperator(char c, int level) {
    if (level == 1) return c == '^';
    if (level == 2) return c == '*' || c == '/' || c == '%';
    return c == '+' || c == '-';
}

// nullopt where the run ends with an error: a division by 0, a remainder by a right
// operand whose integer part is 0, a power that is not a finite number.
inline std::optional<std::string> CountB(std::string text) {
    for (int level = 1; level <= 3; ++level) {
        std::size_t from = 0;
        for (;;) {
            std::size_t i = from;
            while (i < text.size() && !(levelOperator(text[i], level) && !(i == 0 && text[i] == '-'))) ++i;
            if (i >= text.size()) break;
            std::size_t start = i;
            if (i > 0) {
                std::size_t k = i - 1;
                while (k > 0 && digitOrPoint(text[k])) --k;
                start = k == 0 ? 0 : (text[k] == '-' && text[k - 1] == '-') ? k : k + 1;
            }
            std::size_t end = i + 1;
            if (end < text.size() && text[end] == '-') ++end;
            while (end < text.size() && digitOrPoint(text[end])) ++end;
            std::string left = text.substr(start, i - start), right = text.substr(i + 1, end - i - 1);
            if (InCountChar(left, '.') > 1 || InCountChar(right, '.') > 1) return Clip(text);
            double a = ParseDecimal(left), b = ParseDecimal(right);
            double value = 0;
            switch (text[i]) {
                case '^':
                    value = std::pow(a, b);
                    if (!std::isfinite(value)) return std::nullopt;
                    break;
                case '*': value = a * b; break;
                case '/':
                    if (b == 0) return std::nullopt;
                    value = a / b;
                    break;
                case '+': value = a + b; break;
                case '-': value = a - b; break;
                default: {
                    // Whole numbers as atoll reads them, so exact up to 2^53.
                    long long x = std::atoll(left.c_str()), y = std::atoll(right.c_str());
                    if (y == 0) return std::nullopt;
                    value = y == -1 ? 0.0 : static_cast<double>(x % y);
                }
            }
            NumberBuffer buffer;
            std::string result(FormatFixed(value, buffer));
            std::string next = text.substr(0, start) + result + text.substr(end);
            from = next == text ? i + 1 : 0;
            text = next;
        }
    }
    return Clip(text);
}

inline std::optional<std::string> CountA(std::string text) {
    if (text.empty()) return "0";
    for (auto open = text.rfind('('); open != std::string::npos; open = text.rfind('(')) {
        auto close = text.find(')', open + 1);
        std::size_t stop = close == std::string::npos ? text.size() : close + 1;
        std::size_t inner = close == std::string::npos ? text.size() : close;
        auto value = CountB(text.substr(open + 1, inner - open - 1));
        if (!value) return std::nullopt;
        text.replace(open, stop - open, *value);
    }
    return CountB(text);
}

}  // namespace ml::reference
