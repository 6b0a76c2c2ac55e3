// The "Regular HK" page's "Export CSV...": every regular housekeeping sample of
// the archive written to a file chosen in a save dialog, with progress for long
// archives. The file is replaced only when every line has been written.

#include "app/Unit1.h"

#include "display/widgets/StatusMessage.h"
#include "display/HousekeepingCsv.h"
#include "display/HousekeepingSamples.h"

#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>

using namespace orvik;

namespace orvik::app {

namespace {
const char* const exportCaption = "Export CSV";
}

void TForm1::buildHousekeepingCsvExport()
{
    hkCsvExportButton_ = findChild<QPushButton*>("HKCsvExportButton");
    connect(hkCsvExportButton_, &QPushButton::clicked, this, &TForm1::HKCsvExportButtonClick);
}

void TForm1::enableHousekeepingCsvExport()
{
    hkCsvExportButton_->setEnabled(display::hasRegularHkBlocks(doc_));
}

void TForm1::HKCsvExportButtonClick()
{
    // Beside the archive, named after it.
    const QFileInfo archive(currentFileName);
    QFileDialog dialog(this, exportCaption, archive.dir().filePath(archive.completeBaseName() + "-hk.csv"),
                       "CSV files (*.csv)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("csv");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
        return;
    exportHousekeepingCsv(dialog.selectedFiles().front());
}

bool TForm1::exportHousekeepingCsv(const QString& fileName)
{
    const QString name = QDir::toNativeSeparators(fileName);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        QMessageBox::warning(this, exportCaption, QString("Cannot write \"%1\": %2.").arg(name, file.errorString()));
        return false;
    }
    QProgressDialog progress(QString("Writing %1...").arg(name), "Cancel", 0, 1000, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const display::CsvResult result = display::writeHousekeepingCsv(
        doc_, display_.hkLists.regularHkList,
        [&file](std::string_view text) { return file.write(text.data(), qint64(text.size())) == qint64(text.size()); },
        [&progress](double done) {
            progress.setValue(int(done * 1000));
            return !progress.wasCanceled();
        });
    progress.reset();
    if (result == display::CsvResult::Cancelled) {
        file.cancelWriting();
        return false;
    }
    if (result == display::CsvResult::Written && file.commit()) {
        const auto samples = display::samplesPerBlock * display::regularHkBlocks(doc_).size();
        widgets::showStatusMessage(
            this, QString("Exported %1 housekeeping samples to %2").arg(QLocale().toString(qulonglong(samples)), name));
        return true;
    }
    const QString reason = file.errorString();
    file.cancelWriting();
    QMessageBox::warning(this, exportCaption,
                         QString("Writing \"%1\" failed: %2. The file was not saved.").arg(name, reason));
    return false;
}

} // namespace orvik::app
