#pragma once
// The keyboard: the page in front's file buttons, the Edit menu's mirror and
// clipboard items, and moving between pages. The buttons' tooltips name
// their keys.

namespace tw {

class MainWindow;
class Program;

void AddPageShortcuts(MainWindow& window, Program& program);

}  // namespace tw
