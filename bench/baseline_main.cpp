// The bare baseline: a maximised main window with one text edit showing the same introduction.
#include "FirstPaint.h"

#include <QFile>
#include <QMainWindow>
#include <QTextEdit>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QuitAfterFirstPaint quit("RTB");
    QMainWindow window;
    auto *page = new QTextEdit(&window);
    page->setObjectName(QStringLiteral("RTB"));
    QFile text(QStringLiteral(TAVRELLO_INTRODUCTION));
    text.open(QIODevice::ReadOnly);
    page->setPlainText(QStringLiteral("Introduction\n\n") +
                       QString::fromUtf8(text.readAll()).replace(u'\n', QStringLiteral("\n\n")));
    window.setCentralWidget(page);
    window.showMaximized();
    return QApplication::exec();
}
