// The board panel's geometry: shapes on their header holes, clicks back to their pins, and
// nothing drawn over anything else.
#include <gtest/gtest.h>

#include <map>

#include "simulation/board_geometry.h"

namespace quorvex::geometry {
namespace {

const BoardKind kinds[] = {BoardKind::Uno, BoardKind::Mega};

// Every simulated pin's hole, by pin, as the picture draws it.
std::map<int32_t, std::pair<int32_t, int32_t>> holes_of(BoardKind kind) {
    std::map<int32_t, std::pair<int32_t, int32_t>> holes;
    for (const HeaderStrip& strip : header_strips(kind)) {
        EXPECT_EQ(strip.pins.size(), strip.names.size());
        for (size_t i = 0; i < strip.pins.size(); ++i) {
            if (strip.pins[i] < 0) continue;
            const int32_t step = static_cast<int32_t>(i);
            const auto [it, fresh] =
                holes.emplace(strip.pins[i], std::make_pair(strip.first_cx2 + step * strip.step_x,
                                                            strip.first_cy2 + step * strip.step_y));
            EXPECT_TRUE(fresh) << "pin " << strip.pins[i] << " has two holes";
        }
    }
    return holes;
}

TEST(BoardGeometry, EveryShapeSitsOnItsHeaderHole) {
    for (BoardKind kind : kinds) {
        const auto holes = holes_of(kind);
        int32_t on = 0;
        for (int32_t pin = -2; pin <= 80; ++pin) {
            if (!on_board(kind, pin)) {
                EXPECT_EQ(holes.count(pin), 0u) << pin;
                continue;
            }
            ++on;
            ASSERT_EQ(holes.count(pin), 1u) << "pin " << pin << " has no hole";
            const Rect shape = *shape_rect(pin);
            EXPECT_EQ(shape.cx2(), holes.at(pin).first) << pin;
            EXPECT_EQ(shape.cy2(), holes.at(pin).second) << pin;
            EXPECT_TRUE(shape.inside(board_outline(kind))) << pin;
        }
        EXPECT_EQ(on, kind == BoardKind::Mega ? 70 : 20);
    }
}

TEST(BoardGeometry, PositionsFromTheBoardLayout) {
    EXPECT_EQ(*shape_rect(0), (Rect{367, 494, 15, 15}));
    EXPECT_EQ(*shape_rect(13), (Rect{367, 273, 15, 15}));
    EXPECT_EQ(*shape_rect(14), (Rect{367, 526, 15, 15}));
    EXPECT_EQ(shape_rect(22)->y, 695);
    EXPECT_EQ(shape_rect(23)->y, 711);
    EXPECT_EQ(shape_rect(22)->x, shape_rect(23)->x);
    EXPECT_EQ(*shape_rect(60), (Rect{45, 406, 15, 15}));
    EXPECT_EQ(label_box(60)->rect.x, 71);
    EXPECT_EQ(analog_input_box(0)->rect.x, 2);
    EXPECT_EQ(analog_value_box(0)->rect.x, 396);
    EXPECT_EQ(analog_value_box(13)->rect.y, shape_rect(13)->y);
}

TEST(BoardGeometry, PinsWithoutDisplayHaveNoGeometry) {
    for (int32_t pin : {-1, 54, 59, 76, 1000}) {
        EXPECT_FALSE(shape_rect(pin)) << pin;
        EXPECT_FALSE(label_box(pin)) << pin;
    }
    EXPECT_FALSE(analog_value_box(14));
    EXPECT_FALSE(analog_value_box(-1));
    EXPECT_FALSE(analog_input_box(16));
    EXPECT_FALSE(analog_input_box(-1));
}

TEST(BoardGeometry, EveryShapeHitTestsBackToItself) {
    for (int32_t pin = 0; pin <= 75; ++pin) {
        if (!has_shape(pin)) {
            EXPECT_FALSE(shape_rect(pin));
            continue;
        }
        const Rect r = *shape_rect(pin);
        EXPECT_EQ(pin_at(r.x, r.y), pin);
        EXPECT_EQ(pin_at(r.x + r.w - 1, r.y + r.h - 1), pin);
        EXPECT_EQ(pin_at(r.x + 7, r.y + 7), pin);
    }
    // Between shapes, on a label, outside the panel: no pin.
    EXPECT_EQ(pin_at(367 + 7, 494 - 1), -1);
    EXPECT_EQ(pin_at(label_box(5)->rect.x + 2, label_box(5)->rect.y + 2), -1);
    EXPECT_EQ(pin_at(-5, -5), -1);
    EXPECT_EQ(pin_at(100000, 100000), -1);
}

TEST(BoardGeometry, NothingOverlapsAndAllFitsThePanel) {
    std::vector<std::pair<std::string, Rect>> items;
    for (int32_t pin = 0; pin <= 75; ++pin) {
        if (!has_shape(pin)) continue;
        items.emplace_back("shape " + std::to_string(pin), *shape_rect(pin));
        items.emplace_back("label " + std::to_string(pin), label_box(pin)->rect);
        if (analog_value_box(pin)) items.emplace_back("value " + std::to_string(pin), analog_value_box(pin)->rect);
    }
    for (int32_t k = 0; k < 16; ++k) items.emplace_back("input " + std::to_string(k), analog_input_box(k)->rect);
    items.emplace_back("led13", led13_rect());
    items.emplace_back("rx", rxled_rect());
    items.emplace_back("tx", txled_rect());
    items.emplace_back("step", step_image_rect());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_TRUE(items[i].second.inside(panel)) << items[i].first;
        for (size_t j = i + 1; j < items.size(); ++j)
            EXPECT_FALSE(items[i].second.intersects(items[j].second)) << items[i].first << " / " << items[j].first;
    }
    for (BoardKind kind : kinds) {
        EXPECT_TRUE(board_outline(kind).inside(picture));
        EXPECT_TRUE(reset_switch_rect(kind).inside(board_outline(kind)));
        EXPECT_TRUE(on_led_rect(kind).inside(board_outline(kind)));
        EXPECT_TRUE(led13_rect().inside(board_outline(kind)));
    }
}

} // namespace
} // namespace quorvex::geometry
