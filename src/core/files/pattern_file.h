#pragma once

#include "files/file_io.h"
#include "model/draft_state.h"
#include "model/message.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hw {

// What a read stores. A cleared flag makes the reader consume the field
// without storing it.
struct LoadFlags {
    bool General = false; // header values, sizes, loom system, Design mode, companion file
    bool Threading = false;
    bool Liftplan = false;
    bool Treadling = false;
    bool TieUp = false;
    bool WarpColors = false;
    bool WeftColors = false;
    bool Palette = false;
    bool TransUnits = false;
    bool Notes = false;

    static LoadFlags All();
};

// How a read is used.
enum LoadMode : int {
    ModeNormal = 0,     // open, open components, revert
    ModeInsert = 1,     // parts into the insert buffers
    ModeTransUnits = 2, // unit size and the two translation units only
    ModeAtInterval = 3, // liftplan rows into every interval-th pick
    ModeAppend = 4,     // liftplan rows after the last used pick
    ModeAdd = 5,        // liftplan OR
    ModeInvert = 6,     // liftplan exclusive OR
    ModeSubtract = 7,   // liftplan AND NOT
};

// Which boxes of the "Load components" dialog can be ticked for this draft.
struct ComponentEnabling {
    bool Threading = false;
    bool Liftplan = false;
    bool Treadling = false;
    bool TieUp = false;
    bool Palette = true;
    bool WarpColors = true;
    bool WeftColors = true;
    bool TransUnits = true;
    bool Notes = true;
    // "Blend Liftplan..." is offered only while the liftplan can be loaded.
    bool BlendVisible() const { return Liftplan; }
};
ComponentEnabling EnabledComponents(const DraftState& d);

// The answer of the components dialog (and the blend dialog behind it).
struct ComponentChoice {
    enum Kind { Cancel, Load, Blend } Result = Cancel;
    LoadFlags Flags;   // Load: the ticked and enabled components
    int BlendMode = 0; // Blend: ModeAppend .. ModeSubtract
};

// Asked in the middle of an Open Components load, after the file is known
// to be a pattern.
class ComponentChooser {
public:
    virtual ~ComponentChooser() = default;
    virtual ComponentChoice Choose(const ComponentEnabling& enabled) = 0;
};

struct LoadRequest {
    bool Components = false;             // Open Components: the chooser sets the flags
    int Mode = ModeNormal;               // 0..7
    int FromPick = 1;                    // LoadLiftplanAtInterval
    int Interval = 1;                    // LoadLiftplanAtInterval
    ComponentChooser* Chooser = nullptr; // needed when Components is set
};

struct LoadResult {
    bool Ok = false;        // the document took the file's contents
    bool Cancelled = false; // the user cancelled the components dialog
    // Why the file was refused; the document is as it was.
    std::optional<Message> Error;
    // What a load that went through could not use (a damaged design file).
    std::vector<Message> Warnings;
    // A whole pattern replaced the document (all flags): the caller resets the
    // scroll offsets, switches the fabric view off, shows the new caption and
    // adds the path to the recent files.
    bool Opened = false;
    bool TransUnitsLoaded = false; // the translate dialog's library selection becomes none
    int Version = 0;               // 1 for a headerless file
    char Type = 0;                 // 'd', 'e' or 'f' ("g" reads as "d")
    int FileShafts = 0;            // the counts the file declares
    int FileTreadles = 0;
};

// Reads the bytes of a file beside the pattern; NotFound when there is none.
using CompanionReader = std::function<ReadStatus(const std::string& path, std::vector<uint8_t>&)>;
CompanionReader DiskCompanionReader();

// Reads a pattern of any version into a scratch copy of the document and
// commits it only when the whole read succeeded; a refused, damaged or
// cancelled file leaves the document exactly as it was, and Error says why.
// A full open sets FileName. The caller's document history decides what
// becomes a step (Open Components) and what starts a new history (Open).
LoadResult LoadPattern(DraftState& d, const std::string& path, const LoadRequest& request);
// The same over bytes already in memory (tests, the fuzzer).
LoadResult LoadPatternBytes(DraftState& d, std::span<const uint8_t> bytes, const std::string& path,
                            const LoadRequest& request, const CompanionReader& companions);

// Open Components: refuses ".BMP" and ".WIF" files, then loads the parts the
// chooser picks (or blends the liftplan).
LoadResult LoadComponents(DraftState& d, const std::string& path, ComponentChooser& chooser);
LoadResult LoadInsertParts(DraftState& d, const std::string& path);
LoadResult LoadTransUnits(DraftState& d, const std::string& path);
LoadResult LoadLiftplanAtInterval(DraftState& d, const std::string& path, int fromPick,
                                  int interval);

// The current liftplan as a mask choosing between the liftplans of two
// files: a set cell takes file A's cell, a clear cell file B's. Both files
// must be liftplan patterns; on failure the liftplan is as it was.
Status LoadLiftplanOverlay(DraftState& d, const std::string& pathA, const std::string& pathB);
// The same over two files' bytes (the fuzzer).
Status LiftplanOverlayBytes(DraftState& d, std::span<const uint8_t> bytesA,
                            std::span<const uint8_t> bytesB);

bool IsBmpFile(const std::string& path);
bool IsWifFile(const std::string& path);

struct SaveOptions {
    bool SaveLayout = true; // "Save Layout Options in hdw-files"
};

// The version-7 bytes of the document.
std::vector<uint8_t> EncodePattern(const DraftState& d, const SaveOptions& options);

// Writes the document in the version-7 layout, in Design mode with its
// ".hdb" design file, each through a temporary file renamed over the target
// when complete. On success FileName becomes the path; on failure ("File Write Error") the document and the files on
// disk are as they were.
Status SavePattern(DraftState& d, const std::string& path, const SaveOptions& options);

enum class OldVersion { V4, V3, V12 };

// The bytes of an older layout; what does not fit its limits is cut.
std::vector<uint8_t> EncodeOldVersion(const DraftState& d, OldVersion version,
                                      const SaveOptions& options);

// Exports the document in an older layout. The document keeps its file
// name.
Status SaveOldVersion(const DraftState& d, const std::string& path, OldVersion version,
                      const SaveOptions& options);

// Readers never need more than this many bytes of a pattern: every section
// is bounded by a 16-bit count.
inline constexpr size_t MaxPatternBytes = 1u << 20;
inline constexpr size_t MaxCompanionBytes = 64u << 20;

} // namespace hw
