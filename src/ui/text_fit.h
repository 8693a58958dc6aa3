// Captions and numbers read whole in a small window: the point size at which a text fits its box.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QLineEdit;

namespace tavro {

// The given font when text fits a box of that size at its point size, otherwise the same face a
// quarter point smaller at a time until the text fits (never below 4 pt). Text that fits is
// vertically centred in the box and wholly inside it, and no wider than the box.
QFont fittingFont(const QFont& font, const QString& text, QSize box);

// The box a QLineEdit of the given outer size draws its text in: inside its frame and the two
// pixels it keeps free at each side.
QSize lineEditTextBox(const QLineEdit& field, QSize outer);

}  // namespace tavro
