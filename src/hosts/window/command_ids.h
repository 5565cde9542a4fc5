// The command ids of the menus: the protocol between the frame and its text
// windows. The frame runs About, Exit and the window arrangement itself and
// hands every other id from 500 up to the active text window.
#pragma once

namespace veska::window::command {

inline constexpr int kSave = 500;
inline constexpr int kSaveAs = 501;
inline constexpr int kPrint = 510;
inline constexpr int kAbout = 520;
inline constexpr int kExit = 530;
inline constexpr int kUndo = 600;
inline constexpr int kCut = 610;
inline constexpr int kCopy = 611;
inline constexpr int kPaste = 612;
inline constexpr int kDelete = 613;
inline constexpr int kFont = 650;
inline constexpr int kColour = 651;
inline constexpr int kTileVertically = 700;
inline constexpr int kTileHorizontally = 701;
inline constexpr int kCascade = 702;
inline constexpr int kArrangeIcons = 703;

// The Window menu's entry for the n-th text window (from 0) has id kFirstChild + n.
inline constexpr int kFirstChild = 100;
// Ids from here up go to the active text window.
inline constexpr int kFirstWindowCommand = 500;

}  // namespace veska::window::command
