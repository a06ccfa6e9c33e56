#include "json/stationjson.h"

#include "core/app/report.h"
#include "core/support/cp1252.h"

#include <cmath>
#include <cstdint>

namespace radexa {

namespace {

// Null where the window shows "---".
Json positive(double x) {
    return x > 0 ? JsonNumber(x) : Json(nullptr);
}

// A result of the calculation: null when it was refused (the window shows "---").
Json result(const CalcResult& c, double x) {
    return c.ok() ? JsonNumber(x) : Json(nullptr);
}

} // namespace

Json JsonNumber(double x) {
    if (!std::isfinite(x))
        return nullptr;
    if (std::floor(x) == x && std::fabs(x) < 9007199254740992.0)
        return static_cast<std::int64_t>(x);
    return x;
}

Json JsonText(const std::string& cp1252) {
    return Cp1252ToUtf8(cp1252);
}

Json StationJson(const StationModel& m) {
    const Calculation& last = m.last();
    const CalcResult& c = last.result;
    const Factors f = m.factors();
    const CableValues cable = m.cablePage();
    Json o;
    o["band"] =
        m.frequency().FixedFrequencyMode ? Json(nullptr) : Json(HamBands(m.frequency().BandIDX));
    o["frequency"] = JsonNumber(m.referenceFrequency());
    o["e_limit"] = positive(c.ELimit);
    o["mode_factor"] = JsonNumber(f.ModeFactor);
    o["duty_cycle"] = JsonNumber(f.DutyCycle);
    o["factor"] = JsonNumber(f.Factor);
    o["cable_att100"] =
        cable.CableAtt100 == kUndefined ? Json(nullptr) : JsonNumber(cable.CableAtt100);
    o["cable_att"] = JsonNumber(cable.CableAtt);
    o["total_att"] = JsonNumber(cable.TotalAtt);
    o["gain"] = JsonNumber(last.input.AntennaGain);
    o["power"] = JsonNumber(last.input.Power);
    o["ant_in_power"] = result(c, c.AntInPower);
    o["eirp"] = result(c, c.EIRP);
    o["mean_eirp"] = result(c, c.MeanEIRP);
    o["safety_distance"] = positive(c.SafetyDistance);
    o["near_field_limit"] = positive(c.NearFieldLimit);
    if (const auto point = TakenAntennaPoint(m)) {
        o["manufacturer"] = JsonText(point->manufacturer);
        o["antenna"] = JsonText(point->name);
        o["point_frequency"] = JsonNumber(point->frequency);
        Json angles = Json::array();
        const PatternLists& p = last.pattern;
        for (std::size_t a = 0; a < p.PatternAngles.size(); ++a) {
            Json row;
            row["angle"] = p.PatternAngles[a];
            row["attenuation"] = JsonNumber(p.PatternAttenuations[a]);
            row["eirp"] = JsonNumber(p.PatternEirp[a]);
            row["distance"] = p.PatternDistances[a] == kUndefined
                                  ? Json(nullptr)
                                  : JsonNumber(p.PatternDistances[a]);
            angles.push_back(std::move(row));
        }
        o["angles"] = std::move(angles);
    }
    return o;
}

namespace {

Json level(double x) {
    return x == kUndefined ? Json(nullptr) : JsonNumber(x);
}

// The set's binding check, when the calculation has one.
const LimitCheckResult* bindingCheck(const LimitEvaluation& l) {
    return l.ok() && l.binding >= 0 && l.binding < static_cast<int>(l.checks.size())
               ? &l.checks[static_cast<std::size_t>(l.binding)]
               : nullptr;
}

} // namespace

void AddLimitsJson(Json& o, const StationModel& m) {
    const LimitChoice& choice = m.limitChoice();
    const LimitEvaluation& l = m.last().limits;
    const LimitCheckResult* binding = bindingCheck(l);
    o["limits"] = LimitSetWord(choice.set);
    o["tier"] = LimitTierWord(choice.tier);
    o["ground_factor"] = JsonNumber(GroundFieldFactor(choice.ground));
    o["averaging_minutes"] = binding ? JsonNumber(binding->AveragingMinutes) : Json(nullptr);
    o["binding_check"] = binding ? Json(LimitCheckName(binding->check)) : Json(nullptr);
    Json checks = Json::array();
    for (const LimitCheckResult& c : l.checks) {
        Json row;
        row["name"] = LimitCheckName(c.check);
        row["e_limit"] = level(c.E);
        row["h_limit"] = level(c.H);
        row["s_limit"] = level(c.S);
        row["averaging_minutes"] = JsonNumber(c.AveragingMinutes);
        row["safety_distance"] = level(c.SafetyDistance);
        checks.push_back(std::move(row));
    }
    o["checks"] = std::move(checks);
    if (const auto e = m.exemption(); e && e->ok()) {
        Json ex;
        ex["erp"] = JsonNumber(e->Erp);
        ex["threshold"] = level(e->Threshold);
        ex["distance"] = JsonNumber(e->Distance);
        ex["exempt"] = e->Exempt;
        o["exemption"] = std::move(ex);
    }
}

Json ComparisonJson(const StationModel& m, bool withBand) {
    const CalcInput& in = m.last().input;
    const double eirp = EIRP(AntInPower(in.Power, in.TotalAtt), in.AntennaGain);
    const auto choices = ComparisonChoices(m.limitChoice().ground);
    const auto evaluations =
        CompareLimits(m.frequency(), eirp, MeanEIRP(eirp, in.Factor), m.limitChoice().ground);
    Json rows = Json::array();
    for (std::size_t i = 0; i < kComparisonRows; ++i) {
        const LimitEvaluation& l = evaluations[i];
        const LimitCheckResult* binding = bindingCheck(l);
        Json row;
        if (withBand)
            row["band"] = HamBands(m.frequency().BandIDX);
        row["limits"] = LimitSetWord(choices[i].set);
        row["tier"] = LimitTierWord(choices[i].tier);
        row["binding_check"] = binding ? Json(LimitCheckName(binding->check)) : Json(nullptr);
        row["e_limit"] = l.ok() ? positive(l.ELimit) : Json(nullptr);
        row["safety_distance"] = l.ok() ? positive(l.SafetyDistance) : Json(nullptr);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace radexa
