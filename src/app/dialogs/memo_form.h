#pragma once

#include "settings/settings.h"

#include <QPlainTextEdit>
#include <QWidget>

#include <string>

class QAction;
class QMimeData;

namespace hw {

// A plain-text memo that never holds more than a set number of characters,
// whether typed, pasted, dropped or composed (input methods). A line break counts as two
// characters, as it takes two in a pattern file.
class LimitedMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedMemo(int maxLength, QWidget* parent = nullptr);

    int MaxLength() const { return maxLength_; }
    // The text's length as the limit counts it.
    int Length() const;
    static int LengthOf(const QString& text);
    // The longest front part of `text` that is at most `room` long.
    static QString Fit(const QString& text, int room);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int Room() const; // what may still be added in place of the selection
    void CutBack();

    int maxLength_;
    bool cutting_ = false;
};

// Options > "Note...": the notes of the pattern in a tool window that stays
// above its parent (the main window) but never above a modal dialog, with
// its own File and Edit menus. The caller fills it from the document's
// notes and reads them back.
class Tmemoform : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* FormName = "Tmemoform";
    static constexpr int MaxLength = 3000;
    static constexpr int InitialWidth = NotesDesignPlacement.Width;
    static constexpr int InitialHeight = NotesDesignPlacement.Height;

    explicit Tmemoform(QWidget* parent = nullptr);

    // UTF-8 text of the document; cut to MaxLength. Line breaks may be
    // CR LF, LF or CR.
    void SetNotes(const std::string& notes);
    // The memo's text in UTF-8 with CR LF line breaks, as pattern files
    // keep them.
    std::string Notes() const;

    LimitedMemo* Memo() const { return memo_; }
    QAction* PrintAction() const { return print_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    LimitedMemo* memo_ = nullptr;
    QAction* print_ = nullptr;
    bool placed_ = false;
};

} // namespace hw
