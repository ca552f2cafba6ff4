#pragma once

#include <QString>

class QLabel;
class QStatusBar;

namespace hw {

struct DraftState;
struct ViewWindow;
struct ViewHit;

// The seven panels of the status line: the hint (0), the visible warp and
// weft ranges (1, 2), the cell under the mouse (3, 4), the colours link (5)
// and the shed (6). Panels are as wide as their longest text can be in the
// language shown, with the largest numbers.
class StatusLine {
public:
    explicit StatusLine(QStatusBar* bar);

    QLabel* Panel(int n) const { return panels_[n]; }
    void ShowHint(const QString& text);
    void ShowRanges(const ViewWindow& w);
    void ShowPointer(const DraftState& d, const ViewWindow& w, const ViewHit& hit);
    void ShowDraftState(const DraftState& d);
    // In a fabric view: "Compressed" (or nothing) where the mouse position goes.
    void ShowCompressed(bool compressed);
    // Sizes the panels for the current language.
    void FitToLanguage();

private:
    QLabel* panels_[7] = {};
};

} // namespace hw
