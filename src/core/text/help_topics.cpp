#include "text/help_topics.h"

#include <array>

namespace hw {

namespace {

// Two contexts may share a page (Insert Threading and Insert Treadling use
// one dialog).
constexpr std::array Topics{
    HelpTopic{help::Contents, "100.html", "Heddlewise Help"},
    HelpTopic{help::FileMenu, "101.html", "File menu"},
    HelpTopic{help::EditMenu, "102.html", "Edit menu"},
    HelpTopic{help::ViewMenu, "103.html", "View menu"},
    HelpTopic{help::UtilitiesMenu, "104.html", "Utilities menu"},
    HelpTopic{help::TransformMenu, "105.html", "Transform menu"},
    HelpTopic{help::FillMenu, "106.html", "Fill menu"},
    HelpTopic{help::AnalyzeMenu, "107.html", "Analyze menu"},
    HelpTopic{help::OptionsMenu, "108.html", "Options menu"},
    HelpTopic{help::HelpMenu, "109.html", "Help menu"},
    HelpTopic{help::WifSave, "140.html", "Save to WIF-file"},
    HelpTopic{help::WifImport, "145.html", "Import WIF"},
    HelpTopic{help::PngExport, "150.html", "Save Fabric as PNG-image"},
    HelpTopic{help::Open, "200.html", "Opening a pattern"},
    HelpTopic{help::LoadComponents, "210.html", "Load components"},
    HelpTopic{help::BlendLiftplan, "215.html", "Blend Liftplan"},
    HelpTopic{help::Save, "230.html", "Saving a pattern"},
    HelpTopic{help::NewPattern, "250.html", "New Pattern"},
    HelpTopic{help::FabricWindow, "300.html", "Fabric views and the Fabric window"},
    HelpTopic{help::PaletteWindow, "390.html", "Color Palette window"},
    HelpTopic{help::EditColors, "400.html", "Edit Colors"},
    HelpTopic{help::InsertDelete, "500.html", "Inserting and deleting"},
    HelpTopic{help::SwitchShaftsTreadles, "510.html", "Switch Shafts and Switch Treadles"},
    HelpTopic{help::PasteSpecial, "520.html", "Paste Special"},
    HelpTopic{help::SelectAndCopy, "525.html", "Select and Copy"},
    HelpTopic{help::KeyboardInput, "530.html", "Keyboard Input"},
    HelpTopic{help::NumericInput, "535.html", "Numeric Input"},
    HelpTopic{help::Zoom, "540.html", "Zoom"},
    HelpTopic{help::TwillGenerator, "600.html", "Twill Variations"},
    HelpTopic{help::Satin, "606.html", "Satin"},
    HelpTopic{help::TieUpSpecial, "610.html", "Tie-up Special Effects"},
    HelpTopic{help::Translate, "620.html", "Translate"},
    HelpTopic{help::LiftplanOverlay, "625.html", "Liftplan Overlay"},
    HelpTopic{help::Network, "630.html", "Network drafting"},
    HelpTopic{help::BlockSubstitution, "635.html", "Block Substitution"},
    HelpTopic{help::InsertThreading, "640.html", "Insert Threading and Insert Treadling"},
    HelpTopic{help::InsertTreadling, "640.html", "Insert Threading and Insert Treadling"},
    HelpTopic{help::InsertInLiftplan, "645.html", "Insert and delete picks in the liftplan"},
    HelpTopic{help::DeleteInLiftplan, "645.html", "Insert and delete picks in the liftplan"},
    HelpTopic{help::TrompAsWrit, "647.html", "Tromp as Writ"},
    HelpTopic{help::WrapLiftplan, "648.html", "Wrap Liftplan"},
    HelpTopic{help::Options, "650.html", "Options"},
    HelpTopic{help::AnalysisReports, "660.html", "Analysis reports"},
    HelpTopic{help::Notes, "670.html", "Notes"},
    HelpTopic{help::TipOfTheDay, "680.html", "Tip of the Day"},
    HelpTopic{help::PrintDraft, "700.html", "Printing the draft"},
    HelpTopic{help::PrintNumeric, "710.html", "Print Numeric"},
};

} // namespace

std::span<const HelpTopic> HelpTopics() {
    return Topics;
}

const HelpTopic* FindHelpTopic(int context) {
    for (const HelpTopic& t : Topics)
        if (t.Context == context) return &t;
    return nullptr;
}

const HelpTopic& ResolveHelpTopic(int context) {
    const HelpTopic* t = FindHelpTopic(context);
    return t ? *t : Topics.front();
}

const HelpTopic* FindHelpTopicByPage(const std::string& page) {
    for (const HelpTopic& t : Topics)
        if (page == t.Page) return &t;
    return nullptr;
}

const char* HelpLanguageFolder(int language) {
    switch (language) {
    case 1:
        return "de";
    case 2:
        return "sv";
    case 3:
        return "fi";
    default:
        return "en";
    }
}

} // namespace hw
