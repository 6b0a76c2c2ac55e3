// The window under a German regional setting, as its process has it when started with
// LANG=de_DE.UTF-8: Qt's default locale and the C library's numbers both have a decimal
// comma. Only the values that are written in the user's format may change; every other
// text, chart axis and exported file is the same as under the C locale.

#include "tests/app/ModalAnswers.h"
#include "tests/app/SettingsTest.h"
#include "tests/app/WindowHelpers.h"

#include "app/Unit1.h"
#include "exports/DatasetContent.h"
#include "exports/DatasetExport.h"
#include "reports/QuickReport.h"
#include "reports/Unit5.h"
#include "tceditor/Tceditor.h"

#include <QAbstractItemView>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTemporaryDir>
#include <QTextEdit>
#include <qcustomplot.h>

#include <map>
#include <memory>
#include <optional>
#include <set>

using namespace orvik;
using namespace orvik::app;

namespace {

// Where a text was seen → the text.
using Texts = std::map<QString, QString>;

void addModelTexts(const QAbstractItemModel& model, const QModelIndex& parent, const QString& key, Texts& texts,
                   int& budget)
{
    for (int row = 0; row < model.rowCount(parent) && budget > 0; ++row)
        for (int column = 0; column < model.columnCount(parent) && budget > 0; ++column, --budget) {
            const QModelIndex index = model.index(row, column, parent);
            const QString at = QStringLiteral("%1[%2,%3]").arg(key).arg(row).arg(column);
            texts[at] = index.data().toString();
            if (column == 0)
                addModelTexts(model, index, at, texts, budget);
        }
}

// The names of the widget and its parents, from the window down.
QString keyOf(const QObject& o)
{
    QStringList names;
    for (const QObject* p = &o; p && p->parent(); p = p->parent())
        names.prepend(p->objectName().isEmpty() ? QString(p->metaObject()->className()) : p->objectName());
    return names.join('/');
}

// Qt's own dialogs (the file system as it is now) and the headers of the lists shown whole.
bool isOwnText(const QWidget& w)
{
    if (qobject_cast<const QHeaderView*>(&w))
        return false;
    for (const QObject* p = &w; p; p = p->parent())
        if (qobject_cast<const QFileDialog*>(p))
            return false;
    return true;
}

// Every text on the window's widgets, the lines of its lists and the labels of its charts' axes.
Texts windowTexts(const QWidget& window)
{
    Texts texts;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (!isOwnText(*w))
            continue;
        const QString key = keyOf(*w);
        if (const auto* label = qobject_cast<const QLabel*>(w))
            texts[key] = label->text();
        else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
            texts[key] = edit->text();
        else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w))
            texts[key] = memo->toPlainText();
        else if (const auto* rich = qobject_cast<const QTextEdit*>(w))
            texts[key] = rich->toPlainText();
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(w); view && view->model()) {
            int budget = 4000;
            addModelTexts(*view->model(), {}, key, texts, budget);
        } else if (auto* plot = const_cast<QCustomPlot*>(qobject_cast<const QCustomPlot*>(w))) {
            plot->toPixmap(640, 400); // lays the axes out: their tick labels come from the drawing
            for (QCPAxis* axis : plot->axisRect()->axes())
                texts[key + "/axis" + QString::number(axis->axisType())] = axis->tickVectorLabels().join('|');
        }
    }
    return texts;
}

// The components whose values are written with the user's decimal separator.
bool usesUserSeparator(const QString& key)
{
    static const QStringList prefixes{"HKListView[", "InternalHKListView[", "gc_cfg_duration", "exereporttime[3,3]",
                                      "duration", "cfgcdurlabel"};
    const QString name = key.section('/', -1);
    return std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& p) { return name.startsWith(p); });
}

struct Region {
    QLocale qt;
    const char* numeric;
};

// What the window shows and writes in one regional setting.
struct Seen {
    std::vector<Texts> nodes;      // per node chosen in the time list
    Texts report, editor;          // the GC report's pages, the telecommand editor's duration
    std::map<QString, QByteArray> exports;
    std::set<QString> userSeparatorSeen; // where a value written in the user's format had a decimal separator
};

class RegionalSettingsTest : public SettingsTest {
protected:
    // The time-list rows shown: the first few of every node kind of the demo archive.
    static std::vector<int> rowsToShow(const ArchiveDocument& doc)
    {
        std::map<int, int> perKind;
        std::vector<int> rows;
        int row = 0;
        for (NodeId node : doc.timeListNodes()) {
            if (perKind[doc.tree().kind(node)]++ < 3)
                rows.push_back(row);
            ++row;
        }
        return rows;
    }

    Seen look(const Region& region)
    {
        QLocale::setDefault(region.qt);
        const char* before = std::setlocale(LC_NUMERIC, nullptr);
        const std::string restore = before ? before : "C";
        EXPECT_NE(std::setlocale(LC_NUMERIC, region.numeric), nullptr) << region.numeric << ": run tools/setup-debian";
        Seen seen;
        {
            TForm1 window;
            window.startUp({"orvik-egse", "--tc-editor", demoArchive});
            const ArchiveDocument& doc = window.document();
            for (int row : rowsToShow(doc)) {
                chooseTimeRow(window, row);
                seen.nodes.push_back(windowTexts(window));
            }
            const NodeId dataset = doc.tree().children(doc.gcNode()).at(0);
            window.Form5->setReportNode(doc.tree(), dataset, demoArchive);
            QImage device(800, 1100, QImage::Format_RGB32);
            for (const reports::ReportPage& page : window.Form5->QuickRep1->layout(device))
                for (const reports::PlacedText& t : page.texts)
                    if (t.name != "QRSysData1") // the time of printing
                        seen.report[t.name] += t.text + "\n";

            window.enableTcEditor();
            for (int position : {1, 9, 31}) {
                window.tcEditor().findChild<QSlider*>("cfgcduration")->setValue(position);
                seen.editor["cfgcdurlabel" + QString::number(position)] =
                    window.tcEditor().findChild<QLabel*>("cfgcdurlabel")->text();
            }

            const QTemporaryDir dir;
            const auto written = [&](const QString& name, bool ok) {
                QFile file(dir.filePath(name));
                EXPECT_TRUE(ok && file.open(QIODevice::ReadOnly)) << name.toStdString();
                seen.exports[name] = file.readAll();
            };
            const ModalAnswers noBoxes({}); // a failure's message box is closed, and the export fails
            written("hk.csv", window.exportHousekeepingCsv(dir.filePath("hk.csv")));
            const auto first = [&](auto wanted) {
                for (NodeId d : exports::datasets(doc.tree()))
                    if (wanted(exports::datasetContent(doc.tree(), d)))
                        return d;
                return noNode;
            };
            const NodeId ms = first([](const exports::DatasetContent& c) { return !c.spectra.empty(); });
            const NodeId gc = first([](const exports::DatasetContent& c) { return !c.chromatograms.empty(); });
            written("ms.mzML", window.exportDataset(ms, exports::DatasetFormat::Mzml, dir.filePath("ms.mzML")));
            written("gc.csv", window.exportDataset(gc, exports::DatasetFormat::Csv, dir.filePath("gc.csv")));
        }
        std::setlocale(LC_NUMERIC, restore.c_str());
        QLocale::setDefault(QLocale::system());
        return seen;
    }

    // The differences between the two pictures: where allowed, only the separator; none elsewhere.
    static void expectSameBesideTheSeparator(const Texts& c, const Texts& german, const std::string& where,
                                             std::set<QString>& separatorSeen)
    {
        for (const auto& [key, text] : german)
            EXPECT_TRUE(c.count(key)) << where << " " << key.toStdString() << " only under de_DE";
        for (const auto& [key, text] : c) {
            if (!german.count(key)) {
                ADD_FAILURE() << where << " " << key.toStdString() << " only under C";
                continue;
            }
            const QString& other = german.at(key);
            if (other == text)
                continue;
            if (usesUserSeparator(key) && QString(other).replace(',', '.') == text) {
                separatorSeen.insert(key.section('/', -1));
                continue;
            }
            ADD_FAILURE() << where << " " << key.toStdString() << ": \"" << text.toStdString() << "\" under C, \""
                          << other.toStdString() << "\" under de_DE";
        }
    }
};

TEST_F(RegionalSettingsTest, OnlyTheValuesInTheUsersFormatTakeTheDecimalComma)
{
    const Seen c = look({QLocale::c(), "C"});
    const Seen german = look({QLocale(QLocale::German, QLocale::Germany), "de_DE.UTF-8"});

    ASSERT_EQ(c.nodes.size(), german.nodes.size());
    std::set<QString> separatorSeen;
    for (size_t i = 0; i < c.nodes.size(); ++i)
        expectSameBesideTheSeparator(c.nodes[i], german.nodes[i], "node " + std::to_string(i), separatorSeen);
    expectSameBesideTheSeparator(c.report, german.report, "GC report", separatorSeen);
    expectSameBesideTheSeparator(c.editor, german.editor, "telecommand editor", separatorSeen);

    // The demo archive shows these with a fraction; its execution reports and the first GC run's
    // report last whole units, and their comma is checked where they are written.
    for (const char* where : {"HKListView", "gc_cfg_duration", "cfgcdurlabel"})
        EXPECT_TRUE(std::any_of(separatorSeen.begin(), separatorSeen.end(),
                                [&](const QString& k) { return k.startsWith(where); }))
            << where << " never showed a decimal comma";

    for (const auto& [name, bytes] : c.exports) {
        EXPECT_FALSE(bytes.isEmpty()) << name.toStdString();
        EXPECT_EQ(bytes, german.exports.at(name)) << name.toStdString() << " differs under de_DE";
    }
}

} // namespace
