#pragma once
// Who looks after Radexa: the one place that names the maintainers. The About window,
// its mail button and anything else that addresses the authors read these.

namespace radexa::maintainer {

// Shown in the About window.
inline constexpr char Name[] = "Radexa maintainers";
// The name a mail greets them by.
inline constexpr char FirstName[] = "Radexa team";
inline constexpr char CallSign[] = "N0CALL";
inline constexpr char OtherCallSigns[] = "N0CALL/P, N0CALL/M";
inline constexpr char EmailAddress[] = "radexa@example.org";

// The commission whose guidelines the exposure limits follow.
inline constexpr char CommissionCaption[] = "www.icnirp.org";
inline constexpr char CommissionUrl[] = "https://www.icnirp.org/";

} // namespace radexa::maintainer
