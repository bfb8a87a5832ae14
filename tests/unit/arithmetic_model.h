// The arithmetic on texts as the language states it, written apart from the evaluator
// (a parser by precedence, not a rewriting of the text) so that a rule the evaluator
// reads wrongly shows as a difference:
// - a text made only of numbers, points, brackets and + - * / % ^ is computed, any
//   other is kept as it is; an empty one is 0;
// - brackets first, then ^, then * / %, then + -; within a level from the left (the
//   language does not say; the program does so);
// - a minus at the start or right after an operator is its number's sign;
// - every result is a number text: at most six decimals, rounded, without trailing
//   zeros or point, and like every text cut to 255 bytes (a result is cut before the
//   next operation reads it; the language does not say, the program does so); an
//   operand is read from its text;
// - % cuts both sides to whole numbers and takes the sign of the left side;
// - no number for a result ends the run: "Division by zero", "Remainder by zero",
//   "Power gives no number", "Number too large".
// Texts the language gives no meaning to (a number with two points, an operator
// without both operands, a whole number beyond 2^53 on either side of %) are
// "unstated", and a test passes them over.
#pragma once

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace ml::model {

struct Outcome {
    std::string value;   // where the run goes on
    std::string error;   // the message's first words, where it ends
    bool unstated = false;
};

class Arithmetic {
public:
    static Outcome Of(std::string_view text) {
        if (text.empty()) return {"0", "", false};
        if (text.find_first_not_of("0123456789.()+-*/%^") != std::string_view::npos) return {std::string(text), "", false};
        Arithmetic a(text);
        std::string value = a.Sum();
        if (a.at_ != text.size()) a.unstated_ = true;
        if (a.unstated_) return {"", "", true};
        if (!a.error_.empty()) return {"", a.error_, false};
        return {value, "", false};
    }

private:
    explicit Arithmetic(std::string_view text) : text_(text) {}

    // After a failure the rest is still read, so that a malformed rest is told, but
    // no operation is applied.
    bool Ended() const { return !error_.empty() || unstated_; }
    char Next() const { return at_ < text_.size() ? text_[at_] : '\0'; }

    std::string Sum() {
        std::string left = Product();
        while (Next() == '+' || Next() == '-') {
            const char op = text_[at_++];
            left = Apply(op, left, Product());
        }
        return left;
    }
    std::string Product() {
        std::string left = Power();
        while (Next() == '*' || Next() == '/' || Next() == '%') {
            const char op = text_[at_++];
            left = Apply(op, left, Power());
        }
        return left;
    }
    std::string Power() {
        std::string left = Operand();
        while (Next() == '^') {
            ++at_;
            left = Apply('^', left, Operand());
        }
        return left;
    }
    // A number as written, or a bracket's value: either stays text until an
    // operation reads it.
    std::string Operand() {
        if (Next() == '(') {
            ++at_;
            std::string inner = Sum();
            if (Next() != ')') unstated_ = true;
            ++at_;
            return inner;
        }
        const std::size_t from = at_;
        if (Next() == '-') ++at_;
        int digits = 0, points = 0;
        for (; Next() != '\0' && (std::isdigit(static_cast<unsigned char>(Next())) || Next() == '.'); ++at_)
            (Next() == '.' ? points : digits) += 1;
        if (digits == 0 || points > 1) unstated_ = true;
        return std::string(text_.substr(from, at_ - from));
    }

    std::string Apply(char op, const std::string& left, const std::string& right) {
        if (Ended()) return "";
        const double a = std::strtod(left.c_str(), nullptr), b = std::strtod(right.c_str(), nullptr);
        double result = 0;
        switch (op) {
            case '+': result = a + b; break;
            case '-': result = a - b; break;
            case '*': result = a * b; break;
            case '/':
                if (b == 0) return Fail("Division by zero");
                result = a / b;
                break;
            case '%': return Remainder(a, b);
            default:
                result = std::pow(a, b);
                if (!std::isfinite(result)) return Fail("Power gives no number");
        }
        if (!std::isfinite(result)) return Fail("Number too large");
        return NumberText(result);
    }
    std::string Remainder(double a, double b) {
        const double x = std::trunc(a), y = std::trunc(b);
        if (std::fabs(x) >= 0x1p53 || std::fabs(y) >= 0x1p53) {
            unstated_ = true;
            return "";
        }
        if (y == 0) return Fail("Remainder by zero");
        return NumberText(std::fmod(x, y) + 0.0);
    }
    std::string Fail(const char* message) {
        error_ = message;
        return "";
    }

    static std::string NumberText(double value) {
        char text[400];
        std::snprintf(text, sizeof text, "%.6f", value);
        std::string number(text);
        number.erase(number.find_last_not_of('0') + 1);
        if (number.back() == '.') number.pop_back();
        return number.substr(0, 255);
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string error_;
    bool unstated_ = false;
};

}  // namespace ml::model
