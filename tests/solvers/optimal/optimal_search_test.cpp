// The fewest-turns search on the small table set: every solution replays to the solved
// cube and is exactly as long as an exhaustive search says (to eight turns, by meeting
// in the middle); deeper cubes get no more turns than they were scrambled with; a
// cancelled or timed-out search gives its fallback unproven; the table file is checked
// and built again when damaged; the method plays and records its solution.
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "solvers/optimal/optimal_search.h"
#include "solvers/optimal/optimal_table_choice.h"
#include "solvers/shortest/search_tables.h"
#include "solvers/shortest/two_phase.h"
#include "support/model_fixture.h"
#include "support/sanitized.h"

namespace velmora::test {
namespace {

using shortest::CubieCube;
using shortest::MoveCubie;
using shortest::Multiply;

// Every test uses one cache folder, so the small tables are built once for all runs.
std::string TestCache() {
    return (std::filesystem::temp_directory_path() / "velmora-test-cache").string();
}

const optimal::PruneTables& SmallTables() {
    static const optimal::PruneTables* tables = [] {
        ::setenv("XDG_CACHE_HOME", TestCache().c_str(), 1);
        optimal::LoadReport report;
        return optimal::LoadTables(optimal::TableSize::Small, nullptr, report);
    }();
    return *tables;
}

CubieCube Apply(CubieCube c, const std::vector<int>& moves) {
    for (int m : moves) c = Multiply(c, MoveCubie(m));
    return c;
}

std::vector<int> Scramble(std::mt19937& rng, int length) {
    std::vector<int> moves;
    while (static_cast<int>(moves.size()) < length) {
        const int m = static_cast<int>(rng() % 18);
        if (!moves.empty() && m / 3 == moves.back() / 3) continue;
        moves.push_back(m);
    }
    return moves;
}

using Key = std::array<std::uint8_t, 40>;
Key KeyOf(const CubieCube& c) {
    Key k;
    std::memcpy(k.data(), c.cp, 8);
    std::memcpy(k.data() + 8, c.co, 8);
    std::memcpy(k.data() + 16, c.ep, 12);
    std::memcpy(k.data() + 28, c.eo, 12);
    return k;
}

// Distances up to eight turns by brute force: every cube within four turns of solved
// with its distance, met by every cube within four turns of the position.
class Exhaustive {
public:
    Exhaustive() {
        Walk(shortest::SolvedCubie(), 0, -1, [this](const CubieCube& c, int d) {
            const Key k = KeyOf(c);
            auto it = near_.find(k);
            if (it == near_.end() || it->second > d) near_[k] = d;
        });
    }
    // The distance when it is at most 8, else -1.
    int Distance(const CubieCube& c) const {
        int best = -1;
        Walk(c, 0, -1, [&](const CubieCube& x, int d) {
            auto it = near_.find(KeyOf(x));
            if (it != near_.end() && (best < 0 || it->second + d < best)) best = it->second + d;
        });
        return best;
    }

private:
    template <typename Visit>
    static void Walk(const CubieCube& c, int depth, int last, const Visit& visit) {
        visit(c, depth);
        if (depth == 4) return;
        for (int m = 0; m < 18; ++m) {
            if (last >= 0 && m / 3 == last / 3) continue;
            Walk(Multiply(c, MoveCubie(m)), depth + 1, m, visit);
        }
    }
    std::map<Key, int> near_;
};

// look: when above 0, the longer two-phase look of that many steps comes before the
// first length; target: when above 0, a look of that many steps for a solution of the
// length itself comes before each length.
optimal::OptimalSolution Solve(const CubieCube& c, double maxSeconds = 0, bool cancelled = false, long look = 0,
                               long target = 0) {
    optimal::SearchControl control;
    control.maxSeconds = maxSeconds;
    control.cancel = cancelled;
    if (look > 0) {
        control.shortenFrom = 0;
        control.shortenEffort = look;
    }
    control.targetFrom = 0;
    control.targetEffort = target;
    optimal::OptimalSolution s;
    EXPECT_TRUE(optimal::SolveOptimal(c, SmallTables(), control, s));
    return s;
}

bool Restores(const CubieCube& c, const optimal::OptimalSolution& s) {
    CubieCube x = c;
    for (int i = 0; i < s.length; ++i) x = Multiply(x, MoveCubie(s.moves[i]));
    return x == shortest::SolvedCubie();
}

TEST(OptimalSearch, SolutionsReplayAndMatchAnExhaustiveSearchToEightTurns) {
    static const Exhaustive exhaustive;
    std::mt19937 rng(36);
    for (int length = 0; length <= 14; ++length) {
        for (int k = 0; k < (length <= 10 ? 3 : 2); ++k) {
            const std::vector<int> scramble = Scramble(rng, length);
            const CubieCube c = Apply(shortest::SolvedCubie(), scramble);
            const optimal::OptimalSolution s = Solve(c);
            ASSERT_TRUE(Restores(c, s)) << "scrambled with " << length;
            EXPECT_TRUE(s.proven);
            EXPECT_LE(s.length, length);
            EXPECT_LE(optimal::RootBound(c, SmallTables()), s.length) << "the bound is a lower bound";
            const int exact = exhaustive.Distance(c);
            if (exact >= 0) EXPECT_EQ(s.length, exact) << "scrambled with " << length;
            else EXPECT_GT(s.length, 8) << "no solution within eight turns exists";
        }
    }
}

TEST(OptimalSearch, OneThreadAndTwoFindTheSameSolution) {
    std::mt19937 rng(7);
    const CubieCube c = Apply(shortest::SolvedCubie(), Scramble(rng, 12));
    optimal::SearchControl one, two;
    one.threads = 1;
    two.threads = 2;
    optimal::OptimalSolution a, b;
    ASSERT_TRUE(optimal::SolveOptimal(c, SmallTables(), one, a));
    ASSERT_TRUE(optimal::SolveOptimal(c, SmallTables(), two, b));
    ASSERT_EQ(a.length, b.length);
    EXPECT_TRUE(std::equal(a.moves, a.moves + a.length, b.moves));
}

// Longer two-phase looks before the search's longest lengths, the open one and the one
// for a solution of the length about to be searched: moved down to the first length
// here, each must keep the fewest turns and the proof, and where it finds a solution of
// the fewest turns the search of that length is spared (one thread, so the counts of
// positions are those of the same search).
TEST(OptimalSearch, LongerTwoPhaseLooksKeepTheFewestTurnsAndSpareTheLastLength) {
    for (const bool targeted : {false, true}) {
        std::mt19937 rng(17);
        int spared = 0;
        for (int k = 0; k < 6; ++k) {
            const CubieCube c = Apply(shortest::SolvedCubie(), Scramble(rng, 11 + k % 2));
            optimal::SearchControl plain, look;
            plain.threads = look.threads = 1;
            plain.shortenFrom = look.shortenFrom = 99;
            plain.targetFrom = look.targetFrom = 99;
            if (targeted) {
                look.targetFrom = 0;
                look.targetEffort = 200'000;
            } else {
                look.shortenFrom = 0;
                look.shortenEffort = 200'000;
            }
            optimal::OptimalSolution a, b;
            ASSERT_TRUE(optimal::SolveOptimal(c, SmallTables(), plain, a));
            ASSERT_TRUE(optimal::SolveOptimal(c, SmallTables(), look, b));
            ASSERT_TRUE(Restores(c, b));
            EXPECT_TRUE(a.proven && b.proven);
            EXPECT_EQ(b.length, a.length) << "cube " << k << (targeted ? " (targeted)" : "");
            EXPECT_EQ(b.lowerBound, b.length);
            EXPECT_LE(b.nodes, a.nodes) << "cube " << k;
            spared += b.nodes < a.nodes;
            if (targeted) {
                // The same on two threads.
                optimal::SearchControl beside;
                beside.targetFrom = 0;
                beside.targetEffort = 200'000;
                optimal::OptimalSolution d;
                ASSERT_TRUE(optimal::SolveOptimal(c, SmallTables(), beside, d));
                ASSERT_TRUE(Restores(c, d));
                EXPECT_TRUE(d.proven);
                EXPECT_EQ(d.length, a.length) << "cube " << k << " (two threads)";
            }
        }
        EXPECT_GT(spared, 0) << "the look found none of the fewest turns" << (targeted ? " (targeted)" : "");
    }
}

// The huge set's two tables with their true entries for the parts within three turns
// of solved and 0 (a lower bound too) elsewhere, in memory that is only reserved, and
// the corner and edge tables all 0, so that even cubes of a few turns are searched:
// the huge set's search, which reads its children's entries in stages across several
// paths at once.
class NearHugeTables {
public:
    NearHugeTables() : tables_(SmallTables()) {
        const shortest::SearchTables& st = shortest::Tables();
        const optimal::MoveTables& mv = optimal::Moves();
        slices_ = Reserve(optimal::kSliceEntries / 2 + 1);
        cornerSlices_ = Reserve(optimal::kCornerSliceEntries / 2 + 1);
        Spread([&](std::array<int, 3> x, int m) {
            return std::array<int, 3>{mv.sortedSlice[x[0]][m], st.flipMove[x[1]][m], st.twistMove[x[2]][m]};
        }, [&](std::array<int, 3> x) { return optimal::PruneTables::SliceIndex(x[0], x[1], x[2], st, mv); }, slices_);
        Spread([&](std::array<int, 3> x, int m) {
            return std::array<int, 3>{mv.cornerPerm[x[0]][m], st.twistMove[x[1]][m], st.sliceMove[x[2]][m]};
        }, [&](std::array<int, 3> x) {
            return optimal::PruneTables::CornerSliceIndex(st.cornerClassSym[x[0]], x[1], x[2], st, mv);
        }, cornerSlices_);
        tables_.slices = slices_;
        tables_.cornerSlices = cornerSlices_;
        zeros_ = Reserve(kZeroBytes);
        tables_.corners = zeros_;
        tables_.edges = zeros_;
    }
    ~NearHugeTables() {
        ::munmap(zeros_, kZeroBytes);
        ::munmap(slices_, optimal::kSliceEntries / 2 + 1);
        ::munmap(cornerSlices_, optimal::kCornerSliceEntries / 2 + 1);
    }
    const optimal::PruneTables& Tables() const { return tables_; }

private:
    static std::uint8_t* Reserve(long bytes) {
        void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        EXPECT_NE(p, MAP_FAILED);
        ::madvise(p, bytes, MADV_NOHUGEPAGE);
        return static_cast<std::uint8_t*>(p);
    }
    // Breadth-first from the solved coordinates to three turns, each distance written
    // at its entry.
    template <typename Step, typename Index>
    static void Spread(const Step& step, const Index& index, std::uint8_t* table) {
        std::set<std::array<int, 3>> seen{{0, 0, 0}};
        std::vector<std::array<int, 3>> layer{{0, 0, 0}};
        for (int d = 1; d <= 3; ++d) {
            std::vector<std::array<int, 3>> next;
            for (const auto& x : layer)
                for (int m = 0; m < 18; ++m) {
                    const auto y = step(x, m);
                    if (!seen.insert(y).second) continue;
                    next.push_back(y);
                    const long i = index(y);
                    table[i >> 1] = static_cast<std::uint8_t>(table[i >> 1] | d << ((i & 1) << 2));
                }
            layer = std::move(next);
        }
    }
    static constexpr long kZeroBytes = std::max(optimal::kCornerEntries, optimal::EdgeEntries(8)) / 2 + 1;
    optimal::PruneTables tables_;
    std::uint8_t* zeros_ = nullptr;
    std::uint8_t* slices_ = nullptr;
    std::uint8_t* cornerSlices_ = nullptr;
};

TEST(OptimalSearch, HugeTableSearchFindsWhatTheSmallTablesFind) {
    const NearHugeTables near;
    std::mt19937 rng(2026);
    long long searched = 0;
    for (int length = 3; length <= 5; ++length) {
        for (int k = 0; k < 3; ++k) {
            const CubieCube c = Apply(shortest::SolvedCubie(), Scramble(rng, length));
            // Both searches find the solution themselves (the two-phase one is as
            // short for such cubes), the first in move order, so the same.
            optimal::SearchControl control, smallControl;
            control.threads = 1 + k % 2;
            control.searchEveryLength = smallControl.searchEveryLength = true;
            optimal::OptimalSolution huge, small;
            ASSERT_TRUE(optimal::SolveOptimal(c, near.Tables(), control, huge));
            ASSERT_TRUE(optimal::SolveOptimal(c, SmallTables(), smallControl, small));
            EXPECT_TRUE(huge.proven);
            ASSERT_EQ(huge.length, small.length) << "scrambled with " << length;
            EXPECT_TRUE(std::equal(huge.moves, huge.moves + huge.length, small.moves));
            EXPECT_TRUE(Restores(c, huge));
            searched += huge.nodes;
        }
    }
    EXPECT_GT(searched, 1000) << "the cubes are searched, not only bounded";
    // Stopped at once, it gives the fallback, not proven.
    CubieCube superflip = shortest::SolvedCubie();
    for (auto& e : superflip.eo) e = 1;
    optimal::SearchControl control;
    control.maxSeconds = 1e-9;
    optimal::OptimalSolution s;
    ASSERT_TRUE(optimal::SolveOptimal(superflip, near.Tables(), control, s));
    EXPECT_FALSE(s.proven);
    EXPECT_TRUE(Restores(superflip, s));
}

// Every sequence of five turns of a cube with symmetries, seen through one of the
// symmetries that map the cube to itself (its turns rearranged so that on each axis
// the lower face comes first), begins as one of the search's starts: the starts leave
// out no solution. Through the symmetries of every edge flipped in place (all 48),
// every edge flipped with every corner twisted (24), and a mirror image's.
TEST(OptimalSearch, SymmetricCubesAreSearchedFromStartsThatLeaveOutNoSolution) {
    const shortest::SearchTables& t = shortest::Tables();
    auto seen = [&t](const CubieCube& c, int j) {
        return shortest::ConjugateBySymmetry(Multiply(Multiply(t.diagonal[j / 16], c), t.diagonalInverse[j / 16]), j % 16);
    };
    CubieCube superflip = shortest::SolvedCubie();
    for (auto& e : superflip.eo) e = 1;
    const CubieCube twisted = Apply(shortest::SolvedCubie(), {0, 3, 8, 15, 2, 11, 6, 2, 9, 6, 12, 8, 14, 0, 3, 9, 6, 0, 3, 12});
    const CubieCube mirrored = Apply(shortest::SolvedCubie(), {1, 3, 14, 7, 4, 13, 10, 5, 12});
    const auto redundant = [](int m, int last) { return last >= 0 && (m / 3 == last / 3 || m / 3 + 3 == last / 3); };
    const std::vector<std::pair<CubieCube, int>> cubes = {{superflip, 48}, {twisted, 24}, {mirrored, 2}};
    for (const auto& [c, expected] : cubes) {
        std::vector<std::array<int, 18>> maps;  // the cube's own symmetries, on the moves
        for (int j = 1; j < 48; ++j) {
            if (!(seen(c, j) == c)) continue;
            std::array<int, 18> map{};
            for (int m = 0; m < 18; ++m)
                for (int n = 0; n < 18; ++n)
                    if (seen(MoveCubie(m), j) == MoveCubie(n)) map[m] = n;
            maps.push_back(map);
        }
        ASSERT_EQ(static_cast<int>(maps.size()) + 1, expected);
        std::vector<optimal::SearchStart> starts(optimal::kMaxSymmetricStarts);
        const int count = optimal::SymmetricStarts(c, starts.data());
        // The move allowed after each start's moves (by their number in base 18), or -2.
        std::vector<int> lastAfter(3 * 18 * 18 * 18 * 18, -2);
        auto number = [](const int* moves, int n) {
            int x = 0;
            for (int i = 0; i < n; ++i) x = x * 18 + moves[i];
            return (n - 2) * 18 * 18 * 18 * 18 + x;
        };
        for (int i = 0; i < count; ++i) {
            const int moves[4] = {starts[i].moves[0], starts[i].moves[1], starts[i].moves[2], starts[i].moves[3]};
            ASSERT_GE(starts[i].count, 2);
            lastAfter[number(moves, starts[i].count)] = starts[i].last;
        }
        auto searched = [&](const int* x) {
            for (int n = 2; n <= 4; ++n)
                if (const int last = lastAfter[number(x, n)]; last != -2 && !redundant(x[n], last)) return true;
            return false;
        };
        long total = 0, begun = 0, missed = 0;
        int x[5];
        std::function<void(int)> walk = [&](int depth) {
            if (depth == 5) {
                ++total;
                if (searched(x)) return void(++begun);
                for (const auto& map : maps) {
                    int y[5];
                    for (int i = 0; i < 5; ++i) y[i] = map[x[i]];
                    for (int i = 0; i + 1 < 5; ++i)
                        if (y[i] / 3 == y[i + 1] / 3 + 3) std::swap(y[i], y[i + 1]);
                    if (searched(y)) return;
                }
                ++missed;
                return;
            }
            for (int m = 0; m < 18; ++m) {
                if (redundant(m, depth == 0 ? -1 : x[depth - 1])) continue;
                x[depth] = m;
                walk(depth + 1);
            }
        };
        walk(0);
        EXPECT_EQ(missed, 0) << maps.size() << " symmetries";
        // Nearly one sequence in as many as the cube has symmetries (the identity with them).
        const long symmetries = static_cast<long>(maps.size()) + 1;
        EXPECT_LT(begun * symmetries * 4, total * 5) << symmetries << " symmetries";
    }
    EXPECT_EQ(optimal::SymmetricStarts(Apply(shortest::SolvedCubie(), {0, 3, 6}), nullptr), 0);

    // Searched from the starts, cubes made of blocks that a symmetry keeps (turning half
    // about U-D, mirroring left and right, the axes' half-turn pairs) are solved in as
    // few turns as from every start, with fewer positions: on the huge set's stand-in
    // for the short ones, on the small set for the others.
    const NearHugeTables near;
    const std::vector<std::vector<int>> words = {
        {0, 3, 12, 9}, {1, 3, 14}, {0, 3, 12, 7, 16, 10}, {4, 13, 1, 9, 6, 15, 5, 14},
        {3, 14, 1, 7, 4, 13, 10, 5, 12}, {1, 10, 4, 13, 7, 16, 1, 10}};
    long long with = 0, without = 0;
    for (const auto& word : words) {
        const CubieCube c = Apply(shortest::SolvedCubie(), word);
        const optimal::PruneTables& tables = word.size() <= 5 ? near.Tables() : SmallTables();
        optimal::SearchControl reduced, plain;
        reduced.searchEveryLength = plain.searchEveryLength = true;
        plain.useSymmetries = false;
        optimal::OptimalSolution a, b;
        ASSERT_TRUE(optimal::SolveOptimal(c, tables, reduced, a));
        ASSERT_TRUE(optimal::SolveOptimal(c, tables, plain, b));
        EXPECT_TRUE(a.proven && Restores(c, a));
        EXPECT_EQ(a.length, b.length) << word.size() << " turns";
        with += a.nodes;
        without += b.nodes;
    }
    EXPECT_LT(with, without);
}

TEST(OptimalSearch, StoppedSearchGivesTheFallbackUnprovenWithALowerBound) {
    // Every edge flipped in place: twenty turns, far beyond what is searched before the
    // first look at the stop conditions. Cancel and the time limit also end a longer
    // look of a trillion steps at once.
    CubieCube superflip = shortest::SolvedCubie();
    for (auto& e : superflip.eo) e = 1;
    constexpr long kEndless = 1'000'000'000'000L;
    for (const auto& s : {Solve(superflip, 0, true), Solve(superflip, 1e-9), Solve(superflip, 0, true, kEndless),
                          Solve(superflip, 1e-9, false, kEndless), Solve(superflip, 0, true, 0, kEndless),
                          Solve(superflip, 1e-9, false, 0, kEndless)}) {
        EXPECT_FALSE(s.proven);
        EXPECT_TRUE(s.cancelled);
        EXPECT_TRUE(Restores(superflip, s));
        EXPECT_LE(s.length, 20);
        EXPECT_GE(s.lowerBound, optimal::RootBound(superflip, SmallTables()));
        EXPECT_LE(s.lowerBound, 20);
    }
}

TEST(OptimalSearch, UnsolvableCubeIsRefused) {
    CubieCube c = shortest::SolvedCubie();
    c.eo[0] = 1;  // one edge flipped alone
    optimal::SearchControl control;
    optimal::OptimalSolution s;
    EXPECT_FALSE(optimal::SolveOptimal(c, SmallTables(), control, s));
}

// This process's resident memory in kilobytes, now ("VmRSS") or at its peak ("VmHWM").
long ResidentKb(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field) + 1);
    return -1;
}

// Sets the peak of resident memory back to what is resident now; false where the
// system does not allow it.
bool ResetResidentPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

TEST(OptimalTables, DamagedFileIsBuiltAgainAndCancelledBuildWritesNothing) {
    if (kSanitized) GTEST_SKIP() << "building the tables takes minutes under the sanitizer; the release run builds them";
    SmallTables();
    const std::string original = optimal::TablePath(optimal::TableSize::Small);
    const std::string saved = std::getenv("XDG_CACHE_HOME");
    const std::string folder = TestCache() + "-damaged";
    std::filesystem::remove_all(folder);
    ::setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    const std::string copy = optimal::TablePath(optimal::TableSize::Small);

    optimal::PruneTables t;
    optimal::LoadReport cancelled;
    EXPECT_FALSE(optimal::OpenTables(optimal::TableSize::Small, [](double, const char*) { return false; }, cancelled, t));
    EXPECT_EQ(cancelled.outcome, optimal::LoadOutcome::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(copy));

    // A damaged file sets a build going (stopped here at once, as one build is enough
    // for the test) and is left as it was.
    std::filesystem::create_directories(optimal::CacheFolder());
    std::filesystem::copy_file(original, copy);
    {
        std::fstream f(copy, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(optimal::kHeaderBytes + 1000);
        f.put(static_cast<char>(SmallTables().corners[1000] ^ 0x11));
    }
    bool building = false;
    optimal::LoadReport damaged;
    EXPECT_FALSE(optimal::OpenTables(optimal::TableSize::Small, [&](double, const char*) { building = true; return false; }, damaged, t));
    EXPECT_TRUE(building) << "the damaged file is built again";
    EXPECT_EQ(damaged.outcome, optimal::LoadOutcome::Cancelled);
    EXPECT_EQ(std::filesystem::file_size(copy), std::filesystem::file_size(original));

    // A file of another layout (an earlier program's, of another size) is built again
    // and said to be older, not damaged; the new file is the tables and is kept.
    {
        std::fstream f(copy, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(12);
        f.put(1);
    }
    std::filesystem::resize_file(copy, optimal::kHeaderBytes + 4096);
    // The build holds the tables once: the file is mapped and read only after the
    // built tables are let go (peak growth of about the tables' size, where holding
    // both took twice that).
    const long tableKb = optimal::FileBytes(optimal::TableSize::Small) >> 10;
    const long before = ResidentKb("VmRSS");
    const bool peakReset = ResetResidentPeak();
    optimal::LoadReport older;
    ASSERT_TRUE(optimal::OpenTables(optimal::TableSize::Small, nullptr, older, t));
    if (peakReset)
        EXPECT_LT(ResidentKb("VmHWM") - before, tableKb * 3 / 2) << "tables of " << tableKb << " KB";
    EXPECT_EQ(older.outcome, optimal::LoadOutcome::Rebuilt);
    FixedText<255> status;
    optimal::DescribeTables(optimal::TableSize::Small, 0, older, status);
    EXPECT_NE(std::string(status.c_str()).find("表文件是旧版程序写的，已重新建立"), std::string::npos) << status.c_str();
    optimal::CloseTables(t);
    optimal::LoadReport again;
    ASSERT_TRUE(optimal::OpenTables(optimal::TableSize::Small, nullptr, again, t));
    EXPECT_EQ(again.outcome, optimal::LoadOutcome::Mapped) << "the rebuilt file is kept";
    EXPECT_EQ(std::memcmp(t.corners, SmallTables().corners, optimal::kCornerEntries / 2), 0);
    EXPECT_EQ(std::memcmp(t.edges, SmallTables().edges, optimal::EdgeEntries(6) / 2), 0);
    optimal::CloseTables(t);
    ::setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    std::filesystem::remove_all(folder);
}

// The places of the middle edges, which the huge table set is indexed by: the move
// table follows the cubie moves, the solved cube is 0, and the moves reach every one
// of the 495 * 24 placings.
TEST(OptimalTables, MiddleEdgePlacesFollowTheMovesAndReachEveryPlacing) {
    const optimal::MoveTables& mv = optimal::Moves();
    EXPECT_EQ(optimal::SortedSliceOf(shortest::SolvedCubie()), 0);
    std::mt19937 rng(11880);
    for (int run = 0; run < 20; ++run) {
        CubieCube c = shortest::SolvedCubie();
        int ss = 0;
        for (int m : Scramble(rng, 30)) {
            c = Multiply(c, MoveCubie(m));
            ss = mv.sortedSlice[ss][m];
            ASSERT_EQ(ss, optimal::SortedSliceOf(c));
        }
    }
    std::vector<char> seen(optimal::kSortedSlices, 0);
    std::vector<int> queue{0};
    seen[0] = 1;
    for (std::size_t i = 0; i < queue.size(); ++i)
        for (int m = 0; m < 18; ++m) {
            const int next = mv.sortedSlice[queue[i]][m];
            ASSERT_LT(next, optimal::kSortedSlices);
            if (!seen[static_cast<std::size_t>(next)]) seen[static_cast<std::size_t>(next)] = 1, queue.push_back(next);
        }
    EXPECT_EQ(static_cast<int>(queue.size()), optimal::kSortedSlices);
}

// The huge set's two tables are read by a class of a symmetry coordinate with the other
// coordinates seen through the class's symmetry. A representative kept by some of the
// symmetries is seen through any of them, so a position has one entry for each view of
// it that is the representative itself, and the build gives those entries one distance.
// Every symmetric view of a cube must land on one of them, or the search would read
// another position's distance.
TEST(OptimalTables, HugeTableEntriesOfSymmetricViewsAreThoseOfOnePosition) {
    const optimal::MoveTables& mv = optimal::Moves();
    const shortest::SearchTables& st = shortest::Tables();
    auto sliceClassSym = [&](const CubieCube& x) { return st.flipSliceClassSym[shortest::SliceOf(x) * 2048 + shortest::FlipOf(x)]; };
    auto sliceEntry = [&](const CubieCube& x) {
        return optimal::PruneTables::SliceIndex(optimal::SortedSliceOf(x), shortest::FlipOf(x), shortest::TwistOf(x), st, mv);
    };
    auto cornerEntry = [&](const CubieCube& x) {
        return optimal::PruneTables::CornerSliceIndex(st.cornerClassSym[optimal::CornerPermRank(x.cp)], shortest::TwistOf(x),
                                                      shortest::SliceOf(x), st, mv);
    };
    EXPECT_EQ(sliceEntry(shortest::SolvedCubie()), 0);
    EXPECT_EQ(cornerEntry(shortest::SolvedCubie()), 0);
    std::mt19937 rng(2768);
    std::vector<long> seen;
    int keptRepresentatives = 0;
    for (int run = 0; run < 300; ++run) {
        const CubieCube c = Apply(shortest::SolvedCubie(), Scramble(rng, 25));
        std::vector<long> slices, corners;  // the entries of the views that are representatives
        for (int s = 0; s < 16; ++s) {
            const CubieCube view = shortest::ConjugateBySymmetry(c, s);
            ASSERT_EQ(mv.sliceConj[shortest::SliceOf(c)][s], shortest::SliceOf(view)) << "symmetry " << s;
            if (sliceClassSym(view) >> 16 == 0) slices.push_back(sliceEntry(view));
            if ((st.cornerClassSym[optimal::CornerPermRank(view.cp)] & 15) == 0) corners.push_back(cornerEntry(view));
        }
        ASSERT_FALSE(slices.empty());
        ASSERT_FALSE(corners.empty());
        keptRepresentatives += corners.size() > 1;
        for (int s = 0; s < 16; ++s) {
            const CubieCube view = shortest::ConjugateBySymmetry(c, s);
            const long a = sliceEntry(view), b = cornerEntry(view);
            ASSERT_TRUE(a >= 0 && a < optimal::kSliceEntries && b >= 0 && b < optimal::kCornerSliceEntries);
            ASSERT_NE(std::find(slices.begin(), slices.end(), a), slices.end()) << "run " << run << ", symmetry " << s;
            ASSERT_NE(std::find(corners.begin(), corners.end(), b), corners.end()) << "run " << run << ", symmetry " << s;
        }
        seen.push_back(slices[0]);
        seen.push_back(corners[0] + optimal::kSliceEntries);
    }
    EXPECT_GT(keptRepresentatives, 0) << "some corner representatives are kept by a symmetry";
    std::sort(seen.begin(), seen.end());
    EXPECT_GT(std::unique(seen.begin(), seen.end()) - seen.begin(), 590) << "scrambles spread over both tables";
}

// The huge set's tables are built a class row at a time, with every entry that stands
// for the same position through a symmetry kept by the representative set together.
// Built the same way over corner classes and twists alone, the distances must be the
// corner table's (built entry by entry over every permutation) for every corner
// position, read through its class and symmetry as the search reads them.
TEST(OptimalTables, ClassRowBuildGivesTheCornerDistanceOfEveryPosition) {
    const shortest::SearchTables& st = shortest::Tables();
    std::vector<std::uint8_t> byClass(static_cast<std::size_t>(optimal::kCornerClasses) * optimal::kTwists / 2 + 1);
    ASSERT_TRUE(optimal::BuildCornerClassTable(byClass.data()));
    const int step = kSanitized ? 7 : 1;
    long wrong = 0;
    std::array<long, 16> depths{};
    for (int perm = 0; perm < optimal::kCornerPerms; perm += step) {
        const int cs = st.cornerClassSym[perm];
        const long row = static_cast<long>(cs >> 4) * optimal::kTwists;
        for (int tw = 0; tw < optimal::kTwists; ++tw) {
            const int d = optimal::PruneTables::Nibble(byClass.data(), row + st.twistConj[tw][cs & 15]);
            wrong += d != SmallTables().Corner(perm, tw);
            ++depths[static_cast<std::size_t>(d)];
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(depths[15], 0) << "every entry reached";
    EXPECT_GT(depths[11], 0) << "the corners' deepest positions are 11 moves away";
}

TEST(OptimalTables, SizeNamesRoundTrip) {
    for (auto size : {optimal::TableSize::Small, optimal::TableSize::Large, optimal::TableSize::Huge}) {
        optimal::TableSize back = optimal::TableSize::Small;
        ASSERT_TRUE(optimal::ParseTableSize(optimal::TableSizeName(size), back));
        EXPECT_EQ(back, size);
        EXPECT_NE(optimal::TablePath(size).find(optimal::TableSizeName(size)), std::string::npos);
    }
    optimal::TableSize unchanged = optimal::TableSize::Large;
    EXPECT_FALSE(optimal::ParseTableSize("medium", unchanged));
    EXPECT_EQ(unchanged, optimal::TableSize::Large);
    EXPECT_LT(optimal::FileBytes(optimal::TableSize::Huge), 4L << 30) << "within the memory the method may take";
}

class OptimalMethod : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        SmallTables();
        m().methodChoice = 5;
        m().optimalRequest.tableSize = 0;
    }
};

TEST_F(OptimalMethod, RecordsTheProvenSolutionAndReplaysIt) {
    m().RunMoveString(0, "T+;R*;F-;L+;P*;");
    m().ExecuteAndSolve();
    EXPECT_EQ(m().methodUsed, 5);
    EXPECT_EQ(m().lastSolveResult, 1);
    EXPECT_EQ(m().lastSolveTurns, 5);
    EXPECT_TRUE(m().optimalFigures.proven);
    EXPECT_EQ(std::string(m().optimalFigures.note.view()), "最少 5 转（已证明）");
    EXPECT_NE(std::string(m().methodIdText.view()).find("最少 5 转（已证明）"), std::string::npos);
    m().RunMoveString(0, m().SolutionRecord.view().substr(kRecordMovesStart));
    EXPECT_TRUE(PiecesSolved(m().cube));
}

TEST_F(OptimalMethod, DeferredPlaysTheShortestSolutionAndTakesTheSearchedOneLater) {
    m().optimalRequest.deferred = true;
    m().RunMoveString(0, "R+;T+;R-;T-;F*;");
    m().ExecuteAndSolve();
    EXPECT_TRUE(m().optimalFigures.pending);
    EXPECT_FALSE(m().optimalFigures.searched);
    const std::string start = m().SolutionRecord.view().substr(0, kCodeLength).data();
    CubieCube c;
    std::memcpy(c.cp, m().optimalFigures.cube, 8);
    std::memcpy(c.co, m().optimalFigures.cube + 8, 8);
    std::memcpy(c.ep, m().optimalFigures.cube + 16, 12);
    std::memcpy(c.eo, m().optimalFigures.cube + 28, 12);
    const optimal::OptimalSolution s = Solve(c);
    EXPECT_EQ(s.length, 5);
    m().TakeOptimalSolution(s.moves, s.length, true, s.length, s.nodes, s.seconds);
    EXPECT_EQ(m().SolutionRecord.view().substr(0, kCodeLength), std::string_view(start).substr(0, kCodeLength));
    EXPECT_EQ(m().demoPos, kRecordMovesStart);
    EXPECT_EQ(m().lastSolveTurns, 5);
    m().RunMoveString(0, m().SolutionRecord.view().substr(kRecordMovesStart));
    EXPECT_TRUE(PiecesSolved(m().cube));
}

}  // namespace
}  // namespace velmora::test
