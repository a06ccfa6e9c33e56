#include "gui/graphics/sideviewwindow.h"

#include "gui/graphics/picture.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"
#include "paint/graphics/canvas.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace radexa {

namespace {

const QString kWarningTitle = QStringLiteral("Warnung");
const QString kNotSaved = QStringLiteral("File was not saved!");

} // namespace

bool TFormSeitenansicht::execute(QWidget* parent, const SideViewData& data) {
    if (const auto reason = SideViewRefusal(data)) {
        dialogs().warning(parent, kWarningTitle, toQ(*reason));
        return false;
    }
    TFormSeitenansicht form(data, parent);
    if (parent)
        form.m_icon = parent->window()->windowIcon();
    form.exec();
    return true;
}

TFormSeitenansicht::TFormSeitenansicht(const SideViewData& data, QWidget* parent)
    : QDialog(parent), m_data(data), m_caption(toQ(SideViewCaption(data.caption))),
      m_backgroundColor(InfoBackgroundColor()),
      m_picture(NewPicture(kSideViewWidth, kSideViewHeight)) {
    setObjectName(QStringLiteral("FormSeitenansicht"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(PictureFont());
    setWindowTitle(m_caption);
    m_picture.fill(m_backgroundColor);
    buildLayout();
}

QLineEdit* TFormSeitenansicht::readOnlyField(QWidget* parent, const char* name, int x, int y,
                                             int w) {
    auto* e = new QLineEdit(QStringLiteral("0"), parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    // Read-outs take no focus, so the menu's Ctrl+C always copies the picture.
    e->setFocusPolicy(Qt::NoFocus);
    e->setGeometry(x, y, w, 21);
    return e;
}

void TFormSeitenansicht::buildLayout() {
    auto label = [](QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(x, y, w, 15);
        return l;
    };
    auto group = [](QWidget* parent, const char* name, const QString& title, int x, int y, int w,
                    int h) {
        auto* g = new QGroupBox(title, parent);
        g->setObjectName(QLatin1String(name));
        g->setGeometry(x, y, w, h);
        return g;
    };
    auto button = [](QWidget* parent, const char* name, const QString& text, int x, int y, int w) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setGeometry(x, y, w, 23);
        return b;
    };
    auto check = [](QWidget* parent, const char* name, const QString& text, int x, int y, int w,
                    bool ticked) {
        auto* c = new QCheckBox(text, parent);
        c->setObjectName(QLatin1String(name));
        c->setChecked(ticked);
        c->setGeometry(x, y, w, 17);
        return c;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MainMenuPicture = new QMenuBar(this);
    MainMenuPicture->setObjectName(QStringLiteral("MainMenuPicture"));
    layout->setMenuBar(MainMenuPicture);
    MIGrafik = MainMenuPicture->addMenu(QStringLiteral("Grafics"));
    MIGrafik->setObjectName(QStringLiteral("MIGrafik"));
    MISpeichen = MIGrafik->addAction(QStringLiteral("&Save"));
    MISpeichen->setObjectName(QStringLiteral("MISpeichen"));
    MISpeichen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    MIKopieren = MIGrafik->addAction(QStringLiteral("&Copy to Clipboard"));
    MIKopieren->setObjectName(QStringLiteral("MIKopieren"));
    MIKopieren->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    MIOptionen = MainMenuPicture->addMenu(QStringLiteral("&Options"));
    MIOptionen->setObjectName(QStringLiteral("MIOptionen"));
    MIHintergrundfarbe = MIOptionen->addAction(QStringLiteral("Background Color"));
    MIHintergrundfarbe->setObjectName(QStringLiteral("MIHintergrundfarbe"));
    addActions({MISpeichen, MIKopieren, MIHintergrundfarbe}); // shortcuts work window-wide

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    layout->addWidget(client);

    PaImage = new QFrame(client);
    PaImage->setObjectName(QStringLiteral("PaImage"));
    PaImage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PaImage->setLineWidth(1);
    PaImage->setGeometry(8, 8, 825, 489);
    IMSeitenansicht = new PictureView(PaImage);
    IMSeitenansicht->setObjectName(QStringLiteral("IMSeitenansicht"));
    IMSeitenansicht->setGeometry(8, 8, kSideViewWidth, kSideViewHeight);
    IMSeitenansicht->setImage(m_picture);

    GBMousePosition =
        group(client, "GBMousePosition", QStringLiteral("Mouse-Position"), 8, 504, 202, 71);
    label(GBMousePosition, "LaMausX", QStringLiteral("X [m]"), 8, 21, 32);
    EditMausX = readOnlyField(GBMousePosition, "EditMausX", 40, 18, 56);
    label(GBMousePosition, "LaMausY", QStringLiteral("Y [m]"), 8, 46, 32);
    EditMausY = readOnlyField(GBMousePosition, "EditMausY", 40, 43, 56);
    label(GBMousePosition, "LaMausPixX", QStringLiteral("Pixel X"), 102, 21, 42);
    EditMausPixX = readOnlyField(GBMousePosition, "EditMausPixX", 146, 18, 48);
    label(GBMousePosition, "LaMausPixY", QStringLiteral("Pixel Y"), 102, 46, 42);
    EditMausPixY = readOnlyField(GBMousePosition, "EditMausPixY", 146, 43, 48);

    GBAusschnitt =
        group(client, "GBAusschnitt", QStringLiteral("Viewed Intervall"), 215, 504, 137, 71);
    label(GBAusschnitt, "LaXInt", QStringLiteral("X-Intervall [m]"), 8, 21, 76);
    EditXInt = readOnlyField(GBAusschnitt, "EditXInt", 84, 18, 46);
    label(GBAusschnitt, "LaYInt", QStringLiteral("Y-Intervall [m]"), 8, 46, 76);
    EditYInt = readOnlyField(GBAusschnitt, "EditYInt", 84, 43, 46);

    GBSize = group(client, "GBSize", QStringLiteral("Size"), 358, 504, 184, 47);
    ButStandard = button(GBSize, "ButStandard", QStringLiteral("Reset"), 8, 17, 48);
    EditSize = readOnlyField(GBSize, "EditSize", 60, 18, 60);
    ButPlus = button(GBSize, "ButPlus", QStringLiteral("+"), 124, 17, 25);
    ButMinus = button(GBSize, "ButMinus", QStringLiteral("-"), 152, 17, 25);

    CBUrsprung = check(client, "CBUrsprung", QStringLiteral("Origin"), 358, 557, 62, true);
    CBfiveMeters = check(client, "CBfiveMeters", QStringLiteral("5-m-Line"), 422, 557, 64, true);
    CBStrahlen = check(client, "CBStrahlen", QStringLiteral("Rays"), 488, 557, 56, false);

    GBMaxWerte = group(client, "GBMaxWerte", QStringLiteral("Max. Values"), 548, 504, 277, 71);
    label(GBMaxWerte, "LaBodenfreiheit", QStringLiteral("ground clearance [m]"), 8, 21, 110);
    EditBodenfreiheit = readOnlyField(GBMaxWerte, "EditBodenfreiheit", 120, 18, 64);
    label(GBMaxWerte, "LaReichweite", QStringLiteral("Reach [m]"), 8, 46, 110);
    EditReichweite = readOnlyField(GBMaxWerte, "EditReichweite", 120, 43, 64);
    CBmaxWerteZeichnen =
        check(GBMaxWerte, "CBmaxWerteZeichnen", QStringLiteral("Draw"), 200, 31, 64, true);

    connect(MISpeichen, &QAction::triggered, this, &TFormSeitenansicht::MISpeichenClick);
    connect(MIKopieren, &QAction::triggered, this, &TFormSeitenansicht::MIKopierenClick);
    connect(MIHintergrundfarbe, &QAction::triggered, this,
            &TFormSeitenansicht::MIHintergrundfarbeClick);
    connect(ButPlus, &QPushButton::clicked, this, &TFormSeitenansicht::ButPlusClick);
    connect(ButMinus, &QPushButton::clicked, this, &TFormSeitenansicht::ButMinusClick);
    connect(ButStandard, &QPushButton::clicked, this, &TFormSeitenansicht::ButStandardClick);
    for (QCheckBox* c : {CBmaxWerteZeichnen, CBUrsprung, CBfiveMeters, CBStrahlen})
        connect(c, &QCheckBox::clicked, this, &TFormSeitenansicht::Draw);
    connect(IMSeitenansicht, &PictureView::mouseMoved, this,
            &TFormSeitenansicht::IMSeitenansichtMouseMove);

    setFixedSize(sizeHint());
}

void TFormSeitenansicht::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (IsActivatingShow(this, event, m_centred))
        FormActivate();
}

void TFormSeitenansicht::FormActivate() {
    setWindowTitle(m_caption);
    if (!m_icon.isNull())
        setWindowIcon(m_icon);
    m_zoom = 1.0;
    m_backgroundColor = InfoBackgroundColor();
    Draw();
}

void TFormSeitenansicht::Draw() {
    SideViewOptions o;
    o.zoom = m_zoom;
    o.background = m_backgroundColor;
    o.origin = CBUrsprung->isChecked();
    o.fiveMeters = CBfiveMeters->isChecked();
    o.rays = CBStrahlen->isChecked();
    o.drawMax = CBmaxWerteZeichnen->isChecked();
    m_geometry = PaintSideView(m_picture, m_data, o);
    IMSeitenansicht->setImage(m_picture);
    if (!(m_geometry.scale > 0))
        return;
    const SideViewTexts t = SideViewReadouts(m_geometry, m_zoom);
    EditSize->setText(toQ(t.size));
    EditXInt->setText(toQ(t.xInterval));
    EditYInt->setText(toQ(t.yInterval));
    EditBodenfreiheit->setText(toQ(t.clearance));
    EditReichweite->setText(toQ(t.reach));
}

void TFormSeitenansicht::ButPlusClick() {
    m_zoom = ZoomIn(m_zoom);
    Draw();
}

void TFormSeitenansicht::ButMinusClick() {
    m_zoom = ZoomOut(m_zoom);
    Draw();
}

void TFormSeitenansicht::ButStandardClick() {
    m_zoom = 1.0;
    Draw();
}

void TFormSeitenansicht::MIHintergrundfarbeClick() {
    if (const auto c = dialogs().color(this, m_backgroundColor))
        m_backgroundColor = *c;
    Draw();
}

void TFormSeitenansicht::MISpeichenClick() {
    const auto name =
        dialogs().saveFileName(this, QString(), QStringLiteral("Seitenansicht.bmp"), BitmapFilter(),
                               BitmapFilterSelected(), QStringLiteral("bmp"));
    QString error;
    if (name && SaveBitmap(m_picture, *name, &error))
        return;
    // A write that failed says why (the folder, the disk); a cancel says only that.
    dialogs().warning(this, kWarningTitle,
                      error.isEmpty() ? kNotSaved : kNotSaved + QLatin1Char('\n') + error);
    // The box closing makes the window the active one again.
    FormActivate();
}

void TFormSeitenansicht::MIKopierenClick() {
    desktop().setClipboardImage(m_picture);
}

void TFormSeitenansicht::IMSeitenansichtMouseMove(int x, int y) {
    if (!(m_geometry.scale > 0))
        return;
    const MouseReadout m = SideViewMouse(m_geometry, m_data.antennaHeight, x, y);
    EditMausX->setText(toQ(m.x));
    EditMausY->setText(toQ(m.y));
    EditMausPixX->setText(toQ(m.pixelX));
    EditMausPixY->setText(toQ(m.pixelY));
}

void TFormSeitenansicht::done(int result) {
    desktop().setClipboardImage(m_picture);
    QDialog::done(result);
}

} // namespace radexa
