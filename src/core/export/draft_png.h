#pragma once

#include "model/draft_state.h"
#include "model/message.h"
#include "view/draft_image.h"

#include <string>

namespace hw {

// The picture of RenderDraftImage written as a PNG file, painted band by
// band as the rows are written, so that a picture far larger than the
// memory is no problem. Bands are about 8 MB unless bandRows says.
Status ExportDraftImage(const DraftState& d, const std::string& path, const DraftImageOptions& o,
                        const ViewSettings& s = {}, int bandRows = 0);

} // namespace hw
