// The Windows-1252 converter: every byte string survives the trip to UTF-8 and back, the
// UTF-8 it gives is well-formed, and any bytes read as UTF-8 give a Windows-1252 text that
// converts again without loss.

#include "fuzz_input.h"

#include "core/support/cp1252.h"

using namespace radexa;

namespace {

// True when the text is well-formed UTF-8 without overlong forms or surrogates.
bool IsUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int more = 0;
        char32_t cp = 0, min = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            more = 1, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= s.size())
                return false;
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);

    const std::string utf8 = Cp1252ToUtf8(bytes);
    FUZZ_CHECK(IsUtf8(utf8));
    FUZZ_CHECK(Utf8ToCp1252(utf8) == bytes);

    const std::string narrow = Utf8ToCp1252(bytes);
    FUZZ_CHECK(narrow.size() <= bytes.size());
    FUZZ_CHECK(Utf8ToCp1252(Cp1252ToUtf8(narrow)) == narrow);
    return 0;
}
