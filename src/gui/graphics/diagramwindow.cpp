#include "gui/graphics/diagramwindow.h"

#include "gui/graphics/picture.h"
#include "gui/support/platform.h"
#include "gui/support/text.h"
#include "paint/graphics/canvas.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace radexa {

namespace {

const QString kWarningTitle = QStringLiteral("Warnung");

} // namespace

bool TFormDiagramm::execute(QWidget* parent, const DiagramData& data) {
    if (const auto reason = DiagramRefusal(data)) {
        dialogs().warning(parent, kWarningTitle, toQ(*reason));
        return false;
    }
    TFormDiagramm form(data, parent);
    form.exec();
    return true;
}

QIcon TFormDiagramm::diagramIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(InfoBackgroundColor());
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(PictureColor::Black, 1));
    p.drawEllipse(QPointF(16, 16), 14, 14);
    p.drawLine(2, 16, 30, 16);
    p.setPen(QPen(PictureColor::Blue, 2));
    p.drawEllipse(QPointF(21, 19), 8, 5);
    p.setPen(QPen(PictureColor::Red, 2));
    p.drawEllipse(QPointF(21, 13), 8, 5);
    return QIcon(pixmap);
}

TFormDiagramm::TFormDiagramm(const DiagramData& diagram, QWidget* parent)
    : QDialog(parent), m_data(diagram), m_caption(toQ(DiagramCaption(diagram.caption))),
      m_picture(NewPicture(kDiagramWidth, kDiagramHeight)) {
    setObjectName(QStringLiteral("FormDiagramm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(PictureFont());
    setWindowTitle(m_caption);
    setWindowIcon(diagramIcon());
    m_picture.fill(InfoBackgroundColor());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MainMenuDiagramm = new QMenuBar(this);
    MainMenuDiagramm->setObjectName(QStringLiteral("MainMenuDiagramm"));
    layout->setMenuBar(MainMenuDiagramm);
    MIGrafik = MainMenuDiagramm->addMenu(QStringLiteral("&Grafic"));
    MIGrafik->setObjectName(QStringLiteral("MIGrafik"));
    MiKopieren = MIGrafik->addAction(QStringLiteral("&Copy to Clipboard"));
    MiKopieren->setObjectName(QStringLiteral("MiKopieren"));
    MISpeichern = MIGrafik->addAction(QStringLiteral("&Save"));
    MISpeichern->setObjectName(QStringLiteral("MISpeichern"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    layout->addWidget(client);
    IMDiagramm = new PictureView(client);
    IMDiagramm->setObjectName(QStringLiteral("IMDiagramm"));
    IMDiagramm->setGeometry(0, 0, kDiagramWidth, kDiagramHeight);
    IMDiagramm->setImage(m_picture);

    connect(MiKopieren, &QAction::triggered, this, &TFormDiagramm::MiKopierenClick);
    connect(MISpeichern, &QAction::triggered, this, &TFormDiagramm::MISpeichernClick);
    setFixedSize(sizeHint());
}

void TFormDiagramm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (IsActivatingShow(this, event, m_centred))
        FormActivate();
}

void TFormDiagramm::FormActivate() {
    setWindowTitle(m_caption);
    Draw();
}

void TFormDiagramm::Draw() {
    m_geometry = PaintDiagram(m_picture, m_data, InfoBackgroundColor());
    IMDiagramm->setImage(m_picture);
}

void TFormDiagramm::MiKopierenClick() {
    desktop().setClipboardImage(m_picture);
}

void TFormDiagramm::MISpeichernClick() {
    const auto name =
        dialogs().saveFileName(this, QString(), QStringLiteral("Diagramm.bmp"), BitmapFilter(),
                               BitmapFilterSelected(), QStringLiteral("bmp"));
    if (!name)
        return;
    QString error;
    if (!SaveBitmap(m_picture, *name, &error)) {
        dialogs().warning(this, kWarningTitle, QStringLiteral("File was NOT saved!\n") + error);
        FormActivate();
    }
}

} // namespace radexa
