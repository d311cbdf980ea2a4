#include "app/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace {

std::optional<QString> Run(const FileDialogs::Request& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

std::optional<QString> QtFileDialogs::GetOpenFileName(const Request& request)
{
    return Run(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileDialogs::GetSaveFileName(const Request& request)
{
    return Run(request, QFileDialog::AcceptSave);
}
