#pragma once
// The core's texts come as lists of std::string; the widgets take QStringLists.

#include <QStringList>

#include <string>
#include <vector>

namespace orvik::app {

inline QStringList toQStringList(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

} // namespace orvik::app
