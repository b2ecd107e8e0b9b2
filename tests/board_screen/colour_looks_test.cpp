// Tests of the colours' looks: readable on black and apart from each other in every colour mode.

#include "board_screen/colour_looks.hpp"

#include "console/palette.hpp"
#include "console/presenter.hpp" // ColourMode

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace zk {
namespace {

using Vec = std::array<double, 3>;
using Matrix = std::array<Vec, 3>;

Vec times(const Matrix& m, const Vec& v) {
    Vec r{};
    for (int i = 0; i < 3; ++i) r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}

double linear(double c) { // one sRGB channel, 0..1
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double encoded_8bit(double c) { // one linear channel, 0..1, as the nearest 8-bit sRGB level
    c = std::clamp(c, 0.0, 1.0);
    return std::round(255 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055)) /
           255;
}

Vec linear_rgb(std::uint32_t rgb) {
    return {linear((rgb >> 16) / 255.0), linear((rgb >> 8 & 255) / 255.0),
            linear((rgb & 255) / 255.0)};
}

double contrast_on_black(std::uint32_t rgb) {
    const Vec c = linear_rgb(rgb);
    return (0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2] + 0.05) / 0.05;
}

// Machado, Oliveira and Fernandes (2009) at full severity, on linear sRGB.
constexpr Matrix PROTANOPIA{{{0.152286, 1.052583, -0.204868},
                             {0.114503, 0.786281, 0.099216},
                             {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix DEUTERANOPIA{{{0.367322, 0.860646, -0.227968},
                               {0.280085, 0.672501, 0.047413},
                               {-0.011820, 0.042940, 0.968881}}};

constexpr Matrix SRGB_TO_XYZ{
    {{0.4124, 0.3576, 0.1805}, {0.2126, 0.7152, 0.0722}, {0.0193, 0.1192, 0.9505}}};

// CIELAB (D65) of `rgb` as a screen shows it simulated: clipped and sent again in 8-bit sRGB.
Vec simulated_lab(std::uint32_t rgb, const Matrix& simulation) {
    Vec shown = times(simulation, linear_rgb(rgb));
    for (double& c : shown) c = linear(encoded_8bit(c));
    const Vec xyz = times(SRGB_TO_XYZ, shown);
    const Vec white{0.95047, 1.0, 1.08883};
    Vec f{};
    for (int i = 0; i < 3; ++i) {
        const double t = xyz[i] / white[i];
        f[i] = t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

// The 0xRRGGBB console colour `colour` is sent as in `mode`.
std::uint32_t sent(ColourMode mode, Palette palette, int colour) {
    return mode == ColourMode::rgb24 ? palette_rgb(palette, colour)
                                     : palette_256_rgb(palette_index_256(palette, colour));
}

// The board's colours as each palette sends them: blue reads on black, and the colour-blind
// palette keeps every two cell colours apart for protanopes and deuteranopes.
TEST(ColourLooks, BlueReadsOnBlackAndColourBlindCellsStayApartInEveryChosenColourMode) {
    for (const ColourMode mode : {ColourMode::indexed256, ColourMode::rgb24}) {
        for (const Palette palette : {Palette::classic, Palette::colour_blind})
            EXPECT_GE(contrast_on_black(sent(mode, palette, COLOUR_LOOKS[2].legend_attr)), 4.5);
        std::array<Vec, 6> cells[2];
        for (std::size_t i = 0; i < 6; ++i) {
            const int colour = COLOUR_LOOKS[i].cell_attr >> 4; // clues and legend alike
            ASSERT_EQ(colour, COLOUR_LOOKS[i].legend_attr);
            cells[0][i] = simulated_lab(sent(mode, Palette::colour_blind, colour), PROTANOPIA);
            cells[1][i] = simulated_lab(sent(mode, Palette::colour_blind, colour), DEUTERANOPIA);
        }
        for (const auto& lab : cells)
            for (std::size_t i = 0; i < 6; ++i)
                for (std::size_t j = i + 1; j < 6; ++j)
                    EXPECT_GE(std::hypot(lab[i][0] - lab[j][0], lab[i][1] - lab[j][1],
                                         lab[i][2] - lab[j][2]),
                              20.0)
                        << COLOUR_LOOKS[i].legend_name << " " << COLOUR_LOOKS[j].legend_name;
    }
}

} // namespace
} // namespace zk
