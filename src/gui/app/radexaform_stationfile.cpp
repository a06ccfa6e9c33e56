// Station files, the angle-table export and the own-antenna dialog of the main window.

#include "gui/app/radexaform.h"

namespace radexa {

void TRadexaForm::MIopenClick() {}
void TRadexaForm::MISaveClick() {}
void TRadexaForm::MISaveAsClick() {}
bool TRadexaForm::Speichern(const QString&) { return false; }
void TRadexaForm::Oeffnen(const QString&) {}
void TRadexaForm::PISaveClick() {}
void TRadexaForm::PICopyClick() {}
void TRadexaForm::MIEigeneAntenneClick() {}

} // namespace radexa
