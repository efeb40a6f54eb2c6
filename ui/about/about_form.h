#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutForm;
}

// The About window: the program's name and version, the base-plate picture, the logo and three
// credit lines above a single "Close" button. It is created once, hidden, and shown modally by the
// main window's "About" command; closing only hides it, so every opening looks the same.
class TAboutForm final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TAboutForm)

 public:
  explicit TAboutForm(QWidget* parent = nullptr);
  ~TAboutForm() override;

  // Centres the window on the work area of its screen (wherever it was left before), shows it
  // modally with "Close" focused and returns once it is closed. Every other window of the
  // application takes no input meanwhile. Returns QDialog::Rejected, the only way out.
  int ShowModal();

 public slots:
  // The "Close" button: ends the modal loop and hides the window.
  void BitBtn2Click();

 protected:
  // Escape must not close the window: "Close" is not a cancel button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void moveToCentreOfWorkArea();

  std::unique_ptr<Ui::AboutForm> m_ui;
};
