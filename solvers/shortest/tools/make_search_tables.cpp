// Build-time tool: builds the two-phase search tables once and writes them as a raw
// image (TABLES) plus an assembler file (ASM) that links the image into the program
// under the symbol the search reads. The assembler file carries a checksum of the
// image so that a changed image never reuses a stale object.
//
//   make_search_tables TABLES ASM
#include <cstdint>
#include <cstdio>

#include "solvers/shortest/search_tables.h"

namespace {

// Static storage: the image is far too large for the stack.
velmora::shortest::SearchTables tables;

std::uint64_t Checksum(const unsigned char* p, std::size_t n) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_search_tables TABLES ASM\n");
        return 2;
    }
    velmora::shortest::BuildSearchTables(tables);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&tables);
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out || std::fwrite(bytes, 1, sizeof tables, out) != sizeof tables || std::fclose(out) != 0) {
        std::fprintf(stderr, "make_search_tables: cannot write %s\n", argv[1]);
        return 1;
    }
    std::FILE* asmFile = std::fopen(argv[2], "w");
    if (!asmFile) {
        std::fprintf(stderr, "make_search_tables: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(asmFile,
                 "    .section .rodata.velmora_search_tables,\"a\",@progbits\n"
                 "    .balign 64\n"
                 "    .globl velmora_search_tables\n"
                 "velmora_search_tables:\n"
                 "    .incbin \"%s\"\n"
                 "    .globl velmora_search_tables_checksum\n"
                 "velmora_search_tables_checksum:\n"
                 "    .ascii \"%016llx\"\n"
                 "    .section .note.GNU-stack,\"\",@progbits\n",
                 argv[1], static_cast<unsigned long long>(Checksum(bytes, sizeof tables)));
    return std::fclose(asmFile) == 0 ? 0 : 1;
}
