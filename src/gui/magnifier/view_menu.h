#pragma once
// The View menu: zoom the whole window in, out and back to actual size (Zoom
// In greyed, and saying which screen it needs, where the next factor would
// not fit), show the page's grid on the panes, and open or close the
// magnifier and the colour panel. The zoom factor and the grid are kept
// between runs.

class QMenuBar;
class QStatusBar;

namespace tw {

class ClientZoom;
class ColourPanel;
class DrawingAids;
class MagnifierWindow;

void AddViewMenu(QMenuBar* bar, ClientZoom& zoom, MagnifierWindow& magnifier, DrawingAids& aids,
                 ColourPanel& colours, QStatusBar* status);

}  // namespace tw
