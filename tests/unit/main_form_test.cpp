#include "app/main_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/message_boxes.h"
#include "install/run_installation.h"
#include "platform/sim/sim_machine.h"
#include "test_resources.h"
#include "ui/application.h"
#include "ui/edit.h"
#include "ui/headless/headless_ui.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "widget_pixels.h"

using platform::DriveType;
using ui::headless::BoxScript;
using ui::headless::FolderScript;

namespace {

constexpr char kNotInstalled[] = "Tessaly was not installed.";
constexpr char kInvalidDevice[] = "Install Directory is not on a valid device.";

class MainFormTest : public ::testing::Test {
  protected:
    MainFormTest() { LoadLayoutResources(machine); }
    ~MainFormTest() override { ui::headless::ClearPosted(); }

    // A new application with the window as start-up makes it, shown; the
    // run is the test's.
    TMainForm& Open() {
        form.reset();
        application.reset();
        application = std::make_unique<ui::Application>();
        application->SetTitle("Tessaly Installer Version 3.24");
        form = std::make_unique<TMainForm>(*application, [this](const std::string& folder) {
            folders.push_back(folder);
            runVisible.push_back(form->visible());
            return run(folder);
        });
        application->SetMainForm(*form);
        form->Show();
        return *form;
    }
    template <typename T = ui::Control>
    T& Get(const char* name) {
        return dynamic_cast<T&>(*form->Find(name));
    }
    void Click(const char* name) {
        ui::headless::Click(*form, ui::headless::CentreOf(*form->Find(name)));
    }
    std::string Folder() { return Get<ui::Edit>("edInstallDir").text(); }
    int Page() { return Get<ui::PageControl>("PageControl1").activePageIndex(); }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    platform::sim::Machine machine;
    BoxScript boxes;
    std::function<bool(const std::string&)> run = [](const std::string&) { return true; };
    std::vector<std::string> folders;
    std::vector<bool> runVisible;
    std::unique_ptr<ui::Application> application;
    std::unique_ptr<TMainForm> form;
};

}  // namespace

TEST_F(MainFormTest, CreationFillsTheTextsAndCentresTheLabelsAfterThem) {
    Open();
    EXPECT_EQ(form->caption(), "Vantrel Tessaly Installer");
    EXPECT_EQ(Page(), 0);
    EXPECT_EQ(Get<ui::Label>("Label15").caption(), "Vantrel\u00AE");
    EXPECT_EQ(Get("Label15").width(), ui::MeasureText(Get("Label15").font(), "Vantrel.").width);
    struct Centred {
        const char* name;
        const char* text;
        int parentWidth;
        int top;
    };
    for (const Centred& c :
         {Centred{"lbIns1", "This will install Vantrel Tessaly", 500, 13},
          Centred{"lbIns2", "Version 3.24 05/11/04", 500, 34},
          Centred{"lbP1Progname", "Tessaly", 185, 253}, Centred{"lbP1ProgVer", "3.24", 185, 293}}) {
        auto& label = Get<ui::Label>(c.name);
        EXPECT_EQ(label.caption(), c.text);
        EXPECT_EQ(label.width(), ui::MeasureText(label.font(), c.text).width);
        EXPECT_EQ(label.left(), (c.parentWidth - label.width()) / 2) << c.name;
        EXPECT_EQ(label.top(), c.top) << c.name;
    }
    EXPECT_EQ(Get("Label14").bounds().left, 42);  // left where the layout put them
    EXPECT_EQ(Get("Label15").bounds().left, 40);
    EXPECT_EQ(Get("TabSheet2").bounds(), ui::Rect::FromSize(0, 0, 500, 400));
    EXPECT_EQ(Get("PageControl1").bounds(), ui::Rect::FromSize(185, 0, 500, 400));
}

TEST_F(MainFormTest, TheDefaultFolderIsOnTheWindowsDrive) {
    struct Case {
        std::optional<std::string> windows;
        const char* present;  // a folder made beforehand, or nullptr
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\WINDOWS", nullptr, "c:\\kr"},
        {"C:\\WINDOWS", "C:\\vantrel\\kr", "c:\\vantrel\\kr"},
        {"D:\\Win", "D:\\vantrel\\kr", "d:\\vantrel\\kr"},
        {std::nullopt, nullptr, "kr"},
        // No Windows folder: looked for in the current folder.
        {std::nullopt, "C:\\setup\\vantrel\\kr", "vantrel\\kr"},
    };
    machine.AddDrive('D', DriveType::Fixed);
    for (const Case& c : cases) {
        std::filesystem::remove_all(machine.HostPath("C:\\vantrel"));
        std::filesystem::remove_all(machine.HostPath("C:\\setup"));
        machine.PutFolder("C:\\setup");
        machine.SetSpecialFolder(platform::kCsidlWindows, c.windows);
        if (c.present != nullptr) {
            machine.PutFolder(c.present);
        }
        Open();
        EXPECT_EQ(Folder(), c.folder) << c.folder;
    }
    // The relative default is refused until the user gives a full path.
    Click("btnSetup");
    Click("btnInstall");
    EXPECT_EQ(Texts(), std::vector<std::string>{kInvalidDevice});
    EXPECT_TRUE(folders.empty());
}

TEST_F(MainFormTest, OnlyRemovableFixedAndNetworkDrivesAreAccepted) {
    struct Case {
        const char* folder;
        std::optional<DriveType> type;  // of the folder's drive, when it exists
        bool accepted;
    };
    const Case cases[] = {
        {"e:\\kr", DriveType::Unknown, false},
        {"f:\\kr", std::nullopt, false},  // no such root: type 1
        {"g:\\kr", DriveType::Removable, true},
        {"h:\\kr", DriveType::Fixed, true},
        {"i:\\kr", DriveType::Remote, true},
        {"j:\\kr", DriveType::CdRom, false},
        {"k:\\kr", DriveType::RamDisk, false},
        {"\\\\server\\share\\kr", std::nullopt, false},
        {"kr", std::nullopt, false},
    };
    for (const Case& c : cases) {
        if (c.type) {
            machine.AddDrive(static_cast<char>(c.folder[0] - 'a' + 'A'), *c.type);
        }
        Open();
        Click("btnSetup");
        ui::headless::TypeInto(Get<ui::Edit>("edInstallDir"), c.folder);
        const std::size_t before = boxes.shown().size();
        run = [](const std::string&) { return true; };
        Click("btnInstall");
        const bool refused = boxes.shown().size() == before + 1 &&
                             boxes.shown().back().text == kInvalidDevice &&
                             boxes.shown().back().icon == ui::BoxIcon::Information;
        EXPECT_EQ(!refused, c.accepted) << c.folder;
        // Refused: the window stays on the folder page with the text unchanged.
        EXPECT_EQ(form->visible(), !c.accepted) << c.folder;
        EXPECT_EQ(Page(), 1);
        EXPECT_EQ(Folder(), c.folder);
    }
    EXPECT_EQ(folders.size(), 3u);  // the run got the accepted folders as typed
}

TEST_F(MainFormTest, AFolderTheProgramCannotBeGivenIsRefusedAndNamesTheCharacter) {
    // The machine's ANSI code page is 1252: 'é' has a form there, 'ł' and
    // Chinese characters have none; an existing folder may still be reached
    // by its short name.
    machine.PutFolder("C:\\\u738b\u4f1f");
    machine.PutFolder("C:\\\u738b\u4e3d");
    machine.SetShortPath("C:\\\u738b\u4e3d", "C:\\2B2E~1");
    const struct {
        const char* folder;
        const char* refusedFor;  // nothing: accepted
    } cases[] = {
        {"c:\\jos\u00e9\\kr", nullptr},
        {"c:\\\u0142\u00f3d\u017a\\kr", "\u0142"},
        {"c:\\\u738b\u4f1f", "\u738b"},  // it exists, but has no short name
        {"c:\\\u738b\u4e3d", nullptr},
    };
    for (const auto& c : cases) {
        Open();
        Click("btnSetup");
        ui::headless::TypeInto(Get<ui::Edit>("edInstallDir"), c.folder);
        folders.clear();
        const std::size_t before = boxes.shown().size();
        Click("btnInstall");
        if (c.refusedFor == nullptr) {
            EXPECT_EQ(folders, std::vector<std::string>{c.folder});
            continue;
        }
        EXPECT_TRUE(folders.empty()) << c.folder;
        ASSERT_EQ(boxes.shown().size(), before + 1) << c.folder;
        EXPECT_EQ(boxes.shown().back().text,
                  "Tessaly is a DOS program, and a DOS program cannot open a folder whose name "
                  "has the character \"" +
                      std::string(c.refusedFor) +
                      "\" in it.\r\n\r\nPlease choose a folder whose name is written with "
                      "the letters A to Z, digits and spaces, such as c:\\kr.");
        EXPECT_TRUE(form->visible());
        EXPECT_EQ(Folder(), c.folder);
    }
}

TEST_F(MainFormTest, BrowseKeepsTheTextOnCancelAndPutsAChoiceInLowerCase) {
    FolderScript browser({std::nullopt, "C:\\Games", "C:\\Games"});
    Open();
    Click("btnSetup");
    Click("btnBrowse");
    EXPECT_EQ(Folder(), "c:\\kr");
    Click("btnBrowse");
    EXPECT_EQ(Folder(), "c:\\games");
    Click("btnBrowse");  // the same folder again
    EXPECT_EQ(Folder(), "c:\\games");
    ASSERT_EQ(browser.shown().size(), 3u);
    EXPECT_EQ(
        browser.shown()[0],
        (ui::FolderBrowseRequest{
            "Change Install Folder. Standard Vantrel folders are kr and vantrel\\kr. To "
            "install directly to a Vantrel flash drive, select the drive, then the kr folder.",
            ui::bifNewDialogStyle | ui::bifReturnOnlyFSDirs, "c:\\kr"}));
    EXPECT_EQ(browser.shown()[1].folder, "c:\\kr");
    EXPECT_EQ(browser.shown()[2].folder, "c:\\games");
}

TEST_F(MainFormTest, AFailedRunBringsTheWindowBackOnTheFolderPageWithTheNoticeLast) {
    run = [](const std::string&) {
        ShowMessageCaption("Tessaly", "Installation cancelled. 1 of 10 files were installed.");
        return false;
    };
    std::vector<bool> visibleAtBox;
    boxes.OnShow([&](const ui::MessageBoxSpec&) { visibleAtBox.push_back(form->visible()); });
    Open();
    Click("btnSetup");
    Click("btnInstall");
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"Installation cancelled. 1 of 10 files were installed.",
                                        kNotInstalled}));
    EXPECT_EQ(visibleAtBox, (std::vector<bool>{false, true}));
    EXPECT_EQ(runVisible, std::vector<bool>{false});  // hidden while the run works
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(form->activeControl(), form->Find("edInstallDir"));

    // Install works again, and a run that succeeds closes the window.
    run = [](const std::string&) { return true; };
    Click("btnInstall");
    EXPECT_EQ(folders, (std::vector<std::string>{"c:\\kr", "c:\\kr"}));
    EXPECT_FALSE(form->visible());
    EXPECT_TRUE(application->terminated());
    EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(MainFormTest, BothCancelButtonsEndTheProgram) {
    for (bool folderPage : {false, true}) {
        Open();
        if (folderPage) {
            Click("btnSetup");
        }
        Click(folderPage ? "BtnCancel2" : "btnCancel");
        EXPECT_FALSE(form->visible());
        EXPECT_TRUE(application->terminated()) << folderPage;
    }
}

TEST_F(MainFormTest, TheSidePanelShowsTheDragPointerAndTheFocusStartsOnSetupThenTheEditBox) {
    Open();
    auto& panel = Get<ui::Container>("GradPanel1");
    EXPECT_EQ(ui::CursorAt(panel, {60, 60}), ui::Cursor::Drag);   // over the logo
    EXPECT_EQ(ui::CursorAt(panel, {60, 390}), ui::Cursor::Drag);  // the panel itself
    EXPECT_EQ(ui::CursorAt(Get<ui::Container>("TabSheet1"), {10, 10}), ui::Cursor::Arrow);
    EXPECT_EQ(form->activeControl(), form->Find("btnSetup"));
    Click("btnSetup");
    EXPECT_EQ(form->activeControl(), form->Find("edInstallDir"));
    Click("btnBrowse");  // a click leaves the focus where it was
    EXPECT_EQ(form->activeControl(), form->Find("edInstallDir"));
}

// The logo with the headless font metrics: "T+" in a bold font of cell
// height 59 (character height 49) advances 28 pixels a letter, so it is 56
// wide and 59 high and starts at ((105 - 56 + 1) div 2, (105 - 59) div 2) =
// (25, 23); each letter is a white stroke in the middle of its advance, from
// the character box's top (23 + 10) to three quarters of the cell (23 + 44).
TEST_F(MainFormTest, TheLogoIsDrawnToThePixel) {
    Open();
    const ui::Bitmap* logo = Get<ui::Image>("Image1").bitmap();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->width(), 105);
    EXPECT_EQ(logo->height(), 105);
    const ui::Color red = ui::colors::kRed;
    const ui::Color yellow = ui::colors::kYellow;
    const ui::Color white = ui::colors::kWhite;
    struct Probe {
        int x, y;
        ui::Color color;
    };
    const Probe probes[] = {// The frame: the pen's inner half along every edge, red inside it.
                            {0, 0, yellow},
                            {52, 4, yellow},
                            {52, 5, red},
                            {4, 52, yellow},
                            {5, 52, red},
                            {100, 52, yellow},
                            {99, 52, red},
                            {104, 104, yellow},
                            {52, 100, yellow},
                            {52, 99, red},
                            {10, 10, red},
                            {94, 94, red},
                            // The text: strokes at columns 39 and 67, rows 33 to 66.
                            {39, 33, white},
                            {39, 66, white},
                            {39, 32, red},
                            {39, 67, red},
                            {38, 50, red},
                            {40, 50, red},
                            {67, 33, white},
                            {67, 66, white},
                            {66, 50, red},
                            {68, 50, red},
                            {25, 40, red},
                            {80, 40, red}};
    for (const Probe& p : probes) {
        EXPECT_EQ(logo->PixelAt(p.x, p.y), p.color) << p.x << "," << p.y;
    }
}

TEST_F(MainFormTest, AFailureRaisedInsideTheRunIsShownThenTheWindowComesBack) {
    // No payload in the resources: the run raises for its first item.
    run = RunInstallation;
    Open();
    Click("btnSetup");
    Click("btnInstall");
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Resource rs_cmd not found", kNotInstalled}));
    EXPECT_EQ(boxes.shown()[0].caption, "Tessaly Installer Version 3.24");
    EXPECT_EQ(boxes.shown()[0].icon, ui::BoxIcon::Error);
    EXPECT_EQ(ui::headless::FindForm("InstProgressForm"), nullptr);
    EXPECT_TRUE(form->visible());
    EXPECT_EQ(Page(), 1);
    EXPECT_FALSE(application->terminated());
}

// The keyboard on both pages, as the dialog manager would have it; the run
// is the test's and succeeds.
TEST_F(MainFormTest, EveryStepWorksByKeyboard) {
    using ui::Key;
    using ui::KeyPress;
    const KeyPress tab{Key::Tab}, backTab{Key::Tab, 0, true}, enter{Key::Return},
        escape{Key::Escape}, space{Key::Space};
    const auto letter = [](char c, bool alt) { return KeyPress{Key::Letter, c, false, alt}; };
    struct Case {
        const char* name;
        bool onFolderPage;
        std::vector<KeyPress> keys;
        int page;
        bool open;
        std::size_t runs;
        std::size_t browsers;
    };
    for (const Case& c : {
             Case{"Return: Setup", false, {enter}, 1, true, 0, 0},
             Case{"S alone: Setup", false, {letter('S', false)}, 1, true, 0, 0},
             Case{"Tab, Space: Cancel", false, {tab, space}, 0, false, 0, 0},
             Case{"Alt+C: Cancel", false, {letter('C', true)}, 0, false, 0, 0},
             Case{"Escape on the welcome page", false, {escape}, 0, false, 0, 0},
             Case{"Return in the folder box: Install", true, {enter}, 1, false, 1, 0},
             Case{"B and Space in the folder box are typed",
                  true,
                  {letter('B', false), space},
                  1,
                  true,
                  0,
                  0},
             Case{"Alt+B: Browse", true, {letter('B', true)}, 1, true, 0, 1},
             Case{"Tab, Return: Browse", true, {tab, enter}, 1, true, 0, 1},
             Case{"Shift+Tab twice, Space: Install",
                  true,
                  {backTab, backTab, space},
                  1,
                  false,
                  1,
                  0},
             Case{"Escape on the folder page", true, {escape}, 1, false, 0, 0},
         }) {
        Open();
        folders.clear();
        FolderScript browsers;
        if (c.onFolderPage) {
            Click("btnSetup");
        }
        for (const KeyPress& key : c.keys) {
            form->HandleKey(key);
        }
        EXPECT_EQ(Page(), c.page) << c.name;
        EXPECT_EQ(form->visible(), c.open) << c.name;
        EXPECT_EQ(folders.size(), c.runs) << c.name;
        EXPECT_EQ(browsers.shown().size(), c.browsers) << c.name;
    }
}

TEST_F(MainFormTest, TabGoesRoundInReadingOrderAndTheCuesShowFromTheFirstTabOrAlt) {
    const auto names = [this] {
        std::vector<std::string> order;
        for (ui::Control* control : form->TabOrder()) {
            order.push_back(control->name());
        }
        return order;
    };
    for (const ui::Key first : {ui::Key::Tab, ui::Key::Alt}) {
        Open();
        EXPECT_EQ(names(), (std::vector<std::string>{"btnSetup", "btnCancel"}));
        const ui::headless::PixelBuffer mouseLook = ui::headless::Render(*form);
        EXPECT_EQ(form->keyboardCues(), (ui::KeyboardCues{false, false}));
        form->HandleKey({first});
        EXPECT_EQ(form->keyboardCues(), (ui::KeyboardCues{true, true}));
        const ui::headless::PixelBuffer keyboardLook = ui::headless::Render(*form);
        int changed = 0;
        for (int y = 0; y < mouseLook.height(); ++y) {
            for (int x = 0; x < mouseLook.width(); ++x) {
                changed += mouseLook.At(x, y) != keyboardLook.At(x, y) ? 1 : 0;
            }
        }
        EXPECT_GT(changed, 0);  // the focus rectangle and the underlines
    }
    Click("btnSetup");  // a click after keyboard use does what it did
    EXPECT_EQ(names(),
              (std::vector<std::string>{"edInstallDir", "btnBrowse", "btnInstall", "BtnCancel2"}));
    for (const char* next : {"btnBrowse", "btnInstall", "BtnCancel2", "edInstallDir"}) {
        form->HandleKey({ui::Key::Tab});
        EXPECT_EQ(form->activeControl()->name(), next);
    }
}

// What a screen reader finds on the welcome page, and what it hears of.
TEST_F(MainFormTest, AScreenReaderFindsEveryTextAndButtonAndHearsOfChanges) {
    Open();
    std::vector<std::string> tree;
    const std::function<void(ui::Control&, int)> walk = [&](ui::Control& node, int depth) {
        for (ui::Control* child : ui::AccessibleChildren(node)) {
            const ui::AccessibleStates s = ui::StatesOf(*child);
            tree.push_back(std::string(depth * 2, ' ') +
                           std::to_string(static_cast<int>(child->accessibleRole())) + " " +
                           child->AccessibleName() + (s.focused ? " focused" : "") +
                           (s.isDefault ? " default" : "") + (s.invisible ? " invisible" : "") +
                           (child->DefaultActionName().empty() ? "" : " [Press]"));
            walk(*child, depth + 1);
        }
    };
    walk(*form, 0);
    const std::vector<std::string> expected = {
        "2 ",  // the side panel: a grouping
        "  5 T+",
        "  3 INSTALLING",
        "  3 Vantrel\u00AE",
        "  3 Tessaly",
        "  3 3.24",
        "2 ",  // the welcome page
        "  3 This will install Vantrel Tessaly",
        "  3 Version 3.24 05/11/04",
        "  3 Click SETUP to install this program, CANCEL to close",
        "  3 without installing.",
        "  4 Setup focused default [Press]",
        "  4 Cancel [Press]",
        "2  invisible",  // the folder page
        "  3 Install Folder: invisible",
        "  7 c:\\kr invisible",
        "  4 Browse invisible [Press]",
        "  4 Install default invisible [Press]",
        "  4 Cancel invisible [Press]",
    };
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(ui::AccessibleById(*form, ui::AccessibleId(*form, *form->Find("btnCancel"))),
              form->Find("btnCancel"));

    auto& events = ui::headless::AccessibleEvents();
    events.clear();
    form->HandleKey({ui::Key::Tab});
    EXPECT_TRUE(form->Find("btnSetup")->DoDefaultAction());  // "Press" does what a click does
    EXPECT_EQ(Page(), 1);
    using E = ui::AccessibleEvent;
    for (const ui::headless::AccessibleEventRecord& wanted :
         {ui::headless::AccessibleEventRecord{"btnCancel", E::Focus},
          {"TabSheet2", E::Show},
          {"TabSheet1", E::Hide},
          {"edInstallDir", E::Focus}}) {
        EXPECT_NE(std::find(events.begin(), events.end(), wanted), events.end()) << wanted.control;
    }
}
