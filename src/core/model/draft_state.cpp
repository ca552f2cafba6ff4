#include "model/draft_state.h"

#include "model/primitives.h"

namespace hw {

const std::array<uint32_t, 64> DefaultPaletteTable = {
    0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x505050, 0x000000, 0xF50020, 0xFCE903,
    0xFADC7D, 0xF4A855, 0xED742C, 0xBF3A16, 0x920000, 0x6C0000, 0xFFFFFF, 0xFFFFFF,
    0xFBFFB3, 0xCFDF8F, 0xA3BF6B, 0x779E48, 0x4B7E24, 0x1F5E00, 0xFFFFFF, 0xFFFFFF,
    0xDEFFB3, 0xBBDEA6, 0x8CBD88, 0x5E9B69, 0x2F7A4B, 0x00592D, 0xFFFFFF, 0xFFFFFF,
    0xC4EBEE, 0x99CCD0, 0x65A1A6, 0x4B8387, 0x306569, 0x16474B, 0xFFFFFF, 0xFFFFFF,
    0xC1D2FF, 0xA5B1DE, 0x7C86BD, 0x525C9D, 0x29317C, 0x00065B, 0xFFFFFF, 0xFFFFFF,
    0xFFC1E0, 0xE68EBD, 0xCA4D8E, 0xB6004C, 0x92004C, 0x6F0037, 0xFFFFFF, 0xFFFFFF,
    0xFFCACA, 0xDDA7A2, 0xBB8479, 0x996251, 0x773F28, 0x551C00, 0xFFFFFF, 0xFFFFFF,
};

DraftState::DraftState() {
    ClearDraft(*this);
    ResetTransUnits(*this);
    LoadDefaultPalette(*this);
}

LoomSystem GetLoomSystem(const DraftState& d) {
    if (!d.TreadleMode) return LoomSystem::Liftplan;
    return d.MultipleTr ? LoomSystem::MultipleTreadling : LoomSystem::SingleTreadling;
}

void SetLoomSystem(DraftState& d, LoomSystem s) {
    d.TreadleMode = s != LoomSystem::Liftplan;
    d.MultipleTr = s == LoomSystem::MultipleTreadling;
}

uint8_t DefaultWarpColor(const DraftState& d) {
    return d.Shed ? 0 : 6;
}
uint8_t DefaultWeftColor(const DraftState& d) {
    return d.Shed ? 6 : 0;
}

static bool ValidPick(int pick) {
    return pick >= 1 && pick <= MaxPicks;
}
static bool ValidElement(int element) {
    return element >= 1 && element <= 16;
}

bool LiftplanGet(const DraftState& d, int pick, int element) {
    if (!ValidPick(pick) || !ValidElement(element)) return false;
    return (d.Liftplan[pick] >> (element - 1)) & 1u;
}

void LiftplanSet(DraftState& d, int pick, int element) {
    if (!ValidPick(pick) || !ValidElement(element)) return;
    d.Liftplan[pick] = LiftplanRow(d.Liftplan[pick] | (1u << (element - 1)));
}

void LiftplanClear(DraftState& d, int pick, int element) {
    if (!ValidPick(pick) || !ValidElement(element)) return;
    d.Liftplan[pick] = LiftplanRow(d.Liftplan[pick] & ~(1u << (element - 1)));
}

void LiftplanPut(DraftState& d, int pick, int element, bool value) {
    if (value)
        LiftplanSet(d, pick, element);
    else
        LiftplanClear(d, pick, element);
}

void TieUpPut(DraftState& d, int shaft, int treadle, bool value) {
    if (shaft < 1 || shaft > MaxShafts || treadle < 1 || treadle > MaxTreadles) return;
    d.TieUpAt(shaft, treadle) = value ? 1 : 0;
}

static bool ValidDesignCell(int pick, int end) {
    return pick >= 1 && pick <= DesignSize && end >= 1 && end <= DesignSize;
}

bool DesignGet(const DraftState& d, int pick, int end) {
    if (!ValidDesignCell(pick, end)) return false;
    return (d.DesignGrid[pick][(end - 1) / 8] >> ((end - 1) % 8)) & 1u;
}

void DesignPut(DraftState& d, int pick, int end, bool value) {
    if (!ValidDesignCell(pick, end)) return;
    uint8_t& byte = d.DesignGrid[pick][(end - 1) / 8];
    const uint8_t bit = uint8_t(1u << ((end - 1) % 8));
    byte = value ? uint8_t(byte | bit) : uint8_t(byte & ~bit);
}

} // namespace hw
