#include "edit/key_input.h"

#include "model/primitives.h"

#include <algorithm>
#include <cstring>

namespace hw {

namespace {

// A scrolled axis: ends or picks, the cursor in visible cells.
struct ScrollAxis {
    int& Pos;
    int& Offset;
    int Visible;
    int Count;

    // Visible cells that hold an end (pick) of the draft.
    int Usable() const { return std::min(Visible, Count - Offset); }
    void Clamp() {
        Offset = std::clamp(Offset, 0, std::max(0, Count - Visible));
        Pos = std::clamp(Pos, 1, std::max(1, Usable()));
    }
    // One cell on; past either edge the draft scrolls by one instead.
    void Step(int delta) {
        const int next = Pos + delta;
        if (next < 1)
            Offset = std::max(Offset - 1, 0);
        else if (next > Usable())
            Offset += Offset + Visible < Count ? 1 : 0;
        else
            Pos = next;
        Clamp();
    }
    void Page(int direction) {
        Offset += direction * std::max(Visible - 1, 0);
        Clamp();
    }
    int Number() const { return Offset + Pos; }
    // Home, End and the page keys; false for any other key.
    bool Jump(InputKey key) {
        switch (key) {
        case InputKey::Home:
            Pos = 1;
            return true;
        case InputKey::End:
            Pos = std::max(Usable(), 1);
            return true;
        case InputKey::PageUp:
            Page(1);
            return true;
        case InputKey::PageDown:
            Page(-1);
            return true;
        default:
            return false;
        }
    }
};

int Wrap(int v, int delta, int n) {
    n = std::max(n, 1);
    return ((v - 1 + delta) % n + n) % n + 1;
}

// Which way an arrow moves along an axis: numbers grow rightwards
// (downwards) on a forward axis.
int Toward(bool forward, bool lowerArrow) {
    return (forward == lowerArrow) ? -1 : 1;
}

int Columns(const DraftState& d) {
    return std::clamp<int>(d.TreadleMode ? d.Treadles : d.Shafts, 1, MaxTreadles);
}

int Shafts(const DraftState& d) {
    return std::clamp<int>(d.Shafts, 1, MaxShafts);
}

// Shifts entries from..count one further (the last is lost), or removes
// entry `from` and empties the last.
template <typename T> void Shift(T* seq, int from, int count, bool insert) {
    if (from < 1 || from > count) return;
    if (insert)
        std::memmove(seq + from + 1, seq + from, size_t(count - from) * sizeof(T));
    else
        std::memmove(seq + from, seq + from + 1, size_t(count - from) * sizeof(T));
    seq[insert ? from : count] = 0;
}

// Threading and treadling: one value per end (pick) along the scrolled axis.
void SequenceKey(ScrollAxis a, int& value, int maxValue, uint8_t* seq, bool valueForward,
                 bool axisForward, bool axisIsColumns, InputKey key, char ch) {
    const bool usable = a.Usable() >= 1;
    auto enter = [&] {
        if (!usable) return;
        uint8_t& cell = seq[a.Number()];
        cell = cell == value ? 0 : uint8_t(value);
        a.Step(1);
    };
    // The arrows across the axis pick the value; those along it move.
    auto along = [&](bool lower) { a.Step(Toward(axisForward, lower)); };
    auto across = [&](bool lower) { value = Wrap(value, Toward(valueForward, lower), maxValue); };
    if (a.Jump(key)) return;
    switch (key) {
    case InputKey::Char:
        if (const int v = KeyValue(ch); v >= 1 && v <= maxValue) {
            value = v;
            enter();
        }
        break;
    case InputKey::Enter:
        enter();
        break;
    case InputKey::Left:
    case InputKey::Right:
        axisIsColumns ? along(key == InputKey::Left) : across(key == InputKey::Left);
        break;
    case InputKey::Up:
    case InputKey::Down:
        axisIsColumns ? across(key == InputKey::Up) : along(key == InputKey::Up);
        break;
    case InputKey::Insert:
    case InputKey::Delete:
        if (!usable || a.Pos >= a.Usable()) break;
        Shift(seq, a.Number(), a.Count, key == InputKey::Insert);
        if (key == InputKey::Insert) seq[a.Number()] = uint8_t(value);
        break;
    default:
        break;
    }
}

void LiftplanKey(DraftState& d, ScrollAxis a, int& column, const ViewGeometry& g, InputKey key) {
    const bool usable = a.Usable() >= 1;
    if (a.Jump(key)) return;
    switch (key) {
    case InputKey::Enter:
        if (usable) d.Liftplan[a.Number()] ^= LiftplanRow(1u << (column - 1));
        break;
    case InputKey::Left:
    case InputKey::Right:
        column =
            Wrap(column, Toward(g.Treadling.Columns.Forward, key == InputKey::Left), Columns(d));
        break;
    case InputKey::Up:
    case InputKey::Down:
        a.Step(Toward(g.Treadling.Rows.Forward, key == InputKey::Up));
        break;
    case InputKey::Insert:
    case InputKey::Delete:
        if (usable) Shift(d.Liftplan.data(), a.Number(), a.Count, key == InputKey::Insert);
        break;
    default:
        break;
    }
}

void TieUpKey(DraftState& d, const ViewGeometry& g, KeyCursor& c, InputKey key) {
    switch (key) {
    case InputKey::Enter: {
        uint8_t& cell = d.TieUpAt(c.Row, c.Column);
        cell = cell ? 0 : 1;
        break;
    }
    case InputKey::Left:
    case InputKey::Right:
        c.Column =
            Wrap(c.Column, Toward(g.TieUp.Columns.Forward, key == InputKey::Left), Columns(d));
        break;
    case InputKey::Up:
    case InputKey::Down:
        c.Row = Wrap(c.Row, Toward(g.TieUp.Rows.Forward, key == InputKey::Up), Shafts(d));
        break;
    default:
        break;
    }
}

} // namespace

int KeyValue(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c == '0') return 10;
    static const char* const rows = "QWERTYUIOPASDFGHJKZXCV";
    const char* at = c ? std::strchr(rows, c) : nullptr;
    return at ? int(at - rows) + 11 : 0;
}

void KeyInputKey(DraftState& d, ViewWindow& w, const ViewGeometry& g, KeyCursor& c, InputKey key,
                 char ch) {
    const int ends = std::clamp<int>(d.Ends, 0, MaxEnds);
    const int picks = std::clamp<int>(d.Picks, 0, MaxPicks);
    switch (c.Mode) {
    case KeyMode::Threading: {
        ScrollAxis a{c.Column, w.ScrollEnds, w.VisibleEnds, ends};
        a.Clamp();
        c.Row = std::clamp(c.Row, 1, Shafts(d));
        SequenceKey(a, c.Row, Shafts(d), d.Threading.data(), g.Threading.Rows.Forward,
                    g.Threading.Columns.Forward, true, key, ch);
        break;
    }
    case KeyMode::Treadling: {
        ScrollAxis a{c.Row, w.ScrollPicks, w.VisiblePicks, picks};
        a.Clamp();
        c.Column = std::clamp(c.Column, 1, Columns(d));
        SequenceKey(a, c.Column, Columns(d), d.Treadling.data(), g.Treadling.Columns.Forward,
                    g.Treadling.Rows.Forward, false, key, ch);
        break;
    }
    case KeyMode::TieUp:
        c.Column = std::clamp(c.Column, 1, Columns(d));
        c.Row = std::clamp(c.Row, 1, Shafts(d));
        TieUpKey(d, g, c, key);
        break;
    case KeyMode::Liftplan: {
        ScrollAxis a{c.Row, w.ScrollPicks, w.VisiblePicks, picks};
        a.Clamp();
        c.Column = std::clamp(c.Column, 1, Columns(d));
        LiftplanKey(d, a, c.Column, g, key);
        break;
    }
    }
    UpdateUsed(d);
}

ViewHit KeyCursorCell(const KeyCursor& c) {
    switch (c.Mode) {
    case KeyMode::Threading:
        return {ViewArea::Threading, c.Column, c.Row};
    case KeyMode::TieUp:
        return {ViewArea::TieUp, c.Column, c.Row};
    case KeyMode::Treadling:
    case KeyMode::Liftplan:
        break;
    }
    return {ViewArea::Treadling, c.Column, c.Row};
}

KeyNumbers KeyCursorNumbers(const KeyCursor& c, const ViewWindow& w) {
    switch (c.Mode) {
    case KeyMode::Threading:
        return {w.ScrollEnds + c.Column, c.Row};
    case KeyMode::TieUp:
        return {c.Row, c.Column};
    case KeyMode::Treadling:
    case KeyMode::Liftplan:
        break;
    }
    return {w.ScrollPicks + c.Row, c.Column};
}

} // namespace hw
