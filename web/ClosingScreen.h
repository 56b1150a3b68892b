#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// frmNagScreen2: the closing screen. It promotes the maker's forum and programs, offers the
// "Refer A Friend" form, and ends the program when the user leaves it.
class frmNagScreen2 final : public QWidget {
    Q_OBJECT
public:
    explicit frmNagScreen2(std::function<void()> quitApplication, QWidget *parent = nullptr);

    void Form_Load();
    void Form_Unload();
    void cmdClose_Click();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdSubmit_Click();

    void txtName_GotFocus();
    void txtEmail_GotFocus();
    void txtMessage_GotFocus();
    void txtFriendName_GotFocus();
    void txtFriendEmail_GotFocus();
    void txtName_LostFocus();
    void txtEmail_LostFocus();
    void txtMessage_LostFocus();
    void txtFriendName_LostFocus();
    void txtFriendEmail_LostFocus();
    // The typed character's code; a space is refused (returns 0) with a message.
    int txtEmail_KeyPress(int keyAscii);
    int txtFriendEmail_KeyPress(int keyAscii);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void gotFocus(QWidget *box, const QString &placeholder);
    void lostFocus(QWidget *box, const QString &placeholder);
    int filterSpace(QWidget *box, int keyAscii);

    std::function<void()> m_quit;
    QLineEdit *m_txtName, *m_txtEmail, *m_txtFriendName, *m_txtFriendEmail;
    QPlainTextEdit *m_txtMessage;
    QCheckBox *m_check1;
    QPushButton *m_cmdClose;
};

// Loads the closing screen's faces and style ahead of its first showing, which then does not wait
// for them. Shows nothing.
void PrepareClosingScreen();

// Shows the closing screen; leaving it runs quitApplication.
void ShowClosingScreen(const std::function<void()> &quitApplication);
