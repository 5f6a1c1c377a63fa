#include "gui/recovery/recovery.h"

#include <QFile>
#include <set>

#include "imagefiles/atomic_file.h"
#include "imagefiles/image_format.h"

namespace tw {
namespace {

// The folders the user saves into, as far as the program knows them.
void RemoveStaleTempsBesideRecentFiles(Program& program) {
    std::set<std::string> folders;
    for (const RecentFile& f : program.Recent().List())
        if (f.path.find('/') != std::string::npos) folders.insert(FolderName(f.path));
    for (const std::string& folder : folders) RemoveStaleTemps(folder);
}

}  // namespace

Recovery::Recovery(Program& program, MainWindow& window, const QString& root)
    : folder_(root.isEmpty() ? RecoveryRoot() : QFile::encodeName(root).toStdString()),
      keeper_(program, folder_),
      writer_(std::make_unique<RecoveryWriter>(keeper_, window)),
      last_(std::make_unique<LastWrite>(keeper_)) {
    RemoveStaleTempsBesideRecentFiles(program);
    QObject::connect(&window, &MainWindow::EventHandled, writer_.get(), &RecoveryWriter::Check);
    QObject::connect(writer_.get(), &RecoveryWriter::WriteFailed, &window,
                     [&window] { window.Status().Refresh(); });
    // The keeper changed the model after the window showed it.
    window.AfterEvent();
}

}  // namespace tw
