#pragma once

#include "text/multi_lang.h"

#include <string>
#include <vector>

namespace hw {

// The program's translation tables live in resources/lang/<form>.tsv and are
// compiled in. All translation components of the run are registered in one
// list, and there is one current language. Everything here runs on the
// user-interface thread only.

// The text of a "@" key (or any key) in the translation table of a form, in
// the current language. A key the table lacks comes back unchanged.
std::string GetText(const std::string& form, const std::string& key);
// The '"' items of a named component of a form's table (for example the
// filter strings of a file dialog), in the current language.
std::vector<std::string> GetItems(const std::string& form, const std::string& name);

// The form whose table holds the general messages.
inline constexpr const char* GeneralForm = "TTransformDlg";

// The global current language (0 English, 1 German, 2 Swedish, 3 Finnish).
int CurrentLanguage();
// Applies the language to every registered component that has it, then makes
// it the current language. A language outside 0..LanguageCount-1 changes
// nothing and gives false.
bool SetLanguage(int language);

// A fresh component holding the compiled-in table of a form (an empty table
// when the form has none), not yet registered.
TMultiLang LoadFormTable(const std::string& form);
bool HasFormTable(const std::string& form);
// The names of all compiled-in tables, sorted.
std::vector<std::string> FormTableNames();
// The raw file text of a compiled-in table ("" when there is none).
std::string FormTableSource(const std::string& form);

// Registration of a form's component for the life of the form. A
// registered component follows every SetLanguage.
void RegisterComponent(TMultiLang& c);
void UnregisterComponent(TMultiLang& c);
// A form with a component was created: it takes the current language and,
// when it has a target, shows its texts in it.
void Loaded(TMultiLang& c);

} // namespace hw
