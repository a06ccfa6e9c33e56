// The diagram window: layout, caption, copy and save with the dialogs scripted.
#include "fakes.h"

#include "core/support/numbersettings.h"
#include "gui/graphics/diagramwindow.h"
#include "paint/graphics/canvas.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace radexa {
namespace {

using testing::FakeDesktop;
using testing::FakeDialogs;

DiagramData pattern() {
    DiagramData d;
    d.angles = {0, 90, 180};
    d.attenuations = {0, 10, 3};
    d.caption.title = "Example Yagi";
    d.caption.antennaGain = 9.5;
    d.caption.fixedFrequencyMode = true;
    d.caption.fixedFrequency = 145.5;
    return d;
}

class DiagramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        NumberSettings point;
        numbers = std::make_unique<ScopedNumberSettings>(point);
        form = std::make_unique<TFormDiagramm>(pattern());
        form->show();
    }
    QAction* action(const char* name) { return form->findChild<QAction*>(QLatin1String(name)); }

    std::unique_ptr<ScopedNumberSettings> numbers;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    std::unique_ptr<TFormDiagramm> form;
};

TEST_F(DiagramWindow, LayoutCaptionAndMenu) {
    EXPECT_EQ(form->findChild<QWidget*>("ClientArea")->size(), QSize(433, 434));
    EXPECT_EQ(form->findChild<QWidget*>("IMDiagramm")->geometry(), QRect(0, 0, 433, 433));
    EXPECT_EQ(form->windowTitle(), "Diagram  Example Yagi  9.50 dBi  145.50 MHz  ");
    EXPECT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(form->findChild<QMenu*>("MIGrafik")->title(), "&Grafic");
    const struct {
        const char* name;
        QString text;
    } items[] = {{"MiKopieren", "&Copy to Clipboard"}, {"MISpeichern", "&Save"}};
    for (const auto& i : items) {
        ASSERT_NE(action(i.name), nullptr) << i.name;
        EXPECT_EQ(action(i.name)->text(), i.text);
        EXPECT_TRUE(action(i.name)->shortcut().isEmpty()) << i.name;
    }
    EXPECT_EQ(form->picture().pixelColor(216, 308), PictureColor::Blue);
    EXPECT_EQ(form->picture().pixelColor(216, 124), PictureColor::Red);
}

TEST_F(DiagramWindow, CopyButNotOnClosing) {
    action("MiKopieren")->trigger();
    EXPECT_EQ(desktop.clipboardImage, form->picture());
    desktop.clipboardImage = QImage();
    form->reject();
    EXPECT_TRUE(desktop.clipboardImage.isNull());
}

TEST_F(DiagramWindow, SaveWritesABitmapCancelSaysNothingFailureWarns) {
    QTemporaryDir dir;
    const struct {
        const char* what;
        std::optional<QString> answer;
        bool written;
        QStringList warnings;
    } cases[] = {
        {"saved", dir.filePath("d.txt"), true, {}},
        {"cancelled", std::nullopt, false, {}},
        // The warning goes on to say why.
        {"unwritable",
         dir.filePath("no/such/folder.bmp"),
         false,
         {"File was NOT saved!\nCannot write \"" + dir.filePath("no/such/folder.bmp")}},
    };
    for (const auto& c : cases) {
        dialogs.boxes.clear();
        dialogs.fileAnswers.push_back(c.answer);
        action("MISpeichern")->trigger();
        ASSERT_EQ(dialogs.warnings().size(), c.warnings.size()) << c.what;
        for (int i = 0; i < c.warnings.size(); ++i)
            EXPECT_TRUE(dialogs.warnings()[i].startsWith(c.warnings[i]))
                << c.what << ": " << dialogs.warnings()[i].toStdString();
        EXPECT_EQ(dialogs.lastProposedFile, "Diagramm.bmp");
        if (c.written) {
            const QImage back(*c.answer, "BMP");
            EXPECT_EQ(back.size(), QSize(433, 433)) << c.what;
            EXPECT_EQ(back.pixelColor(216, 308), PictureColor::Blue) << c.what;
        }
    }
    EXPECT_TRUE(form->isVisible()) << "the window stays open";
}

TEST(DiagramOpening, EmptyTableIsExplainedAndAGoodOneOpens) {
    FakeDialogs dialogs;
    FakeDesktop desktop;
    DiagramData empty = pattern();
    empty.angles.clear();
    empty.attenuations.clear();
    EXPECT_FALSE(TFormDiagramm::execute(nullptr, empty));
    EXPECT_EQ(dialogs.warnings().size(), 1);
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* w = QApplication::activeModalWidget();
        ASSERT_NE(qobject_cast<TFormDiagramm*>(w), nullptr);
        title = w->windowTitle();
        w->close();
    });
    EXPECT_TRUE(TFormDiagramm::execute(nullptr, pattern()));
    EXPECT_TRUE(title.startsWith("Diagram  Example Yagi"));
    EXPECT_TRUE(desktop.clipboardImage.isNull());
}

} // namespace
} // namespace radexa
