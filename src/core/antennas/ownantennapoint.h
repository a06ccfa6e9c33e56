#pragma once
// The frequency points of the own-antenna dialog as the dialog takes them: each point is
// checked when it is added, numbers typed with the decimal comma of the main window are
// stored with the point (the comma separates the fields of the user antenna file), and a
// point can be taken out again. Texts are Windows-1252 bytes.

#include "core/antennas/ownantenna.h"

#include <string>
#include <string_view>

namespace radexa {

// The point as it is stored: frequency and gain without the blanks around them, and a
// decimal comma written as a point ("7,5" -> "7.5"). The element count stays as typed.
OwnAntennaPoint StoredOwnAntennaPoint(const OwnAntennaPoint& typed);

// The first problem of one point (0-based index among the points), judged by the same
// rules as the whole antenna (CheckOwnAntenna); ok() when it can be added.
OwnAntennaProblem CheckOwnAntennaPoint(const OwnAntennaPoint& point, int index);

// The texts of the point list's own controls, in the dialog language
// (OwnAntennaDialogText picks the language the same way).
enum class OwnPointText { ButRemovePoint, RemovePointHint };
std::string OwnPointDialogText(std::string_view languageName, OwnPointText id);

} // namespace radexa
