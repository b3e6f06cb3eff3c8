#pragma once

// The simulated machine's registry: keys in two roots, HKEY_LOCAL_MACHINE
// with a 64-bit and a 32-bit view on 64-bit Windows, HKEY_CURRENT_USER one
// and the same in every view. Names ignore case and keep their spelling.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace platform::sim {

class Registry {
  public:
    using Value = std::variant<std::string, std::uint32_t>;

    // The view a key is kept in: HKCU keys and every key of 32-bit Windows
    // in one; HKLM keys of 64-bit Windows in the one the program asks for.
    void SetWindows64(bool windows64) { windows64_ = windows64; }
    // Every later write fails with ERROR_ACCESS_DENIED, as under a policy
    // that locks the user's keys.
    void RefuseWrites(bool refuse) { refuseWrites_ = refuse; }

    std::optional<Value> Get(RegistryRoot root, const std::string& key, const std::string& name,
                             RegistryView view = RegistryView::Own) const;
    std::vector<std::string> Subkeys(RegistryRoot root, const std::string& key,
                                     RegistryView view = RegistryView::Own) const;
    bool KeyExists(RegistryRoot root, const std::string& key,
                   RegistryView view = RegistryView::Own) const;
    // False, and nothing written, when writes are refused.
    bool Set(RegistryRoot root, const std::string& key, const std::string& name, Value value,
             RegistryView view = RegistryView::Own);
    // False when the key has subkeys (Windows' ERROR_ACCESS_DENIED).
    bool Delete(RegistryRoot root, const std::string& key);
    // Every value of a key, by name as written.
    std::map<std::string, Value> Values(RegistryRoot root, const std::string& key) const;

  private:
    struct Key {
        std::string spelling;  // the path as first written
        std::map<std::string, std::pair<std::string, Value>>
            values;  // folded name -> (name, value)
    };
    std::string Path(RegistryRoot root, const std::string& key, RegistryView view) const;

    bool windows64_ = false;
    bool refuseWrites_ = false;
    std::map<std::string, Key> keys_;  // folded full path -> key
};

}  // namespace platform::sim
