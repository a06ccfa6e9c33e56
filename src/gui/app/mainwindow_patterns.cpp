// The main window's "Model antenna ..." and "Import pattern ..." menu items.

#include "gui/app/mainwindow.h"

#include "gui/antennas/importdialog.h"
#include "gui/antennas/modeldialog.h"

namespace radexa {

void TRadexaForm::runPatternDialog(TPatternDialog& dialog) {
    dialog.UserFileName = m_paths.UserAntennaFileName;
    dialog.AngleFolder = m_paths.AngleDataFolder;
    if (dialog.exec() != QDialog::Accepted || !dialog.savedEntry())
        return;
    // The catalogue is read again, so the entry is listed under its manufacturer at once;
    // the station the operator set up (band, cable, the taken antenna) stays.
    apply(m_model.rereadCatalogue());
    if (const TAntennen* c = m_model.catalogue()) {
        const int entry =
            c->FindAntenna(dialog.savedEntry()->name, dialog.savedEntry()->manufacturer);
        if (entry >= 0)
            apply(m_model.highlightEntry(entry));
    }
}

void TRadexaForm::MIModelAntennaClick() {
    TFormModelAntenna dialog(this);
    runPatternDialog(dialog);
}

void TRadexaForm::MIImportPatternClick() {
    TFormImportPattern dialog(this);
    runPatternDialog(dialog);
}

} // namespace radexa
