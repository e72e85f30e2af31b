#pragma once

namespace tervix::app {
inline constexpr char kVersion[] = "0.1.26-2f.9";
inline constexpr char kCaptionPrefix[] = "Tervix v";
} // namespace tervix::app
