#include "ui/about/about_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "ui_about_form.h"

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::AboutForm>()) {
  m_ui->setupUi(this);
  connect(m_ui->BitBtn2, &QPushButton::clicked, this, &TAboutForm::BitBtn2Click);

  // The labels were laid out to size themselves to their text: keep each one's place and line
  // height and give it the width its text needs in the font actually available.
  ensurePolished();
  for (QLabel* label : {m_ui->Label1, m_ui->Label2, m_ui->Label3, m_ui->Label4, m_ui->Label5}) {
    label->resize(label->sizeHint().width(), label->height());
  }
}

TAboutForm::~TAboutForm() = default;

int TAboutForm::ShowModal() {
  moveToCentreOfWorkArea();
  m_ui->BitBtn2->setFocus(Qt::OtherFocusReason);
  return exec();
}

void TAboutForm::BitBtn2Click() { reject(); }

void TAboutForm::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TAboutForm::moveToCentreOfWorkArea() {
  // A window's position is that of its frame. Creating the native window first lets the window
  // system tell its frame before the first opening where it can.
  create();
  const QRect workArea = screen()->availableGeometry();
  const QSize outer = frameGeometry().size();
  move(workArea.topLeft() +
       QPoint((workArea.width() - outer.width()) / 2, (workArea.height() - outer.height()) / 2));
}
