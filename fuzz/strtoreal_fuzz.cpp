// StrToReal and the number formats: any text converts or throws ConversionError, with
// either decimal separator in force; the throwing and the non-throwing form agree; a format
// taken from the input never writes out of bounds.

#include "fuzz_input.h"

#include "core/support/numbersettings.h"
#include "core/support/textnumbers.h"

#include <cmath>

using namespace radexa;

namespace {

void Convert(std::string_view text) {
    double value = 0;
    bool thrown = false;
    try {
        value = StrToReal(text);
    } catch (const ConversionError&) {
        thrown = true;
    }
    double tried = 0;
    const bool converted = TryStrToReal(text, tried);
    FUZZ_CHECK(converted == !thrown);
    if (converted) {
        FUZZ_CHECK(tried == value || (std::isnan(tried) && std::isnan(value)));
        FUZZ_CHECK(!std::isnan(value));
        // What the program writes it must be able to read back.
        if (std::isfinite(value) && std::fabs(value) < 1e15) {
            const std::string written = FormatReal("%1.4f", value);
            double back = 0;
            FUZZ_CHECK(TryStrToReal(written, back));
            FUZZ_CHECK(std::fabs(back - value) <= 1e-4 * (1 + std::fabs(value)));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Bytes(data, size);
    NumberSettings comma;
    comma.decimalSeparator = ',';
    comma.thousandSeparator = '.';
    for (const NumberSettings& settings : {NumberSettings{}, comma}) {
        ScopedNumberSettings scoped(settings);
        Convert(text);
        // The input as a format: whatever it holds, the result is a plain string.
        (void)FormatReal(text, 1234.5678);
        (void)FormatPositiveReal(text, -1);
        (void)FormatInt(text, -32768);
        (void)FormatText(text, "abc");
    }
    (void)SplitText(text, ',');
    (void)TextAfter(text, 25);
    (void)LastCharPos(text, '.');
    return 0;
}
