#pragma once
// The pictures of a station's last calculation: what the side view and the diagram are
// drawn from, as the main window hands them to the picture windows and the compliance
// report prints them.

#include "core/app/stationmodel.h"
#include "core/graphics/caption.h"
#include "core/graphics/diagram.h"
#include "core/graphics/sideview.h"

#include <optional>

namespace radexa {

// The captions' station: the angle data's title, power, gain, band or fixed frequency.
PictureCaption StationPictureCaption(const StationModel& m);

// The side view: the antenna height of the Angle page and the safety distance per angle;
// nothing when the height is no number.
std::optional<SideViewData> StationSideView(const StationModel& m);

// The diagram: the attenuation per angle.
DiagramData StationDiagram(const StationModel& m);

} // namespace radexa
