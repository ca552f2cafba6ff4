#pragma once

#include "text/multi_lang.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace hw {

// The translation component of one form. It applies the form's table to the
// form's widgets by object name as soon as it is made (in the current
// language), and again at every language switch for as long as the form
// lives. Make it as the last step of a form's constructor, once every
// translatable widget, menu and action exists and carries its objectName:
//
//     new LangBinder(this, "TNewDlg");
//
// The binder is a child of the form and goes with it. Texts the form
// composes itself (from "@" keys) are set by `afterChange`, which runs once
// the table's texts are in place, at once and after every switch.
class LangBinder : public QObject, private LangTarget {
    Q_OBJECT
public:
    // The compiled-in table resources/lang/<formName>.tsv.
    LangBinder(QWidget* form, const std::string& formName, std::function<void()> afterChange = {});
    // A table given directly (forms built at run time, tests).
    LangBinder(QWidget* form, TMultiLang table, std::function<void()> afterChange = {});
    ~LangBinder() override;

    const TMultiLang& Component() const { return component_; }
    // The binder of a form, or none.
    static LangBinder* Of(const QWidget* form);

private:
    void SetCaption(const std::string& text) override;
    bool ApplyComponent(const ComponentTexts& texts) override;
    std::string FontEntry() const override;
    void SetFont(const std::string& face, int charSet) override;
    void LanguageApplied() override;

    QObject* FindComponent(const QString& name) const;

    QPointer<QWidget> form_;
    TMultiLang component_;
    std::function<void()> afterChange_;
};

// Switches the whole program to a language: every open form, the texts code
// looks up from then on, and the texts of Qt's own dialogs. The Language menu
// items and the start-up call this. False (and no change) for a language
// outside 0..3.
bool ApplyAppLanguage(int language);

// File dialog filters written as "Patterns (*.hdw)|*.hdw|Any file (*.*)|*.*"
// (one or more such strings) as Qt's name filters.
QStringList QtNameFilters(const std::vector<std::string>& filters);

// A file dialog's filters in the current language: the type named by a
// "@ft..." text of the main window with its patterns (e.g. "*.hdw"), then
// "Any files (*)" unless only that type will do.
QStringList FileTypeFilters(const char* typeKey, const char* patterns, bool anyFile = true);

// The family a form gets for a face name: the face itself when it is
// installed, otherwise the system's user-interface font (its fixed-pitch
// font for the usual fixed-pitch Windows faces).
QString InstalledFamily(const QString& face);

} // namespace hw
