#pragma once
// The window's edge: core texts are Windows-1252 bytes, Qt speaks QString.

#include "core/support/cp1252.h"

#include <QLineEdit>
#include <QString>
#include <QValidator>

#include <initializer_list>
#include <string>
#include <string_view>

namespace radexa {

inline QString toQ(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

inline std::string fromQ(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

// Text the program keeps in its files and reports (Windows-1252): a character beyond it is
// refused as it is typed or pasted, rather than written as '?' unseen.
class StoredTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return FitsCp1252(input.toStdString()) ? Acceptable : Invalid;
    }
};

// The fields whose text goes into a file or a report take only what the file can hold.
inline void AcceptOnlyStoredText(std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* field : fields)
        field->setValidator(new StoredTextValidator(field));
}

} // namespace radexa
