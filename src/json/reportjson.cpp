#include "json/reportjson.h"

#include "core/support/numbersettings.h"
#include "core/support/textnumbers.h"
#include "json/stationjson.h"

namespace radexa {

namespace {

// A level or distance of a check: null where the set gives none.
Json level(double x) {
    return x == kUndefined ? Json(nullptr) : JsonNumber(x);
}

Json reportObject(const ReportRequest& r) {
    Json o;
    o["call"] = JsonText(r.call);
    o["place"] = JsonText(r.place);
    o["date"] = ReportDateText(r.time);
    o["time"] = ReportTimeText(r.time);
    o["language"] = ReportLanguageCode(r.language);
    o["program"] = "Radexa";
    o["version"] = RADEXA_VERSION;
    return o;
}

Json limitsObject(const StationModel& m) {
    const LimitChoice& choice = m.limitChoice();
    const LimitEvaluation& limits = m.last().limits;
    Json o;
    o["set"] = LimitSetWord(choice.set);
    o["name"] = JsonText(LimitSetName(choice.set));
    o["tier"] = LimitTierWord(choice.tier);
    o["ground"] = GroundWord(choice.ground);
    Json checks = Json::array();
    for (std::size_t i = 0; i < limits.checks.size(); ++i) {
        const LimitCheckResult& c = limits.checks[i];
        Json row;
        row["check"] = LimitCheckName(c.check);
        row["e"] = level(c.E);
        row["h"] = level(c.H);
        row["s"] = level(c.S);
        row["averaging_minutes"] = JsonNumber(c.AveragingMinutes);
        row["eirp"] = level(c.Eirp);
        row["safety_distance"] = level(c.SafetyDistance);
        row["binding"] = static_cast<int>(i) == limits.binding;
        checks.push_back(std::move(row));
    }
    o["checks"] = std::move(checks);
    return o;
}

Json exemptionObject(const StationModel& m) {
    const auto e = m.exemption();
    if (!e || !e->ok())
        return nullptr;
    Json o;
    o["distance"] = JsonNumber(e->Distance);
    o["outcome"] = ExemptionOutcomeText(e->outcome);
    o["exempt"] = e->Exempt;
    o["erp"] = level(e->Erp);
    o["threshold"] = level(e->Threshold);
    o["near_field"] = level(e->NearField);
    return o;
}

// The CLI's station object, then the inputs it does not name.
Json stationObject(const StationModel& m) {
    Json o = StationJson(m);
    const CableValues cable = m.cablePage();
    double height = 0;
    o["mode"] = ModeText(m.modeIdx());
    o["rhythm"] = RhythmItems()[static_cast<std::size_t>(m.rhythmItem())];
    o["factor_table"] = m.factorTableText();
    o["cable"] = CableName(m.cableIdx());
    o["cable_length"] = JsonNumber(cable.CableLength);
    o["other_loss"] = JsonNumber(cable.PlugAtt);
    o["antenna_height"] = TryStrToReal(m.heightText(), height) ? JsonNumber(height) : Json(nullptr);
    o["polarisation"] = !m.anglePageShown()                                 ? Json(nullptr)
                        : m.taken()->polarisation == Polarisation::Vertical ? Json("vertical")
                                                                            : Json("horizontal");
    const Refusal refusal = m.last().result.refusal;
    o["refusal"] = refusal == Refusal::None ? Json(nullptr)
                                            : JsonText(LimitRefusalText(refusal, m.limitChoice()));
    return o;
}

} // namespace

std::string ReportJson(const StationModel& m, const ReportRequest& request) {
    // Numbers typed into the fields are read as the window reads them.
    const ScopedNumberSettings program(ProgramNumberSettings(CurrentNumberSettings()));
    Json o;
    o["report"] = reportObject(request);
    o["limits"] = limitsObject(m);
    o["exemption"] = exemptionObject(m);
    o["station"] = stationObject(m);
    Json bands = Json::array();
    for (const StationModel& band : BandStations(m))
        bands.push_back(StationJson(band));
    o["bands"] = std::move(bands);
    return o.dump(2) + '\n';
}

} // namespace radexa
