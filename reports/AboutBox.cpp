#include "reports/AboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvik::reports {

namespace {

// The program's logo: a chromatogram's peaks on the instrument's dark blue.
QPixmap logo()
{
    QPixmap pixmap(60, 40);
    pixmap.fill(QColor(0x1F, 0x3A, 0x68));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E), 2));
    const QPointF peaks[] = {{2, 34}, {12, 34}, {16, 12}, {20, 34}, {30, 34}, {34, 22}, {38, 34}, {46, 34}, {50, 6}, {54, 34}, {58, 34}};
    p.drawPolyline(peaks, int(std::size(peaks)));
    return pixmap;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(298, 191);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(60, 40);
    Image1->setPixmap(logo());

    ProductName = new QLabel(QStringLiteral("ORVIK-EGSE"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont bold = ProductName->font();
    bold.setPointSize(14);
    bold.setBold(true);
    ProductName->setFont(bold);

    Version = new QLabel(QStringLiteral("Version 0.1.5"), Panel1);
    Version->setObjectName(QStringLiteral("Version"));

    Bevel1 = new QFrame(Panel1);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    compdate = new QLabel(QStringLiteral("Compiled:"), Panel1);
    compdate->setObjectName(QStringLiteral("compdate"));
    compdate->setAlignment(Qt::AlignCenter);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* names = new QVBoxLayout;
    names->addWidget(ProductName);
    names->addWidget(Version);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(names, 1);
    auto* panel = new QVBoxLayout(Panel1);
    panel->addLayout(top);
    panel->addWidget(Bevel1);
    panel->addWidget(compdate);
    panel->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1, 1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
}

QString TAboutBox::compiledLine()
{
    return QStringLiteral("Compiled: %1, %2").arg(QLatin1String(__DATE__), QLatin1String(__TIME__));
}

} // namespace orvik::reports
