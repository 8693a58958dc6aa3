// The platform's own style, with one picture read when it is first drawn instead of at start-up.
#pragma once

#include <QProxyStyle>

namespace tavro {

// Qt's menu bar asks for the icon of its overflow button as it is made, and reading that picture
// makes Qt load every image-format plugin it has (about 2 ms before the first frame). The
// button shows only when the menus do not fit the window: here the icon is read the first time
// it is drawn. Everything else is the platform style's own.
class ProgramStyle : public QProxyStyle {
  public:
    // Over the given style (which it then owns), or over the platform's default one.
    explicit ProgramStyle(QStyle* base = nullptr) : QProxyStyle(base) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace tavro
