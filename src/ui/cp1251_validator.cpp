// Keeps characters out of the fields that the Windows-1251 parameter file cannot hold.
#include "cp1251_validator.h"

#include <QByteArray>

#include "file_text.h"

namespace tavro {

QValidator::State Cp1251Validator::validate(QString& input, int&) const {
    QByteArray bytes;
    return encode1251(input.toStdString(), bytes) ? Acceptable : Invalid;
}

}  // namespace tavro
