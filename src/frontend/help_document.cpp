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
    {"Desk", HelpDeskEntries},
};

void AppendEntries(std::string& doc, std::span<const std::string_view> entries) {
    const std::string separator = "\n" + std::string(kEntryRule, '-') + "\n\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) doc += separator;
        doc += entries[i];
    }
}

std::string ReferenceBody() {
    std::string body;
    AppendEntries(body, HelpNativeCallEntries());
    for (const ModuleHeading& module : kModules) {
        // Number signs fill the heading to the width of the rule between entries.
        const std::string title = "( " + std::string(module.name) + " )";
        body += '\n';
        body.append(kEntryRule - title.size(), '#');
        body += title;
        body += "\n\n";
        AppendEntries(body, module.entries());
    }
    return body;
}

void AppendSection(std::string& doc, std::string_view title, std::string_view body) {
    if (!doc.empty()) doc += '\n';
    doc.append(kSectionRule, '_');
    doc += "( ";
    doc += title;
    doc += " )\n\n";
    doc += body;
}

std::string BuildDocument() {
    std::string doc;
    for (const HelpSection& section : HelpGuideSections()) AppendSection(doc, section.title, section.body);
    AppendSection(doc, kReferenceTitle, ReferenceBody());
    const HelpSection closing = HelpFileSection();
    AppendSection(doc, closing.title, closing.body);
    return doc;
}

}  // namespace

std::string_view HelpDocument() {
    // Put together once; the text never changes afterwards.
    static const std::string document = BuildDocument();
    return document;
}

}  // namespace ml
