#pragma once
// Opening the files named on the command line, or handed over by a second
// start: each file goes to the page its size is made for (any other size to
// the chipset source) and loads exactly as a drop on that surface, so as its
// load button with the file as the dialog's answer.

#include <string>
#include <vector>

namespace tw {

class MainWindow;
class Program;

// The surface a file of that name is opened into, read from its header.
std::string SurfaceForFile(const std::string& fileName);

// Loads each file in turn, by its name's bytes, and refreshes the window
// once; the first file's page comes to the front. Files that fail are named
// in the status line, and the others still open.
void OpenFiles(MainWindow& window, Program& program, const std::vector<std::string>& files);

// Files handed over by a second start: opened as above once no dialog of the
// window is open (a load must never start inside another load's dialog),
// then the window comes to the front.
void OpenHandedFiles(MainWindow& window, Program& program, const std::vector<std::string>& files);

}  // namespace tw
