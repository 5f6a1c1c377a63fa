#include "gui/recovery/recovery.h"

#include <QAction>

#include "editors/status_line.h"

namespace tw {

Recovery::Recovery(Program& program, MainWindow& window, QString root)
    : folder_(std::move(root)),
      offer_(program, folder_),
      writer_(std::make_unique<RecoveryWriter>(program, folder_, window)) {
    QObject::connect(&window, &MainWindow::EventHandled, writer_.get(), &RecoveryWriter::Check);
    QObject::connect(writer_.get(), &RecoveryWriter::WriteFailed, &window,
                     [&program, &window](const QString& message) {
                         program.Status().SetOutcome(message.toStdString());
                         window.Status().Refresh();
                     });
    if (!folder_.Ok())
        program.Status().SetOutcome(FailureMessage("the folder cannot be made",
                                                   "unsaved sheets cannot be kept in " + folder_.Root().toStdString()));
    // The offer changed the model after the window showed it.
    if (QAction* item = window.MenuAction("mnuRecover"))
        item->setEnabled(program.Form().Get<MenuItem>("mnuRecover").Enabled());
    window.Status().Refresh();
}

}  // namespace tw
