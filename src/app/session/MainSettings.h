#pragma once

#include "settings/SettingsStore.h"

#include <array>
#include <string>
#include <vector>

namespace orvelt {

// What the main window keeps in the store: placement, directories, recent files, and the
// files that were open when it last closed.
struct MainSettings {
    std::string path;    // the program's directory; never written by the program
    std::string lastDir; // defaults to path
    int left = 0;
    int top = 0;
    int width = 640;
    int height = 480;
    bool maximized = false;
    std::array<std::string, 5> quickload;
};

[[nodiscard]] MainSettings ReadMainSettings(const SettingsStore& store);

// A window's or a screen's rectangle in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
inline constexpr int kMinimumWindowWidth = 240;
inline constexpr int kMinimumWindowHeight = 160;
// A stored placement made to fit the screen's available area: no larger than the area (and no
// smaller than the minimum, or the area when that is smaller), moved so that the whole window is
// on it. Any numbers are safe, however large or negative.
[[nodiscard]] PixelRect FitToScreen(const PixelRect& window, const PixelRect& screen);
// Where the main window goes at start: the stored placement fitted to the screen, or about
// 80 % of the screen, centred, when none was stored.
[[nodiscard]] PixelRect StartPlacement(const MainSettings& settings, bool stored,
                                       const PixelRect& screen);

// Placement is written only for a normal window, so that un-maximizing after the next start
// restores the last normal placement.
void WriteMainSettings(SettingsStore& store, const MainSettings& settings);

// A numbered list: "OpenFile1", "OpenFile2", ... ending at the first empty or missing value.
[[nodiscard]] std::vector<std::string> ReadOpenFiles(const SettingsStore& store);
// Writes 1..n and then an empty n+1 that ends the list.
void WriteOpenFiles(SettingsStore& store, const std::vector<std::string>& files);

} // namespace orvelt
