#pragma once
// The user's manual as one text: the help window's sections, the About box's short line
// and the manual page are all made from it, so they cannot tell different stories.
//
// The text is a small subset of Markdown, read line by line:
//   "# title"        the manual's title (first line)
//   "> line"         the short line of the About box (the lines after the title)
//   "## heading"     starts a section
//   "- item"         a list item of the section
//   other lines      a paragraph each; an empty line is only a gap
// A paragraph is one line of the source, so nothing is joined or re-wrapped.
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct ManualParagraph {
    std::string text;
    bool item = false;  // a list item ("- ")
};

struct ManualSection {
    std::string heading;
    std::vector<ManualParagraph> paragraphs;
    // The section as plain text: the heading, then one line per paragraph (items with
    // "• " in front).
    std::string PlainText() const;
};

struct Manual {
    std::string title;
    std::string aboutLine;
    std::vector<ManualSection> sections;
};

// Reads source; false (and nothing half-read kept) when it has no title, no About line
// or no section.
bool ParseManual(std::string_view source, Manual& manual);

// The sections in which text occurs (heading or body), ASCII letters compared without
// case; every section for an empty text.
std::vector<int> FindInManual(const Manual& manual, std::string_view text);

// The manual as a manual page (roff, UTF-8) of section 1: the name line with the About
// line, then every section under its own heading, left aligned, with a break point
// after each Chinese character. version and date fill the page's header line.
std::string ManualPage(const Manual& manual, std::string_view version, std::string_view date);

}  // namespace velmora
