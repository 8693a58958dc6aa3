// The confirmation window, the About window and the Help window.
#pragma once

#include <QDialog>

class QTimer;

namespace tavro {

// Window units are twips: 1440 to the inch.
int twips(int t);

// "Сохранено", shown modally after a save or export; closes itself 300 ms after it appears.
class FormOk : public QDialog {
  public:
    explicit FormOk(QWidget* parent);

  protected:
    bool event(QEvent* e) override;

  private:
    QTimer* Timer1_;
};

// About the program; not modal, rebuilt at every opening.
class FrmAbout : public QDialog {
  public:
    explicit FrmAbout(QWidget* parent);
};

// Help: the menu and the extra keys, modal.
class HelpDialog : public QDialog {
  public:
    explicit HelpDialog(QWidget* parent);
};

}  // namespace tavro
