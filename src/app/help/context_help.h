#pragma once

#include <QString>

#include <QObject>

class QDialog;
class QPushButton;
class QWidget;

namespace hw {

// Widgets, dialogs, menus and actions carry their help context number in
// this dynamic property; F1 looks for it.
inline constexpr const char* HelpContextProperty = "helpContext";

void SetHelpContext(QObject* object, int context);
// The object's own help context; 0 when it has none.
int HelpContextOf(const QObject* object);

// The help context F1 means at this moment: the highlighted item of an open
// menu (or, when it has none, of its menu and the menus above it), else
// `start` (by default the focus widget) and the widgets that contain it, up
// through its window and the windows that own that; 0 when nothing on the way
// carries one.
int FindHelpContext(QWidget* start = nullptr);

// F1: closes any open menu and shows the page of FindHelpContext (the
// contents when nothing carries a context). False when no page exists.
bool ShowContextHelp(QWidget* start = nullptr);

// Catches F1 in every window of the application, also while a menu is open,
// where the menu would otherwise take the key.
class F1HelpFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one F1HelpFilter on the application (once).
void InstallF1Help();

// A dialog's Help button: it opens the dialog's page, which F1 in the
// dialog opens too.
QPushButton* MakeHelpButton(QDialog* dialog, int context, const QString& text);

} // namespace hw
