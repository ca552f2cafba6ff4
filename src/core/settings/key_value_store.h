#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace hw {

// Typed access to named values in groups: where the settings persist.
// A getter gives nothing when the value is missing, when the store could
// not be read, or when the stored text is not of the asked type; callers
// then keep the value they hold.
class KeyValueStore {
public:
    virtual ~KeyValueStore() = default;

    virtual std::optional<long long> GetInt(const std::string& group,
                                            const std::string& name) const = 0;
    virtual std::optional<bool> GetBool(const std::string& group,
                                        const std::string& name) const = 0;
    virtual std::optional<std::string> GetString(const std::string& group,
                                                 const std::string& name) const = 0;

    virtual void SetInt(const std::string& group, const std::string& name, long long value) = 0;
    // Booleans are stored as the integers 0 and 1.
    virtual void SetBool(const std::string& group, const std::string& name, bool value) = 0;
    virtual void SetString(const std::string& group, const std::string& name,
                           const std::string& value) = 0;

    // Writes what was set. False when the store cannot be written; the
    // program goes on without its settings then.
    virtual bool Flush() = 0;
};

// How stored text is read as a typed value. Settings files are text and may
// be edited by hand, so both store implementations share these rules.
// An integer: optional sign, decimal digits, surrounding blanks allowed.
std::optional<long long> ParseStoredInt(const std::string& text);
// A boolean: any integer (non-zero is true) or the words true/false.
std::optional<bool> ParseStoredBool(const std::string& text);

// A store held in memory, as text like a settings file.
class MemoryStore : public KeyValueStore {
public:
    std::optional<long long> GetInt(const std::string& group,
                                    const std::string& name) const override;
    std::optional<bool> GetBool(const std::string& group, const std::string& name) const override;
    std::optional<std::string> GetString(const std::string& group,
                                         const std::string& name) const override;
    void SetInt(const std::string& group, const std::string& name, long long value) override;
    void SetBool(const std::string& group, const std::string& name, bool value) override;
    void SetString(const std::string& group, const std::string& name,
                   const std::string& value) override;
    bool Flush() override;

    // The raw text of a value, as a hand-edited file might hold it.
    void SetText(const std::string& group, const std::string& name, const std::string& text);
    std::optional<std::string> Text(const std::string& group, const std::string& name) const;
    bool Has(const std::string& group, const std::string& name) const;
    void Clear() { values_.clear(); }
    size_t Size() const { return values_.size(); }

    // Simulates a store that can be neither read nor written.
    bool Broken = false;
    int Flushes = 0;

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

} // namespace hw
