#pragma once

#include "commands/command_context.h"

namespace hw {

struct RangeTexts;

// Utilities and Transform: inserting, deleting and switching ends, picks,
// shafts and treadles; mirroring, reversing, reducing and turning.
class StructureCommands {
public:
    explicit StructureCommands(CommandContext& ctx) : ctx_(ctx) {}

    void InsEnds1Click();
    void InsPicks1Click();
    void InsShafts1Click();
    void InsTreadles1Click();
    void DelEnds1Click();
    void DelPicks1Click();
    void DelShafts1Click();
    void DelTreadles1Click();
    void SwitchShafts1Click();
    void SwitchTreadles1Click();
    void Warp1Click();
    void Weft1Click();
    void Reverse1Click();
    void ReverseWarpOrder1Click();
    void ReverseOrder1Click();
    void Reducetoonerepeat1Click();
    void Rotate1Click();

    // The two values every range dialog opens with, kept for the run.
    int First() const { return first_; }
    int Second() const { return second_; }

private:
    bool AskRange(const RangeTexts& texts, int max1, int max2);
    void InsertOrDelete(bool insert, bool ends);
    void Switch(bool shafts);

    CommandContext& ctx_;
    int first_ = 1;
    int second_ = 1;
};

} // namespace hw
