#include "web/ClosingScreen.h"

#include "content/ContentModel.h"
#include "platform/AppInfo.h"
#include "platform/Controls.h"
#include "platform/Platform.h"
#include "platform/TrimSpaces.h"
#include "platform/Twips.h"
#include "web/modHelp.h"
#include "web/modTellAFriend.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Controls;
namespace Placeholder = modTellAFriend::Placeholder;

namespace {

const QColor DarkBlue(0, 0, 128);

// Every face the closing screen draws in, in one place so that they can be loaded ahead.
struct Faces {
    QFont frame = makeFont(QStringLiteral("Verdana"), 9.75, true);
    QFont caption = makeFont(QStringLiteral("MS Sans Serif"), 18);
    QFont message = makeFont(QStringLiteral("Verdana"), 9.75, true);
    QFont invitation = makeFont(QStringLiteral("Verdana"), 14.25);
    QFont submit = makeFont(QStringLiteral("Verdana"), 8.25, true);
    QFont softwares = makeFont(QStringLiteral("Verdana"), 9);
    // Narrowed a little so the whole line fits where the face substituted for Verdana runs wide.
    QFont link = [] {
        QFont font = makeFont(QStringLiteral("Verdana"), 9, true, true);
        font.setStretch(QFont::SemiCondensed);
        return font;
    }();
};

const Faces &faces()
{
    static const Faces all;
    return all;
}

// A box's text with the program's CR LF line breaks.
QString textOf(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    return static_cast<const QPlainTextEdit *>(box)->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void setTextOf(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else
        static_cast<QPlainTextEdit *>(box)->setPlainText(text);
}

QGroupBox *frame(const QString &name, const QString &caption, QWidget *parent, const QRect &twips)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setFont(faces().frame);
    box->setStyleSheet(
        QStringLiteral("QGroupBox#%1 { background-color: rgb(0, 0, 128); border: 1px solid rgb(0, 0, 128);"
                       " margin-top: 0px; padding-top: 0px; }"
                       "QGroupBox#%1::title { color: white; subcontrol-origin: padding;"
                       " subcontrol-position: top left; left: 6px; top: 2px; }")
            .arg(name));
    Twips::attach(box, twips);
    return box;
}

} // namespace

frmNagScreen2::frmNagScreen2(std::function<void()> quitApplication, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_quit(std::move(quitApplication))
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowTitle(QStringLiteral("ABC"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Twips::toPixels(11115), Twips::toPixels(4725));
    setBackground(this, Qt::white);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picNagscreen2Icon"));
    Twips::attach(icon, 360, 120, 540, 540);
    label(QStringLiteral("lblNagScreen2Caption"), QString(), faces().caption, Qt::black, this, {1080, 240, 720, 435},
          false); // widened to its caption when that is set
    label(QStringLiteral("Label2"), QString(), faces().message, Qt::black, this, {120, 840, 6975, 1095}, true);

    m_check1 = new QCheckBox(Content().text(QStringLiteral("forum-invitation")), this);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setFont(faces().invitation);
    m_check1->setCursor(Qt::PointingHandCursor);
    setTextColour(m_check1, QColor(0, 0, 192));
    Twips::attach(m_check1, 30, 2040, 7185, 555);
    connect(m_check1, &QCheckBox::toggled, this, &frmNagScreen2::Check1_Click);

    m_cmdClose = new QPushButton(QStringLiteral("E&xit"), this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    Twips::attach(m_cmdClose, 6000, 2760, 1245, 375);
    connect(m_cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);

    QGroupBox *refer = frame(QStringLiteral("Frame2"), QStringLiteral("Refer A Friend"), this, {120, 3240, 7065, 1455});
    auto lineEdit = [refer](const QString &name, const QString &placeholder, const QRect &twips) {
        auto *box = new QLineEdit(placeholder, refer);
        box->setObjectName(name);
        box->setAccessibleName(placeholder);
        Twips::attach(box, twips);
        return box;
    };
    m_txtName = lineEdit(QStringLiteral("txtName"), Placeholder::Name, {85, 360, 3375, 285});
    auto *submit = new QPushButton(QStringLiteral("Refer A Friend &Now"), refer);
    submit->setObjectName(QStringLiteral("cmdSubmit"));
    submit->setFont(faces().submit);
    Twips::attach(submit, 1920, 1080, 3375, 285);
    connect(submit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
    m_txtEmail = lineEdit(QStringLiteral("txtEmail"), Placeholder::Email, {3600, 360, 3375, 285});
    m_txtFriendEmail = lineEdit(QStringLiteral("txtFriendEmail"), Placeholder::FriendEmail, {3600, 720, 3375, 285});
    m_txtFriendName = lineEdit(QStringLiteral("txtFriendName"), Placeholder::FriendName, {85, 720, 3375, 285});
    // Lies below the frame's edge, so it is never seen; its untouched text still counts as input.
    m_txtMessage = new QPlainTextEdit(Placeholder::Message + QStringLiteral("\r\n"), refer);
    m_txtMessage->setObjectName(QStringLiteral("txtMessage"));
    m_txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtMessage->setTabChangesFocus(true);
    Twips::attach(m_txtMessage, 4800, 3600, 1815, 495);

    QGroupBox *softwares =
        frame(QStringLiteral("Frame6"), QStringLiteral("Download Quorvane Softwares"), this, {7320, 120, 3735, 4575});
    label(QStringLiteral("Label3"), Content().text(QStringLiteral("softwares")), faces().softwares, Qt::white,
          softwares, {120, 360, 3495, 3855}, true)
        ->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LinkLabel *home = link(QStringLiteral("lblGoToHome"), QStringLiteral("Click Here To Visit Quorvane Softwares"),
                           faces().link, QColor(255, 255, 0), softwares, {75, 4250, 3585, 210});
    connect(home, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);

    const QList<QWidget *> order = {m_cmdClose, m_check1,         m_txtName,       submit,
                                    m_txtEmail, m_txtFriendEmail, m_txtFriendName, m_txtMessage};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget *box :
         {static_cast<QWidget *>(m_txtName), static_cast<QWidget *>(m_txtEmail), static_cast<QWidget *>(m_txtMessage),
          static_cast<QWidget *>(m_txtFriendName), static_cast<QWidget *>(m_txtFriendEmail)})
        box->installEventFilter(this);
    Form_Load();
    m_cmdClose->setFocus();
}

void frmNagScreen2::Form_Load()
{
    setWindowTitle(AppInfo::ClosingCaption());
    auto *caption = findChild<QLabel *>(QStringLiteral("lblNagScreen2Caption"));
    caption->setText(AppInfo::ClosingCaption());
    Twips::setWidth(caption, qMax(720, Twips::fromPixels(caption->sizeHint().width())));
    const QIcon icon = programIcon();
    setWindowIcon(icon);
    findChild<QLabel *>(QStringLiteral("picNagscreen2Icon"))->setPixmap(icon.pixmap(32, 32));
    const int message = qBound(0, int(platform::services().randomUnit() * 4), 3) + 1;
    findChild<QLabel *>(QStringLiteral("Label2"))->setText(Content().text(QStringLiteral("promo-%1").arg(message)));
    platform::services().keepOnTop(this);
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    event->accept();
    Form_Unload();
}

void frmNagScreen2::Form_Unload() { m_quit(); }
void frmNagScreen2::cmdClose_Click() { m_quit(); }
void frmNagScreen2::lblGoToHome_Click() { modHelp::OpenSoftwaresPage(); }

void frmNagScreen2::Check1_Click()
{
    if (!m_check1->isChecked())
        return;
    m_check1->setChecked(false);
    modHelp::OpenHomePage();
}

void frmNagScreen2::cmdSubmit_Click()
{
    modTellAFriend::Referral &values = modTellAFriend::Values();
    values = {TrimSpaces(m_txtName->text()), TrimSpaces(m_txtEmail->text()), TrimSpaces(textOf(m_txtMessage)),
              TrimSpaces(m_txtFriendName->text()), TrimSpaces(m_txtFriendEmail->text())};
    if (const std::optional<QString> problem = modTellAFriend::EmailProblem(values)) {
        platform::services().showMessage(
            {*problem, AppInfo::Title(), platform::MessageIcon::Critical, platform::MessageButtons::Ok});
        return;
    }
    modTellAFriend::SubmitReferral();
}

void frmNagScreen2::gotFocus(QWidget *box, const QString &placeholder)
{
    if (TrimSpaces(textOf(box)) == placeholder)
        setTextOf(box, QString());
}

void frmNagScreen2::lostFocus(QWidget *box, const QString &placeholder)
{
    if (TrimSpaces(textOf(box)).isEmpty())
        setTextOf(box, placeholder);
}

void frmNagScreen2::txtName_GotFocus() { gotFocus(m_txtName, Placeholder::Name); }
void frmNagScreen2::txtEmail_GotFocus() { gotFocus(m_txtEmail, Placeholder::Email); }
void frmNagScreen2::txtMessage_GotFocus() { gotFocus(m_txtMessage, Placeholder::Message); }
void frmNagScreen2::txtFriendName_GotFocus() { gotFocus(m_txtFriendName, Placeholder::FriendName); }
void frmNagScreen2::txtFriendEmail_GotFocus() { gotFocus(m_txtFriendEmail, Placeholder::FriendEmail); }
void frmNagScreen2::txtName_LostFocus() { lostFocus(m_txtName, Placeholder::Name); }
void frmNagScreen2::txtEmail_LostFocus() { lostFocus(m_txtEmail, Placeholder::Email); }
void frmNagScreen2::txtMessage_LostFocus() { lostFocus(m_txtMessage, Placeholder::Message); }
void frmNagScreen2::txtFriendName_LostFocus() { lostFocus(m_txtFriendName, Placeholder::FriendName); }
void frmNagScreen2::txtFriendEmail_LostFocus() { lostFocus(m_txtFriendEmail, Placeholder::FriendEmail); }

int frmNagScreen2::filterSpace(QWidget *box, int keyAscii)
{
    if (keyAscii != ' ')
        return keyAscii;
    platform::services().showMessage({QStringLiteral("Email Address Cannot Contain Space"), AppInfo::Title(),
                                      platform::MessageIcon::Critical, platform::MessageButtons::Ok});
    box->setFocus();
    return 0;
}

int frmNagScreen2::txtEmail_KeyPress(int keyAscii) { return filterSpace(m_txtEmail, keyAscii); }
int frmNagScreen2::txtFriendEmail_KeyPress(int keyAscii) { return filterSpace(m_txtFriendEmail, keyAscii); }

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    using Handler = void (frmNagScreen2::*)();
    const struct {
        QWidget *box;
        Handler got, lost;
    } boxes[] = {
        {m_txtName, &frmNagScreen2::txtName_GotFocus, &frmNagScreen2::txtName_LostFocus},
        {m_txtEmail, &frmNagScreen2::txtEmail_GotFocus, &frmNagScreen2::txtEmail_LostFocus},
        {m_txtMessage, &frmNagScreen2::txtMessage_GotFocus, &frmNagScreen2::txtMessage_LostFocus},
        {m_txtFriendName, &frmNagScreen2::txtFriendName_GotFocus, &frmNagScreen2::txtFriendName_LostFocus},
        {m_txtFriendEmail, &frmNagScreen2::txtFriendEmail_GotFocus, &frmNagScreen2::txtFriendEmail_LostFocus},
    };
    for (const auto &entry : boxes) {
        if (watched != entry.box)
            continue;
        if (event->type() == QEvent::FocusIn)
            (this->*entry.got)();
        else if (event->type() == QEvent::FocusOut)
            (this->*entry.lost)();
        else if (event->type() == QEvent::KeyPress && (entry.box == m_txtEmail || entry.box == m_txtFriendEmail)) {
            const QString typed = static_cast<QKeyEvent *>(event)->text();
            if (typed.size() == 1) {
                const int code = entry.box == m_txtEmail ? txtEmail_KeyPress(typed.at(0).unicode())
                                                         : txtFriendEmail_KeyPress(typed.at(0).unicode());
                if (code == 0)
                    return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ShowClosingScreen(const std::function<void()> &quitApplication)
{
    auto *screen = new frmNagScreen2(quitApplication);
    centreOnScreen(screen);
    screen->show();
}

void PrepareClosingScreen()
{
    // Drawing every printable character once in each face finds the face and fills its glyph
    // cache; a throwaway frame parses the style sheet the two frames share.
    QString characters;
    for (char16_t c = u' '; c <= u'~'; ++c)
        characters += QChar(c);
    const Faces &all = faces();
    QImage canvas(512, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&canvas);
    for (const QFont *font : {&all.frame, &all.caption, &all.invitation, &all.submit, &all.softwares, &all.link}) {
        painter.setFont(*font);
        painter.drawText(canvas.rect(), Qt::TextWordWrap, characters);
    }
    painter.end();
    QWidget scratch;
    QGroupBox *sample = frame(QStringLiteral("scratchFrame"), characters, &scratch, {0, 0, 3735, 1455});
    QPixmap sampleCanvas(sample->size());
    sample->render(&sampleCanvas);
}
