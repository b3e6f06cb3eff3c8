#include <windows.h>

#include "ui/theme.h"

namespace ui {

namespace {

// The theme library, loaded on first use and kept for the process; looked up
// at run time so that the program imports nothing a system without it lacks.
class ThemeLibrary {
  public:
    ThemeLibrary() : module_(::LoadLibraryA("uxtheme.dll")) {
        if (module_ != nullptr) {
            isThemeActive_ = reinterpret_cast<Query>(
                reinterpret_cast<void*>(::GetProcAddress(module_, "IsThemeActive")));
            isAppThemed_ = reinterpret_cast<Query>(
                reinterpret_cast<void*>(::GetProcAddress(module_, "IsAppThemed")));
        }
    }
    ~ThemeLibrary() {
        if (module_ != nullptr) {
            ::FreeLibrary(module_);
        }
    }
    ThemeLibrary(const ThemeLibrary&) = delete;
    ThemeLibrary& operator=(const ThemeLibrary&) = delete;

    bool StylesActive() const {
        return isThemeActive_ != nullptr && isAppThemed_ != nullptr && isThemeActive_() &&
               isAppThemed_();
    }

  private:
    using Query = BOOL(WINAPI*)();
    HMODULE module_;
    Query isThemeActive_ = nullptr;
    Query isAppThemed_ = nullptr;
};

}  // namespace

bool VisualStylesActive() {
    static const ThemeLibrary library;
    return library.StylesActive();
}

}  // namespace ui
