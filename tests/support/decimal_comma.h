#pragma once
// Switches the process to a locale whose decimal separator is a comma, for as long as the
// object lives. A machine without the German locale gets one compiled into a scratch folder
// (glibc looks in LOCPATH); when even that fails, active() is false and the test skips.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <stdlib.h>
#include <string>

class DecimalCommaLocale {
  public:
    DecimalCommaLocale() {
        if (Use()) return;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnhollow-locale-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) return;
        folder = pattern;
        std::string make = "localedef -i de_DE -f UTF-8 " + folder + "/de_DE.UTF-8 >/dev/null 2>&1";
        if (std::system(make.c_str()) >= 0) {
            ::setenv("LOCPATH", folder.c_str(), 1);
            Use();
        }
    }
    ~DecimalCommaLocale() {
        std::setlocale(LC_ALL, "C");
        std::error_code error;
        if (!folder.empty()) std::filesystem::remove_all(folder, error);
    }
    bool active() const { return isActive; }

  private:
    bool Use() {
        isActive =
            std::setlocale(LC_ALL, "de_DE.UTF-8") && std::localeconv()->decimal_point[0] == ',';
        return isActive;
    }
    std::string folder;
    bool isActive = false;
};
