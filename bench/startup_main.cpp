// Tavrellix's own start-up, ended after the introduction page's first paint.
#include "FirstPaint.h"
#include "app/Application.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QuitAfterFirstPaint quit("RTB");
    StartApplication();
    return QApplication::exec();
}
