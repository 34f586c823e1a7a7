// The text of an initialization file as lines, with the lookup and edit
// rules of the Windows profile-string calls.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace inifile {

class IniText {
  public:
    explicit IniText(const std::string& content);

    // The value of key in section (blanks around it dropped, one pair of
    // matching quotes removed), or nothing.
    std::optional<std::string> Get(const std::string& section, const std::string& key) const;

    // Sets key in section, creating the section at the end when missing.
    void Set(const std::string& section, const std::string& key, const std::string& value);

    std::string Text() const;

  private:
    std::vector<std::string> lines_;
    bool crlf_ = true;  // line ends of the file: CRLF unless it has only LF
    bool finalEol_ = true;
    bool bom_ = false;  // kept on writing

    // Index of the line that opens the section, or -1.
    long FindSection(const std::string& section) const;
    // One past the section's last line.
    std::size_t SectionEnd(std::size_t header) const;
    long FindKey(std::size_t header, const std::string& key) const;
};

}  // namespace inifile
