#include "display/widgets/ShowInFront.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace orvik::widgets {

void layOutChartWindow(QWidget& window, QWidget* chart)
{
    auto* close = new QPushButton("Close");
    close->setObjectName("Button1");
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::hide);

    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(chart, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void showInFrontOfParent(QWidget& window)
{
    if (const QWidget* parent = window.parentWidget()) {
        QRect frame = window.geometry();
        frame.moveCenter(parent->geometry().center());
        window.move(frame.topLeft());
    }
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace orvik::widgets
