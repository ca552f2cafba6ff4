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
    // Tables are checked by the table test; a bad line is dropped here.
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
    const TMultiLang* c = LookupComponent(form);
    return c ? GetText(*c, key) : key;
}

std::vector<std::string> GetItems(const std::string& form, const std::string& name) {
    const TMultiLang* c = LookupComponent(form);
    return c ? GetItems(*c, name) : std::vector<std::string>{};
}

int CurrentLanguage() {
    return TheRegistry().current;
}

bool SetLanguage(int language) {
    if (language < 0 || language >= LanguageCount) return false;
    // A form may open or close while its texts are applied; walk a copy and
    // skip components that left meanwhile.
    const std::vector<TMultiLang*> snapshot = TheRegistry().components;
    for (TMultiLang* c : snapshot)
        if (IsRegistered(c) && c->Languages > language) ApplyLanguage(*c, language);
    TheRegistry().current = language;
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
    const int lang = CurrentLanguage();
    if (lang < c.Languages)
        ApplyLanguage(c, lang);
    else
        ApplyLanguage(c, c.DefaultLanguage < c.Languages ? c.DefaultLanguage : 0);
}

} // namespace hw
