#include "app/session/MainSettings.h"

#include "settings/SettingValues.h"

#include <algorithm>
#include <climits>

namespace orvelt {

namespace {

constexpr const char* kQuickload = "Quickload";
constexpr const char* kOpenFile = "OpenFile";

std::string Numbered(const char* stem, std::size_t index) {
    return stem + std::to_string(index);
}

// One side: the length between the minimum (or the screen's, when smaller) and the screen's,
// the start so that the window ends on the screen. Sums are wide, so no number overflows.
void FitSide(int& start, int& length, int screenStart, int screenLength, int minimum) {
    const long long screen = screenLength > 0 ? screenLength : minimum; // no area: the minimum
    length = static_cast<int>(
        std::clamp<long long>(length, std::min<long long>(minimum, screen), screen));
    const long long last = std::min<long long>(screenStart + screen - length, INT_MAX);
    start = static_cast<int>(
        std::clamp<long long>(start, std::min<long long>(screenStart, last), last));
}

} // namespace

MainSettings ReadMainSettings(const SettingsStore& store) {
    MainSettings s;
    s.path = store.Read("Path").value_or("");
    s.lastDir = store.Read("LastDir").value_or(s.path);
    s.left = ReadIntegerValue(store.Read("Left"), 0);
    s.top = ReadIntegerValue(store.Read("Top"), 0);
    s.width = ReadIntegerValue(store.Read("Width"), 640);
    s.height = ReadIntegerValue(store.Read("Height"), 480);
    s.maximized = ReadBooleanValue(store.Read("Maximized"), false);
    for (std::size_t i = 0; i < s.quickload.size(); ++i)
        s.quickload[i] = store.Read(Numbered(kQuickload, i + 1)).value_or("");
    return s;
}

PixelRect FitToScreen(const PixelRect& window, const PixelRect& screen) {
    PixelRect fitted = window;
    FitSide(fitted.left, fitted.width, screen.left, screen.width, kMinimumWindowWidth);
    FitSide(fitted.top, fitted.height, screen.top, screen.height, kMinimumWindowHeight);
    return fitted;
}

void WriteMainSettings(SettingsStore& store, const MainSettings& s) {
    store.Write("LastDir", s.lastDir);
    if (!s.maximized) {
        store.Write("Left", WriteIntegerValue(s.left));
        store.Write("Top", WriteIntegerValue(s.top));
        store.Write("Width", WriteIntegerValue(s.width));
        store.Write("Height", WriteIntegerValue(s.height));
    }
    store.Write("Maximized", WriteBooleanValue(s.maximized));
    for (std::size_t i = 0; i < s.quickload.size(); ++i)
        store.Write(Numbered(kQuickload, i + 1), s.quickload[i]);
}

std::vector<std::string> ReadOpenFiles(const SettingsStore& store) {
    std::vector<std::string> files;
    for (std::size_t i = 1;; ++i) {
        auto value = store.Read(Numbered(kOpenFile, i));
        if (!value || value->empty())
            return files;
        files.push_back(*value);
    }
}

void WriteOpenFiles(SettingsStore& store, const std::vector<std::string>& files) {
    for (std::size_t i = 0; i < files.size(); ++i)
        store.Write(Numbered(kOpenFile, i + 1), files[i]);
    store.Write(Numbered(kOpenFile, files.size() + 1), "");
}

PixelRect StartPlacement(const MainSettings& settings, bool stored, const PixelRect& screen) {
    if (!stored && screen.width > 0 && screen.height > 0) {
        const int width = screen.width / 5 * 4;
        const int height = screen.height / 5 * 4;
        return {screen.left + (screen.width - width) / 2, screen.top + (screen.height - height) / 2,
                width, height};
    }
    return FitToScreen({settings.left, settings.top, settings.width, settings.height}, screen);
}

} // namespace orvelt
