#pragma once
// What the "Model antenna ..." and "Import pattern ..." dialogs share: a pattern obtained
// (computed or read), its summary or the reason there is none, and the catalogue entry it
// becomes: manufacturer, name, type and elements, written to the user antenna file with
// its angle file by "Save". A pattern belongs to the inputs it came from: changing one of
// them forgets it, so what is saved is always what the dialog shows.

#include "core/antennas/patterncatalogue.h"
#include "core/antennas/patternimport.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace radexa {

// "NEC-2 output", "EZNEC far-field table", "CSV table".
QString PatternFormatName(PatternFormat format);

// The lines that describe an imported or computed pattern to the operator: frequency,
// largest gain, cut, polarisations and ground (numbers with the decimal separator in force).
QStringList PatternSummaryLines(const ImportedPattern& pattern);

// x as short as it reads back, with the decimal separator in force ("7,1").
QString ShortNumber(double x);

// A message of the core that may hold both the operator's texts (Windows-1252) and file
// names (UTF-8, as the system gives them): each well-formed UTF-8 character is taken as
// such, every other byte as Windows-1252.
QString MixedText(std::string_view bytes);

// The caption of a field's label without its accelerator mark ("Frequency [MHz]").
QString FieldCaption(const QLabel* label);

// A number typed in a field, with the point or the decimal separator in force. An empty
// field gives nothing when optional; otherwise `problem` names the field by its label and
// says what is expected, and nothing is given either.
std::optional<double> FieldNumber(const QLineEdit* field, const QLabel* label, bool optional,
                                  QString& problem);

class TPatternDialog : public QDialog {
    Q_OBJECT
public:
    // Set by the main window before showing the dialog: the user antenna file and the
    // program's angle folder (the operator's own folder is taken when that one is not
    // writable).
    QString UserFileName;
    QString AngleFolder;

    // The pattern that "Save" would write; none before a successful computation or
    // import, or after an input changed.
    const std::optional<ImportedPattern>& pattern() const { return m_pattern; }
    // The entry written by the last successful "Save".
    const std::optional<ImportedAntennaEntry>& savedEntry() const { return m_saved; }
    // The entry as the fields give it.
    ImportedAntennaEntry entry() const;

    // Writes the pattern as a catalogue entry; a refusal is shown and the dialog stays
    // open with everything typed. On success confirms and closes the dialog.
    void ButSaveClick();

    QGroupBox* GBEntry = nullptr;
    QLabel *LaManufacturer = nullptr, *LaName = nullptr, *LaType = nullptr, *LaElements = nullptr;
    QLineEdit *EditManufacturer = nullptr, *EditName = nullptr, *EditType = nullptr,
              *EditElements = nullptr;
    QPlainTextEdit* MemoResult = nullptr;
    QPushButton *ButSave = nullptr, *ButClose = nullptr;

protected:
    TPatternDialog(const char* objectName, const QString& manufacturer, const QString& type,
                   QWidget* parent);
    // Makes the result, the entry and the buttons, and lays the dialog out: the inputs,
    // the action button, the result, the entry, the buttons. Called once by the
    // constructor of the subclass, after it made the inputs.
    void layOut(QWidget* inputs, QPushButton* action);
    // A new pattern: kept, shown and saveable.
    void showPattern(ImportedPattern pattern, const QStringList& lines);
    // No pattern: the reason is shown and nothing can be saved.
    void showProblem(const QString& problem);
    // An input changed: the pattern no longer matches the fields.
    void forgetPattern();
    // Proposes a name until the operator types one of his own.
    void proposeName(const QString& name);
    // The free-text line the angle file begins with (empty: none).
    virtual std::string angleFileDescription() const { return {}; }

private:
    QString m_manufacturer, m_type; // the entry's presets
    std::optional<ImportedPattern> m_pattern;
    std::optional<ImportedAntennaEntry> m_saved;
    bool m_nameTyped = false;
};

} // namespace radexa
