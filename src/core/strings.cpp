#include "core/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace ml {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A replacement loop rescans from the start after every change; this bound stops a
// pathological rewrite that keeps forming new occurrences without end.
constexpr int kMaxReplaceRounds = 4096;

}  // namespace

std::string Clip(std::string text) {
    if (text.size() > kMaxText) text.resize(kMaxText);
    return text;
}

std::string& AppendByte(std::string& text, char c) {
    text += c;
    return text;
}

std::string Mid(std::string_view text, long start, long count) {
    if (start < 1 || static_cast<std::size_t>(start - 1) >= text.size() || count <= 0) return {};
    return std::string(ClipView(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count))));
}

long PositionOf(std::string_view text, std::string_view search) {
    if (text.empty()) return 0;
    auto at = text.find(search);
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

long PositionOfByte(std::string_view text, char c) {
    auto at = text.find(c);
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

long LastPositionOf(std::string_view text, std::string_view search) {
    if (text.empty()) return 0;
    if (search.empty()) return static_cast<long>(text.size());
    auto at = text.rfind(search);
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

long LastPositionOfByte(std::string_view text, char c) {
    auto at = text.rfind(c);
    return at == std::string_view::npos ? 0 : static_cast<long>(at) + 1;
}

std::string Insert(std::string_view text, long pos, std::string_view insert) {
    if (pos < 0 || static_cast<std::size_t>(pos) > text.size()) return Clip(std::string(text));
    std::string out(text.substr(0, static_cast<std::size_t>(pos)));
    out += insert;
    out += text.substr(static_cast<std::size_t>(pos));
    return Clip(std::move(out));
}

std::string Remove(std::string_view text, long pos, long count) {
    std::string out(text);
    if (pos >= 0 && static_cast<std::size_t>(pos) < text.size() && count > 0)
        out.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(count));
    return Clip(std::move(out));
}

namespace {

// Whether the bytes at `at` are those of `part`: a plain loop, as parts are short.
bool SameBytes(const char* at, std::string_view part) {
    for (char c : part)
        if (*at++ != c) return false;
    return true;
}

// Every occurrence from `first` on replaced in one left-to-right pass, cut to a
// value's length: the pass stops once the cut is reached, as what follows it is cut
// off. A byte that cannot start an occurrence is copied at once.
std::string ReplaceEach(std::string_view text, std::string_view search, std::string_view with, std::size_t first) {
    char out[kMaxText];
    std::size_t size = 0;
    auto put = [&](std::string_view bytes) {
        const std::size_t n = std::min(bytes.size(), kMaxText - size);
        std::memcpy(out + size, bytes.data(), n);
        size += n;
    };
    put(text.substr(0, first));
    const std::size_t m = search.size();
    for (std::size_t i = first; i < text.size() && size < kMaxText;) {
        if (text[i] == search[0] && text.size() - i >= m && SameBytes(text.data() + i, search)) {
            put(with);
            i += m;
        } else {
            out[size++] = text[i++];
        }
    }
    return std::string(out, size);
}

// Replacing round by round: see ReplaceRounds.
class RoundReader {
public:
    RoundReader(std::string_view text, std::string_view search) : text_(text), search_(search) {}

    // Reads on to the first occurrence and takes it out; false where there is none.
    bool takeOccurrence() {
        while (!pending_.empty()) {
            done_ += pending_.back();
            pending_.pop_back();
            if (EndsWith(done_, search_)) return dropFromDone(search_.size());
        }
        // The earliest occurrence reaching back into the read part starts furthest back.
        for (std::size_t k = std::min(search_.size() - 1, done_.size()); k > 0; --k) {
            if (EndsWith(done_, search_.substr(0, k)) && StartsWith(text_, search_.substr(k))) {
                text_.remove_prefix(search_.size() - k);
                return dropFromDone(k);
            }
        }
        const std::size_t at = std::min(text_.find(search_), text_.size());
        done_.append(text_.substr(0, at));
        text_.remove_prefix(at);
        if (text_.empty()) return false;
        text_.remove_prefix(search_.size());
        return true;
    }

    // The replacement goes back in front of the unread bytes; a text grown past the
    // value limit loses its end, as each round cuts it.
    void putBack(std::string_view with) {
        for (auto c = with.rbegin(); c != with.rend(); ++c) pending_ += *c;
        const std::size_t total = done_.size() + pending_.size() + text_.size();
        if (total <= kMaxText) return;
        const std::size_t excess = total - kMaxText, fromText = std::min(excess, text_.size());
        text_.remove_suffix(fromText);
        pending_.erase(0, excess - fromText);
    }

    std::string result() {
        done_.append(pending_.rbegin(), pending_.rend());
        return done_.append(text_);
    }

private:
    bool dropFromDone(std::size_t count) {
        done_.resize(done_.size() - count);
        return true;
    }

    std::string_view text_, search_;
    std::string done_;      // read, and holding no occurrence
    std::string pending_;   // bytes put back, reversed: the next one is last
};

// Each round replaces the first occurrence, and a replacement may join the bytes
// around it into a new one. The text is read into a part that holds no occurrence, so
// the first occurrence is the first one that part comes to end with (all have the
// same length): one among the bytes a replacement put back, read one at a time; one
// that reaches from the read part into the unread text; or else the first that a
// search of the unread text finds.
std::string ReplaceRounds(std::string_view text, std::string_view search, std::string_view with) {
    RoundReader reader(text, search);
    for (int round = 0; round < kMaxReplaceRounds && reader.takeOccurrence(); ++round) reader.putBack(with);
    return reader.result();
}

}  // namespace

std::string Replace(std::string_view text, std::string_view search, std::string_view with) {
    text = ClipView(text);
    const std::size_t first = search.empty() ? std::string_view::npos : text.find(search);
    if (first == std::string_view::npos) return std::string(text);
    // Rescanning would find the new text again and never end: one left-to-right pass
    // replaces every occurrence of the original text instead. That pass is also what
    // the rounds come to where no replacement can join bytes into a new occurrence
    // (the new text shares no byte with the search text and parts its neighbours) and
    // the text never grows to be cut.
    const bool joinsNothing = !with.empty() && with.size() <= search.size() &&
                              with.find_first_of(search) == std::string_view::npos;
    if (joinsNothing || with.find(search) != std::string_view::npos) return ReplaceEach(text, search, with, first);
    return ReplaceRounds(text, search, with);
}

std::string AsciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return Clip(std::string(text.substr(first, last - first)));
}

// The results are cut to a value's length, so no more padding than that is made:
// a script may ask for any width.
std::string PadRight(std::string_view text, long width) {
    std::string out(ClipView(text));
    const auto target = static_cast<std::size_t>(std::clamp(width, 0L, static_cast<long>(kMaxText)));
    if (out.size() < target) out.append(target - out.size(), ' ');
    return out;
}

std::string PadLeft(std::string_view text, long width) {
    std::string out;
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        out.assign(std::min(static_cast<std::size_t>(width) - text.size(), kMaxText), ' ');
    out += ClipView(text);
    return Clip(std::move(out));
}

int IsPlainName(std::string_view text) {
    for (char c : text)
        if (!((c >= 'a' && c <= 'z') || IsDigit(c) || c == '_' || c == '.')) return 0;
    return 1;
}

int IsNumber(std::string_view text) {
    if (text.empty() || text.front() == '.' || text.back() == '.') return 0;
    std::size_t i = text.front() == '-' ? 1 : 0;
    int points = 0;
    for (; i < text.size(); ++i) {
        if (text[i] == '.') ++points;
        else if (!IsDigit(text[i])) return 0;
    }
    return points <= 1;
}

long CountOf(std::string_view text, std::string_view search) {
    if (search.empty()) return 0;
    long n = 0;
    for (auto at = text.find(search); at != std::string_view::npos; at = text.find(search, at + 1)) ++n;
    return n;
}

long CountOfByte(std::string_view text, char c) {
    long n = 0;
    for (char x : text) n += x == c;
    return n;
}

std::string IntText(std::int32_t value) { return std::to_string(value); }

namespace {

// The C runtime's atoi and atoll, with an out-of-range value held at the nearest limit
// of the type (most, or -most - 1 below) so that both builds agree (the runtimes
// differ there).
std::int64_t ReadSaturated(std::string_view text, std::uint64_t most) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::uint64_t lowest = most + 1;   // the magnitude of the lowest value
    std::uint64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const auto digit = static_cast<std::uint64_t>(text[i] - '0');
        magnitude = magnitude > (lowest - digit) / 10 ? lowest : magnitude * 10 + digit;
    }
    if (!negative) return static_cast<std::int64_t>(std::min(magnitude, most));
    return magnitude == 0 ? 0 : -static_cast<std::int64_t>(magnitude - 1) - 1;
}

}  // namespace

int TextToInt(std::string_view text) { return static_cast<int>(ReadSaturated(text, INT_MAX)); }

std::int64_t TextToInt64(std::string_view text) { return ReadSaturated(text, INT64_MAX); }

std::uint32_t IntegerPower(std::uint32_t base, std::uint32_t exponent) {
    std::uint32_t result = 1;
    while (exponent-- > 0) result *= base;
    return result;
}

std::uint32_t HexValue(std::string_view text) {
    std::uint32_t sum = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        char c = text[i];
        std::uint32_t digit = IsDigit(c) ? c - '0'
                            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                            : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 0;
        sum += digit * IntegerPower(16, static_cast<std::uint32_t>(n - i - 1));
    }
    return sum;
}

// The C runtime's atof restricted to decimal notation (optional blanks, sign, digits,
// point, digits, exponent), so that both builds read the same numbers.
double TextToNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) ++i;
    const std::size_t start = i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) mantissa = mantissa * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, ++fraction)
            mantissa = mantissa * 10 + (text[i] - '0');
    if (digits == 0) return 0.0;
    const bool exponent = i < text.size() && (text[i] == 'e' || text[i] == 'E');
    if (!exponent && digits <= kShortDecimalDigits) {
        const double value = ShortDecimalValue(mantissa, fraction);
        return negative ? -value : value;
    }
    return ParseDecimal(text.substr(start));
}

double ShortDecimalValue(std::uint64_t mantissa, int fraction) {
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    return static_cast<double>(mantissa) / kPowers[fraction];
}

double ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
        }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    std::string number(text.substr(0, i));
    const char* first = number.c_str();
    if (*first == '+') ++first;
    double value = 0.0;
    auto result = std::from_chars(first, number.c_str() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) return std::strtod(number.c_str(), nullptr);
    return value;
}

std::string_view FormatNumber(double value, NumberBuffer& buffer) {
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    // A whole number below 2^53 prints as its integer: the same digits as "%f" after the
    // cut, without the cost of the general conversion.
    if (IsWholeBelow(value, 9007199254740992.0)) {
        char* end = first;
        if (std::signbit(value)) *end++ = '-';
        end = std::to_chars(end, last, static_cast<std::uint64_t>(std::fabs(value))).ptr;
        return {first, static_cast<std::size_t>(end - first)};
    }
    return FormatFixed(value, buffer);
}

// "%f" and then the trailing zeros and point cut; to_chars gives the exact digits of
// "%f" on every runtime, where the Windows runtime's printf does not.
std::string_view FormatFixed(double value, NumberBuffer& buffer) {
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 6);
    std::string_view text(buffer.data(), error == std::errc() ? static_cast<std::size_t>(end - buffer.data()) : 0);
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0') text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    return ClipView(text);
}

std::string NumberText(double value) {
    NumberBuffer buffer;
    return std::string(FormatNumber(value, buffer));
}

}  // namespace ml
