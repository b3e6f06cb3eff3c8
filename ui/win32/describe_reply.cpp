#include "ui/win32/describe_reply.h"

#include <string>

#include "ui/describe.h"

namespace ui::win32 {

bool AnswerDescribeRequest(Form& form, UINT message, WPARAM wParam) {
    static const UINT describe = ::RegisterWindowMessageW(kDescribeMessageName);
    if (describe == 0 || message != describe) {
        return false;
    }
    std::string description = DescribeControls(form);
    COPYDATASTRUCT data = {};
    data.dwData = kDescriptionTag;
    data.cbData = static_cast<DWORD>(description.size());
    data.lpData = description.data();
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(reinterpret_cast<HWND>(wParam), WM_COPYDATA, 0,
                          reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 2000, &ignored);
    return true;
}

}  // namespace ui::win32
