#pragma once

#include "edit/stroke.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <span>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

namespace hw {

struct CommandGroups;

// What the enabling, visibility and check rules read: one value, built
// after every change of the document, the view mode or the tools.
struct EnableState {
    bool Design = false;       // Design mode (D)
    bool Fabric = false;       // a fabric view is shown (F)
    int FabricView = 0;        // which: 0 none, 1 Fabric, 2 Yarn View, 3 Drapery, 4 Interlacement
    bool TreadleLoom = true;   // a loom with treadles (T)
    bool Multiple = false;     // multiple treadling (M)
    bool ShowThreading = true; // the threading is shown (S)
    bool ColorsUnlinked = false;
    bool PaletteWindow = false;
    bool FabricWindow = false;
    bool PathKnown = false;
    bool CanUndo = false;
    bool CanRedo = false;
    bool SelectionMode = false;
    bool HasSelection = false; // a selection rectangle is present
    bool CanPaste = false;     // the clipboard holds text or a picture
    StrokeTool Tool = StrokeTool::Line;
    int Language = 0;
};

using ActionRule = bool (*)(const EnableState&);
using ActionHandler = void (*)(CommandGroups&);

enum class ActionKind {
    Menu,  // a top-level menu or a submenu; its items follow it
    Item,  // a command
    Check, // a command with a check mark
    Radio, // one of an exclusive group (the group is the parent's)
    Separator,
};

// One entry of the menu tree or the toolbar. Name is the object name the
// translation table knows it by; Parent the menu (or "ToolBar1") it sits in.
// An entry without a handler stays disabled: its feature has not landed.
struct ActionEntry {
    ActionKind Kind;
    const char* Name;
    const char* Parent;
    const char* Caption;        // English, until the table's texts are applied
    const char* Shortcuts = ""; // ";"-separated
    int Help = 0;
    ActionHandler Run = nullptr;
    ActionRule Enabled = nullptr; // nullptr: always
    ActionRule Visible = nullptr; // nullptr: always
    ActionRule Checked = nullptr;
};

// The whole table, menus first in menu order, then the toolbar's buttons.
std::span<const ActionEntry> ActionEntries();

// The menus and actions made from the table. Every action also belongs to
// the window, so its shortcut works with the menus closed and the toolbar
// hidden. Triggering an action re-checks its rule before the handler runs.
class ActionTable : public QObject {
    Q_OBJECT
public:
    ActionTable(QMainWindow* window, CommandGroups& groups);

    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* Menu(const QString& name) const { return menus_.value(name); }
    const ActionEntry* Entry(const QString& name) const { return entries_.value(name); }

    // Applies every rule to every action and menu.
    void Update(const EnableState& s);
    const EnableState& State() const { return state_; }

private:
    void Run(const ActionEntry& entry);

    CommandGroups& groups_;
    EnableState state_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QActionGroup*> radioGroups_;
    QHash<QString, const ActionEntry*> entries_;
};

} // namespace hw
