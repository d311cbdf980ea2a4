#include "app/CommandTable.h"

#include "app/CommandIds.h"
#include "app/ToolbarImages.h"

#include <array>

namespace CommandTable {

namespace {

using namespace CommandId;

// Toolbar images, in the order of the toolbar bitmap.
constexpr std::array kCommands{
    CommandInfo{FileNew, "Create a new document\nNew", 0},
    CommandInfo{FileOpen, "Open an existing document\nOpen", 1},
    CommandInfo{FileClose, "Close the active document\nClose"},
    CommandInfo{FileSave, "Save the active document\nSave", 2},
    CommandInfo{FileSaveAs, "Save the active document with a new name\nSave As"},
    CommandInfo{FilePrintSetup, "Change the printer and printing options\nPrint Setup"},
    CommandInfo{FilePrint, "Print the active document\nPrint", 6},
    CommandInfo{FilePrintDirect, "Print the active document without asking\nPrint"},
    CommandInfo{FilePrintPreview, "Display full pages\nPrint Preview", 7},
    CommandInfo{AppExit, "Quit the application; prompts to save documents\nExit"},
    CommandInfo{EditCopy, "Copy the selection and put it on the Clipboard\nCopy", 4},
    CommandInfo{EditCut, "Cut the selection and put it on the Clipboard\nCut", 3},
    CommandInfo{EditPaste, "Insert Clipboard contents\nPaste", 5},
    CommandInfo{EditUndo, "Undo the last action\nUndo"},
    CommandInfo{EditRedo, "Redo the previously undone action\nRedo"},
    CommandInfo{EditCopyAll, "Copy all Memory Records to Clipboard\nCopy All"},
    CommandInfo{ModifyEntries, "Modify individual data entries for the selected File\nModiy Data Entries",
                10},
    CommandInfo{ViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
    CommandInfo{ViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
    CommandInfo{ResizeView, "Resize File View to normal size\nResize File View to normal size"},
    CommandInfo{
        ViewBandTable,
        "Show or hide the band levels, totals and NC and NR ratings of the selected record\nBand Table"},
    CommandInfo{ViewSpectrumChart,
                "Show or hide a large chart of the levels of the selected record and others beside "
                "it\nSpectrum Chart",
                ToolbarImages::kSpectrumChartImage},
    CommandInfo{WindowNew, "Open another window for the active document\nNew Window"},
    CommandInfo{WindowCascade, "Arrange windows so they overlap\nCascade Windows"},
    CommandInfo{WindowTile, "Arrange windows as non-overlapping tiles\nTile Windows"},
    CommandInfo{WindowArrange, "Arrange icons at the bottom of the window\nArrange Icons"},
    CommandInfo{Connect, "Connect to TALVEK 7\nConnect to TALVEK 7", 11},
    CommandInfo{AppAbout, "Display program information, version number and copyright\nAbout"},
    CommandInfo{ProgramOptions, "Program custom variables\nProgram Options", 9},
    CommandInfo{PrintingOptions, "Set Print general parameters\nPrinting Options", 8},
    CommandInfo{Help, "Help\nHelp", 12},
    CommandInfo{ExportPrn, "Export Data in PRN format\nExport data "},
    CommandInfo{ExportPrx, "Export Data in PRX format\nExport data "},
    CommandInfo{ExportCsv, "Export the levels, totals and NC rating of every record as CSV\nExport CSV"},
    CommandInfo{ExportBitmap, "Save the Plot output as a bitmap file"},
    CommandInfo{ExportBitmapGraphOnly, "Save the Plot output as a bitmap file (graph part only)"},
    CommandInfo{Import, "Import a data file \nImport a file"},
    CommandInfo{ExportReport, "Save a survey report of the records as a PDF file\nExport Report"},
    CommandInfo{AverageRecords, "Store the energy average of several records in a record\nAverage Records"},
    CommandInfo{SoundInsulation,
                "Rate the sound insulation between a source room and a receiving room\nSound Insulation"},
    CommandInfo{ExportPage, "Save the printed page as a PDF, SVG or PNG file\nExport Page"},
    CommandInfo{AnalyserLog, "Show every byte exchanged with the TALVEK 7\nAnalyser Log"},
};

constexpr CommandInfo kRecentFile{FileMruFirst, "Open this document"};
constexpr CommandInfo kUnknown{};

}  // namespace

const CommandInfo& Find(int id)
{
    if (id >= FileMruFirst && id <= FileMruLast)
        return kRecentFile;
    for (const CommandInfo& info : kCommands)
        if (info.id == id)
            return info;
    return kUnknown;
}

QString StatusPrompt(int id)
{
    return QString::fromLatin1(Find(id).prompt).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTip(int id)
{
    const QString prompt = QString::fromLatin1(Find(id).prompt);
    const qsizetype newline = prompt.indexOf(QLatin1Char('\n'));
    return newline < 0 ? prompt : prompt.mid(newline + 1);
}

QList<QKeySequence> Accelerators(int id)
{
    switch (id) {
    case Connect:
        return {QKeySequence(Qt::CTRL | Qt::Key_A)};
    case EditCopy:
        return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case FileClose:
        return {QKeySequence(Qt::CTRL | Qt::Key_L)};
    case FileNew:
        return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case FileOpen:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case FilePrint:
        return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    case FileSave:
        return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case EditPaste:
        return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    case EditCut:
        return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case EditUndo:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    case EditRedo:
        return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    case Help:
        return {QKeySequence(Qt::Key_F1)};
    case NextPane:
        return {QKeySequence(Qt::Key_F6)};
    case PreviousPane:
        return {QKeySequence(Qt::SHIFT | Qt::Key_F6)};
    case NextRecord:
        return {QKeySequence(Qt::Key_PageDown)};
    case PreviousRecord:
        return {QKeySequence(Qt::Key_PageUp)};
    default:
        return {};
    }
}

QList<int> CommandsWithAccelerators()
{
    return {Connect, EditCopy, FileClose, FileNew, FileOpen, FilePrint,    FileSave,   EditPaste,
            EditCut, EditUndo, EditRedo,  Help,    NextPane, PreviousPane, NextRecord, PreviousRecord};
}

QList<int> ToolbarLayout()
{
    return {FileNew,
            FileOpen,
            FileSave,
            0,
            EditCut,
            EditCopy,
            EditPaste,
            0,
            FilePrint,
            FilePrintPreview,
            PrintingOptions,
            0,
            ProgramOptions,
            ModifyEntries,
            ViewSpectrumChart,
            0,
            Connect,
            0,
            Help};
}

}  // namespace CommandTable
