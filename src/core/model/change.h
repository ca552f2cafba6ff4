#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace hw {

// The parts of a draft that an edit can change, each recorded on its own.
enum class Component : uint8_t {
    Threading,
    TieUp,
    Treadling,
    Liftplan,
    WarpColors,
    WeftColors,
    Design, // the design grid
    Sizes,  // ends, picks, shafts and treadles
    Used,   // the used extents, EndsUsed and PicksUsed
    Loom,   // loom system, shed and Design mode
    Palette,
    Notes,
    Layout,     // drawdown style, start positions, densities, marking lines
    TransUnits, // the translation units and their size
    Repeats,    // the remembered repeat lengths
};
inline constexpr int ComponentCount = int(Component::Repeats) + 1;

struct ComponentSet {
    uint32_t Bits = 0;

    constexpr ComponentSet() = default;
    constexpr ComponentSet(std::initializer_list<Component> parts) {
        for (Component c : parts) Bits |= 1u << int(c);
    }
    static constexpr ComponentSet All() {
        ComponentSet s;
        s.Bits = (1u << ComponentCount) - 1;
        return s;
    }
    constexpr bool Has(Component c) const { return (Bits >> int(c)) & 1u; }
    constexpr bool Any() const { return Bits != 0; }
    constexpr bool Intersects(ComponentSet o) const { return (Bits & o.Bits) != 0; }
    constexpr void Add(Component c) { Bits |= 1u << int(c); }
    constexpr ComponentSet operator|(ComponentSet o) const {
        ComponentSet s;
        s.Bits = Bits | o.Bits;
        return s;
    }
    constexpr ComponentSet operator-(ComponentSet o) const {
        ComponentSet s;
        s.Bits = Bits & ~o.Bits;
        return s;
    }
    constexpr bool operator==(const ComponentSet&) const = default;
};

// A run of ends or picks, First..Last; empty when Last < First.
struct NumberRange {
    int First = 1;
    int Last = 0;

    constexpr bool Empty() const { return Last < First; }
    constexpr void Include(int first, int last) {
        if (last < first) return;
        if (Empty()) {
            First = first;
            Last = last;
        } else {
            First = std::min(First, first);
            Last = std::max(Last, last);
        }
    }
    constexpr void Include(NumberRange r) { Include(r.First, r.Last); }
    constexpr bool operator==(const NumberRange&) const = default;
};

// What an edit, an undo or a redo changed: the components, and for the
// warp and weft rows which ends and picks.
struct Change {
    ComponentSet Parts;
    NumberRange Ends;  // threading and warp colours
    NumberRange Picks; // treadling, liftplan and weft colours

    bool Any() const { return Parts.Any(); }
    bool Has(Component c) const { return Parts.Has(c); }
    void Merge(const Change& o) {
        Parts = Parts | o.Parts;
        Ends.Include(o.Ends);
        Picks.Include(o.Picks);
    }
};

} // namespace hw
