// The toolkit pieces of the main window: edit box, pages without tabs and
// the keyboard focus, which windows exist when, the pointer per control,
// the image's own bitmap, and the description of a window that tools read
// from outside.

#include <gtest/gtest.h>

#include <vector>

#include "ui/describe.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/headless/headless_ui.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/page_control.h"

namespace {

// A form with two pages; the second holds an edit box.
struct TwoPages {
    TwoPages() : form("F") {
        form.SetBounds(ui::Rect::FromSize(0, 0, 300, 200));
        pages = &form.Add(std::make_unique<ui::PageControl>("pages"));
        pages->SetAlign(ui::Align::Client);
        first = &pages->Add(std::make_unique<ui::TabSheet>("first"));
        second = &pages->Add(std::make_unique<ui::TabSheet>("second"));
        edit = &second->Add(std::make_unique<ui::Edit>("edit"));
        edit->SetBounds(ui::Rect::FromSize(10, 20, 100, 26));
    }
    ui::Form form;
    ui::PageControl* pages;
    ui::TabSheet* first;
    ui::TabSheet* second;
    ui::Edit* edit;
};

}  // namespace

TEST(EditBox, InLowerCaseModeEveryTextIsLowerCase) {
    TwoPages w;
    w.edit->SetText("C:\\Mixed");  // before the mode: kept as given
    EXPECT_EQ(w.edit->text(), "C:\\Mixed");
    w.edit->SetLowerCase(true);  // the mode lowers what is there
    EXPECT_EQ(w.edit->text(), "c:\\mixed");
    w.edit->SetText("D:\\KR");  // set by the program before the window exists
    EXPECT_EQ(w.edit->text(), "d:\\kr");
    w.form.Show();
    EXPECT_EQ(w.edit->text(), "d:\\kr");                // carried into the window
    ui::headless::TypeInto(*w.edit, "E:\\Games\\ABC");  // typed or pasted
    EXPECT_EQ(w.edit->text(), "e:\\games\\abc");
    w.edit->SetText("F:\\X");
    EXPECT_EQ(w.edit->text(), "f:\\x");
}

TEST(EditBox, LowerCaseModeLowersTheAsciiLettersOnlyAndKeepsEveryOtherCharacterWhole) {
    struct Case {
        bool typed;
        const char* text;
        const char* held;
    };
    for (const Case& c :
         {Case{false, "C:\\\u0141\u00D3D\u0179\\KR", "c:\\\u0141\u00D3d\u0179\\kr"},
          Case{true, "D:\\\u00C9T\u00C9\\\u738B\u4F1F", "d:\\\u00C9t\u00C9\\\u738B\u4F1F"}}) {
        TwoPages w;
        w.edit->SetLowerCase(true);
        w.form.Show();
        if (c.typed) {
            ui::headless::TypeInto(*w.edit, c.text);
        } else {
            w.edit->SetText(c.text);
        }
        EXPECT_EQ(w.edit->text(), c.held);
    }
}

TEST(PageControl, OnlyTheActivePageShowsAndTheFocusFollowsTheEditBox) {
    TwoPages w;
    EXPECT_EQ(w.first->bounds(), ui::Rect::FromSize(0, 0, 300, 200));  // pages fill the control
    EXPECT_EQ(w.second->bounds(), w.first->bounds());
    w.form.Show();
    EXPECT_TRUE(w.first->visible());
    EXPECT_FALSE(w.second->visible());
    EXPECT_EQ(w.form.activeControl(), nullptr);  // nothing on the first page takes it

    w.pages->SetActivePageIndex(1);
    EXPECT_FALSE(w.first->visible());
    EXPECT_TRUE(w.second->visible());
    EXPECT_EQ(w.pages->ActivePage(), w.second);
    EXPECT_EQ(w.form.activeControl(), w.edit);

    w.pages->SetActivePageIndex(0);  // a hidden edit box loses the focus
    EXPECT_EQ(w.form.activeControl(), nullptr);
}

TEST(Handles, ShownHandlesLeaveOutHiddenControlsAndWhatTheyHold) {
    TwoPages w;
    w.pages->SetActivePageIndex(0);
    w.pages->CreateShownHandles();
    EXPECT_NE(w.first->host(), nullptr);
    EXPECT_EQ(w.second->host(), nullptr);
    EXPECT_EQ(w.edit->host(), nullptr);
}

TEST(Handles, AMainFormShowsPaintedFirstAndEndsWithEveryWindow) {
    TwoPages w;
    w.pages->SetActivePageIndex(0);
    w.edit->SetText("C:\\kr");
    w.form.ShowBeforeHiddenHandles();
    EXPECT_TRUE(w.form.visible());
    EXPECT_EQ(ui::headless::SynchronousPaints(w.form), 1);
    const std::vector<ui::Control*> windows{&w.form, w.first, w.second, w.edit};
    for (const ui::Control* control : windows) {
        EXPECT_NE(control->host(), nullptr) << control->name();
    }
    EXPECT_EQ(w.edit->text(), "C:\\kr");  // carried into the window made late
}

TEST(Pointer, AControlWithoutOneTakesItsNearestAncestors) {
    ui::Form form("F");
    form.SetBounds(ui::Rect::FromSize(0, 0, 300, 200));
    auto& panel = form.Add(std::make_unique<ui::Panel>("panel"));
    panel.SetBounds(ui::Rect::FromSize(0, 0, 100, 200));
    panel.SetCursor(ui::Cursor::Drag);
    auto& image = panel.Add(std::make_unique<ui::Image>("image"));
    image.SetBounds(ui::Rect::FromSize(10, 10, 50, 50));
    auto& arrow = panel.Add(std::make_unique<ui::Image>("arrow"));
    arrow.SetBounds(ui::Rect::FromSize(10, 100, 50, 50));
    arrow.SetCursor(ui::Cursor::Arrow);
    EXPECT_EQ(ui::CursorAt(panel, {20, 20}), ui::Cursor::Drag);   // over the image
    EXPECT_EQ(ui::CursorAt(panel, {80, 180}), ui::Cursor::Drag);  // the panel itself
    EXPECT_EQ(ui::CursorAt(panel, {20, 120}), ui::Cursor::Arrow);
    EXPECT_EQ(ui::CursorAt(form, {200, 20}), ui::Cursor::Arrow);  // nobody asks
}

TEST(ImageControl, PaintsItsOwnBitmapMadeAtItsSize) {
    ui::Image image("image");
    image.SetBounds(ui::Rect::FromSize(0, 0, 7, 5));
    EXPECT_EQ(image.bitmap(), nullptr);
    ui::Canvas& canvas = image.canvas();
    ASSERT_NE(image.bitmap(), nullptr);
    EXPECT_EQ(image.bitmap()->width(), 7);
    EXPECT_EQ(image.bitmap()->height(), 5);
    canvas.SetBrush(ui::colors::kYellow);
    canvas.FillRect(ui::Rect::FromSize(2, 1, 1, 1));
    ui::headless::PixelBuffer screen(7, 5);
    ui::headless::PixelCanvas target(screen);
    image.Paint(target);
    EXPECT_EQ(screen.At(2, 1), ui::colors::kYellow);
}

TEST(Describe, ListsEveryControlInFormCoordinatesWithItsTextAndFont) {
    TwoPages w;
    w.form.SetCaption("Title");
    w.edit->SetFont({"Tahoma", -15, false, false, ui::colors::kBlack});
    w.edit->SetText("a\tb\\c");
    auto& label = w.first->Add(std::make_unique<ui::Label>("label"));
    label.SetFont({"Tahoma", -13, true, false, ui::colors::kWhite});
    label.SetCaption("Hi");
    label.SetLeft(5);
    const std::string text = ui::DescribeControls(w.form);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "F\t0\t0\t300\t200\t0\tTitle\tMS Shell Dlg 2\t-11\tregular");
    EXPECT_NE(text.find("\nlabel\t5\t0\t18\t15\t0\tHi\tTahoma\t-13\tbold\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("\nedit\t10\t20\t100\t26\t0\ta\\tb\\\\c\tTahoma\t-15\tregular\n"),
              std::string::npos)
        << text;
}
