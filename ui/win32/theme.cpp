#include <windows.h>

#include "platform/win32/system_library.h"
#include "ui/theme.h"

namespace ui {

namespace {

// The theme library, loaded on first use and kept for the process; looked up
// at run time so that the program imports nothing a system without it lacks,
// and from the system folder by its full path, never from beside the program.
class ThemeLibrary {
  public:
    ThemeLibrary() : module_(platform::win32::LoadSystemLibrary("uxtheme.dll")) {
        if (module_.valid()) {
            isThemeActive_ = reinterpret_cast<Query>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "IsThemeActive")));
            isAppThemed_ = reinterpret_cast<Query>(
                reinterpret_cast<void*>(::GetProcAddress(module_.get(), "IsAppThemed")));
        }
    }

    bool StylesActive() const {
        return isThemeActive_ != nullptr && isAppThemed_ != nullptr && isThemeActive_() &&
               isAppThemed_();
    }

  private:
    using Query = BOOL(WINAPI*)();
    platform::win32::UniqueModule module_;
    Query isThemeActive_ = nullptr;
    Query isAppThemed_ = nullptr;
};

}  // namespace

bool VisualStylesActive() {
    static const ThemeLibrary library;
    return library.StylesActive();
}

}  // namespace ui
