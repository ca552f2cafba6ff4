#include "transform/translate.h"

#include "model/loom_system.h"
#include "model/primitives.h"
#include "text/lang.h"
#include "transform/reanalyze.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace hw {

namespace {

LiftplanRow Bit(int k) {
    return LiftplanRow(1u << (k - 1));
}

bool Cell(const UnitGrid& g, int row, int column) {
    return g[size_t(row - 1)][size_t(column - 1)];
}

UnitGrid Complement(const UnitGrid& g) {
    UnitGrid c{};
    for (size_t r = 0; r < 16; ++r)
        for (size_t k = 0; k < 16; ++k) c[r][k] = !g[r][k];
    return c;
}

// Rows written as "1101": character c is column c + 1.
UnitGrid Rows(std::initializer_list<const char*> rows) {
    UnitGrid g{};
    size_t r = 0;
    for (const char* row : rows) {
        for (size_t c = 0; row[c] != 0 && c < 16; ++c) g[r][c] = row[c] == '1';
        ++r;
    }
    return g;
}

UnitPair Pair(int ends, int picks, const UnitGrid& u1, const UnitGrid& u2) {
    return {ends, picks, u1, u2};
}

// The second unit is the first with warp and weft exchanged.
UnitPair Reversed(int ends, int picks, const UnitGrid& u1) {
    return {ends, picks, u1, Complement(u1)};
}

// A twill of floats up/down/up/... on n ends; each row moves one end on.
// `shifts` gives each row's move (a broken twill), else row r moves r - 1.
UnitGrid Twill(std::initializer_list<int> floats, std::vector<int> shifts = {}) {
    std::vector<bool> base;
    bool up = true;
    for (int f : floats) {
        base.insert(base.end(), size_t(f), up);
        up = !up;
    }
    const int n = int(base.size());
    if (shifts.empty())
        for (int r = 0; r < n; ++r) shifts.push_back(r);
    UnitGrid g{};
    for (size_t r = 0; r < shifts.size(); ++r)
        for (int c = 0; c < n; ++c) g[r][size_t(c)] = base[size_t((c - shifts[r] + n * 16) % n)];
    return g;
}

// One end raised per row, `move` ends further on each row (a weft satin),
// or in the given order of ends.
UnitGrid Satin(int n, int move, std::vector<int> order = {}) {
    if (order.empty())
        for (int r = 0; r < n; ++r) order.push_back((r * move) % n);
    UnitGrid g{};
    for (size_t r = 0; r < order.size(); ++r) g[r][size_t(order[r])] = true;
    return g;
}

// A twill of `floats` on n shafts woven on a pointed threading and
// treadling (1..n..2): a diamond of period 2n - 2.
UnitGrid Diamond(std::initializer_list<int> floats) {
    const UnitGrid twill = Twill(floats);
    int n = 0;
    for (int f : floats) n += f;
    const int period = 2 * n - 2;
    auto pointed = [&](int i) { return i < n ? i : period - i; };
    UnitGrid g{};
    for (int r = 0; r < period; ++r)
        for (int c = 0; c < period; ++c)
            g[size_t(r)][size_t(c)] = twill[size_t(pointed(r))][size_t(pointed(c))];
    return g;
}

// Summer and Winter on ends tie-down 1, pattern, tie-down 2, pattern. A
// pattern pick lifts its tie-down and, where the block does not show, the
// pattern ends; "a" and "b" are the tabby picks. Rows as written are picks
// from the last one of the block to its first.
UnitPair SummerWinter(const char* picks) {
    UnitGrid up{}, down{};
    size_t r = 0;
    for (const char* p = picks; *p; ++p, ++r) {
        const char* u = "";
        const char* d = "";
        switch (*p) {
        case '1':
            u = "1000", d = "1101";
            break;
        case '2':
            u = "0010", d = "0111";
            break;
        case 'a':
            u = d = "1010";
            break;
        default:
            u = d = "0101";
            break;
        }
        for (size_t c = 0; c < 4; ++c) {
            up[r][c] = u[c] == '1';
            down[r][c] = d[c] == '1';
        }
    }
    return {4, int(r), up, down};
}

std::vector<UnitLibraryEntry> MakeLibrary() {
    const std::vector<int> broken4{0, 1, 3, 2}, broken6{0, 1, 2, 5, 4, 3};
    return {
        {"Taquete", Pair(4, 4, Rows({"1101", "1000", "0111", "0010"}),
                         Rows({"1000", "1101", "0010", "0111"}))},
        // Binding ends (odd) weave a 1/2 twill; the main ends (even) lie
        // under the face weft and over the other.
        {"Samitum", Pair(6, 6, Rows({"100000", "110101", "001000", "011101", "000010", "010111"}),
                         Rows({"110101", "100000", "011101", "001000", "010111", "000010"}))},
        {"Bronson Spot", Pair(4, 4, Rows({"1010", "1000", "0101", "1000"}),
                              Rows({"1010", "1111", "0101", "1111"}))},
        {"Bronson Lace",
         Pair(6, 6, Rows({"101010", "100000", "101010", "100000", "101010", "010101"}),
              Rows({"101010", "111111", "101010", "111111", "101010", "010101"}))},
        // Layer A on ends and picks 1 and 3, layer B on 2 and 4.
        {"Double Plain Interlocking", Pair(4, 4, Rows({"1000", "1110", "0010", "1011"}),
                                           Rows({"1101", "0100", "0111", "0001"}))},
        {"Summer & Winter, Alternating", SummerWinter("1a2b1a2b")},
        {"Summer & Winter, Alternating, no tabby", SummerWinter("1212")},
        {"Summer & Winter, Birdseye", SummerWinter("1a2b2a1b")},
        {"Summer & Winter, Birdseye, no tabby", SummerWinter("1221")},
        {"Summer & Winter, X-style", SummerWinter("1a1b2a2b")},
        {"Summer & Winter, X-style, no tabby", SummerWinter("1122")},
        {"Summer & Winter, Dukagang", SummerWinter("1a1b1a1b")},
        {"Monk's Belt", Pair(2, 4, Rows({"00", "10", "00", "01"}), Rows({"11", "10", "11", "01"}))},
        // Warp cords of paired ends against plain weave.
        {"Dimai", Pair(6, 4, Rows({"110110", "001001", "110110", "001001"}),
                       Rows({"101010", "010101", "101010", "010101"}))},
        {"Basket Weave", Reversed(4, 4, Rows({"1100", "1100", "0011", "0011"}))},
        {"Warp Rib 2/2", Reversed(2, 4, Rows({"10", "10", "01", "01"}))},
        {"Weft Rib 2/2", Reversed(4, 2, Rows({"1100", "0011"}))},
        {"Plain / Shadow Weave", Reversed(2, 2, Rows({"10", "01"}))},
        // Warp satins for the blocks, weft satins around them.
        {"Satin 5-end, move 2", Reversed(5, 5, Complement(Satin(5, 2)))},
        {"Satin 5-end, move 3", Reversed(5, 5, Complement(Satin(5, 3)))},
        {"Satin 6-end", Reversed(6, 6, Complement(Satin(6, 0, {0, 2, 4, 1, 5, 3})))},
        {"Satin 8-end, move 3", Reversed(8, 8, Complement(Satin(8, 3)))},
        {"Satin 8-end, move 5", Reversed(8, 8, Complement(Satin(8, 5)))},
        {"Satin 12-end, move 5", Reversed(12, 12, Complement(Satin(12, 5)))},
        {"Satin 12-end, move 7", Reversed(12, 12, Complement(Satin(12, 7)))},
        {"Broken Twill 4-end", Reversed(4, 4, Twill({3, 1}, broken4))},
        {"Broken Twill 6-end", Reversed(6, 6, Twill({4, 2}, broken6))},
        {"Twill 2/1 + 1/2", Reversed(3, 3, Twill({2, 1}))},
        {"Twill 3/1 + 1/3", Reversed(4, 4, Twill({3, 1}))},
        {"Twill 4/1 + 1/4", Reversed(5, 5, Twill({4, 1}))},
        {"Twill 3/2 + 2/3", Reversed(5, 5, Twill({3, 2}))},
        {"Twill 6-end 1", Reversed(6, 6, Twill({4, 2}))},
        {"Twill 6-end 2", Reversed(6, 6, Twill({3, 1, 1, 1}))},
        {"Twill 8-end 1", Reversed(8, 8, Twill({5, 3}))},
        {"Twill 8-end 2", Reversed(8, 8, Twill({3, 1, 1, 3}))},
        {"Twill 8-end 3", Reversed(8, 8, Twill({2, 1, 1, 2, 1, 1}))},
        {"Twill 12-end 1", Reversed(12, 12, Twill({7, 5}))},
        {"Twill 12-end 2", Reversed(12, 12, Twill({4, 2, 2, 4}))},
        {"Twill 16-end 1", Reversed(16, 16, Twill({9, 7}))},
        {"Twill 16-end 2", Reversed(16, 16, Twill({5, 2, 2, 2, 2, 3}))},
        {"Diamond 1", Reversed(6, 6, Diamond({2, 2}))},
        {"Diamond 2", Reversed(8, 8, Diamond({3, 2}))},
        {"Diamond 3", Reversed(8, 8, Diamond({2, 1, 1, 1}))},
        {"Diamond 4", Reversed(12, 12, Diamond({4, 3}))},
        {"Diamond 5", Reversed(16, 16, Diamond({5, 4}))},
    };
}

// Weft colour p takes the old colour of ((p - 1) div picks) + 1, warp
// colours likewise over ends.
void StretchColors(DraftState& d, int ends, int picks) {
    if (!d.ColorsLinked) return;
    const auto warp = d.WarpColors;
    const auto weft = d.WeftColors;
    for (int e = 1; e <= MaxEnds; ++e) d.WarpColors[e] = warp[size_t((e - 1) / ends + 1)];
    for (int p = 1; p <= MaxPicks; ++p) d.WeftColors[p] = weft[size_t((p - 1) / picks + 1)];
}

Status Refused(const char* key) {
    return {Message{GeneralForm, key, {}}};
}

} // namespace

UnitPair UnitsOf(const DraftState& d) {
    UnitPair u{d.TransUnitSize[0], d.TransUnitSize[1], d.TransUnit1, d.TransUnit2};
    SetUnitSize(u, u.Ends, u.Picks);
    return u;
}

void StoreUnits(DraftState& d, const UnitPair& u) {
    d.TransUnitSize = {u.Ends, u.Picks};
    d.TransUnit1 = u.Unit1;
    d.TransUnit2 = u.Unit2;
}

void SetUnitSize(UnitPair& u, int ends, int picks) {
    u.Ends = std::clamp(ends, 1, 16);
    u.Picks = std::clamp(picks, 1, 16);
    if (u.Ends == 1 && u.Picks == 1) u.Picks = 2;
}

void ClearUnits(UnitPair& u) {
    for (auto& row : u.Unit1) row.fill(true);
    for (auto& row : u.Unit2) row.fill(false);
}

std::span<const UnitLibraryEntry> UnitLibrary() {
    static const std::vector<UnitLibraryEntry> library = MakeLibrary();
    return library;
}

Status ConstructDoubleWeave(UnitPair& u, bool fromPick2) {
    if (u.Ends > 8 || u.Picks > 8) return Failed("Unit size too large.");
    const UnitPair old = u;
    u.Ends *= 2;
    u.Picks *= 2;
    u.Unit1 = {};
    u.Unit2 = {};
    for (int r = 1; r <= u.Picks; ++r)
        for (int c = 1; c <= u.Ends; ++c) {
            const bool o1 = Cell(old.Unit1, (r + 1) / 2, (c + 1) / 2);
            const bool o2 = Cell(old.Unit2, (r + 1) / 2, (c + 1) / 2);
            const bool oddR = r % 2 == 1, oddC = c % 2 == 1;
            bool& c1 = u.Unit1[size_t(r - 1)][size_t(c - 1)];
            bool& c2 = u.Unit2[size_t(r - 1)][size_t(c - 1)];
            // The first layer weaves on the odd ends and the odd picks (the
            // even ones from pick 2); where the old units say so, the other
            // layer's crossings lift it too.
            const bool first = oddR != fromPick2;
            c1 = (first && oddC) || (!first && oddC && o1) || (first && !oddC && o2);
            c2 = (!first && !oddC) || (!first && oddC && o1) || (first && !oddC && o2);
        }
    return {};
}

Status TranslateDraft(DraftState& d, bool warpEmptyEnds) {
    if (d.DesignMode || (d.TreadleMode && d.MultipleTr)) return {};
    const bool single = d.TreadleMode;
    const UnitPair u = UnitsOf(d);
    const int ue = u.Ends, up = u.Picks;
    if (LastThreadedEnd(d, MaxEnds) == 0 || (single && LastTreadledPick(d, MaxPicks) == 0))
        return Refused("@globnopat");

    // The profile: ends 1..B on blocks 1..m; empty ends up to the last
    // threaded one go on an extra block that is never up.
    auto out = std::make_unique<DraftState>(d);
    DraftState& t = *out;
    const int profileEnds = std::min(d.Ends / ue + 1, int(d.Ends));
    int blocks = 0;
    for (int e = 1; e <= profileEnds; ++e) blocks = std::max(blocks, SafeShaft(d.Threading[e]));
    const int lastEnd = std::min(LastThreadedEnd(d, MaxEnds), profileEnds);
    auto threading = d.Threading;
    bool extra = false;
    for (int e = 1; e <= lastEnd; ++e)
        if (threading[e] == 0) {
            threading[e] = uint8_t(blocks + 1);
            extra = true;
        }
    if (extra) ++blocks;
    const int shafts = ue * blocks;
    if (shafts > MaxShafts) return Refused("@todesign");

    // The profile rows: the blocks each pick lifts.
    const int lastPick = LastUsedPick(d, MaxPicks);
    const int q = lastPick > 0 ? lastPick : d.Picks;
    std::vector<LiftplanRow> profile(size_t(q) + 1);
    for (int p = 1; p <= q; ++p) {
        LiftplanRow row = d.Liftplan[p];
        if (single) {
            row = 0;
            const int tr = SafeShaft(d.Treadling[p]);
            for (int s = 1; tr > 0 && s <= MaxShafts; ++s)
                if (d.TieUpAt(s, tr)) row |= Bit(s);
        }
        if (extra) row &= LiftplanRow(~Bit(blocks));
        profile[size_t(p)] = row;
    }

    // Each profile pick k becomes picks f..f+up-1 with unit row up on f.
    const int picks = std::min(q * up, int(d.Picks));
    const int profilePicks = (picks + up - 1) / up;
    ClearLiftplanFrom(t, 1);
    for (int k = 1; k <= profilePicks; ++k) {
        const int f = (k - 1) * up + 1;
        for (int b = 1; b <= blocks; ++b) {
            const UnitGrid& unit = (profile[size_t(k)] & Bit(b)) ? u.Unit1 : u.Unit2;
            for (int r = up; r >= 1; --r) {
                const int pick = f + up - r;
                if (pick > picks) continue;
                for (int c = 1; c <= ue; ++c)
                    if (Cell(unit, r, c)) t.Liftplan[pick] |= Bit((b - 1) * ue + c);
            }
        }
    }

    // Profile end j on block b becomes ends (j-1)ue+1.. on shafts (b-1)ue+1..
    ClearThreadingFrom(t, 1);
    for (int j = 1; j <= profileEnds; ++j) {
        const int b = SafeShaft(threading[j]);
        for (int c = 1; c <= ue; ++c) {
            const int e = (j - 1) * ue + c;
            if (e > d.Ends) break;
            t.Threading[e] = uint8_t(b > 0 ? (b - 1) * ue + c : 0);
        }
    }
    StretchColors(t, ue, up);

    t.Shafts = uint16_t(std::max(shafts, MinShafts));
    t.Treadles = t.Shafts;
    if (single && DeriveTieupAndTreadling(t, picks, true)) return Refused("@emaxtreadles");
    UpdateUsed(t);
    CombinedReanalysis(t, warpEmptyEnds);
    d = std::move(t);
    return {};
}

void TranslateDesign(DraftState& d) {
    const UnitPair u = UnitsOf(d);
    const int ue = u.Ends, up = u.Picks;
    int ends = 0, picks = 0;
    for (int p = 1; p <= DesignSize; ++p)
        for (int e = 1; e <= DesignSize; ++e)
            if (DesignGet(d, p, e)) {
                ends = std::max(ends, e);
                picks = std::max(picks, p);
            }
    auto fit = [](int n, int unit) {
        return n * unit > DesignSize ? DesignSize / unit + (DesignSize % unit ? 1 : 0) : n;
    };
    ends = fit(ends, ue);
    picks = fit(picks, up);
    const auto design = d.DesignGrid;
    auto was = [&](int p, int e) {
        return ((design[size_t(p)][size_t((e - 1) / 8)] >> ((e - 1) % 8)) & 1) != 0;
    };
    for (int i = 1; i <= picks; ++i)
        for (int j = 1; j <= ends; ++j) {
            const UnitGrid& unit = was(i, j) ? u.Unit1 : u.Unit2;
            for (int r = 1; r <= up; ++r)
                for (int c = 1; c <= ue; ++c) {
                    const int p = up * i - r + 1, e = ue * (j - 1) + c;
                    if (p <= DesignSize && e <= DesignSize) DesignPut(d, p, e, Cell(unit, r, c));
                }
        }
    StretchColors(d, ue, up);
    UpdateDesignUsed(d);
}

void OverlayUnits(DraftState& d) {
    const UnitPair u = UnitsOf(d);
    const int ue = u.Ends, up = u.Picks;
    // Pick 1 takes the unit's last row, element 1 its last column.
    auto cell = [&](bool set, int p, int k) {
        return Cell(set ? u.Unit1 : u.Unit2, up - (p - 1) % up, ue - (k - 1) % ue);
    };
    if (d.DesignMode) {
        const int picks = std::min<int>(d.Picks, DesignSize);
        const int ends = std::min<int>(d.Ends, DesignSize);
        for (int p = 1; p <= picks; ++p)
            for (int e = 1; e <= ends; ++e) DesignPut(d, p, e, cell(DesignGet(d, p, e), p, e));
        return;
    }
    if (d.TreadleMode) return;
    const int shafts = std::min<int>(d.Shafts, MaxShafts);
    for (int p = 1; p <= d.Picks; ++p)
        for (int s = 1; s <= shafts; ++s) LiftplanPut(d, p, s, cell(LiftplanGet(d, p, s), p, s));
    UpdateUsed(d);
}

} // namespace hw
