#include "edit/numeric_input.h"

#include "model/primitives.h"

#include <algorithm>
#include <cctype>

namespace hw {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A group counts from its first digit; what stands before it goes.
void Strip(std::string& s) {
    const auto first = std::find_if(s.begin(), s.end(), IsDigit);
    s.erase(s.begin(), first);
}

// The number of a run of digits: its first two.
int NumberOf(std::string_view digits) {
    int n = 0;
    for (size_t i = 0; i < digits.size() && i < 2; ++i) n = n * 10 + (digits[i] - '0');
    return std::clamp(n, 1, MaxShafts);
}

} // namespace

NumericText ParseNumericText(std::string_view text) {
    NumericText out;
    std::vector<NumericGroup>& g = out.Groups;
    g.emplace_back();
    int nextCount = 1; // a count read before "(" goes to the group that follows
    auto begin = [&](int count) {
        g.emplace_back();
        g.back().Count = count;
    };
    for (char ch : text) {
        NumericGroup& cur = g.back();
        if (ch == '(') {
            Strip(cur.Text);
            int count = 0;
            if (!cur.Text.empty() && IsDigit(cur.Text.back())) {
                count = cur.Text.back() - '0';
                cur.Text.pop_back();
                if (!cur.Text.empty() && IsDigit(cur.Text.back())) {
                    count += 10 * (cur.Text.back() - '0');
                    cur.Text.pop_back();
                }
            }
            nextCount = std::max(count, 1);
            if (!cur.Text.empty())
                begin(nextCount);
            else
                cur.Count = nextCount;
        } else if (ch == ')') {
            Strip(cur.Text);
            if (!cur.Text.empty()) begin(1);
        } else {
            cur.Text += ch;
        }
    }
    Strip(g.back().Text);
    if (g.back().Text.empty()) g.pop_back();
    if (int(g.size()) > MaxNumericGroups) {
        g.resize(MaxNumericGroups);
        out.TooLong = true;
    }
    return out;
}

std::vector<int> NumericGroupValues(std::string_view group) {
    std::vector<int> values;
    // Items are runs of digits and dashes; anything else separates them.
    size_t i = 0;
    while (i < group.size()) {
        if (!IsDigit(group[i]) && group[i] != '-') {
            ++i;
            continue;
        }
        // The parts of one item: numbers (or nothing) between its dashes.
        std::vector<std::string_view> parts;
        size_t start = i;
        for (; i <= group.size(); ++i) {
            const bool end = i == group.size() || (!IsDigit(group[i]) && group[i] != '-');
            if (end || group[i] == '-') {
                parts.push_back(group.substr(start, i - start));
                start = i + 1;
            }
            if (end) break;
        }
        if (parts.size() == 1) {
            values.push_back(NumberOf(parts[0]));
            continue;
        }
        // a-b-c: each run starts one step after the value the last one wrote;
        // a run missing either end writes nothing and breaks the chain.
        bool chained = false;
        for (size_t k = 0; k + 1 < parts.size(); ++k) {
            if (parts[k].empty() || parts[k + 1].empty()) {
                chained = false;
                continue;
            }
            const int a = NumberOf(parts[k]), b = NumberOf(parts[k + 1]);
            const int step = b >= a ? 1 : -1;
            for (int v = chained ? a + step : a; step > 0 ? v <= b : v >= b; v += step)
                values.push_back(v);
            chained = true;
        }
    }
    return values;
}

NumericResult NumericInput(DraftState& d, bool treadling, int start, std::string_view text) {
    const NumericText parsed = ParseNumericText(text);
    NumericResult result;
    result.TooLong = parsed.TooLong;
    uint8_t* seq = treadling ? d.Treadling.data() : d.Threading.data();
    const int limit = treadling ? MaxPicks : MaxEnds;
    int position = std::max(start, 1);
    for (const NumericGroup& group : parsed.Groups) {
        const std::vector<int> values = NumericGroupValues(group.Text);
        for (int n = 0; n < group.Count && !values.empty() && position <= limit; ++n)
            for (size_t k = 0; k < values.size() && position <= limit; ++k) {
                seq[position++] = uint8_t(values[k]);
                ++result.Written;
            }
    }
    const int last = position - 1;
    if (result.Written > 0) {
        uint16_t& count = treadling ? d.Picks : d.Ends;
        count = uint16_t(std::max<int>(count, last));
    }
    if (treadling)
        FoldTreadling(d);
    else
        FoldThreading(d);
    UpdateUsed(d);
    return result;
}

int NumericStart(const DraftState& d, bool treadling, int firstVisible, int lastVisible) {
    const uint8_t* seq = treadling ? d.Treadling.data() : d.Threading.data();
    // Cells beyond the last end (pick) are visible and empty too.
    const int limit = treadling ? MaxPicks : MaxEnds;
    for (int i = std::max(firstVisible, 1); i <= std::min(lastVisible, limit); ++i)
        if (seq[i] == 0) return i;
    return 1;
}

} // namespace hw
