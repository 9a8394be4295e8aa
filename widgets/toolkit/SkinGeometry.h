// The skin frame's and skinned button's arithmetic: the frame's hit test, the nine-grid slices a skin
// image is stretched by, the state slices of a button skin, and the region of an image's opaque pixels.
#pragma once

#include "GdiTypes.h"

#include <cstdint>
#include <span>
#include <vector>

struct SkinFrameLayout {
    std::int32_t width = 0;   // window
    std::int32_t height = 0;  // window
    std::int32_t left = 0;    // border widths
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t caption = 0;  // caption height
    platform::Rect closeButton;
    platform::Rect minimizeButton;
    platform::Rect maximizeButton;
    bool hasMinimize = false;
    bool hasMaximize = false;
    bool resizable = false;
    bool maximized = false;
    std::int32_t smallIconSize = 16;
};

// Hit codes beyond the sizing bars' edges.
enum SkinHitCode : int {
    kSkinHitCaption = 2,
    kSkinHitSystemMenu = 3,
    kSkinHitMinimize = 8,
    kSkinHitMaximize = 9,
    kSkinHitTopLeft = 13,
    kSkinHitTopRight = 14,
    kSkinHitBottomLeft = 16,
    kSkinHitBottomRight = 17,
};

// Window coordinates; the first matching area wins, anything else is client.
int SkinFrameHitTest(const SkinFrameLayout& frame, platform::Point point);

struct NineGridMargins {
    std::int32_t top = 0;
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};
struct SlicePair {
    platform::Rect source;
    platform::Rect target;
};
// Corners copied at their size, edges and centre stretched; empty pieces are left out.
std::vector<SlicePair> NineGridSlices(platform::Rect source, platform::Rect target, NineGridMargins margins);

// Skinned button states and their slices: the skin holds the five side by side.
enum SkinButtonState : int { kSkinNormal = 0, kSkinHover = 1, kSkinPressed = 2, kSkinFocused = 3, kSkinDisabled = 4 };
SkinButtonState SkinButtonStateOf(bool enabled, bool hover, bool pressed, bool focused);
platform::Rect SkinStateSlice(platform::Size skin, SkinButtonState state);

// The rectangles of every run of a row whose pixels differ from the transparent colour; pixels are
// 0x00RRGGBB row by row (alpha ignored).
std::vector<platform::Rect> OpaqueRuns(std::span<const std::uint32_t> pixels, std::int32_t width, std::uint32_t transparent);
