#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace hw {

class ActionTable;
class DraftView;
class EditorDocument;
class Printing;
class Prompter;
class SettingsSession;

// What every command group works with. The file choosers and the prompter
// can be replaced (tests script them).
struct CommandContext {
    QWidget* Window = nullptr; // the parent of dialogs
    EditorDocument* Doc = nullptr;
    DraftView* View = nullptr;
    SettingsSession* Session = nullptr;
    ActionTable* Actions = nullptr;
    Printing* Printer = nullptr; // the printer of the run
    std::function<Prompter&()> Prompt;
    // Return the chosen path, or "" when the user cancelled.
    std::function<QString(const QString& caption)> ChooseOpenPath;
    std::function<QString()> ChooseSavePath;
    // Menus, caption and status line after a change of state.
    std::function<void()> Refresh;
};

} // namespace hw
