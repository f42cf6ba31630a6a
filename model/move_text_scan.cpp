#include "model/move_text_scan.h"

namespace velmora {
namespace {

// Longest token the scanner holds; longer runs match nothing.
constexpr std::size_t kLongestToken = 23;

bool EndsToken(unsigned char c) {
    return c <= 32 || c >= 128 || IsSeparatorChar(static_cast<char>(c));
}

// The engine's reading of a character inside a token.
char Capital(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if (c == '/') return '*';
    if (c == '=') return '+';
    return c;
}

}  // namespace

int ScanMoveText(const CTarnexSource& m, std::string_view text, bool leadingMerge,
                 const std::function<void(std::string_view)>& skipped) {
    int acted = 0;
    std::size_t i = 0;
    if (leadingMerge && text.size() >= 2) {
        const char a = text[0], b = text[1];
        if ((a == 'B' && (b == '-' || b == '*' || b == '+')) ||
            (a == 'T' && (b == '-' || b == '*' || b == '+' || b == '0'))) {
            // The engine takes the first three characters as the merged turn.
            ++acted;
            i = 3;
        }
    }
    while (i < text.size()) {
        if (EndsToken(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < text.size() && !EndsToken(static_cast<unsigned char>(text[j]))) ++j;
        const std::string_view written = text.substr(i, j - i);
        i = j;
        if (written.size() > kLongestToken) {
            skipped(written);
            continue;
        }
        char token[kLongestToken];
        for (std::size_t k = 0; k < written.size(); ++k) token[k] = Capital(written[k]);
        const std::string_view read(token, written.size());
        if (read == "STOP") return acted + 1;
        if (read == "RESET" || m.FindToken(read) >= 0)
            ++acted;
        else
            skipped(written);
    }
    return acted;
}

}  // namespace velmora
