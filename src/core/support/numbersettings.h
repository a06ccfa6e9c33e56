#pragma once
// The process-wide number settings: the four separators that text-to-number and
// number-to-text conversions follow. They live inside this process only; nothing
// outside the program is ever changed.

namespace radexa {

struct NumberSettings {
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    char listSeparator = ';';
    char monetaryThousandSeparator = ',';

    bool operator==(const NumberSettings& o) const {
        return decimalSeparator == o.decimalSeparator && thousandSeparator == o.thousandSeparator &&
               listSeparator == o.listSeparator &&
               monetaryThousandSeparator == o.monetaryThousandSeparator;
    }
    bool operator!=(const NumberSettings& o) const { return !(*this == o); }
};

// The settings in force now.
const NumberSettings& CurrentNumberSettings();
void SetNumberSettings(const NumberSettings& settings);

// Sets new settings for the lifetime of the object and puts the previous ones back
// when it ends (start-up and shut-down of the program, and tests).
class ScopedNumberSettings {
public:
    explicit ScopedNumberSettings(const NumberSettings& settings);
    ~ScopedNumberSettings();
    ScopedNumberSettings(const ScopedNumberSettings&) = delete;
    ScopedNumberSettings& operator=(const ScopedNumberSettings&) = delete;
    const NumberSettings& previous() const { return m_previous; }

private:
    NumberSettings m_previous;
};

// The settings the program works with while it runs: decimal "," and thousands ".".
NumberSettings ProgramNumberSettings(const NumberSettings& user);

} // namespace radexa
