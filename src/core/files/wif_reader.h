#pragma once

#include "model/draft_state.h"
#include "model/message.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hw {

// The outcome of reading a WIF file into the document.
struct WifReadResult {
    bool Ok = false;
    // Why the file was refused; the document is as it was.
    std::optional<Message> Error;
    // Entries that were not numbers (or held more than the draft can keep)
    // and were left out; Warnings says so when there were any.
    int Skipped = 0;
    std::vector<Message> Warnings;
};

// Reads a WIF 1.0 or 1.1 file as other weaving programs write it, into a
// scratch copy of the document that replaces the draft only when the whole
// file fits the limits: the threading, the tie-up and treadling (one
// treadle a pick: single treadling; several: multiple treadling) or the
// liftplan, the colours and palette, the shed, and the notes (with the
// writing program and the title). The presentation values stay as they
// were; the draft is unnamed and out of Design mode. The caller starts a
// fresh history and marks it modified.
WifReadResult ReadWifBytes(DraftState& d, std::span<const uint8_t> bytes);
WifReadResult ReadWifFile(DraftState& d, const std::string& path);

// Whether the text starts with a [WIF] section (blank lines and ";"
// comments before it allowed).
bool LooksLikeWif(std::span<const uint8_t> bytes);
// A file to import rather than open: named ".wif", or a WIF by its start.
bool IsWifToImport(const std::string& path);

// No WIF file of the largest draft comes near this.
inline constexpr size_t MaxWifBytes = 32u << 20;

} // namespace hw
