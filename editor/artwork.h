#pragma once
// Pictures of the main window, drawn in code: toolbar icons and the splash picture.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace editor {

// The icon of the toolbar button with this key; a null icon for an unknown key.
QIcon ToolbarIcon(const QString& key);

// The picture shown in the main window while no crossword is open, and its size.
QPixmap SplashPicture();
inline constexpr int SplashWidth = 420;
inline constexpr int SplashHeight = 300;

}  // namespace editor
