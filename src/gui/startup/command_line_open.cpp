#include "gui/startup/command_line_open.h"

#include <QApplication>
#include <QTimer>
#include <utility>
#include <vector>

#include "editors/page_table.h"
#include "editors/program.h"
#include "editors/status_line.h"
#include "gui/window/main_window.h"
#include "imagefiles/image_format.h"
#include "imagefiles/picture_header.h"

namespace tw {
namespace {

// Brings the tab pages holding a control to the front, outermost first.
void BringToFront(MainWindow& window, Program& program, const std::string& name) {
    std::vector<std::pair<std::string, int>> chain;
    const frmMain& form = program.Form();
    for (const Control* c = form.Find(name); c;) {
        const Control* container = form.Find(c->Container());
        if (container && container->Kind() == ControlKind::TabControl)
            chain.emplace_back(container->Name(), c->TabPage);
        c = container;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) window.TabChanged(it->first, it->second);
}

}  // namespace

std::string SurfaceForFile(const std::string& fileName) {
    const PageInfo& chipset = PageByLetter('C');
    const std::optional<PictureHeader> size = ReadPictureHeader(fileName);
    if (!size) return chipset.source.surface;
    const std::optional<PageRef> ref = PageForPictureSize(size->width, size->height);
    return ref ? ref->page->Of(ref->side).surface : chipset.source.surface;
}

void OpenFiles(MainWindow& window, Program& program, const std::vector<std::string>& files) {
    std::string first;
    std::vector<std::string> loaded, failures;
    for (const std::string& path : files) {
        const std::string surface = SurfaceForFile(path);
        if (first.empty()) first = surface;
        window.LoadDropped(surface, path);
        const FileResult& r = program.LastFileResult();
        if (r.fileName != path) continue;
        if (r.Failed()) failures.push_back(FailureMessage(r.reason, "could not load " + BaseName(path)));
        if (r.outcome == FileResult::Outcome::Loaded) loaded.push_back(BaseName(path));
    }
    // One file keeps its load's own sentence; several are each named.
    if (loaded.size() + failures.size() > 1) {
        const auto list = [](const std::vector<std::string>& items, const char* between) {
            std::string text;
            for (size_t i = 0; i < items.size(); ++i) text += (i ? between : "") + items[i];
            return text;
        };
        std::string text;
        if (failures.empty())
            text = "Loaded " + list(loaded, ", ");
        else if (loaded.empty())
            text = list(failures, "; ");
        else
            text = "Loaded " + (loaded.size() == 1 ? loaded.front() : std::to_string(loaded.size()) + " files") +
                   "; " + list(failures, "; ");
        program.Status().SetOutcome(text);
    }
    if (!first.empty()) BringToFront(window, program, first);
    window.AfterEvent();
}

void OpenHandedFiles(MainWindow& window, Program& program, const std::vector<std::string>& files) {
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, &window, [w = &window, &program, files] {
            OpenHandedFiles(*w, program, files);
        });
        return;
    }
    OpenFiles(window, program, files);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace tw
