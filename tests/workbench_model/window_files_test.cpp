// Pure rules of the small windows and the editor: analog layout, save name and bytes, mail link.
#include <gtest/gtest.h>

#include "workbench/product_links.h"
#include "workbench/sketch_file.h"
#include "workbench/window_layout.h"

using namespace quorvex;

TEST(AnalogLayout, EachBoardAtItsSpacing) {
    const AnalogLayout uno = analog_layout(600, true, false);
    EXPECT_FALSE(uno.ShowA16);
    for (int i = 0; i < 16; ++i) {
        const auto k = static_cast<size_t>(i);
        EXPECT_EQ(uno.bars[k].visible, i < 6);
        EXPECT_FALSE(uno.boxes[k].visible);
    }
    EXPECT_EQ(uno.bars[0].left, 42);
    EXPECT_EQ(uno.bars[5].left, 542);
    EXPECT_EQ(uno.Analog_Close, 276);

    const AnalogLayout mega = analog_layout(600, false, false);
    EXPECT_TRUE(mega.ShowA16);
    EXPECT_TRUE(mega.boxes[7].visible);
    EXPECT_FALSE(mega.bars[8].visible);
    EXPECT_EQ(mega.bars[1].left - mega.bars[0].left, 2 * 37);
    EXPECT_EQ(mega.boxes[0].left, 37 - 17);

    const AnalogLayout all = analog_layout(600, false, true);
    EXPECT_TRUE(all.boxes[15].visible);
    EXPECT_EQ(all.bars[15].left, 31 * 18 - 8);
    EXPECT_EQ(centre_on(100, 990, 531), 330);
    EXPECT_EQ(centre_on(50, 641, 233), 254);
}

TEST(SketchFile, SaveNameBytesAndTemplate) {
    EXPECT_EQ(sketch_save_name("/t/blink.pde"), "/t/blink.pde.ino");
    EXPECT_EQ(sketch_save_name("/t/blink.INO"), "/t/blink.INO.ino");
    EXPECT_EQ(sketch_save_name("/t/blink"), "/t/blink.ino");
    EXPECT_EQ(sketch_save_name("/t/blink.ino"), "/t/blink.ino");
    EXPECT_EQ(sketch_save_name("/t.v2/blink"), "/t.v2/blink.ino"); // a point in a folder is no extension

    EXPECT_EQ(saved_bytes({"// Simulate Mega", "int x;"}, "Quorvex", "0.01F"),
              "// Simulate Mega\r\n// Saved by Quorvex V0.01F\r\nint x;\r\n");
    EXPECT_EQ(saved_bytes({}, "Quorvex", "1"), "\r\n// Saved by Quorvex V1\r\n");
    EXPECT_EQ(bare_minimum().size(), 11u);
    EXPECT_EQ(bare_minimum().front(), "// Simulate Uno");
}

TEST(MailLink, OneEncodedSubject) {
    const std::string url = mailto_url("a@b.example", "Unknown command: a&cc=x#y?z%+", "b = a & c;");
    EXPECT_EQ(url, "mailto:a@b.example?subject=Auto%20Error%3DUnknown%20command%3A%20a%26cc%3Dx%23y%3Fz%25%2B"
                   "%20Line%3Db%20%3D%20a%20%26%20c%3B");
    EXPECT_EQ(percent_encode("\xC3\xA4\n<b>"), "%C3%A4%0A%3Cb%3E");
}
