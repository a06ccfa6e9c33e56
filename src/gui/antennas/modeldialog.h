#pragma once
// "Model antenna ...": an antenna computed with the NEC-2 engine nec2c from a template
// (half-wave dipole, inverted V, quarter-wave vertical with radials) or from the
// operator's own deck, over the chosen ground. "Compute" runs nec2c (for at most its
// time-out, under a busy cursor) and shows the largest gain and the remarks, or why there
// is no pattern; "Save" makes it a catalogue entry with its angle file. Without nec2c the
// dialog says how to install it; files computed elsewhere go through "Import pattern ...".

#include "core/antennas/necmodel.h"
#include "gui/antennas/patterndialog.h"

class QCheckBox;
class QComboBox;

namespace radexa {

class TFormModelAntenna : public TPatternDialog {
    Q_OBJECT
public:
    // The entries of CBTemplate and CBGround, in their order.
    enum Template { Dipole, InvertedV, Vertical, OwnDeck };
    static constexpr NecGround kGrounds[] = {NecGround::FreeSpace, NecGround::Perfect,
                                             NecGround::Average, NecGround::Poor};

    explicit TFormModelAntenna(QWidget* parent = nullptr);

    // How nec2c is run (the program and the time-out); the status line follows.
    void setRunOptions(const NecRunOptions& options);
    const NecRunOptions& runOptions() const { return m_run; }
    // The nec2c program that "Compute" would run; empty when there is none.
    QString nec2cProgram() const;

    // Fields of the chosen template on, the others off; the proposed name follows.
    void CBTemplateChange();
    // Chooses the operator's deck file (a file dialog).
    void ButChooseDeckClick();
    // Builds the deck from the fields, runs nec2c and shows the pattern or the problem.
    void ButComputeClick();

    QLabel *LaTemplate = nullptr, *LaFrequency = nullptr, *LaHeight = nullptr, *LaAngle = nullptr,
           *LaRadials = nullptr, *LaDeck = nullptr, *LaAzimuth = nullptr, *LaGround = nullptr,
           *LaNec2c = nullptr;
    QComboBox *CBTemplate = nullptr, *CBGround = nullptr;
    QLineEdit *EditFrequency = nullptr, *EditHeight = nullptr, *EditAngle = nullptr,
              *EditRadials = nullptr, *EditDeck = nullptr, *EditAzimuth = nullptr;
    QCheckBox* CBOnGround = nullptr;
    QPushButton *ButChooseDeck = nullptr, *ButCompute = nullptr;

private:
    // The deck of the fields; nothing, with the reason in `problem`, when they give none.
    std::optional<NecDeck> deck(QString& problem) const;
    std::optional<NecDeck> ownDeck(const std::optional<double>& frequency, QString& problem) const;
    void showNec2c();
    void inputChanged();

    NecRunOptions m_run;
};

} // namespace radexa
