// tools/quarnell/phone_layout.h — where the emulator draws its phone, and in
// which colours.
//
// The window's client area is kWindowWidth × kWindowHeight and cannot be
// resized. The phone's screen is exactly the client rectangle whose top-left
// corner is (kScreenLeft, kScreenTop), kScreenWidth × kScreenHeight pixels:
// the place a screenshot of the emulator copies from. Around the screen lies
// a bezel kBezelWidth pixels wide in kBezelColour, so the first pixel outside
// the screen on every side is that colour.
//
// Inside the screen the background is kScreenColour, and a band of
// kScreenMargin pixels along all four edges of the screen holds nothing but
// that colour. The rest of the screen, top to bottom: the icon (drawn at its
// own size, scaled down to fit kIconBox × kIconBox if larger) at
// (kScreenMargin+2, kScreenMargin+2) inside the screen, MIDlet-Name in bold
// beside it, then vendor and version, a rule, the MIDlet list, and a notice
// that the MIDlet's code is not run. All text is kTextColour. A damaged or
// missing embedded JAR shows the same background with a message instead.
// All colours are opaque 24-bit RGB, written 0xRRGGBB.
#pragma once

#include <cstdint>

constexpr int kWindowWidth = 245;
constexpr int kWindowHeight = 480;

constexpr int kScreenLeft = 30;
constexpr int kScreenTop = 130;
constexpr int kScreenWidth = 185;
constexpr int kScreenHeight = 215;
constexpr int kScreenMargin = 4;
constexpr int kBezelWidth = 4;
constexpr int kIconBox = 40;

constexpr uint32_t kScreenColour = 0xC8E0A0;   // pale LCD green
constexpr uint32_t kTextColour = 0x18281A;     // near-black green
constexpr uint32_t kBezelColour = 0x000000;    // black
constexpr uint32_t kBodyColour = 0x2E3238;     // dark grey phone body
constexpr uint32_t kWindowColour = 0xD0D4D8;   // light grey around the body
constexpr uint32_t kKeyColour = 0x5A606A;      // keys
constexpr uint32_t kKeyTextColour = 0xE8ECF0;  // key labels, maker's name

// The X11 class (instance and class) of the emulator's top-level window.
constexpr const char* kEmulatorWindowClass = "QTR_VOSK_FRAME_CLASS";
