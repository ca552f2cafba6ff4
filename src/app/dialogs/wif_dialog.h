#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace hw {

// File > Export > "Save to WIF-file": how many ends and picks to write, with
// buttons for one repeat and for the full length, and whether to write the
// liftplan beside the tie-up and treadling.
class TWifdlg : public QDialog {
    Q_OBJECT
public:
    struct Values {
        int Ends = 0;
        int Picks = 0;
        bool Both = false;
    };

    // The sizes the Repeat and Full Length buttons put in.
    TWifdlg(int repeatEnds, int repeatPicks, int fullEnds, int fullPicks,
            QWidget* parent = nullptr);

    void SetValues(const Values& v);
    Values GetValues() const;

    QSpinBox* Endspin() const { return ends_; }
    QSpinBox* Pickspin() const { return picks_; }

private:
    QSpinBox* ends_ = nullptr;
    QSpinBox* picks_ = nullptr;
    QCheckBox* both_ = nullptr;
};

} // namespace hw
