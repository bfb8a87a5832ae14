// A reader of JSON texts that an outside program sends (the compositor's answers).
// The text is data: whatever it holds, reading stays inside it, and a text that is
// not JSON, or nests deeper than any answer we read, gives nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ml {

// An object's member; declared after the value it holds, as a pair of a value not yet
// complete is refused by some standard libraries.
struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, Text, List, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;

    // The member with the name; null when this is no object or has none.
    const JsonValue* member(std::string_view name) const;
    // The member's number, text or truth; the fallback when it has no such member.
    double numberOf(std::string_view name, double fallback = 0) const;
    std::string textOf(std::string_view name) const;
    bool isTrue(std::string_view name) const;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

// Nesting deeper than this is refused, so that a hostile text cannot exhaust the stack.
inline constexpr int kJsonDeepest = 200;

std::optional<JsonValue> ReadJson(std::string_view text);

}  // namespace ml
