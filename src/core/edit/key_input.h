#pragma once

#include "model/draft_state.h"
#include "model/view_window.h"
#include "view/geometry.h"

namespace hw {

// What keyboard input enters: the threading, the single treadling, the
// tie-up, or liftplan rows (a liftplan, or the treadles of multiple
// treadling).
enum class KeyMode { Threading = 1, Treadling = 2, TieUp = 3, Liftplan = 4 };

// The keys keyboard input knows. Enter is Space, "=" and the keypad "+";
// Char is a letter or digit, upper case.
enum class InputKey {
    Other,
    Char,
    Enter,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Insert,
    Delete
};

// The cursor in the visible cells of its area: threading end (column) and
// shaft (row); treadling and liftplan treadle or shaft (column) and pick
// (row); tie-up treadle (column) and shaft (row).
struct KeyCursor {
    KeyMode Mode = KeyMode::Threading;
    int Column = 1;
    int Row = 1;
};

// The shaft or treadle a key stands for, along the rows of the keyboard:
// 1..9, 0 = 10, Q..P = 11..20, A..K = 21..28, Z..V = 29..32; 0 for any
// other character.
int KeyValue(char c);

// One key: moves the cursor, scrolls the window's offsets, or changes the
// draft, as the mode and the screen directions of the geometry say.
void KeyInputKey(DraftState& d, ViewWindow& w, const ViewGeometry& g, KeyCursor& c, InputKey key,
                 char ch = 0);

// The cursor's cell in its area's numbers, for the mark on screen.
ViewHit KeyCursorCell(const KeyCursor& c);

// What the window shows: the end, pick or shaft the cursor is on and the
// shaft or treadle it points at.
struct KeyNumbers {
    int Position = 0;
    int Value = 0;
};
KeyNumbers KeyCursorNumbers(const KeyCursor& c, const ViewWindow& w);

} // namespace hw
