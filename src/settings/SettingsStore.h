#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orvelt {

// Named string values in the program's one section. The typed reading and writing of
// those strings is in SettingValues; which names exist is in MainSettings and OptionValues.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    [[nodiscard]] virtual std::optional<std::string> Read(std::string_view name) const = 0;
    virtual void Write(std::string_view name, std::string_view value) = 0;
    // Ends a burst of writes; a file store puts them on disk here.
    virtual void Commit() {}
    // Why the last Commit() could not put the values on disk ("file: reason"); none when it did.
    [[nodiscard]] virtual std::optional<std::string> CommitFailure() const { return std::nullopt; }
};

// The store of the tests, and the base of the file store.
class MemorySettingsStore : public SettingsStore {
public:
    [[nodiscard]] std::optional<std::string> Read(std::string_view name) const override {
        auto it = values_.find(name);
        if (it == values_.end())
            return std::nullopt;
        return it->second;
    }
    void Write(std::string_view name, std::string_view value) override {
        values_.insert_or_assign(std::string(name), std::string(value));
    }
    [[nodiscard]] const std::map<std::string, std::string, std::less<>>& Values() const {
        return values_;
    }
    void Replace(std::map<std::string, std::string, std::less<>> values) {
        values_ = std::move(values);
    }

private:
    std::map<std::string, std::string, std::less<>> values_;
};

} // namespace orvelt
