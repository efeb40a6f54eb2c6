#pragma once
// Drives the modal boxes and dialogs a command opens: a timer looks for the active modal
// widget once the command's own event loop runs, records it and answers it, so that no
// test is ever left waiting on a box. A driver that finds nothing within two seconds
// gives up, and the test's own checks then fail.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace arvelle::test {

inline constexpr int kPollMs = 10;
inline constexpr int kPollTries = 200;

// Runs `drive` on the next modal widget of type `Dialog` once it is up.
template <typename Dialog>
void DriveNextDialog(std::function<void(Dialog*)> drive, int triesLeft = kPollTries) {
  QTimer::singleShot(kPollMs, [drive, triesLeft] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog != nullptr) {
      drive(dialog);
    } else if (triesLeft > 0) {
      DriveNextDialog<Dialog>(drive, triesLeft - 1);
    }
  });
}

struct SeenBox {
  bool seen = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QList<QMessageBox::StandardButton> buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QWidget* parent = nullptr;
  bool modal = false;
};

// Records what the next message box shows into `seen` and answers it with `answer`, or
// with the Escape key when `answer` is NoButton.
inline void AnswerNextBox(SeenBox* seen, QMessageBox::StandardButton answer) {
  DriveNextDialog<QMessageBox>([seen, answer](QMessageBox* box) {
    seen->seen = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    seen->parent = box->parentWidget();
    seen->modal = box->isModal();
    for (QAbstractButton* button : box->buttons()) seen->buttons << box->standardButton(button);
    if (QPushButton* byDefault = box->defaultButton()) {
      seen->defaultButton = box->standardButton(byDefault);
    }
    if (answer == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(answer)->click();
    }
  });
}

}  // namespace arvelle::test
