#include "transform/fills.h"

#include "model/primitives.h"

#include <algorithm>

namespace hw {

namespace {

// Entries repeat+1..count copy entries 1..: the first repeat continued.
template <typename T> void ExtendCyclically(T* seq, int repeat, int count) {
    for (int k = 1; repeat + k <= count; ++k) seq[repeat + k] = seq[k];
}

template <typename T> void WriteRepeat(T* seq, const std::vector<T>& repeat, int count) {
    const int r = int(repeat.size());
    for (int i = 1; i <= std::min(r, count); ++i) seq[i] = repeat[size_t(i - 1)];
    ExtendCyclically(seq, r, count);
}

int Count(int n) {
    return std::clamp(n, MinShafts, MaxShafts);
}

LiftplanRow Bit(int k) {
    return LiftplanRow(1u << (k - 1));
}

} // namespace

std::vector<uint8_t> OrderRepeat(FillOrder order, int m) {
    m = Count(m);
    std::vector<uint8_t> r;
    for (int i = 1; i <= m; ++i) r.push_back(uint8_t(i));
    if (order == FillOrder::Straight) return r;
    const int down = order == FillOrder::Pointed ? 2 : 1;
    for (int i = m - 1; i >= down; --i) r.push_back(uint8_t(i));
    if (order == FillOrder::Rosepath) r.push_back(uint8_t(m));
    return r;
}

void FillThreadingOrder(DraftState& d, FillOrder order) {
    const std::vector<uint8_t> r = OrderRepeat(order, d.Shafts);
    WriteRepeat(d.Threading.data(), r, std::min<int>(d.Ends, MaxEnds));
    d.RepeatThreading = int(r.size());
    UpdateUsed(d);
}

void FillTreadlingOrder(DraftState& d, FillOrder order) {
    if (!d.TreadleMode || d.MultipleTr) return;
    const std::vector<uint8_t> r = OrderRepeat(order, d.Treadles);
    WriteRepeat(d.Treadling.data(), r, std::min<int>(d.Picks, MaxPicks));
    d.RepeatTreadling = int(r.size());
    UpdateUsed(d);
}

void ApplyWeave(DraftState& d, const std::vector<LiftplanRow>& rows) {
    const int repeat = int(rows.size());
    if (repeat == 0) return;
    const int n = Count(d.Shafts);
    if (!d.TreadleMode) {
        const LiftplanRow shafts = LiftplanRow((1u << n) - 1u);
        std::vector<LiftplanRow> first(rows.size());
        for (int p = 1; p <= repeat; ++p)
            first[size_t(p - 1)] =
                LiftplanRow((d.Liftplan[p] & ~shafts) | (rows[size_t(p - 1)] & shafts));
        WriteRepeat(d.Liftplan.data(), first, std::min<int>(d.Picks, MaxPicks));
        d.RepeatTreadling = repeat;
        UpdateUsed(d);
        return;
    }
    for (int t = std::min<int>(d.Treadles, MaxTreadles); t >= 1; --t) {
        const LiftplanRow row = rows[size_t((t - 1) % repeat)];
        for (int s = 1; s <= n; ++s) d.TieUpAt(s, t) = (row & Bit(s)) != 0;
    }
}

void FillPlainWeave(DraftState& d) {
    // Odd shafts on odd rows (treadles), even on even. The remembered
    // repeat is the weave's own two rows, so Repeat continues it correctly
    // on an odd number of shafts too.
    std::vector<LiftplanRow> rows(2, 0);
    for (int s = 1; s <= Count(d.Shafts); ++s) rows[size_t((s - 1) % 2)] |= Bit(s);
    ApplyWeave(d, rows);
}

std::vector<bool> TwillBaseRow(int n, int maxFloat, bool balanced, std::mt19937& rng) {
    n = Count(n);
    const int f = std::max(maxFloat, 1);
    auto random = [&rng](int k) {
        return k <= 1 ? 0 : std::uniform_int_distribution<int>(0, k - 1)(rng);
    };
    auto flag = [&] { return random(2) == 1; };
    std::vector<bool> cell(size_t(n) + 2); // cells 1..n
    auto at = [&cell](int k) { return cell[size_t(k)]; };

    // Runs of alternating state, each at most the bound long.
    bool state = flag();
    for (int i = 1; i <= n; state = !state) {
        int bound = 1;
        if (n != 2 && n < 2 * f) {
            bound = random(n / 2) + 1;
            if (n % 2 == 1 && flag()) ++bound;
        } else if (n != 2) {
            bound = random(f) + 1;
        }
        for (int len = random(bound) + 1; len > 0 && i <= n; --len) cell[size_t(i++)] = state;
    }
    // The last run and the first join in the next repeat.
    if (at(n) == at(1)) {
        int lead = 0, trail = 0;
        while (lead < n && at(lead + 1) == at(1)) ++lead;
        while (n - trail > 1 && at(n - trail) == at(1)) ++trail;
        if (lead + trail > f) {
            const int k = trail < lead ? 1 : n;
            cell[size_t(k)] = !at(k);
        }
    }
    if (balanced) {
        const int half = n / 2, upper = half + n % 2;
        auto raised = [&] { return int(std::count(cell.begin() + 1, cell.begin() + n + 1, true)); };
        // Cells change at the edges of runs, so floats grow slowly; a
        // pathological row cannot keep this going for ever.
        for (int c = raised(), guard = 0; c != half && c != upper && guard < 100000;
             c = raised(), ++guard) {
            const bool wanted = c < half;
            int k = 0;
            do k = random(n) + 1;
            while (k != 1 && k != n && at(k - 1) == wanted && at(k + 1) == wanted);
            cell[size_t(k)] = wanted;
        }
    }
    if (n > 2 && n % 2 == 0) {
        bool alternating = true;
        for (int s = 2; s <= n && alternating; ++s)
            alternating = at(s) == (s % 2 == 1 ? at(1) : !at(1));
        if (alternating) {
            const bool first = at(1);
            cell[1] = !first;
            cell[2] = first;
        }
    }
    return std::vector<bool>(cell.begin() + 1, cell.begin() + n + 1);
}

std::vector<LiftplanRow> TwillRows(const std::vector<bool>& base, bool directionB) {
    const int n = int(base.size());
    std::vector<LiftplanRow> rows(base.size(), 0);
    for (int s = 1; s <= n; ++s)
        if (base[size_t(s - 1)]) rows[0] |= Bit(s);
    for (int p = 2; p <= n; ++p)
        for (int s = 1; s <= n; ++s) {
            // A: cell s of a row is cell s - 1 of the row before; B: cell s + 1.
            const int from = directionB ? (s == n ? 1 : s + 1) : (s == 1 ? n : s - 1);
            if (rows[size_t(p - 2)] & Bit(from)) rows[size_t(p - 1)] |= Bit(s);
        }
    return rows;
}

std::vector<LiftplanRow> SatinRows(int n, int move) {
    n = Count(n);
    std::vector<LiftplanRow> rows(size_t(n), 0);
    for (int p = 1, k = 1; p <= n; ++p) {
        rows[size_t(p - 1)] = Bit(k);
        k += move;
        if (k > n) k %= n;
        if (k <= 0) k = n;
    }
    return rows;
}

std::string SatinMoves(int n) {
    std::string list;
    if (n < 5 || n == 6) return list;
    int a = n / 2, b = n - a;
    if (a == b) --a, ++b;
    for (; a > 1; --a, ++b) {
        if ((a % 2 == 0 && b % 2 == 0) || b % a == 0) continue;
        if (!list.empty()) list += ", ";
        list += std::to_string(a) + "," + std::to_string(b);
    }
    return list;
}

void ApplyTieUpEffects(DraftState& d, const TieUpEffects& e) {
    const int n = std::clamp<int>(d.Shafts, 1, MaxShafts);
    const int t = std::clamp<int>(d.Treadles, 1, MaxTreadles);
    auto& tie = d.TieUp; // [shaft-1][treadle-1]
    if (e.TwillFromShaft1) {
        for (int s = 2; s <= n; ++s)
            for (int k = 1; k <= t; ++k)
                tie[size_t(s - 1)][size_t((k + s - 2) % t)] = tie[0][size_t(k - 1)];
    } else if (e.TwillFromShaft1AndTreadle1) {
        // Every cell takes the first cell of its diagonal, in the first row
        // or the first column.
        for (int s = 2; s <= n; ++s)
            for (int k = 2; k <= t; ++k)
                tie[size_t(s - 1)][size_t(k - 1)] =
                    k >= s ? tie[0][size_t(k - s)] : tie[size_t(s - k)][0];
    }
    if (e.FlipHorizontal)
        for (int s = 1; s <= n; ++s)
            std::reverse(tie[size_t(s - 1)].begin(), tie[size_t(s - 1)].begin() + t);
    if (e.FlipVertical)
        for (int s = 1; s <= n / 2; ++s)
            std::swap_ranges(tie[size_t(s - 1)].begin(), tie[size_t(s - 1)].begin() + t,
                             tie[size_t(n - s)].begin());
    if (e.Rotate90) {
        const int q = std::min(n, t);
        const auto old = tie;
        for (int s = 1; s <= q; ++s)
            for (int k = 1; k <= q; ++k)
                tie[size_t(s - 1)][size_t(k - 1)] = old[size_t(q - k)][size_t(s - 1)];
    }
}

namespace {

std::vector<uint8_t> ColorRepeat(const DraftState& d, ColorOrder order, bool weft) {
    // Rising shed: A = 5, B = 1, a = 4, b = 0; sinking exchanges A and B.
    const uint8_t A = d.Shed ? 1 : 5, B = d.Shed ? 5 : 1, a = d.Shed ? 0 : 4, b = d.Shed ? 4 : 0;
    switch (order) {
    case ColorOrder::Single:
        return {weft ? B : A};
    case ColorOrder::AB:
        return {A, B};
    case ColorOrder::ab:
        return {a, b};
    case ColorOrder::AABB:
        return {A, A, B, B};
    case ColorOrder::aabb:
        return {a, a, b, b};
    case ColorOrder::ABA:
        return {A, B, A};
    case ColorOrder::aba:
        return {a, b, a};
    }
    return {A};
}

} // namespace

void FillWarpColorOrder(DraftState& d, ColorOrder order) {
    const std::vector<uint8_t> r = ColorRepeat(d, order, false);
    WriteRepeat(d.WarpColors.data(), r, std::min<int>(d.Ends, MaxEnds));
    d.RepeatWarpColors = int(r.size());
}

void FillWeftColorOrder(DraftState& d, ColorOrder order) {
    const std::vector<uint8_t> r = ColorRepeat(d, order, true);
    WriteRepeat(d.WeftColors.data(), r, std::min<int>(d.Picks, MaxPicks));
    d.RepeatWeftColors = int(r.size());
}

} // namespace hw
