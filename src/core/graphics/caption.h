#pragma once
// The captions of the two picture windows, built from the station of the last
// calculation. Texts are Windows-1252 bytes.

#include <string>

namespace radexa {

struct PictureCaption {
    std::string title;        // Title of the angle data: manufacturer, blank, name
    double power = 0.0;       // transmitter power, W
    double antennaGain = 0.0; // dBi
    std::string bandName;     // name of the current band
    bool fixedFrequencyMode = false;
    double fixedFrequency = 0.0; // MHz, shown in place of the band with a fixed frequency
};

// "Side View", title, "%1.0f W", "%3.2f dBi", "%4.4s-Band", each followed by four
// blanks.
std::string SideViewCaption(const PictureCaption& c);
// "Diagram", title, "%3.2f dBi", "%4.4s-Band", each followed by two blanks.
std::string DiagramCaption(const PictureCaption& c);

// The band field: "%4.4s-Band" of the band name, or the fixed frequency in MHz.
std::string CaptionBandField(const PictureCaption& c);

} // namespace radexa
