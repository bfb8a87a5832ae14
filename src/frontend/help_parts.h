// The pieces the help document is put together from. Every text is UTF-8 with "\n"
// after each line; an entry holds no blank line, so blank lines in the document are
// only the ones the assembly puts between sections and entries.
#pragma once

#include <span>
#include <string_view>

namespace ml {

struct HelpSection {
    std::string_view title;
    std::string_view body;
};

// The guide to the language: the sections before the built-in reference, in order.
std::span<const HelpSection> HelpGuideSections();
// The closing section, after the built-in reference.
HelpSection HelpFileSection();

// Entries of the built-in reference: the two native calls, then one list per module.
std::span<const std::string_view> HelpNativeCallEntries();
std::span<const std::string_view> HelpLibEntries();
std::span<const std::string_view> HelpDosEntries();
std::span<const std::string_view> HelpStringEntries();
std::span<const std::string_view> HelpTimeEntries();
std::span<const std::string_view> HelpMathEntries();
std::span<const std::string_view> HelpFileEntries();
std::span<const std::string_view> HelpDeskEntries();

}  // namespace ml
