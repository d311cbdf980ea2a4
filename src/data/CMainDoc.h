#pragma once

#include "data/EditHistory.h"
#include "data/SpectrumFile.h"

#include <string>
#include <string_view>
#include <vector>

class CMainDoc;
class UserInterface;

// A window that shows a document; the document calls it on every change.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void OnUpdate(DocumentView* sender, int hint) = 0;
};

// One open spectrum data file: its 5828-byte image, every record operation
// and level text, and new/open/save. Holds the title, path and modified flag
// and its list of views. Messages go through the user interface it is given.
// Records and bands are indexed 0..29.
class CMainDoc {
public:
    explicit CMainDoc(UserInterface& ui);
    ~CMainDoc();
    CMainDoc(const CMainDoc&) = delete;
    CMainDoc& operator=(const CMainDoc&) = delete;

    // --- Document lifecycle -------------------------------------------------
    // A new document: empty records, blank comments, path InitDocDir + "untitled.spc".
    bool OnNewDocument();
    // Reads a 5828-byte file; anything else is refused with a message.
    bool OnOpenDocument(const std::string& path);
    // Writes the image with fresh checksums, atomically; on failure says why
    // and keeps the document modified.
    bool OnSaveDocument(const std::string& path);

    const std::string& GetPathName() const { return m_strPathName; }
    const std::string& GetTitle() const { return m_strTitle; }
    void SetPathName(const std::string& path);
    // True until the document has been saved under or read from a name the
    // user chose: Save must then ask for a name.
    bool NeedsName() const { return m_bNeedsName; }
    bool IsModified() const { return m_bModified; }
    // Unmodified: the present counts as saved. Modified by a change that no
    // undo step records: undo can no longer lead back to the saved image.
    void SetModifiedFlag(bool modified = true);
    bool IsDataValid() const { return m_bDataValid != 0; }

    SpectrumFile& Data() { return m_data; }
    const SpectrumFile& Data() const { return m_data; }
    UserInterface& Ui() { return m_ui; }

    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    const std::vector<DocumentView*>& Views() const { return m_views; }
    void UpdateAllViews(DocumentView* sender, int hint = 0);

    // --- Undo and redo: one history for every view of the document --------
    // Records a change the user made from image before to the present (see
    // DocumentEdit, which calls it).
    void RecordEdit(const std::string& name, const SpectrumFile& before, int mergeKey);
    bool CanUndo() const { return m_history.CanUndo(); }
    bool CanRedo() const { return m_history.CanRedo(); }
    const std::string& UndoName() const { return m_history.UndoName(); }
    const std::string& RedoName() const { return m_history.RedoName(); }
    // Each brings back the image of the step, marks the document modified
    // unless that is the saved image, and updates every view.
    void Undo();
    void Redo();

    // --- Record operations and level texts ----------------------------------
    int GetSerialText(std::string& text) const;
    int IsRecordInUse(int record);
    float GetBandLevel(std::string& text, int band, int record) const;
    float GetNcCurveLevel(std::string& text, int band, int nc) const;
    int GetBandLabel(std::string& text, int band) const;
    float GetWidebandLevel(std::string& text, int record) const;
    float GetRefLevel(std::string& text, int record) const;
    int GetSource(std::string& text, int record) const;
    int GetWeighting(std::string& text, int record) const;
    int GetNcCurve(std::string& text, int record) const;
    int SetNcCurve(int record, int nc);
    int ShiftReference(int record, int step);
    int UpdateChecksum(int record);
    int GetComment(std::string& text, int record, int raw) const;
    int SetComment(int record, std::string_view text);
    int ClearRecord(int record);

    // --- Record clipboard, PRN/PRX export and import (CMainDocClipboard.cpp,
    // CMainDocTextFile.cpp) ------------------------------------------------
    // Copies records first .. first+count-1 into the record clipboard and
    // their text onto the system clipboard. 0, -5 when the system clipboard
    // refused the text (the record clipboard holds the copy nonetheless), -1
    // for a range outside 0..29.
    int CopyRecords(int first, int count);
    // 0 after pasting, 1 when nothing was copied, -1 (nothing changed) for
    // one record and a target outside 0..29.
    int PasteRecords(int target);
    void SetClipboardLabel(std::string_view text);
    void GetClipboardLabel(std::string& text) const;
    // The document's path with extension in place of the one after the last
    // dot of its file name (added when the name has none): the name the file
    // dialogs propose for an export.
    std::string PathWithExtension(std::string_view extension) const;
    // PathWithExtension for a PRN (kind 1) or PRX (kind 2) file.
    std::string TextFileName(int kind) const;
    // Writes the 30 records to path as a PRN (kind 1) or PRX (kind 2) file.
    // 0 written; -1 nothing written (no path, or the file could not be
    // written: the user has been told why and no partial file is left).
    int ExportText(int kind, const std::string& path);
    // Replaces the 30 records by the lines of a PRN/PRX file. 0 imported;
    // -1 the file could not be read: the user has been told and nothing changed.
    int OnImport(const std::string& path);
    // OnImport of a file's bytes already in memory.
    void ImportText(std::string_view text);

    static constexpr const char* kUntitled = "untitled.spc";
    // CopyRecords result when the system clipboard did not take the text.
    static constexpr int kClipboardUnavailable = -5;

private:
    bool ValidRecord(int record) const;
    // The import's records from the (at most 30) lines of a PRN/PRX file.
    void ImportLines(const std::vector<std::string>& lines);
    void AppendUnitSuffix(std::string& text, int source) const;

    UserInterface& m_ui;
    SpectrumFile m_data{};
    int m_bDataValid = 0;
    bool m_bModified = false;
    bool m_bNeedsName = true;
    std::string m_strPathName;
    std::string m_strTitle;
    std::vector<DocumentView*> m_views;
    EditHistory m_history;
    // DocumentEdits under way: their changes are recorded as undo steps.
    int m_nEditDepth = 0;

    friend class DocumentEdit;
};

// One change the user makes to a document, as one undo step named name:
// the image is taken when the object is made and, if it differs when the
// object goes, the step is recorded. Changes with the same name and a
// non-zero merge key in a row make one step (typing in one comment).
class DocumentEdit {
public:
    DocumentEdit(CMainDoc& doc, std::string name, int mergeKey = 0);
    ~DocumentEdit();
    DocumentEdit(const DocumentEdit&) = delete;
    DocumentEdit& operator=(const DocumentEdit&) = delete;

private:
    CMainDoc& m_doc;
    std::string m_name;
    int m_mergeKey;
    SpectrumFile m_before;
};
