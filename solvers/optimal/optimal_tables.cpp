// Building, storing and mapping the pruning tables of the fewest-turns method.
#include "solvers/optimal/optimal_tables.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "solvers/shortest/cubie_cube.h"
#include "solvers/shortest/search_tables.h"
#include "solvers/shortest/two_phase.h"

namespace velmora::optimal {
namespace {

using shortest::CubieCube;
using shortest::MoveCubie;
using shortest::Multiply;
using shortest::SetFlip;

constexpr char kMagic[8] = {'V', 'L', 'M', 'O', 'P', 'T', 'B', '1'};
constexpr std::uint8_t kUnknown = 15;
// Layout number of the huge set: 3 since its middle-edge table is read by flip-slice
// class and it holds the corner-and-middle-places table.
constexpr std::uint32_t kHugeFormat = 3;

struct FileHeader {
    char magic[8];
    std::uint32_t edgePieces;
    std::uint32_t reserved;
    std::uint64_t cornerBytes;
    std::uint64_t edgeBytes;
    std::uint64_t checksum;
    std::uint8_t padding[kHeaderBytes - 40];
};
static_assert(sizeof(FileHeader) == kHeaderBytes);

// Places * 2 + flips of edge pieces 0..n-1 from an edge-table index.
void EdgeLocsOf(long index, int n, std::uint8_t* loc) {
    unsigned flips = static_cast<unsigned>(index & ((1L << n) - 1));
    long rank = index >> n;
    int digit[12];
    for (int i = n - 1; i >= 0; --i) {
        digit[i] = static_cast<int>(rank % (12 - i));
        rank /= 12 - i;
    }
    unsigned used = 0;
    for (int i = 0; i < n; ++i) {
        int place = 0;
        for (int skip = digit[i];; ++place) {
            if (used & (1u << place)) continue;
            if (skip-- == 0) break;
        }
        used |= 1u << place;
        loc[i] = static_cast<std::uint8_t>(place * 2 + ((flips >> (n - 1 - i)) & 1));
    }
}

std::uint8_t LoadNibbleByte(const std::uint8_t* t, long i) {
    return std::atomic_ref<std::uint8_t>(const_cast<std::uint8_t&>(t[i >> 1])).load(std::memory_order_relaxed);
}
int NibbleAt(const std::uint8_t* t, long i) { return (LoadNibbleByte(t, i) >> ((i & 1) << 2)) & 15; }

// Sets entry i to value when it is still unknown; true when this call set it.
bool SetIfUnknown(std::uint8_t* t, long i, int value) {
    std::atomic_ref<std::uint8_t> b(t[i >> 1]);
    const int shift = static_cast<int>((i & 1) << 2);
    std::uint8_t old = b.load(std::memory_order_relaxed);
    while (((old >> shift) & 15) == kUnknown) {
        const std::uint8_t now = static_cast<std::uint8_t>((old & ~(15 << shift)) | (value << shift));
        if (b.compare_exchange_weak(old, now, std::memory_order_relaxed)) return true;
    }
    return false;
}

// Breadth-first fill of a nibble table of `total` entries from the solved entry 0,
// on two threads. Early depths expand the entries at the current depth; once the
// frontier is large next to what is left, each unknown entry looks for a neighbour at
// the current depth instead (each thread then writes only its own half).
// `neighbours(index, out)` writes the 18 neighbours of an entry.
template <typename Neighbours>
bool FillNibbles(std::uint8_t* t, long total, Neighbours neighbours, const BuildProgress& progress,
                 long doneBefore, long allEntries, const char* what) {
    std::memset(t, 0xff, static_cast<std::size_t>((total + 1) / 2));
    t[0] = static_cast<std::uint8_t>(0xf0);
    long done = 1, frontier = 1;
    std::atomic<bool> stop{false};
    for (int depth = 0; done < total && frontier > 0; ++depth) {
        const bool backward = frontier * 4 > total - done;
        std::atomic<long> added{0};
        std::atomic<long> scanned{0};
        auto work = [&](long begin, long end, bool reports) {
            long mine = 0;
            long out[18];
            for (long i = begin; i < end; ++i) {
                if ((i & 0xfffff) == 0) {
                    if (i != begin) scanned.fetch_add(0x100000, std::memory_order_relaxed);
                    if (stop.load(std::memory_order_relaxed)) return;
                    if (reports && progress) {
                        // The next layer is guessed at thirteen times the last one.
                        const double inLayer = static_cast<double>(scanned.load()) / static_cast<double>(total);
                        const double layer = frontier * 13.0 < total - done ? frontier * 13.0 : total - done;
                        const double estimate = (doneBefore + done + inLayer * layer) / static_cast<double>(allEntries);
                        if (!progress(estimate < 1 ? estimate : 0.999, what)) stop = true;
                    }
                }
                const int here = NibbleAt(t, i);
                if (backward) {
                    if (here != kUnknown) continue;
                    neighbours(i, out);
                    for (int m = 0; m < 18; ++m) {
                        if (NibbleAt(t, out[m]) == depth) {
                            SetIfUnknown(t, i, depth + 1);
                            ++mine;
                            break;
                        }
                    }
                } else {
                    if (here != depth) continue;
                    neighbours(i, out);
                    for (int m = 0; m < 18; ++m)
                        if (SetIfUnknown(t, out[m], depth + 1)) ++mine;
                }
            }
            added.fetch_add(mine);
        };
        const long half = (total / 2) & ~0xfffffL;
        std::thread other(work, half, total, false);
        work(0, half, true);
        other.join();
        if (stop) return false;
        frontier = added.load();
        done += frontier;
    }
    return true;
}

// A cube whose middle edges stand at these places (the other edges in order on the
// rest), every piece unflipped.
CubieCube WithSortedSlice(int ss) {
    // The sets of four places by slice coordinate, found once.
    static const auto sets = [] {
        std::vector<std::uint16_t> masks(495);
        const std::uint16_t* slice = SliceOfMask();
        for (int mask = 0; mask < 4096; ++mask)
            if (__builtin_popcount(mask) == 4) masks[slice[mask]] = static_cast<std::uint16_t>(mask);
        return masks;
    }();
    const int mask = sets[static_cast<std::size_t>(ss / 24)];
    std::uint8_t order[4];
    shortest::UnrankPerm(ss % 24, order, 4, 8);
    CubieCube c = shortest::SolvedCubie();
    int middle = 0, other = 0;
    for (int j = 0; j < 12; ++j) c.ep[j] = (mask >> j & 1) ? order[middle++] : static_cast<std::uint8_t>(other++);
    return c;
}

struct Loaded {
    PruneTables tables;
    bool ready = false;
};
std::mutex gLoadMutex;
Loaded gLoaded[kTableSizes];

bool WriteAll(int fd, const void* data, long bytes) {
    const char* p = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t n = ::write(fd, p, static_cast<std::size_t>(bytes > (1L << 30) ? (1L << 30) : bytes));
        if (n <= 0) return false;
        p += n;
        bytes -= n;
    }
    return true;
}

bool MakeFolders(const std::string& path) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            const std::string part = path.substr(0, i);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
        }
    }
    return true;
}

// The layout a file of the set names in its header.
std::uint32_t LayoutOf(TableSize size) { return size == TableSize::Huge ? kHugeFormat : 0u; }

// Maps the file when it has the size and the layout of the tables; nullptr and a reason
// when it is missing, of another layout or size, or cannot be mapped. Its pages are not
// read yet.
const std::uint8_t* MapSized(const std::string& path, TableSize size, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = "missing";
        return nullptr;
    }
    struct stat st{};
    const long bytes = FileBytes(size);
    const std::uint32_t layout = LayoutOf(size);
    FileHeader h{};
    const bool headed = ::fstat(fd, &st) == 0 && ::pread(fd, &h, sizeof h, 0) == static_cast<ssize_t>(sizeof h);
    // A file that an earlier version of the program wrote in another layout is not
    // damaged, only older; it is built again all the same.
    if (headed && std::memcmp(h.magic, kMagic, sizeof kMagic) == 0 && h.reserved != layout) {
        ::close(fd);
        why = "older";
        return nullptr;
    }
    if (!headed || st.st_size != bytes) {
        ::close(fd);
        why = "wrong size";
        return nullptr;
    }
    void* map = ::mmap(nullptr, static_cast<std::size_t>(bytes), PROT_READ, MAP_SHARED, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED) {
        why = "cannot be mapped";
        return nullptr;
    }
    return static_cast<const std::uint8_t*>(map);
}

// Checks the header and the checksum of a mapped file, reading every page; unmaps it
// and says "damaged" when they do not agree.
bool CheckedOrUnmapped(const std::uint8_t* data, TableSize size, std::string& why) {
    const long bytes = FileBytes(size);
    const int n = EdgePieces(size);
    FileHeader h{};
    std::memcpy(&h, data, sizeof h);
    if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.edgePieces != static_cast<std::uint32_t>(n) ||
        h.reserved != LayoutOf(size) ||
        h.cornerBytes != static_cast<std::uint64_t>(kCornerEntries / 2) ||
        h.edgeBytes != static_cast<std::uint64_t>(EdgeEntries(n) / 2) ||
        h.checksum != Checksum(data + kHeaderBytes, bytes - kHeaderBytes)) {
        ::munmap(const_cast<std::uint8_t*>(data), static_cast<std::size_t>(bytes));
        why = "damaged";
        return false;
    }
    return true;
}

// Maps the file and checks its header and checksum; nullptr and a reason when it is
// missing or damaged.
const std::uint8_t* MapChecked(const std::string& path, TableSize size, std::string& why) {
    const std::uint8_t* data = MapSized(path, size, why);
    return data && CheckedOrUnmapped(data, size, why) ? data : nullptr;
}

void Fill(PruneTables& t, TableSize size, const std::uint8_t* file, const std::string& path) {
    t.size = size;
    t.edgePieces = EdgePieces(size);
    t.corners = file + kHeaderBytes;
    t.edges = file + kHeaderBytes + kCornerEntries / 2;
    t.slices = nullptr;
    t.cornerSlices = nullptr;
    if (size == TableSize::Huge) {
        t.slices = t.edges + EdgeEntries(t.edgePieces) / 2;
        t.cornerSlices = t.slices + kSliceEntries / 2;
    }
    t.fileBytes = FileBytes(size);
    t.path = path;
}

}  // namespace

TableSize DefaultTableSize() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    const double bytes = static_cast<double>(pages) * static_cast<double>(pageSize);
    if (pages <= 0) return TableSize::Small;
    return bytes >= 8.0 * (1L << 30) ? TableSize::Huge : bytes >= 4.0 * (1L << 30) ? TableSize::Large : TableSize::Small;
}

const char* TableSizeName(TableSize size) {
    return size == TableSize::Small ? "small" : size == TableSize::Large ? "large" : "huge";
}

bool ParseTableSize(const std::string& text, TableSize& out) {
    if (text == "small") out = TableSize::Small;
    else if (text == "large") out = TableSize::Large;
    else if (text == "huge") out = TableSize::Huge;
    else return false;
    return true;
}

const MoveTables& Moves() {
    static const MoveTables* tables = [] {
        static MoveTables t;
        CubieCube move[18];
        for (int m = 0; m < 18; ++m) move[m] = MoveCubie(m);
        for (int r = 0; r < kCornerPerms; ++r) {
            CubieCube c = shortest::SolvedCubie();
            shortest::UnrankPerm(r, c.cp, 8, 0);
            for (int m = 0; m < 18; ++m)
                t.cornerPerm[r][m] = static_cast<std::uint16_t>(CornerPermRank(Multiply(c, move[m]).cp));
        }
        // After move m, position i holds what stood at position move.ep[i], flipped by move.eo[i].
        for (int m = 0; m < 18; ++m)
            for (int i = 0; i < 12; ++i)
                for (int f = 0; f < 2; ++f)
                    t.edgeLoc[move[m].ep[i] * 2 + f][m] = static_cast<std::uint8_t>(i * 2 + (f ^ move[m].eo[i]));
        for (int ss = 0; ss < kSortedSlices; ++ss) {
            const CubieCube c = WithSortedSlice(ss);
            for (int m = 0; m < 18; ++m)
                t.sortedSlice[ss][m] = static_cast<std::uint16_t>(SortedSliceOf(Multiply(c, move[m])));
        }
        for (int ss = 0; ss < kSortedSlices; ++ss) {
            const CubieCube c = WithSortedSlice(ss);
            for (int s = 0; s < 16; ++s)
                t.sliceOrderConj[ss][s] = static_cast<std::uint8_t>(SortedSliceOf(shortest::ConjugateBySymmetry(c, s)) % 24);
        }
        for (int sl = 0; sl < kMiddlePlaces; ++sl) {
            const CubieCube c = WithSortedSlice(sl * 24);
            for (int s = 0; s < 16; ++s)
                t.sliceConj[sl][s] = static_cast<std::uint16_t>(shortest::SliceOf(shortest::ConjugateBySymmetry(c, s)));
        }
        return &t;
    }();
    return *tables;
}

const std::uint16_t* SliceOfMask() {
    static const auto table = [] {
        std::array<std::uint16_t, 4096> t{};
        for (int mask = 0; mask < 4096; ++mask) {
            if (__builtin_popcount(mask) != 4) continue;
            CubieCube c = shortest::SolvedCubie();
            int middle = 8, other = 0;
            for (int j = 0; j < 12; ++j) c.ep[j] = static_cast<std::uint8_t>((mask >> j & 1) ? middle++ : other++);
            t[static_cast<std::size_t>(mask)] = static_cast<std::uint16_t>(shortest::SliceOf(c));
        }
        return t;
    }();
    return table.data();
}

int SortedSliceOf(const CubieCube& c) {
    std::uint8_t order[4];
    int n = 0;
    for (int j = 0; j < 12; ++j)
        if (c.ep[j] >= 8) order[n++] = c.ep[j];
    return shortest::SliceOf(c) * 24 + shortest::RankPerm(order, 4);
}

namespace {

// Breadth-first fill of a table of class rows (a row of entries for each class of a
// symmetry coordinate, the other coordinates seen through the class's symmetry), shared
// out to two threads a block of rows at a time. Each row lists its entries at the
// current depth (forward) or still unknown (backward) and then follows one move at a
// time, so that the entries it reaches lie in one other row. Geometry gives:
//   Step(row, move): the row reached and a map from an entry to the entry reached;
//   Self(row): the symmetries that keep the row's representative (bit s), and
//   SelfImage(row, entry, s): the entry that stands for the same position through s
// (forward steps set those too, as backward steps find them on their own).
template <typename Geometry>
bool FillRows(std::uint8_t* table, const Geometry& g, const BuildProgress& progress, const char* what, double layers) {
    const long rows = g.rows, rowLength = g.rowLength, total = rows * rowLength;
    std::memset(table, 0xff, static_cast<std::size_t>((total + 1) / 2));
    table[0] = 0xf0;
    const long block = rows > 4096 ? 16 : 1;
    long done = 1, frontier = 1;
    std::atomic<bool> stop{false};
    for (int depth = 0; done < total && frontier > 0; ++depth) {
        const bool backward = frontier * 4 > total - done;
        std::atomic<long> nextBlock{0};
        std::atomic<long> added{0};
        auto work = [&](bool reports) {
            std::vector<std::uint32_t> list(static_cast<std::size_t>(rowLength));
            long mine = 0;
            for (;;) {
                const long first = nextBlock.fetch_add(1) * block;
                if (first >= rows || stop.load(std::memory_order_relaxed)) break;
                if (reports && progress && (first / block & 15) == 0) {
                    const double share = (depth + static_cast<double>(first) / static_cast<double>(rows)) / layers;
                    if (!progress(share < 0.999 ? share : 0.999, what)) stop = true;
                }
                for (long c = first; c < first + block && c < rows; ++c) {
                    const long base = c * rowLength;
                    const int want = backward ? kUnknown : depth;
                    long n = 0;
                    for (long e = 0; e < rowLength; ++e)
                        if (NibbleAt(table, base + e) == want) list[static_cast<std::size_t>(n++)] = static_cast<std::uint32_t>(e);
                    for (int m = 0; m < 18 && n > 0; ++m) {
                        const auto step = g.Step(static_cast<int>(c), m);
                        const long base2 = step.row * rowLength;
                        if (backward) {
                            for (long i = 0; i < n;) {
                                if (NibbleAt(table, base2 + step(list[static_cast<std::size_t>(i)])) == depth) {
                                    if (SetIfUnknown(table, base + list[static_cast<std::size_t>(i)], depth + 1)) ++mine;
                                    list[static_cast<std::size_t>(i)] = list[static_cast<std::size_t>(--n)];
                                } else {
                                    ++i;
                                }
                            }
                            continue;
                        }
                        const unsigned self = g.Self(step.row);
                        for (long i = 0; i < n; ++i) {
                            const long e2 = step(list[static_cast<std::size_t>(i)]);
                            if (!SetIfUnknown(table, base2 + e2, depth + 1)) continue;
                            ++mine;
                            if (self == 1) continue;  // most representatives are kept by no symmetry
                            for (int j = 1; j < 16; ++j)
                                if ((self >> j & 1) && SetIfUnknown(table, base2 + g.SelfImage(step.row, e2, j), depth + 1)) ++mine;
                        }
                    }
                }
            }
            added.fetch_add(mine);
        };
        std::thread other(work, false);
        work(true);
        other.join();
        if (stop) return false;
        frontier = added.load();
        done += frontier;
    }
    if (progress) progress(1.0, what);
    return true;
}

// Rows of the twist, flip and middle edges: a flip-slice class each, entries order of
// the middle edges * 2187 + twist.
struct SliceRows {
    const MoveTables& mv = Moves();
    const shortest::SearchTables& st = shortest::Tables();
    long rows = kSliceClasses, rowLength = kSliceRow;
    std::vector<std::uint16_t> self = std::vector<std::uint16_t>(kSliceClasses, 1);

    SliceRows() {
        for (int c = 0; c < kSliceClasses; ++c) {
            const int r = static_cast<int>(st.classRep[c]);
            CubieCube cube = WithSortedSlice((r >> 11) * 24);
            SetFlip(cube, r & 2047);
            for (int s = 1; s < 16; ++s) {
                const CubieCube x = shortest::ConjugateBySymmetry(cube, s);
                if (shortest::SliceOf(x) * 2048 + shortest::FlipOf(x) == r) self[static_cast<std::size_t>(c)] |= static_cast<std::uint16_t>(1 << s);
            }
        }
    }
    struct Move {
        long row;
        const SliceRows* g;
        std::uint8_t order[24];  // the order reached from each order, seen through the symmetry
        int m, s;
        long operator()(std::uint32_t e) const {
            return static_cast<long>(order[e / kTwists]) * kTwists + g->st.twistConj[g->st.twistMove[e % kTwists][m]][s];
        }
    };
    Move Step(int c, int m) const {
        const int r = static_cast<int>(st.classRep[c]), slice = r >> 11;
        Move step{};
        step.g = this;
        step.m = m;
        // The set of places after the move does not depend on the order, so neither
        // do the class and symmetry reached.
        const int reached = mv.sortedSlice[slice * 24][m];
        const std::uint32_t cs = st.flipSliceClassSym[(reached / 24) * 2048 + st.flipMove[r & 2047][m]];
        step.row = cs & 0xffff;
        step.s = static_cast<int>(cs >> 16);
        for (int o = 0; o < 24; ++o) step.order[o] = mv.sliceOrderConj[mv.sortedSlice[slice * 24 + o][m]][step.s];
        return step;
    }
    unsigned Self(long c) const { return self[static_cast<std::size_t>(c)]; }
    long SelfImage(long c, long e, int j) const {
        const int slice = static_cast<int>(st.classRep[c] >> 11);
        return static_cast<long>(mv.sliceOrderConj[slice * 24 + e / kTwists][j]) * kTwists + st.twistConj[e % kTwists][j];
    }
};

// Rows of the corners with the middle places: a corner class each, entries twist *
// places + middle places (495 places, or 1 for the corners alone).
struct CornerRows {
    const MoveTables& mv = Moves();
    const shortest::SearchTables& st = shortest::Tables();
    long places;
    long rows = kCornerClasses, rowLength = kTwists * places;
    std::vector<std::uint16_t> classMove = std::vector<std::uint16_t>(static_cast<std::size_t>(kCornerClasses) * 18);
    std::vector<std::uint16_t> self = std::vector<std::uint16_t>(kCornerClasses, 1);

    explicit CornerRows(long middlePlaces) : places(middlePlaces) {
        // The representative of each class is the permutation seen through symmetry 0.
        std::vector<int> rep(kCornerClasses, -1);
        for (int p = 0; p < kCornerPerms; ++p)
            if ((st.cornerClassSym[p] & 15) == 0) rep[static_cast<std::size_t>(st.cornerClassSym[p] >> 4)] = p;
        for (int c = 0; c < kCornerClasses; ++c) {
            const int r = rep[static_cast<std::size_t>(c)];
            if (r < 0) std::abort();  // the two-phase tables hold another class count
            for (int m = 0; m < 18; ++m) classMove[static_cast<std::size_t>(c) * 18 + m] = st.cornerClassSym[mv.cornerPerm[r][m]];
            CubieCube cube = shortest::SolvedCubie();
            shortest::UnrankPerm(r, cube.cp, 8, 0);
            for (int s = 1; s < 16; ++s)
                if (CornerPermRank(shortest::ConjugateBySymmetry(cube, s).cp) == r) self[static_cast<std::size_t>(c)] |= static_cast<std::uint16_t>(1 << s);
        }
    }
    struct Move {
        long row;
        const CornerRows* g;
        int m, s;
        long operator()(std::uint32_t e) const {
            const auto& st = g->st;
            const long places = g->places;
            const long twist = st.twistConj[st.twistMove[e / places][m]][s];
            return places == 1 ? twist : twist * places + g->mv.sliceConj[st.sliceMove[e % places][m]][s];
        }
    };
    Move Step(int c, int m) const {
        const int cs = classMove[static_cast<std::size_t>(c) * 18 + m];
        return {cs >> 4, this, m, cs & 15};
    }
    unsigned Self(long c) const { return self[static_cast<std::size_t>(c)]; }
    long SelfImage(long, long e, int j) const {
        const long twist = st.twistConj[e / places][j];
        return places == 1 ? twist : twist * places + mv.sliceConj[e % places][j];
    }
};

}  // namespace

bool BuildSliceTable(std::uint8_t* slices, const BuildProgress& progress) {
    if (progress && !progress(0.0, "middle edges")) return false;
    return FillRows(slices, SliceRows(), progress, "middle edges", 13.0);
}

bool BuildCornerSliceTable(std::uint8_t* table, const BuildProgress& progress) {
    if (progress && !progress(0.0, "corners and middle edges")) return false;
    return FillRows(table, CornerRows(kMiddlePlaces), progress, "corners and middle edges", 14.0);
}

bool BuildCornerClassTable(std::uint8_t* table) { return FillRows(table, CornerRows(1), nullptr, "corners", 12.0); }

std::uint64_t Checksum(const std::uint8_t* data, long bytes) {
    std::uint64_t h = 0x6a09e667f3bcc908ULL ^ static_cast<std::uint64_t>(bytes);
    long i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, data + i, 8);
        h = (h ^ w) * 0x9e3779b97f4a7c15ULL;
        h ^= h >> 29;
    }
    for (; i < bytes; ++i) h = (h ^ data[i]) * 0x100000001b3ULL;
    return h;
}

bool BuildTables(int n, std::uint8_t* corners, std::uint8_t* edges, const BuildProgress& given) {
    // The layer estimates can overshoot; the share reported never goes back.
    double shown = 0;
    const BuildProgress progress = [&](double share, const char* what) {
        shown = share > shown ? share : shown;
        return !given || given(shown, what);
    };
    const MoveTables& mv = Moves();
    const shortest::SearchTables& st = shortest::Tables();
    const long all = kCornerEntries + EdgeEntries(n);
    auto cornerNeighbours = [&](long i, long* out) {
        const int perm = static_cast<int>(i / kTwists), tw = static_cast<int>(i % kTwists);
        for (int m = 0; m < 18; ++m) out[m] = static_cast<long>(mv.cornerPerm[perm][m]) * kTwists + st.twistMove[tw][m];
    };
    if (!FillNibbles(corners, kCornerEntries, cornerNeighbours, progress, 0, all, "corners")) return false;
    auto edgeNeighbours = [&](long i, long* out) {
        std::uint8_t loc[12], next[12];
        EdgeLocsOf(i, n, loc);
        for (int m = 0; m < 18; ++m) {
            for (int k = 0; k < n; ++k) next[k] = mv.edgeLoc[loc[k]][m];
            out[m] = EdgeIndex(next, n);
        }
    };
    if (!FillNibbles(edges, EdgeEntries(n), edgeNeighbours, progress, kCornerEntries, all, "edges")) return false;
    if (progress) progress(1.0, "edges");
    return true;
}

std::string CacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && *xdg == '/') return std::string(xdg) + "/velmora";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.cache/velmora";
}

std::string TablePath(TableSize size) {
    return CacheFolder() + "/optimal-" + TableSizeName(size) + ".tables";
}

const PruneTables* LoadedTables(TableSize size) {
    std::lock_guard<std::mutex> lock(gLoadMutex);
    Loaded& slot = gLoaded[static_cast<int>(size)];
    return slot.ready ? &slot.tables : nullptr;
}

const PruneTables* LoadTables(TableSize size, const BuildProgress& progress, LoadReport& report) {
    std::lock_guard<std::mutex> lock(gLoadMutex);
    Loaded& slot = gLoaded[static_cast<int>(size)];
    if (!slot.ready) {
        if (!OpenTables(size, progress, report, slot.tables)) return nullptr;
        slot.ready = true;
    } else {
        report.outcome = LoadOutcome::Mapped;
    }
    return &slot.tables;
}

bool OpenTables(TableSize size, const BuildProgress& progress, LoadReport& report, PruneTables& out) {
    const std::string path = TablePath(size);
    std::string why;
    if (const std::uint8_t* data = MapChecked(path, size, why)) {
        Fill(out, size, data, path);
        report.outcome = LoadOutcome::Mapped;
        return true;
    }
    const bool damaged = why != "missing";

    const auto start = std::chrono::steady_clock::now();
    const long bytes = FileBytes(size);
    const int n = EdgePieces(size);
    void* buffer = ::mmap(nullptr, static_cast<std::size_t>(bytes), PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (buffer == MAP_FAILED) {
        report.outcome = LoadOutcome::Failed;
        report.message = "not enough memory to build the tables";
        return false;
    }
    auto* data = static_cast<std::uint8_t*>(buffer);
    bool builtAll;
    if (size == TableSize::Huge) {
        // The corners and edges take a small share of the time, the two large tables
        // about as long each.
        auto part = [&](double from, double width) {
            return BuildProgress([&progress, from, width](double share, const char* what) {
                return !progress || progress(from + width * share, what);
            });
        };
        std::uint8_t* slices = data + kHeaderBytes + kCornerEntries / 2 + EdgeEntries(n) / 2;
        builtAll = BuildTables(n, data + kHeaderBytes, data + kHeaderBytes + kCornerEntries / 2, part(0, 0.03)) &&
                   BuildSliceTable(slices, part(0.03, 0.5)) &&
                   BuildCornerSliceTable(slices + kSliceEntries / 2, part(0.53, 0.47));
    } else {
        builtAll = BuildTables(n, data + kHeaderBytes, data + kHeaderBytes + kCornerEntries / 2, progress);
    }
    if (!builtAll) {
        ::munmap(buffer, static_cast<std::size_t>(bytes));
        report.outcome = LoadOutcome::Cancelled;
        report.message = "cancelled";
        return false;
    }
    FileHeader h{};
    std::memcpy(h.magic, kMagic, sizeof kMagic);
    h.edgePieces = static_cast<std::uint32_t>(n);
    h.reserved = LayoutOf(size);
    h.cornerBytes = static_cast<std::uint64_t>(kCornerEntries / 2);
    h.edgeBytes = static_cast<std::uint64_t>(EdgeEntries(n) / 2);
    h.checksum = Checksum(data + kHeaderBytes, bytes - kHeaderBytes);
    std::memcpy(data, &h, sizeof h);
    report.buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    report.outcome = damaged ? LoadOutcome::Rebuilt : LoadOutcome::Built;
    if (damaged)
        report.message = why == "older" ? "the table file was of an older layout and has been built again"
                                        : "the table file was " + why + " and has been built again";

    // Written under a name of this process, then renamed: a reader never sees half a file.
    const std::string temp = path + ".part" + std::to_string(::getpid());
    bool written = false;
    if (MakeFolders(CacheFolder())) {
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd >= 0) {
            written = WriteAll(fd, data, bytes) && ::fsync(fd) == 0;
            written = ::close(fd) == 0 && written;
            written = written && ::rename(temp.c_str(), path.c_str()) == 0;
            if (!written) ::unlink(temp.c_str());
        }
    }
    // The file is mapped before the built tables are let go, and read and checked after:
    // reading it back while they were held took twice the tables' size in memory, where
    // searching takes it once.
    if (const std::uint8_t* mapped = written ? MapSized(path, size, why) : nullptr) {
        ::munmap(buffer, static_cast<std::size_t>(bytes));
        if (!CheckedOrUnmapped(mapped, size, why)) {
            report.outcome = LoadOutcome::Failed;
            report.message = "the table file just written does not read back (" + why + ")";
            return false;
        }
        Fill(out, size, mapped, path);
        return true;
    }
    // The cache cannot be written: the tables stay in this process's memory.
    if (!report.message.empty()) report.message += "; ";
    report.message += "the cache folder cannot be written, the tables are kept in memory only";
    ::mprotect(buffer, static_cast<std::size_t>(bytes), PROT_READ);
    Fill(out, size, data, path);
    return true;
}

void CloseTables(PruneTables& t) {
    if (t.corners) ::munmap(const_cast<std::uint8_t*>(t.corners - kHeaderBytes), static_cast<std::size_t>(t.fileBytes));
    t.corners = t.edges = t.slices = t.cornerSlices = nullptr;
}

}  // namespace velmora::optimal
