#include "core/antennas/ownantennapoint.h"

#include "core/support/cp1252.h"

#include <algorithm>

namespace radexa {

namespace {

std::string withoutBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// A number with one decimal comma and no point takes the point instead.
std::string pointForm(std::string_view typed) {
    std::string text = withoutBlanks(typed);
    if (std::count(text.begin(), text.end(), ',') == 1 && text.find('.') == std::string::npos)
        text[text.find(',')] = '.';
    return text;
}

} // namespace

OwnAntennaPoint StoredOwnAntennaPoint(const OwnAntennaPoint& typed) {
    return {pointForm(typed.frequency), pointForm(typed.gain), typed.elements};
}

OwnAntennaProblem CheckOwnAntennaPoint(const OwnAntennaPoint& point, int index) {
    // Name, type and category that pass, so that only the point is judged.
    OwnAntenna probe{"x", "x", "x", {point}};
    OwnAntennaProblem problem = CheckOwnAntenna(probe);
    if (problem.point >= 0)
        problem.point = index;
    return problem;
}

std::string OwnPointDialogText(std::string_view languageName, OwnPointText id) {
    const bool german = languageName == "Deutsch";
    const bool swedish = languageName == "Swedish";
    switch (id) {
    case OwnPointText::ButRemovePoint:
        return Utf8ToCp1252(german    ? "Punkt &entfernen"
                            : swedish ? "Ta &bort punkt"
                                      : "&Remove Point");
    case OwnPointText::RemovePointHint:
        break;
    }
    return Utf8ToCp1252(german    ? "Entfernt den in der Liste markierten Punkt, sonst den letzten"
                        : swedish ? "Tar bort punkten som är markerad i listan, annars den sista"
                                  : "Removes the point marked in the list, or else the last one");
}

} // namespace radexa
