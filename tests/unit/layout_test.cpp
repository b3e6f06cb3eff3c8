#include "ui/layout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/main_form.h"
#include "install/inst_progress_form.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/application.h"
#include "ui/label.h"
#include "util/errors.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/layout_resources.h"
#include "widgets/widget_kinds.h"

namespace {

// A kind for tests: a plain container with an optional click handler.
ui::ComponentKinds TestKinds() {
    return {{"Box", [](ui::PropertyReader& properties, const ui::HandlerTable& handlers) {
                 auto box = std::make_unique<ui::Container>(properties.component().name);
                 if (const auto* p = properties.Take("OnClick")) {
                     box->onClick = ui::ResolveHandler(*p, handlers);
                 }
                 return std::unique_ptr<ui::Control>(std::move(box));
             }}};
}

std::string ErrorOf(const std::string& text, const ui::HandlerTable& handlers = {}) {
    try {
        ui::Form form("F");
        ui::ApplyLayout(form, ui::ParseLayout(text), TestKinds(), handlers);
    } catch (const ui::LayoutError& error) {
        return error.what();
    }
    return "";
}

}  // namespace

TEST(Layout, BuildsComponentsUnderTheirParentsAndRunsTheCreationHandler) {
    int clicks = 0;
    std::vector<std::string> order;
    const ui::HandlerTable handlers = {
        {"Clicked", [&] { ++clicks; }},
        {"Created", [&] { order.push_back("created"); }},
    };
    ui::Form form("F");
    ui::ApplyLayout(form, ui::ParseLayout(R"(
# comment
[F]
kind = Form
caption = "Trailing space "
client = 300 200
color = rgb(255, 77, 0)
font = "Tahoma" -13 bold clWhite
OnCreate = Created

[Outer]
kind = Box
parent = F
bounds = 10 20 100 50
color = 19967

[Inner]
kind = Box
parent = Outer
bounds = 1 2 3 4
visible = false
OnClick = Clicked
)"),
                    TestKinds(), handlers);
    EXPECT_EQ(form.caption(), "Trailing space ");
    EXPECT_EQ(form.width(), 300);
    EXPECT_EQ(form.color(), ui::Color::Rgb(255, 77, 0));
    EXPECT_EQ(form.font().height, -13);
    EXPECT_TRUE(form.font().bold);
    auto* outer = dynamic_cast<ui::Container*>(form.Find("Outer"));
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->bounds(), ui::Rect::FromSize(10, 20, 100, 50));
    EXPECT_EQ(outer->color(), ui::Color::Rgb(255, 77, 0));  // packed, red in the low byte
    ui::Control* inner = form.Find("Inner");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->parent(), outer);
    EXPECT_FALSE(inner->visible());
    EXPECT_EQ(inner->font().face, "Tahoma");  // inherited from the form
    inner->onClick();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(order, std::vector<std::string>{"created"});
}

TEST(Layout, MistakesAreReportedWithTheirLine) {
    EXPECT_NE(ErrorOf("[F]\nkind = Form\ncolour = clRed\n").find("line 3"), std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\n[B]\nkind = Nope\nparent = F\n").find("unknown kind"),
              std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\n[B]\nkind = Box\nparent = G\n").find("parent G"),
              std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\n[B]\nkind = Box\nparent = F\nOnClick = Missing\n")
                  .find("no handler named Missing"),
              std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\nclient = 1\n").find("expected 2 numbers"),
              std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\ncolor = rgb(256, 0, 0)\n").find("bad colour"),
              std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\n[F]\nkind = Box\n").find("duplicate"), std::string::npos);
    EXPECT_NE(ErrorOf("[B]\nkind = Box\n").find("starts with its Form"), std::string::npos);
    EXPECT_NE(ErrorOf("[F]\nkind = Form\ncaption = unquoted\n").find("expected \"text\""),
              std::string::npos);
}

TEST(Layout, NumbersAreWholeDecimalWordsWithAnOptionalSign) {
    const struct {
        const char* words;
        std::vector<int> values;  // empty: "not a number"
    } cases[] = {
        {"12 -3", {12, -3}},
        {"+7 0", {7, 0}},
        {"2147483647 -2147483648", {2147483647, -2147483648}},
        {"2147483648 1", {}},
        {"+-5 1", {}},
        {"+ 1", {}},
        {"5x 1", {}},
        {"0x10 1", {}},
    };
    for (const auto& c : cases) {
        const ui::LayoutProperty property{"client", c.words, 7};
        if (c.values.empty()) {
            EXPECT_THROW(ui::ParseInts(property, 2), ui::LayoutError) << c.words;
        } else {
            EXPECT_EQ(ui::ParseInts(property, 2), c.values) << c.words;
        }
    }
    EXPECT_NE(ErrorOf("[F]\nkind = Form\nclient = 5x 1\n").find("line 3: not a number: 5x"),
              std::string::npos);
}

TEST(Layout, EveryShippedLayoutLoadsAndResolvesItsHandlers) {
    platform::sim::Machine machine;
    LoadLayoutResources(machine);
    const auto folder = std::filesystem::path(TESSALY_SOURCE_DIR) / "resources" / "layouts";
    int layouts = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++layouts;
        const std::string stem = entry.path().stem().string();
        if (stem == "main_form") {
            ui::Application application;
            EXPECT_NO_THROW(TMainForm(application, [](const std::string&) { return true; }));
        } else if (stem == "inst_progress_form") {
            ui::Application application;
            EXPECT_NO_THROW(TInstProgressForm{application});
        } else {
            ADD_FAILURE() << "no test builds the form of " << entry.path();
        }
    }
    EXPECT_GE(layouts, 1);
}

TEST(Layout, AMissingLayoutResourceIsReportedByName) {
    platform::sim::Machine machine;
    try {
        LoadLayoutResource("MainForm");
        FAIL() << "expected EResNotFound";
    } catch (const EResNotFound& error) {
        EXPECT_STREQ(error.what(), "Resource LAYOUT_MAINFORM not found");
    }
}

TEST(Layout, AComponentIsFoundOnlyAsItsOwnKindOrABaseOfIt) {
    ui::Form form("F");
    ui::ComponentKinds kinds;
    ui::AddLabelKind(kinds);
    widgets::AddWidgetKinds(kinds);
    ui::ApplyLayout(form,
                    ui::ParseLayout("[F]\nkind = Form\n\n[L]\nkind = Label\nparent = F\n"
                                    "\n[P]\nkind = GradientPanel\nparent = F\n"),
                    kinds, {});
    EXPECT_NE(ui::Component<ui::Label>(form, "L"), nullptr);
    EXPECT_NE(ui::Component<widgets::GradientPanel>(form, "P"), nullptr);
    EXPECT_EQ(form.Find("P")->AsContainer(), form.Find("P"));  // a panel holds children
    EXPECT_EQ(form.Find("L")->AsContainer(), nullptr);
    EXPECT_THROW(ui::Component<widgets::GradientButton>(form, "L"), ui::LayoutError);
    EXPECT_THROW(ui::Component<ui::Label>(form, "P"), ui::LayoutError);
    EXPECT_THROW(ui::Component<ui::Label>(form, "Missing"), ui::LayoutError);
}

TEST(Layout, ALayoutResourceThatIsNoZlibStreamIsRefused) {
    platform::sim::Machine machine;
    machine.SetResource("LAYOUT_MAINFORM", "[MainForm]\nkind = Form\n");
    EXPECT_THROW(LoadLayoutResource("MainForm"), EDecompressionError);
}

TEST(Layout, TheInstallersKindsIncludeTheDrawnWidgets) {
    for (const char* kind :
         {"GradientButton", "LevelProgressBar", "GradientPanel", "GradientBackground"}) {
        EXPECT_EQ(InstallerComponentKinds().count(kind), 1u) << kind;
    }
}
