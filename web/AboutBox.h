#pragma once

#include <QDialog>

// frmAbout: names the program, describes it and links to the maker's site. Shown modally.
class frmAbout final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCoBrand_Click();
};

// Shows a fresh about box modally and returns when it is closed.
void ShowAboutBox(QWidget *parent);
