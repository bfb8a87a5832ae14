#include "frontend/help_document.h"

#include <string>

#include "frontend/help_parts.h"

namespace ml {

namespace {

constexpr std::string_view kReferenceTitle = "內建函式說明";
constexpr std::size_t kSectionRule = 50;  // underscores before a section title
constexpr std::size_t kEntryRule = 99;    // hyphens between two entries

struct ModuleHeading {
    std::string_view name;
    std::span<const std::string_view> (*entries)();
};

constexpr ModuleHeading kModules[] = {
    {"Lib", HelpLibEntries},   {"Dos", HelpDosEntries},   {"String", HelpStringEntries},
    {"Time", HelpTimeEntries}, {"Math", HelpMathEntries}, {"File", HelpFileEntries},
};

void appendEntries(std::string& doc, std::span<const std::string_view> entries) {
    const std::string separator = "\n" + std::string(kEntryRule, '-') + "\n\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) doc += separator;
        doc += entries[i];
    }
}

std::string referenceBody() {
    std::string body;
    appendEntries(body, HelpNativeCallEntries());
    for (const ModuleHeading& module : kModules) {
        // Number signs fill the heading to the width of the rule between entries.
        const std::string title = "( " + std::string(module.name) + " )";
        body += '\n';
        body.append(kEntryRule - title.size(), '#');
        body += title;
        body += "\n\n";
        appendEntries(body, module.entries());
    }
    return body;
}

void appendSection(std::string& doc, std::string_view title, std::string_view body) {
    if (!doc.empty()) doc += '\n';
    doc.append(kSectionRule, '_');
    doc += "( ";
    doc += title;
    doc += " )\n\n";
    doc += body;
}

std::string buildDocument() {
    std::string doc;
    for (const HelpSection& section : HelpGuideSections()) appendSection(doc, section.title, section.body);
    appendSection(doc, kReferenceTitle, referenceBody());
    const HelpSection closing = HelpFileSection();
    appendSection(doc, closing.title, closing.body);
    return doc;
}

}  // namespace

std::string_view HelpDocument() {
    // Put together once; the text never changes afterwards.
    static const std::string document = buildDocument();
    return document;
}

}  // namespace ml
