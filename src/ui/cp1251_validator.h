// Keeps characters out of the fields that the Windows-1251 parameter file cannot hold.
#pragma once

#include <QValidator>

namespace tavro {

class Cp1251Validator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace tavro
