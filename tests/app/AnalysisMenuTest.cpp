// The Analysis menu: Average Records as one undoable step and its
// refusals, and the Sound Insulation window's numbers, copy and CSV.

#include "AppTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/PagePrinter.h"
#include "app/SoundInsulationWindow.h"
#include "data/CMainDoc.h"
#include "data/InsulationTable.h"
#include "data/LevelDifference.h"
#include "data/NcCurveTable.h"
#include "data/RecordAverage.h"
#include "data/RecordList.h"
#include "data/ResultText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageSize>
#include <QPrinter>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <cstring>

namespace {

class AnalysisMenu : public AppTest {
protected:
    ~AnalysisMenu() override { QLocale::setDefault(m_locale); }

    // Records 1 and 2 Mike at 40 and 46 dB SPL, record 4 the source room at
    // 97 dB SPL, record 5 the receiving room at 50, record 6 its background
    // at 40 (44 at 1 kHz: the limit of measurement there), record 7 a Left
    // record (dBu); the others empty.
    CMainDoc& Open()
    {
        SpectrumFile image;
        for (auto& comment : image.comments)
            comment.fill(' ');
        const auto mike = [&](int record, std::uint8_t code, std::uint8_t refCode) {
            MemoryRecord& r = image.records[static_cast<std::size_t>(record)];
            r.bands.fill(code);
            r.wideband = code;
            r.refCode = refCode;
            r.mode = 1;
            r.checksum = r.ComputeChecksum();
        };
        mike(0, 160, 85);
        mike(1, 160, 79);
        mike(3, 176, 30);
        mike(4, 160, 75);
        mike(5, 160, 85);
        image.records[5].bands[16] = 192;
        image.records[6].bands.fill(160);
        image.records[6].mode = 2;
        std::memcpy(image.comments[4].data(), "Receiving room", 14);
        const std::string path = dir.File("site.spc");
        WriteBytes(path, std::vector<std::uint8_t>(image.Bytes(), image.Bytes() + SpectrumFile::kSize));
        Start();
        app->Documents().OpenDocumentFile(QString::fromStdString(path));
        return app->Frame().ActiveView()->GetDocument();
    }

    // Runs Average Records with the records and target typed into its dialog.
    void Average(const QString& records, int target)
    {
        WhenModalOpens([=](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("records")->setText(records);
            dialog->findChild<QSpinBox*>("target")->setValue(target);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        app->Frame().MenuAction(CommandId::AverageRecords)->trigger();
    }
    // Runs Average Records expecting a refusal: the message it gave.
    QString Refusal(const QString& records, int target)
    {
        QString told;
        WhenModalOpens([=, &told](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("records")->setText(records);
            dialog->findChild<QSpinBox*>("target")->setValue(target);
            WhenModalOpens([&told](QWidget* box) {
                told = BoxText(box);
                PressButton(box, QStringLiteral("OK"));
            });
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        app->Frame().MenuAction(CommandId::AverageRecords)->trigger();
        return told;
    }

    SoundInsulationWindow* Insulation(int source, int receive, int background, const QString& times)
    {
        WhenModalOpens([=](QWidget* dialog) {
            dialog->findChild<QSpinBox*>("source")->setValue(source);
            dialog->findChild<QSpinBox*>("receive")->setValue(receive);
            dialog->findChild<QComboBox*>("background")->setCurrentIndex(background);
            dialog->findChild<QLineEdit*>("times")->setText(times);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        app->Frame().MenuAction(CommandId::SoundInsulation)->trigger();
        return app->Frame().findChild<SoundInsulationWindow*>();
    }

private:
    QLocale m_locale;
};

TEST_F(AnalysisMenu, AverageRecordsIsOneStepThatUndoRestoresByteForByte)
{
    CMainDoc& doc = Open();
    const SpectrumFile before = doc.Data();
    ASSERT_EQ(app->Frame().MenuAction(CommandId::AverageRecords)->text(), "&Average Records...");
    Average(QStringLiteral("1-2"), 3);

    RecordAverage average;
    ASSERT_FALSE(AverageRecords(before, {0, 1}, average));
    EXPECT_EQ(doc.Data().records[2], AverageAsRecord(before, average));
    std::string comment;
    doc.GetComment(comment, 2, 0);
    EXPECT_EQ(comment.substr(0, comment.find('\r')), "Average of 1,2");
    EXPECT_TRUE(doc.IsModified());
    // The new record shows at once.
    EXPECT_EQ(app->Frame().ActiveView()->SelectedMemory(), 3);

    app->Frame().UpdateCommandStates();
    EXPECT_EQ(app->Frame().StateOf(CommandId::EditUndo).text, "&Undo Average\tCtrl+Z");
    app->Frame().Dispatch(CommandId::EditUndo);
    EXPECT_EQ(std::memcmp(doc.Data().Bytes(), before.Bytes(), SpectrumFile::kSize), 0);
    EXPECT_FALSE(doc.IsModified());
    app->Frame().Dispatch(CommandId::EditRedo);
    EXPECT_EQ(doc.Data().records[2], AverageAsRecord(before, average));
}

TEST_F(AnalysisMenu, AverageRecordsRefusedWithTheRulesMessageChangesNothing)
{
    CMainDoc& doc = Open();
    const SpectrumFile before = doc.Data();
    // The dialog proposes the first empty record, 3; Cancel does nothing.
    int proposed = 0;
    WhenModalOpens([&proposed](QWidget* dialog) {
        proposed = dialog->findChild<QSpinBox*>("target")->value();
        static_cast<QDialog*>(dialog)->reject();
    });
    app->Frame().MenuAction(CommandId::AverageRecords)->trigger();
    EXPECT_EQ(proposed, 3);
    EXPECT_EQ(Refusal(QStringLiteral("1,7"), 3).toStdString(),
              SurveyErrorText({SurveyError::Kind::kDifferentUnits, 6, 0}));
    EXPECT_EQ(Refusal(QStringLiteral("1,3"), 9).toStdString(),
              SurveyErrorText({SurveyError::Kind::kRecordNotInUse, 2}));
    EXPECT_EQ(Refusal(QStringLiteral("5-3"), 9).toStdString(),
              RecordListErrorText(RecordListError::kDescending));
    EXPECT_TRUE(doc.Data() == before);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(AnalysisMenu, TheInsulationWindowShowsTheNumbersOfTheLevelDifference)
{
    CMainDoc& doc = Open();
    SoundInsulationWindow* window = Insulation(4, 5, 6, QStringLiteral("0.6"));
    ASSERT_NE(window, nullptr);
    LevelDifference difference;
    ASSERT_FALSE(DifferenceOfRecords(doc.Data(), 3, 4, 5, difference));
    StandardizedDifference standardized;
    ASSERT_FALSE(StandardizeDifference(difference, {0.6}, standardized));

    // The numbers of tv7w-cli difference for the same records.
    std::string cli;
    ASSERT_EQ(RunCommand(std::string(TV7W_CLI) + " --profile /nonexistent/TV7W.ini difference " +
                             dir.File("site.spc") + " 4 5 --background 6 --rt 0.6",
                         cli),
              0);
    auto* table = window->findChild<QTableWidget*>("bands");
    ASSERT_EQ(table->rowCount(), 21);  // 50 Hz .. 5 kHz
    EXPECT_EQ(table->item(0, 0)->text(), "50");
    for (int row = 0; row < table->rowCount(); ++row) {
        const int band = InsulationResults::kFirstBand + row;
        const std::string hz = std::to_string(NcCurveTable::BandFrequency(band));
        EXPECT_NE(cli.find("\nD_" + hz + "=" + table->item(row, 5)->text().toStdString() + "\n"),
                  std::string::npos)
            << hz << '\n'
            << cli;
        if (!table->item(row, 6)->text().isEmpty()) {
            EXPECT_NE(cli.find("\nDnT_" + hz + "=" + table->item(row, 6)->text().toStdString() + "\n"),
                      std::string::npos)
                << hz << '\n'
                << cli;
        }
    }
    EXPECT_NE(cli.find("\nDw=" + std::to_string(difference.weighted.rating) +
                       "\nC=" + std::to_string(difference.weighted.c) +
                       "\nCtr=" + std::to_string(difference.weighted.ctr) + "\nlimited=yes\n"),
              std::string::npos)
        << cli;
    // 1 kHz: the background 6 dB under the receiving level.
    EXPECT_EQ(table->item(13, 0)->text(), "1000");
    EXPECT_EQ(table->item(13, 4)->text(), "<48.7");
    EXPECT_EQ(table->item(13, 5)->text(), ">48.3");
    EXPECT_EQ(table->item(13, 7)->text(), "limit");
    EXPECT_EQ(table->item(12, 5)->text(), "47.0");
    EXPECT_EQ(table->item(12, 6)->text(), "47.8");  // DnT = D + 10 log10(0.6 / 0.5)
    const QString minus = QStringLiteral("\u2212");
    const auto rating = [&](const char* name, const WeightedDifference& weighted) {
        return QStringLiteral("%1 = %2 dB (C = %3; Ctr = %4) (limited)")
            .arg(QLatin1String(name))
            .arg(weighted.rating)
            .arg(QString::number(weighted.c).replace(QLatin1Char('-'), minus))
            .arg(QString::number(weighted.ctr).replace(QLatin1Char('-'), minus));
    };
    EXPECT_EQ(window->findChild<QLabel*>("ratings")->text(),
              rating("Dw", difference.weighted) + QLatin1Char('\n') + rating("DnT,w", standardized.weighted));
    EXPECT_FALSE(window->findChild<QLabel*>("note")->text().isEmpty());

    window->Copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), InsulationText(window->Results()));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    dialogs.Answer(QString::fromStdString(dir.File("wall.csv")));
    window->ExportCsv();
    const std::string csv = ReadText(dir.File("wall.csv"));
    EXPECT_NE(csv.find("1000;97,0;50,0;44,0;<48,7;>48,3;>49,1;limit\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Dw;" + std::to_string(difference.weighted.rating) + "\r\n"), std::string::npos)
        << csv;

    // Print, here into a PDF: the records, the table and the ratings as text.
    QPrinter& printer = app->Analyser().Printer().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const std::string pdf = dir.File("wall.pdf");
    printer.setOutputFileName(QString::fromStdString(pdf));
    WhenModalOpens([](QWidget* modal) { static_cast<QDialog*>(modal)->accept(); });
    window->Print();
    std::string text;
    ASSERT_EQ(RunCommand("pdftotext -layout " + pdf + " -", text), 0);
    for (const std::string& expected :
         {std::string("Sound Insulation"), std::string("Receiving room: record 5"),
          InsulationRatingLines(window->Results()).front(), std::string(">48.3")})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << '\n' << text;
}

TEST_F(AnalysisMenu, SoundInsulationRefusesRecordsThatCannotBeCompared)
{
    Open();
    QString told;
    WhenModalOpens([&](QWidget* dialog) {
        dialog->findChild<QSpinBox*>("source")->setValue(4);
        dialog->findChild<QSpinBox*>("receive")->setValue(7);
        WhenModalOpens([&told](QWidget* box) {
            told = BoxText(box);
            PressButton(box, QStringLiteral("OK"));
        });
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    app->Frame().MenuAction(CommandId::SoundInsulation)->trigger();
    EXPECT_EQ(told.toStdString(), SurveyErrorText({SurveyError::Kind::kDifferentUnits, 6, 3}));
    EXPECT_EQ(app->Frame().findChild<SoundInsulationWindow*>(), nullptr);
}

TEST_F(AnalysisMenu, ExportReportWritesTheRecordsInUseOnThePrintersPaper)
{
    Open();
    app->Analyser().Printer().Printer().setPageSize(QPageSize(QPageSize::Letter));
    const QString path = QString::fromStdString(dir.File("site report.pdf"));
    dialogs.Answer(path);
    app->Frame().MenuAction(CommandId::ExportReport)->trigger();
    ASSERT_FALSE(dialogs.requests.empty());
    EXPECT_EQ(dialogs.requests.back().proposedName, path);
    std::string out;
    ASSERT_EQ(RunCommand("pdfinfo '" + path.toStdString() + "'", out), 0) << out;
    // The table, then records 1, 2, 4, 5, 6 and 7.
    EXPECT_NE(out.find("Pages:           7\n"), std::string::npos) << out;
    EXPECT_NE(out.find("612 x 792 pts (letter)"), std::string::npos) << out;
    ASSERT_EQ(RunCommand("pdftotext -f 1 -l 1 '" + path.toStdString() + "' -", out), 0);
    EXPECT_NE(out.find("Receiving room"), std::string::npos) << out;
}

}  // namespace
