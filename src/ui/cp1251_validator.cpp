// Keeps characters out of the fields that the Windows-1251 parameter file cannot hold.
#include "cp1251_validator.h"

#include <QByteArray>

#include "file_text.h"

namespace tavro {
namespace {

bool encodable(const QString& text) {
    QByteArray bytes;
    return encode1251(text.toStdString(), bytes);
}

}  // namespace

// Characters that cannot be stored are dropped as they are typed or pasted; the rest of the
// edit goes through, so a text loaded from a foreign file can still be corrected.
QValidator::State Cp1251Validator::validate(QString& input, int& pos) const {
    if (encodable(input)) return Acceptable;
    QString kept;
    int keptBeforeCursor = 0;
    for (int i = 0; i < input.size(); ++i) {
        // A surrogate pair is one character and never encodable.
        const bool pair = input[i].isHighSurrogate() && i + 1 < input.size();
        const QString one = input.mid(i, pair ? 2 : 1);
        if (encodable(one)) {
            kept += one;
            if (i < pos) keptBeforeCursor += static_cast<int>(one.size());
        }
        if (pair) ++i;
    }
    input = kept;
    pos = keptBeforeCursor;
    return Acceptable;
}

}  // namespace tavro
