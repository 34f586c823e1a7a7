// The maker's web site, in one place for the saver, its settings dialog and
// Tellwell.
#pragma once

inline constexpr const char* kMakerHost = "www.vantrelsoftware.com";
inline constexpr const char* kMakerSite = "http://www.vantrelsoftware.com";
inline constexpr const char* kProgramTitle = "Corvane Screen Saver";
