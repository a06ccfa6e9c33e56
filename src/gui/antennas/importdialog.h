#pragma once
// "Import pattern ...": a radiation pattern from another program (the output of NEC-2 or
// nec2c, the far-field table of EZNEC, a CSV table) read into a catalogue entry. The
// format is found from the content; the operator may give the frequency (of a file with
// several, or of a CSV file that names none), the azimuth of the cut and the gain of a
// CSV file of attenuations. "Read" shows the pattern, or the line of the file and what
// was expected there; nothing of a file that cannot be read is kept.

#include "gui/antennas/patterndialog.h"

namespace radexa {

class TFormImportPattern : public TPatternDialog {
    Q_OBJECT
public:
    explicit TFormImportPattern(QWidget* parent = nullptr);

    // Asks for the file (a file dialog) and reads it.
    void ButChooseFileClick();
    // Reads the file with the options of the fields and shows the pattern or the problem.
    void ButReadClick();

    QLabel *LaFile = nullptr, *LaFormat = nullptr, *LaFrequency = nullptr, *LaAzimuth = nullptr,
           *LaGain = nullptr;
    QLineEdit *EditFile = nullptr, *EditFrequency = nullptr, *EditAzimuth = nullptr,
              *EditGain = nullptr;
    QPushButton *ButChooseFile = nullptr, *ButRead = nullptr;

protected:
    std::string angleFileDescription() const override;

private:
    void inputChanged();
    // Detects the format of the file's text and shows it; false, with the problem shown,
    // when it is of no known format.
    bool showFormat(const QString& fileName, const std::string& text);
};

} // namespace radexa
