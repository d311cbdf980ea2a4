#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The file dialogs, behind one seam so that tests answer them without a
// window. Filters are given as "Spectrum Data (.spc) (*.spc)" entries.
class FileDialogs {
public:
    struct Request {
        QString title;
        QString directory;     // where the dialog starts
        QString proposedName;  // a file name or a whole path
        QStringList filters;
        QString defaultSuffix;  // added to a name typed without one
    };

    virtual ~FileDialogs() = default;
    // The chosen existing file, or nothing when the user cancelled.
    virtual std::optional<QString> GetOpenFileName(const Request& request) = 0;
    // The chosen file to write, or nothing when the user cancelled; the
    // dialog has asked before overwriting.
    virtual std::optional<QString> GetSaveFileName(const Request& request) = 0;
};

// The real dialogs, with the main window as parent.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> GetOpenFileName(const Request& request) override;
    std::optional<QString> GetSaveFileName(const Request& request) override;
};
