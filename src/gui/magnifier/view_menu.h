#pragma once
// The View menu: zoom the whole window in, out and back to actual size, and
// open or close the magnifier and the colour panel. The zoom factor is kept
// between runs.

class QMenuBar;

namespace tw {

class ClientZoom;
class ColourPanel;
class MagnifierWindow;

void AddViewMenu(QMenuBar* bar, ClientZoom& zoom, MagnifierWindow& magnifier, ColourPanel& colours);

}  // namespace tw
