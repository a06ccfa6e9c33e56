#pragma once
// The radiation-pattern diagram: the vertical pattern as a polar plot with level
// circles, radial grid lines and a legend; copy and save.

#include "core/graphics/diagram.h"
#include "paint/graphics/diagrampainter.h"

#include <QColor>
#include <QDialog>
#include <QImage>

class QAction;
class QMenu;
class QMenuBar;

namespace radexa {

class PictureView;

class TFormDiagramm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 433;
    static constexpr int ClientHeight = 434;

    // The main window's button "Diagram": when the data cannot be drawn the reason is
    // shown in a warning and false returned; otherwise the window is created, shown
    // modally and destroyed when it is closed.
    static bool execute(QWidget* parent, const DiagramData& data);

    explicit TFormDiagramm(const DiagramData& data, QWidget* parent = nullptr);

    void FormActivate();
    void Draw();
    void MiKopierenClick();
    void MISpeichernClick();

    const QImage& picture() const { return m_picture; }
    const DiagramGeometry& geometry() const { return m_geometry; }

    // The window's own icon: a small polar pattern.
    static QIcon diagramIcon();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DiagramData m_data;
    QString m_caption;
    QImage m_picture;
    DiagramGeometry m_geometry;
    bool m_centred = false;

    QMenuBar* MainMenuDiagramm = nullptr;
    QMenu* MIGrafik = nullptr;
    QAction* MiKopieren = nullptr;
    QAction* MISpeichern = nullptr;
    PictureView* IMDiagramm = nullptr;
};

} // namespace radexa
