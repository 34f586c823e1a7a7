// The request that Submit hands to the web browser: the friends' addresses,
// the sender's address and first name as the query of the maker's page.
#pragma once
#include <array>
#include <string>

// The text without the blanks (space characters) at both ends.
std::string Trim(const std::string& text);

// Percent-encodes each byte of UTF-8 text except letters, digits and "-._~",
// so that no typed character can end a value or start another query key.
std::string PercentEncode(const std::string& text);

// "https://<maker's host>/vuvudadero.php?s=2&te=<friends>&fe=<sender>&n=<name>":
// every value trimmed and percent-encoded; the five friends joined by
// literal commas, empty boxes giving empty entries.
std::string RequestUrl(const std::array<std::string, 5>& friends, const std::string& sender,
                       const std::string& firstName);
