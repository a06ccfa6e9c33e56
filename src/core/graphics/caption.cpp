#include "core/graphics/caption.h"

#include "core/support/textnumbers.h"

namespace radexa {

std::string CaptionBandField(const PictureCaption& c) {
    if (!c.fixedFrequencyMode)
        return FormatText("%4.4s-Band", c.bandName);
    std::string f = FormatBandEdge(c.fixedFrequency);
    f.erase(0, f.find_first_not_of(' '));
    return f + " MHz";
}

std::string SideViewCaption(const PictureCaption& c) {
    const std::string gap(4, ' ');
    return "Side View" + gap + c.title + gap + FormatReal("%1.0f W", c.power) + gap +
           FormatReal("%3.2f dBi", c.antennaGain) + gap + CaptionBandField(c) + gap;
}

std::string DiagramCaption(const PictureCaption& c) {
    const std::string gap(2, ' ');
    return "Diagram" + gap + c.title + gap + FormatReal("%3.2f dBi", c.antennaGain) + gap +
           CaptionBandField(c) + gap;
}

} // namespace radexa
