#pragma once
// "Model antenna ...": an antenna computed with the NEC-2 engine nec2c from a template
// (half-wave dipole, inverted V, quarter-wave vertical with radials) or from the
// operator's own deck, over the chosen ground. "Compute" runs nec2c beside the window (for
// at most its time-out; the window stays responsive and "Close" stops the run) and shows
// the largest gain and the remarks, or why there is no pattern; "Save" makes it a
// catalogue entry with its angle file. Without nec2c the dialog says how to install it;
// files computed elsewhere go through "Import pattern ...".

#include "core/antennas/necmodel.h"
#include "gui/antennas/patterndialog.h"

#include <atomic>

class QCheckBox;
class QThread;
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
    // A computation still running is stopped.
    ~TFormModelAntenna() override;

    // How nec2c is run (the program and the time-out); the status line follows.
    void setRunOptions(const NecRunOptions& options);
    const NecRunOptions& runOptions() const { return m_run; }
    // The nec2c program that "Compute" would run; empty when there is none.
    QString nec2cProgram() const;

    // Fields of the chosen template on, the others off; the proposed name follows.
    void CBTemplateChange();
    // Chooses the operator's deck file (a file dialog).
    void ButChooseDeckClick();
    // Builds the deck from the fields and starts nec2c on it; the inputs, "Compute" and
    // "Save" rest until the pattern or the problem is shown.
    void ButComputeClick();
    // True while nec2c runs.
    bool computing() const { return m_worker != nullptr; }
    // Closing the dialog (Close, Escape, the window's button) stops a running computation.
    void done(int result) override;

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
    // The run of the worker has ended: shows what it gave (nothing when it was stopped).
    void computed(QThread* worker);
    // Stops nec2c and waits for the worker (nec2c is killed at once).
    void stopComputation();
    void setComputing(bool on);

    NecRunOptions m_run;
    QWidget* m_inputs = nullptr;
    QThread* m_worker = nullptr;
    std::atomic<bool> m_stop{false};
    NecModelResult m_result; // written by the worker, read when it has finished
};

} // namespace radexa
