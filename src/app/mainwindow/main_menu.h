#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QObject;

namespace hw {

// The main window's menu tree. Every item is a QAction whose objectName is
// the component name the translation table uses; triggering it calls the
// receiver's slot of the handler's name. An item whose handler the receiver
// does not have yet stays disabled: its feature has not landed.
class MainMenu {
public:
    // Builds the whole tree into the window's menu bar.
    MainMenu(QMainWindow* window, QObject* receiver);

    QAction* Action(const QString& name) const { return actions_.value(name); }
    QMenu* Menu(const QString& name) const { return menus_.value(name); }
    // True when the receiver implements the item's handler.
    bool HasHandler(const QString& name) const { return handled_.value(name, false); }
    const QHash<QString, QAction*>& Actions() const { return actions_; }
    const QHash<QString, QMenu*>& Menus() const { return menus_; }

    // The flags the enabling and visibility rules depend on.
    struct State {
        bool Design = false;       // Design mode
        bool Fabric = false;       // a fabric view mode
        bool TreadleLoom = true;   // tie-up mode
        bool Multiple = false;     // multiple treadling
        bool ShowThreading = true; // threading shown
        bool ColorsUnlinked = false;
        bool PathKnown = false; // "&Revert to Saved"
        bool UndoAvailable = false;
    };
    // Applies the enabling and visibility table to every item.
    void Update(const State& s);

    // What the table says of the items it names; the others are always
    // visible and enabled (given a handler).
    struct ItemRule {
        bool Visible = true;
        bool Enabled = true;
    };
    using Rules = QHash<QString, ItemRule>;
    static Rules RulesFor(const State& s);

private:
    QAction* Add(QMenu* menu, const QString& name, const QString& caption, const QString& handler,
                 const QString& shortcut = {});
    QMenu* AddMenu(QMenu* parent, const QString& name, const QString& caption);

    QMainWindow* window_;
    QObject* receiver_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, bool> handled_;
};

} // namespace hw
