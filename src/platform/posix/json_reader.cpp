#include "platform/posix/json_reader.h"

#include <cstdlib>
#include <utility>

namespace ml {

namespace {

class JsonText {
public:
    explicit JsonText(std::string_view text) : text_(text) {}

    bool value(JsonValue& out, int depth) {
        skipBlanks();
        if (depth > kJsonDeepest || at_ >= text_.size()) return false;
        const char next = text_[at_];
        if (next == '{') return object(out, depth);
        if (next == '[') return list(out, depth);
        if (next == '"') return out.kind = JsonValue::Kind::Text, string(out.text);
        if (word("true")) return out.kind = JsonValue::Kind::Boolean, out.boolean = true;
        if (word("false")) return out.kind = JsonValue::Kind::Boolean, true;
        if (word("null")) return true;
        return number(out);
    }

    bool finished() {
        skipBlanks();
        return at_ == text_.size();
    }

private:
    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }

    bool take(char expected) {
        skipBlanks();
        if (at_ >= text_.size() || text_[at_] != expected) return false;
        ++at_;
        return true;
    }

    bool word(std::string_view expected) {
        if (text_.substr(at_, expected.size()) != expected) return false;
        at_ += expected.size();
        return true;
    }

    bool number(JsonValue& out) {
        const std::size_t start = at_;
        while (at_ < text_.size() && std::string_view("+-0123456789.eE").find(text_[at_]) != std::string_view::npos) ++at_;
        if (at_ == start) return false;
        const std::string digits(text_.substr(start, at_ - start));
        char* end = nullptr;
        out.number = std::strtod(digits.c_str(), &end);
        out.kind = JsonValue::Kind::Number;
        return end == digits.c_str() + digits.size();
    }

    // Escapes other than \uXXXX keep their meaning; a \uXXXX becomes its UTF-8 bytes
    // (a surrogate half stays a replacement character: titles are compared, not shown).
    bool string(std::string& out) {
        ++at_;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] != '\\') {
                out += text_[at_++];
                continue;
            }
            if (++at_ >= text_.size()) return false;
            const char escaped = text_[at_++];
            if (escaped == 'u') {
                if (!unicode(out)) return false;
                continue;
            }
            const std::string_view from = "\"\\/bfnrt", to = "\"\\/\b\f\n\r\t";
            const std::size_t which = from.find(escaped);
            if (which == std::string_view::npos) return false;
            out += to[which];
        }
        return at_ < text_.size() && text_[at_++] == '"';
    }

    bool unicode(std::string& out) {
        if (at_ + 4 > text_.size()) return false;
        const std::string hex(text_.substr(at_, 4));
        char* end = nullptr;
        unsigned long code = std::strtoul(hex.c_str(), &end, 16);
        if (end != hex.c_str() + 4) return false;
        at_ += 4;
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        return true;
    }

    bool list(JsonValue& out, int depth) {
        ++at_;
        out.kind = JsonValue::Kind::List;
        if (take(']')) return true;
        do {
            out.items.emplace_back();
            if (!value(out.items.back(), depth + 1)) return false;
        } while (take(','));
        return take(']');
    }

    bool object(JsonValue& out, int depth) {
        ++at_;
        out.kind = JsonValue::Kind::Object;
        if (take('}')) return true;
        do {
            std::string name;
            skipBlanks();
            if (at_ >= text_.size() || text_[at_] != '"' || !string(name) || !take(':')) return false;
            out.members.push_back({std::move(name), JsonValue{}});
            if (!value(out.members.back().value, depth + 1)) return false;
        } while (take(','));
        return take('}');
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
    for (const auto& [key, value] : members)
        if (key == name) return &value;
    return nullptr;
}

double JsonValue::numberOf(std::string_view name, double fallback) const {
    const JsonValue* found = member(name);
    return found != nullptr && found->kind == Kind::Number ? found->number : fallback;
}

std::string JsonValue::textOf(std::string_view name) const {
    const JsonValue* found = member(name);
    return found != nullptr && found->kind == Kind::Text ? found->text : std::string();
}

bool JsonValue::isTrue(std::string_view name) const {
    const JsonValue* found = member(name);
    return found != nullptr && found->kind == Kind::Boolean && found->boolean;
}

std::optional<JsonValue> ReadJson(std::string_view text) {
    JsonText reader(text);
    JsonValue value;
    if (!reader.value(value, 0) || !reader.finished()) return std::nullopt;
    return value;
}

}  // namespace ml
