// Writes the manual page of the window program from the user's manual (the same text
// the help window shows): manual_to_man MANUAL.md OUT.1 VERSION DATE.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "document/manual_text.h"

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: manual_to_man MANUAL.md OUT.1 VERSION DATE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    velmora::Manual manual;
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "manual_to_man: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!velmora::ParseManual(source, manual)) {
        std::fprintf(stderr, "manual_to_man: %s has no title, About line or section\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << velmora::ManualPage(manual, argv[3], argv[4]);
    out.close();
    if (!out) {
        std::fprintf(stderr, "manual_to_man: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
