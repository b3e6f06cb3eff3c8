#include "platform/sim/sim_machine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace platform::sim {

namespace fs = std::filesystem;
using namespace errors;

namespace {

Machine* current = nullptr;

std::string Upper(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

bool IsDrivePrefix(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

std::vector<std::string> SplitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

// Windows wildcard matching without regard to case; "*.*" matches every name.
bool WildcardMatch(const std::string& pattern, const std::string& name) {
    const std::string p = pattern == "*.*" ? "*" : Upper(pattern);
    const std::string n = Upper(name);
    std::size_t pi = 0, ni = 0, starP = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi, ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++, starN = ni;
        } else if (starP != std::string::npos) {
            pi = starP + 1, ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') {
        ++pi;
    }
    return pi == p.size();
}

}  // namespace

Machine::Machine() {
    if (current != nullptr) {
        std::cerr << "sim::Machine: a second machine while one is current\n";
        std::abort();
    }
    std::string templ = (fs::temp_directory_path() / "tessaly-sim-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
        std::cerr << "sim::Machine: cannot make a temp folder\n";
        std::abort();
    }
    root_ = templ;
    current = this;
    AddDrive('C', DriveType::Fixed);
    specialFolders_[kCsidlDesktop] = "C:\\users\\user\\Desktop";
    specialFolders_[kCsidlWindows] = "C:\\WINDOWS";
    specialFolders_[kCsidlProgramFiles] = "C:\\Program Files";
    specialFolders_[kCsidlPrograms] =
        "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
    specialFolders_[kCsidlLocalAppData] = "C:\\users\\user\\AppData\\Local";
    for (const auto& [csidl, path] : specialFolders_) {
        PutFolder(*path);
    }
    PutFolder(currentDirectory_);
    PutFolder(TempFolder());
    PutFile(executablePath_, "MZ the installer");
}

Machine::~Machine() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    current = nullptr;
}

bool Machine::Fail(std::uint32_t code) {
    lastError_ = code;
    return false;
}

Machine& Machine::Current() {
    if (current == nullptr) {
        std::cerr << "sim::Machine: the platform was used without a machine\n";
        std::abort();
    }
    return *current;
}

void Machine::AddDrive(char letter, DriveType type) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    drives_[upper] = type;
    fs::create_directories(root_ / std::string(1, upper));
}

void Machine::SetSpecialFolder(int csidl, std::optional<std::string> path) {
    specialFolders_[csidl] = std::move(path);
}

void Machine::SetResource(const std::string& name, std::string bytes) {
    resources_[Upper(name)] = std::move(bytes);
}

void Machine::AddAttributes(const std::string& path, std::uint32_t bits) {
    attributes_[Key(path)] |= bits;
}

void Machine::LockFile(const std::string& path) {
    locked_.insert(Key(path));
}

void Machine::SetListingOrder(const std::string& folder, std::vector<std::string> names) {
    listingOrder_[Key(folder)] = std::move(names);
}

void Machine::PutFile(const std::string& path, const std::string& contents) {
    const fs::path host = HostPath(path);
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary | std::ios::trunc) << contents;
}

void Machine::PutFolder(const std::string& path) {
    fs::create_directories(HostPath(path));
}

std::string Machine::Normalise(const std::string& path) const {
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    std::string drive;
    std::string rest;
    if (IsDrivePrefix(text)) {
        drive = Upper(text.substr(0, 2));
        rest = text.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            // 'C:kr' is relative to the current folder of that drive; the sim
            // keeps one current folder, so only its own drive resolves.
            const std::string cwd = Normalise(currentDirectory_);
            rest = (Upper(cwd.substr(0, 2)) == drive ? cwd.substr(2) + "\\" : "\\") + rest;
        }
    } else if (text.rfind("\\\\", 0) == 0) {
        return text;  // UNC paths are not simulated
    } else if (!text.empty() && text[0] == '\\') {
        drive = Upper(currentDirectory_.substr(0, 2));
        rest = text;
    } else {
        const std::string cwd = Normalise(currentDirectory_);
        drive = cwd.substr(0, 2);
        rest = cwd.substr(2) + "\\" + text;
    }
    std::vector<std::string> parts;
    for (const std::string& part : SplitComponents(rest)) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string result = drive + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        result += (i ? "\\" : "") + parts[i];
    }
    return result;
}

std::string Machine::Key(const std::string& path) const {
    return Upper(Normalise(path));
}

fs::path Machine::HostPath(const std::string& windowsPath) const {
    const std::string normal = Normalise(windowsPath);
    if (!IsDrivePrefix(normal) || !drives_.count(normal[0])) {
        return root_ / "no-such-drive" / "x";
    }
    fs::path host = root_ / std::string(1, normal[0]);
    for (const std::string& part : SplitComponents(normal.substr(2))) {
        // Windows names ignore case: reuse an existing entry's spelling.
        fs::path next = host / part;
        std::error_code error;
        if (!fs::exists(next, error) && fs::is_directory(host, error)) {
            for (const auto& entry : fs::directory_iterator(host, error)) {
                if (Upper(entry.path().filename().string()) == Upper(part)) {
                    next = entry.path();
                    break;
                }
            }
        }
        host = next;
    }
    return host;
}

bool Machine::Exists(const std::string& path) const {
    std::error_code error;
    return fs::exists(HostPath(path), error);
}

std::string Machine::ReadFile(const std::string& path) const {
    std::ifstream in(HostPath(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::optional<std::uint32_t> Machine::DosDateOf(const std::string& path) const {
    const auto found = dosDates_.find(Key(path));
    if (found == dosDates_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> Machine::SpecialFolderPath(int csidl) const {
    const auto found = specialFolders_.find(csidl);
    return found == specialFolders_.end() ? std::nullopt : found->second;
}

int Machine::ShellDelete(const std::string& mask, unsigned flags) {
    shellDeletes_.push_back({mask, flags});
    constexpr unsigned kAllowUndo = 0x40;
    int deleted = 0;
    bool blocked = false;
    const auto entries = TryList(mask);
    if (!entries) {
        return 2;  // ERROR_FILE_NOT_FOUND
    }
    const std::string normal = Normalise(mask);
    const std::string folder = normal.substr(0, normal.find_last_of('\\') + 1);
    const bool recycle =
        (flags & kAllowUndo) && DriveTypeOf(folder.substr(0, 3)) == DriveType::Fixed;
    std::error_code error;
    fs::create_directories(root_ / "$recycle", error);
    for (const FindEntry& entry : *entries) {
        const std::string path = folder + entry.name;
        if (entry.attributes & kAttributeDirectory) {
            continue;
        }
        if (IsLocked(path)) {
            blocked = true;
            continue;
        }
        if (recycle) {
            fs::rename(HostPath(path),
                       root_ / "$recycle" / (std::to_string(recycled_.size()) + "-" + entry.name),
                       error);
            recycled_.push_back(entry.name);
        } else {
            fs::remove(HostPath(path), error);
        }
        ++deleted;
    }
    return deleted > 0 ? 0 : blocked ? static_cast<int>(kErrorSharingViolation) : 2;
}

std::string Machine::RecycledBytes(std::size_t index) const {
    std::ifstream in(root_ / "$recycle" / (std::to_string(index) + "-" + recycled_.at(index)),
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::intptr_t Machine::ShellOpen(ShellOpenCall call) {
    shellOpens_.push_back(std::move(call));
    return 42;  // above 32: success, as ShellExecuteA reports it
}

DriveType Machine::DriveTypeOf(const std::string& root) const {
    const bool rootForm =
        IsDrivePrefix(root) && (root.size() == 2 || root == root.substr(0, 2) + "\\");
    if (!rootForm) {
        return DriveType::NoRootDir;
    }
    const auto found = drives_.find(Upper(root)[0]);
    return found == drives_.end() ? DriveType::NoRootDir : found->second;
}

std::uint32_t Machine::FileAttributesOf(const std::string& path) const {
    std::error_code error;
    const fs::path host = HostPath(path);
    const auto status = fs::status(host, error);
    if (error || !fs::exists(status)) {
        return kInvalidAttributes;
    }
    constexpr std::uint32_t kNormal = 0x80;
    std::uint32_t bits = fs::is_directory(status) ? kAttributeDirectory : kNormal;
    // A name that ends with a backslash is gone through: a link then reads
    // as the folder it leads to, as Wine answers.
    const bool through = !path.empty() && (path.back() == '\\' || path.back() == '/');
    if (!through && fs::is_symlink(fs::symlink_status(host, error))) {
        bits = (bits & ~kNormal) | kAttributeReparsePoint;
    }
    const auto extra = attributes_.find(Key(path));
    if (extra != attributes_.end()) {
        bits = (bits & ~kNormal) | extra->second;
    }
    return bits;
}

bool Machine::MakeDirectory(const std::string& path) {
    std::error_code error;
    const fs::path host = HostPath(path);
    if (fs::exists(host, error)) {
        return Fail(kErrorAlreadyExists);
    }
    if (!fs::is_directory(host.parent_path(), error)) {
        return Fail(kErrorPathNotFound);
    }
    return fs::create_directory(host, error) || Fail(kErrorAccessDenied);
}

bool Machine::RemoveFile(const std::string& path) {
    std::error_code error;
    const fs::path host = HostPath(path);
    if (IsLocked(path)) {
        return Fail(kErrorSharingViolation);
    }
    if (!fs::is_regular_file(host, error)) {
        return Fail(kErrorFileNotFound);
    }
    return fs::remove(host, error) || Fail(kErrorAccessDenied);
}

bool Machine::IsLocked(const std::string& path) const {
    return locked_.count(Key(path)) > 0;
}

std::optional<std::vector<FindEntry>> Machine::TryList(const std::string& pattern) const {
    const std::string normal = Normalise(pattern);
    const std::size_t cut = normal.find_last_of('\\');
    if (cut == std::string::npos) {
        return std::nullopt;
    }
    const std::string folder = normal.substr(0, cut + 1);
    const std::string mask = normal.substr(cut + 1);
    std::error_code error;
    const fs::path host = HostPath(folder);
    if (!fs::is_directory(host, error)) {
        return std::nullopt;
    }

    std::vector<FindEntry> all;
    if (folder.size() > 3) {  // below a root, '.' and '..' come first, as on Windows
        all.push_back({".", kAttributeDirectory});
        all.push_back({"..", kAttributeDirectory});
    }
    std::vector<FindEntry> named;
    for (const auto& entry : fs::directory_iterator(host, error)) {
        const std::string name = entry.path().filename().string();
        named.push_back({name, FileAttributesOf(folder + name)});
    }
    const auto order = listingOrder_.find(Upper(Normalise(folder)));
    auto rank = [&](const std::string& name) -> std::size_t {
        if (order == listingOrder_.end()) {
            return 0;
        }
        const auto& names = order->second;
        const auto at = std::find_if(names.begin(), names.end(),
                                     [&](const std::string& n) { return Upper(n) == Upper(name); });
        return static_cast<std::size_t>(at - names.begin());
    };
    std::sort(named.begin(), named.end(), [&](const FindEntry& a, const FindEntry& b) {
        const std::size_t ra = rank(a.name), rb = rank(b.name);
        return ra != rb ? ra < rb : Upper(a.name) < Upper(b.name);
    });
    all.insert(all.end(), named.begin(), named.end());

    std::vector<FindEntry> matching;
    for (const FindEntry& entry : all) {
        if (WildcardMatch(mask, entry.name)) {
            matching.push_back(entry);
        }
    }
    if (matching.empty()) {
        return std::nullopt;
    }
    return matching;
}

std::vector<FindEntry> Machine::List(const std::string& pattern) const {
    return TryList(pattern).value_or(std::vector<FindEntry>{});
}

namespace {

// Whether DosDateTimeToFileTime takes the value: a real calendar day and a
// time of day (seconds are stored halved).
bool ValidDosDate(std::uint32_t value) {
    const unsigned date = value >> 16;
    const unsigned time = value & 0xFFFF;
    const unsigned year = 1980 + (date >> 9);
    const unsigned month = (date >> 5) & 0x0F;
    const unsigned day = date & 0x1F;
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const unsigned days = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= days && (time >> 11) < 24 && ((time >> 5) & 0x3F) < 60 && (time & 0x1F) < 30;
}

}  // namespace

bool Machine::SetDosDate(const std::string& path, std::uint32_t dosDateTime) {
    std::error_code error;
    if (IsLocked(path)) {
        return Fail(kErrorSharingViolation);
    }
    if (!fs::is_regular_file(HostPath(path), error)) {
        return Fail(kErrorFileNotFound);
    }
    if (!ValidDosDate(dosDateTime)) {
        return Fail(kErrorInvalidParameter);
    }
    dosDates_[Key(path)] = dosDateTime;
    return true;
}

std::string Machine::CreateUniqueFileBeside(const std::string& target) {
    const std::string normal = Normalise(target);
    const std::string folder = normal.substr(0, normal.find_last_of('\\') + 1);
    std::error_code error;
    if (!fs::is_directory(HostPath(folder), error)) {
        Fail(kErrorPathNotFound);
        return {};
    }
    std::string path;
    do {
        path = folder + "~ts" + std::to_string(++uniqueFiles_) + ".tmp";
    } while (Exists(path));
    PutFile(path);
    return path;
}

bool Machine::ReplaceFileWith(const std::string& source, const std::string& target) {
    constexpr std::uint32_t kReadOnly = 0x01;
    const std::uint32_t attributes = FileAttributesOf(target);
    if (IsLocked(target) || IsLocked(source)) {
        return Fail(kErrorSharingViolation);
    }
    if (attributes != kInvalidAttributes && (attributes & (kAttributeDirectory | kReadOnly))) {
        return Fail(kErrorAccessDenied);
    }
    std::error_code error;
    fs::path host = HostPath(target);
    fs::rename(HostPath(source), host, error);
    return !error || Fail(kErrorAccessDenied);
}

void Machine::PutLink(const std::string& path, const std::string& target) {
    const fs::path host = HostPath(path);
    fs::create_directories(host.parent_path());
    const fs::path to = HostPath(target);
    if (fs::is_directory(to)) {
        fs::create_directory_symlink(to, host);
    } else {
        fs::create_symlink(to, host);
    }
}

void Machine::SetVolumeSerial(char letter, std::optional<std::uint32_t> serial) {
    volumeSerials_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] = serial;
}

Owner Machine::OwnerOf(const std::string& path) const {
    if (!Exists(path)) {
        return Owner::Unknown;
    }
    const auto found = owners_.find(Key(path));
    return found != owners_.end() ? found->second : Owner::User;
}

std::optional<std::uint32_t> Machine::VolumeSerialOf(const std::string& root) const {
    if (DriveTypeOf(root) == DriveType::NoRootDir) {
        return std::nullopt;
    }
    const char letter = Upper(root)[0];
    const auto found = volumeSerials_.find(letter);
    return found != volumeSerials_.end() ? found->second
                                         : std::optional<std::uint32_t>(0x5E1A0000u + letter);
}

void Machine::SetShortPath(const std::string& path, std::string shortPath) {
    shortPaths_[Key(path)] = std::move(shortPath);
}

std::optional<std::string> Machine::ShortPathOf(const std::string& path) const {
    if (!Exists(path)) {
        return std::nullopt;
    }
    const auto found = shortPaths_.find(Key(path));
    return found != shortPaths_.end() ? found->second : Normalise(path);
}

std::optional<std::string> Machine::ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (IsLocked(path)) {
        Fail(kErrorSharingViolation);
        return std::nullopt;
    }
    if (!fs::is_regular_file(HostPath(path), error)) {
        Fail(kErrorFileNotFound);
        return std::nullopt;
    }
    return ReadFile(path);
}

bool Machine::MoveFileTo(const std::string& source, const std::string& target) {
    std::error_code error;
    if (IsLocked(source)) {
        return Fail(kErrorSharingViolation);
    }
    if (!fs::is_regular_file(HostPath(source), error)) {
        return Fail(kErrorFileNotFound);
    }
    if (FileAttributesOf(target) != kInvalidAttributes) {
        return Fail(kErrorAlreadyExists);
    }
    const std::string folder =
        Normalise(target).substr(0, Normalise(target).find_last_of('\\') + 1);
    if (!fs::is_directory(HostPath(folder), error)) {
        return Fail(kErrorPathNotFound);
    }
    fs::rename(HostPath(source), HostPath(target), error);
    if (error) {
        return Fail(kErrorAccessDenied);
    }
    // The file's date goes with it.
    if (const auto date = dosDates_.extract(Key(source))) {
        dosDates_[Key(target)] = date.mapped();
    }
    return true;
}

std::optional<std::string_view> Machine::Resource(const std::string& name) const {
    if (resourceHook_) {
        resourceHook_(name);
    }
    const auto found = resources_.find(Upper(name));
    if (found == resources_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace platform::sim
