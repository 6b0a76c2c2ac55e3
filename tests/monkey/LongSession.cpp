#include "tests/monkey/LongSession.h"

#include "app/Unit1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTabWidget>

#include <fstream>
#include <map>

#if defined(__linux__)
#include <unistd.h>
#endif

namespace orvik::monkey {

size_t openAndShowEveryKind(app::TForm1& window, const QString& file)
{
    window.currentFileName = file;
    window.openArchive(false);
    const ArchiveDocument& doc = window.document();
    std::map<int16_t, int> firstRow;
    int row = 0;
    for (NodeId node : doc.timeListNodes())
        firstRow.emplace(doc.tree().kind(node), row++);
    window.findChild<QTabWidget*>("PageControl4")->setCurrentIndex(1);
    auto* list = window.findChild<QAbstractItemView*>("ListBox1");
    for (const auto& [kind, first] : firstRow) {
        list->setCurrentIndex(list->model()->index(first, 0));
        QApplication::processEvents();
    }
    return firstRow.size();
}

size_t residentBytes()
{
#if defined(__linux__)
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return resident * size_t(sysconf(_SC_PAGESIZE));
#else
    return 0;
#endif
}

} // namespace orvik::monkey
