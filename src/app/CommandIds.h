#pragma once

// The program's command vocabulary: every menu item, accelerator and toolbar
// button carries one of these numbers, and the windows route it by number.
namespace CommandId {
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintDirect = 57608;
constexpr int FilePrintPreview = 57609;
constexpr int FileMruFirst = 57616;
constexpr int FileMruLast = 57631;
constexpr int AppExit = 57665;
constexpr int AppAbout = 57664;

constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
constexpr int EditCopyAll = 32780;
constexpr int ModifyEntries = 32797;

constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int ResizeView = 32801;

constexpr int WindowNew = 57648;
constexpr int WindowArrange = 57649;
constexpr int WindowCascade = 57650;
constexpr int WindowTile = 57651;
constexpr int NextPane = 57680;
constexpr int PreviousPane = 57681;

constexpr int Connect = 32787;
constexpr int ProgramOptions = 32771;
constexpr int PrintingOptions = 32788;
constexpr int Help = 32795;

constexpr int ExportPrn = 32773;
constexpr int ExportPrx = 32774;
constexpr int ExportBitmap = 32775;
constexpr int ExportBitmapGraphOnly = 32799;
constexpr int Import = 65535;
constexpr int ExportPage = 32850;
constexpr int AnalyserLog = 32851;

constexpr int NextRecord = 32746;
constexpr int PreviousRecord = 32789;

constexpr int ViewBandTable = 32870;
constexpr int ExportCsv = 32871;
constexpr int ViewSpectrumChart = 32872;
constexpr int ExportReport = 32873;
constexpr int AverageRecords = 32874;
constexpr int SoundInsulation = 32875;
}  // namespace CommandId
