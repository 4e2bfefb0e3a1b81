// The dialog templates as the dialog manager builds them: every control's ID, class, style and
// rectangle (in dialog units), in template order, and each dialog's own style and caption.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

struct Control {
    int id;
    const char* className;
    DWORD style;
    RECT units;  // x, y, width, height in dialog units
};

struct Template {
    const char* name;
    int resource;
    DWORD style;
    DWORD exStyle;  // bits that must be set
    const char* caption;
    SIZE units;
    std::vector<Control> controls;
};

const Template kTemplates[] = {
    {"About",
     100,
     0x80c800c0,
     0,
     "About TOVRA Installer",
     {217, 54},
     {{1015, "Static", 0x50020080, {7, 7, 144, 40}}, {1, "Button", 0x50030001, {156, 19, 54, 14}}}},
    {"Main",
     102,
     0x90c800c0,
     WS_EX_APPWINDOW,
     "TOVRA Installer v0.2",
     {184, 229},
     {{1004, "Button", 0x50010000, {117, 7, 60, 14}},
      {1005, "Button", 0x50010000, {117, 22, 60, 14}},
      {2, "Button", 0x50010000, {117, 165, 60, 14}},
      {-1, "Static", 0x50000012, {7, 7, 103, 173}},
      {-1, "Static", 0x50000012, {7, 186, 170, 36}},
      {1015, "Static", 0x50020001, {12, 192, 159, 24}}}},
    {"Install",
     132,
     0x80c800c0,
     0,
     "Install",
     {200, 140},
     {{1007, "Button", 0x50010000, {133, 20, 50, 14}},
      {1006, "Edit", 0x50810080, {15, 20, 112, 14}},
      {1004, "Button", 0x50010000, {75, 118, 50, 14}},
      {-1, "Button", 0x50000007, {7, 7, 186, 37}},
      {-1, "Button", 0x50000007, {7, 47, 186, 63}},
      {1009, "Static", 0x50020000, {23, 72, 159, 8}},
      {1010, "Static", 0x50020000, {23, 62, 159, 8}},
      {1016, "msctls_progress32", 0x50000000, {23, 88, 153, 8}}}},
    {"SelectFolder",
     133,
     0x80c800c0,
     0,
     "Select Folder",
     {208, 175},
     {{1010, "SysTreeView32", 0x50810007, {7, 7, 194, 140}},
      {1012, "Button", 0x50010001, {108, 154, 57, 14}},
      {1014, "Button", 0x50010000, {42, 154, 57, 14}}}},
    {"FolderName",
     134,
     0x80c800c0,
     0,
     "Enter Folder Name",
     {154, 50},
     {{1013, "Edit", 0x50810080, {7, 7, 140, 14}},
      {1, "Button", 0x50010001, {23, 29, 50, 14}},
      {2, "Button", 0x50010000, {81, 29, 50, 14}}}},
};

INT_PTR CALLBACK NoHandling(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The dialog manager converts position and size separately, as MapDialogRect converts each
// field, so a width is rounded once and not as the difference of two rounded edges.
RECT ToPixels(HWND dialog, RECT units) {
    RECT r = units;
    MapDialogRect(dialog, &r);
    return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
}

// Bits the system adds to every dialog window it creates.
constexpr DWORD kAddedBySystem = WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK;

class TemplateTest : public ::testing::TestWithParam<Template> {};

TEST_P(TemplateTest, BuildsExactlyTheListedControls) {
    const Template& t = GetParam();
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(t.resource),
                                     nullptr, &NoHandling, 0);
    ASSERT_NE(dialog, nullptr);
    char text[128] = {};
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, t.caption);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
    EXPECT_EQ(style & ~kAddedBySystem, t.style & ~kAddedBySystem);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)) & t.exStyle, t.exStyle);
    RECT client;
    GetClientRect(dialog, &client);
    RECT size = ToPixels(dialog, {0, 0, t.units.cx, t.units.cy});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    std::size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ASSERT_LT(index, t.controls.size()) << "more controls than listed";
        const Control& c = t.controls[index++];
        SCOPED_TRACE("control " + std::to_string(index) + " id " + std::to_string(c.id));
        EXPECT_EQ(static_cast<int>(static_cast<short>(GetDlgCtrlID(child))), c.id);
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        EXPECT_STRCASEEQ(name, c.className);
        // The 3-D look turns a bordered edit or tree into one with a sunken client edge.
        DWORD childStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
            childStyle |= WS_BORDER;
        }
        EXPECT_EQ(childStyle, c.style) << name;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        const RECT expected = ToPixels(dialog, c.units);
        EXPECT_EQ(r.left, expected.left);
        EXPECT_EQ(r.top, expected.top);
        EXPECT_EQ(r.right, expected.right);
        EXPECT_EQ(r.bottom, expected.bottom);
    }
    EXPECT_EQ(index, t.controls.size());
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Table, TemplateTest, ::testing::ValuesIn(kTemplates),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
