#include "web/AboutBox.h"

#include "content/ContentModel.h"
#include "platform/AppInfo.h"
#include "platform/Controls.h"
#include "platform/Twips.h"
#include "web/modHelp.h"

#include <QFrame>
#include <QPushButton>

using namespace Controls;

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(AppInfo::VersionCaption());
    setWindowIcon(programIcon());
    setModal(true);
    setFixedSize(Twips::toPixels(7080), Twips::toPixels(3165));
    setBackground(this, Qt::white);
    const QString verdana = QStringLiteral("Verdana");
    setFont(makeFont(verdana, 8.25));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(programIcon().pixmap(32, 32));
    Twips::attach(icon, 120, 45, 480, 480);

    const QColor text = palette().color(QPalette::WindowText);
    label(QStringLiteral("Label2"), AppInfo::VersionCaption(), makeFont(verdana, 14.25, true), text, this,
          {720, 45, 3420, 345}, false);
    label(QStringLiteral("Label1"), Content().text(QStringLiteral("about")), makeFont(verdana, 8.25), text, this,
          {720, 390, 6285, 975}, true);
    LinkLabel *home = link(QStringLiteral("lblHomePage"),
                           QStringLiteral("Click here to visit ") + Content().text(QStringLiteral("home-address")),
                           makeFont(verdana, 8.25, false, true), QColor(0, 0, 255), this, {2955, 1365, 4050, 195});
    connect(home, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    label(QStringLiteral("Label3"),
          QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get this "
                         "software fully branded for your website."),
          makeFont(verdana, 8.25, true), QColor(128, 0, 128), this, {120, 1800, 6885, 435}, true);
    LinkLabel *coBrand = link(QStringLiteral("lblCoBrand"), QStringLiteral("Click here for more details"),
                              makeFont(verdana, 8.25, false, true), QColor(0, 0, 255), this, {4710, 2235, 2295, 195});
    connect(coBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line2"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setLineWidth(2);
    line->setGeometry(0, Twips::toPixels(2640) - 1, Twips::toPixels(7080), 2);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    Twips::attach(ok, 5745, 2760, 1260, 345);
    connect(ok, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    ok->setFocus();
}

// Enter presses OK as the default button; Esc and the close box reject, which also unloads.
void frmAbout::cmdOK_Click() { accept(); }
void frmAbout::lblHomePage_Click() { modHelp::OpenHomePage(); }
void frmAbout::lblCoBrand_Click() { modHelp::OpenFullyBrandedPage(); }

void ShowAboutBox(QWidget *parent)
{
    frmAbout box(parent);
    box.exec();
}
