#include "cli/report.h"

#include "core/support/atomicfile.h"
#include "core/support/textnumbers.h"
#include "json/reportjson.h"

#include <dlfcn.h>

#include <cstdlib>
#include <ctime>

namespace radexa::cli {

namespace {

void write(const std::string& option, const FileWriteResult& written) {
    if (!written.ok())
        throw CliError{option + ": " + EchoText(written.error, 400), kExitFailed};
}

// The report module: beside the program (the build folder), or in lib/radexa of an
// installed program (bin/../lib/radexa).
WriteReportPdfFunction loadReportModule(const std::string& programFolder) {
    const std::string candidates[] = {programFolder + "radexa-cli-report.so",
                                      programFolder + "../lib/radexa/radexa-cli-report.so"};
    std::string why = "not found";
    for (const std::string& path : candidates) {
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            if (const char* e = ::dlerror();
                e && std::string(e).find("No such file") == std::string::npos)
                why = e;
            continue;
        }
        if (void* f = ::dlsym(module, kWriteReportPdfSymbol))
            return reinterpret_cast<WriteReportPdfFunction>(f);
        why = path + " has no " + kWriteReportPdfSymbol;
    }
    throw CliError{"--report: the report module radexa-cli-report.so cannot be loaded (" +
                       EchoText(why, 300) + ")",
                   kExitFailed};
}

} // namespace

ReportTime ReportTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    const char* fixed = std::getenv("SOURCE_DATE_EPOCH");
    char* end = nullptr;
    const long long seconds = fixed ? std::strtoll(fixed, &end, 10) : 0;
    if (fixed && *fixed && end && *end == '\0' && seconds >= 0) {
        now = static_cast<std::time_t>(seconds);
        gmtime_r(&now, &t);
    } else {
        localtime_r(&now, &t);
    }
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min};
}

void WriteReports(const Options& o, const StationModel& station, const std::string& programFolder) {
    ReportRequest request;
    request.language = o.language.value_or(Language::English);
    request.call = o.call.value_or(std::string());
    request.place = o.place.value_or(std::string());
    request.time = ReportTimeNow();
    if (o.reportJson)
        write("--report-json", WriteFileAtomic(*o.reportJson, ReportJson(station, request)));
    if (o.report) {
        const WriteReportPdfFunction writePdf = loadReportModule(programFolder);
        std::string error;
        if (!writePdf(station, request, *o.report, &error))
            throw CliError{"--report: " + EchoText(error, 400), kExitFailed};
    }
}

} // namespace radexa::cli
