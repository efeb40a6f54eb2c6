#include "ui/main/up_down.h"

#include <QKeyEvent>
#include <QToolButton>
#include <algorithm>

namespace arvelle::ui {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  // The buttons are stepped with the mouse or through the field's arrow keys; Tab never
  // stops on them.
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(this, Qt::UpArrow)), down_(MakeArrow(this, Qt::DownArrow)) {
  setFocusPolicy(Qt::NoFocus);
  connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::setPosition(int position) {
  position_ = std::clamp(position, minimum_, std::max(minimum_, maximum_));
  WritePosition();
}

void UpDown::SetAssociate(QLineEdit* field) {
  if (field_ != nullptr) field_->removeEventFilter(this);
  field_ = field;
  if (field_ != nullptr) field_->installEventFilter(this);
  WritePosition();
}

void UpDown::Step(int direction) {
  long long from = position_;
  if (field_ != nullptr) {
    bool isInteger = false;
    const int typed = field_->text().trimmed().toInt(&isInteger);
    if (isInteger) from = typed;
  }
  // Widened so that stepping from a typed extreme integer cannot overflow.
  const long long next = from + static_cast<long long>(direction) * increment_;
  setPosition(
      static_cast<int>(std::clamp<long long>(next, minimum_, std::max(minimum_, maximum_))));
}

void UpDown::WritePosition() {
  if (field_ != nullptr) field_->setText(QString::number(position_));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  // The event type is checked first: the field also passes events through here while it
  // is being destroyed, when it must no longer be looked at as a line edit.
  if (event->type() == QEvent::KeyPress && watched == field_) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void UpDown::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int upperHeight = height() / 2;
  up_->setGeometry(0, 0, width(), upperHeight);
  down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

}  // namespace arvelle::ui
