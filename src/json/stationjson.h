#pragma once
// A station as JSON data: the values radexa-cli --json prints, with full precision and
// null where the window shows "---". The command-line calculator and the compliance
// report's JSON twin write the same keys through these functions. No Qt.

#include "core/app/stationmodel.h"

#include <nlohmann/json.hpp>

namespace radexa {

using Json = nlohmann::ordered_json;

// band, frequency, e_limit, mode_factor, duty_cycle, factor, cable_att100, cable_att,
// total_att, gain, power, ant_in_power, eirp, mean_eirp, safety_distance,
// near_field_limit; with a taken antenna also manufacturer, antenna, point_frequency and
// angles [{angle, attenuation, eirp, distance}]. Texts in UTF-8.
Json StationJson(const StationModel& station);

// The limit set the station was computed under, as radexa-cli adds it when a limit option
// is given: limits, tier, ground_factor, averaging_minutes and binding_check of the set,
// checks [{name, e_limit, h_limit, s_limit, averaging_minutes, safety_distance}], and with
// a distance for the FCC exemption exemption {erp, threshold, distance, exempt}.
void AddLimitsJson(Json& object, const StationModel& station);

// The station under the six limit sets and tiers of a comparison: one object each with
// limits, tier, binding_check, e_limit and safety_distance (and band when asked for).
Json ComparisonJson(const StationModel& station, bool withBand);

// A number as the shortest text that reads back the same double (whole numbers without a
// fraction); null for what is no finite number.
Json JsonNumber(double x);

// A Windows-1252 text as a JSON string (UTF-8).
Json JsonText(const std::string& cp1252);

} // namespace radexa
