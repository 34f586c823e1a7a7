// A fresh folder under the temp folder, removed with everything in it.
#pragma once
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TempFolder {
  public:
    // A new folder with a random name (portable: the Windows build runs the
    // same tests).
    TempFolder() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            const auto p = base / ("corvane-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(p)) {
                path_ = p.string();
                break;
            }
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(*this / name, std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(*this / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::string path_;
};
