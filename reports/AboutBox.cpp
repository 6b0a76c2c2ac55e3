#include "reports/AboutBox.h"

#include "reports/ApplicationIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvik::reports {

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
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(applicationPicture(40));

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
