#pragma once

#include "AppTestSupport.h"

#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "data/CMainDoc.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

// A test with one spectrum data file open in one window.
class ViewTest : public AppTest {
protected:
    CMainVue& Open()
    {
        Start();
        app->Documents().OpenDocumentFile(SampleFile("plant.spc"));
        view = app->Frame().ActiveView();
        EXPECT_NE(view, nullptr);
        for (int record = 0; record < SpectrumFile::kRecords; ++record)
            Doc().ClearRecord(record);
        Doc().SetModifiedFlag(false);
        Doc().UpdateAllViews(nullptr);
        return *view;
    }
    CMainDoc& Doc() { return view->GetDocument(); }
    MemoryRecord& Record(int index) { return Doc().Data().records[static_cast<std::size_t>(index)]; }
    // Record index: a Mike measurement with NC-30 and a comment.
    void Fill(int index)
    {
        MemoryRecord& record = Record(index);
        for (int band = 0; band < MemoryRecord::kBands; ++band)
            record.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(130 + band);
        record.wideband = 100;
        record.refCode = 15;
        record.mode = 1 | (4 << 4);
        Doc().SetComment(index, "Plant room\r\nnorth wall");
        Doc().SetModifiedFlag(false);
        Doc().UpdateAllViews(nullptr);
    }
    template <typename T = QWidget> T* Control(const char* name, CMainVue* in = nullptr)
    {
        T* control = (in ? in : view)->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Field(const char* name, CMainVue* in = nullptr)
    {
        if (auto* edit = (in ? in : view)->findChild<QLineEdit*>(QLatin1String(name)))
            return edit->text();
        return Control<QLabel>(name, in)->text();
    }
    void Click(const char* name) { QTest::mouseClick(Control(name), Qt::LeftButton); }

    CMainVue* view = nullptr;
};
