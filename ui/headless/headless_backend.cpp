// The headless GUI backend: windows as plain state, a scripted message loop,
// message boxes answered by a script, and a fixed table of system colours.

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "ui/application.h"
#include "ui/backend.h"
#include "ui/headless/headless_ui.h"
#include "ui/mouse_router.h"
#include "ui/theme.h"

namespace ui::headless {

namespace {

std::deque<std::function<void()>>& Queue() {
    static std::deque<std::function<void()>> queue;
    return queue;
}

BoxScript* activeScript = nullptr;
PumpScript* activePumpScript = nullptr;
bool visualStyles = true;
int screenDpi = kDesignDpi;

}  // namespace

std::vector<AccessibleEventRecord>& AccessibleEvents() {
    static std::vector<AccessibleEventRecord> events;
    return events;
}

namespace {

// One window's state: what was asked of it, and its mouse routing.
class HeadlessHost;
std::vector<HeadlessHost*>& FormHosts() {
    static std::vector<HeadlessHost*> hosts;
    return hosts;
}

class HeadlessHost final : public FormHost {
  public:
    explicit HeadlessHost(Container& control) : control_(control), router_(control) {
        if (dynamic_cast<Form*>(&control_) != nullptr) {
            FormHosts().push_back(this);
        }
    }
    ~HeadlessHost() override { std::erase(FormHosts(), this); }

    void Invalidate(const Rect&) override { ++invalidations_; }
    void Update() override { ++synchronousPaints_; }
    void SyncBounds() override {}
    int Dpi() const override { return screenDpi; }
    void SyncVisibility() override {
        // A form that shows becomes the active window.
        if (auto* form = dynamic_cast<Form*>(&control_); form != nullptr && form->visible()) {
            form->Activated();
        }
    }
    void SetCapture(bool capture) override { captured_ = capture; }
    std::optional<Point> CursorPosition() const override { return cursor_; }
    void SyncCaption() override {}
    void NotifyAccessible(Control& control, AccessibleEvent event) override {
        AccessibleEvents().push_back({control.name(), event});
    }
    void RequestClose() override {
        if (auto* form = dynamic_cast<Form*>(&control_)) {
            Post([form] { form->Close(); });
        }
    }

    Container& control() { return control_; }
    MouseRouter& router() { return router_; }
    bool captured() const { return captured_; }
    void SetCursor(std::optional<Point> at) { cursor_ = at; }
    int synchronousPaints() const { return synchronousPaints_; }

  private:
    Container& control_;
    MouseRouter router_;
    bool captured_ = false;
    std::optional<Point> cursor_;
    int invalidations_ = 0;
    int synchronousPaints_ = 0;
};

HeadlessHost* HostOf(Control& control) {
    return dynamic_cast<HeadlessHost*>(control.host());
}

// The innermost window (a windowed container with a host) below `window`
// that contains the point, or nothing; `at` becomes the point in it.
Container* InnerWindowAt(Container& window, Point& at) {
    for (auto it = window.children().rbegin(); it != window.children().rend(); ++it) {
        Control& child = **it;
        if (!child.visible() || !child.bounds().Contains(at)) {
            continue;
        }
        auto* container = dynamic_cast<Container*>(&child);
        if (container == nullptr) {
            return nullptr;  // the topmost control here is no window of ours
        }
        Point inner{at.x - child.left(), at.y - child.top()};
        if (container->IsWindowed() && HostOf(*container) != nullptr) {
            Container* deeper = InnerWindowAt(*container, inner);
            at = inner;
            return deeper != nullptr ? deeper : container;
        }
        Container* deeper = InnerWindowAt(*container, inner);
        if (deeper != nullptr) {
            at = inner;
        }
        return deeper;
    }
    return nullptr;
}

Container* WindowAt(Form& form, Point& at) {
    Container* inner = InnerWindowAt(form, at);
    return inner != nullptr ? inner : &form;
}

// Offset of a windowed control's client area in the form.
Point OffsetInForm(Control& control) {
    Point offset;
    for (Control* c = &control; c != nullptr && c->parent() != nullptr; c = c->parent()) {
        offset.x += c->left();
        offset.y += c->top();
    }
    return offset;
}

// Delivers one mouse event: to the window holding the capture, else to the
// window under the point. Every window learns where the pointer is.
void Deliver(Form& form, Point at, const std::function<void(MouseRouter&, Point)>& event) {
    form.CreateWindowHandle();
    std::vector<Container*> windows;
    std::function<void(Container&)> collect = [&](Container& c) {
        if (HostOf(c) != nullptr) {
            windows.push_back(&c);
        }
        for (const auto& child : c.children()) {
            if (auto* inner = dynamic_cast<Container*>(child.get())) {
                collect(*inner);
            }
        }
    };
    collect(form);
    Container* target = nullptr;
    for (Container* window : windows) {
        const Point offset = OffsetInForm(*window);
        HostOf(*window)->SetCursor(Point{at.x - offset.x, at.y - offset.y});
        if (HostOf(*window)->captured()) {
            target = window;
        }
    }
    if (target == nullptr) {
        Point inner = at;
        target = WindowAt(form, inner);
    }
    if (target == nullptr) {
        return;
    }
    const Point offset = OffsetInForm(*target);
    HeadlessHost* host = HostOf(*target);
    // Leaving one window for another: the old one hears of it.
    for (Container* window : windows) {
        if (window != target && !HostOf(*window)->captured()) {
            HostOf(*window)->router().Leave();
        }
    }
    event(host->router(), Point{at.x - offset.x, at.y - offset.y});
}

}  // namespace

PixelBuffer Render(Form& form) {
    PixelBuffer buffer(form.width(), form.height());
    PixelCanvas canvas(buffer);
    PaintTree(form, canvas, true);
    return buffer;
}

void MouseMove(Form& form, Point at) {
    Deliver(form, at, [](MouseRouter& router, Point p) { router.Move(p); });
}

void MouseDown(Form& form, Point at, MouseButton button) {
    Deliver(form, at, [button](MouseRouter& router, Point p) { router.Down(button, p); });
}

void MouseUp(Form& form, Point at, MouseButton button) {
    Deliver(form, at, [button](MouseRouter& router, Point p) { router.Up(button, p); });
}

void MouseLeave(Form& form) {
    form.CreateWindowHandle();
    std::function<void(Container&)> leave = [&](Container& c) {
        if (HeadlessHost* host = HostOf(c)) {
            host->SetCursor(std::nullopt);
            host->router().Leave();
        }
        for (const auto& child : c.children()) {
            if (auto* inner = dynamic_cast<Container*>(child.get())) {
                leave(*inner);
            }
        }
    };
    leave(form);
}

void Click(Form& form, Point at) {
    MouseMove(form, at);
    MouseDown(form, at);
    MouseUp(form, at);
}

Point CentreOf(Control& control) {
    const Point offset = OffsetInForm(control);
    return {offset.x + control.width() / 2, offset.y + control.height() / 2};
}

Form* FindForm(const std::string& name) {
    for (HeadlessHost* host : FormHosts()) {
        if (host->control().name() == name) {
            return dynamic_cast<Form*>(&host->control());
        }
    }
    return nullptr;
}

void SetVisualStyles(bool active) {
    visualStyles = active;
}

void SetScreenDpi(int dpi) {
    screenDpi = dpi;
}

PumpScript::PumpScript() : previous_(activePumpScript) {
    activePumpScript = this;
}

PumpScript::~PumpScript() {
    activePumpScript = previous_;
}

void PumpScript::At(int pump, std::function<void()> event) {
    if (pump <= pumps_) {
        Post(std::move(event));  // that pump has started: it is waiting now
        return;
    }
    events_.emplace(pump, std::move(event));
}

void PumpScript::StartPump() {
    ++pumps_;
    const auto [first, last] = events_.equal_range(pumps_);
    for (auto it = first; it != last; ++it) {
        Post(std::move(it->second));
    }
    events_.erase(first, last);
}

bool PumpScript::HasLaterEvents() const {
    return !events_.empty();
}

int SynchronousPaints(Control& window) {
    HeadlessHost* host = HostOf(window);
    return host != nullptr ? host->synchronousPaints() : 0;
}

void Post(std::function<void()> event) {
    Queue().push_back(std::move(event));
}

void ClearPosted() {
    Queue().clear();
}

BoxScript::BoxScript(std::vector<int> answers)
    : answers_(answers.begin(), answers.end()), previous_(activeScript) {
    activeScript = this;
}

BoxScript::~BoxScript() {
    activeScript = previous_;
}

int BoxScript::Answer(const MessageBoxSpec& spec) {
    shown_.push_back(spec);
    if (hook_) {
        hook_(spec);
    }
    if (answers_.empty()) {
        return spec.defaultButton != 0 ? spec.defaultButton : kResultOk;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

}  // namespace ui::headless

namespace ui {

bool VisualStylesActive() {
    return headless::visualStyles;
}

int ShowMessageBox(const MessageBoxSpec& spec) {
    if (headless::activeScript != nullptr) {
        return headless::activeScript->Answer(spec);
    }
    return spec.defaultButton != 0 ? spec.defaultButton : kResultOk;
}

// The colours of Wine's default scheme in a fresh prefix (as measured with
// GetSysColor under Wine 8), so that headless pictures and the acceptance
// tests' screenshots agree to the pixel.
Color ResolveColor(Color color) {
    if (!color.isSystem()) {
        return color;
    }
    switch (color.systemIndex()) {
        case SystemColor::BtnFace:
            return Color::Rgb(245, 245, 245);
        case SystemColor::BtnShadow:
            return Color::Rgb(166, 166, 166);
        case SystemColor::BtnHighlight:
        case SystemColor::Window:
            return colors::kWhite;
        case SystemColor::WindowText:
        case SystemColor::BtnText:
            return colors::kBlack;
    }
    return colors::kBlack;
}

namespace backend {

std::unique_ptr<FormHost> CreateFormHost(Form& form) {
    return std::make_unique<headless::HeadlessHost>(form);
}

std::unique_ptr<WindowHost> CreateChildHost(Container& control) {
    return std::make_unique<headless::HeadlessHost>(control);
}

namespace {
void RunQueued(Application& application, bool untilEmpty) {
    auto& queue = headless::Queue();
    while (!application.terminated() && !queue.empty()) {
        auto event = std::move(queue.front());
        queue.pop_front();
        try {
            event();
        } catch (const std::exception& error) {
            application.ShowException(error);
        }
        if (!untilEmpty) {
            break;
        }
    }
}
}  // namespace

void RunMessageLoop(Application& application) {
    RunQueued(application, true);
}

void ProcessPendingMessages(Application& application) {
    if (headless::activePumpScript != nullptr) {
        headless::activePumpScript->StartPump();
    }
    RunQueued(application, true);
}

void WaitForMessage() {
    const bool more = !headless::Queue().empty() || (headless::activePumpScript != nullptr &&
                                                     headless::activePumpScript->HasLaterEvents());
    if (!more) {
        throw headless::NothingToWaitFor();
    }
}

void PostQuit() {}

}  // namespace backend
}  // namespace ui
