#pragma once
// Text to number, number to text, and range tests shared by the whole program.
// Texts are Windows-1252 bytes; numbers are doubles. No state of their own besides
// the process-wide number settings (numbersettings.h).

#include "core/support/types.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

// The conversion error of StrToReal. what() is the German text, in Windows-1252.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text to number. The point is always a decimal separator; the separator of the
// current number settings too. Throws ConversionError.
double StrToReal(std::string_view text);
// The same, without an exception: false when the text is not a number.
bool TryStrToReal(std::string_view text, double& value);

// 1-based position of the last occurrence of c, -1 if none.
std::int32_t LastCharPos(std::string_view text, char c);
// The characters after the first n.
std::string TextAfter(std::string_view text, int n);
// Pieces between separators; n separators give n + 1 pieces; an empty text gives none.
StringArray SplitText(std::string_view text, char separator);
// The lines of a text; each of CR LF, LF and CR ends a line. A final line without an
// end counts; an empty text has no lines.
StringArray SplitLines(std::string_view text);
// The same lines as views into the text, which must outlive them.
std::vector<std::string_view> SplitLineViews(std::string_view text);

// The lines of a text as SplitLines splits them, one at a time and without a list, so that
// a file of millions of line ends costs no memory. The text must outlive the cursor.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    // The next line; false after the last one.
    bool Next(std::string_view& line);
    // The 1-based number of the line Next gave last.
    std::size_t LineNumber() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    std::size_t m_number = 0;
};
// A text quoted in a message, bounded and on one line: control characters (and the five
// bytes Windows-1252 leaves undefined) become '?', and a text longer than maxLength bytes
// is cut there and ends with "\x85" (the ellipsis of Windows-1252).
constexpr std::size_t kEchoLength = 300;
std::string EchoText(std::string_view text, std::size_t maxLength = kEchoLength);
// The text with A-Z folded to a-z (the folding SameTextNoCase compares with).
std::string AsciiLower(std::string_view text);
// Equal length and equal bytes after folding A-Z to a-z.
bool SameTextNoCase(std::string_view a, std::string_view b);

// Formats of the form [text]%[-][width][.precision](f|d|s)[text], with the decimal
// separator of the current number settings. A format that is not of this form is
// returned as it stands.
std::string FormatReal(std::string_view format, double x);
// "---" when x is not greater than 0 (or not a finite number).
std::string FormatPositiveReal(std::string_view format, double x);
std::string FormatText(std::string_view format, std::string_view text);
std::string FormatInt(std::string_view format, std::int64_t n);

// Band edges and fixed frequencies: six characters, decimals by range.
std::string FormatBandEdge(double x);
// As many decimals as fit into width characters.
std::string FormatToWidth(int width, double x);
// Number of decimal digits of the integer part of |x|, at least 1.
int IntegerDigits(double x);

bool InRange(double x, double low, double high);       // low <= x < high
bool InClosedRange(double x, double low, double high); // low <= x <= high
bool WithinPercent(double x, double reference, double percent);

// The text with c put in front until it has the length.
std::string PadLeft(std::string_view text, std::size_t length, char c);

// The text with "%1" ... "%9" replaced by the arguments (the first, ...); a placeholder
// without an argument stays as it is. The arguments themselves are not searched.
std::string FillArguments(std::string_view text, const StringArray& arguments);

} // namespace radexa
