#include "text/lang.h"

#include "text/embedded_tables.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>

namespace hw {

namespace {

struct Registry {
    int current = LangEnglish;
    std::vector<TMultiLang*> components;
    // One component per table for lookups by code, made on first use and
    // registered like a form's, so it follows every language switch.
    std::map<std::string, std::unique_ptr<TMultiLang>, std::less<>> lookups;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

const EmbeddedTable* FindTable(std::string_view form) {
    for (const EmbeddedTable& t : EmbeddedTables())
        if (form == t.Form) return &t;
    return nullptr;
}

bool IsRegistered(const TMultiLang* c) {
    const auto& list = TheRegistry().components;
    return std::find(list.begin(), list.end(), c) != list.end();
}

const TMultiLang* LookupComponent(const std::string& form) {
    Registry& r = TheRegistry();
    auto it = r.lookups.find(form);
    if (it != r.lookups.end()) return it->second.get();
    if (!FindTable(form)) return nullptr;
    auto c = std::make_unique<TMultiLang>(LoadFormTable(form));
    RegisterComponent(*c);
    Loaded(*c);
    return r.lookups.emplace(form, std::move(c)).first->second.get();
}

} // namespace

std::string FormTableSource(const std::string& form) {
    const EmbeddedTable* t = FindTable(form);
    return t ? std::string(reinterpret_cast<const char*>(t->Data), t->Size) : std::string();
}

TMultiLang LoadFormTable(const std::string& form) {
    // The table test checks every table; a bad line is dropped here.
    return ParseTable(form, FormTableSource(form)).Table;
}

bool HasFormTable(const std::string& form) {
    return FindTable(form) != nullptr;
}

std::vector<std::string> FormTableNames() {
    std::vector<std::string> names;
    for (const EmbeddedTable& t : EmbeddedTables()) names.emplace_back(t.Form);
    std::sort(names.begin(), names.end());
    return names;
}

std::string GetText(const std::string& form, const std::string& key) {
    if (const TMultiLang* c = LookupComponent(form)) return GetText(*c, key);
    ReportTextNotFound(form, key);
    return key;
}

std::vector<std::string> GetItems(const std::string& form, const std::string& name) {
    if (const TMultiLang* c = LookupComponent(form)) return GetItems(*c, name);
    ReportTextNotFound(form, name);
    return {};
}

int CurrentLanguage() {
    return TheRegistry().current;
}

bool SetLanguage(int language) {
    if (language < 0 || language >= LanguageCount) return false;
    // Forms compose some texts from lookups while they switch: the lookups
    // are in the new language before any form is.
    Registry& r = TheRegistry();
    r.current = language;
    for (auto& [form, c] : r.lookups)
        if (c->Languages > language) SetActiveLanguage(*c, language);
    // A form may open or close while its texts are applied; walk a copy and
    // skip components that left meanwhile.
    const std::vector<TMultiLang*> snapshot = r.components;
    for (TMultiLang* c : snapshot)
        if (IsRegistered(c) && c->Languages > language) SetActiveLanguage(*c, language);
    return true;
}

void RegisterComponent(TMultiLang& c) {
    if (!IsRegistered(&c)) TheRegistry().components.push_back(&c);
}

void UnregisterComponent(TMultiLang& c) {
    auto& list = TheRegistry().components;
    list.erase(std::remove(list.begin(), list.end(), &c), list.end());
}

void Loaded(TMultiLang& c) {
    // A table without the current language shows its default one.
    if (SetActiveLanguage(c, CurrentLanguage()).Refused)
        SetActiveLanguage(c, c.DefaultLanguage < c.Languages ? c.DefaultLanguage : 0);
}

} // namespace hw
