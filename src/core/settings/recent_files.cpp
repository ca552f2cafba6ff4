#include "settings/recent_files.h"

#include <algorithm>
#include <cctype>

namespace hw {

static bool ValidIndex(int index) {
    return index >= 0 && index < RecentFiles::Count;
}

const std::string& RecentFiles::Entry(int index) const {
    static const std::string none;
    return ValidIndex(index) ? entries_[size_t(index)] : none;
}

void RecentFiles::SetEntry(int index, const std::string& path) {
    if (ValidIndex(index)) entries_[size_t(index)] = path;
}

static bool IsBitmapPath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    return ext == ".BMP";
}

bool RecentFiles::Add(const std::string& path) {
    if (path.empty() || IsBitmapPath(path) || entries_[0] == path) return false;
    // A listed path leaves its place; otherwise the last place is given up.
    int from = Count - 1;
    for (int k = 1; k < Count; ++k)
        if (entries_[size_t(k)] == path) {
            from = k;
            break;
        }
    for (int k = from; k > 0; --k) entries_[size_t(k)] = entries_[size_t(k - 1)];
    entries_[0] = path;
    return true;
}

void RecentFiles::Remove(int index) {
    if (!ValidIndex(index)) return;
    for (int k = index; k < Count - 1; ++k) entries_[size_t(k)] = entries_[size_t(k + 1)];
    entries_[Count - 1].clear();
}

RecentChoice RecentFiles::Choose(int index, const std::function<bool(const std::string&)>& exists) {
    if (!ValidIndex(index) || entries_[size_t(index)].empty()) return {};
    const std::string path = entries_[size_t(index)];
    if (exists(path)) return {path, std::nullopt};
    Remove(index);
    return {std::nullopt, path};
}

static bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string PathDrive(const std::string& path) {
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
        return path.substr(0, 2);
    // "\\server\share": up to the separator after the share name.
    if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
        size_t server = path.find_first_of("\\/", 2);
        if (server == std::string::npos || server == 2) return std::string();
        size_t share = path.find_first_of("\\/", server + 1);
        return path.substr(0, share == std::string::npos ? path.size() : share);
    }
    return std::string();
}

std::string PathFileName(const std::string& path) {
    // A backslash separates folders only in a Windows-style path; on POSIX
    // it may be part of a name.
    const bool windows = !PathDrive(path).empty();
    size_t cut = 0;
    for (size_t i = 0; i < path.size(); ++i)
        if (path[i] == '/' || (windows && IsSeparator(path[i]))) cut = i + 1;
    if (windows && cut == 0 && path.size() >= 2 && path[1] == ':') cut = 2;
    return path.substr(cut);
}

std::string RecentFiles::Caption(int index) const {
    if (!ValidIndex(index) || entries_[size_t(index)].empty()) return std::string();
    const std::string& path = entries_[size_t(index)];
    std::string caption = "&" + std::to_string(index + 1) + " ";
    const std::string drive = PathDrive(path);
    if (drive.size() <= 5) caption += drive;
    for (char c : PathFileName(path)) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}

bool RecentFiles::SeparatorVisible() const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [](const std::string& e) { return !e.empty(); });
}

} // namespace hw
