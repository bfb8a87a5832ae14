// Each block of a script sets its values inside a loop and prints them, so its first
// pass runs every entry from its text and the later passes from the decoded forms:
// a difference between the two shows in the output. Loop counters carry the block's
// number, so blocks never change each other's passes; the values they share on
// purpose are the arrays and the functions.
#include "script_generator.h"

#include <cstdio>
#include <random>
#include <string_view>

namespace ml {

namespace {

// Bytes with a meaning to the loader or the evaluation, and the digits and letters the
// arithmetic and the case functions tell apart; any other byte comes uniformly.
constexpr int kTellingBytes[] = {0x00, 0x07, 0x09, 0x0a, 0x0d, 0x20, 0x22, 0x24, 0x25, 0x27,
                                               0x28, 0x29, 0x2a, 0x2b, 0x2c, 0x2d, 0x2e, 0x2f, 0x30, 0x39,
                                               0x3c, 0x3d, 0x3e, 0x40, 0x5b, 0x5c, 0x5e, 0x60, 0x7b, 0x7e};
constexpr std::string_view kCallPunctuation = "),(\"' ";
constexpr std::string_view kAlphabets[] = {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                                           "0123456789", "aZ09zA@[`{-.+ "};
constexpr std::string_view kNumbers[] = {"0", "1", "3", "7", "-2", "0.5", "-0.25", "2.75", "1.5", "-7", "10"};

// The module's functions and what each argument is: t a text, n a small number, s a
// text that is sought.
struct StringFunction {
    std::string_view name, arguments;
};
constexpr StringFunction kStringFunctions[] = {
    {"Mid", "tnn"},   {"Len", "t"},      {"Instr", "ts"},   {"InstrRev", "ts"}, {"Insert", "tnt"},
    {"Remove", "tnn"}, {"Replace", "tst"}, {"Trim", "t"},   {"Reverse", "t"},  {"Lower", "t"},
    {"Upper", "t"},   {"InCount", "ts"}, {"IsNumber", "t"}, {"Lmend", "tn"},   {"Rmend", "tn"},
    {"Split", "ts"},
};

// Returns stored alone, over the parameter $n: fractions, negatives, texts, escapes.
constexpr std::string_view kReturns[] = {
    "$n / 3", "0 - $n / 4", "$n * 0.5 - 1", "$n - 2.75", "-$n", "$n % 3", "$n ^ 0.5", "\"t\" $n",
    "$n \"\\x00\"", "1 / 7", "$n * $n / 9", "(0 - $n) * 1.5", "$n \"\\x2c\" $n", "\"\\x29\" $n",
};
constexpr std::string_view kArguments[] = {"$i", "$i - 2", "0.5", "-3", "$i / 2", "$i * -1.25", "\"x)\""};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : random_(seed) {}

    std::string Script() {
        const int blocks = 1 + Below(3);
        for (int k = 0; k < blocks; ++k) Block(k);
        return "#Import <dos>\n#Import <string>\n" + functions_ + body_;
    }

private:
    int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }
    void Line(std::string_view text) { (body_ += text) += '\n'; }

    void Block(int k) {
        const std::string i = "$i" + std::to_string(k);
        switch (Below(6)) {
            case 0: return EscapeJoins(i);
            case 1: return StoredResults(i);
            case 2: return PunctuatedArguments(i);
            case 3: return LettersThroughAFunction(i);
            case 4: return ComputedIndices(i, "$j" + std::to_string(k));
            default: return StoredArithmetic(i);
        }
    }

    // A loop of `count` passes around the lines `inside` adds.
    template <class Inside>
    void Loop(const std::string& counter, const std::string& condition, Inside inside) {
        Line(counter + " = " + (condition.find("<=") == std::string::npos ? "0" : "1"));
        Line("Cmp (" + condition + ")");
        inside();
        Line(counter + " = " + counter + " + 1");
        Line("Loop");
    }
    void Loop(const std::string& counter, int count, auto inside) {
        Loop(counter, counter + " < " + std::to_string(count), inside);
    }

    // Mostly the bytes that mean something, in either case of hexadecimal digit, and
    // now and then an escape the loader or the evaluation refuses.
    std::string Escape() {
        if (Below(200) == 0) return Below(2) ? "\\xg1" : "\\x4";
        const int byte = Below(2) ? Pick(kTellingBytes) : Below(256);
        char text[5];
        std::snprintf(text, sizeof text, Below(4) ? "\\x%02x" : "\\x%02X", byte);
        return text;
    }

    // A literal's content: letters, digits, a call's punctuation and escapes.
    std::string LiteralContent() {
        std::string text;
        for (int n = Below(6); n >= 0; --n) {
            switch (Below(4)) {
                case 0: text += Escape(); break;
                case 1: text += kCallPunctuation[Below(static_cast<int>(kCallPunctuation.size()))]; break;
                default: {
                    const std::string_view letters = Pick(kAlphabets);
                    text += letters[Below(static_cast<int>(letters.size()))];
                }
            }
        }
        // A raw quote ends the literal early, and one left open fails the whole load.
        for (char& c : text)
            if (c == '"' && Below(32) != 0) c = 'q';
        return text;
    }
    std::string Literal() { return '"' + LiteralContent() + '"'; }

    // $s = $s "..." joined pass after pass, measured whole and with a text beside it.
    void EscapeJoins(const std::string& i) {
        const std::string s = "$s" + i.substr(2);
        Line(s + " = " + (Below(2) ? "\"\"" : Literal()));
        Loop(i, 2 + Below(4), [&] {
            Line(Below(2) ? s + " = " + s + " \"" + Escape() + LiteralContent() + "\""
                          : s + " = " + Literal() + " " + s);
            Line("~Print(~Len(" + s + " \"\") \" \" ~Len(" + s + ") \"|\" " + s + " \"\\x0a\")");
        });
    }

    // $x = ~F(...) alone, then read in the ways a stored value is read.
    void StoredResults(const std::string& i) {
        const std::string name = "F" + std::to_string(functions_.size());
        functions_ += "Def: " + name + "($n)\n  Return " + std::string(Pick(kReturns)) + "\nEnd Def\n";
        Loop(i, 2 + Below(4), [&] {
            std::string argument(Pick(kArguments));
            if (argument.starts_with("$i")) argument.replace(0, 2, i);
            Line("$x = ~" + name + "(" + argument + ")");
            switch (Below(5)) {
                case 0: Line("~Print($x \"\\x0a\")"); break;
                // A result right after a variable, which the line then reads on with its name.
                case 4: Line("~Print($x ~" + name + "(" + argument + ") \"\\x0a\")"); break;
                case 1: Line("~Print($x)"); break;
                case 2: Line("$y = $x * 3\n~Print($y \" \")"); break;
                default: Line("Cmp ($x < 0.5)\n~Print(\"<\" $x)\nEnd");
            }
        });
    }

    // Literals holding ")", ",", "(" and quotes inside the arguments of calls.
    void PunctuatedArguments(const std::string& i) {
        if (!pairDefined_) functions_ += "Def: Pair($a, $b)\n  Return $a \"|\" $b\nEnd Def\n";
        pairDefined_ = true;
        Loop(i, 2 + Below(3), [&] {
            Line("$x = ~Pair(" + Literal() + ", " + (Below(2) ? i : Literal()) + ")");
            Line("~Print($x \"|\" ~Len(" + Literal() + ") \"|\" ~Replace(" + Literal() + ", \")\", " +
                 Literal() + ") \"\\x0a\")");
        });
    }

    // Every byte of an alphabet, one pass each, through one string function.
    void LettersThroughAFunction(const std::string& i) {
        const StringFunction& f = Pick(kStringFunctions);
        Line("$t = \"" + std::string(Pick(kAlphabets)) + "\"");
        Loop(i, i + " <= ~Len($t)", [&] {
            Line("$c = ~Mid($t, " + i + ", 1)");
            std::string call = "~" + std::string(f.name) + "(";
            for (std::size_t k = 0; k < f.arguments.size(); ++k) {
                if (k > 0) call += ", ";
                const char kind = f.arguments[k];
                if (kind == 'n') call += Below(2) ? i : std::to_string(Below(5));
                else if (kind == 's') call += Below(2) ? "$c" : Literal();
                else call += k == 0 && Below(2) ? "$c" : "$t";
            }
            Line("$r = " + call + ")");
            Line("~Print($r \"|\")");
        });
        Line("~Print(\"\\x0a\")");
    }

    // Elements written and read back at indices computed from two loop counters.
    void ComputedIndices(const std::string& i, const std::string& j) {
        const int columns = 2 + Below(3);
        const std::string width = std::to_string(columns);
        const std::string indices[] = {j, i + " * " + width + " + " + j, i + " * 3 + " + j, j + " - " + i,
                                       i + " % 2", i + "][" + j};
        const std::string index = Pick(indices);
        const std::string values[] = {j + " + $p", i + " * " + j, "$p - " + j + " / 2", "\"v\" " + j};
        // Some scripts also name elements by the values of others.
        const bool elementIndices = Below(2) == 0;
        Line("$p = " + std::string(Pick(kNumbers)));
        Line("$sum = 0");
        Loop(i, 1 + Below(3), [&] {
            Loop(j, columns, [&] {
                Line("$a[" + index + "] = " + Pick(values));
                Line("$sum = $sum + $a[" + (Below(8) ? index : Pick(indices)) + "]");
                if (!elementIndices) return;
                Line("$b[$a[" + index + "]] = " + Pick(values));
                Line("$sum = $sum + $b[$a[" + (Below(8) ? index : Pick(indices)) + "]]");
            });
        });
        // The first element written is there whatever the index.
        Line(i + " = 0\n" + j + " = 0");
        Line("~Print($sum \" \" $a[" + index + "] \"\\x0a\")");
    }

    // Arithmetic over the counter stored alone: fractions, negatives, remainders.
    void StoredArithmetic(const std::string& i) {
        static constexpr std::string_view kOperators[] = {" + ", " - ", " * ", " / ", " % ", " ^ "};
        std::string expression = i;
        for (int n = Below(3); n >= 0; --n) {
            // The counter plus one: a divisor of 0 would end the first pass.
            const std::string operand = Below(2) ? std::string(Pick(kNumbers)) : "(" + i + " + 1)";
            expression = Below(3) ? expression + std::string(Pick(kOperators)) + operand
                                  : "(" + expression + ")" + std::string(Pick(kOperators)) + operand;
        }
        Loop(i, 2 + Below(4), [&] {
            Line("$x = " + expression);
            Line("~Print($x \" \")");
        });
        Line("~Print(\"\\x0a\")");
    }

    std::mt19937 random_;
    std::string functions_, body_;
    bool pairDefined_ = false;
};

}  // namespace

std::string GenerateScript(std::uint32_t seed) { return Generator(seed).Script(); }

}  // namespace ml
