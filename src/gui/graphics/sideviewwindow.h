#pragma once
// The side view: a scaled vertical cut through the station with the ground, the mast
// and the safety zone, its reach and ground clearance, zoom, copy and save.

#include "core/graphics/sideview.h"
#include "paint/graphics/sideviewpainter.h"

#include <QColor>
#include <QDialog>
#include <QIcon>
#include <QImage>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace radexa {

class PictureView;

class TFormSeitenansicht : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 841;
    static constexpr int ClientHeight = 580;

    // The main window's button "Antenna Side View": when the data cannot be drawn the
    // reason is shown in a warning and false returned; otherwise the window is created,
    // shown modally with the parent window's icon and destroyed when it is closed.
    static bool execute(QWidget* parent, const SideViewData& data);

    explicit TFormSeitenansicht(const SideViewData& data, QWidget* parent = nullptr);

    // The handlers; public so that tests drive them as the controls do.
    void FormActivate();
    void Draw();
    void ButPlusClick();
    void ButMinusClick();
    void ButStandardClick();
    void MIHintergrundfarbeClick();
    void MISpeichenClick();
    void MIKopierenClick();
    void IMSeitenansichtMouseMove(int x, int y);

    double zoom() const { return m_zoom; }
    QColor backgroundColor() const { return m_backgroundColor; }
    const QImage& picture() const { return m_picture; }
    const SideViewGeometry& geometry() const { return m_geometry; }
    const SideViewData& data() const { return m_data; }

protected:
    void showEvent(QShowEvent* event) override;
    // FormClose: every closing puts the picture on the clipboard.
    void done(int result) override;

private:
    void buildLayout();
    QLineEdit* readOnlyField(QWidget* parent, const char* name, int x, int y, int w);

    SideViewData m_data;
    QString m_caption;
    QIcon m_icon;
    double m_zoom = 1.0;
    QColor m_backgroundColor;
    QImage m_picture;
    SideViewGeometry m_geometry;
    bool m_centred = false;

    QMenuBar* MainMenuPicture = nullptr;
    QMenu* MIGrafik = nullptr;
    QAction* MISpeichen = nullptr;
    QAction* MIKopieren = nullptr;
    QMenu* MIOptionen = nullptr;
    QAction* MIHintergrundfarbe = nullptr;
    QFrame* PaImage = nullptr;
    PictureView* IMSeitenansicht = nullptr;
    QGroupBox* GBMousePosition = nullptr;
    QLineEdit* EditMausX = nullptr;
    QLineEdit* EditMausY = nullptr;
    QLineEdit* EditMausPixX = nullptr;
    QLineEdit* EditMausPixY = nullptr;
    QGroupBox* GBAusschnitt = nullptr;
    QLineEdit* EditXInt = nullptr;
    QLineEdit* EditYInt = nullptr;
    QGroupBox* GBSize = nullptr;
    QPushButton* ButStandard = nullptr;
    QLineEdit* EditSize = nullptr;
    QPushButton* ButPlus = nullptr;
    QPushButton* ButMinus = nullptr;
    QCheckBox* CBUrsprung = nullptr;
    QCheckBox* CBfiveMeters = nullptr;
    QCheckBox* CBStrahlen = nullptr;
    QGroupBox* GBMaxWerte = nullptr;
    QLineEdit* EditBodenfreiheit = nullptr;
    QLineEdit* EditReichweite = nullptr;
    QCheckBox* CBmaxWerteZeichnen = nullptr;
};

} // namespace radexa
