// Edit boxes and the folder browser of the headless backend.

#include <memory>

#include "ui/backend.h"
#include "ui/headless/headless_ui.h"
#include "util/path_helpers.h"

namespace ui::headless {

namespace {

class HeadlessEditHost final : public EditHost {
  public:
    explicit HeadlessEditHost(Edit& edit) : text_(edit.text()) {}

    void Invalidate(const Rect&) override {}
    void Update() override {}
    void SyncBounds() override {}
    void SyncVisibility() override {}
    void SetCapture(bool) override {}
    std::optional<Point> CursorPosition() const override { return std::nullopt; }
    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void SyncStyle() override {}
    void TakeFocus() override {}

  private:
    std::string text_;
};

FolderScript* activeFolderScript = nullptr;

}  // namespace

void TypeInto(Edit& edit, const std::string& text) {
    // Typed text reaches the window, which applies the box's case mode: the
    // headless system lowers the ASCII letters only.
    edit.CreateHandles();
    static_cast<EditHost*>(edit.host())->SetText(edit.lowerCase() ? LowerAscii(text) : text);
}

FolderScript::FolderScript(std::vector<std::optional<std::string>> answers)
    : answers_(answers.begin(), answers.end()), previous_(activeFolderScript) {
    activeFolderScript = this;
}

FolderScript::~FolderScript() {
    activeFolderScript = previous_;
}

std::optional<std::string> FolderScript::Answer(const FolderBrowseRequest& request) {
    shown_.push_back(request);
    if (answers_.empty()) {
        return std::nullopt;
    }
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace ui::headless

namespace ui {

std::optional<std::string> BrowseForFolder(const FolderBrowseRequest& request) {
    if (headless::activeFolderScript == nullptr) {
        return std::nullopt;
    }
    return headless::activeFolderScript->Answer(request);
}

namespace backend {

std::unique_ptr<EditHost> CreateEditHost(Edit& edit) {
    return std::make_unique<headless::HeadlessEditHost>(edit);
}

}  // namespace backend
}  // namespace ui
