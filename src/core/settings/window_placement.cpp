#include "settings/window_placement.h"

#include <algorithm>

namespace hw {

// A size fitted to the screen, but never below what the window can use.
static int Fit(int size, int minimum, int screen) {
    return std::clamp(size, std::min(minimum, screen), std::max(1, screen));
}

WindowPlacement StartWindowPlacement(const Settings& s, const ScreenRect& screen,
                                     const ScreenRect& designed) {
    WindowPlacement p;
    p.Geometry = designed;
    if (s.Wbredde <= 0 || s.Wposfull == 1) {
        p.Maximized = true;
        p.Geometry.Height = screen.Height / 8 * 7;
        p.Geometry.Width = Fit(designed.Width, MinWindowWidth, screen.Width);
        p.Geometry.X = std::clamp(designed.X, screen.X,
                                  screen.X + std::max(0, screen.Width - p.Geometry.Width));
        p.Geometry.Y = screen.Y;
        return p;
    }
    p.Geometry.Width = Fit(s.Wbredde, MinWindowWidth, screen.Width);
    p.Geometry.Height = Fit(s.Whoyde, MinWindowHeight, screen.Height);
    if (p.Geometry.X + p.Geometry.Width > screen.X + screen.Width || p.Geometry.X < screen.X)
        p.Geometry.X = screen.X;
    if (p.Geometry.Y + p.Geometry.Height > screen.Y + screen.Height || p.Geometry.Y < screen.Y)
        p.Geometry.Y = screen.Y;
    return p;
}

void RecordWindowPlacement(Settings& s, bool maximized, int width, int height) {
    s.Wposfull = maximized ? 1 : 0;
    s.Wbredde = std::max(0, width);
    s.Whoyde = std::max(0, height);
}

ScreenRect ReadNotesWindowPlacement(const Settings& s, const ScreenRect& screen) {
    const int maxWidth =
        std::max(NotesMinWidth, std::min(NotesDesignPlacement.Width, screen.Width));
    const int maxHeight = std::max(NotesMinHeight, screen.Height);
    ScreenRect r;
    r.Width = std::clamp(s.Memo.Width, NotesMinWidth, maxWidth);
    r.Height = std::clamp(s.Memo.Height, NotesMinHeight, maxHeight);
    r.X = s.Memo.Left < 0
              ? screen.X + (screen.Width - r.Width) / 2
              : std::clamp(s.Memo.Left, screen.X, screen.X + std::max(0, screen.Width - r.Width));
    r.Y = screen.Y + std::max(0, (screen.Height - r.Height) / 2);
    return r;
}

} // namespace hw
