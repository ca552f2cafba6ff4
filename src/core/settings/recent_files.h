#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace hw {

// What choosing a recent-files item gave: the file to open, or the path of
// a file that is gone - its entry was removed and the front end shows
// "Cannot find <path>".
struct RecentChoice {
    std::optional<std::string> Path;
    std::optional<std::string> Missing;
};

// The seven most recently used pattern files, most recent first. An empty
// entry is an unused place; its menu item is hidden.
class RecentFiles {
public:
    static constexpr int Count = 7;

    const std::array<std::string, Count>& Entries() const { return entries_; }
    const std::string& Entry(int index) const; // index 0..6; "" outside
    void SetEntry(int index, const std::string& path);

    // After a load or a save. ".bmp" files are not listed; a path already
    // first changes nothing; a listed path moves to the front; a new one
    // pushes the others down and the seventh falls off. True when the list
    // changed (the menu needs its captions again).
    bool Add(const std::string& path);

    // Drops entry index; the later ones move up and the last becomes empty.
    void Remove(int index);

    // Choosing menu item index: the path to open when the file exists;
    // otherwise the entry is removed and reported missing. An empty place
    // gives neither.
    RecentChoice Choose(int index, const std::function<bool(const std::string&)>& exists);

    // The menu caption of entry index, "" for an empty entry: "&1 " ..
    // "&7 ", the drive when it is at most 5 characters, and the file name.
    // A "&" in the name is doubled so that it shows as itself.
    std::string Caption(int index) const;

    // The separator before the items is shown while any entry exists.
    bool SeparatorVisible() const;

    friend bool operator==(const RecentFiles&, const RecentFiles&) = default;

private:
    std::array<std::string, Count> entries_;
};

// The drive part of a path: "C:" for "C:\x\y.hdw", "\\server\share" for a
// network path, "" for a path without one (every POSIX path).
std::string PathDrive(const std::string& path);
// The file name without its folder.
std::string PathFileName(const std::string& path);

} // namespace hw
