#include "model/shown_text.h"

#include <cstdio>

namespace velmora {
namespace {

// Length of the valid UTF-8 sequence at text[at] and its code point; 0 when the bytes
// there are no valid sequence (a stray continuation byte, a cut or overlong sequence,
// a surrogate, a value past U+10FFFF).
std::size_t Utf8At(std::string_view text, std::size_t at, unsigned& code) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = b(0);
    std::size_t n = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (lead >= 0xF5 || n == 0 || at + n > text.size()) return 0;
    code = lead & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b(k) & 0x3F);
    }
    const unsigned smallest = n == 2 ? 0x80 : n == 3 ? 0x800 : 0x10000;
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

bool IsDirectionMark(unsigned code) {
    return code == 0x200E || code == 0x200F || code == 0x061C || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

}  // namespace

std::string ShownText(std::string_view text) {
    std::string out;
    char escape[12];
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F) {
                std::snprintf(escape, sizeof escape, "\\x%02X", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        unsigned code = 0;
        const std::size_t n = Utf8At(text, i, code);
        if (n == 0) {
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            out += escape;
            ++i;
        } else if (IsDirectionMark(code)) {
            std::snprintf(escape, sizeof escape, "\\u%04X", code);
            out += escape;
            i += n;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

bool IsForbiddenControl(unsigned char c) {
    return (c < 0x20 && !(c >= '\t' && c <= '\r')) || c == 0x7F;
}

std::size_t FindForbiddenControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (IsForbiddenControl(static_cast<unsigned char>(text[i]))) return i;
    return std::string_view::npos;
}

int CharacterPlace(std::string_view text, std::size_t at) {
    int place = 1;
    for (std::size_t k = 0; k < at && k < text.size(); ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) ++place;
    return place;
}

}  // namespace velmora
