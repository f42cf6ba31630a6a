#include "document/manual_text.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\t')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Contains(std::string_view hay, std::string_view needle) {
    if (needle.size() > hay.size()) return false;
    for (std::size_t at = 0; at + needle.size() <= hay.size(); ++at) {
        std::size_t k = 0;
        while (k < needle.size() && Folded(hay[at + k]) == Folded(needle[k])) ++k;
        if (k == needle.size()) return true;
    }
    return false;
}

// Bytes of the UTF-8 sequence led by lead, and whether it is a character of the Chinese
// scripts and their punctuation (from U+2E80), between any two of which a line may break.
std::size_t SequenceBytes(unsigned char lead) {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}
bool BreaksAfter(std::string_view seq) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(seq[i]); };
    if (seq.size() == 3) return b(0) > 0xE2 || (b(0) == 0xE2 && b(1) >= 0xBA);
    return seq.size() == 4;
}

// One line of text for roff: backslashes written as \e, hyphens as \- (so that options
// stay searchable and copyable), a break point \: after every Chinese character (roff
// breaks lines at blanks only), and a line that would read as a request guarded by \&.
std::string RoffLine(std::string_view text) {
    std::string out;
    if (!text.empty() && (text.front() == '.' || text.front() == '\'')) out += "\\&";
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const std::size_t n = std::min(SequenceBytes(static_cast<unsigned char>(c)), text.size() - at);
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out.append(text.substr(at, n));
        if (n > 1 && BreaksAfter(text.substr(at, n))) out += "\\:";
        at += n;
    }
    return out;
}

// A header-line field of .TH: in double quotes, a quote inside doubled.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

std::string ManualSection::PlainText() const {
    std::string out = heading;
    out += '\n';
    for (const ManualParagraph& p : paragraphs) {
        if (p.item) out += "• ";
        out += p.text;
        out += '\n';
    }
    return out;
}

bool ParseManual(std::string_view source, Manual& manual) {
    Manual m;
    bool inSections = false;
    while (!source.empty()) {
        const std::size_t end = source.find('\n');
        const std::string_view line = Trimmed(source.substr(0, end));
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
        if (line.empty()) continue;
        if (StartsWith(line, "## ")) {
            m.sections.push_back({std::string(Trimmed(line.substr(3))), {}});
            inSections = true;
        } else if (!inSections && StartsWith(line, "# ") && m.title.empty()) {
            m.title = Trimmed(line.substr(2));
        } else if (!inSections && StartsWith(line, ">")) {
            if (!m.aboutLine.empty()) m.aboutLine += ' ';
            m.aboutLine += Trimmed(line.substr(1));
        } else if (inSections) {
            const bool item = StartsWith(line, "- ");
            m.sections.back().paragraphs.push_back({std::string(item ? Trimmed(line.substr(2)) : line), item});
        }
    }
    if (m.title.empty() || m.aboutLine.empty() || m.sections.empty()) return false;
    manual = std::move(m);
    return true;
}

std::vector<int> FindInManual(const Manual& manual, std::string_view text) {
    std::vector<int> found;
    text = Trimmed(text);
    for (std::size_t i = 0; i < manual.sections.size(); ++i)
        if (text.empty() || Contains(manual.sections[i].PlainText(), text)) found.push_back(static_cast<int>(i));
    return found;
}

std::string ManualPage(const Manual& manual, std::string_view version, std::string_view date) {
    std::string page = ".TH VELMORA 1 " + Quoted(date) + " " + Quoted("Velmora " + std::string(version)) + " " +
                       Quoted("用户命令") + "\n";
    // Left aligned and unhyphenated: the Chinese text has no word spaces to stretch.
    page += ".ad l\n.nh\n";
    page += ".SH 名称\nvelmora \\- " + RoffLine(manual.aboutLine) + "\n";
    for (const ManualSection& s : manual.sections) {
        page += ".SH " + Quoted(s.heading) + "\n";
        bool first = true;
        for (const ManualParagraph& p : s.paragraphs) {
            if (p.item)
                page += ".IP \\(bu 2\n";
            else if (!first)
                page += ".PP\n";
            page += RoffLine(p.text) + "\n";
            first = false;
        }
    }
    return page;
}

}  // namespace velmora
