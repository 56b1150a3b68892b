// Time to build and lay out each of the 53 pages and to handle each section click.
#include "app/MainWindow.h"
#include "content/AsanaCatalogue.h"
#include "content/ContentModel.h"
#include "pages/DisplayWindow.h"
#include "platform/Controls.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 41;

struct Figures {
    double median, worst; // milliseconds
};

Figures measure(const std::function<void()> &action, QTextDocument *document)
{
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        action();
        document->documentLayout()->documentSize(); // lay the whole page out
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    MDI mdi;
    mdi.showMaximized();
    QApplication::processEvents();
    QTextDocument *document = mdi.frmDisp()->RTB()->document();
    auto *byName = mdi.findChild<QComboBox *>(QStringLiteral("cboAsanasByName"));

    double worstMedian = 0;
    std::printf("%-40s %10s %10s\n", "page", "median ms", "worst ms");
    for (int row = 0; row < modYogasana::AsanaCount; ++row) {
        const QString name = Content().asanas().at(row).SanskritName;
        const Figures f = measure(
            [&] {
                byName->setCurrentIndex(row);
                mdi.cboAsanasByName_Click();
            },
            document);
        worstMedian = std::max(worstMedian, f.median);
        std::printf("%-40s %10.3f %10.3f\n", qPrintable(name), f.median, f.worst);
    }
    for (const Section &section : Content().sections()) {
        for (const TopicButton &topic : section.topics) {
            QPushButton *button = mdi.findChild<QPushButton *>(topic.button);
            const Figures f = measure([button] { button->click(); }, document);
            worstMedian = std::max(worstMedian, f.median);
            std::printf("%-40s %10.3f %10.3f\n", qPrintable(Controls::ShownCaption(topic.caption)), f.median, f.worst);
        }
    }
    std::printf("%-40s %10.3f\n", "slowest page median", worstMedian);
    std::printf("\n%-40s %10s %10s\n", "section click", "median ms", "worst ms");
    for (int k = 1; k <= 7; ++k) {
        QPushButton *button = mdi.findChild<QPushButton *>(QStringLiteral("Command%1").arg(k));
        const Figures f = measure(
            [button] {
                button->click();
                QApplication::processEvents();
            },
            document);
        std::printf("%-40s %10.3f %10.3f\n", qPrintable(button->text()), f.median, f.worst);
    }
    return 0;
}
