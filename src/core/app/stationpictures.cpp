#include "core/app/stationpictures.h"

#include "core/support/textnumbers.h"

namespace radexa {

PictureCaption StationPictureCaption(const StationModel& m) {
    PictureCaption c;
    c.title = m.anglePageShown() ? m.taken()->angles->Title : std::string();
    c.power = m.last().input.Power;
    c.antennaGain = m.last().input.AntennaGain;
    c.bandName = HamBands(m.frequency().BandIDX);
    c.fixedFrequencyMode = m.frequency().FixedFrequencyMode;
    c.fixedFrequency = m.frequency().FixedFrequency;
    return c;
}

std::optional<SideViewData> StationSideView(const StationModel& m) {
    SideViewData data;
    if (!TryStrToReal(m.heightText(), data.antennaHeight))
        return std::nullopt;
    data.angles = m.last().pattern.PatternAngles;
    data.distances = m.last().pattern.PatternDistances;
    data.caption = StationPictureCaption(m);
    return data;
}

DiagramData StationDiagram(const StationModel& m) {
    DiagramData data;
    data.angles = m.last().pattern.PatternAngles;
    data.attenuations = m.last().pattern.PatternAttenuations;
    data.caption = StationPictureCaption(m);
    return data;
}

} // namespace radexa
