#include "platform/sim/sim_registry.h"

#include <cctype>

namespace platform::sim {

namespace {

std::string Fold(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string Trimmed(std::string key) {
    while (!key.empty() && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

}  // namespace

std::string Registry::Path(RegistryRoot root, const std::string& key, RegistryView view) const {
    std::string prefix = root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM";
    if (root == RegistryRoot::LocalMachine && windows64_) {
        // The 32-bit program's own view is the 32-bit one.
        prefix += view == RegistryView::Bits64 ? "64" : "32";
    }
    return Fold(prefix + "\\" + Trimmed(key));
}

std::optional<Registry::Value> Registry::Get(RegistryRoot root, const std::string& key,
                                             const std::string& name, RegistryView view) const {
    const auto found = keys_.find(Path(root, key, view));
    if (found == keys_.end()) {
        return std::nullopt;
    }
    const auto value = found->second.values.find(Fold(name));
    if (value == found->second.values.end()) {
        return std::nullopt;
    }
    return value->second.second;
}

std::vector<std::string> Registry::Subkeys(RegistryRoot root, const std::string& key,
                                           RegistryView view) const {
    const std::string parent = Path(root, key, view) + "\\";
    std::vector<std::string> names;
    for (const auto& [path, entry] : keys_) {
        if (path.compare(0, parent.size(), parent) != 0) {
            continue;
        }
        // The next component below the parent, named as first written.
        const std::size_t end = path.find('\\', parent.size());
        const std::string child = entry.spelling.substr(
            parent.size(), (end == std::string::npos ? path.size() : end) - parent.size());
        if (names.empty() || Fold(names.back()) != Fold(child)) {
            names.push_back(child);
        }
    }
    return names;
}

bool Registry::KeyExists(RegistryRoot root, const std::string& key, RegistryView view) const {
    const std::string path = Path(root, key, view);
    return keys_.count(path) > 0 || !Subkeys(root, key, view).empty();
}

bool Registry::Set(RegistryRoot root, const std::string& key, const std::string& name, Value value,
                   RegistryView view) {
    if (refuseWrites_) {
        return false;
    }
    const std::string path = Path(root, key, view);
    Key& entry = keys_[path];
    if (entry.spelling.empty()) {
        entry.spelling = path.substr(0, path.find('\\') + 1) + Trimmed(key);
    }
    entry.values[Fold(name)] = {name, std::move(value)};
    return true;
}

bool Registry::Delete(RegistryRoot root, const std::string& key) {
    if (refuseWrites_ || !Subkeys(root, key).empty()) {
        return false;
    }
    keys_.erase(Path(root, key, RegistryView::Own));
    return true;
}

std::map<std::string, Registry::Value> Registry::Values(RegistryRoot root,
                                                        const std::string& key) const {
    std::map<std::string, Value> values;
    const auto found = keys_.find(Path(root, key, RegistryView::Own));
    if (found != keys_.end()) {
        for (const auto& [folded, named] : found->second.values) {
            values[named.first] = named.second;
        }
    }
    return values;
}

}  // namespace platform::sim
